#pragma once

#include <model/Catalogue.h>
#include <model/History.h>

#include <array>
#include <cstdint>
#include <string_view>

namespace skillwright::model {

enum class Quest : std::uint8_t { DenOfEvil, BookOfSkill, Izual };

/// Which quest entries the skill menu offers.
struct QuestOffer {
    std::array<bool, 3> offered{}; ///< by Quest
    [[nodiscard]] bool operator[](Quest quest) const { return offered[static_cast<std::size_t>(quest)]; }
    /// Whether any quest's point is offered.
    [[nodiscard]] bool any() const { return offered[0] || offered[1] || offered[2]; }
    friend bool operator==(const QuestOffer&, const QuestOffer&) = default;
};

/// The notice that a quest's next point has fallen due: at character level
/// `level`, while the quest's counter lies within `fromCounter`..`toCounter`.
struct QuestAnnouncement {
    std::int16_t level;
    std::int16_t fromCounter;
    std::int16_t toCounter;
    std::string_view text;
};

/// Everything the rules know of one quest, by difficulty (Normal, Nightmare,
/// Hell), in one place; the skill menu's captions are the screens'.
struct QuestRule {
    Quest quest;
    EntryKind kind;                          ///< the kind of its history entries
    std::int16_t pointsPerDifficulty;        ///< 1, two for Izual
    std::array<std::int16_t, 3> offeredFrom; ///< the level the skill menu offers a difficulty's point from
    std::array<std::int16_t, 3> javelinOfferedFrom; ///< the same for a skill of the Amazon's javelin tree
    std::array<QuestAnnouncement, 3> announcements;
    std::array<std::string_view, 3> pointNames;        ///< how a replay's refusal names a difficulty's point
    std::string_view historyHead;                      ///< the history entry's head
    std::array<std::string_view, 6> historyDifficulty; ///< by the counter after the point, from 1

    /// How many times the quest's point may be taken: three, six for Izual.
    [[nodiscard]] constexpr std::int16_t limit() const {
        return static_cast<std::int16_t>(3 * pointsPerDifficulty);
    }
    /// The difficulty (0 Normal, 1 Nightmare, 2 Hell) of the point taken
    /// when the counter stands at `counter`.
    [[nodiscard]] constexpr std::size_t difficulty(int counter) const {
        const int d = counter / pointsPerDifficulty;
        return static_cast<std::size_t>(d < 0 ? 0 : d > 2 ? 2 : d);
    }
};

// clang-format off
/// The three quests. Where two figures of a quest differ:
/// - Den of Evil is announced at 25 (Nightmare) and 40 (Hell), the levels at
///   which a skill of the Amazon's javelin tree is first offered the point;
///   a skill of any other tree is offered it from 24 and 35, before the
///   announcement. The announcement is made once, for the whole character, so
///   it cannot follow the tree a player will right-click: it comes at the
///   javelin tree's levels, from which the point is offered on every tree.
/// - Why the javelin tree alone waits longer for Den of Evil is not known:
///   the figures are the planner's as its players have always had them, and
///   they are kept, not guessed at.
/// - Book of Skill and Izual announce at the levels they are offered from.
/// - The announcements' counter ranges are as wide as the planner has them:
///   Izual's Nightmare point is announced at 39 while fewer than five points
///   were taken, and a Hell point also with the counter at its limit.
inline constexpr std::array<QuestRule, 3> kQuestRules{{
    {Quest::DenOfEvil, EntryKind::DenOfEvil, 1, {3, 24, 35}, {3, 25, 40},
     {{{3, 0, 0, "Den Of Evil (Normal) quest skill point is now available.  Right click to use."},
       {25, 1, 1, "Den Of Evil (Nightmare) quest skill point is now available.  Right click to use."},
       {40, 2, 3, "Den Of Evil (Hell) quest skill point is now available.  Right click to use."}}},
     {"Den Of Evil (Normal)", "Den Of Evil (Nightmare)", "Den Of Evil (Hell)"},
     "Den Of Evil:", {" Normal ", " Nightmare ", " Hell ", "", "", ""}},
    {Quest::BookOfSkill, EntryKind::BookOfSkill, 1, {15, 30, 45}, {15, 30, 45},
     {{{15, 0, 0, "Book Of Skill (Normal) quest skill point is now available.  Right click to use."},
       {30, 1, 1, "Book Of Skill (Nightmare) quest skill point is now available.  Right click to use."},
       {45, 2, 3, "Book Of Skill (Hell) quest skill point is now available.  Right click to use."}}},
     {"Book of Skill (Normal)", "Book of Skill (Nightmare)", "Book of Skill (Hell)"},
     "Book of Skill:", {" Normal ", " Nightmare ", " Hell ", "", "", ""}},
    {Quest::Izual, EntryKind::Izual, 2, {23, 39, 59}, {23, 39, 59},
     {{{23, 0, 1, "Death of Izual (Normal) quest skill point is now available.  Right click to use."},
       {39, 0, 4, "Death of Izual (Nightmare) quest skill point is now available.  Right click to use."},
       {59, 5, 6, "Death of Izual (Hell) quest skill point is now available.  Right click to use."}}},
     {"Death of Izual (Normal)", "Death of Izual (Nightmare)", "Death of Izual (Hell)"},
     "Izual Quest Point:",
     {"(1) Normal ", "(2) Normal ", "(1) Nightmare ", "(2) Nightmare ", "(1) Hell ", "(2) Hell "}},
}};
// clang-format on

[[nodiscard]] constexpr const QuestRule& questRule(Quest quest) {
    return kQuestRules[static_cast<std::size_t>(quest)];
}

/// The quest whose points an entry of `kind` records, if any.
[[nodiscard]] constexpr const QuestRule* questRuleOf(EntryKind kind) {
    // The quests' entry kinds are the last three, in the order of the table.
    const auto offset = static_cast<int>(kind) - static_cast<int>(EntryKind::DenOfEvil);
    return offset >= 0 && offset < static_cast<int>(kQuestRules.size())
               ? &kQuestRules[static_cast<std::size_t>(offset)]
               : nullptr;
}
static_assert(questRuleOf(EntryKind::DenOfEvil)->quest == Quest::DenOfEvil &&
              questRuleOf(EntryKind::BookOfSkill)->quest == Quest::BookOfSkill &&
              questRuleOf(EntryKind::Izual)->quest == Quest::Izual &&
              questRuleOf(EntryKind::Ordinary) == nullptr &&
              questRuleOf(EntryKind::ReservedSpent) == nullptr);
static_assert(questRule(Quest::DenOfEvil).kind == EntryKind::DenOfEvil &&
              questRule(Quest::BookOfSkill).kind == EntryKind::BookOfSkill &&
              questRule(Quest::Izual).kind == EntryKind::Izual);

/// The quest rule as a pure function: which quest points the skill menu
/// offers at character level levelsGained + 1 for a skill of `tree`.
[[nodiscard]] QuestOffer questAvailability(std::int16_t levelsGained, std::int16_t denOfEvilCount,
                                           std::int16_t bookOfSkillCount, std::int16_t izualCount,
                                           TreeId tree);

} // namespace skillwright::model

#pragma once

#include <model/BuildListener.h>
#include <model/Catalogue.h>
#include <model/History.h>
#include <model/Plan.h>
#include <model/Quests.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace skillwright::model {

inline constexpr std::int16_t kMaxSkillPoints = 20;
inline constexpr std::int16_t kMaxLevel = 99;

/// How many times a quest's point may be taken: three, six for Izual.
[[nodiscard]] constexpr std::int16_t questLimit(Quest quest) {
    return questRule(quest).limit();
}

/// What the rules derive from a plan of a class: the points each skill
/// holds, the level-ups taken, the reserve and the quest points taken. A
/// value: copied, compared, and changed by apply() and takeBack() alone.
struct BuildState {
    std::array<std::array<std::int16_t, kSkillsPerTree>, 3> points{}; ///< by the tree's place on screen
    std::int16_t levelsGained = 0;
    std::int16_t reservedPoints = 0;
    std::array<std::int16_t, 3> questCounts{}; ///< by Quest

    [[nodiscard]] std::int16_t characterLevel() const { return static_cast<std::int16_t>(levelsGained + 1); }
    [[nodiscard]] std::int16_t pointsOf(SkillRef skill) const {
        return points[static_cast<std::size_t>(tree(skill.tree).position)]
                     [static_cast<std::size_t>(skill.index)];
    }
    [[nodiscard]] std::int16_t questCount(Quest quest) const {
        return questCounts[static_cast<std::size_t>(quest)];
    }
    friend bool operator==(const BuildState&, const BuildState&) = default;
};

/// What a point request came to.
struct PointResult {
    std::optional<EntryKind> taken; ///< the kind of point taken, if one was
    std::optional<Refusal> refusal; ///< otherwise why not
    std::int16_t requiredLevel = 0; ///< RequiredLevel: the level the skill's tier opens at
    SkillRef missing{};             ///< Prerequisite: the skill that holds no point
    [[nodiscard]] bool accepted() const { return taken.has_value(); }
    [[nodiscard]] static PointResult refused(Refusal why) {
        PointResult result;
        result.refusal = why;
        return result;
    }
    [[nodiscard]] static PointResult took(EntryKind kind) {
        PointResult result;
        result.taken = kind;
        return result;
    }
};

/// The text a refusal is told by: the notice line's for the rules, the
/// message box's for an exhausted quest; empty for NoSuchSkill and for an
/// accepted point.
std::string refusalText(const PointResult& result);

/// The click rules for a point of `kind` into `skill`: 20 points, level 99,
/// the tier and its cap, the prerequisites. Taken, or refused and why. The
/// reserve and the quests' limits are their commands' own checks.
[[nodiscard]] PointResult ruleCheck(const BuildState& state, SkillRef skill, EntryKind kind);

/// Which quest points the skill menu offers for a skill of `tree`.
[[nodiscard]] QuestOffer questOffer(const BuildState& state, TreeId tree);

/// What taking `entry` again comes to, by the command that made it (a click,
/// the skill menu's quest entry as offered then, the reserve's commands), for
/// a character of `classId`: the entry as the rules record it, or why not in
/// the words a player reads.
struct EntryOutcome {
    std::optional<HistoryEntry> made;
    std::string why;
};
[[nodiscard]] EntryOutcome entryOutcome(const BuildState& state, ClassId classId, const HistoryEntry& entry);
/// Why `entry` does not come out as recorded: the refusal's words, or the
/// entry the rules record instead; nothing when it comes out as recorded.
[[nodiscard]] std::optional<std::string> recordedOtherwise(const EntryOutcome& outcome,
                                                           const HistoryEntry& entry);

/// The state after `entry`, an entry the rules took: its skill's points, the
/// level, the reserve and its quest's counter move.
void apply(BuildState& state, const HistoryEntry& entry);
/// The state before `entry`, the newest entry taken.
void takeBack(BuildState& state, const HistoryEntry& entry);

/// A plan taken again through the rules, entry by entry, with nothing to
/// tell: the state it comes to, the entries the rules took (each as
/// recorded), and where it stopped, if it did.
struct StateReplay {
    BuildState state;
    Plan plan; ///< the class, the entries taken and the name
    std::optional<ReplayStop> stop;
};
[[nodiscard]] StateReplay replayPlan(const Plan& plan);

} // namespace skillwright::model

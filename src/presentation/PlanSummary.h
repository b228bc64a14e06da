#pragma once

#include <model/Plan.h>
#include <model/Quests.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/// A plan at a glance, as people read it: what the summary window shows and
/// what goes into a forum post. Free of any toolkit.
namespace skillwright::presentation {

/// One skill that holds points, and the character levels at which it took
/// its first, tenth and twentieth (0 where it has not).
struct SkillSummary {
    model::SkillRef skill{};
    std::int16_t points = 0;
    std::int16_t firstAt = 0;
    std::int16_t tenAt = 0;
    std::int16_t twentyAt = 0;
    std::int16_t lastAt = 0; ///< the level of its newest point
    friend bool operator==(const SkillSummary&, const SkillSummary&) = default;
};

/// A quest's points: taken, and fallen due by the character's level but not
/// yet taken.
struct QuestSummary {
    model::Quest quest = model::Quest::DenOfEvil;
    std::int16_t taken = 0;
    std::int16_t open = 0;
    friend bool operator==(const QuestSummary&, const QuestSummary&) = default;
};

/// Consecutive history entries of one kind into one skill: level-ups from
/// `fromLevel` to `toLevel` ("2-5 Fire Bolt"), or `count` points that raise
/// no level (a quest's, or the reserve's spent).
struct LevelRun {
    model::EntryKind kind = model::EntryKind::Ordinary;
    model::SkillRef skill{}; ///< unused by points reserved for later
    std::int16_t fromLevel = 0;
    std::int16_t toLevel = 0;
    std::int16_t count = 0;
    friend bool operator==(const LevelRun&, const LevelRun&) = default;
};

/// A milestone and the character level it was reached at.
struct MilestoneSummary {
    std::int16_t level = 0;
    std::string name;
    friend bool operator==(const MilestoneSummary&, const MilestoneSummary&) = default;
};

struct PlanSummary {
    model::ClassId classId = model::ClassId::Necromancer;
    std::string name;
    std::int16_t level = 1;
    std::array<std::int16_t, 3> treePoints{}; ///< by the tree's place on screen
    /// Every skill with points, most points first; of two alike, the one
    /// that took its first point first.
    std::vector<SkillSummary> skills;
    std::array<QuestSummary, 3> quests{}; ///< by Quest
    std::int16_t reserve = 0;             ///< held in reserve, not yet spent
    std::vector<LevelRun> levelOrder;
    std::vector<MilestoneSummary> milestones;
    std::string note;
    /// With an attribute plan, the character's figures at the summary's level:
    /// "Strength 55, Dexterity 70, Vitality 160, Energy 15; life 512, mana 95,
    /// stamina 230"; empty without one.
    std::string attributes;
    friend bool operator==(const PlanSummary&, const PlanSummary&) = default;
};

/// The summary of the first `entries` entries of `plan` (all of them by
/// default), a plan the rules took. Entries of a skill that is not its
/// class's are passed over.
[[nodiscard]] PlanSummary summarize(const model::Plan& plan, std::size_t entries = SIZE_MAX);

/// "Blizzard: 1 at Clvl 24, 10 at Clvl 33, 20 at Clvl 50": the levels of
/// the first, tenth and twentieth point, and of the newest where the skill
/// stopped between ("Warmth: 1 at Clvl 6, 4 at Clvl 40").
[[nodiscard]] std::string skillLine(const SkillSummary& skill);
/// One run: "2-5 Fire Bolt", "6 Warmth", "7 Reserved", "Den of Evil: Fire
/// Bolt", "Izual: 2 Fire Bolt", "From Reserve: Warmth".
[[nodiscard]] std::string runText(const LevelRun& run);
/// Every run, joined by ", ".
[[nodiscard]] std::string levelOrderText(const std::vector<LevelRun>& runs);
/// "Den of Evil: 2 taken, 1 open".
[[nodiscard]] std::string questLine(const QuestSummary& quest);
/// "FIRE BASED 9, LIGHTNING BASED 0, COLD BASED 66": the points per tree.
[[nodiscard]] std::string treePointsText(const PlanSummary& summary);
/// "Frost Witch, Sorceress, level 75", or without a name "Sorceress, level 75".
[[nodiscard]] std::string headingText(const PlanSummary& summary);
/// The whole summary as lines of plain text, as the summary window shows it:
/// the heading, the points per tree, the skills, the quests, the reserve,
/// the level order, and the milestones and the note where the plan has them.
[[nodiscard]] std::string summaryText(const PlanSummary& summary);
/// The quest's name as the summary writes it: "Den of Evil", "Book of
/// Skill", "Izual".
[[nodiscard]] std::string_view questName(model::Quest quest);

} // namespace skillwright::presentation

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace skillwright::model {

/// The five character classes, in the order of their screens' data tables.
enum class ClassId : std::uint8_t { Necromancer, Amazon, Barbarian, Paladin, Sorceress };
inline constexpr int kClassCount = 5;

/// The fifteen skill trees, grouped by class and ordered left, middle, right
/// as each class screen shows them.
enum class TreeId : std::uint8_t {
    NecromancerSummoning,
    NecromancerPoisonBone,
    NecromancerCurses,
    AmazonJavelinSpear,
    AmazonPassiveMagic,
    AmazonBowCrossbow,
    BarbarianMasteries,
    BarbarianWarcries,
    BarbarianCombat,
    PaladinOffensiveAuras,
    PaladinCombat,
    PaladinDefensiveAuras,
    SorceressFire,
    SorceressLightning,
    SorceressCold,
};
inline constexpr int kTreeCount = 15;
inline constexpr int kSkillsPerTree = 10;
inline constexpr int kTierCount = 6;
inline constexpr std::array<std::int16_t, kTierCount> kTierOpeningLevels{1, 6, 12, 18, 24, 30};

/// One skill of a tree. Prerequisites are skill indices of the same tree, in
/// the order they are tested; -1 marks an unused slot.
struct Skill {
    std::string_view name;
    std::int16_t openingLevel; ///< character level at which the skill opens: 1, 6, 12, 18, 24 or 30
    std::int16_t column;       ///< 1 (leftmost) to 3 (rightmost) within the tree's column of the screen
    std::array<std::int8_t, 2> prerequisites;
    std::string_view messageName; ///< the name a prerequisite refusal uses
    std::string_view tooltip;

    [[nodiscard]] int tierRow() const;
};

struct Tree {
    TreeId id;
    std::string_view code; ///< case-sensitive tree code, e.g. "NecroBone"
    ClassId classId;
    int position; ///< 0 left, 1 middle, 2 right on the class screen
    std::string_view title;
    std::array<Skill, kSkillsPerTree> skills;
};

/// One skill of the catalogue: its tree and its index (0..9) in that tree.
struct SkillRef {
    TreeId tree = TreeId::NecromancerSummoning;
    std::int16_t index = 0;
    friend bool operator==(const SkillRef&, const SkillRef&) = default;
};

struct ClassInfo {
    ClassId id;
    std::string_view name;       ///< "Necromancer"
    std::array<TreeId, 3> trees; ///< left, middle, right
};

const std::array<ClassInfo, kClassCount>& classes();
const ClassInfo& classInfo(ClassId id);
const std::array<Tree, kTreeCount>& trees();
const Tree& tree(TreeId id);
const Skill& skill(TreeId id, int index);
/// Exact, case-sensitive lookup; nullopt for any other text.
std::optional<TreeId> treeByCode(std::string_view code);
/// The entry suffix of a skill: ": " followed by its name.
std::string_view entrySuffix(TreeId id, int index);

/// The planner's longer explanation of a skill, shown on hover.
std::string_view skillDescription(TreeId id, int index);
/// An extra line shown after the description (only Multi-Shot Arrow has one).
std::string_view skillNote(TreeId id, int index);

} // namespace skillwright::model

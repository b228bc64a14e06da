#pragma once

#include <model/Catalogue.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skillwright::model {

/// The four attributes a level-up's stat points go into.
enum class Attribute : std::uint8_t { Strength, Dexterity, Vitality, Energy };
inline constexpr std::array<Attribute, 4> kAttributes{Attribute::Strength, Attribute::Dexterity,
                                                      Attribute::Vitality, Attribute::Energy};
[[nodiscard]] std::string_view attributeName(Attribute attribute);
/// The attribute of that exact name ("Strength"), if any.
[[nodiscard]] std::optional<Attribute> attributeNamed(std::string_view name);

/// "Strength to 55": stat points go to the attribute until it reaches the value.
struct AttributeTarget {
    Attribute attribute = Attribute::Strength;
    int value = 0;

    friend bool operator==(const AttributeTarget&, const AttributeTarget&) = default;
};

/// The three difficulties a quest is done in once each.
inline constexpr std::size_t kDifficulties = 3;
inline constexpr std::array<std::string_view, kDifficulties> kDifficultyNames{"Normal", "Nightmare", "Hell"};

/// How a character's stat points are placed: the targets in order, then
/// everything else into `rest`; and the character levels at which the two
/// quests that give more than skill points were done, by difficulty (0 when
/// not done there).
///
///     targets {Strength 55, Dexterity 70}, rest Vitality, tome {20, 0, 0}
///     Paladin at level 21: 100 + 5 points: Strength 25 -> 55 (30),
///     Dexterity 20 -> 70 (50), Vitality 25 + 25 = 50
struct AttributePlan {
    std::vector<AttributeTarget> targets;
    Attribute rest = Attribute::Vitality;
    std::array<std::int16_t, kDifficulties> tome{};       ///< Lam Esen's Tome: 5 stat points
    std::array<std::int16_t, kDifficulties> goldenBird{}; ///< the Golden Bird: 20 life

    /// As a plan without attributes has it: nothing to save.
    [[nodiscard]] bool empty() const { return *this == AttributePlan{}; }
    friend bool operator==(const AttributePlan&, const AttributePlan&) = default;
};

/// A class's figures. Fractions are held in quarters, as the game holds them.
struct ClassFigures {
    std::array<int, 4> start; ///< by Attribute
    int startLife, startMana, startStamina;
    int lifePerLevel, manaPerLevel, staminaPerLevel;        ///< quarters
    int lifePerVitality, staminaPerVitality, manaPerEnergy; ///< quarters
};
[[nodiscard]] const ClassFigures& classFigures(ClassId classId);

inline constexpr int kStatPointsPerLevel = 5;
inline constexpr int kTomeStatPoints = 5;
inline constexpr int kGoldenBirdLife = 20;
inline constexpr int kMaxCharacterLevel = 99; ///< kMaxLevel, which the build's header holds
/// The most stat points a character has: 98 level-ups and three tomes.
inline constexpr int kMostStatPoints = (kMaxCharacterLevel - 1) * kStatPointsPerLevel + 3 * kTomeStatPoints;
inline constexpr std::size_t kMaxAttributeTargets = 20;

/// A character at one level: its attributes and its life, mana and stamina
/// as the game shows them (rounded down).
struct CharacterFigures {
    int level = 1;
    std::array<int, 4> attributes{}; ///< by Attribute
    int life = 0;
    int mana = 0;
    int stamina = 0;

    [[nodiscard]] int operator[](Attribute a) const { return attributes[static_cast<std::size_t>(a)]; }
    friend bool operator==(const CharacterFigures&, const CharacterFigures&) = default;
};

/// Why `plan` cannot be a character's of `classId`: a target below the
/// class's start or beyond what any character reaches, too many targets, a
/// quest marked outside levels 1..99 or before the one of an easier
/// difficulty. Nothing when it can.
[[nodiscard]] std::optional<std::string> attributePlanProblem(const AttributePlan& plan, ClassId classId);

/// The character of `classId` placing its points by `plan`, at `level` (1..99).
[[nodiscard]] CharacterFigures figuresAt(ClassId classId, const AttributePlan& plan, int level);
/// The same at every level from 1 to 99, the first at index 0.
[[nodiscard]] std::vector<CharacterFigures> figuresByLevel(ClassId classId, const AttributePlan& plan);

/// "Strength 55", as reports and the journal write a target.
[[nodiscard]] std::string attributeTargetText(const AttributeTarget& target);
/// The target of a text as targetText writes it (a sign allowed, so that a
/// value below the start is told as such); nothing for any other text.
[[nodiscard]] std::optional<AttributeTarget> parseAttributeTarget(std::string_view text);

/// A target that level `level` leaves unmet, and by how many points.
struct Shortfall {
    std::size_t target = 0;
    int points = 0;

    friend bool operator==(const Shortfall&, const Shortfall&) = default;
};
[[nodiscard]] std::vector<Shortfall> shortfalls(ClassId classId, const AttributePlan& plan, int level);

} // namespace skillwright::model

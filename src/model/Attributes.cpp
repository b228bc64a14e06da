#include "Attributes.h"

#include <model/BuildState.h>

#include <algorithm>
#include <charconv>

namespace skillwright::model {

static_assert(kMaxCharacterLevel == kMaxLevel);

namespace {

constexpr std::array<std::string_view, 4> kAttributeNames{"Strength", "Dexterity", "Vitality", "Energy"};

// The game's character table (later patches, carried back: no early table is
// known and no patch note changes it). Quarters: 1.5 a level is 6.
//                                       Str Dex Vit Ene  life mana stam  per level  per Vit/Ene
constexpr std::array<ClassFigures, kClassCount> kClassFigures{{
    /* Necromancer */ {{15, 25, 15, 25}, 45, 25, 79, 6, 8, 4, 8, 4, 8},
    /* Amazon      */ {{20, 25, 20, 15}, 50, 15, 84, 8, 6, 4, 12, 4, 6},
    /* Barbarian   */ {{30, 20, 25, 10}, 55, 10, 92, 8, 4, 4, 16, 4, 4},
    /* Paladin     */ {{25, 20, 25, 15}, 55, 15, 89, 8, 6, 4, 12, 4, 6},
    /* Sorceress   */ {{10, 25, 10, 35}, 40, 35, 74, 4, 8, 4, 8, 4, 8},
}};

std::size_t at(Attribute attribute) {
    return static_cast<std::size_t>(attribute);
}

/// How many of a quest's difficulties were done by `level`.
int doneBy(const std::array<std::int16_t, kDifficulties>& levels, int level) {
    return static_cast<int>(
        std::count_if(levels.begin(), levels.end(), [level](std::int16_t l) { return l > 0 && l <= level; }));
}

/// The attributes of `points` stat points placed by `plan` from the class's
/// start, and each target's points still missing.
std::array<int, 4> place(const ClassFigures& figures, const AttributePlan& plan, int points,
                         std::vector<Shortfall>* missing) {
    std::array<int, 4> attributes = figures.start;
    for (std::size_t i = 0; i < plan.targets.size(); ++i) {
        int& value = attributes[at(plan.targets[i].attribute)];
        const int given = std::clamp(plan.targets[i].value - value, 0, points);
        value += given;
        points -= given;
        if (missing != nullptr && value < plan.targets[i].value) {
            missing->push_back({i, plan.targets[i].value - value});
        }
    }
    attributes[at(plan.rest)] += points;
    return attributes;
}

std::string questName(bool tome, std::size_t difficulty) {
    return std::string(tome ? "Lam Esen's Tome" : "The Golden Bird") + " in " +
           std::string(kDifficultyNames[difficulty]);
}

} // namespace

std::string_view attributeName(Attribute attribute) {
    return kAttributeNames[at(attribute)];
}

std::optional<Attribute> attributeNamed(std::string_view name) {
    const auto it = std::find(kAttributeNames.begin(), kAttributeNames.end(), name);
    if (it == kAttributeNames.end()) {
        return std::nullopt;
    }
    return kAttributes[static_cast<std::size_t>(it - kAttributeNames.begin())];
}

std::string attributeTargetText(const AttributeTarget& target) {
    return std::string(attributeName(target.attribute)) + " " + std::to_string(target.value);
}

std::optional<AttributeTarget> parseAttributeTarget(std::string_view text) {
    const std::size_t space = text.find(' ');
    const auto attribute =
        space == std::string_view::npos ? std::nullopt : attributeNamed(text.substr(0, space));
    if (!attribute) {
        return std::nullopt;
    }
    const std::string_view digits = text.substr(space + 1);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return AttributeTarget{*attribute, value};
}

const ClassFigures& classFigures(ClassId classId) {
    return kClassFigures[static_cast<std::size_t>(classId)];
}

std::optional<std::string> attributePlanProblem(const AttributePlan& plan, ClassId classId) {
    if (plan.targets.size() > kMaxAttributeTargets) {
        return "An attribute plan holds at most " + std::to_string(kMaxAttributeTargets) + " targets.";
    }
    const ClassFigures& figures = classFigures(classId);
    const std::string className(classInfo(classId).name);
    for (const AttributeTarget& target : plan.targets) {
        const std::string name(attributeName(target.attribute));
        const int start = figures.start[at(target.attribute)];
        if (target.value < start) {
            return name + " to " + std::to_string(target.value) + " is below the " + className +
                   "'s starting " + name + " of " + std::to_string(start) + ".";
        }
        if (target.value > start + kMostStatPoints) {
            return name + " to " + std::to_string(target.value) + " is beyond any " + className + ": " +
                   std::to_string(start + kMostStatPoints) + " at most, with every stat point in it.";
        }
    }
    for (const bool tome : {true, false}) {
        const auto& levels = tome ? plan.tome : plan.goldenBird;
        int before = 0;
        for (std::size_t d = 0; d < kDifficulties; ++d) {
            if (levels[d] < 0 || levels[d] > kMaxCharacterLevel) {
                return questName(tome, d) + " is marked at level " + std::to_string(levels[d]) +
                       "; a character's levels are 1 to 99.";
            }
            if (levels[d] > 0 && levels[d] < before) {
                return questName(tome, d) + " is marked at level " + std::to_string(levels[d]) +
                       ", before the easier difficulty's at " + std::to_string(before) + ".";
            }
            before = std::max<int>(before, levels[d]);
        }
    }
    return std::nullopt;
}

CharacterFigures figuresAt(ClassId classId, const AttributePlan& plan, int level) {
    const ClassFigures& f = classFigures(classId);
    level = std::clamp(level, 1, kMaxCharacterLevel);
    const int points = (level - 1) * kStatPointsPerLevel + doneBy(plan.tome, level) * kTomeStatPoints;
    CharacterFigures out;
    out.level = level;
    out.attributes = place(f, plan, points, nullptr);
    const int vitality = out[Attribute::Vitality] - f.start[at(Attribute::Vitality)];
    const int energy = out[Attribute::Energy] - f.start[at(Attribute::Energy)];
    // In quarters, shown rounded down, as the game does.
    out.life = (4 * (f.startLife + doneBy(plan.goldenBird, level) * kGoldenBirdLife) +
                (level - 1) * f.lifePerLevel + vitality * f.lifePerVitality) /
               4;
    out.mana = (4 * f.startMana + (level - 1) * f.manaPerLevel + energy * f.manaPerEnergy) / 4;
    out.stamina =
        (4 * f.startStamina + (level - 1) * f.staminaPerLevel + vitality * f.staminaPerVitality) / 4;
    return out;
}

std::vector<CharacterFigures> figuresByLevel(ClassId classId, const AttributePlan& plan) {
    std::vector<CharacterFigures> table;
    table.reserve(kMaxCharacterLevel);
    for (int level = 1; level <= kMaxCharacterLevel; ++level) {
        table.push_back(figuresAt(classId, plan, level));
    }
    return table;
}

std::vector<Shortfall> shortfalls(ClassId classId, const AttributePlan& plan, int level) {
    level = std::clamp(level, 1, kMaxCharacterLevel);
    std::vector<Shortfall> missing;
    place(classFigures(classId), plan,
          (level - 1) * kStatPointsPerLevel + doneBy(plan.tome, level) * kTomeStatPoints, &missing);
    return missing;
}

} // namespace skillwright::model

// Attributes, life, mana and stamina at every level, against the game's
// character table read from its own file and worked out point by point.
#include <model/Attributes.h>

#include <gtest/gtest.h>

#include <PlanMaker.h>
#include <TsvRows.h>
#include <cmath>
#include <random>

namespace skillwright::model {
namespace {

/// One class's row of the table, as its file gives it.
struct TableRow {
    std::array<double, 4> start{};
    double life = 0, mana = 0, stamina = 0;
    double lifePerLevel = 0, manaPerLevel = 0, staminaPerLevel = 0;
    double lifePerVitality = 0, staminaPerVitality = 0, manaPerEnergy = 0;
};

TableRow tableRow(ClassId classId) {
    for (const auto& f : skillwright::testing::readTsvRows(SW_CLASS_STATS)) {
        if (f.size() >= 14 && f[0] == classInfo(classId).name) {
            const auto d = [&f](std::size_t i) { return std::stod(f[i]); };
            return {{d(1), d(2), d(3), d(4)}, d(5), d(6), d(7), d(8), d(9), d(10), d(11), d(12), d(13)};
        }
    }
    ADD_FAILURE() << "no row for " << classInfo(classId).name;
    return {};
}

/// A level-up at a time, each of its five points (and a tome's) given alone
/// to the first target not met, else to the rest.
std::vector<CharacterFigures> pointByPoint(ClassId classId, const AttributePlan& plan) {
    const TableRow row = tableRow(classId);
    std::array<int, 4> attributes{};
    for (std::size_t a = 0; a < 4; ++a) {
        attributes[a] = static_cast<int>(row.start[a]);
    }
    const auto give = [&](int points) {
        for (; points > 0; --points) {
            Attribute to = plan.rest;
            for (const AttributeTarget& t : plan.targets) {
                if (attributes[static_cast<std::size_t>(t.attribute)] < t.value) {
                    to = t.attribute;
                    break;
                }
            }
            ++attributes[static_cast<std::size_t>(to)];
        }
    };
    std::vector<CharacterFigures> levels;
    int birds = 0;
    for (int level = 1; level <= 99; ++level) {
        if (level > 1) {
            give(5);
        }
        for (std::size_t d = 0; d < 3; ++d) {
            give(plan.tome[d] == level ? 5 : 0);
            birds += plan.goldenBird[d] == level ? 1 : 0;
        }
        const double vitality = attributes[2] - row.start[2];
        const double energy = attributes[3] - row.start[3];
        levels.push_back({level, attributes,
                          static_cast<int>(std::floor(row.life + 20 * birds + (level - 1) * row.lifePerLevel +
                                                      vitality * row.lifePerVitality)),
                          static_cast<int>(std::floor(row.mana + (level - 1) * row.manaPerLevel +
                                                      energy * row.manaPerEnergy)),
                          static_cast<int>(std::floor(row.stamina + (level - 1) * row.staminaPerLevel +
                                                      vitality * row.staminaPerVitality))});
    }
    return levels;
}

TEST(Attributes, everyLevelOfRandomPlansAgreesWithTheTableWorkedPointByPoint) {
    std::mt19937 random(46);
    for (int n = 0; n < 200; ++n) {
        const auto classId = static_cast<ClassId>(n % kClassCount);
        const AttributePlan plan = skillwright::testing::randomAttributes(classId, random);
        SCOPED_TRACE(n);
        ASSERT_EQ(attributePlanProblem(plan, classId), std::nullopt);
        ASSERT_EQ(figuresByLevel(classId, plan), pointByPoint(classId, plan));
    }
}

// Worked by hand from the table: the class's start, a quarter dropped, a
// tome's five points and a bird's twenty life from the level they come at.
TEST(Attributes, figuresWorkedByHand) {
    AttributePlan quests;
    quests.tome = {20, 0, 0};
    quests.goldenBird = {20, 0, 0};
    AttributePlan energy;
    energy.rest = Attribute::Energy;
    AttributePlan paladin{
        {{Attribute::Strength, 55}, {Attribute::Dexterity, 70}}, Attribute::Vitality, {20, 0, 0}};
    const struct {
        ClassId classId;
        const AttributePlan& plan;
        int level;
        CharacterFigures expected;
    } cases[] = {
        {ClassId::Necromancer, {}, 1, {1, {15, 25, 15, 25}, 45, 25, 79}},
        {ClassId::Necromancer, {}, 2, {2, {15, 25, 20, 25}, 56, 27, 85}},
        {ClassId::Necromancer, energy, 4, {4, {15, 25, 15, 40}, 49, 61, 82}},
        {ClassId::Amazon, energy, 3, {3, {20, 25, 20, 25}, 54, 33, 86}},
        {ClassId::Sorceress, quests, 19, {19, {10, 25, 100, 35}, 238, 71, 182}},
        {ClassId::Sorceress, quests, 20, {20, {10, 25, 110, 35}, 279, 73, 193}},
        {ClassId::Paladin, paladin, 21, {21, {55, 70, 50, 15}, 170, 45, 134}},
        {ClassId::Barbarian, {}, 99, {99, {30, 20, 515, 10}, 2211, 108, 680}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        EXPECT_EQ(figuresAt(c.classId, c.plan, c.level), c.expected);
    }
    EXPECT_EQ(shortfalls(ClassId::Paladin, paladin, 10), (std::vector<Shortfall>{{1, 35}}));
}

TEST(Attributes, plansNoCharacterCanHaveAreRefusedWithWhy) {
    const auto target = [](Attribute a, int value) { return AttributePlan{{{a, value}}}; };
    AttributePlan lateTome;
    lateTome.tome = {40, 30, 0};
    AttributePlan birdAt100;
    birdAt100.goldenBird = {0, 0, 100};
    const struct {
        AttributePlan plan;
        const char* why;
    } cases[] = {
        {target(Attribute::Strength, 10), "Strength to 10 is below the Paladin's starting Strength of 25."},
        {target(Attribute::Energy, -5), "Energy to -5 is below the Paladin's starting Energy of 15."},
        {target(Attribute::Vitality, 10000),
         "Vitality to 10000 is beyond any Paladin: 530 at most, with every stat point in it."},
        {lateTome,
         "Lam Esen's Tome in Nightmare is marked at level 30, before the easier difficulty's at 40."},
        {birdAt100, "The Golden Bird in Hell is marked at level 100; a character's levels are 1 to 99."},
        {AttributePlan{std::vector<AttributeTarget>(21, {Attribute::Strength, 30})},
         "An attribute plan holds at most 20 targets."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(attributePlanProblem(c.plan, ClassId::Paladin), c.why);
    }
    EXPECT_EQ(attributePlanProblem(target(Attribute::Vitality, 530), ClassId::Paladin), std::nullopt);
}

} // namespace
} // namespace skillwright::model

// The allocation rules as a player states them, checked for every skill of
// the catalogue: a skill opens at its tier's level, holds at most one point
// per level it has been available (a reserved point does not raise the level,
// so it is held to the level already reached), needs a point in each of its
// prerequisites, holds at most 20 points, and no character passes level 99.
#include "Planner.h"

#include <RandomPlay.h>
#include <random>

namespace skillwright::model::testing {
namespace {

struct SkillCase {
    TreeId tree;
    int index;
};

std::vector<SkillCase> everySkill() {
    std::vector<SkillCase> all;
    for (const Tree& t : trees()) {
        for (int i = 0; i < kSkillsPerTree; ++i) {
            all.push_back({t.id, i});
        }
    }
    return all;
}

std::string caseName(const ::testing::TestParamInfo<SkillCase>& info) {
    std::string name = std::string(tree(info.param.tree).code) + "_" + std::to_string(info.param.index);
    return name;
}

enum class Kind { Ordinary, Quest, Reserved };

/// "After the point, the skill may hold at most one point per level it has
/// been available": the level after an ordinary or quest point counts as the
/// next level-up, a reserved point counts only the level already reached.
bool capAllows(Kind kind, int levelBefore, int pointsBefore, int tier) {
    if (tier == 1) {
        return true; // the first tier has no cap
    }
    const int levelReached = kind == Kind::Reserved ? levelBefore : levelBefore + 1;
    return pointsBefore + 1 <= levelReached - tier + 1;
}

class EverySkill : public Planner, public ::testing::WithParamInterface<SkillCase> {};

TEST_P(EverySkill, opensAtItsTierAndHoldsOnePointPerLevel) {
    const auto [t, i] = GetParam();
    const Skill& s = skill(t, i);
    open(t);
    learn(t, prerequisiteClosure(t, i));

    if (s.openingLevel > 1) {
        // One level short of the tier: the required-level refusal, nothing changes.
        reserveUntilLevel(t, s.openingLevel - 2);
        const auto before = history();
        EXPECT_EQ(click(t, i).refusal, Refusal::RequiredLevel);
        EXPECT_EQ(notice(), requiredLevelText(s.openingLevel));
        EXPECT_EQ(points(t, i), 0);
        EXPECT_EQ(history(), before);
    }

    // At the level before the tier, the next level-up opens it...
    reserveUntilLevel(t, s.openingLevel - 1);
    if (build.reservedPoints() == 0) {
        reserve(t); // only a first-tier skill gets here with an empty reserve
    }
    const int levelBefore = level();
    // ...but a reserved point does not raise the level.
    useReserve(t, i);
    if (capAllows(Kind::Reserved, levelBefore, 0, s.openingLevel)) {
        EXPECT_EQ(points(t, i), 1);
        build.undoLast();
    } else {
        EXPECT_EQ(notice(), kCapText);
        EXPECT_EQ(points(t, i), 0);
    }

    // A quest point uses the level-up threshold although the level stays.
    denOfEvil(t, i);
    ASSERT_EQ(points(t, i), 1) << notice();
    EXPECT_EQ(lastEntry(), "Den Of Evil: Normal Slvl 1" + std::string(entrySuffix(t, i)));
    EXPECT_EQ(level(), levelBefore);

    izual(t, i);
    if (capAllows(Kind::Quest, levelBefore, 1, s.openingLevel)) {
        EXPECT_EQ(points(t, i), 2);
        build.undoLast();
    } else {
        EXPECT_EQ(notice(), kCapText);
        EXPECT_EQ(points(t, i), 1);
        EXPECT_EQ(build.questCount(Quest::Izual), 0) << "the refused quest point is given back";
    }

    // Ordinary points: the quest point already fills the level the next
    // level-up reaches, so the level must catch up first.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int lvl = level();
        const int pts = points(t, i);
        click(t, i);
        if (capAllows(Kind::Ordinary, lvl, pts, s.openingLevel)) {
            ASSERT_EQ(points(t, i), pts + 1) << notice();
            EXPECT_EQ(level(), lvl + 1);
            EXPECT_EQ(lastEntry(), "Clvl " + std::to_string(lvl + 1) + " Slvl " + std::to_string(pts + 1) +
                                       std::string(entrySuffix(t, i)));
            break;
        }
        EXPECT_EQ(notice(), kCapText);
        EXPECT_EQ(points(t, i), pts);
        EXPECT_EQ(level(), lvl);
        reserve(t);
    }
    ASSERT_EQ(points(t, i), 2);

    // Reserved points: refused until the level has caught up with the points.
    for (int attempt = 0; attempt < 3; ++attempt) {
        reserve(t);
        const int lvl = level();
        const int pts = points(t, i);
        useReserve(t, i);
        if (capAllows(Kind::Reserved, lvl, pts, s.openingLevel)) {
            EXPECT_EQ(points(t, i), pts + 1) << "level " << lvl;
            EXPECT_EQ(lastEntry(),
                      "Reserved Slvl " + std::to_string(pts + 1) + std::string(entrySuffix(t, i)));
        } else {
            EXPECT_EQ(notice(), kCapText) << "level " << lvl;
            EXPECT_EQ(points(t, i), pts);
        }
    }
}

TEST_P(EverySkill, namesTheFirstMissingPrerequisite) {
    const auto [t, i] = GetParam();
    const Skill& s = skill(t, i);
    open(t);
    reserveUntilLevel(t, 60);
    std::vector<int> given;
    for (auto p : s.prerequisites) {
        if (p < 0 || points(t, p) > 0) {
            continue;
        }
        click(t, i);
        EXPECT_EQ(notice(), prerequisiteText(skill(t, p).messageName));
        EXPECT_EQ(points(t, i), 0);
        learn(t, prerequisiteClosure(t, p));
        learn(t, {p});
    }
    click(t, i);
    EXPECT_EQ(points(t, i), 1) << notice();
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EverySkill, ::testing::ValuesIn(everySkill()), caseName);

using Limits = Planner;

TEST_F(Limits, twentyPointsThenLevel99WithTheTwentyPointTextFirst) {
    open(ClassId::Necromancer);
    for (int n = 1; n <= 20; ++n) {
        click(TreeId::NecromancerPoisonBone, 0);
    }
    EXPECT_EQ(points(TreeId::NecromancerPoisonBone, 0), 20);
    click(TreeId::NecromancerPoisonBone, 0);
    EXPECT_EQ(notice(), kTwentyText);
    EXPECT_EQ(points(TreeId::NecromancerPoisonBone, 0), 20);
    EXPECT_EQ(level(), 21);

    reserveUntilLevel(TreeId::NecromancerPoisonBone, 99);
    const auto before = history();
    click(TreeId::NecromancerPoisonBone, 0);
    EXPECT_EQ(notice(), kTwentyText) << "a full skill reports the 20-point rule first";
    click(TreeId::NecromancerPoisonBone, 1);
    EXPECT_EQ(notice(), kLevel99Text);
    click(TreeId::NecromancerSummoning, 8);
    EXPECT_EQ(notice(), kLevel99Text) << "level 99 comes before the tier and prerequisite tests";
    denOfEvil(TreeId::NecromancerPoisonBone, 1);
    EXPECT_EQ(notice(), kLevel99Text);
    EXPECT_EQ(build.questCount(Quest::DenOfEvil), 0);

    reserve(TreeId::NecromancerPoisonBone);
    EXPECT_EQ(notice(), kLevel99Text) << "no character passes level 99";
    EXPECT_EQ(level(), 99);
    EXPECT_EQ(history(), before);
}

TEST_F(Limits, clicksOnAnotherClassOrOutOfRangeChangeNothing) {
    open(ClassId::Amazon);
    click(TreeId::NecromancerPoisonBone, 0);
    click(TreeId::AmazonJavelinSpear, 10);
    click(TreeId::AmazonJavelinSpear, -1);
    EXPECT_TRUE(history().empty());
    EXPECT_EQ(level(), 1);
}

} // namespace
} // namespace skillwright::model::testing

namespace skillwright::model::testing {
namespace {

// The rules' check of a click, which the screen reader's names read,
// answers what the click then does, for every skill of every class at every
// stage of many random plans.
TEST(RuleCheck, foretellsTheClick) {
    std::mt19937 random(20261206);
    for (const ClassInfo& c : classes()) {
        for (const int target : {1, 2, 7, 19, 31, 60, 99}) {
            Build build;
            support::playAtRandom(build, c.id, target, random);
            for (const TreeId t : c.trees) {
                for (std::int16_t i = 0; i < kSkillsPerTree; ++i) {
                    const PointResult told = ruleCheck(build.state(), {t, i}, EntryKind::Ordinary);
                    const PointResult done = build.click(t, i);
                    ASSERT_EQ(told.taken, done.taken) << tree(t).code << " " << i << " at " << target;
                    ASSERT_EQ(told.refusal, done.refusal) << tree(t).code << " " << i << " at " << target;
                    EXPECT_EQ(told.requiredLevel, done.requiredLevel);
                    EXPECT_EQ(told.missing, done.missing);
                    if (done.accepted()) {
                        build.undoLast();
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace skillwright::model::testing

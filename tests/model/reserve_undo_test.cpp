// Reserved points, and undo whatever suffix a skill's name shares with
// another.
#include "Planner.h"

namespace skillwright::model::testing {
namespace {

using Reserve = Planner;

TEST_F(Reserve, holdsTheLevelsPointAndSpendsItLater) {
    open(ClassId::Necromancer);
    reserveUntilLevel(TreeId::NecromancerPoisonBone, 6);
    reserve(TreeId::NecromancerPoisonBone);
    EXPECT_EQ(status.levelLabel(), "Level 7");
    EXPECT_EQ(status.reserveLabel(), "Reserved Points: 6");
    EXPECT_EQ(status.pointsLabel(), "Skill Points:  6");
    EXPECT_EQ(lastEntry(), "Clvl 7 Reserved For Later ");

    useReserve(TreeId::NecromancerPoisonBone, 0);
    useReserve(TreeId::NecromancerPoisonBone, 0);
    EXPECT_EQ(lastEntry(), "Reserved Slvl 2: Teeth");
    EXPECT_EQ(build.reservedPoints(), 4);
    EXPECT_EQ(level(), 7);
    EXPECT_EQ(status.levelLabel(), "Level 7");
}

TEST_F(Reserve, aFullSkillReportsTwentyPointsNotAnEmptyReserve) {
    open(ClassId::Amazon);
    for (int n = 0; n < 20; ++n) {
        click(TreeId::AmazonPassiveMagic, 0);
    }
    useReserve(TreeId::AmazonPassiveMagic, 0);
    EXPECT_EQ(notice(), kTwentyText);
}

TEST_F(Reserve, aNewScreenStartsWithAnEmptyReserve) {
    for (const ClassId next : {ClassId::Sorceress, ClassId::Necromancer}) {
        open(ClassId::Necromancer);
        reserve(TreeId::NecromancerPoisonBone);
        reserve(TreeId::NecromancerPoisonBone);
        open(next);
        EXPECT_EQ(status.reserveLabel(), "Reserved Points: 0");
        const TreeId first = classInfo(next).trees[0];
        useReserve(first, 0);
        EXPECT_EQ(notice(), "You have no skill points in reserve.");
        EXPECT_TRUE(history().empty());
    }
}

using Undo = Planner;

TEST_F(Undo, anEmptyHistoryChangesNothing) {
    open(ClassId::Sorceress);
    struct Counter : BuildListener {
        int changes = 0;
        void buildChanged(const BuildChange& /*change*/) override { ++changes; }
    } listener;
    build.addListener(listener);
    EXPECT_FALSE(build.undoLast());
    EXPECT_EQ(status.levelLabel(), "Level: 1");
    EXPECT_EQ(status.pointsLabel(), "Skill Points: 0");
    EXPECT_EQ(listener.changes, 0);
    build.removeListener(listener);
}

TEST_F(Undo, izualCaptionFollowsTheCounterDown) {
    open(ClassId::Sorceress);
    reserveUntilLevel(TreeId::SorceressFire, 40);
    for (int n = 0; n < 3; ++n) {
        izual(TreeId::SorceressFire, 0);
    }
    EXPECT_EQ(caption(Quest::Izual), "&Death of Izual (Nightmare)");
    build.undoLast();
    EXPECT_EQ(caption(Quest::Izual), "&Death of Izual (Nightmare)");
    build.undoLast();
    EXPECT_EQ(caption(Quest::Izual), "&Death of Izual (Normal)");
    EXPECT_EQ(build.questCount(Quest::Izual), 1);
}

// Every pair of skills on one screen where one entry suffix begins the other
// (": Leap" and ": Leap Attack"): undo lowers the skill the entry names.
TEST_F(Undo, aSuffixThatBeginsAnotherNeverStealsItsEntry) {
    int pairs = 0;
    for (const ClassInfo& c : classes()) {
        for (TreeId ta : c.trees) {
            for (TreeId tb : c.trees) {
                for (int a = 0; a < kSkillsPerTree; ++a) {
                    for (int b = 0; b < kSkillsPerTree; ++b) {
                        const auto sa = entrySuffix(ta, a);
                        const auto sb = entrySuffix(tb, b);
                        if (sa.size() >= sb.size() || !sb.starts_with(sa)) {
                            continue;
                        }
                        ++pairs;
                        open(c.id);
                        reserveUntilLevel(tb, 60);
                        learn(ta, prerequisiteClosure(ta, a));
                        learn(ta, {a});
                        learn(tb, prerequisiteClosure(tb, b));
                        click(tb, b);
                        ASSERT_TRUE(lastEntry().ends_with(sb)) << lastEntry();
                        const int shorter = points(ta, a);
                        const int longer = points(tb, b);
                        build.undoLast();
                        EXPECT_EQ(points(ta, a), shorter) << sa << " was lowered for " << sb;
                        EXPECT_EQ(points(tb, b), longer - 1);
                    }
                }
            }
        }
    }
    EXPECT_EQ(pairs, 2) << "Leap / Leap Attack and Lightning / Lightning Mastery";
}

} // namespace
} // namespace skillwright::model::testing

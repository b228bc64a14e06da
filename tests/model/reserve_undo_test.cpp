// Reserved points and undo: every kind of history entry is taken back
// exactly, whatever suffix its skill's name shares with another.
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

TEST_F(Reserve, anEmptyReserveOnlyShowsTheNotice) {
    open(ClassId::Amazon);
    rightClick(TreeId::AmazonPassiveMagic, 0);
    EXPECT_EQ(build.useReservedPoint(chosen).refusal, Refusal::EmptyReserve);
    EXPECT_EQ(notice(), "You have no skill points in reserve.");
    EXPECT_TRUE(history().empty());
    EXPECT_EQ(level(), 1);
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

TEST_F(Reserve, reservingAtLevelTwoAnnouncesDenOfEvil) {
    open(ClassId::Paladin);
    click(TreeId::PaladinDefensiveAuras, 0);
    reserve(TreeId::PaladinDefensiveAuras);
    EXPECT_EQ(notice(), "Den Of Evil (Normal) quest skill point is now available.  Right click to use.");
}

using Undo = Planner;

TEST_F(Undo, takesBackEachKindOfEntryExactly) {
    open(ClassId::Necromancer);
    const TreeId bone = TreeId::NecromancerPoisonBone;
    click(bone, 0);       // Clvl 2 Slvl 1: Teeth
    reserve(bone);        // Clvl 3 Reserved For Later
    useReserve(bone, 0);  // Reserved Slvl 2: Teeth
    denOfEvil(bone, 1);   // Den Of Evil: Normal Slvl 1: Bone Armor
    bookOfSkill(bone, 1); // Book of Skill: Normal Slvl 2: Bone Armor
    izual(bone, 0);       // Izual Quest Point:(1) Normal Slvl 3: Teeth
    ASSERT_EQ(history(), (std::vector<std::string>{
                             "Clvl 2 Slvl 1: Teeth",
                             "Clvl 3 Reserved For Later ",
                             "Reserved Slvl 2: Teeth",
                             "Den Of Evil: Normal Slvl 1: Bone Armor",
                             "Book of Skill: Normal Slvl 2: Bone Armor",
                             "Izual Quest Point:(1) Normal Slvl 3: Teeth",
                         }));
    struct Expect {
        int teeth, boneArmor, level, reserve, den, book, izual;
    };
    const std::vector<Expect> afterEachUndo{
        {2, 2, 3, 0, 1, 1, 0}, {2, 1, 3, 0, 1, 0, 0}, {2, 0, 3, 0, 0, 0, 0},
        {1, 0, 3, 1, 0, 0, 0}, {1, 0, 2, 0, 0, 0, 0}, {0, 0, 1, 0, 0, 0, 0},
    };
    for (const Expect& e : afterEachUndo) {
        build.undoLast();
        EXPECT_EQ(points(bone, 0), e.teeth);
        EXPECT_EQ(points(bone, 1), e.boneArmor);
        EXPECT_EQ(level(), e.level);
        EXPECT_EQ(build.reservedPoints(), e.reserve);
        EXPECT_EQ(build.questCount(Quest::DenOfEvil), e.den);
        EXPECT_EQ(build.questCount(Quest::BookOfSkill), e.book);
        EXPECT_EQ(build.questCount(Quest::Izual), e.izual);
        EXPECT_EQ(status.levelLabel(), "Level " + std::to_string(e.level));
        EXPECT_EQ(status.reserveLabel(), "Reserved Points: " + std::to_string(e.reserve));
    }
    EXPECT_TRUE(history().empty());
    EXPECT_EQ(status.pointsLabel(), "Skill Points:  0");
    EXPECT_EQ(caption(Quest::DenOfEvil), "&Den Of Evil (Normal)");
    EXPECT_EQ(caption(Quest::BookOfSkill), "&Book of Skill (Normal)");
    EXPECT_EQ(caption(Quest::Izual), "&Death of Izual (Normal)");
}

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

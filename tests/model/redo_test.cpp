// Undo and redo: every kind of entry is taken back exactly and comes back
// one by one, of its kind, until a new future is made.
#include "Planner.h"

#include <functional>

namespace skillwright::model::testing {
namespace {

class Redo : public Planner {
protected:
    static constexpr TreeId kBone = TreeId::NecromancerPoisonBone;

    /// Forty points held in reserve, so that every quest is offered, then one
    /// entry of each kind, on Teeth (0) and Bone Armor (1).
    static constexpr std::size_t kReserved = 40;
    void makeOneOfEachKind() {
        open(ClassId::Necromancer);
        reserveUntilLevel(kBone, 41);
        click(kBone, 0);
        reserve(kBone);
        useReserve(kBone, 0);
        denOfEvil(kBone, 1);
        bookOfSkill(kBone, 1);
        izual(kBone, 0);
        ASSERT_EQ(history().size(), kReserved + kOneOfEachKind.size());
    }

    /// Everything the screen shows of the build after the first `entries` entries.
    void expectFirstEntries(std::size_t entries) {
        struct State {
            int teeth, boneArmor, level, reserve, den, book, izual;
        };
        static constexpr std::array<State, 7> kAfter{{
            {0, 0, 41, 40, 0, 0, 0},
            {1, 0, 42, 40, 0, 0, 0},
            {1, 0, 43, 41, 0, 0, 0},
            {2, 0, 43, 40, 0, 0, 0},
            {2, 1, 43, 40, 1, 0, 0},
            {2, 2, 43, 40, 1, 1, 0},
            {3, 2, 43, 40, 1, 1, 1},
        }};
        const State& e = kAfter[entries];
        const std::vector<std::string> texts = history();
        ASSERT_EQ(texts.size(), kReserved + entries);
        EXPECT_EQ(std::vector<std::string>(texts.begin() + kReserved, texts.end()),
                  std::vector<std::string>(kOneOfEachKind.begin(),
                                           kOneOfEachKind.begin() + static_cast<long>(entries)));
        EXPECT_EQ(points(kBone, 0), e.teeth);
        EXPECT_EQ(points(kBone, 1), e.boneArmor);
        EXPECT_EQ(level(), e.level);
        EXPECT_EQ(build.reservedPoints(), e.reserve);
        EXPECT_EQ(build.questCount(Quest::DenOfEvil), e.den);
        EXPECT_EQ(build.questCount(Quest::BookOfSkill), e.book);
        EXPECT_EQ(build.questCount(Quest::Izual), e.izual);
    }

    struct Changes : BuildListener {
        std::vector<BuildChange> heard;
        void buildChanged(const BuildChange& change) override { heard.push_back(change); }
    };

    const std::vector<std::string> kOneOfEachKind{
        "Clvl 42 Slvl 1: Teeth",
        "Clvl 43 Reserved For Later ",
        "Reserved Slvl 2: Teeth",
        "Den Of Evil: Normal Slvl 1: Bone Armor",
        "Book of Skill: Normal Slvl 2: Bone Armor",
        "Izual Quest Point:(1) Normal Slvl 3: Teeth",
    };
};

TEST_F(Redo, takesBackEveryKindOfEntryInItsOrder) {
    makeOneOfEachKind();
    for (std::size_t n = 0; n < kOneOfEachKind.size(); ++n) {
        build.undoLast();
    }
    expectFirstEntries(0);
    EXPECT_EQ(caption(Quest::DenOfEvil), "&Den Of Evil (Normal)");
    EXPECT_EQ(caption(Quest::BookOfSkill), "&Book of Skill (Normal)");
    EXPECT_EQ(caption(Quest::Izual), "&Death of Izual (Normal)");
    Changes changes;
    build.addListener(changes);
    for (std::size_t n = 1; n <= kOneOfEachKind.size(); ++n) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(build.redo());
        expectFirstEntries(n);
        ASSERT_EQ(changes.heard.size(), n);
        EXPECT_EQ(changes.heard.back().kind, BuildChange::Kind::PointRedone);
        EXPECT_EQ(formatEntry(changes.heard.back().entry), kOneOfEachKind[n - 1]);
    }
    EXPECT_FALSE(build.redo());
    EXPECT_EQ(changes.heard.size(), kOneOfEachKind.size());
    build.removeListener(changes);
}

TEST_F(Redo, bringsBackWhatWasTakenBackToAnEntryOneByOne) {
    makeOneOfEachKind();
    Changes changes;
    build.addListener(changes);
    ASSERT_TRUE(build.takeBackTo(kReserved + 2));
    expectFirstEntries(2);
    ASSERT_EQ(changes.heard.size(), 1U);
    EXPECT_EQ(changes.heard[0].kind, BuildChange::Kind::TakenBack);
    EXPECT_EQ(formatEntry(changes.heard[0].entry), "Reserved Slvl 2: Teeth");
    EXPECT_FALSE(build.takeBackTo(kReserved + 2));
    for (std::size_t n = 3; n <= kOneOfEachKind.size(); ++n) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(build.redo());
        expectFirstEntries(n);
    }
    EXPECT_FALSE(build.redo());
    build.removeListener(changes);
}

TEST_F(Redo, endsWithANewFutureOnly) {
    struct Case {
        const char* what;
        std::function<void()> act;
        std::size_t redoable; ///< of the two entries undone before
    };
    const std::vector<Case> cases{
        {"a click", [this] { click(kBone, 0); }, 0},
        {"a refused click", [this] { click(kBone, 5); }, 2},
        {"a reserved point", [this] { reserve(kBone); }, 0},
        {"a point from the reserve", [this] { useReserve(kBone, 1); }, 0},
        {"a quest point", [this] { denOfEvil(kBone, 0); }, 0},
        {"another undo", [this] { build.undoLast(); }, 3},
        {"RESET", [this] { build.reset(); }, 0},
        {"opening a character", [this] { build.replay(build.plan()); }, 0},
        {"CHANGE CLASS", [this] { build.endCharacter(), open(ClassId::Necromancer); }, 0},
        {"another class's screen", [this] { open(ClassId::Amazon); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        build.endCharacter();
        open(ClassId::Necromancer);
        click(kBone, 0);
        reserve(kBone);
        reserve(kBone);
        click(kBone, 0);
        build.undoLast();
        build.undoLast();
        c.act();
        EXPECT_EQ(build.redoable().size(), c.redoable);
        EXPECT_EQ(build.redo(), c.redoable > 0);
    }
}

} // namespace
} // namespace skillwright::model::testing

// Seeded random play: after every action the build agrees with its own
// history, whatever the player does.
#include "Planner.h"

#include <random>

namespace skillwright::model::testing {
namespace {

/// What the history says the build must be, kept alongside it: each entry is
/// classified once, by its text, when it appears or disappears.
class HistoryLedger {
public:
    explicit HistoryLedger(ClassId c) : m_class(c) {}

    void follow(const std::vector<std::string>& history) {
        while (m_seen.size() > history.size()) {
            apply(m_seen.back(), -1);
            m_seen.pop_back();
        }
        // Entries are only ever appended or removed at the end.
        ASSERT_TRUE(std::equal(m_seen.begin(), m_seen.end(), history.begin()));
        while (m_seen.size() < history.size()) {
            m_seen.push_back(history[m_seen.size()]);
            apply(m_seen.back(), +1);
        }
    }

    int ordinary = 0, reservedForLater = 0, reservedSpent = 0, den = 0, book = 0, izual = 0;
    std::array<std::array<int, kSkillsPerTree>, 3> perSkill{};

private:
    void apply(const std::string& e, int sign) {
        if (e.starts_with("Clvl ") && e.ends_with(" Reserved For Later ")) {
            reservedForLater += sign;
        } else if (e.starts_with("Clvl ")) {
            ordinary += sign;
        } else if (e.starts_with("Reserved Slvl ")) {
            reservedSpent += sign;
        } else if (e.starts_with("Den Of Evil:")) {
            den += sign;
        } else if (e.starts_with("Book of Skill:")) {
            book += sign;
        } else if (e.starts_with("Izual Quest Point:")) {
            izual += sign;
        } else {
            ADD_FAILURE() << "unknown entry " << e;
        }
        const ClassInfo& c = classInfo(m_class);
        for (int pos = 0; pos < 3; ++pos) {
            for (int i = 0; i < kSkillsPerTree; ++i) {
                if (e.ends_with(entrySuffix(c.trees[static_cast<std::size_t>(pos)], i))) {
                    perSkill[static_cast<std::size_t>(pos)][static_cast<std::size_t>(i)] += sign;
                }
            }
        }
    }

    ClassId m_class;
    std::vector<std::string> m_seen;
};

class RandomPlay : public Planner {
protected:
    void checkInvariants(const HistoryLedger& ledger, std::uint64_t step) {
        SCOPED_TRACE("step " + std::to_string(step));
        ASSERT_EQ(vars().LevelsGained, ledger.ordinary + ledger.reservedForLater);
        ASSERT_EQ(vars().ReservedPoints, ledger.reservedForLater - ledger.reservedSpent);
        ASSERT_EQ(vars().DenOfEvilCount, ledger.den);
        ASSERT_EQ(vars().BookOfSkillCount, ledger.book);
        ASSERT_EQ(vars().IzualCount, ledger.izual);
        ASSERT_LE(level(), 99);
        ASSERT_FALSE(vars().DenOfEvilPending || vars().BookOfSkillPending || vars().IzualPending ||
                     vars().SpendingReserved);
        for (int pos = 0; pos < 3; ++pos) {
            for (int i = 0; i < kSkillsPerTree; ++i) {
                const int count = screen().countAt(pos, i);
                ASSERT_EQ(count, ledger.perSkill[static_cast<std::size_t>(pos)][static_cast<std::size_t>(i)]);
                ASSERT_GE(count, 0);
                ASSERT_LE(count, 20);
            }
        }
    }

    TreeId randomTree(std::mt19937& rng) {
        const ClassInfo& c = classInfo(screen().classId());
        return c.trees[std::uniform_int_distribution<std::size_t>(0, 2)(rng)];
    }
};

TEST_F(RandomPlay, hundredThousandClicksKeepTheBuildConsistent) {
    std::mt19937 rng(20261205);
    std::uniform_int_distribution<int> skillIndex(0, 9);
    int classNo = 0;
    open(ClassId::Necromancer);
    HistoryLedger ledger(ClassId::Necromancer);
    for (std::uint64_t step = 0; step < 100'000; ++step) {
        if (level() == 99 && std::uniform_int_distribution<int>(0, 50)(rng) == 0) {
            // A finished character: change class and start again.
            build.Reset();
            const auto next = static_cast<ClassId>(++classNo % kClassCount);
            open(next);
            ledger = HistoryLedger(next);
        }
        click(randomTree(rng), skillIndex(rng));
        ledger.follow(history());
        checkInvariants(ledger, step);
        ASSERT_EQ(vars().LevelsGained, static_cast<int>(history().size()));
    }
}

TEST_F(RandomPlay, hundredThousandActionsKeepTheBuildConsistentAndUndoToTheStart) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> skillIndex(0, 9);
    std::discrete_distribution<int> action({60, 6, 6, 3, 3, 4, 8, 10});
    int classNo = 0;
    open(ClassId::Necromancer);
    HistoryLedger ledger(ClassId::Necromancer);

    auto undoEverything = [&](std::uint64_t step) {
        const bool anything = !history().empty();
        while (!history().empty()) {
            build.lbl_UndoLast_Click();
            ledger.follow(history());
            checkInvariants(ledger, step);
        }
        EXPECT_EQ(level(), 1);
        EXPECT_EQ(vars().ReservedPoints, 0);
        EXPECT_EQ(vars().DenOfEvilCount + vars().BookOfSkillCount + vars().IzualCount, 0);
        if (anything) {
            EXPECT_EQ(levelLabel(build), "Level 1");
            EXPECT_EQ(pointsLabel(build), "Skill Points:  0");
        }
    };

    for (std::uint64_t step = 0; step < 100'000; ++step) {
        const TreeId t = randomTree(rng);
        const int i = skillIndex(rng);
        switch (action(rng)) {
        case 0:
            click(t, i);
            break;
        case 1:
            reserve(t);
            break;
        case 2:
            useReserve(t, i);
            break;
        case 3:
            rightClick(t, i);
            if (menuTexts.visible(Quest::DenOfEvil)) {
                build.TakeDenOfEvilPoint();
            }
            break;
        case 4:
            rightClick(t, i);
            if (menuTexts.visible(Quest::BookOfSkill)) {
                build.TakeBookOfSkillPoint();
            }
            break;
        case 5:
            rightClick(t, i);
            if (menuTexts.visible(Quest::Izual)) {
                build.TakeIzualPoint();
            }
            break;
        case 6:
            build.lbl_UndoLast_Click();
            break;
        default:
            toolkit.advance(1000);
            break;
        }
        ledger.follow(history());
        checkInvariants(ledger, step);
        if (HasFatalFailure()) {
            return;
        }
        if (step % 20'000 == 19'999) {
            undoEverything(step);
            const auto next = static_cast<ClassId>(++classNo % kClassCount);
            build.Reset();
            open(next);
            ledger = HistoryLedger(next);
        }
    }
    undoEverything(100'000);
}

} // namespace
} // namespace skillwright::model::testing

// The random character generator: its draws, its question, and the fill that
// spends one generated point per level through the ordinary click.
#include "BuildText.h"
#include "GeneratorScript.h"

#include <generator/RandomFillRun.h>
#include <model/RandomGeneration.h>
#include <toolkit/ScriptedToolkit.h>

#include <gtest/gtest.h>

#include <document/PlanDocument.h>
#include <presentation/Presentation.h>
#include <random>
#include <stop_token>

namespace skillwright::model {
namespace {

/// A draw r that makes Int(r * n + offset) come out as `value`.
double drawing(int value, int n, int offset) {
    return (value - offset + 0.5) / n;
}

const std::string kDoneText = "Random Charater Generator has completed.\r\nHave fun trying to win with it.";

class Generator : public ::testing::Test {
protected:
    document::PlanDocument document;
    const Build& build = document.build();
    presentation::StatusLabels status;
    toolkit::ScriptedToolkit toolkit;
    std::vector<std::string> notices; ///< every notice the build gave, in order
    FollowBuild follow{build, [this](const BuildChange& change) {
                           status.follow(change, build.state());
                           if (change.notice && change.notice->shown) {
                               notices.push_back(change.notice->text);
                           }
                       }};

    void open(ClassId classId) { document.startNew(classId, document::Origin::Generator); }
    [[nodiscard]] std::vector<std::string> history() const {
        return skillwright::testing::historyTexts(build);
    }

    [[nodiscard]] GenerationPlan plan(std::optional<ClassId> classId, int level) {
        return drawGeneration({classId, static_cast<std::int16_t>(level)},
                              [this] { return toolkit.random(); });
    }
    /// Yes, then the class's screen opens and is filled.
    bool generateAndFill(ClassId classId, int level) {
        const GenerationPlan p = plan(classId, level);
        open(p.classId);
        return generator::fillRandomly(document, toolkit, p.level);
    }
    [[nodiscard]] int closingMessages() const { return skillwright::testing::closingMessages(toolkit); }
};

TEST_F(Generator, aRandomClassIsDrawnByItsBand) {
    const std::vector<std::pair<int, std::string>> bands{
        {1, "Amazon"},        {199, "Amazon"},  {200, "Barbarian"}, {399, "Barbarian"}, {400, "Necromancer"},
        {599, "Necromancer"}, {600, "Paladin"}, {799, "Paladin"},   {800, "Sorceress"}, {1000, "Sorceress"},
    };
    for (const auto& [roll, name] : bands) {
        toolkit.randoms = {drawing(roll, 1000, 1)};
        const GenerationPlan p = plan(std::nullopt, 20);
        EXPECT_EQ(classInfo(p.classId).name, name) << roll;
        EXPECT_TRUE(p.classWasDrawn);
        EXPECT_EQ(p.level, 20);
    }
    const GenerationPlan chosen = plan(ClassId::Barbarian, 7);
    EXPECT_EQ(chosen.classId, ClassId::Barbarian);
    EXPECT_FALSE(chosen.classWasDrawn);
}

TEST_F(Generator, aRandomLevelIsDrawnAgainUntilItIsTwelveOrMore) {
    toolkit.randoms = {drawing(1, 75, 1), drawing(11, 75, 1), drawing(12, 75, 1)};
    EXPECT_EQ(plan(ClassId::Paladin, 0).level, 12);
    EXPECT_TRUE(toolkit.randoms.empty());

    toolkit.randoms = {0.9999};
    EXPECT_EQ(plan(ClassId::Paladin, 0).level, 75);
    toolkit.randoms = {drawing(1, 75, 1)};
    EXPECT_EQ(plan(ClassId::Paladin, 3).level, 3) << "a typed level is taken as it is";
    EXPECT_EQ(toolkit.randoms.size(), 1u);
}

TEST_F(Generator, aClassChosenAfterwardsOpensEmpty) {
    open(ClassId::Amazon);
    EXPECT_FALSE(generator::fillRandomly(document, toolkit, 0));
    EXPECT_TRUE(history().empty());
    EXPECT_TRUE(toolkit.messages.empty());
}

TEST_F(Generator, aTargetOfLEndsAtLevelLWithOneMessage) {
    skillwright::testing::firstSkillsInTurn(toolkit);
    const std::tuple<ClassId, int, std::string> targets[] = {{ClassId::Necromancer, 1, "Level 1"},
                                                             {ClassId::Amazon, 12, "Level 12"},
                                                             {ClassId::Paladin, 60, "Level 60"}};
    for (const auto& [classId, target, label] : targets) {
        const std::string_view name = classInfo(classId).name;
        SCOPED_TRACE(name);
        toolkit.messages.clear();
        ASSERT_TRUE(generateAndFill(classId, target));
        EXPECT_EQ(build.levelsGained(), target - 1);
        EXPECT_EQ(status.levelLabel(), label);
        EXPECT_EQ(history().size(), static_cast<std::size_t>(target - 1));
        ASSERT_EQ(closingMessages(), 1);
        EXPECT_EQ(toolkit.messages.back().text, kDoneText);
        EXPECT_EQ(toolkit.messages.back().icon, toolkit::Icon::Information);
        document.reset();
    }
}

TEST_F(Generator, aSeededFillEndsAtItsTargetOrOneShortWhenItsLastClickIsRefused) {
    for (unsigned s = 1; s <= 10; ++s) {
        auto rng = std::make_shared<std::mt19937>(s);
        toolkit.randomSource = [rng] { return std::uniform_real_distribution<double>(0.0, 1.0)(*rng); };
        for (const ClassInfo& c : classes()) {
            SCOPED_TRACE(std::string(c.name) + " seed " + std::to_string(s));
            toolkit.messages.clear();
            ASSERT_TRUE(generateAndFill(c.id, 75));
            EXPECT_TRUE(build.levelsGained() == 74 || build.levelsGained() == 73) << build.levelsGained();
            EXPECT_EQ(history().size(), static_cast<std::size_t>(build.levelsGained()));
            EXPECT_EQ(closingMessages(), 1);
            document.reset();
        }
    }
}

TEST_F(Generator, treesAreDrawnNineTenAndElevenInThirtyAndARefusedLevelIsDrawnAgain) {
    // Per level: the tree, then the skill index.
    toolkit.randoms = {
        drawing(9, 30, 1),  drawing(0, 10, 0), // tree 1: Skeleton Mastery
        drawing(10, 30, 1), drawing(0, 10, 0), // tree 2: Teeth
        drawing(19, 30, 1), drawing(0, 10, 0), // tree 2: Teeth
        drawing(20, 30, 1), drawing(9, 10, 0), // tree 3, index 9: Lower Resist, refused at level 4
        drawing(20, 30, 1), drawing(0, 10, 0), // the same level again: Amplify Damage
        drawing(30, 30, 1), drawing(0, 10, 0), // tree 3 again, taken back at the end
    };
    ASSERT_TRUE(generateAndFill(ClassId::Necromancer, 5));
    EXPECT_EQ(history(), (std::vector<std::string>{"Clvl 2 Slvl 1: Skeleton Mastery", "Clvl 3 Slvl 1: Teeth",
                                                   "Clvl 4 Slvl 2: Teeth", "Clvl 5 Slvl 1: Amplify Damage"}));
    EXPECT_EQ(notices,
              (std::vector<std::string>{
                  "Den Of Evil (Normal) quest skill point is now available.  Right click to use.",
                  "Not available yet, you must be character level 30 first (or just getting level 30)."}))
        << "the tenth skill was drawn and refused";
    EXPECT_TRUE(toolkit.randoms.empty()) << "one level drawn twice, no more";
    EXPECT_EQ(closingMessages(), 1);
}

TEST_F(Generator, aRefusedLastClickEndsOneLevelShort) {
    toolkit.randoms = {
        drawing(1, 30, 1), drawing(0, 10, 0), // Skeleton Mastery
        drawing(1, 30, 1), drawing(9, 10, 0), // Revive: refused, and no level is left to draw it again
    };
    ASSERT_TRUE(generateAndFill(ClassId::Necromancer, 2));
    EXPECT_EQ(build.levelsGained(), 0);
    EXPECT_TRUE(history().empty());
    EXPECT_EQ(closingMessages(), 1);
}

TEST_F(Generator, resetAClosedScreenOrAStopRequestBetweenTwoGeneratedClicksStopsTheFillAtOnce) {
    enum class Stop { Reset, ScreenClosed, Requested };
    skillwright::testing::firstSkillsInTurn(toolkit);
    for (const Stop how : {Stop::Reset, Stop::ScreenClosed, Stop::Requested}) {
        SCOPED_TRACE(static_cast<int>(how));
        toolkit.messages.clear();
        std::stop_source stop;
        int runs = 0;
        toolkit.onProcessEvents = [&] {
            if (++runs != 20) {
                return;
            }
            if (how == Stop::Requested) {
                stop.request_stop();
                return;
            }
            document.reset();
            if (how == Stop::ScreenClosed) {
                document.close();
            }
        };
        open(ClassId::Barbarian);
        EXPECT_FALSE(generator::fillRandomly(document, toolkit, 60, stop.get_token()));
        toolkit.onProcessEvents = nullptr;
        EXPECT_EQ(runs, 20) << "not one event run after the stop";
        EXPECT_EQ(closingMessages(), 0);
        if (how == Stop::Requested) {
            // The points generated so far stay, the last one not taken back.
            EXPECT_EQ(build.levelsGained(), (20 - 9) / 2);
        }

        // The next generation starts clean.
        toolkit.messages.clear();
        document.reset();
        ASSERT_TRUE(generateAndFill(ClassId::Barbarian, 15));
        EXPECT_EQ(build.levelsGained(), 14);
        EXPECT_EQ(closingMessages(), 1);
        document.reset();
    }
}

TEST(LevelBox, acceptsEmptyAndZeroToSeventyFiveAndTakesTheNearestWholeHalvesToEven) {
    struct Case {
        const char* text;
        bool accepted;
        int level; ///< what Generate takes
    };
    const Case cases[] = {
        {"", true, 0},      {"0", true, 0},    {"75", true, 75},   {" 40 ", true, 40}, {"+7", true, 7},
        {"2.5", true, 2},   {"3.5", true, 4},  {"74.6", true, 75}, {"80", false, 0},   {"-3", false, 0},
        {"75.1", false, 0}, {"abc", false, 0}, {"4a", false, 0},   {"1e1", true, 10},  {"0x10", false, 0},
        {"inf", false, 0},  {"nan", false, 0}, {" ", false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(levelBoxAccepts(c.text), c.accepted) << '"' << c.text << '"';
        EXPECT_EQ(levelBoxLevel(c.text), c.level) << '"' << c.text << '"';
    }
}

} // namespace
} // namespace skillwright::model

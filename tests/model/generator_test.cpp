// The random character generator: its draws, its question, and the fill that
// spends one generated point per level through the ordinary click.
#include "Planner.h"

#include <model/RandomGeneration.h>

#include <random>

namespace skillwright::model::testing {
namespace {

/// A draw r that makes Int(r * n + offset) come out as `value`.
double drawing(int value, int n, int offset) {
    return (value - offset + 0.5) / n;
}

const std::string kDoneText = "Random Charater Generator has completed.\r\nHave fun trying to win with it.";

class Generator : public Planner {
protected:
    /// The dialog's Generate with a class choice and a typed level, answered `answer`.
    GenerationOutcome generate(std::string_view randomClass, int level, toolkit::Answer answer) {
        build.setRandomClass(randomClass);
        build.setRandomLevelsLeft(static_cast<std::int16_t>(level));
        toolkit.answers.push_back(answer);
        return RandomCharGen(build, toolkit);
    }
    /// Yes, then the class's screen opens and its load step fills it.
    bool generateAndFill(std::string_view randomClass, int level) {
        const GenerationOutcome outcome = generate(randomClass, level, toolkit::Answer::Yes);
        if (!outcome.open) {
            return false;
        }
        open(*outcome.open);
        return RunRandomFill(build, toolkit);
    }
    [[nodiscard]] int closingMessages() const {
        return static_cast<int>(
            std::count_if(toolkit.messages.begin(), toolkit.messages.end(),
                          [](const auto& m) { return m.title == "Generation Complete"; }));
    }
    /// Draws that take the first skill of each tree in turn: every one of
    /// them opens at level 1, so the first 60 generated points are all taken.
    void firstSkillsInTurn() {
        auto n = std::make_shared<int>(0);
        toolkit.randomSource = [n] {
            const int k = (*n)++;
            return k % 2 == 1 ? drawing(0, 10, 0) : drawing(std::array{1, 15, 25}[(k / 2) % 3], 30, 1);
        };
    }
    void seed(unsigned value) {
        auto rng = std::make_shared<std::mt19937>(value);
        toolkit.randomSource = [rng] { return std::uniform_real_distribution<double>(0.0, 1.0)(*rng); };
    }
    [[nodiscard]] bool nothingPending() const {
        return vars().RandomRoll == 0 && vars().RandomLevelsLeft == 0 && !vars().RandomDonePending;
    }
};

TEST_F(Generator, aRandomClassIsDrawnByItsBand) {
    const std::vector<std::pair<int, std::string>> bands{
        {1, "Amazon"},        {199, "Amazon"},  {200, "Barbarian"}, {399, "Barbarian"}, {400, "Necromancer"},
        {599, "Necromancer"}, {600, "Paladin"}, {799, "Paladin"},   {800, "Sorceress"}, {1000, "Sorceress"},
    };
    for (const auto& [roll, name] : bands) {
        toolkit.randoms = {drawing(roll, 1000, 1)};
        const GenerationOutcome outcome = generate("Random", 20, toolkit::Answer::Yes);
        ASSERT_TRUE(outcome.open) << roll;
        EXPECT_EQ(classInfo(*outcome.open).name, name) << roll;
        EXPECT_TRUE(outcome.classWasDrawn);
        EXPECT_EQ(vars().RandomRoll, roll);
        EXPECT_EQ(vars().RandomClass, name);
    }
}

TEST_F(Generator, aRandomLevelIsDrawnAgainUntilItIsTwelveOrMore) {
    toolkit.randoms = {drawing(1, 75, 1), drawing(11, 75, 1), drawing(12, 75, 1)};
    generate("Paladin", 0, toolkit::Answer::Yes);
    EXPECT_EQ(vars().RandomLevelsLeft, 12);
    EXPECT_EQ(vars().RandomRoll, 1000) << "a chosen class rolls 1000";
    EXPECT_TRUE(toolkit.randoms.empty());

    toolkit.randoms = {0.9999};
    generate("Paladin", 0, toolkit::Answer::Yes);
    EXPECT_EQ(vars().RandomLevelsLeft, 75);
}

TEST_F(Generator, theQuestionNamesClassAndLevelAndNoLeavesNothingPending) {
    toolkit.randoms = {drawing(850, 1000, 1)};
    const GenerationOutcome outcome = generate("Random", 40, toolkit::Answer::No);
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text,
              "This will generate a Sorceress, Level 40.\r\nDo you want to continue? (This may take awhile)");
    EXPECT_EQ(toolkit.messages[0].title, "Character Generator");
    EXPECT_EQ(toolkit.messages[0].buttons, toolkit::Buttons::YesNo);
    EXPECT_EQ(toolkit.messages[0].icon, toolkit::Icon::None);
    EXPECT_FALSE(outcome.open);
    EXPECT_TRUE(outcome.classWasDrawn);
    EXPECT_EQ(vars().RandomClass, "Random");
    EXPECT_TRUE(nothingPending());

    generate("Barbarian", 7, toolkit::Answer::No);
    EXPECT_EQ(vars().RandomClass, "Barbarian") << "a chosen class stays chosen";
    EXPECT_TRUE(nothingPending());

    // A class chosen afterwards opens empty: no fill runs.
    open(ClassId::Amazon);
    EXPECT_FALSE(RunRandomFill(build, toolkit));
    EXPECT_TRUE(history().empty());
}

TEST_F(Generator, aTargetOfLEndsAtLevelLWithOneMessage) {
    firstSkillsInTurn();
    for (const auto& [name, target, label] : std::vector<std::tuple<std::string, int, std::string>>{
             {"Necromancer", 1, "Level 1"}, {"Amazon", 12, "Level 12"}, {"Paladin", 60, "Level 60"}}) {
        SCOPED_TRACE(name);
        toolkit.messages.clear();
        ASSERT_TRUE(generateAndFill(name, target));
        EXPECT_EQ(vars().LevelsGained, target - 1);
        EXPECT_EQ(levelLabel(build), label);
        EXPECT_EQ(history().size(), static_cast<std::size_t>(target - 1));
        ASSERT_EQ(closingMessages(), 1);
        EXPECT_EQ(toolkit.messages.back().text, kDoneText);
        EXPECT_EQ(toolkit.messages.back().icon, toolkit::Icon::Information);
        EXPECT_TRUE(nothingPending());
        build.Reset();
    }
}

TEST_F(Generator, aSeededFillEndsAtItsTargetOrOneShortWhenItsLastClickIsRefused) {
    for (unsigned s = 1; s <= 10; ++s) {
        seed(s);
        for (const ClassInfo& c : classes()) {
            SCOPED_TRACE(std::string(c.name) + " seed " + std::to_string(s));
            toolkit.messages.clear();
            ASSERT_TRUE(generateAndFill(c.name, 75));
            EXPECT_EQ(vars().LevelsGained, 74 - (vars().LastClickFailed ? 1 : 0));
            EXPECT_EQ(history().size(), static_cast<std::size_t>(vars().LevelsGained));
            EXPECT_EQ(closingMessages(), 1);
            build.Reset();
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
    ASSERT_TRUE(generateAndFill("Necromancer", 5));
    EXPECT_EQ(history(), (std::vector<std::string>{"Clvl 2 Slvl 1: Skeleton Mastery", "Clvl 3 Slvl 1: Teeth",
                                                   "Clvl 4 Slvl 2: Teeth", "Clvl 5 Slvl 1: Amplify Damage"}));
    EXPECT_EQ(vars().UnavailableReason,
              "Not available yet, you must be character level 30 first (or just getting level 30).")
        << "the tenth skill was drawn and refused";
    EXPECT_TRUE(toolkit.randoms.empty()) << "one level drawn twice, no more";
    EXPECT_EQ(closingMessages(), 1);
}

TEST_F(Generator, aRefusedLastClickEndsOneLevelShort) {
    toolkit.randoms = {
        drawing(1, 30, 1), drawing(0, 10, 0), // Skeleton Mastery
        drawing(1, 30, 1), drawing(9, 10, 0), // Revive: refused, and no level is left to draw it again
    };
    ASSERT_TRUE(generateAndFill("Necromancer", 2));
    EXPECT_EQ(vars().LevelsGained, 0);
    EXPECT_TRUE(history().empty());
    EXPECT_EQ(closingMessages(), 1);
}

TEST_F(Generator, resetOrAClosedScreenBetweenTwoGeneratedClicksStopsTheFillAtOnce) {
    firstSkillsInTurn();
    for (const bool closeScreen : {false, true}) {
        SCOPED_TRACE(closeScreen ? "screen closed" : "reset");
        toolkit.messages.clear();
        int runs = 0;
        toolkit.onProcessEvents = [&] {
            if (++runs == 20) {
                build.Reset();
                if (closeScreen) {
                    build.closeScreen();
                }
            }
        };
        EXPECT_FALSE(generateAndFill("Barbarian", 60));
        toolkit.onProcessEvents = nullptr;
        EXPECT_EQ(runs, 20) << "not one event run after the stop";
        EXPECT_EQ(closingMessages(), 0);
        EXPECT_TRUE(nothingPending());

        // The next generation starts clean.
        toolkit.messages.clear();
        ASSERT_TRUE(generateAndFill("Barbarian", 15));
        EXPECT_EQ(vars().LevelsGained, 14);
        EXPECT_EQ(closingMessages(), 1);
        build.Reset();
    }
}

} // namespace
} // namespace skillwright::model::testing

namespace skillwright::model::testing {
namespace {

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
} // namespace skillwright::model::testing

// Build codes: a plan as one line of text and back, and what any other text
// is told.
#include "CodePromises.h"
#include "PlanMaker.h"

#include <model/Build.h>
#include <model/BuildCode.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace skillwright::model {
namespace {

const std::string kNotACode = "This is not a build code.";
const std::string kNewer =
    "This build code was made by a newer version of Skillwright; this version cannot open it.";
const std::string kDamaged = "This build code is damaged: a character in it was changed, lost or added.";

std::string messageFor(std::string_view text) {
    const CodeReading reading = decodeBuildCode(text);
    return reading.plan ? std::string() : std::string(codeRefusalText(reading.refusal));
}

using testing::historyTexts;
using testing::reservedUpTo;

std::string repeated(std::string_view text, int times) {
    std::string all;
    for (int n = 0; n < times; ++n) {
        all += text;
    }
    return all;
}

struct FixedCode {
    const char* code;
    ClassId classId;
    const char* name;
    std::vector<std::string> history;
};

// Codes shared by players must open in every later version to the same plan.
const std::vector<FixedCode>& fixedCodes() {
    static const std::vector<FixedCode> codes{
        {"SW1XwIk4p", ClassId::Necromancer, "", {}},
        {" \tSW1XwIk4p\r\n", ClassId::Necromancer, "", {}},
        {"SW1ACnARep8FJNh",
         ClassId::Amazon,
         "",
         {"Clvl 2 Slvl 1: Jab", "Clvl 3 Slvl 1: Magic Arrow", "Den Of Evil: Normal Slvl 2: Jab",
          "Clvl 4 Reserved For Later ", "Clvl 5 Slvl 1: Critical Strike", "Reserved Slvl 2: Magic Arrow"}},
        {"SW1gAAIAShX1RhbCBSYXNoYQZPY_",
         ClassId::Sorceress,
         "Tal Rasha",
         {"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Slvl 2: Fire Bolt", "Clvl 4 Slvl 1: Warmth",
          "Clvl 5 Slvl 3: Fire Bolt", "Clvl 6 Slvl 1: Inferno", "Clvl 7 Slvl 1: Ice Bolt",
          "Clvl 8 Slvl 1: Charged Bolt"}},
        {"SW1KhVamB9CasO4cm4g54aK26u0",
         ClassId::Barbarian,
         "Bjørn 熊",
         {"Clvl 2 Slvl 1: Bash", "Clvl 3 Slvl 1: Howl", "Clvl 4 Reserved For Later ",
          "Clvl 5 Reserved For Later ", "Reserved Slvl 2: Bash", "Reserved Slvl 1: Sword Mastery"}},
        {"SW1dVVVVVVV1fl-pqfKWRm", ClassId::Paladin, "",
         reservedUpTo(23,
                      {"Book of Skill: Normal Slvl 1: Smite", "Izual Quest Point:(1) Normal Slvl 2: Smite",
                       "Izual Quest Point:(2) Normal Slvl 1: Prayer", "Reserved Slvl 2: Prayer"})},
        {"SW1X0FCBBFE", ClassId::Necromancer, "AB", {}},
        // Reading counts along the history and checks no rule: Hydra opens
        // at level 30, and there is no point in reserve.
        {"SW1hOBxPE_6hrp",
         ClassId::Sorceress,
         "",
         {"Clvl 2 Slvl 1: Hydra", "Reserved Slvl 1: Fire Bolt", "Den Of Evil: Normal Slvl 2: Hydra",
          "Den Of Evil: Nightmare Slvl 3: Hydra"}},
    };
    return codes;
}

TEST(BuildCode, fixedCodesOpenToTheirPlans) {
    for (const FixedCode& c : fixedCodes()) {
        const CodeReading reading = decodeBuildCode(c.code);
        ASSERT_TRUE(reading.plan) << c.code << ": " << codeRefusalText(reading.refusal);
        EXPECT_EQ(reading.plan->classId, c.classId) << c.code;
        EXPECT_EQ(reading.plan->name, c.name) << c.code;
        EXPECT_EQ(historyTexts(*reading.plan), c.history) << c.code;
    }
}

TEST(BuildCode, anEmptyNecromancerIsWrittenBitForBit) {
    // "SW", version "1", class 2 (010), end of history (11111), four zero
    // bits: 010111 110000 = "Xw"; then the checksum.
    EXPECT_EQ(encodeBuildCode({ClassId::Necromancer, {}, ""}), "SW1XwIk4p");
    // The tests' own checksum, computed bit by bit, agrees.
    EXPECT_EQ(testing::sealed("SW1Xw"), "SW1XwIk4p");
    // With an attribute plan, version "2": after the history one target
    // (00001), Strength (00) to 55 (0000110111), the rest Vitality (10), the
    // tome in Normal at 20 (0010100), five quest levels of 0 (7 bits each),
    // three zero bits: 010111 110000 100000 011011 110001 010000 and six "A".
    Plan attributes{ClassId::Necromancer, {}, ""};
    attributes.attributes = {{{Attribute::Strength, 55}}, Attribute::Vitality, {20, 0, 0}};
    EXPECT_EQ(encodeBuildCode(attributes), testing::sealed("SW2XwgbxQAAAAAA"));
}

TEST(BuildCode, randomPlansComeBackWhole) {
    std::mt19937 random(29);
    for (int n = 0; n < 3000; ++n) {
        Plan plan = testing::randomPlan(random);
        plan.attributes = testing::randomAttributes(plan.classId, random);
        const std::string code = encodeBuildCode(plan);
        ASSERT_TRUE(code.starts_with(plan.attributes.empty() ? "SW1" : "SW2")) << code;
        ASSERT_EQ(code.find_first_not_of(testing::kCodeAlphabet), std::string::npos) << code;
        const CodeReading reading = decodeBuildCode(code);
        ASSERT_TRUE(reading.plan) << code << ": " << codeRefusalText(reading.refusal);
        ASSERT_EQ(historyTexts(*reading.plan), historyTexts(plan)) << code;
        ASSERT_EQ(*reading.plan, plan) << code;
    }
}

TEST(BuildCode, lengthsOfTypicalCharacters) {
    Build level30;
    level30.startCharacter(ClassId::Necromancer);
    for (int n = 0; n < 29; ++n) {
        testing::takeAnywhere(level30, testing::Take::Click);
    }
    const Plan full = testing::fullPlan(ClassId::Sorceress, "Tyrael Archo");
    ASSERT_EQ(full.history.size(), 140u); // 68 ordinary, 30 reserved and 30 spent, 12 quest points
    const struct {
        const char* what;
        Plan plan;
        std::size_t length;
    } cases[] = {
        {"empty", {ClassId::Amazon, {}, ""}, 9},
        {"level 30", testing::planOf(level30), 38},
        {"level 99, every quest, 30 reserved and spent, a 12-letter name", full, 163},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeBuildCode(c.plan).size(), c.length) << c.what;
    }
}

TEST(BuildCode, aNameIsHeldToWholeCharactersThatCanBeShown) {
    const struct {
        std::string name;
        std::string held;
    } cases[] = {
        {"Tal Rasha", "Tal Rasha"},
        {"Åsa 炎の魔女 🗡", "Åsa 炎の魔女 🗡"},
        {std::string(300, 'a'), std::string(255, 'a')},
        {repeated("é", 128), repeated("é", 127)},
        {"Bad\xff name", "Bad"},
        {"Over\xc3\xa9\xc3", "Overé"},
        {"Tab\tName", "Tab"},
        {"Line\nName", "Line"},
    };
    for (const auto& c : cases) {
        const CodeReading reading = decodeBuildCode(encodeBuildCode({ClassId::Paladin, {}, c.name}));
        ASSERT_TRUE(reading.plan) << c.name;
        EXPECT_EQ(reading.plan->name, c.held) << c.name;
    }
}

TEST(BuildCode, everyOtherTextIsToldWhyItDoesNotOpen) {
    const std::string code = "SW1gAAIAShX1RhbCBSYXNoYQZPY_";
    const struct {
        const char* what;
        std::string text;
        const std::string& message;
    } cases[] = {
        {"empty", "", kNotACode},
        {"blanks", " \t\r\n  ", kNotACode},
        {"an address", "https://example.org/builds?id=42", kNotACode},
        {"a report", "\r\nTal Rasha\r\nClass: Sorceress\r\nLevel: 8\r\n", kNotACode},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), kNotACode},
        {"the prefix alone", "SW", kNotACode},
        {"SW and symbols", "SW!?#*()[]{}", kNotACode},
        {"SW and a sentence", "SW1 is not a code at all", kNotACode},
        {"lower case", "sw1gaaiashx1rhbcbsyxnoyqzpy_", kNotACode},
        {"megabytes", std::string(5'000'000, 'A'), kNotACode},
        {"megabytes after a code", code + std::string(5'000'000, ' '), kNotACode},
        // A text of the code's characters that begins with "SW" is read as a code.
        {"SW and letters", "SWORDFISHES", kDamaged},
        {"a newer format", testing::sealed("SW3gAAIAShX1RhbCBSYXNoYQ"), kNewer},
        {"a newer format, short", testing::sealed("SWaXw"), kNewer},
        {"truncated", code.substr(0, code.size() - 3), kDamaged},
        {"a character lost", code.substr(0, 10) + code.substr(11), kDamaged},
        {"a character added", code.substr(0, 10) + "x" + code.substr(10), kDamaged},
        {"a blank added", code.substr(0, 10) + " " + code.substr(10), kDamaged},
        {"the first letter lost", code.substr(1), kDamaged},
        // Sound checksums over contents no version-1 code has, bit by bit.
        {"a sixth class: 111 11111 0000", testing::sealed("SW1_w"), kDamaged},
        {"skill 31: 010 0 11111 11111 000", testing::sealed("SW1T_4"), kDamaged},
        {"no end of the history: 010 0 00000 000000", testing::sealed("SW1QA"), kDamaged},
        {"padding not zero: 010 11111 0001", testing::sealed("SW1Xx"), kDamaged},
        {"six bits after the name \"AB\": 010 11111 01000001 01000010 000000", testing::sealed("SW1X0FCA"),
         kDamaged},
        {"a line feed for a name: 010 11111 00001010 00", testing::sealed("SW1Xwo"), kDamaged},
        {"a name not UTF-8: 010 11111 11111111 00", testing::sealed("SW1X_8"), kDamaged},
        {"version 2 without an attribute plan: 010 11111 00000 10 and 42 zeros",
         testing::sealed("SW2XwQAAAAAAA"), kDamaged},
        {"a tome at level 100: 010 11111 00000 00 1100100 and 35 zeros", testing::sealed("SW2XwGQAAAAAA"),
         kDamaged},
        {"21 targets: 010 11111 10101 and zeros", testing::sealed("SW2X6g" + std::string(42, 'A')), kDamaged},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(messageFor(c.text), c.message) << c.what;
    }
}

TEST(BuildCode, aLinkCarriesItsCodeAndAnyOtherTextIsLeftAsItIs) {
    const struct {
        std::string text;
        std::string code;
    } cases[] = {
        {"skillwright://plan/SW1ACnARep8FJNh", "SW1ACnARep8FJNh"},
        {"SkillWright://plan/SW1ACnARep8FJNh/", "SW1ACnARep8FJNh"},
        {"  skillwright://plan/SW1ACnARep8FJNh\r\n", "SW1ACnARep8FJNh"},
        {"skillwright://plan/", ""},
        {"skillwright://Plan/SW1ACnARep8FJNh", "skillwright://Plan/SW1ACnARep8FJNh"},
        {"skillwright://report/SW1ACnARep8FJNh", "skillwright://report/SW1ACnARep8FJNh"},
        {"skillwright:SW1ACnARep8FJNh", "skillwright:SW1ACnARep8FJNh"},
        {"https://plan/SW1ACnARep8FJNh", "https://plan/SW1ACnARep8FJNh"},
        {"SW1ACnARep8FJNh", "SW1ACnARep8FJNh"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(codeOfLink(c.text), c.code) << c.text;
    }
    EXPECT_EQ(messageFor(codeOfLink("skillwright://plan/SW1ACnARep8FJNi")), kDamaged);
}

TEST(BuildCode, everyCodeWithOneCharacterChangedLostAddedOrSwappedIsCaught) {
    const std::vector<std::string> codes{
        "SW1XwIk4p", "SW1ACnARep8FJNh", "SW1KhVamB9CasO4cm4g54aK26u0",
        encodeBuildCode(testing::fullPlan(ClassId::Barbarian, "Tyrael Archo"))};
    for (const std::string& code : codes) {
        std::vector<std::string> slips;
        for (std::size_t at = 0; at <= code.size(); ++at) {
            for (char c : std::string_view("xSW1_")) {
                slips.push_back(code.substr(0, at) + c + code.substr(at));
            }
            if (at == code.size()) {
                break;
            }
            for (char c : testing::kCodeAlphabet) {
                if (c != code[at]) {
                    slips.push_back(code);
                    slips.back()[at] = c;
                }
            }
            slips.push_back(code.substr(0, at) + code.substr(at + 1));
            if (at + 1 < code.size() && code[at] != code[at + 1]) {
                slips.push_back(code);
                std::swap(slips.back()[at], slips.back()[at + 1]);
            }
        }
        for (const std::string& slip : slips) {
            ASSERT_EQ(messageFor(slip), kDamaged) << slip;
        }
    }
}

// The code fuzzer's corpus: codes and what the fuzzer found.
TEST(BuildCode, theFuzzCorpusKeepsEveryPromise) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SKILLWRIGHT_CODE_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_TRUE(testing::codeKeepsItsPromises(bytes)) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 8);
}

} // namespace
} // namespace skillwright::model

// The history's entries: one formatter to the list's text, one parser back.
#include <model/History.h>

#include <gtest/gtest.h>

namespace skillwright::model {
namespace {

using enum ClassId;
using enum EntryKind;
using enum TreeId;

struct TextCase {
    const char* text;
    ClassId classId;
    HistoryEntry entry;
};

// Texts as the list shows them, trailing blanks included.
// clang-format off
const TextCase kEntries[] = {
    {"Clvl 2 Slvl 1: Teeth", Necromancer, {Ordinary, 2, 1, 0, {NecromancerPoisonBone, 0}}},
    {"Clvl 99 Slvl 20: Hydra", Sorceress, {Ordinary, 99, 20, 0, {SorceressFire, 9}}},
    {"Clvl 7 Reserved For Later ", Paladin, {ReservedForLater, 7, 0, 0, {}}},
    {"Reserved Slvl 3: Leap", Barbarian, {ReservedSpent, 0, 3, 0, {BarbarianCombat, 1}}},
    {"Reserved Slvl 1: Leap Attack", Barbarian, {ReservedSpent, 0, 1, 0, {BarbarianCombat, 5}}},
    {"Den Of Evil: Normal Slvl 1: Jab", Amazon, {DenOfEvil, 0, 1, 1, {AmazonJavelinSpear, 0}}},
    {"Den Of Evil: Hell Slvl 4: Jab", Amazon, {DenOfEvil, 0, 4, 3, {AmazonJavelinSpear, 0}}},
    {"Book of Skill: Nightmare Slvl 5: Bone Armor", Necromancer, {BookOfSkill, 0, 5, 2, {NecromancerPoisonBone, 1}}},
    {"Izual Quest Point:(1) Normal Slvl 2: Teeth", Necromancer, {Izual, 0, 2, 1, {NecromancerPoisonBone, 0}}},
    {"Izual Quest Point:(2) Nightmare Slvl 2: Teeth", Necromancer, {Izual, 0, 2, 4, {NecromancerPoisonBone, 0}}},
    {"Izual Quest Point:(2) Hell Slvl 9: Teeth", Necromancer, {Izual, 0, 9, 6, {NecromancerPoisonBone, 0}}},
};
// clang-format on

TEST(History, everyKindFormatsAsTheListShowsItAndParsesBack) {
    for (const TextCase& c : kEntries) {
        EXPECT_EQ(formatEntry(c.entry), c.text);
        const ParsedEntry parsed = parseEntry(c.text, c.classId);
        ASSERT_TRUE(parsed.entry) << c.text << ": " << parsed.error;
        EXPECT_EQ(*parsed.entry, c.entry) << c.text;
    }
}

TEST(History, everySkillOfEveryClassParsesBackToItself) {
    for (const ClassInfo& c : classes()) {
        for (TreeId t : c.trees) {
            for (std::int16_t i = 0; i < kSkillsPerTree; ++i) {
                const HistoryEntry entry{EntryKind::Ordinary, 12, 3, 0, {t, i}};
                const ParsedEntry parsed = parseEntry(formatEntry(entry), c.id);
                ASSERT_TRUE(parsed.entry) << formatEntry(entry) << ": " << parsed.error;
                EXPECT_EQ(*parsed.entry, entry) << formatEntry(entry);
            }
        }
    }
}

TEST(History, textsTheListNeverHoldsAreRefusedWithAReason) {
    const struct {
        const char* text;
        ClassId classId;
        const char* error;
    } cases[] = {
        {"", ClassId::Necromancer, "This is not a history entry."},
        {"Clvl 1 Slvl 0: Starting Level", ClassId::Necromancer,
         "The Necromancer has no skill \"Starting Level\"."},
        {"Clvl 2 Slvl 1: Teeth", ClassId::Amazon, "The Amazon has no skill \"Teeth\"."},
        {"Clvl 2 Slvl 1: Teeth ", ClassId::Necromancer, "The Necromancer has no skill \"Teeth \"."},
        {"Clvl 7 Reserved For Later", ClassId::Paladin, "\"Slvl \" was expected before the skill's level."},
        {"Clvl 7Slvl 1: Teeth", ClassId::Necromancer, "A blank was expected after the character level."},
        {"Clvl x Slvl 1: Teeth", ClassId::Necromancer, "The character level is not a number."},
        {"Clvl 2 Slvl -1: Teeth", ClassId::Necromancer, "The skill's level is not a number."},
        {"Clvl 02 Slvl 1: Teeth", ClassId::Necromancer,
         "This is not a history entry as the planner writes it."},
        {"Clvl 2  Slvl 1: Teeth", ClassId::Necromancer, "\"Slvl \" was expected before the skill's level."},
        {"Den Of Evil:(1) Normal Slvl 1: Teeth", ClassId::Necromancer,
         "The quest's difficulty is not one of its own."},
        {"Book Of Skill: Normal Slvl 1: Teeth", ClassId::Necromancer, "This is not a history entry."},
        {"clvl 2 Slvl 1: Teeth", ClassId::Necromancer, "This is not a history entry."},
    };
    for (const auto& c : cases) {
        const ParsedEntry parsed = parseEntry(c.text, c.classId);
        EXPECT_FALSE(parsed.entry) << '"' << c.text << '"';
        EXPECT_EQ(parsed.error, c.error) << '"' << c.text << '"';
    }
}

} // namespace
} // namespace skillwright::model

// The journal's text: every plan the rules can make reads back exactly, and
// nothing else reads as a journal.
#include "PlanMaker.h"
#include "RandomPlay.h"

#include <journal/JournalText.h>

#include <gtest/gtest.h>

#include <random>

namespace skillwright::journal {
namespace {

using model::ClassId;
using model::TreeId;

constexpr Seconds at(long long seconds) {
    return Seconds(std::chrono::seconds(seconds));
}

using testing::planOf;

TEST(JournalText, everyPlanTheRulesMakeReadsBackExactly) {
    const std::string names[] = {"Hero",
                                 "",
                                 "back\\slash \\x41",
                                 "line\nbreak\r\ttab\x7F" + std::string(1, '\0') + "nul",
                                 "\xCE\x9F\xCE\xB4\xCF\x85\xCF\x83\xCF\x83\xCE\xAD\xCE\xB1\xCF\x82",
                                 "  blanks around  "};
    std::mt19937 random(32);
    int quests = 0;
    for (int n = 0; n < 100; ++n) {
        model::Build build;
        support::playAtRandom(build, static_cast<ClassId>(n % model::kClassCount), 1 + (n * 13) % 99, random);
        JournalRecord record{planOf(build, names[n % std::size(names)]), n % 3 == 0,
                             at(1796582400LL + n * 7919 - 50 * 7919)};
        // Every other plan with a note, and milestones on its first and last entries.
        if (n % 2 == 1 && !record.plan.history.empty()) {
            record.plan.note = "Why:\n\tgear \\ and all\n";
            record.plan.milestones = {{0, "Act \\ one", ""}, {record.plan.history.size() - 1, "End", "x\ny"}};
            record.plan.milestones.resize(record.plan.history.size() > 1 ? 2 : 1);
        }
        if (n % 3 == 2) { // and every third with targets
            const auto trees = model::classInfo(record.plan.classId).trees;
            record.plan.targets = {{{trees[2], 9}, 20}, {{trees[0], 1}, 1}};
        }
        record.plan.attributes = testing::randomAttributes(record.plan.classId, random);
        const std::string text = formatJournal(record);
        const JournalReading reading = parseJournal(text);
        ASSERT_TRUE(reading.record) << reading.error << "\n" << text;
        EXPECT_EQ(*reading.record, record) << text;
        EXPECT_EQ(model::levelReached(record.plan), build.characterLevel());
        for (const model::HistoryEntry& e : record.plan.history) {
            quests += model::isQuestKind(e.kind) ? 1 : 0;
        }
    }
    EXPECT_GT(quests, 50) << "the random play should reach the quests";
}

/// Fire Bolt, a point held for later and Den of Evil's point on Warmth.
model::Plan smallSorceress() {
    model::Build build;
    build.startCharacter(ClassId::Sorceress);
    build.click(TreeId::SorceressFire, 0);
    build.reservePoint();
    build.takeQuestPoint(model::Quest::DenOfEvil, {TreeId::SorceressFire, 1});
    return planOf(build, "Tal\\Rasha");
}

const std::string kSmallJournal = "skillwright journal 1\n"
                                  "class Sorceress\n"
                                  "name Tal\\x5CRasha\n"
                                  "saved no\n"
                                  "changed 1796582400\n"
                                  "entries 3\n"
                                  "Clvl 2 Slvl 1: Fire Bolt\n"
                                  "Clvl 3 Reserved For Later \n"
                                  "Den Of Evil: Normal Slvl 1: Warmth\n"
                                  "end\n";

TEST(JournalText, aSmallPlanIsWrittenLineByLine) {
    EXPECT_EQ(formatJournal({smallSorceress(), false, at(1796582400)}), kSmallJournal);
}

/// The small journal with its text from `from` on replaced by `to`.
std::string altered(std::string_view from, std::string_view to) {
    std::string text = kSmallJournal;
    const std::size_t at = text.find(from);
    return at == std::string::npos ? "(no " + std::string(from) + ")" : text.replace(at, from.size(), to);
}

/// The same as version 4.
std::string altered4(std::string_view from, std::string_view to) {
    std::string text = altered(from, to);
    return text.replace(text.find("journal 1"), 9, "journal 4");
}

/// The same as version 2.
std::string altered2(std::string_view from, std::string_view to) {
    std::string text = altered(from, to);
    return text.replace(text.find("journal 1"), 9, "journal 2");
}

TEST(JournalText, anythingButAWholeJournalOfThisVersionIsNone) {
    ASSERT_TRUE(parseJournal(kSmallJournal).record);
    struct Case {
        const char* what;
        std::string text;
        bool newer = false;
    };
    const Case cases[] = {
        {"empty", ""},
        {"cut before its end", kSmallJournal.substr(0, kSmallJournal.size() / 2)},
        {"no end line", altered("end\n", "")},
        {"no last line break", altered("end\n", "end")},
        {"a line after the end", kSmallJournal + "end\n"},
        {"carriage returns", altered("saved no\n", "saved no\r\n")},
        {"version 5", altered("journal 1", "journal 5"), true},
        {"version 4 without attributes", altered("journal 1", "journal 4")},
        {"attributes in version 2", altered2("end\n", "attribute Strength 30\nrest Vitality\nend\n")},
        {"a target of 10,000", altered4("end\n", "attribute Strength 10000\nend\n")},
        {"a negative target", altered4("end\n", "attribute Energy -5\nend\n")},
        {"an unknown attribute", altered4("end\n", "attribute Luck 50\nend\n")},
        {"an unknown rest", altered4("end\n", "rest Mana\nend\n")},
        {"a tome at level 100", altered4("end\n", "tome 100 0 0\nend\n")},
        {"a tome in Hell before Normal", altered4("end\n", "tome 50 0 20\nend\n")},
        {"a bird of two levels", altered4("end\n", "bird 20 30\nend\n")},
        {"version 2 without notes", altered("journal 1", "journal 2")},
        {"notes in version 1", altered("end\n", "note Why\nend\n")},
        {"a milestone on no entry", altered2("end\n", "milestone 3 Act\nabout \nend\n")},
        {"a milestone without its note", altered2("end\n", "milestone 0 Act\nend\n")},
        {"two milestones on one entry",
         altered2("end\n", "milestone 1 A\nabout \nmilestone 1 B\nabout \nend\n")},
        {"a milestone's name with a raw tab", altered2("end\n", "milestone 1 A\tB\nabout \nend\n")},
        {"a note after the milestones", altered2("end\n", "milestone 1 A\nabout \nnote N\nend\n")},
        {"a target of 10000 points", altered2("end\n", "target Fire Bolt 10000\nend\n")},
        {"a target of 21 points", altered2("end\n", "target Fire Bolt 21\nend\n")},
        {"a target of another class", altered2("end\n", "target Teeth 5\nend\n")},
        {"two targets on one skill", altered2("end\n", "target Fire Bolt 5\ntarget Fire Bolt 6\nend\n")},
        {"version 0", altered("journal 1", "journal 0")},
        {"version 01", altered("journal 1", "journal 01")},
        {"no version", altered("journal 1", "journal")},
        {"another head", altered("skillwright", "skillwrite")},
        {"a class of another game", altered("Sorceress", "Druid")},
        {"a raw tab in the name", altered("Tal\\x5C", "Tal\t")},
        {"an escape cut short", altered("\\x5CRasha", "\\x5")},
        {"a lower-case escape", altered("\\x5C", "\\x5c")},
        {"a letter escaped", altered("Tal", "\\x54al")},
        {"saved neither yes nor no", altered("saved no", "saved maybe")},
        {"a time that is no number", altered("1796582400", "1796582400s")},
        {"fewer entries than it says", altered("entries 3", "entries 4")},
        {"more entries than it says", altered("entries 3", "entries 2")},
        {"more entries than a plan holds", altered("entries 3", "entries 99999999999999999999")},
        {"an entry that is none", altered("Clvl 2 Slvl 1", "Clvl 2 Slvl one")},
        {"a skill of another class", altered("Fire Bolt", "Teeth")},
        {"a point the rules refuse", altered("Clvl 2 Slvl 1: Fire Bolt", "Clvl 2 Slvl 1: Inferno")},
        {"a level skipped", altered("Clvl 3 Reserved", "Clvl 4 Reserved")},
        {"the header out of order", altered("saved no\nchanged 1796582400", "changed 1796582400\nsaved no")},
        {"larger than a journal", kSmallJournal + std::string(kMaxJournalBytes, '\n')},
    };
    for (const Case& c : cases) {
        const JournalReading reading = parseJournal(c.text);
        EXPECT_FALSE(reading.record) << c.what;
        EXPECT_NE(reading.error, "") << c.what;
        EXPECT_EQ(reading.newerVersion, c.newer) << c.what;
    }
}

TEST(JournalText, aNameTooLongForTheJournalIsLeftOut) {
    model::Plan plan = smallSorceress();
    plan.name = std::string(kMaxJournalBytes / 4, '\n'); // four bytes each, escaped
    const std::string text = formatJournal({plan, false, at(1796582400)});
    EXPECT_LE(text.size(), kMaxJournalBytes);
    const JournalReading reading = parseJournal(text);
    ASSERT_TRUE(reading.record) << reading.error;
    EXPECT_EQ(reading.record->plan.name, "");
    EXPECT_EQ(reading.record->plan.history, plan.history);
}

TEST(JournalText, theContinueTooltipNamesClassLevelAndWhen) {
    struct Case {
        ClassId classId;
        int level;
        bool saved;
        long long secondsAgo;
        std::string text;
    };
    const Case cases[] = {
        {ClassId::Sorceress, 57, false, 300, "Continue: Sorceress, level 57, unsaved, 5 minutes ago"},
        {ClassId::Amazon, 1, true, 0, "Continue: Amazon, level 1, saved, just now"},
        {ClassId::Necromancer, 99, false, 59, "Continue: Necromancer, level 99, unsaved, just now"},
        {ClassId::Barbarian, 12, false, 60, "Continue: Barbarian, level 12, unsaved, 1 minute ago"},
        {ClassId::Paladin, 30, false, 3599, "Continue: Paladin, level 30, unsaved, 59 minutes ago"},
        {ClassId::Paladin, 30, false, 3600, "Continue: Paladin, level 30, unsaved, 1 hour ago"},
        {ClassId::Paladin, 30, false, 86399, "Continue: Paladin, level 30, unsaved, 23 hours ago"},
        {ClassId::Paladin, 30, false, 86400, "Continue: Paladin, level 30, unsaved, 1 day ago"},
        {ClassId::Paladin, 30, false, 40 * 86400 + 5, "Continue: Paladin, level 30, unsaved, 40 days ago"},
        // The clock was set back since.
        {ClassId::Paladin, 30, false, -7200, "Continue: Paladin, level 30, unsaved, just now"},
    };
    const Seconds now = at(1796582400);
    for (const Case& c : cases) {
        EXPECT_EQ(continueText(c.classId, c.level, c.saved, now - std::chrono::seconds(c.secondsAgo), now),
                  c.text);
    }
}

} // namespace
} // namespace skillwright::journal

// Reading a report back: every report SAVE can write opens to the same
// character and saves again to the same bytes; anything else is told why.
#include "Files.h"
#include "PlanMaker.h"
#include "RandomPlay.h"

#include <report/ReportReader.h>
#include <report/ReportText.h>

#include <gtest/gtest.h>

#include <ReportPromises.h>
#include <random>
#include <sys/stat.h>

namespace skillwright::report {
namespace {

using model::ClassId;
using model::TreeId;

std::string reportOf(const model::Build& build, std::string_view name) {
    return reportText(testing::planOf(build, std::string(name)));
}

/// Opens the report's text in a new build, as the program does.
struct Reopened {
    model::Build build;
    std::optional<std::string> problem;
    std::string error;
};
std::unique_ptr<Reopened> reopen(std::string_view text) {
    auto r = std::make_unique<Reopened>();
    const ReportReading reading = parseReport(text);
    if (!reading.report) {
        r->error = reading.error;
        return r;
    }
    const auto stop = r->build.replay(reading.report->plan);
    r->problem = openingProblem(*reading.report, stop, r->build.characterLevel());
    return r;
}

TEST(ReportReader, everyGeneratedCharacterOpensToItselfAndSavesToTheSameBytes) {
    const char* names[] = {"Hero", "\xCE\x9F\xCE\xB4\xCF\x85\xCF\x83\xCF\x83\xCE\xAD\xCE\xB1\xCF\x82",
                           "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE5\x8B\x87\xE8\x80\x85", "",
                           "No Skills selected, Empty character"};
    std::mt19937 random(2026);
    int quests = 0;
    int reserved = 0;
    for (int n = 0; n < 150; ++n) {
        const auto classId = static_cast<ClassId>(n % model::kClassCount);
        model::Build build;
        support::playAtRandom(build, classId, 1 + (n * 7) % 99, random);
        const std::string text = reportOf(build, names[n % std::size(names)]);
        const auto opened = reopen(text);
        ASSERT_EQ(opened->error, "") << text;
        ASSERT_EQ(opened->problem, std::nullopt) << text;
        EXPECT_EQ(reportOf(opened->build, names[n % std::size(names)]), text);
        // With a note, milestones (awkward ones: markup, empty lines) and an attribute plan, the same,
        // and they come back exactly.
        model::Plan noted = testing::planOf(build, names[n % std::size(names)]);
        const std::array<std::string, 5> notes{"", "Why:\n\tgear and all", "a\n\n", "\n",
                                               "\u00C6r <b>bold</b> &amp;"};
        noted.note = notes[static_cast<std::size_t>(n) % notes.size()];
        if (!noted.history.empty()) {
            noted.milestones = {
                {noted.history.size() - 1, "Act 1 (1-15)", notes[static_cast<std::size_t>(n + 1) % 5]}};
        }
        if (n % 3 == 1) { // and targets, in their priority
            const auto trees = model::classInfo(classId).trees;
            noted.targets = {{{trees[2], 9}, 20}, {{trees[0], 0}, 1}, {{trees[1], 5}, 7}};
        }
        noted.attributes = testing::randomAttributes(classId, random);
        const ReportReading withNotes = parseReport(reportText(noted));
        ASSERT_TRUE(withNotes.report && !withNotes.report->unreadBlock) << reportText(noted);
        EXPECT_EQ(withNotes.report->plan, noted);
        EXPECT_EQ(reportText(withNotes.report->plan), reportText(noted));
        for (const model::HistoryEntry& e : build.character()->history()) {
            quests += model::isQuestKind(e.kind) ? 1 : 0;
            reserved += e.kind == model::EntryKind::ReservedSpent ? 1 : 0;
        }
    }
    EXPECT_GT(quests, 100) << "the random play should reach the quests";
    EXPECT_GT(reserved, 20);
}

const std::string kRule = "---------------------------------------------";

// A block of notes and milestones not as SAVE writes it is refused by its
// line, and nothing of it is taken; the points above open as they are.
TEST(ReportReader, aBadBlockOfNotesIsToldByItsLineAndTakesNothing) {
    const std::string top = "Hero\r\nClass: Sorceress\r\nLevel: 3\r\n" + kRule +
                            "\r\n\r\nClvl 1 Slvl 0: Starting Level\r\nClvl 2 Slvl 1: Fire Bolt\r\n"
                            "Clvl 3 Slvl 1: Warmth\r\n\r\n" +
                            kRule + "\r\n\r\nNotes and milestones\r\n";
    const std::string end = kRule + "\r\n";
    const struct {
        const char* what;
        std::string block;
        int line;
    } cases[] = {
        {"a point not above", "Milestone: Clvl 4 Slvl 1: Inferno\r\nName: A\r\n", 13},
        {"no name", "Milestone: Clvl 2 Slvl 1: Fire Bolt\r\nNote:\r\n", 13},
        {"two on one point",
         "Milestone: Clvl 2 Slvl 1: Fire Bolt\r\nName: A\r\nMilestone: Clvl 2 Slvl 1: Fire Bolt\r\nName: "
         "B\r\n",
         15},
        {"out of order",
         "Milestone: Clvl 3 Slvl 1: Warmth\r\nName: A\r\nMilestone: Clvl 2 Slvl 1: Fire Bolt\r\nName: B\r\n",
         15},
        {"a control character", "Note:\r\n  bell\x07\r\n", 13},
        {"a bidi override in a name",
         "Milestone: Clvl 2 Slvl 1: Fire Bolt\r\nName: \xE2\x80\xAE"
         "evil\r\n",
         13},
        {"a note too long",
         "Note:\r\n  " + std::string(40000, 'x') + "\r\n  " + std::string(40000, 'x') + "\r\n", 13},
        {"a stray line", "Hello\r\n", 13},
        {"a target of 10000", "Target: Fire Bolt 10000\r\n", 13},
        {"a target of another class", "Target: Teeth 5\r\n", 13},
        {"two targets on a skill", "Target: Warmth 5\r\nTarget: Warmth 6\r\n", 14},
        {"no closing rule", "Note:\r\n  x\r\n", 14},
        {"a target of 10,000", "Attribute target: Strength 10000\r\n", 13},
        {"a negative target", "Attribute target: Energy -5\r\n", 13},
        {"an unknown attribute", "Attribute target: Luck 50\r\n", 13},
        {"an unknown rest", "Attribute rest: Mana\r\n", 13},
        {"a tome twice", "Lam Esen's Tome: Normal 20\r\nLam Esen's Tome: Normal 30\r\n", 14},
        {"the note after the attributes", "Attribute rest: Energy\r\nNote:\r\n  x\r\n", 14},
        {"a bird at level 100 after good lines",
         "Note:\r\n  kept?\r\nAttribute target: Strength 30\r\nGolden Bird: Hell 100\r\n", 16},
    };
    for (const auto& [what, block, line] : cases) {
        SCOPED_TRACE(what);
        const std::string text = top + block + (std::string_view(what) == "no closing rule" ? "" : end);
        const ReportReading reading = parseReport(text);
        ASSERT_TRUE(reading.report) << reading.error;
        ASSERT_TRUE(reading.report->unreadBlock.has_value());
        EXPECT_TRUE(reading.report->unreadBlock->starts_with("Line " + std::to_string(line) + ": "))
            << *reading.report->unreadBlock;
        EXPECT_EQ(reading.report->plan.note, "");
        EXPECT_TRUE(reading.report->plan.milestones.empty());
        EXPECT_TRUE(reading.report->plan.targets.empty());
        EXPECT_TRUE(reading.report->plan.attributes.empty());
        EXPECT_EQ(reading.report->plan.history.size(), 2u);
    }
}

std::string report(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) {
        text += l + "\r\n";
    }
    return text;
}

std::string withEntries(std::string_view className, int level, const std::vector<std::string>& entries) {
    std::vector<std::string> lines{
        "Hero", "Class: " + std::string(className), "Level: " + std::to_string(level), kRule,
        "",     "Clvl 1 Slvl 0: Starting Level"};
    lines.insert(lines.end(), entries.begin(), entries.end());
    lines.insert(lines.end(), {"", kRule});
    return report(lines);
}

// Reports written by hand or elsewhere: a byte-order mark, line ends of LF
// alone, and quest points out of the order the planner records them in.
TEST(ReportReader, handWrittenReportsOpenAsTheirLinesSay) {
    const std::string empty = report({"No Skills selected, Empty character", "", "Hero", "Class: Paladin",
                                      "Level: 1", kRule, "", "Clvl 1 Slvl 0: Starting Level", "", "", kRule});
    const std::string everyKind = withEntries("Necromancer", 4,
                                              {"Clvl 2 Slvl 1: Teeth", "Clvl 3 Reserved For Later ",
                                               "Den Of Evil: Normal Slvl 2: Teeth",
                                               "Reserved Slvl 1: Bone Armor", "Clvl 4 Slvl 3: Teeth"});
    // A UTF-8 byte-order mark before either form is no part of the name.
    for (const std::string& text : {empty, everyKind}) {
        const ReportReading reading = parseReport("\xEF\xBB\xBF" + text);
        ASSERT_TRUE(reading.report) << reading.error;
        EXPECT_EQ(reading.report->plan.name, "Hero");
    }
    // Line ends of LF alone read the same; trailing blanks of entries stay.
    std::string lf = everyKind;
    std::erase(lf, '\r');
    const auto opened = reopen(lf);
    EXPECT_EQ(opened->problem, std::nullopt);
    EXPECT_EQ(reportOf(opened->build, "Hero"), everyKind);

    std::vector<std::string> entries;
    for (int level = 2; level <= 60; ++level) {
        entries.push_back("Clvl " + std::to_string(level) + " Reserved For Later ");
    }
    entries.insert(entries.end(), {"Book of Skill: Normal Slvl 1: Fire Bolt",
                                   "Izual Quest Point:(1) Normal Slvl 2: Fire Bolt",
                                   "Izual Quest Point:(2) Hell Slvl 1: Warmth"});
    EXPECT_EQ(reopen(withEntries("Sorceress", 60, entries))->problem,
              "Line 68: Izual Quest Point:(2) Hell Slvl 1: Warmth\r\n"
              "The planner records this point as \"Izual Quest Point:(2) Normal Slvl 1: Warmth\".");
}

TEST(ReportReader, aBadLineStopsTheReplayThereWithItsNumberTextAndReason) {
    // After Fire Bolt's first point, at level 3, the line below is line 8.
    const std::pair<std::string, std::string> afterFireBolt[] = {
        {"Clvl 3 Slvl 1: Teeth", "The Sorceress has no skill \"Teeth\"."},
        {"Clvl 3 Slvl 1: Blizzard",
         "Not available yet, you must be character level 24 first (or just getting level 24)."},
        {"Clvl 2 Slvl 2: Fire Bolt", "The planner records this point as \"Clvl 3 Slvl 2: Fire Bolt\"."},
        {"Clvl 3 Slvl 2:Fire Bolt", "The Sorceress has no skill \":Fire Bolt\"."},
    };
    for (const auto& [entry, reason] : afterFireBolt) {
        const auto opened = reopen(withEntries("Sorceress", 3, {"Clvl 2 Slvl 1: Fire Bolt", entry}));
        EXPECT_EQ(opened->problem, "Line 8: " + entry + "\r\n" + reason);
        EXPECT_EQ(opened->build.character()->history().size(), 1u) << entry;
    }
    const std::vector<std::string> fourPoints{"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Slvl 2: Fire Bolt",
                                              "Clvl 4 Slvl 3: Fire Bolt", "Clvl 5 Slvl 4: Fire Bolt"};
    const struct {
        std::vector<std::string> entries;
        int level;
        std::string problem;
        std::size_t kept; ///< entries replayed before it
    } cases[] = {
        // The skill menu offers only Den of Evil (Normal) at level 5.
        {{fourPoints[0], fourPoints[1], fourPoints[2], fourPoints[3], "Den Of Evil: Normal Slvl 5: Fire Bolt",
          "Den Of Evil: Nightmare Slvl 6: Fire Bolt", "Book of Skill: Normal Slvl 7: Fire Bolt"},
         5,
         "Line 12: Den Of Evil: Nightmare Slvl 6: Fire Bolt\r\n"
         "Den Of Evil (Nightmare) is not offered at character level 5.",
         5},
        {{"Reserved Slvl 1: Warmth"},
         1,
         "Line 7: Reserved Slvl 1: Warmth\r\nYou have no skill points in reserve.",
         0},
        {fourPoints, 40, "Line 3: Level: 40\r\nThe points above reach level 5.", 4},
        {fourPoints, 2, "Line 3: Level: 2\r\nThe points above reach level 5.", 4},
        // A long line is quoted up to a visible cut: 79 of its characters and "…".
        {{"Clvl 2 Slvl 1: " + std::string(2000, 'x')},
         2,
         "Line 7: Clvl 2 Slvl 1: "
         "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\xE2\x80\xA6\r\n"
         "The Sorceress has no skill \"" +
             std::string(2000, 'x') + "\".",
         0},
    };
    for (const auto& c : cases) {
        const auto opened = reopen(withEntries("Sorceress", c.level, c.entries));
        ASSERT_EQ(opened->error, "");
        EXPECT_EQ(opened->problem, c.problem);
        EXPECT_EQ(opened->build.character()->history().size(), c.kept) << c.problem;
    }
}

TEST(ReportReader, aFileThatIsNoReportIsToldSo) {
    const std::vector<std::string> good{"Hero",
                                        "Class: Amazon",
                                        "Level: 2",
                                        kRule,
                                        "",
                                        "Clvl 1 Slvl 0: Starting Level",
                                        "Clvl 2 Slvl 1: Jab",
                                        "",
                                        kRule};
    /// The good report with its line `index` (from 0) replaced.
    const auto with = [&good](std::size_t index, const std::string& line) {
        std::vector<std::string> lines = good;
        lines[index] = line;
        return report(lines);
    };
    const std::string laidOut = "its lines are not laid out as a report's.";
    const std::string emptyHeader = "No Skills selected, Empty character\r\n\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "it does not end as a report ends."},
        {"Hero\r\nClass: Amazon", "it does not end as a report ends."},
        {report({"just", "some", "text", "in", "a", "file", "of", "ten", "lines", "here"}),
         "it has no \"Class: \" line."},
        {with(1, "Class: Druid"), "\"Druid\" is not one of the five classes."},
        {std::string("Hero\r\nClass: Amazon\r\n\0\r\n", 24), "it holds binary data."},
        {with(2, "Level: two"), "it has no \"Level: \" line."},
        // Every line of the layout is checked, above and below the entries.
        {report(good).substr(0, report(good).size() - kRule.size() - 2) + "\r\n", laidOut},
        {with(3, "-"), laidOut},
        {with(4, "x"), laidOut},
        {with(5, "Clvl 1 Slvl 0: Starting"), laidOut},
        {with(7, "Clvl 3 Slvl 2: Jab"), laidOut},
        {report({"Hero", "Class: Amazon", "Level: 1", kRule, "", "Clvl 1 Slvl 0: Starting Level", "", kRule}),
         laidOut},
        {emptyHeader + withEntries("Paladin", 1, {"x"}), laidOut},
        {emptyHeader + report({"Hero", "Class: Paladin", "Level: 1", kRule, "",
                               "Clvl 1 Slvl 0: Starting Level", "", kRule}),
         laidOut},
        // A line longer than any report's is refused before it is looked at.
        {with(6, "Clvl 2 Slvl 1: Jab" + std::string(900'000, ' ')),
         "its line 7 is longer than a report's lines."},
        {with(1, "Class: " + std::string(900'000, 'A')), "its line 2 is longer than a report's lines."},
        {with(1, "Class: <h1>" + std::string(100, 'A')),
         "\"<h1>AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\xE2\x80\xA6\" is "
         "not one "
         "of the five classes."},
    };
    for (const auto& [text, error] : cases) {
        const ReportReading reading = parseReport(text);
        EXPECT_FALSE(reading.report) << text;
        EXPECT_EQ(reading.error, "This file is not a character report: " + error) << text;
    }
}

TEST(ReportReader, onlyARegularFileOfAtMostOneMebibyteIsRead) {
    const testing::TemporaryFolder folder;
    const std::filesystem::path& dir = folder.path;
    const std::string fifo = (dir / "pipe.txt").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::ofstream(dir / "big.txt") << std::string(kMaxReportBytes + 1, 'x');
    std::ofstream(dir / "latin1.txt")
        << withEntries("Amazon", 2, {"Clvl 2 Slvl 1: Jab"}).replace(0, 4, "J\xFCrgen");
    const std::pair<std::string, std::string> cases[] = {
        {dir.string(), "This file is not a character report: it is a folder."},
        {fifo, "This file is not a character report: it is a pipe or a device, not a file."},
        {"/dev/zero", "This file is not a character report: it is a pipe or a device, not a file."},
        {(dir / "big.txt").string(), "This file is not a character report: it is larger than 1 MiB."},
        {(dir / "none.txt").string(), "This file cannot be opened: No such file or directory."},
    };
    for (const auto& [path, error] : cases) {
        const ReportReading reading = readReport(path);
        EXPECT_FALSE(reading.report) << path;
        EXPECT_EQ(reading.error, error) << path;
    }
    const ReportReading latin1 = readReport((dir / "latin1.txt").string());
    ASSERT_TRUE(latin1.report) << latin1.error;
    EXPECT_EQ(latin1.report->plan.name, "J\xC3\xBCrgen");
}

// The report fuzzer's corpus: saved reports and what the fuzzer found.
TEST(ReportReader, theFuzzCorpusKeepsEveryPromise) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SKILLWRIGHT_REPORT_CORPUS)) {
        EXPECT_TRUE(testing::reportKeepsItsPromises(testing::readFile(entry.path()))) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 7);
}

} // namespace
} // namespace skillwright::report

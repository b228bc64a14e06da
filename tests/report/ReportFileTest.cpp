// The report file on disk: what a save leaves in the folder when it ends,
// fails or is killed.
#include "Files.h"

#include <report/ReportFile.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace skillwright::report {
namespace {

namespace fs = std::filesystem;

using testing::namesIn;
using testing::readFile;

bool isOurTemporaryName(const std::string& name) {
    return name.size() == 19 && name.starts_with(".skillwright-");
}

/// A report of `entries` history lines, told apart from others by `mark`.
std::string reportText(int mark, int entries) {
    std::string text = "Hero " + std::to_string(mark) + "\r\nClass: Necromancer\r\n";
    for (int i = 0; i < entries; ++i) {
        text += "Clvl " + std::to_string(i + 2) + " Slvl 1: Teeth\r\n";
    }
    return text;
}

class ReportFileTest : public ::testing::Test {
protected:
    testing::TemporaryFolder folder;
    const fs::path dir = folder.path;
};

// Temporary files of ours that nobody holds are what killed saves left;
// everything else in the folder, a live save's file among it, stays.
TEST_F(ReportFileTest, aSaveRemovesStaleTemporaryFilesOfOursAndNothingElse) {
    const std::set<std::string> stale{".skillwright-abc123", ".skillwright-Zz9Yy8"};
    const std::set<std::string> kept{
        ".skillwright-abc12",
        ".skillwright-abc1234",
        ".skillwright-ab_123",
        "x.skillwright-abc123",
        ".skillwright-held00", // a save running beside this one holds it
        ".skillwright-dir123", // a folder
        "Old.txt",
    };
    for (const std::string& name : stale) {
        std::ofstream(dir / name) << "partial";
    }
    for (const std::string& name : kept) {
        if (name.ends_with("dir123")) {
            fs::create_directory(dir / name);
        } else {
            std::ofstream(dir / name) << "keep";
        }
    }
    const int held = ::open((dir / ".skillwright-held00").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);

    EXPECT_FALSE(writeWholeFile((dir / "Hero.txt").string(), "new"));

    std::set<std::string> expected = kept;
    expected.insert("Hero.txt");
    EXPECT_EQ(namesIn(dir), expected);
    EXPECT_EQ(readFile(dir / ".skillwright-held00"), "keep");
    ::close(held);
}

// The old report is replaced, not rewritten: whoever has it open still reads
// the old text, and the folder holds the report alone.
TEST_F(ReportFileTest, anOldReportIsReplacedWholeByANewFile) {
    const fs::path report = dir / "Hero.txt";
    std::ofstream(report) << "old text";
    std::ifstream old(report, std::ios::binary);

    EXPECT_FALSE(writeWholeFile(report.string(), "new text"));

    EXPECT_EQ(readFile(report), "new text");
    std::string stillThere;
    std::getline(old, stillThere);
    EXPECT_EQ(stillThere, "old text");
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"Hero.txt"});
}

/// A save of `text` to `path` in a child process, killed `killAfter` after
/// the child says it starts (never, when empty). Returns how long the child
/// lived from then on.
std::chrono::nanoseconds saveInChild(const fs::path& path, const std::string& text,
                                     std::optional<std::chrono::nanoseconds> killAfter) {
    using Clock = std::chrono::steady_clock;
    int ready[2];
    if (::pipe(ready) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        (void)!::write(ready[1], "s", 1);
        writeWholeFile(path.string(), text);
        ::_exit(0);
    }
    ::close(ready[1]);
    char byte = 0;
    const bool started = child > 0 && ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    EXPECT_TRUE(started) << "no save started";
    const auto start = Clock::now();
    if (killAfter && child > 0) {
        while (Clock::now() < start + *killAfter) {
        }
        ::kill(child, SIGKILL);
    }
    int status = 0;
    if (child > 0) {
        ::waitpid(child, &status, 0);
    }
    return Clock::now() - start;
}

// A save killed by SIGKILL at random moments, before, during and after its
// writing: the report is always the old one or the new one, whole, and the
// folder holds nothing else but, rarely, a temporary file of ours from the
// moment between naming the new file and renaming it over the old one, which
// the next save removes.
TEST_F(ReportFileTest, aSaveKilledAtAnyMomentLeavesTheOldOrTheNewReportWhole) {
    const fs::path report = dir / "Hero.txt";
    const int entries = 97;

    // How long a save in a child takes here, so that the kills spread over all of it.
    std::chrono::nanoseconds saveTime{};
    for (int i = 0; i < 5; ++i) {
        saveTime += saveInChild(report, reportText(-1, entries), std::nullopt) / 5;
    }
    fs::remove(report);

    const int runs = 300;
    std::mt19937 random(20261206);
    std::uniform_int_distribution<long long> delay(0, 2 * saveTime.count());
    std::optional<std::string> current; // no report before the first run
    int oldWhole = 0;
    int newWhole = 0;
    int runsLeavingATemporary = 0;
    for (int run = 0; run < runs; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        const std::string next = reportText(run, entries);
        saveInChild(report, next, std::chrono::nanoseconds(delay(random)));

        std::set<std::string> names = namesIn(dir);
        if (names.erase("Hero.txt") == 1) {
            const std::string now = readFile(report);
            ASSERT_TRUE(now == next || now == current)
                << "a report neither old nor new, " << now.size() << " bytes";
            (now == next ? newWhole : oldWhole) += 1;
            current = now;
        } else {
            ASSERT_FALSE(current) << "the old report is gone";
            ++oldWhole;
        }
        for (const std::string& name : names) {
            ASSERT_TRUE(isOurTemporaryName(name)) << name;
        }
        runsLeavingATemporary += names.empty() ? 0 : 1;
    }
    ASSERT_FALSE(writeWholeFile(report.string(), "last"));
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"Hero.txt"});

    std::cout << runs << " saves killed within "
              << 2 * std::chrono::duration<double, std::micro>(saveTime).count()
              << " us of their start: the old report whole " << oldWhole << ", the new one " << newWhole
              << ", a temporary file left " << runsLeavingATemporary << '\n';
    // How the kills spread depends on the machine's load: a busy machine
    // stretches the save beyond the time measured above.
    EXPECT_GT(oldWhole, runs / 30) << "the kills should land before the new report is in place too";
    EXPECT_GT(newWhole, runs / 30) << "and after it";
    // Between naming and renaming lie microseconds, and more on a busy
    // machine; a temporary file written in full and renamed (no O_TMPFILE)
    // stays behind after most kills.
    EXPECT_LE(runsLeavingATemporary, runs / 10);
}

} // namespace
} // namespace skillwright::report

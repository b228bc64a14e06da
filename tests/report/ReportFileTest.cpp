// The report file on disk: what a save leaves in the folder. (A save cut
// short is the save's suite's.)
#include "Files.h"

#include <report/ReportFile.h>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skillwright::report {
namespace {

namespace fs = std::filesystem;

using testing::namesIn;
using testing::readFile;

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

} // namespace
} // namespace skillwright::report

// Files written whole or not at all: what a write leaves in the folder, over
// an old file and beside one, with unnamed files and without. (A write killed
// midway is the journal's suite's; the errors a save shows, the save's.)
#include "Files.h"

#include <toolkit/AtomicFile.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skillwright::toolkit {
namespace {

namespace fs = std::filesystem;

using testing::namesIn;
using testing::readFile;

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override { m_mask = ::umask(022); }
    void TearDown() override { ::umask(m_mask); }

    mode_t m_mask = 0;
    testing::TemporaryFolder folder;
    const fs::path dir = folder.path;
};

// Over an old file, a write either takes its name in one step (whoever has
// the old one open still reads it) or fails and leaves it; on a free name it
// is written. Either way the folder holds that one file and nothing else.
TEST_F(AtomicFileTest, aNewFileTakesTheNameWholeOrLeavesTheOldOne) {
    const struct {
        const char* what;
        AtomicWrite how;
    } cases[] = {
        {"replacing, unnamed, synced", {Existing::Replace, 0666, true, true}},
        {"replacing, named, unsynced", {Existing::Replace, 0666, false, false}},
        {"keeping, unnamed, unsynced", {Existing::Keep, 0600, false, true}},
        {"keeping, named, synced", {Existing::Keep, 0600, true, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path place = dir / std::to_string(&c - cases);
        fs::create_directory(place);
        const fs::path file = place / "Hero.txt";

        EXPECT_FALSE(writeAtomically(file.string(), "first", c.how));
        EXPECT_EQ(readFile(file), "first");
        EXPECT_EQ(fs::status(file).permissions(), fs::perms(c.how.permissions & ~0022u));

        std::ifstream old(file, std::ios::binary);
        const auto failure = writeAtomically(file.string(), "second", c.how);
        const bool replacing = c.how.existing == Existing::Replace;
        EXPECT_EQ(failure ? failure->number : 0, replacing ? 0 : EEXIST);
        EXPECT_EQ(readFile(file), replacing ? "second" : "first");
        std::string stillThere;
        std::getline(old, stillThere);
        EXPECT_EQ(stillThere, "first");
        EXPECT_EQ(namesIn(place), std::set<std::string>{"Hero.txt"});
    }
}

TEST_F(AtomicFileTest, aMoveWithoutReplacingLeavesATakenNameAlone) {
    std::ofstream(dir / "a") << "a";
    std::ofstream(dir / "b") << "b";
    const auto failure = moveWithoutReplacing((dir / "a").string(), (dir / "b").string());
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number, EEXIST);
    EXPECT_EQ(readFile(dir / "b"), "b");

    EXPECT_FALSE(moveWithoutReplacing((dir / "a").string(), (dir / "c").string()));
    EXPECT_EQ(namesIn(dir), (std::set<std::string>{"b", "c"}));
    EXPECT_EQ(readFile(dir / "c"), "a");
}

// Temporary files of ours that nobody holds are what killed writes left;
// everything else in the folder, a live write's file among it, stays.
TEST_F(AtomicFileTest, aSaveRemovesStaleTemporaryFilesOfOursAndNothingElse) {
    const std::set<std::string> stale{".skillwright-abc123", ".skillwright-Zz9Yy8"};
    const std::set<std::string> kept{
        ".skillwright-abc12",
        ".skillwright-abc1234",
        ".skillwright-ab_123",
        "x.skillwright-abc123",
        ".skillwright-held00", // a write running beside this one holds it
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

// A save over an old file replaces the file a link names, keeps the link and
// the old file's permissions, and leaves nothing else in either folder; a new
// file gets the permissions the player's umask leaves.
TEST_F(AtomicFileTest, aWholeFileFollowsLinksAndKeepsPermissions) {
    const fs::perms unusual = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
    const struct {
        const char* what;
        const char* link; ///< where Hero.txt points from the save folder, or null
        bool oldFile;
    } cases[] = {
        {"an old file", nullptr, true},
        {"a link to an old file in another folder", "../kept/Hero.txt", true},
        {"a link to a file not yet written", "../kept/Hero.txt", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path place = dir / std::to_string(&c - cases);
        fs::create_directories(place / "save");
        fs::create_directories(place / "kept");
        const fs::path file = c.link ? place / "kept" / "Hero.txt" : place / "save" / "Hero.txt";
        if (c.link) {
            fs::create_symlink(c.link, place / "save" / "Hero.txt");
        }
        if (c.oldFile) {
            std::ofstream(file) << "old";
            fs::permissions(file, unusual);
        }
        EXPECT_FALSE(writeWholeFile((place / "save" / "Hero.txt").string(), "new"));
        EXPECT_EQ(readFile(file), "new");
        EXPECT_EQ(fs::is_symlink(place / "save" / "Hero.txt"), c.link != nullptr);
        EXPECT_EQ(fs::status(file).permissions(), c.oldFile ? unusual : fs::perms(0644));
        EXPECT_EQ(namesIn(place / "kept").size() + namesIn(place / "save").size(), c.link ? 2u : 1u);
    }
}

} // namespace
} // namespace skillwright::toolkit

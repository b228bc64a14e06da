#include "Files.h"

#include <toolkit/ProgramFolders.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

using skillwright::toolkit::ProgramFolders;

/// A file system of the listed paths, where only the listed folders take new files.
ProgramFolders::Probe fakeFileSystem(std::set<std::string> paths, std::set<std::string> writable) {
    return {[paths](const std::string& p) { return paths.contains(p); },
            [writable](const std::string& f) { return writable.contains(f); }};
}

const std::string kDocuments = "/home/pat/Documents";

TEST(ProgramFolders, animationsBesideFirstThenInstalledReportsBesideOnlyInAFolderOfItsOwn) {
    struct Case {
        const char* what;
        std::string program;
        std::set<std::string> paths;
        std::set<std::string> writable;
        std::string animations;
        std::string reports;
    };
    const std::string documents = kDocuments + "/Skillwright";
    // clang-format off
    const Case cases[] = {
        {"a build folder", "/src/build/bin",
         {"/src/build/bin/amazonmove.gif"}, {"/src/build/bin"}, "/src/build/bin", "/src/build/bin"},
        {"a copy on a write-protected stick", "/media/stick",
         {"/media/stick/necromancermove.gif", "/media/stick/sorceressmove.gif"}, {},
         "/media/stick", documents},
        {"installed, the program's folder writable (root)", "/usr/games",
         {"/usr/share/skillwright", "/usr/share/skillwright/amazonmove.gif"}, {"/usr/bin"},
         "/usr/share/skillwright", documents},
        {"installed under the home folder, which the player may write", "/home/pat/.local/bin",
         {"/home/pat/.local/share/skillwright"}, {"/home/pat/.local/bin"},
         "/home/pat/.local/share/skillwright", documents},
        {"a package unpacked into a temporary folder, named with a closing slash", "/tmp/x/usr/games/",
         {"/tmp/x/usr/share/skillwright"}, {}, "/tmp/x/usr/share/skillwright", documents},
        {"one animation beside an installed program: a folder of its own", "/opt/sw/bin",
         {"/opt/sw/bin/paladinmove.gif", "/opt/sw/share/skillwright"}, {"/opt/sw/bin"},
         "/opt/sw/bin", "/opt/sw/bin"},
        {"animations nowhere, the folder writable (before they are drawn)", "/src/build/bin",
         {}, {"/src/build/bin"}, "/src/build/bin", "/src/build/bin"},
        {"animations nowhere, the folder read-only", "/src/build/bin", {}, {}, "/src/build/bin", documents},
        {"another file beside does not make a folder of its own", "/usr/games",
         {"/usr/games/amazonmove.png", "/usr/share/skillwright"}, {"/usr/games"},
         "/usr/share/skillwright", documents},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ProgramFolders folders(c.program, kDocuments, fakeFileSystem(c.paths, c.writable));
        EXPECT_EQ(folders.animationFolder(), c.animations);
        EXPECT_EQ(folders.reportFolder(), c.reports);
    }
}

// The real probe: what exists, and which folder takes a new file.
TEST(ProgramFolders, theFileSystemProbeSeesFilesAndFoldersThatTakeNewFiles) {
    const skillwright::testing::TemporaryFolder folder;
    const std::filesystem::path& dir = folder.path;
    std::ofstream(dir / "amazonmove.gif") << "GIF";
    const ProgramFolders::Probe probe = ProgramFolders::fileSystem();

    EXPECT_TRUE(probe.exists((dir / "amazonmove.gif").string()));
    EXPECT_TRUE(probe.exists(dir.string()));
    EXPECT_FALSE(probe.exists((dir / "paladinmove.gif").string()));
    EXPECT_TRUE(probe.takesNewFiles(dir.string()));
    EXPECT_FALSE(probe.takesNewFiles((dir / "missing").string()));
    EXPECT_FALSE(probe.takesNewFiles((dir / "amazonmove.gif").string())) << "a file is no folder";
}

} // namespace

TEST(ProgramFolders, theStateFolderIsTheAbsoluteXdgStateHomeElseUnderHome) {
    struct Case {
        std::string_view xdgStateHome;
        std::string_view home;
        std::string folder;
    };
    const Case cases[] = {
        {"/home/pat/.state", "/home/pat", "/home/pat/.state/skillwright"},
        {"/home/pat/.state/", "/home/pat", "/home/pat/.state/skillwright"},
        {"", "/home/pat", "/home/pat/.local/state/skillwright"},
        {"relative/state", "/home/pat/", "/home/pat/.local/state/skillwright"},
        {"", "/", "/.local/state/skillwright"},
        {"", "", ""},
        {"state", "home", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(skillwright::toolkit::stateFolder(c.xdgStateHome, c.home), c.folder)
            << c.xdgStateHome << " | " << c.home;
    }
}

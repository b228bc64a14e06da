#include <model/Build.h>
#include <report/SaveBuildReport.h>
#include <toolkit/ScriptedToolkit.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skillwright::report {
namespace {

namespace fs = std::filesystem;
using model::Build;
using model::ClassId;
using model::TreeId;

const std::string kRule(45, '-');

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

/// Every name under `folder` with the bytes of each plain file, to compare before and after.
std::map<std::string, std::string> contentsOf(const fs::path& folder) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        out[e.path().lexically_relative(folder).string()] =
            e.is_regular_file() && !e.is_symlink() ? readFile(e.path()) : "";
    }
    return out;
}

std::string lines(std::initializer_list<std::string_view> list) {
    std::string out;
    for (std::string_view l : list) {
        out += l;
        out += "\r\n";
    }
    return out;
}

/// Everything a save must leave untouched, as one comparable text.
std::string describe(const Build& b) {
    std::ostringstream s;
    s << b.levelsGained() << ' ' << b.reservedPoints() << ' ' << b.questCount(model::Quest::DenOfEvil) << ' '
      << b.questCount(model::Quest::BookOfSkill) << ' ' << b.questCount(model::Quest::Izual) << '|';
    if (const model::Character* sc = b.character()) {
        for (int t = 0; t < 3; ++t) {
            for (int i = 0; i < model::kSkillsPerTree; ++i) {
                s << sc->pointsAt(t, i) << ',';
            }
        }
        for (const model::HistoryEntry& e : sc->history()) {
            s << model::formatEntry(e) << '\n';
        }
    }
    return s.str();
}

/// Where a case saves (the toolkit's application folder).
struct ToolkitFolders {
    std::string save;
};

class SaveBuildReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "sw-report-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        toolkit.folder = dir.string();
        build.startCharacter(ClassId::Necromancer);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }

    void save(const std::string& name) {
        toolkit.inputs.push_back(name);
        saveBuildReport(build, toolkit, ReportName::of("Character"),
                        [this](bool v) { visibility.push_back(v); });
    }

    /// Necromancer at level 3 with one entry of every kind, all on Teeth.
    void buildEveryEntryKind() {
        build.click(TreeId::NecromancerPoisonBone, 0);
        const model::SkillRef teeth{TreeId::NecromancerPoisonBone, 0};
        build.reservePoint();
        build.useReservedPoint(teeth);
        build.takeQuestPoint(model::Quest::DenOfEvil, teeth);
        build.takeQuestPoint(model::Quest::BookOfSkill, teeth);
        build.takeQuestPoint(model::Quest::Izual, teeth);
    }

    toolkit::ScriptedToolkit toolkit;
    Build build;
    fs::path dir;
    std::vector<bool> visibility;
};

TEST_F(SaveBuildReportTest, emptyCharacterWritesElevenLines) {
    save("Hero");
    ASSERT_EQ(toolkit.inputPrompts.size(), 1u);
    EXPECT_EQ(toolkit.inputPrompts[0].prompt, "What is the name of this character?");
    EXPECT_EQ(toolkit.inputPrompts[0].title, "Character Name");
    EXPECT_EQ(toolkit.inputPrompts[0].defaultText, "Character");
    EXPECT_EQ(readFile(dir / "Hero.txt"),
              lines({"No Skills selected, Empty character", "", "Hero", "Class: Necromancer", "Level: 1",
                     kRule, "", "Clvl 1 Slvl 0: Starting Level", "", "", kRule}));
    EXPECT_TRUE(toolkit.messages.empty());
    EXPECT_EQ(visibility, (std::vector<bool>{false, true}));
}

TEST_F(SaveBuildReportTest, cancelWritesDotTxtWithEmptyNameLine) {
    save("");
    EXPECT_EQ(readFile(dir / ".txt"),
              lines({"No Skills selected, Empty character", "", "", "Class: Necromancer", "Level: 1", kRule,
                     "", "Clvl 1 Slvl 0: Starting Level", "", "", kRule}));
}

TEST_F(SaveBuildReportTest, everyEntryKindIsCopiedVerbatim) {
    buildEveryEntryKind();
    const std::string before = describe(build);
    save("Bones");
    EXPECT_EQ(readFile(dir / "Bones.txt"),
              lines({"Bones", "Class: Necromancer", "Level: 3", kRule, "", "Clvl 1 Slvl 0: Starting Level",
                     "Clvl 2 Slvl 1: Teeth", "Clvl 3 Reserved For Later ", "Reserved Slvl 2: Teeth",
                     "Den Of Evil: Normal Slvl 3: Teeth", "Book of Skill: Normal Slvl 4: Teeth",
                     "Izual Quest Point:(1) Normal Slvl 5: Teeth", "", kRule}));
    EXPECT_EQ(describe(build), before);
}

TEST_F(SaveBuildReportTest, classLineNamesTheOpenScreen) {
    const std::pair<ClassId, std::string> cases[] = {
        {ClassId::Amazon, "Class: Amazon"},           {ClassId::Barbarian, "Class: Barbarian"},
        {ClassId::Paladin, "Class: Paladin"},         {ClassId::Sorceress, "Class: Sorceress"},
        {ClassId::Necromancer, "Class: Necromancer"},
    };
    for (const auto& [classId, line] : cases) {
        build.startCharacter(classId);
        save("C");
        EXPECT_NE(readFile(dir / "C.txt").find("\r\nC\r\n" + line + "\r\n"), std::string::npos) << line;
    }
}

TEST_F(SaveBuildReportTest, secondSaveReplacesTheFirst) {
    buildEveryEntryKind();
    save("Twice");
    build.click(TreeId::NecromancerPoisonBone, 1);
    save("Twice");
    const std::string text = readFile(dir / "Twice.txt");
    EXPECT_NE(text.find("Level: 4\r\n"), std::string::npos);
    EXPECT_NE(text.find("Izual Quest Point:(1) Normal Slvl 5: Teeth\r\nClvl 4 Slvl 1: Bone Armor\r\n\r\n" +
                        kRule + "\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("Level: 3"), std::string::npos);
}

TEST_F(SaveBuildReportTest, nameIsWrittenInUtf8AndUsedAsTypedForTheFile) {
    for (const char* name : {"J\xC3\xBCrgen \xE2\x82\xAC",
                             "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE5\x8B\x87\xE8\x80\x85"}) {
        save(name);
        const fs::path file = dir / (std::string(name) + ".txt");
        ASSERT_TRUE(fs::exists(file)) << name;
        const std::string head =
            lines({"No Skills selected, Empty character", "", name, "Class: Necromancer"});
        EXPECT_EQ(readFile(file).substr(0, head.size()), head) << name;
    }
}

TEST(PlainFileName, aNameFromOutsideBecomesAPlainFileNameInTheReportFolder) {
    const struct {
        std::string name;
        std::string file;
    } cases[] = {
        {"Hero", "Hero"},
        {"J\xC3\xBCrgen v1.2", "J\xC3\xBCrgen v1.2"},
        {"../../somewhere", "______somewhere"},
        {"/etc/passwd", "_etc_passwd"},
        {"a\\b", "a_b"},
        {"..", "__"},
        {".hidden", "_hidden"},
        {"one..two", "one__two"},
        {"tab\there\r\nbell\x07 del\x7F c1\xC2\x85 end", "tab_here__bell_ del_ c1_ end"},
        {"", "Character"},
        // Too long for a file name: 197 bytes and a visible "…", not inside a character.
        {std::string(300, 'n'), std::string(197, 'n') + "\xE2\x80\xA6"},
        {std::string(196, 'x') + "\xC3\xA9zzz", std::string(196, 'x') + "\xE2\x80\xA6"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plainFileName(c.name), c.file) << c.name;
    }
}

// A name that came from a stranger's file is offered as a plain file name;
// taken as offered, it keeps the character's name in the report.
TEST_F(SaveBuildReportTest, aNameFromOutsideIsOfferedAsAPlainFileNameAndKeptInTheReport) {
    const fs::path inside = dir / "a" / "b";
    toolkit.folder = inside.string();
    const auto saved = saveBuildReport(build, toolkit, ReportName::of("../../somewhere"), {});
    ASSERT_EQ(toolkit.inputPrompts.size(), 1u);
    EXPECT_EQ(toolkit.inputPrompts[0].defaultText, "______somewhere");
    EXPECT_EQ(saved, (ReportName{"../../somewhere", "______somewhere"}));
    EXPECT_FALSE(fs::exists(dir / "somewhere.txt"));
    EXPECT_EQ(readFile(inside / "______somewhere.txt"),
              lines({"No Skills selected, Empty character", "", "../../somewhere", "Class: Necromancer",
                     "Level: 1", kRule, "", "Clvl 1 Slvl 0: Starting Level", "", "", kRule}));
    // A name the player types is theirs, in the report and the file name alike.
    toolkit.inputs.push_back("Typed");
    EXPECT_EQ(saveBuildReport(build, toolkit, ReportName::of("../../somewhere"), {}),
              (ReportName{"Typed", "Typed"}));
    EXPECT_EQ(readFile(inside / "Typed.txt"),
              lines({"No Skills selected, Empty character", "", "Typed", "Class: Necromancer", "Level: 1",
                     kRule, "", "Clvl 1 Slvl 0: Starting Level", "", "", kRule}));
}

TEST_F(SaveBuildReportTest, noOpenScreenWritesNothing) {
    build.endCharacter();
    save("Nobody");
    EXPECT_FALSE(fs::exists(dir / "Nobody.txt"));
    EXPECT_TRUE(toolkit.messages.empty());
}

// The report folder (in the documents, for an installed program) is made,
// with any folder above it, at the first save.
TEST_F(SaveBuildReportTest, theFirstSaveMakesTheReportFolder) {
    toolkit.folder = (dir / "home" / "Documents" / "Skillwright").string();
    save("Hero");
    EXPECT_TRUE(toolkit.messages.empty());
    EXPECT_EQ(readFile(dir / "home" / "Documents" / "Skillwright" / "Hero.txt").substr(0, 11), "No Skills s");
    save("Hero");
    EXPECT_TRUE(toolkit.messages.empty());
}

// A save over an old report replaces the file a link names, keeps the link and
// the old file's permissions, and leaves nothing else in either folder; a new
// report gets the permissions the player's umask leaves.
TEST_F(SaveBuildReportTest, aSaveFollowsLinksAndKeepsPermissions) {
    const fs::perms unusual = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
    struct Case {
        const char* what;
        const char* link; ///< where Hero.txt points from the save folder, or null
        bool oldReport;
    };
    const Case cases[] = {
        {"an old report", nullptr, true},
        {"a link to an old report in another folder", "../kept/Hero.txt", true},
        {"a link to a report not yet written", "../kept/Hero.txt", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path place = dir / std::to_string(&c - cases);
        fs::create_directories(place / "save");
        fs::create_directories(place / "kept");
        const fs::path file = c.link ? place / "kept" / "Hero.txt" : place / "save" / "Hero.txt";
        if (c.link) {
            fs::create_symlink(c.link, place / "save" / "Hero.txt");
        }
        if (c.oldReport) {
            std::ofstream(file) << "old";
            fs::permissions(file, unusual);
        }
        toolkit.folder = (place / "save").string();
        const mode_t mask = ::umask(022);
        save("Hero");
        ::umask(mask);

        EXPECT_TRUE(toolkit.messages.empty());
        EXPECT_EQ(readFile(file).substr(0, 11), "No Skills s");
        EXPECT_EQ(fs::is_symlink(place / "save" / "Hero.txt"), c.link != nullptr);
        // A new report is anyone's to read, as files usually are.
        EXPECT_EQ(fs::status(file).permissions(), c.oldReport ? unusual : fs::perms(0644));
        EXPECT_EQ(contentsOf(place).size(), c.link ? 4u : 3u); // two folders, the report and any link
    }
}

// ---- Names and places no file can have: message, nothing changed, retry works ----

TEST_F(SaveBuildReportTest, aSaveCutShortKeepsTheOldReportAndLeavesNothingElse) {
    buildEveryEntryKind();
    save("Cut");
    const auto before = contentsOf(dir);
    build.click(TreeId::NecromancerPoisonBone, 1);

    // A file size limit makes the write stop partway with EFBIG.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = 60;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    toolkit.inputs.push_back("Cut"); // over the whole report written before
    toolkit.inputs.push_back("First");
    saveBuildReport(build, toolkit, ReportName::of("Character"), {});
    saveBuildReport(build, toolkit, ReportName::of("Character"), {});
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    const std::string efbig = std::to_string(EFBIG) + "\r\n" + std::strerror(EFBIG);
    ASSERT_EQ(toolkit.messages.size(), 2u);
    EXPECT_EQ(toolkit.messages[0].text, efbig);
    EXPECT_EQ(toolkit.messages[1].text, efbig);
    EXPECT_EQ(contentsOf(dir), before);
}

// Names and places no file can have: the message, nothing changed, and a
// save under a good name right after succeeds.
TEST_F(SaveBuildReportTest, aNameOrPlaceNoFileCanHaveFailsAndChangesNothing) {
    const bool root = ::geteuid() == 0;
    struct Case {
        const char* what;
        std::string name;
        int number;
        std::function<bool(const fs::path& dir, ToolkitFolders& folders)> prepare; ///< false: not here
    };
    const auto none = [](const fs::path&, ToolkitFolders&) { return true; };
    const std::vector<Case> cases{
        {"a missing folder in the name", "a/b", ENOENT, none},
        {"a name too long", std::string(300, 'n'), ENAMETOOLONG, none},
        {"a name holding NUL", std::string("Hero\0x", 6), EINVAL, none},
        {"the name of a folder", "Taken", EISDIR,
         [](const fs::path& d, ToolkitFolders&) { return fs::create_directory(d / "Taken.txt"); }},
        {"a pipe nobody reads", "Pipe", ENXIO,
         [](const fs::path& d, ToolkitFolders&) { return ::mkfifo((d / "Pipe.txt").c_str(), 0600) == 0; }},
        {"a full disk", "Full", ENOSPC,
         [](const fs::path& d, ToolkitFolders&) {
             fs::create_symlink("/dev/full", d / "Full.txt");
             return true;
         }},
        {"a report folder that cannot be made", "Hero", ENOTDIR,
         [](const fs::path& d, ToolkitFolders& folders) {
             std::ofstream(d / "Documents") << "a file";
             folders.save = (d / "Documents" / "Skillwright").string();
             return true;
         }},
        // Root ignores permission bits; sysfs refuses new files and writes even to root.
        {"a folder that cannot be written", "Hero", EACCES,
         [root](const fs::path& d, ToolkitFolders& folders) {
             if (root) {
                 folders.save = "/sys/kernel";
                 return ::access("/sys/kernel", F_OK) == 0;
             }
             fs::create_directory(d / "locked");
             fs::permissions(d / "locked", fs::perms::owner_read | fs::perms::owner_exec);
             folders.save = (d / "locked").string();
             return true;
         }},
        {"a read-only file", "ReadOnly", EACCES,
         [root](const fs::path& d, ToolkitFolders&) {
             if (root) {
                 const char* target = "/sys/kernel/uevent_seqnum";
                 fs::create_symlink(target, d / "ReadOnly.txt");
                 return ::access(target, F_OK) == 0;
             }
             std::ofstream(d / "ReadOnly.txt") << "old";
             fs::permissions(d / "ReadOnly.txt", fs::perms::owner_read);
             return true;
         }},
    };
    buildEveryEntryKind();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path place = dir / std::to_string(&c - cases.data());
        fs::create_directory(place);
        ToolkitFolders folders{place.string()};
        if (!c.prepare(place, folders)) {
            continue; // nothing on this machine refuses it
        }
        toolkit.folder = folders.save;
        toolkit.messages.clear();
        visibility.clear();
        const std::string before = describe(build);
        const auto files = contentsOf(place);
        save(c.name);
        ASSERT_EQ(toolkit.messages.size(), 1u);
        const auto& m = toolkit.messages.back();
        EXPECT_EQ(m.text, std::to_string(c.number) + "\r\n" + std::strerror(c.number));
        EXPECT_EQ(m.title, "");
        EXPECT_EQ(m.icon, toolkit::Icon::None);
        EXPECT_EQ(m.buttons, toolkit::Buttons::Ok);
        EXPECT_EQ(describe(build), before);
        EXPECT_EQ(contentsOf(place), files);
        EXPECT_EQ(visibility, (std::vector<bool>{false, true}));

        toolkit.folder = place.string();
        save("Retry");
        EXPECT_EQ(toolkit.messages.size(), 1u);
        EXPECT_TRUE(fs::exists(place / "Retry.txt"));
    }
}

} // namespace
} // namespace skillwright::report

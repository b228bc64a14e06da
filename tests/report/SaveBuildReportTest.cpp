// Saving a character as a report: the name asked for, the file it goes to,
// what a save leaves on disk, and what happens where no file can be written.
#include "BuildText.h"
#include "Files.h"
#include "PlanMaker.h"

#include <report/ReportText.h>
#include <report/SaveBuildReport.h>
#include <toolkit/ScriptedToolkit.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skillwright::report {
namespace {

namespace fs = std::filesystem;
using model::ClassId;
using model::TreeId;
using testing::readFile;

/// Every name under `folder` with the bytes of each plain file, to compare before and after.
std::map<std::string, std::string> contentsOf(const fs::path& folder) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        out[e.path().lexically_relative(folder).string()] =
            e.is_regular_file() && !e.is_symlink() ? readFile(e.path()) : "";
    }
    return out;
}

const std::string kNotSaved = "The report was not saved; the plan is still on screen.";

class SaveBuildReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        toolkit.folder = dir.string();
        build.startCharacter(ClassId::Necromancer);
    }

    /// SAVE, with `typed` typed into the name box, of a plan whose own report is `ownReport`.
    std::optional<ReportName> save(const std::string& typed, const std::string& ownReport = {}) {
        toolkit.inputs.push_back(typed);
        return saveBuildReport(build.plan(), toolkit, ReportName::of("Character"), ownReport,
                               [this](bool v) { visibility.push_back(v); });
    }
    /// The report of the build on screen under `name` (its layout is the report text's test's).
    [[nodiscard]] std::string reportOf(const std::string& name) const {
        return reportText(testing::planOf(build, name));
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

    testing::TemporaryFolder folder;
    const fs::path dir = folder.path;
    toolkit::ScriptedToolkit toolkit;
    model::Build build;
    std::vector<bool> visibility;
};

// The name typed is the report's name line and, as typed, its file's name.
// The history list hides while the file is written, and the build stays as
// it was.
TEST_F(SaveBuildReportTest, theTypedNameNamesTheReportAndItsFile) {
    buildEveryEntryKind();
    const std::string before = testing::describe(build);
    for (const std::string name : {"Bones", "J\xC3\xBCrgen \xE2\x82\xAC", "日本語の勇者"}) {
        visibility.clear();
        save(name);
        EXPECT_EQ(readFile(dir / (name + ".txt")), reportOf(name)) << name;
        EXPECT_EQ(visibility, (std::vector<bool>{false, true})) << name;
    }
    ASSERT_EQ(toolkit.inputPrompts.size(), 3u);
    EXPECT_EQ(toolkit.inputPrompts[0].prompt, "What is the name of this character?");
    EXPECT_EQ(toolkit.inputPrompts[0].title, "Character Name");
    EXPECT_EQ(toolkit.inputPrompts[0].defaultText, "Character");
    EXPECT_TRUE(toolkit.messages.empty());
    EXPECT_EQ(testing::describe(build), before);

    build.click(TreeId::NecromancerPoisonBone, 1);
    save("Bones", (dir / "." / "Bones.txt").string()); // its own report, however its path is spelt
    EXPECT_EQ(readFile(dir / "Bones.txt"), reportOf("Bones")) << "the second save replaces the first";
    EXPECT_TRUE(toolkit.messages.empty()) << "without a question";
}

// Cancel, or the name erased, saves nothing. A report of the name typed that
// is not the plan's own is replaced only when the player says Yes; No asks
// for the name again, offering the one typed.
TEST_F(SaveBuildReportTest, cancelSavesNothingAndAnotherReportIsReplacedOnlyWhenThePlayerSaysSo) {
    using toolkit::Answer;
    const fs::path witch = dir / "Frost Witch.txt";
    const std::string theirs = "the player's own report";
    const struct {
        const char* what;
        std::vector<std::string> typed;
        std::vector<Answer> answers;
        std::string ownReport;
        std::optional<std::string> savedAs;
        bool witchReplaced;
    } cases[] = {
        {"Cancel", {""}, {}, "", std::nullopt, false},
        {"No, then Cancel", {"Frost Witch", ""}, {Answer::No}, "", std::nullopt, false},
        {"No, then another name", {"Frost Witch", "Frost Witch 2"}, {Answer::No}, "", "Frost Witch 2", false},
        {"Yes", {"Frost Witch"}, {Answer::Yes}, "", "Frost Witch", true},
        {"the report it came from", {"Frost Witch"}, {}, witch.string(), "Frost Witch", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir);
        fs::create_directory(dir);
        std::ofstream(witch) << theirs;
        toolkit.inputPrompts.clear();
        toolkit.messages.clear();
        toolkit.inputs.assign(c.typed.begin(), c.typed.end());
        toolkit.answers.assign(c.answers.begin(), c.answers.end());
        const auto saved =
            saveBuildReport(build.plan(), toolkit, ReportName::of("Character"), c.ownReport, {});
        EXPECT_EQ(saved ? std::optional(saved->file) : std::nullopt, c.savedAs);
        EXPECT_EQ(readFile(witch), c.witchReplaced ? reportOf("Frost Witch") : theirs);
        EXPECT_EQ(testing::namesIn(dir).size(), c.savedAs && !c.witchReplaced ? 2u : 1u);
        ASSERT_EQ(toolkit.messages.size(), c.answers.size());
        if (!c.answers.empty()) {
            EXPECT_EQ(toolkit.messages[0].text,
                      "A report \"Frost Witch.txt\" is already there, not saved from this plan. Replace it?");
            EXPECT_EQ(toolkit.messages[0].buttons, toolkit::Buttons::YesNoDefaultNo);
        }
        ASSERT_EQ(toolkit.inputPrompts.size(), c.typed.size());
        EXPECT_EQ(toolkit.inputPrompts.back().defaultText, c.typed.size() > 1 ? "Frost Witch" : "Character");
    }
}

TEST(PlainFileName, aNameFromOutsideBecomesAPlainFileNameInTheReportFolder) {
    const std::pair<std::string, std::string> cases[] = {
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
        // Line breaks and the controls of writing direction cannot disguise the file.
        {"\xE2\x80\xAEtxt.exe\xE2\x80\xA8x\xE2\x81\xA6y", "_txt.exe_x_y"},
        // Too long for a file name: 197 bytes and a visible "…", not inside a character.
        {std::string(300, 'n'), std::string(197, 'n') + "\xE2\x80\xA6"},
        {std::string(196, 'x') + "\xC3\xA9zzz", std::string(196, 'x') + "\xE2\x80\xA6"},
    };
    for (const auto& [name, file] : cases) {
        EXPECT_EQ(plainFileName(name), file) << name;
    }
}

// A name that came from a stranger's file is offered as a plain file name;
// taken as offered, it keeps the character's name in the report. The report
// folder, and any folder above it, is made at the first save.
TEST_F(SaveBuildReportTest, aNameFromOutsideIsOfferedAsAPlainFileNameAndKeptInTheReport) {
    const fs::path inside = dir / "a" / "b";
    toolkit.folder = inside.string();
    const auto saved = saveBuildReport(build.plan(), toolkit, ReportName::of("../../somewhere"), {}, {});
    ASSERT_EQ(toolkit.inputPrompts.size(), 1u);
    EXPECT_EQ(toolkit.inputPrompts[0].defaultText, "______somewhere");
    EXPECT_EQ(saved, (ReportName{"../../somewhere", "______somewhere"}));
    EXPECT_FALSE(fs::exists(dir / "somewhere.txt"));
    EXPECT_EQ(readFile(inside / "______somewhere.txt"), reportOf("../../somewhere"));
    // A name the player types is theirs, in the report and the file name alike.
    toolkit.inputs.push_back("Typed");
    EXPECT_EQ(saveBuildReport(build.plan(), toolkit, ReportName::of("../../somewhere"), {}, {}),
              (ReportName{"Typed", "Typed"}));
    EXPECT_EQ(readFile(inside / "Typed.txt"), reportOf("Typed"));
    EXPECT_TRUE(toolkit.messages.empty());
}

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
    save("Cut", (dir / "Cut.txt").string()); // over the whole report written before
    save("First");
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    const std::string efbig = std::to_string(EFBIG) + "\r\n" + std::strerror(EFBIG) + "\r\n" + kNotSaved;
    ASSERT_EQ(toolkit.messages.size(), 2u);
    EXPECT_EQ(toolkit.messages[0].text, efbig);
    EXPECT_EQ(toolkit.messages[1].text, efbig);
    EXPECT_EQ(contentsOf(dir), before);
}

// Names and places no file can have: the message, nothing changed, and a
// save under a good name right after succeeds.
TEST_F(SaveBuildReportTest, aNameOrPlaceNoFileCanHaveFailsAndChangesNothing) {
    const bool root = ::geteuid() == 0;
    /// Makes the place refuse the save, and may move the save folder; false: nothing here refuses it.
    using Prepare = std::function<bool(const fs::path& place, std::string& saveFolder)>;
    const Prepare none = [](const fs::path&, std::string&) { return true; };
    const struct {
        const char* what;
        std::string name;
        int number;
        Prepare prepare;
    } cases[] = {
        {"a missing folder in the name", "a/b", ENOENT, none},
        {"a name too long", std::string(300, 'n'), ENAMETOOLONG, none},
        {"a name holding NUL", std::string("Hero\0x", 6), EINVAL, none},
        {"the name of a folder", "Taken", EISDIR,
         [](const fs::path& p, std::string&) { return fs::create_directory(p / "Taken.txt"); }},
        {"a pipe nobody reads", "Pipe", ENXIO,
         [](const fs::path& p, std::string&) { return ::mkfifo((p / "Pipe.txt").c_str(), 0600) == 0; }},
        {"a full disk", "Full", ENOSPC,
         [](const fs::path& p, std::string&) {
             fs::create_symlink("/dev/full", p / "Full.txt");
             return true;
         }},
        {"a report folder that cannot be made", "Hero", ENOTDIR,
         [](const fs::path& p, std::string& saveFolder) {
             std::ofstream(p / "Documents") << "a file";
             saveFolder = (p / "Documents" / "Skillwright").string();
             return true;
         }},
        // Root ignores permission bits; sysfs refuses new files and writes even to root.
        {"a folder that cannot be written", "Hero", EACCES,
         [root](const fs::path& p, std::string& saveFolder) {
             saveFolder = root ? "/sys/kernel" : (p / "locked").string();
             if (root) {
                 return ::access("/sys/kernel", F_OK) == 0;
             }
             fs::create_directory(p / "locked");
             fs::permissions(p / "locked", fs::perms::owner_read | fs::perms::owner_exec);
             return true;
         }},
        {"a read-only file", "ReadOnly", EACCES,
         [root](const fs::path& p, std::string&) {
             if (root) {
                 fs::create_symlink("/sys/kernel/uevent_seqnum", p / "ReadOnly.txt");
                 return ::access("/sys/kernel/uevent_seqnum", F_OK) == 0;
             }
             std::ofstream(p / "ReadOnly.txt") << "old";
             fs::permissions(p / "ReadOnly.txt", fs::perms::owner_read);
             return true;
         }},
    };
    buildEveryEntryKind();
    const std::string before = testing::describe(build);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path place = dir / std::to_string(&c - cases);
        fs::create_directory(place);
        toolkit.folder = place.string();
        if (!c.prepare(place, toolkit.folder)) {
            continue; // nothing on this machine refuses it
        }
        toolkit.messages.clear();
        visibility.clear();
        const auto files = contentsOf(place);
        save(c.name, (place / (c.name + ".txt")).string()); // its own: no question first
        ASSERT_EQ(toolkit.messages.size(), 1u);
        const auto& m = toolkit.messages.back();
        EXPECT_EQ(m.text, std::to_string(c.number) + "\r\n" + std::strerror(c.number) + "\r\n" + kNotSaved);
        EXPECT_EQ(m.title, "");
        EXPECT_EQ(m.icon, toolkit::Icon::None);
        EXPECT_EQ(m.buttons, toolkit::Buttons::Ok);
        EXPECT_EQ(testing::describe(build), before);
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

// The library of saved plans: its rows against the reports SAVE writes, the
// changes of its files on a scratch folder, hostile files, and the window
// following the folder.
#include <model/Build.h>
#include <report/ReportText.h>
#include <screens/library/LibraryWindow.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <RandomPlay.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <library/Library.h>
#include <random>
#include <sys/stat.h>

namespace skillwright::library {
namespace {

namespace fs = std::filesystem;

struct Scratch {
    QTemporaryDir dir;
    [[nodiscard]] std::string path(const std::string& name = {}) const {
        return (fs::path(dir.path().toStdString()) / name).string();
    }
    void write(const std::string& name, const std::string& bytes) const {
        fs::create_directories(fs::path(path(name)).parent_path());
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    [[nodiscard]] std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(path())) {
            names.push_back(fs::relative(e.path(), path()).string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

LibraryRow rowOf(const Scratch& scratch, const std::string& name) {
    for (const FoundReport& found : findReports(scratch.path())) {
        if (fs::path(found.path).filename() == name) {
            return readRow(found);
        }
    }
    return {};
}

// Reports SAVE writes for random plans of all five classes: each row tells
// the class, level and points per tree a count of the plan's entries gives.
TEST(Library, rowsTellWhatTheReportsHold) {
    Scratch scratch;
    std::mt19937 random(40);
    for (int n = 0; n < 40; ++n) {
        model::Build build;
        const auto classId = static_cast<model::ClassId>(n % model::kClassCount);
        support::playAtRandom(build, classId, 1 + (n * 17) % 99, random);
        model::Plan plan = build.plan();
        plan.name = "Plan " + std::to_string(n);
        scratch.write((n % 3 == 0 ? "old/" : "") + plan.name + ".txt", report::reportText(plan));
        const LibraryRow row = rowOf(scratch, plan.name + ".txt");
        SCOPED_TRACE(plan.name);
        ASSERT_TRUE(row.opens()) << row.refusal;
        EXPECT_EQ(row.classId, classId);
        EXPECT_EQ(row.name, plan.name);
        EXPECT_EQ(row.file.folder, n % 3 == 0 ? "old" : "");
        std::array<int, 3> perTree{};
        int levelUps = 0;
        for (const model::HistoryEntry& e : plan.history) {
            levelUps += e.kind == model::EntryKind::Ordinary || e.kind == model::EntryKind::ReservedForLater;
            if (e.kind != model::EntryKind::ReservedForLater) {
                ++perTree[static_cast<std::size_t>(model::tree(e.skill.tree).position)];
            }
        }
        EXPECT_EQ(row.level, 1 + levelUps);
        EXPECT_EQ(row.treePoints, perTree);
    }
    EXPECT_EQ(findReports(scratch.path()).size(), 40u);
}

// What a row shows, by hand, and the search over it.
TEST(Library, aRowShowsTheMostPointsAndTheSearchFindsEveryWord) {
    Scratch scratch;
    model::Build build;
    build.startCharacter(model::ClassId::Necromancer);
    for (int i = 0; i < 5; ++i) {
        build.click(model::TreeId::NecromancerPoisonBone, 0); // Teeth
    }
    build.click(model::TreeId::NecromancerPoisonBone, 1); // Bone Armor
    build.click(model::TreeId::NecromancerCurses, 0);     // Amplify Damage
    build.click(model::TreeId::NecromancerCurses, 0);
    model::Plan plan = build.plan();
    plan.name = "Bone [b]Necro[/b]";
    plan.note = "Teeth first\nthen Bone Spear";
    scratch.write("bone.txt", report::reportText(plan));
    const LibraryRow row = rowOf(scratch, "bone.txt");
    EXPECT_EQ(row.topSkills, "Teeth 5, Amplify Damage 2, Bone Armor 1");
    EXPECT_EQ(treePointsText(row), "0 / 6 / 2");
    EXPECT_EQ(row.noteLine, "Teeth first");
    EXPECT_EQ(row.level, 9);
    for (const char* found : {"bone", "AMPLIFY teeth", "[b]", "first", ""}) {
        EXPECT_TRUE(matches(row, found)) << found;
    }
    for (const char* missed : {"spear", "teeth nova", "Sorceress"}) {
        EXPECT_FALSE(matches(row, missed)) << missed;
    }
}

// Hostile files are rows with a reason, costing nothing; links are not
// followed out of the folder.
TEST(Library, hostileFilesAreListedWithTheirReasonAndLinksAreNotFollowed) {
    Scratch scratch;
    Scratch outside;
    outside.write("secret.txt", "Out\r\nClass: Sorceress\r\nLevel: 1\r\n");
    scratch.write("junk.txt", std::string(5000, '\x01'));
    scratch.write("long.txt", "Name\r\n" + std::string(2 << 20, 'x') + "\r\n");
    scratch.write("notes.md", "not a report");
    ASSERT_EQ(::mkfifo(scratch.path("pipe.txt").c_str(), 0600), 0);
    fs::create_symlink(outside.path("secret.txt"), scratch.path("link.txt"));
    fs::create_directory_symlink(outside.path(), scratch.path("elsewhere"));
    std::vector<std::string> listed;
    for (const FoundReport& found : findReports(scratch.path())) {
        const LibraryRow row = readRow(found);
        listed.push_back(fs::path(found.path).filename().string());
        EXPECT_FALSE(row.opens()) << found.path;
        EXPECT_FALSE(row.refusal.empty());
    }
    EXPECT_EQ(listed, (std::vector<std::string>{"junk.txt", "long.txt"})) << "no pipe, link or other file";
}

// Duplicate and rename write whole new reports beside the old, never over
// another file; trash takes the file; nothing is written outside.
TEST(Library, duplicateRenameAndTrashChangeOnlyTheirFiles) {
    Scratch scratch;
    model::Build build;
    build.startCharacter(model::ClassId::Amazon);
    build.click(model::TreeId::AmazonJavelinSpear, 0);
    model::Plan plan = build.plan();
    plan.name = "Javazon";
    scratch.write("Javazon.txt", report::reportText(plan));
    scratch.write("Jab.txt", "taken");
    const LibraryRow row = rowOf(scratch, "Javazon.txt");
    const FileChange copy = duplicateReport(row);
    ASSERT_TRUE(copy.done()) << copy.error;
    EXPECT_EQ(rowOf(scratch, "Javazon (copy).txt").name, "Javazon (copy)");
    const FileChange renamed = renameReport(row, "Jab");
    ASSERT_TRUE(renamed.done()) << renamed.error;
    EXPECT_EQ(scratch.files(), (std::vector<std::string>{"Jab 2.txt", "Jab.txt", "Javazon (copy).txt"}));
    EXPECT_EQ(rowOf(scratch, "Jab 2.txt").name, "Jab");
    std::ifstream taken(scratch.path("Jab.txt"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(taken), {}), "taken");
    EXPECT_FALSE(renameReport(rowOf(scratch, "Jab 2.txt"), "line\nbreak").done());
    // Into a new folder, whose name cannot lead out, and never over a report there.
    const FileChange moved = moveReport(rowOf(scratch, "Jab 2.txt"), scratch.path(), "../Season 2");
    ASSERT_TRUE(moved.done()) << moved.error;
    EXPECT_EQ(fs::relative(moved.path, scratch.path()).string(), "__/Season 2/Jab 2.txt");
    std::ofstream(fs::path(moved.path).parent_path() / "Javazon (copy).txt") << "another";
    EXPECT_FALSE(moveReport(rowOf(scratch, "Javazon (copy).txt"), scratch.path(), "../Season 2").done());
    EXPECT_FALSE(moveReport(rowOf(scratch, "Jab.txt"), scratch.path(), "Season 3").done());
    // A folder that is a link leads nowhere.
    Scratch outside;
    fs::create_directory_symlink(outside.path(), scratch.path("out"));
    EXPECT_FALSE(moveReport(rowOf(scratch, "Javazon (copy).txt"), scratch.path(), "out/deeper").done());
    EXPECT_TRUE(fs::is_empty(outside.path()));
    ASSERT_TRUE(moveReport(rowOf(scratch, "Jab 2.txt"), scratch.path(), "").done());
    EXPECT_TRUE(fs::exists(scratch.path("Jab 2.txt")));
    EXPECT_FALSE(duplicateReport(rowOf(scratch, "Jab.txt")).done())
        << "a report that does not open stays as it is";
}

/// The names of the rows the window shows, in order of name.
std::vector<std::string> namesShown(const screens::LibraryWindow& window) {
    std::vector<std::string> shown;
    auto* table = window.findChild<QTableView*>("tbl_Library");
    for (int r = 0; r < table->model()->rowCount(); ++r) {
        shown.push_back(
            table->model()->index(r, screens::LibraryModel::Name).data().toString().toStdString());
    }
    std::sort(shown.begin(), shown.end());
    return shown;
}

// The window lists the folder at once, follows files another process adds
// and removes, and its search and keys act on the rows shown.
TEST(LibraryWindow, followsTheFolderAndItsCommandsActOnTheRowShown) {
    Scratch scratch;
    for (const auto& [name, classId] :
         {std::pair{"Frost", model::ClassId::Sorceress}, std::pair{"Hammer", model::ClassId::Paladin}}) {
        scratch.write(std::string(name) + ".txt", report::reportText({classId, {}, name}));
    }
    toolkit::ScriptedToolkit toolkit;
    screens::LibraryWindow window(scratch.path(), toolkit);
    window.show();
    const auto names = [&window] { return namesShown(window); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.reading() && names().size() == 2; }, 5000));
    scratch.write("Whirl.txt", report::reportText({model::ClassId::Barbarian, {}, "Whirl"}));
    fs::remove(scratch.path("Hammer.txt"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return names() == std::vector<std::string>{"Frost", "Whirl"}; }, 5000));

    auto* search = window.findChild<QLineEdit*>("txt_Search");
    QTest::keyClicks(search, "whi");
    EXPECT_EQ(names(), std::vector<std::string>{"Whirl"});
    auto* table = window.findChild<QTableView*>("tbl_Library");
    // At its first size on a desktop with room (this one is 800 wide).
    window.resize(1100, 480);
    QApplication::processEvents();
    EXPECT_EQ(table->horizontalScrollBar()->maximum(), 0) << "every column in sight";
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, 0));
    QString opened;
    QObject::connect(&window, &screens::LibraryWindow::openRequested,
                     [&opened](const QString& p) { opened = p; });
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(opened.toStdString(), scratch.path("Whirl.txt"));
    // The unsaved plans, a group of their own, continue on Enter.
    quint64 continued = 0;
    QObject::connect(&window, &screens::LibraryWindow::continueRequested,
                     [&continued](quint64 n) { continued = n; });
    window.setUnsaved({{7, "Continue: Sorceress, level 57, unsaved, 5 minutes ago"}});
    auto* unsaved = window.findChild<QListWidget*>("lst_NotSaved");
    unsaved->setFocus();
    unsaved->setCurrentRow(0);
    QTest::keyClick(unsaved, Qt::Key_Return);
    EXPECT_EQ(continued, 7u);
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Delete);
    EXPECT_EQ(toolkit.trashed, std::vector<std::string>{scratch.path("Whirl.txt")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return names().empty(); }, 5000));
}

// The folders stand as a tree beside the rows: choosing one shows its plans,
// a row dropped on one moves there (a path from elsewhere moves nothing), and
// New Folder makes one inside the folder chosen.
TEST(LibraryWindow, theFoldersShowTheirPlansAndTakeTheRowsDroppedOnThem) {
    Scratch scratch;
    Scratch outside;
    scratch.write("Frost.txt", report::reportText({model::ClassId::Sorceress, {}, "Frost"}));
    scratch.write("old/Hammer.txt", report::reportText({model::ClassId::Paladin, {}, "Hammer"}));
    fs::create_directories(scratch.path("old/deep"));
    fs::create_directories(scratch.path("empty"));
    outside.write("Stranger.txt", report::reportText({model::ClassId::Amazon, {}, "Stranger"}));
    toolkit::ScriptedToolkit toolkit;
    screens::LibraryWindow window(scratch.path(), toolkit);
    window.show();
    auto* folders = window.findChild<QTreeWidget*>("tre_Folders");
    const auto tree = [folders] {
        std::vector<std::string> shown;
        for (QTreeWidgetItemIterator it(folders); *it != nullptr; ++it) {
            const int depth = (*it)->parent() == nullptr ? 0 : (*it)->parent()->parent() == nullptr ? 1 : 2;
            shown.push_back(std::string(static_cast<std::size_t>(depth) * 2, ' ') +
                            (*it)->text(0).toStdString());
        }
        return shown;
    };
    const auto choose = [folders](const std::string& folder) {
        for (QTreeWidgetItemIterator it(folders); *it != nullptr; ++it) {
            if ((*it)->data(0, Qt::UserRole).toString().toStdString() == folder) {
                folders->setCurrentItem(*it);
                return *it;
            }
        }
        return static_cast<QTreeWidgetItem*>(nullptr);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.reading() && namesShown(window).size() == 2; }, 5000));
    EXPECT_EQ(tree(), (std::vector<std::string>{"All plans", "  empty", "  old", "    deep"}));
    for (const auto& [folder, shown] : {std::pair<std::string, std::vector<std::string>>{"old", {"Hammer"}},
                                        {"old/deep", {}},
                                        {"", {"Frost", "Hammer"}}}) {
        choose(folder);
        EXPECT_EQ(namesShown(window), shown) << folder;
    }

    // Frost's row, and a stranger's path, dropped on old/deep.
    auto* table = window.findChild<QTableView*>("tbl_Library");
    const QModelIndex frost = table->model()->match(table->model()->index(0, screens::LibraryModel::Name),
                                                    Qt::DisplayRole, "Frost")[0];
    std::unique_ptr<QMimeData> carried(table->model()->mimeData({frost}));
    carried->setData(screens::LibraryModel::kReportsFormat,
                     carried->data(screens::LibraryModel::kReportsFormat) + "\n" +
                         outside.path("Stranger.txt").c_str());
    const QPoint at = folders->visualItemRect(choose("old/deep")).center();
    choose("");
    QDragEnterEvent enter(at, Qt::MoveAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(folders->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::MoveAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(folders->viewport(), &drop);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(scratch.path("old/deep/Frost.txt")); }, 5000));
    EXPECT_FALSE(fs::exists(scratch.path("Frost.txt")));
    EXPECT_TRUE(fs::exists(outside.path("Stranger.txt"))) << "a path from elsewhere stays where it is";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return choose("old") != nullptr &&
                   namesShown(window) == std::vector<std::string>{"Frost", "Hammer"};
        },
        5000));

    toolkit.inputs = {"Season 2"};
    choose("old");
    window.run(screens::LibraryCommand::NewFolder);
    EXPECT_TRUE(fs::is_directory(scratch.path("old/Season 2")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return tree().size() == 5; }, 5000));
    EXPECT_EQ(window.chosenFolder(), "old") << "the folder chosen stays chosen";
}

} // namespace
} // namespace skillwright::library

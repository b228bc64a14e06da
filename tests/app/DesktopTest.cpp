// The program on a real X display with no window manager, played with real
// pointer and key events (xdotool): nothing activates or raises a window
// there but the program itself, so every key goes where the program put the
// keyboard. Runs under tests/support/under-xvfb; on any other platform it is
// skipped.
#include <model/Build.h>
#include <model/BuildCode.h>
#include <report/ReportText.h>
#include <screens/common/KeySheet.h>
#include <screens/library/LibraryWindow.h>
#include <screens/tree/ScreenDesign.h>
#include <toolkit/QtToolkit.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include <PlanMaker.h>
#include <Program.h>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

using namespace skillwright;

namespace {

constexpr int kPatience = 10000; // ms for the X server and the program to answer

void xdotool(const QStringList& arguments) {
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0)
        << arguments.join(' ').toStdString();
}
/// A real click of `button` (1 left, 3 right; 0 only moves there) in the middle of `widget`.
void click(QWidget* widget, int button = 1) {
    ASSERT_NE(widget, nullptr);
    const QPoint at = widget->mapToGlobal(widget->rect().center());
    if (QCursor::pos() != at) { // a --sync move to where the pointer is waits for ever
        xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
    }
    if (button != 0) {
        xdotool({"click", QString::number(button)});
    }
}
/// A real key press, delivered wherever the X server sends keys now.
void key(const char* keys) {
    xdotool({"key", QLatin1String(keys)});
}
bool waitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, kPatience);
}
/// Where `window` lies on the screen, as the X server has it.
QRect onX(QWidget* window) {
    QProcess info;
    info.start(QStringLiteral("xwininfo"), {"-id", QString::number(window->winId())});
    EXPECT_TRUE(info.waitForFinished(kPatience));
    const QString told = QString::fromLatin1(info.readAllStandardOutput());
    const auto value = [&told](const char* name) {
        return QRegularExpression(QLatin1String(name) + QStringLiteral(":\\s+(-?\\d+)"))
            .match(told)
            .captured(1)
            .toInt();
    };
    return {value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height")};
}

/// The text of the file at `path`, empty when there is none.
QString readReport(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X display: run under tests/support/under-xvfb";
        }
        program.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.startScreen()));
    }

    /// Runs `act` once, as soon as `when` holds, also from inside a modal
    /// box's or menu's own event loop.
    void once(std::function<bool()> when, std::function<void()> act) {
        auto* timer = new QTimer(&program.startScreen());
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [timer, when = std::move(when), act = std::move(act)] {
            if (when()) {
                timer->stop();
                timer->deleteLater();
                act();
            }
        });
        timer->start();
    }
    static QWidget* active() { return QApplication::activeWindow(); }

    /// The empty screen of the class `label` names, shown and holding the keyboard.
    screens::SkillTreeScreen* openClass(const char* label) {
        click(program.startScreen().findChild<QLabel*>(label));
        EXPECT_TRUE(waitFor([&] {
            return program.treeScreen() != nullptr && active() == program.treeScreen();
        })) << "the tree screen took the keyboard";
        return program.treeScreen();
    }
    /// Whether a modal box of kind `Box` is up and holds the keyboard.
    template <typename Box> static bool boxUp() {
        auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
        return box != nullptr && active() == box;
    }
    /// When a modal box of kind `Box` is up, presses `keys` in it and sets `answered`.
    template <typename Box> void answerBox(const char* keys, bool& answered) {
        answered = false;
        once([] { return boxUp<Box>(); },
             [keys, &answered] {
                 answered = true;
                 key(keys);
             });
    }
    [[nodiscard]] int historyCount() const {
        return program.treeScreen()->findChild<QListWidget*>("lb_SkillsPerLevel")->count();
    }
    /// The journal in a folder of the test's own, and the settings (the
    /// reports opened recently among them) in Qt's folder for tests: neither
    /// in the player's.
    struct StateFolder {
        QTemporaryDir dir;
        StateFolder() {
            qputenv("XDG_STATE_HOME", dir.path().toUtf8());
            QStandardPaths::setTestModeEnabled(true);
        }
        [[nodiscard]] QString journal() const { return dir.filePath(QStringLiteral("skillwright")); }
    } state;
    toolkit::QtToolkit toolkit;
    document::PlanDocument document;
    app::Program program{document, toolkit};
};

// A report dropped from another program's window on a tree screen replaces
// the screen it was dropped on, once the drop is over.
TEST_F(DesktopTest, aReportDraggedFromAnotherProgramOntoATreeScreenOpens) {
    screens::SkillTreeScreen* necro = openClass("lbl_Necromancer");
    const QTemporaryDir folder;
    QFile report(folder.filePath(QStringLiteral("Tal\u00E9.txt")));
    ASSERT_TRUE(report.open(QIODevice::WriteOnly));
    report.write(
        "Tal\xC3\xA9\r\nClass: Sorceress\r\nLevel: 3\r\n---------------------------------------------\r\n\r\n"
        "Clvl 1 Slvl 0: Starting Level\r\nClvl 2 Slvl 1: Fire Bolt\r\nClvl 3 Reserved For Later \r\n"
        "Den Of Evil: Normal Slvl 2: Fire Bolt\r\nReserved Slvl 1: Warmth\r\n\r\n"
        "---------------------------------------------\r\n");
    report.close();
    QProcess source;
    source.start(QStringLiteral(SKILLWRIGHT_DRAG_SOURCE),
                 {QString::fromLatin1(QUrl::fromLocalFile(report.fileName()).toEncoded() + "\r\n")});
    ASSERT_TRUE(source.waitForStarted(kPatience));
    xdotool({"search", "--sync", "--onlyvisible", "--name", "^sw drag source$"});
    xdotool({"mousemove", "--sync", "1080", "180"});
    xdotool({"mousedown", "1"});
    QTest::qWait(100); // the source starts its drag on the press
    // To the middle of the screen in steps, as a hand drags, each position answered.
    const QPoint from = QCursor::pos();
    for (int step = 1; step <= 8; ++step) {
        const QPoint at = from + (necro->mapToGlobal(necro->rect().center()) - from) * step / 8;
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
        QTest::qWait(30);
    }
    xdotool({"mouseup", "1"});
    EXPECT_TRUE(waitFor([&] {
        return program.treeScreen() != nullptr && program.treeScreen()->objectName() == "frm_Sorceress" &&
               historyCount() == 4;
    }));
    EXPECT_TRUE(source.state() == QProcess::NotRunning || source.waitForFinished(kPatience))
        << "the drag ended in the source";
    EXPECT_TRUE(waitFor([&] { return active() == program.treeScreen(); }));
}

// A row of the library dragged with the pointer onto a folder moves its
// report there.
TEST_F(DesktopTest, aLibraryRowDraggedOntoAFolderMovesItsReportThere) {
    const QTemporaryDir reports;
    QFile report(reports.filePath(QStringLiteral("Frost.txt")));
    ASSERT_TRUE(report.open(QIODevice::WriteOnly));
    report.write(report::reportText({model::ClassId::Sorceress, {}, "Frost"}).c_str());
    report.close();
    ASSERT_TRUE(QDir(reports.path()).mkdir(QStringLiteral("Season 2")));
    screens::LibraryWindow library(reports.path().toStdString(), toolkit);
    library.show();
    auto* table = library.findChild<QTableView*>("tbl_Library");
    auto* folders = library.findChild<QTreeWidget*>("tre_Folders");
    ASSERT_TRUE(waitFor([&] { return !library.reading() && table->model()->rowCount() == 1; }));
    ASSERT_TRUE(waitFor([&] { return folders->topLevelItem(0)->childCount() == 1; }));
    const QPoint from =
        table->viewport()->mapToGlobal(table->visualRect(table->model()->index(0, 1)).center());
    const QPoint to = folders->viewport()->mapToGlobal(
        folders->visualItemRect(folders->topLevelItem(0)->child(0)).center());
    // The drag runs its own event loop here, in this process, until the
    // button comes up: the hand is another process, which does not wait.
    QStringList hand{"mousemove", QString::number(from.x()), QString::number(from.y()), "mousedown", "1"};
    for (int step = 1; step <= 8; ++step) {
        const QPoint at = from + (to - from) * step / 8;
        hand << "sleep"
             << "0.05"
             << "mousemove" << QString::number(at.x()) << QString::number(at.y());
    }
    hand << "sleep"
         << "0.05"
         << "mouseup"
         << "1";
    QProcess dragging;
    dragging.start(QStringLiteral("xdotool"), hand);
    EXPECT_TRUE(
        waitFor([&] { return QFile::exists(reports.filePath(QStringLiteral("Season 2/Frost.txt"))); }));
    EXPECT_FALSE(QFile::exists(report.fileName()));
    EXPECT_TRUE(dragging.state() == QProcess::NotRunning || dragging.waitForFinished(kPatience));
}

// The past edited by hand: Alt+Down on a clicked entry and an entry dragged
// to another place move its point, each change the rules take; Alt+click
// sets a target.
TEST_F(DesktopTest, anEntryMovesByAltArrowAndByDraggingAndAltClickSetsATarget) {
    screens::SkillTreeScreen* amazon = openClass("lbl_Amazon");
    auto* history = amazon->findChild<QListWidget*>("lb_SkillsPerLevel");
    for (const char* skill : {"img_AmazonJS(0)", "img_AmazonPM(0)", "img_AmazonBC(0)"}) {
        click(amazon->findChild<QWidget*>(skill));
    }
    ASSERT_TRUE(waitFor([&] { return historyCount() == 3; }));
    const auto skillAt = [&](std::size_t entry) { return document.plan().history[entry].skill.tree; };
    const auto rowCentre = [&](int row) {
        return history->viewport()->mapToGlobal(history->visualItemRect(history->item(row)).center());
    };
    const auto moveTo = [](QPoint at) {
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
    };
    const model::TreeId first = skillAt(0);
    const model::TreeId second = skillAt(1);
    moveTo(rowCentre(0));
    xdotool({"click", "1"});
    ASSERT_TRUE(waitFor([&] { return history->hasFocus() && history->currentRow() == 0; }));
    key("alt+Down");
    ASSERT_TRUE(waitFor([&] { return skillAt(1) == first; })) << "Alt+Down moved the first point later";
    EXPECT_EQ(skillAt(0), second);
    // The newest dragged above the first, through the rows between.
    const model::TreeId newest = skillAt(2);
    moveTo(rowCentre(2));
    xdotool({"mousedown", "1"});
    for (const QPoint at :
         {rowCentre(2) - QPoint(0, 6), rowCentre(1), rowCentre(0), rowCentre(0) - QPoint(0, 5)}) {
        moveTo(at);
        QTest::qWait(30);
    }
    xdotool({"mouseup", "1"});
    EXPECT_TRUE(waitFor([&] { return skillAt(0) == newest; })) << "the drop put the newest first";
    EXPECT_EQ(historyCount(), 3);
    EXPECT_TRUE(waitFor([&] { return active() == amazon; }));

    // Alt+click sets a target and takes no point; with no window manager,
    // nothing takes Alt+drag for itself.
    click(amazon->findChild<QWidget*>("img_AmazonJS(1)"), 0);
    xdotool({"keydown", "alt"});
    xdotool({"click", "1"});
    xdotool({"click", "1"});
    xdotool({"keyup", "alt"});
    EXPECT_TRUE(waitFor([&] { return document.targets().size() == 1 && document.targets()[0].points == 2; }));
    EXPECT_EQ(historyCount(), 3);
}

// Keys go to the window in front: Esc meant for the statistics viewer closes
// it and leaves the plan; Ctrl+C and Ctrl+V, through the desktop's clipboard,
// copy the plan on screen and open it again from the start screen (whose
// hidden text box holds the keyboard).
TEST_F(DesktopTest, keysGoToTheWindowInFrontAndThePlanGoesThroughTheClipboard) {
    screens::SkillTreeScreen* amazon = openClass("lbl_Amazon");
    QWidget* jab = amazon->findChild<QWidget*>("img_AmazonJS(0)");
    click(jab);
    click(amazon->findChild<QWidget*>("img_AmazonBC(0)")); // Magic Arrow
    ASSERT_TRUE(waitFor([&] { return historyCount() == 2; }));

    // Right click, and the menu's statistics entry by its access key.
    QMenu* skillMenu = program.menu().findChild<QMenu*>("mnu_ReserveMenu");
    once([&] { return skillMenu->isVisible(); }, [] { key("s"); });
    click(jab, 3);
    ASSERT_TRUE(waitFor([&] {
        return program.statsViewer() != nullptr && active() == program.statsViewer();
    })) << "the viewer took the keyboard";
    // Beside the screen: with no room on any side of it, over its bottom
    // right, the least of it, and the skills of the upper rows stay in reach.
    EXPECT_EQ(onX(amazon), QRect(0, 0, 800, 600));
    EXPECT_EQ(onX(program.statsViewer()), QRect(380, 360, 900, 664));
    QPointer<QWidget> first = program.statsViewer();
    once([&] { return skillMenu->isVisible(); }, [] { key("s"); });
    click(amazon->findChild<QWidget*>("img_AmazonBC(0)"), 3);
    ASSERT_TRUE(waitFor([&] { return first == nullptr && active() == program.statsViewer(); }))
        << "another skill's statistics, right-clicked with the viewer open";
    key("Escape");
    EXPECT_TRUE(waitFor([&] {
        return program.statsViewer() == nullptr || !program.statsViewer()->isVisible();
    })) << "Esc closed the viewer";
    ASSERT_EQ(program.treeScreen(), amazon) << "and nothing else";
    EXPECT_FALSE(program.startScreen().isVisible());
    EXPECT_EQ(historyCount(), 2);
    EXPECT_TRUE(waitFor([&] { return active() == amazon; })) << "the keyboard is back on the tree screen";

    const auto copied = [] { return QGuiApplication::clipboard()->text() == QLatin1String("SW1ACnwv5RC"); };
    key("ctrl+c");
    ASSERT_TRUE(waitFor(copied)) << QGuiApplication::clipboard()->text().toStdString();
    // From the history list (whose own Ctrl+C would copy its line) also when
    // the X focus went back to the root, as when another
    // program's window that had it closes: the keys then reach the window
    // under the pointer, which is not active, and its shortcuts do not match.
    auto* history = amazon->findChild<QListWidget*>("lb_SkillsPerLevel");
    const QPoint row = history->viewport()->mapToGlobal(history->visualItemRect(history->item(0)).center());
    xdotool({"mousemove", "--sync", QString::number(row.x()), QString::number(row.y())});
    xdotool({"click", "1"});
    ASSERT_TRUE(waitFor([&] { return history->hasFocus() && history->currentRow() == 0; }));
    QGuiApplication::clipboard()->setText(QStringLiteral("nothing yet"));
    QProcess search;
    search.start(QStringLiteral("xdotool"), {"search", "--maxdepth", "0", "--name", ""});
    ASSERT_TRUE(search.waitForFinished(kPatience));
    xdotool({"windowfocus", QString::fromLatin1(search.readAllStandardOutput()).section('\n', 0, 0)});
    ASSERT_TRUE(waitFor([] { return active() == nullptr; }));
    key("ctrl+c");
    ASSERT_TRUE(waitFor(copied)) << QGuiApplication::clipboard()->text().toStdString();
    click(amazon->findChild<QLabel*>("lbl_ChangeClass"));
    ASSERT_TRUE(waitFor([&] { return active() == &program.startScreen(); }));
    key("ctrl+v");
    ASSERT_TRUE(waitFor([&] { return program.treeScreen() != nullptr && historyCount() == 2; }));
    EXPECT_EQ(program.treeScreen()->objectName(), "frm_AmazonSkill");
}

// Without a window manager nothing hands the keyboard back when a box, a
// file dialog or the sheet of keys closes: the program does, so the window's
// own keys work again at once, without a click.
TEST_F(DesktopTest, theKeyboardComesBackToTheWindowAfterEveryKindOfBox) {
    const struct {
        const char* box;
        const char* opens;
        const char* closes;
        const char* clipboard = "no build code";
    } cases[] = {
        {"a refused build code", "ctrl+v", "Return"},
        {"the question before the plan is replaced", "ctrl+v", "Escape", "SW1ACnwv5RC"},
        {"the open dialog", "ctrl+o", "Escape"},
        {"the name box of SAVE", "ctrl+s", "Escape"},
        {"the sheet of keys", "F1", "Escape"},
        {"the print dialog", "ctrl+p", "Escape"},
    };
    screens::SkillTreeScreen* amazon = openClass("lbl_Amazon");
    QWidget* jab = amazon->findChild<QWidget*>("img_AmazonJS(0)");
    const QRect screen = onX(amazon);
    for (const auto& c : cases) {
        QGuiApplication::clipboard()->setText(QLatin1String(c.clipboard));
        const int before = historyCount();
        click(jab); // which also gives the screen the keyboard
        ASSERT_TRUE(waitFor([&] { return historyCount() == before + 1 && active() == amazon; })) << c.box;
        // A modal box runs its own event loop: it is closed from inside it,
        // once X has it where it opened: centred on the screen, inside the display.
        QPointer<QWidget> box;
        bool closing = false;
        QRect place;
        once(
            [&] {
                box = active();
                return box != nullptr && box != amazon;
            },
            [&] {
                place = onX(box);
                closing = true;
                key(c.closes);
            });
        key(c.opens);
        ASSERT_TRUE(waitFor([&] { return closing && (box == nullptr || !box->isVisible()); }))
            << c.box << " came and went";
        // Centred, but for what the display's edge cuts off: the sheet of keys is taller than half of it.
        EXPECT_LE(std::abs(place.left() - std::max(0, screen.center().x() - place.width() / 2)), 1) << c.box;
        EXPECT_LE(std::abs(place.top() - std::max(0, screen.center().y() - place.height() / 2)), 1) << c.box;
        EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(place)) << c.box;
        key("ctrl+z");
        EXPECT_TRUE(waitFor([&] { return historyCount() == before; })) << "Ctrl+Z after " << c.box;
        EXPECT_EQ(active(), amazon) << c.box;
    }
}

// What the player sees of SAVE and the journal: Cancel in the name box saves
// nothing and leaves the plan unsaved; another report of the name typed is
// replaced only after a question, whose No goes back to the name box; a
// journal that cannot be written shows at the foot of the screen, and EXIT
// asks before the unsaved points go until it can be written again.
TEST_F(DesktopTest, cancelSavesNothingAnotherReportIsNotReplacedUnaskedAndANotKeptPlanIsToldAndAskedFor) {
    const QString folder = QString::fromStdString(toolkit.reportFolder());
    const QString theirs = folder + QStringLiteral("/Theirs%1.txt").arg(QCoreApplication::applicationPid());
    const struct Removal {
        QString path;
        ~Removal() { QFile::remove(path); }
    } removal{theirs};
    QFile file(theirs);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("the player's own report") > 0 && file.flush());
    const auto filesThere = [&] { return QDir(folder).entryList(QDir::Files | QDir::Hidden); };
    const QStringList before = filesThere();
    screens::SkillTreeScreen* necro = openClass("lbl_Necromancer");
    click(necro->findChild<QWidget*>("img_NecroBonePoison(0)"));
    ASSERT_TRUE(waitFor([&] { return historyCount() == 1; }));

    bool cancelled = false;
    answerBox<QInputDialog>("Escape", cancelled);
    click(necro->findChild<QLabel*>("lbl_Save"));
    ASSERT_TRUE(waitFor([&] { return cancelled && QApplication::activeModalWidget() == nullptr; }));
    EXPECT_EQ(filesThere(), before) << "Cancel wrote nothing";
    EXPECT_TRUE(document.isModified()) << "and the plan stays unsaved";

    // The name of another report: No, and the name box again, where Esc cancels.
    bool asked = false;
    once([] { return boxUp<QInputDialog>(); },
         [&] {
             xdotool({"key", "ctrl+a", "type", "--delay", "5", QFileInfo(theirs).completeBaseName()});
             key("Return");
             once([] { return boxUp<QMessageBox>(); },
                  [&] {
                      asked = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())
                                  ->text()
                                  .endsWith(QLatin1String("not saved from this plan. Replace it?"));
                      answerBox<QInputDialog>("Escape", cancelled);
                      key("Escape");
                  });
         });
    click(necro->findChild<QLabel*>("lbl_Save"));
    ASSERT_TRUE(waitFor([&] { return asked && cancelled && QApplication::activeModalWidget() == nullptr; }));
    EXPECT_EQ(readReport(theirs), QLatin1String("the player's own report"));
    EXPECT_EQ(filesThere(), before);

    // The journal's folder becomes a file: the next point cannot be kept.
    ASSERT_TRUE(QDir(state.journal()).removeRecursively() &&
                QFile(state.journal()).open(QIODevice::WriteOnly));
    click(necro->findChild<QWidget*>("img_NecroBonePoison(0)"));
    QLabel* mark = nullptr;
    ASSERT_TRUE(
        waitFor([&] { return (mark = necro->findChild<QLabel*>("lbl_NotKept")) && mark->isVisible(); }));
    EXPECT_EQ(mark->text().toStdString(), "Not being kept: the journal cannot be written (Not a directory)");
    answerBox<QMessageBox>("Escape", asked); // No: the program goes on
    click(necro->findChild<QLabel*>("lbl_Close"));
    ASSERT_TRUE(waitFor([&] { return asked && QApplication::activeModalWidget() == nullptr; }));
    EXPECT_TRUE(waitFor([&] { return active() == necro; }));
    EXPECT_EQ(historyCount(), 2);

    ASSERT_TRUE(QFile::remove(state.journal()));
    click(necro->findChild<QWidget*>("img_NecroBonePoison(1)"));
    EXPECT_TRUE(waitFor([&] { return !mark->isVisible(); })) << "kept again";
    click(necro->findChild<QLabel*>("lbl_ChangeClass"));
    EXPECT_TRUE(waitFor([&] { return active() == &program.startScreen(); })) << "without a question";
}

// The sheet of keys taken at its word: each line of it that works on a tree
// screen or the start screen lists the keys it should, and each of them,
// pressed on the window, does what the line says. The scenes follow each
// other: a plan made, copied, left by Esc, pasted back and continued.
TEST_F(DesktopTest, everyKeyOnTheSheetDoesWhatItsLineSays) {
    screens::SkillTreeScreen* amazon = openClass("lbl_Amazon");
    QWidget* jab = amazon->findChild<QWidget*>("img_AmazonJS(0)");
    auto* history = amazon->findChild<QListWidget*>("lb_SkillsPerLevel");
    QClipboard& clipboard = *QGuiApplication::clipboard();
    const auto codeOnScreen = [&] { return QString::fromStdString(model::encodeBuildCode(document.plan())); };
    int points = 0;
    QString code;          // the plan copied
    bool answered = false; // the target's box
    // A side window in front, and Esc taking the keyboard back to the screen.
    const auto inFront = [](const char* name) {
        return [name] { return active() != nullptr && active()->objectName() == QLatin1String(name); };
    };
    const auto escapeBack = [&] {
        key("Escape");
        ASSERT_TRUE(waitFor([&] { return active() == amazon; }));
    };
    const auto addPoint = [&] {
        points = historyCount() + 1;
        click(jab);
        ASSERT_TRUE(waitFor([&] { return historyCount() == points && active() == amazon; }));
    };
    const struct {
        const char* where;
        const char* does; ///< how the line's text starts
        const char* sheetKeys;
        std::vector<const char*> pressed; ///< the same keys as xdotool names them
        std::function<void()> before;     ///< the scene, set again for each of the keys
        std::function<bool()> done;
        std::function<void()> after = [] {};
    } rows[] = {
        {"Skill trees", "Undo", "Ctrl+Z", {"ctrl+z"}, addPoint, [&] { return historyCount() == points - 1; }},
        {"Skill trees",
         "Redo",
         "Ctrl+Shift+Z or Ctrl+Y",
         {"ctrl+shift+z", "ctrl+y"},
         [&] {
             addPoint();
             document.undo();
             ASSERT_TRUE(waitFor([&] { return historyCount() == points - 1; }));
         },
         [&] { return historyCount() == points; }},
        {"Skill trees",
         "Copy the plan",
         "Ctrl+C",
         {"ctrl+c"},
         [&] { clipboard.setText(QStringLiteral("nothing yet")); },
         [&] {
             code = clipboard.text();
             return code == codeOnScreen();
         }},
        {"Skill trees",
         "Compare with the build code",
         "Ctrl+Shift+V",
         {"ctrl+shift+v"},
         [&] { clipboard.setText(code); },
         [&] { return amazon->comparing(); },
         [&] { program.runCommand(screens::ProgramCommand::StopComparing); }},
        {"Skill trees",
         "Set the target",
         "Ctrl+T",
         {"ctrl+t"},
         [&] {
             jab->setFocus();
             answerBox<QInputDialog>("Return", answered); // the box offers 20
         },
         [&] { return document.targets().size() == 1 && document.targets()[0].points == 20; }},
        {"Skill trees",
         "Add the level-ups that meet every target",
         "Ctrl+Shift+F",
         {"ctrl+shift+f"},
         [] {},
         [&] {
             return document.build().state().pointsOf({model::TreeId::AmazonJavelinSpear, 0}) == 20;
         },
         [&] {
             document.undo();
             document.undo(); // and the target
             ASSERT_TRUE(waitFor([&] { return document.targets().empty(); }));
         }},
        {"Skill trees",
         "Targets: the points",
         "Ctrl+Shift+G",
         {"ctrl+shift+g"},
         [] {},
         inFront("frm_Targets"),
         escapeBack},
        // The notes stand at the screen's right; the attributes, too wide
        // for the room there, over its bottom right, the least of it, and
        // inside the desktop.
        {"Skill trees",
         "Notes: the plan's",
         "Ctrl+Shift+N",
         {"ctrl+shift+n"},
         [] {},
         inFront("frm_Notes"),
         [&] {
             EXPECT_EQ(onX(active()).topLeft(), QPoint(807, 0));
             escapeBack();
         }},
        {"Skill trees",
         "Attributes: where the stat points go",
         "Ctrl+Shift+A",
         {"ctrl+shift+a"},
         [] {},
         inFront("frm_Attributes"),
         [&] {
             EXPECT_EQ(onX(active()), QRect(135, 464, 1145, 560));
             escapeBack();
         }},
        {"Everywhere", "This sheet of keys", "F1", {"F1"}, [] {}, inFront("frm_Keys"), escapeBack},
        // The library over the screen's middle, as wide as its columns.
        {"Everywhere",
         "Library",
         "Ctrl+L",
         {"ctrl+l"},
         [] {},
         inFront("frm_Library"),
         [&] {
             EXPECT_EQ(onX(active()), QRect(0, 60, 1100, 480));
             escapeBack();
         }},
        {"History",
         "CHANGE CLASS",
         "Esc",
         {"Escape"},
         [&] {
             const QRect row = history->visualItemRect(history->item(0));
             const QPoint at = history->viewport()->mapToGlobal(row.center());
             xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
             xdotool({"click", "1"});
             ASSERT_TRUE(waitFor([&] { return history->hasFocus(); }));
         },
         [&] { return program.treeScreen() == nullptr && active() == &program.startScreen(); }},
        {"Everywhere",
         "Open the build code",
         "Ctrl+V",
         {"ctrl+v"},
         [&] { clipboard.setText(code); },
         [&] { return program.treeScreen() != nullptr && codeOnScreen() == code; },
         [&] {
             click(program.treeScreen()->findChild<QLabel*>("lbl_ChangeClass"));
             ASSERT_TRUE(waitFor([&] { return active() == &program.startScreen(); }));
         }},
        {"Start screen",
         "Continue the last plan",
         "Ctrl+Shift+T",
         {"ctrl+shift+t"},
         [] {},
         [&] { return program.treeScreen() != nullptr && codeOnScreen() == code; }},
    };
    const std::vector<screens::KeyLine> sheet = screens::keySheetLines();
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.where) + ": " + row.does);
        const auto line = std::ranges::find_if(sheet, [&](const screens::KeyLine& l) {
            return l.where == row.where && l.does.starts_with(row.does);
        });
        ASSERT_NE(line, sheet.end()) << "no such line on the sheet";
        EXPECT_EQ(line->keys, row.sheetKeys);
        for (const char* pressed : row.pressed) {
            SCOPED_TRACE(pressed);
            row.before();
            key(pressed);
            EXPECT_TRUE(waitFor(row.done));
            row.after();
        }
    }
}

// ---- A level-99 plan from the keyboard alone, and the same plan by clicks ----

/// The skill a step is typed or clicked on; a point reserved for later has
/// none of its own, so the first.
model::SkillRef skillOf(const model::HistoryEntry& step) {
    return step.hasSkill() ? step.skill
                           : model::SkillRef{model::classInfo(model::ClassId::Sorceress).trees[0], 0};
}
/// The entry of the skill menu that takes the step's point, by its kind; none for a click.
const char* entryOf(const model::HistoryEntry& step) {
    constexpr std::array<const char*, 6> kEntries{
        "", "mnu_ReservePoint", "mnu_UseReserve", "mnu_DenOfEvil", "mnu_BookOfSkill", "mnu_DeathOfIzual"};
    return kEntries[static_cast<std::size_t>(step.kind)];
}

class KeyboardAlone : public DesktopTest {
protected:
    QWidget* icon(const model::SkillRef& s) const {
        const std::string_view array = screens::iconArrayName(s.tree);
        return program.treeScreen()->findChild<QWidget*>(
            QString::fromUtf8(array.data(), static_cast<qsizetype>(array.size())) +
            QStringLiteral("(%1)").arg(s.index));
    }
    /// When the skill menu is up, runs `act` with it and the entry to choose.
    void onSkillMenu(const char* entry, std::function<void(QMenu&, QAction&)> act) {
        QMenu* menu = program.menu().findChild<QMenu*>("mnu_ReserveMenu");
        // A pop-up takes the keyboard a moment after it shows: until then a
        // key would reach the screen beneath.
        auto shown = std::make_shared<QElapsedTimer>();
        once(
            [menu, shown] {
                if (!menu->isVisible() || QApplication::activePopupWidget() != menu) {
                    shown->invalidate();
                    return false;
                }
                if (!shown->isValid()) {
                    shown->start();
                }
                return shown->elapsed() >= 150;
            },
            [menu, entry, act = std::move(act)] {
                auto* action = menu->findChild<QAction*>(QLatin1String(entry));
                if (action == nullptr) {
                    action = menu->actions().value(0);
                }
                act(*menu, *action);
            });
    }
    /// When the name box of SAVE is up, types `name` into it and says OK.
    void answerNameBox(const QString& name) {
        once(
            [] {
                auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
                return box != nullptr && active() == box;
            },
            [name] {
                key("ctrl+a");
                xdotool({"type", "--delay", "5", name});
                key("Return");
            });
    }
};

TEST_F(KeyboardAlone, aLevel99PlanWithQuestsAndReservedPointsSavesTheSameReportAsByClicks) {
    // Every level and quest point, six points held in reserve and spent later.
    const std::vector<model::HistoryEntry> plan =
        skillwright::testing::fullPlan(model::ClassId::Sorceress, "", 6).history;
    ASSERT_EQ(plan.size(), 98U + 12U + 6U);
    const QString folder = QString::fromStdString(toolkit.reportFolder());
    const QString byKeys =
        folder + QStringLiteral("/KeyboardPlan%1.txt").arg(QCoreApplication::applicationPid());
    const QString byClicks =
        folder + QStringLiteral("/ClickPlan%1.txt").arg(QCoreApplication::applicationPid());
    const struct Removal { // of both reports, whatever happens
        QStringList paths;
        ~Removal() {
            std::ranges::for_each(paths, [](const QString& path) { QFile::remove(path); });
        }
    } removal{{byKeys, byClicks}};

    // The start screen: Left twice marks the Sorceress, Enter chooses her.
    key("Left");
    key("Left");
    key("Return");
    ASSERT_TRUE(waitFor([&] { return program.treeScreen() != nullptr && active() == program.treeScreen(); }));

    int entries = 0;
    for (const model::HistoryEntry& step : plan) {
        const std::string_view name = model::skill(skillOf(step).tree, skillOf(step).index).name;
        xdotool({"type", "--delay", "5",
                 QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toLower()});
        if (step.kind == model::EntryKind::Ordinary) {
            key("Return");
        } else {
            onSkillMenu(entryOf(step), [](QMenu& menu, QAction& entry) {
                // Down from the entry lit (or from above the first) to the one wanted.
                QList<QAction*> choosable;
                for (QAction* a : menu.actions()) {
                    if (a->isVisible() && !a->isSeparator()) {
                        choosable.push_back(a);
                    }
                }
                const auto lit = choosable.indexOf(menu.activeAction());
                QStringList keys;
                for (auto k = lit; k < choosable.indexOf(&entry); ++k) {
                    keys << QStringLiteral("Down");
                }
                keys << QStringLiteral("Return");
                xdotool(QStringList{"key"} + keys);
            });
            key(model::isQuestKind(step.kind) ? "shift+F10" : "Menu");
        }
        ++entries;
        ASSERT_TRUE(waitFor([&] { return historyCount() == entries; }))
            << "step " << entries << ": " << name << " " << entryOf(step);
    }
    EXPECT_EQ(document.build().characterLevel(), 99);
    answerNameBox(QFileInfo(byKeys).completeBaseName());
    key("ctrl+s");
    ASSERT_TRUE(waitFor([&] { return QFile::exists(byKeys); }));

    // The same plan with the pointer.
    click(program.treeScreen()->findChild<QLabel*>("lbl_Reset"));
    ASSERT_TRUE(waitFor([&] { return historyCount() == 0; }));
    entries = 0;
    for (const model::HistoryEntry& step : plan) {
        if (step.kind == model::EntryKind::Ordinary) {
            click(icon(skillOf(step)));
        } else {
            onSkillMenu(entryOf(step), [](QMenu& menu, QAction& entry) {
                const QRect place = menu.actionGeometry(&entry);
                const QPoint at = menu.mapToGlobal(place.center());
                xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
                xdotool({"click", "1"});
            });
            click(icon(skillOf(step)), 3);
        }
        ++entries;
        ASSERT_TRUE(waitFor([&] { return historyCount() == entries; })) << "click " << entries;
    }
    answerNameBox(QFileInfo(byClicks).completeBaseName());
    click(program.treeScreen()->findChild<QLabel*>("lbl_Save"));
    ASSERT_TRUE(waitFor([&] { return QFile::exists(byClicks); }));

    QString keysReport = readReport(byKeys);
    QString clicksReport = readReport(byClicks);
    ASSERT_TRUE(
        keysReport.startsWith(QFileInfo(byKeys).completeBaseName() + "\r\nClass: Sorceress\r\nLevel: 99\r\n"))
        << keysReport.left(200).toStdString();
    EXPECT_TRUE(keysReport.contains("Den Of Evil:")) << "quest points are in the plan";
    keysReport.remove(0, keysReport.indexOf(QLatin1Char('\n')));
    clicksReport.remove(0, clicksReport.indexOf(QLatin1Char('\n')));
    EXPECT_EQ(keysReport.toStdString(), clicksReport.toStdString());
}

} // namespace

// The program on a real X display with no window manager, played with real
// pointer and key events (xdotool): nothing activates or raises a window
// there but the program itself, so every key goes where the program put the
// keyboard. Runs under tests/support/under-xvfb; on any other platform it is
// skipped.
#include <model/Build.h>
#include <report/ReportReader.h>
#include <toolkit/QtToolkit.h>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QDrag>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <Program.h>
#include <csignal>
#include <filesystem>
#include <functional>
#include <iostream>
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

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X display: run under tests/support/under-xvfb";
        }
        // A box that should never come up is recorded and answered, so that
        // the test goes on to report it.
        m_boxWatch.setInterval(10);
        QObject::connect(&m_boxWatch, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr && box->windowTitle() == QLatin1String("Generation Complete") &&
                box->isVisible()) {
                closingBoxes.push_back(box->text());
                box->done(QMessageBox::Ok);
            }
        });
        m_boxWatch.start();
        program.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.startScreen()));
    }
    void TearDown() override { m_boxWatch.stop(); }

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

    /// Moves the pressed pointer to the middle of `target` in steps, as a hand
    /// drags, and lets the button go there.
    static void dragTo(QWidget* target) {
        const QPoint to = target->mapToGlobal(target->rect().center());
        const QPoint from = QCursor::pos();
        for (int step = 1; step <= 8; ++step) {
            const QPoint at = from + (to - from) * step / 8;
            xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
            QTest::qWait(30); // the drop target answers each position
        }
        xdotool({"mouseup", "1"});
    }
    /// A Sorceress report of four entries in a folder of its own, as the
    /// "text/uri-list" a drag carries.
    QByteArray sorceressReport() {
        const QString path = m_files.filePath(QStringLiteral("Tal\u00E9.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Tal\xC3\xA9\r\nClass: Sorceress\r\nLevel: 3\r\n"
                   "---------------------------------------------\r\n\r\n"
                   "Clvl 1 Slvl 0: Starting Level\r\nClvl 2 Slvl 1: Fire Bolt\r\n"
                   "Clvl 3 Reserved For Later \r\nDen Of Evil: Normal Slvl 2: Fire Bolt\r\n"
                   "Reserved Slvl 1: Warmth\r\n\r\n---------------------------------------------\r\n");
        return QUrl::fromLocalFile(path).toEncoded() + "\r\n";
    }
    /// An empty Necromancer screen, shown and holding the keyboard.
    screens::SkillTreeScreen* emptyNecromancer() {
        click(program.startScreen().findChild<QLabel*>("lbl_Necromancer"));
        EXPECT_TRUE(
            waitFor([&] { return program.treeScreen() != nullptr && program.treeScreen()->isVisible(); }));
        screens::SkillTreeScreen* screen = program.treeScreen();
        EXPECT_TRUE(screen && QTest::qWaitForWindowExposed(screen));
        return screen;
    }
    /// The Sorceress of sorceressReport() on the screen.
    bool sorceressOpened() {
        return waitFor([&] {
            return program.treeScreen() != nullptr &&
                   program.treeScreen()->objectName() == QLatin1String("frm_Sorceress") &&
                   program.treeScreen()->findChild<QListWidget*>("lb_SkillsPerLevel")->count() == 4;
        });
    }

    toolkit::QtToolkit toolkit;
    model::Build build;
    app::Program program{build, toolkit};
    std::vector<QString> closingBoxes;

private:
    QTimer m_boxWatch;
    QTemporaryDir m_files;
};

// A report dropped from another program's window on a tree screen replaces
// the screen it was dropped on, once the drop is over.
TEST_F(DesktopTest, aReportDraggedFromAnotherProgramOntoATreeScreenOpens) {
    screens::SkillTreeScreen* necro = emptyNecromancer();
    QProcess source;
    source.start(QStringLiteral(SKILLWRIGHT_DRAG_SOURCE), {QString::fromUtf8(sorceressReport())});
    ASSERT_TRUE(source.waitForStarted(kPatience));
    xdotool({"search", "--sync", "--onlyvisible", "--name", "^sw drag source$"});
    xdotool({"mousemove", "--sync", "1080", "180"});
    xdotool({"mousedown", "1"});
    QTest::qWait(100); // the source starts its drag on the press
    dragTo(necro);
    EXPECT_TRUE(sorceressOpened());
    EXPECT_TRUE(source.state() == QProcess::NotRunning || source.waitForFinished(kPatience))
        << "the drag ended in the source";
    EXPECT_TRUE(waitFor([&] { return active() == program.treeScreen(); }));
}

// The same with a drag of this program's own: its drag loop is still running
// when the drop arrives.
TEST_F(DesktopTest, aReportDraggedInsideTheProgramOntoATreeScreenOpens) {
    screens::SkillTreeScreen* necro = emptyNecromancer();
    QWidget source;
    source.setGeometry(1000, 100, 160, 160);
    source.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&source));
    click(&source, 0); // moves there only
    xdotool({"mousedown", "1"});
    ASSERT_TRUE(waitFor([] { return QGuiApplication::mouseButtons() == Qt::LeftButton; }));
    auto* drag = new QDrag(&source);
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/uri-list"), sorceressReport());
    drag->setMimeData(mime);
    once([] { return true; }, [necro] { dragTo(necro); });
    EXPECT_EQ(drag->exec(Qt::CopyAction), Qt::CopyAction);
    EXPECT_TRUE(sorceressOpened());
}

TEST_F(DesktopTest, escapeMeantForTheStatisticsViewerClosesTheViewerAndLeavesThePlan) {
    click(program.startScreen().findChild<QLabel*>("lbl_Sorceress"));
    ASSERT_TRUE(
        waitFor([&] { return program.treeScreen() != nullptr && program.treeScreen()->isVisible(); }));
    screens::SkillTreeScreen* sorceress = program.treeScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sorceress));
    EXPECT_TRUE(waitFor([&] { return active() == sorceress; })) << "the tree screen took the keyboard";

    QWidget* fireBolt = sorceress->findChild<QWidget*>("img_SorceressFire(0)");
    auto* history = sorceress->findChild<QListWidget*>("lb_SkillsPerLevel");
    for (int points = 1; points <= 3; ++points) {
        click(fireBolt);
        ASSERT_TRUE(waitFor([&] { return history->count() == points; }));
    }

    // Right click, and the menu's statistics entry by its access key.
    QMenu* skillMenu = program.menu().findChild<QMenu*>("mnu_ReserveMenu");
    ASSERT_NE(skillMenu, nullptr);
    once([&] { return skillMenu->isVisible(); }, [] { key("s"); });
    click(fireBolt, 3);
    ASSERT_TRUE(
        waitFor([&] { return program.statsViewer() != nullptr && program.statsViewer()->isVisible(); }));
    QWidget* viewer = program.statsViewer();
    EXPECT_TRUE(waitFor([&] { return active() == viewer; })) << "the viewer took the keyboard";

    key("Escape");
    EXPECT_TRUE(waitFor([&] {
        return program.statsViewer() == nullptr || !program.statsViewer()->isVisible();
    })) << "Esc closed the viewer";
    ASSERT_EQ(program.treeScreen(), sorceress) << "and nothing else";
    EXPECT_TRUE(sorceress->isVisible());
    EXPECT_FALSE(program.startScreen().isVisible());
    EXPECT_EQ(history->count(), 3);
    EXPECT_EQ(sorceress->findChild<QLabel*>("lbl_SorceressFire(0)")->text(), "3");
    EXPECT_EQ(build.levelsGained(), 3);
    EXPECT_TRUE(waitFor([&] { return active() == sorceress; })) << "the keyboard is back on the tree screen";
}

TEST_F(DesktopTest, aClassPickedOnTheStartScreenDuringADiceFillOpensEmpty) {
    // The dice: the generator takes the keyboard over the start screen,
    // which stays in view.
    click(program.startScreen().findChild<QPushButton*>("Command1"));
    ASSERT_TRUE(waitFor([&] {
        return program.generatorDialog() != nullptr && active() == program.generatorDialog();
    })) << "the generator took the keyboard";
    QWidget* dialog = program.generatorDialog();
    click(dialog->findChild<QWidget*>("img_EmblemSorceress"));
    click(dialog->findChild<QLineEdit*>("txt_Level"));
    key("ctrl+a");
    key("6");
    key("0");
    ASSERT_TRUE(waitFor([&] { return dialog->findChild<QLineEdit*>("txt_Level")->text() == "60"; }));

    // The question takes the keyboard: Enter there says Yes. Ten levels into
    // the fill the player moves the tree screen aside, off the Amazon on the
    // start screen, and clicks that.
    QString question;
    once(
        [] {
            return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr &&
                   active() == QApplication::activeModalWidget();
        },
        [&] {
            question = static_cast<QMessageBox*>(QApplication::activeModalWidget())->text();
            key("Return");
        });
    QLabel* amazon = program.startScreen().findChild<QLabel*>("lbl_Amazon");
    bool clicked = false;
    once([&] { return build.levelsGained() >= 10 && program.treeScreen() != nullptr; },
         [&] {
             const QRect start = program.startScreen().frameGeometry();
             xdotool({"windowmove", "--sync", QString::number(program.treeScreen()->winId()),
                      QString::number(start.x() + 300), QString::number(start.y() + 400)});
             click(amazon);
             clicked = true;
         });
    key("Return");

    ASSERT_TRUE(waitFor([&] {
        return clicked && program.treeScreen() != nullptr &&
               program.treeScreen()->objectName() == QLatin1String("frm_AmazonSkill");
    })) << "the click reached the start screen during the fill";
    EXPECT_TRUE(question.startsWith("This will generate a Sorceress, Level 60.")) << question.toStdString();
    screens::SkillTreeScreen* screen = program.treeScreen();
    // Let whatever would follow run: no generated point and no closing box.
    for (int i = 0; i < 50; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(screen->findChild<QListWidget*>("lb_SkillsPerLevel")->count(), 0);
    EXPECT_EQ(screen->findChild<QLabel*>("lbl_CharLevel")->text(), "Level: 1");
    EXPECT_EQ(build.levelsGained(), 0);
    EXPECT_TRUE(closingBoxes.empty());
    EXPECT_FALSE(program.startScreen().isVisible());
    EXPECT_TRUE(waitFor([&] { return active() == screen; })) << "the Amazon screen took the keyboard";
}

/// The program a kill test kills: it plans a Sorceress with real clicks,
/// prints the history on screen, line by line, then waits to be killed. Run
/// only as that test's child.
TEST(DesktopKilledProgram, plansAndWaits) {
    if (qEnvironmentVariableIsEmpty("SKILLWRIGHT_KILLED_CHILD") ||
        QGuiApplication::platformName() != QLatin1String("xcb")) {
        GTEST_SKIP() << "the kill test's child";
    }
    qputenv("XDG_STATE_HOME", qgetenv("SKILLWRIGHT_KILLED_CHILD")); // the journal its parent reads
    toolkit::QtToolkit toolkit;
    model::Build build;
    app::Program program(build, toolkit);
    program.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.startScreen()));
    click(program.startScreen().findChild<QLabel*>("lbl_Sorceress"));
    ASSERT_TRUE(
        waitFor([&] { return program.treeScreen() != nullptr && program.treeScreen()->isVisible(); }));
    screens::SkillTreeScreen* sorceress = program.treeScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sorceress));
    auto* history = sorceress->findChild<QListWidget*>("lb_SkillsPerLevel");
    const std::vector<const char*> icons{"img_SorceressFire(0)", "img_SorceressFire(0)",
                                         "img_SorceressFire(1)", "img_SorceressCold(0)",
                                         "img_SorceressFire(0)"};
    for (std::size_t n = 0; n < icons.size(); ++n) {
        click(sorceress->findChild<QWidget*>(icons[n]));
        ASSERT_TRUE(waitFor([&] { return history->count() == static_cast<int>(n + 1); }));
    }
    for (int i = 0; i < history->count(); ++i) {
        std::cout << "entry " << history->item(i)->text().toStdString() << '\n';
    }
    std::cout << "planned" << std::endl;
    QTest::qWait(10 * kPatience); // killed long before
    FAIL() << "not killed";
}

TEST(DesktopKill, aPlanOnScreenWhenTheProgramIsKilledIsContinuedAndSavedWhole) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        GTEST_SKIP() << "needs an X display: run under tests/support/under-xvfb";
    }
    namespace fs = std::filesystem;
    const fs::path state =
        fs::temp_directory_path() / ("sw-killed-" + std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(state);
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(state.string()));

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SKILLWRIGHT_KILLED_CHILD"), QString::fromStdString(state.string()));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=DesktopKilledProgram.plansAndWaits")});
    ASSERT_TRUE(child.waitForStarted(kPatience));
    QStringList planned;
    QByteArray output;
    while (!output.contains("planned\n")) {
        ASSERT_TRUE(child.waitForReadyRead(3 * kPatience)) << output.toStdString();
        output += child.readAllStandardOutput();
    }
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith("entry ")) {
            planned << QString::fromUtf8(line.mid(6));
        }
    }
    ASSERT_EQ(planned.size(), 5);
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(kPatience));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    // The next start shows the start screen as usual, asking nothing, and
    // offers the plan that was on screen.
    toolkit::QtToolkit toolkit;
    model::Build build;
    auto program = std::make_unique<app::Program>(build, toolkit);
    program->start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program->startScreen()));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    auto* button = program->startScreen().findChild<QPushButton*>("cmd_Continue");
    ASSERT_TRUE(button->isVisible());
    EXPECT_EQ(button->toolTip(), "Continue: Sorceress, level 6, unsaved, just now (Ctrl+Shift+T)");
    click(button);
    ASSERT_TRUE(
        waitFor([&] { return program->treeScreen() != nullptr && program->treeScreen()->isVisible(); }));
    screens::SkillTreeScreen* sorceress = program->treeScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sorceress));

    // SAVE, the name typed into its box.
    const std::string name = "Killed" + std::to_string(QCoreApplication::applicationPid());
    const fs::path saved = fs::path(toolkit.reportFolder()) / (name + ".txt");
    auto* timer = new QTimer(sorceress);
    QObject::connect(timer, &QTimer::timeout, [timer, &name] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible()) {
            timer->stop();
            box->setTextValue(QString::fromStdString(name));
            box->accept();
        }
    });
    timer->start(5);
    click(sorceress->findChild<QLabel*>("lbl_Save"));
    ASSERT_TRUE(waitFor([&] { return fs::exists(saved); }));
    const report::ReportReading reading = report::readReport(saved.string());
    fs::remove(saved);
    ASSERT_TRUE(reading.report.has_value()) << reading.error;
    EXPECT_EQ(reading.report->classId, model::ClassId::Sorceress);
    EXPECT_EQ(reading.report->level, 6);
    QStringList reported;
    for (const report::ReportLine& line : reading.report->entries) {
        if (line.text != "Clvl 1 Slvl 0: Starting Level") {
            reported << QString::fromStdString(line.text);
        }
    }
    EXPECT_EQ(reported, planned);
    program.reset();
    fs::remove_all(state);
}

} // namespace

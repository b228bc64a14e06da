// The program on a real X display with no window manager, played with real
// pointer and key events (xdotool): nothing activates or raises a window
// there but the program itself, so every key goes where the program put the
// keyboard. Runs under tests/support/under-xvfb; on any other platform it is
// skipped.
#include <model/Build.h>
#include <report/ReportReader.h>
#include <screens/tree/ScreenDesign.h>
#include <toolkit/QtToolkit.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QDrag>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <tuple>
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

// Ctrl+C and Ctrl+V as typed, through the desktop's clipboard: the code of
// the plan on screen, opened again from the start screen (whose hidden text
// box holds the keyboard) and from the emblem's menu.
TEST_F(DesktopTest, aPlanCopiedByKeyOpensAgainByKeyAndFromTheEmblemsMenu) {
    click(program.startScreen().findChild<QLabel*>("lbl_Amazon"));
    ASSERT_TRUE(waitFor([&] { return program.treeScreen() != nullptr && active() == program.treeScreen(); }));
    click(program.treeScreen()->findChild<QWidget*>("img_AmazonJS(0)")); // Jab
    click(program.treeScreen()->findChild<QWidget*>("img_AmazonBC(0)")); // Magic Arrow
    key("ctrl+c");
    ASSERT_TRUE(waitFor([] { return QGuiApplication::clipboard()->text() == QLatin1String("SW1ACnwv5RC"); }))
        << QGuiApplication::clipboard()->text().toStdString();

    click(program.treeScreen()->findChild<QLabel*>("lbl_ChangeClass"));
    ASSERT_TRUE(waitFor([&] { return active() == &program.startScreen(); }));
    key("ctrl+v");
    ASSERT_TRUE(waitFor([&] {
        return program.treeScreen() != nullptr &&
               program.treeScreen()->findChild<QListWidget*>("lb_SkillsPerLevel")->count() == 2;
    }));
    EXPECT_EQ(program.treeScreen()->objectName(), "frm_AmazonSkill");

    QGuiApplication::clipboard()->setText(QStringLiteral("skillwright://plan/SW1gAAIAShX1RhbCBSYXNoYQZPY_"));
    once([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; },
         [] {
             auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
             QAction* paste = menu->findChild<QAction*>("mnu_PasteBuildCode");
             const QPoint at = menu->mapToGlobal(menu->actionGeometry(paste).center());
             xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
             xdotool({"click", "1"});
         });
    ASSERT_TRUE(waitFor([&] { return active() == program.treeScreen(); }));
    click(program.treeScreen()->findChild<QWidget*>("img_CommandEmblem"));
    EXPECT_TRUE(waitFor([&] {
        return program.treeScreen() != nullptr && program.treeScreen()->objectName() == "frm_Sorceress" &&
               program.treeScreen()->findChild<QListWidget*>("lb_SkillsPerLevel")->count() == 7;
    }));
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

// ---- A level-99 plan from the keyboard alone, and the same plan by clicks ----

/// One step of a plan: a point into a skill, a point held in reserve, a
/// reserved point spent, or a quest's point.
struct PlanStep {
    enum Kind { Click, Reserve, UseReserve, QuestPoint } kind;
    model::SkillRef skill;
    model::Quest quest = model::Quest::DenOfEvil;
};

/// A Sorceress to level 99: each level's point goes to the next skill, in
/// reading order, that takes it; every quest point is taken as soon as it is
/// offered, and a point is held in reserve now and then and spent later.
/// Worked out on a build of its own, so that every step is one the rules take.
std::vector<PlanStep> sorceressToNinetyNine() {
    using model::Quest;
    model::Build shadow;
    shadow.startCharacter(model::ClassId::Sorceress);
    std::vector<model::SkillRef> order;
    for (const model::TreeId t : model::classInfo(model::ClassId::Sorceress).trees) {
        for (std::int16_t i = 0; i < model::kSkillsPerTree; ++i) {
            order.push_back({t, i});
        }
    }
    std::stable_sort(order.begin(), order.end(), [](model::SkillRef a, model::SkillRef b) {
        const model::Skill& sa = model::skill(a.tree, a.index);
        const model::Skill& sb = model::skill(b.tree, b.index);
        return std::tuple(sa.openingLevel, model::tree(a.tree).position, sa.column) <
               std::tuple(sb.openingLevel, model::tree(b.tree).position, sb.column);
    });
    std::vector<PlanStep> plan;
    std::size_t turn = 0;
    while (shadow.characterLevel() < model::kMaxLevel) {
        for (const Quest quest : {Quest::DenOfEvil, Quest::BookOfSkill, Quest::Izual}) {
            for (const model::SkillRef s : order) {
                const model::QuestOffer offer = shadow.questOffer(s);
                const bool offered = quest == Quest::DenOfEvil     ? offer.denOfEvil
                                     : quest == Quest::BookOfSkill ? offer.bookOfSkill
                                                                   : offer.deathOfIzual;
                if (offered && shadow.takeQuestPoint(quest, s).accepted()) {
                    plan.push_back({PlanStep::QuestPoint, s, quest});
                    break;
                }
            }
        }
        const int level = shadow.characterLevel();
        if (level % 17 == 0) {
            if (shadow.reservePoint().accepted()) {
                plan.push_back({PlanStep::Reserve, order.front()});
                continue;
            }
        }
        if (shadow.reservedPoints() > 0 && level % 17 == 5) {
            for (const model::SkillRef s : order) {
                if (shadow.useReservedPoint(s).accepted()) {
                    plan.push_back({PlanStep::UseReserve, s});
                    break;
                }
            }
        }
        bool clicked = false;
        for (std::size_t k = 0; k < order.size() && !clicked; ++k) {
            const model::SkillRef s = order[(turn + k) % order.size()];
            if (shadow.clickOutcome(s.tree, s.index).accepted()) {
                shadow.click(s.tree, s.index);
                plan.push_back({PlanStep::Click, s});
                turn = (turn + k + 1) % order.size();
                clicked = true;
            }
        }
        if (!clicked) {
            break;
        }
    }
    return plan;
}

const char* entryOf(const PlanStep& step) {
    switch (step.kind) {
    case PlanStep::Reserve:
        return "mnu_ReservePoint";
    case PlanStep::UseReserve:
        return "mnu_UseReserve";
    case PlanStep::QuestPoint:
        return step.quest == model::Quest::DenOfEvil     ? "mnu_DenOfEvil"
               : step.quest == model::Quest::BookOfSkill ? "mnu_BookOfSkill"
                                                         : "mnu_DeathOfIzual";
    case PlanStep::Click:
        break;
    }
    return "";
}

QString readReport(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("(no report at %1)").arg(path);
    }
    return QString::fromUtf8(file.readAll());
}

class KeyboardAlone : public DesktopTest {
protected:
    QWidget* icon(const model::SkillRef& s) const {
        const std::string_view array = screens::iconArrayName(s.tree);
        return program.treeScreen()->findChild<QWidget*>(
            QString::fromUtf8(array.data(), static_cast<qsizetype>(array.size())) +
            QStringLiteral("(%1)").arg(s.index));
    }
    int historyCount() const {
        return program.treeScreen()->findChild<QListWidget*>("lb_SkillsPerLevel")->count();
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
    void removeLater(const QString& path) { m_reports.push_back(path); }
    void TearDown() override {
        for (const QString& path : m_reports) {
            QFile::remove(path);
        }
        DesktopTest::TearDown();
    }

private:
    std::vector<QString> m_reports;
};

TEST_F(KeyboardAlone, aLevel99PlanWithQuestsAndReservedPointsSavesTheSameReportAsByClicks) {
    const std::vector<PlanStep> plan = sorceressToNinetyNine();
    ASSERT_GE(plan.size(), 98U + 12U) << "every level and every quest point";
    const QString folder = QString::fromStdString(toolkit.reportFolder());
    const QString byKeys =
        folder + QStringLiteral("/KeyboardPlan%1.txt").arg(QCoreApplication::applicationPid());
    const QString byClicks =
        folder + QStringLiteral("/ClickPlan%1.txt").arg(QCoreApplication::applicationPid());
    removeLater(byKeys);
    removeLater(byClicks);

    // The start screen: Left twice marks the Sorceress, Enter chooses her.
    key("Left");
    key("Left");
    key("Return");
    ASSERT_TRUE(waitFor([&] { return program.treeScreen() != nullptr && active() == program.treeScreen(); }));

    int entries = 0;
    for (const PlanStep& step : plan) {
        const std::string_view name = model::skill(step.skill.tree, step.skill.index).name;
        xdotool({"type", "--delay", "5",
                 QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toLower()});
        if (step.kind == PlanStep::Click) {
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
            key(step.kind == PlanStep::QuestPoint ? "shift+F10" : "Menu");
        }
        ++entries;
        ASSERT_TRUE(waitFor([&] { return historyCount() == entries; }))
            << "step " << entries << ": " << name << " " << entryOf(step);
    }
    EXPECT_EQ(build.characterLevel(), 99);
    answerNameBox(QFileInfo(byKeys).completeBaseName());
    key("ctrl+s");
    ASSERT_TRUE(waitFor([&] { return QFile::exists(byKeys); }));

    // The same plan with the pointer.
    click(program.treeScreen()->findChild<QLabel*>("lbl_Reset"));
    ASSERT_TRUE(waitFor([&] { return historyCount() == 0; }));
    entries = 0;
    for (const PlanStep& step : plan) {
        if (step.kind == PlanStep::Click) {
            click(icon(step.skill));
        } else {
            onSkillMenu(entryOf(step), [](QMenu& menu, QAction& entry) {
                const QRect place = menu.actionGeometry(&entry);
                const QPoint at = menu.mapToGlobal(place.center());
                xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
                xdotool({"click", "1"});
            });
            click(icon(step.skill), 3);
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
    EXPECT_EQ(reading.report->plan.classId, model::ClassId::Sorceress);
    EXPECT_EQ(reading.report->level, 6);
    QStringList reported;
    for (const model::HistoryEntry& entry : reading.report->plan.history) {
        reported << QString::fromStdString(model::formatEntry(entry));
    }
    EXPECT_EQ(reported, planned);
    program.reset();
    fs::remove_all(state);
}

} // namespace

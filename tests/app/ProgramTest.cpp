// The hand-over between screens: the start screen opens a class or the
// generator, CHANGE CLASS and Esc bring it back, the next class starts from
// an empty build, and the skill menu opens the statistics viewer, which takes
// the keyboard. Whatever leads away from a plan being generated stops its fill.
#include <model/Build.h>
#include <screens/common/ScreenKit.h>
#include <toolkit/QtToolkit.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <CommandLine.h>
#include <Program.h>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <unistd.h>

using namespace skillwright;

namespace {

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() { program.start(); }

    screens::SkillTreeScreen* choose(const char* classLabel) {
        QTest::mouseClick(program.startScreen().findChild<QLabel*>(classLabel), Qt::LeftButton);
        screens::SkillTreeScreen* screen = program.treeScreen();
        EXPECT_NE(screen, nullptr);
        EXPECT_TRUE(screen && screen->isVisible());
        EXPECT_FALSE(program.startScreen().isVisible());
        return screen;
    }
    static void clickIcon(QWidget* screen, const char* icon) {
        QTest::mouseClick(screen->findChild<QWidget*>(icon), Qt::LeftButton);
    }
    static void letDeletionsRun() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    /// The generator dialog, opened by "Random" (true) or the dice button.
    QWidget* openGenerator(bool byRandom) {
        if (byRandom) {
            QTest::mouseClick(program.startScreen().findChild<QLabel*>("lbl_Random"), Qt::LeftButton);
        } else {
            QTest::mouseClick(program.startScreen().findChild<QPushButton*>("Command1"), Qt::LeftButton);
        }
        QWidget* dialog = program.generatorDialog();
        EXPECT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog && dialog->isVisible());
        return dialog;
    }
    /// Generates `className` up to `level`, answering Yes.
    void generate(QWidget* dialog, const char* option, const char* level) {
        QTest::mouseClick(dialog->findChild<QRadioButton*>(option), Qt::LeftButton, {}, QPoint(8, 13));
        auto* box = dialog->findChild<QLineEdit*>("txt_Level");
        box->clear();
        QTest::keyClicks(box, QString::fromLatin1(level));
        QTest::keyClick(box, Qt::Key_Return);
    }
    /// Draws that take the first skill of each tree in turn, all open at level 1.
    void firstSkillsInTurn() {
        auto n = std::make_shared<int>(0);
        toolkit.randomSource = [n] {
            const int k = (*n)++;
            return k % 2 == 1 ? 0.05 : std::array{0.01, 0.49, 0.83}[(k / 2) % 3];
        };
    }
    [[nodiscard]] int closingMessages() const {
        return static_cast<int>(
            std::count_if(toolkit.messages.begin(), toolkit.messages.end(),
                          [](const auto& m) { return m.title == "Generation Complete"; }));
    }
    [[nodiscard]] QWidget* statsViewer() const {
        QWidget* viewer = program.statsViewer();
        return viewer != nullptr && viewer->isVisible() ? viewer : nullptr;
    }

    toolkit::ScriptedToolkit toolkit;
    model::Build build;
    app::Program program{build, toolkit};
};

TEST_F(ProgramTest, changeClassReopensTheStartScreenAndTheNextClassStartsEmpty) {
    auto* necro = choose("lbl_Necromancer");
    clickIcon(necro, "img_NecroBonePoison(0)");
    clickIcon(necro, "img_NecroBonePoison(1)");
    QTest::mouseClick(necro->findChild<QLabel*>("lbl_ChangeClass"), Qt::LeftButton);
    EXPECT_TRUE(program.startScreen().isVisible());
    letDeletionsRun();
    EXPECT_EQ(program.treeScreen(), nullptr);

    auto* sorc = choose("lbl_Sorceress");
    EXPECT_EQ(sorc->findChild<QLabel*>("lbl_CharLevel")->text(), "Level: 1");
    EXPECT_EQ(sorc->findChild<QListWidget*>("lb_SkillsPerLevel")->count(), 0);
    EXPECT_EQ(build.levelsGained(), 0);
}

TEST_F(ProgramTest, escapeInTheHistoryListChangesClassToo) {
    auto* paladin = choose("lbl_Paladin");
    clickIcon(paladin, "img_PaladinCombat(0)");
    QTest::keyClick(paladin->findChild<QListWidget*>("lb_SkillsPerLevel"), Qt::Key_Escape);
    EXPECT_TRUE(program.startScreen().isVisible());
    letDeletionsRun();
    auto* amazon = choose("lbl_Amazon");
    EXPECT_EQ(amazon->findChild<QLabel*>("lbl_AmazonJS(0)")->text(), "0");
    EXPECT_EQ(build.levelsGained(), 0);
}

TEST_F(ProgramTest, aRightClickOnATreeScreenOpensTheSharedSkillMenu) {
    auto* barbarian = choose("lbl_Barbarian");
    QStringList offered;
    program.menu().setPopper([&](QMenu& menu, QPoint) -> QAction* {
        for (QAction* a : menu.actions()) {
            if (a->isVisible() && !a->isSeparator()) {
                offered << a->text();
            }
        }
        return program.menu().findChild<QAction*>("mnu_ReservePoint");
    });
    QTest::mouseClick(barbarian->findChild<QWidget*>("img_BarbarianCS(0)"), Qt::RightButton);
    EXPECT_EQ(offered, (QStringList{"&Reserve Skill Point", "&Use Reserved Point", "&Skill Stats"}));
    EXPECT_EQ(barbarian->findChild<QLabel*>("lbl_Reserved")->text(), "Reserved Points: 1");
    EXPECT_EQ(barbarian->findChild<QLabel*>("lbl_CharLevel")->text(), "Level 2");
}

// The dice route leaves the start screen on the desktop, so a class can be
// chosen there while a tree screen is open: the old screen goes.
TEST_F(ProgramTest, aClassChosenBesideAnOpenTreeScreenReplacesIt) {
    QWidget* dialog = openGenerator(false);
    toolkit.randoms = {0.5, 0.5};
    generate(dialog, "opt_Necromancer", "3");
    QPointer<screens::SkillTreeScreen> necro = program.treeScreen();
    ASSERT_NE(necro, nullptr);
    ASSERT_TRUE(program.startScreen().isVisible());
    QTest::mouseClick(program.startScreen().findChild<QLabel*>("lbl_Sorceress"), Qt::LeftButton);
    letDeletionsRun();
    EXPECT_EQ(necro, nullptr) << "the Necromancer's screen was left behind";
    int shown = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        shown += qobject_cast<screens::SkillTreeScreen*>(w) != nullptr && w->isVisible() ? 1 : 0;
    }
    EXPECT_EQ(shown, 1);
    ASSERT_NE(build.character(), nullptr);
    EXPECT_EQ(build.character()->classId(), model::ClassId::Sorceress);
}

TEST_F(ProgramTest, randomHidesTheStartScreenTheDiceButtonLeavesItAndCancelBringsItBack) {
    QWidget* dialog = openGenerator(true);
    EXPECT_FALSE(program.startScreen().isVisible());
    QTest::mouseClick(dialog->findChild<QLabel*>("lbl_Cancel"), Qt::LeftButton);
    EXPECT_TRUE(program.startScreen().isVisible());
    letDeletionsRun();

    dialog = openGenerator(false);
    EXPECT_TRUE(program.startScreen().isVisible());
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_TRUE(program.startScreen().isVisible());
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ProgramTest, yesOpensTheClassAndFillsItUpToTheLevel) {
    firstSkillsInTurn();
    generate(openGenerator(true), "opt_Barbarian", "20");
    screens::SkillTreeScreen* screen = program.treeScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "frm_BarbarianSkill");
    EXPECT_EQ(screen->findChild<QLabel*>("lbl_CharLevel")->text(), "Level 20");
    EXPECT_EQ(screen->findChild<QListWidget*>("lb_SkillsPerLevel")->count(), 19);
    EXPECT_EQ(closingMessages(), 1);
    EXPECT_FALSE(program.startScreen().isVisible());
    EXPECT_GE(toolkit.processEventsCalls, 9 + 2 * 20);
}

TEST_F(ProgramTest, treeScreenCommandsBetweenTwoGeneratedClicksStopTheFill) {
    struct Case {
        const char* what;
        std::function<void(screens::SkillTreeScreen*)> act;
        bool startScreenBack;
        int levelsAfter; ///< -1: no screen is left to have any
        bool programEnded;
    };
    // The fill is ten levels in when the player acts.
    const Case cases[] = {
        {"RESET",
         [](screens::SkillTreeScreen* s) {
             QTest::mouseClick(s->findChild<QLabel*>("lbl_Reset"), Qt::LeftButton);
         },
         false, 0, false},
        {"CHANGE CLASS",
         [](screens::SkillTreeScreen* s) {
             QTest::mouseClick(s->findChild<QLabel*>("lbl_ChangeClass"), Qt::LeftButton);
         },
         true, 0, false},
        {"Esc",
         [](screens::SkillTreeScreen* s) {
             QTest::keyClick(s->findChild<QListWidget*>("lb_SkillsPerLevel"), Qt::Key_Escape);
         },
         true, 0, false},
        {"EXIT",
         [](screens::SkillTreeScreen* s) {
             QTest::mouseClick(s->findChild<QLabel*>("lbl_Close"), Qt::LeftButton);
         },
         false, 10, true},
        {"the window's close button", [](screens::SkillTreeScreen* s) { s->close(); }, false, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        firstSkillsInTurn();
        toolkit.messages.clear();
        toolkit.programEnds = 0;
        int runs = 0;
        toolkit.onProcessEvents = [&] {
            if (++runs == 30 && program.treeScreen() != nullptr) {
                c.act(program.treeScreen());
            }
        };
        generate(openGenerator(true), "Opt_Paladin", "60");
        toolkit.onProcessEvents = nullptr;
        EXPECT_EQ(runs, 30) << "the fill stopped at once";
        EXPECT_EQ(closingMessages(), 0);
        if (c.levelsAfter >= 0) {
            EXPECT_EQ(build.levelsGained(), c.levelsAfter);
        }
        EXPECT_EQ(toolkit.programEnds, c.programEnded ? 1 : 0);
        EXPECT_EQ(program.startScreen().isVisible(), c.startScreenBack);
        letDeletionsRun();
        if (program.treeScreen() != nullptr) {
            QTest::mouseClick(program.treeScreen()->findChild<QLabel*>("lbl_ChangeClass"), Qt::LeftButton);
            letDeletionsRun();
        }
        // The next generation starts clean.
        firstSkillsInTurn();
        generate(openGenerator(true), "opt_Sorceress", "5");
        ASSERT_NE(program.treeScreen(), nullptr);
        EXPECT_EQ(program.treeScreen()->findChild<QLabel*>("lbl_CharLevel")->text(), "Level 5");
        EXPECT_EQ(closingMessages(), 1);
        QTest::mouseClick(program.treeScreen()->findChild<QLabel*>("lbl_ChangeClass"), Qt::LeftButton);
        letDeletionsRun();
    }
}

TEST(ProgramDuringADiceFill, everyStartScreenControlThatLeadsElsewhereStopsTheFillFirst) {
    struct Case {
        const char* what;
        std::function<void(screens::StartScreen&)> use;
        const char*
            screenAfter; ///< the tree screen then open, empty; nullptr: the Sorceress, as far as it got
        bool generatorOpen;
        bool startScreenShown;
        bool programEnded;
    };
    const auto clickLabel = [](const char* name) {
        return [name](screens::StartScreen& s) {
            QTest::mouseClick(s.findChild<QLabel*>(name), Qt::LeftButton);
        };
    };
    const auto press = [](const char* name, Qt::MouseButton button) {
        return [name, button](screens::StartScreen& s) {
            QTest::mousePress(s.findChild<QWidget*>(name), button);
        };
    };
    const auto escapeIn = [](const char* name) {
        return
            [name](screens::StartScreen& s) { QTest::keyClick(s.findChild<QWidget*>(name), Qt::Key_Escape); };
    };
    const Case cases[] = {
        {"lbl_Amazon", clickLabel("lbl_Amazon"), "frm_AmazonSkill", false, false, false},
        {"lbl_Barbarian", clickLabel("lbl_Barbarian"), "frm_BarbarianSkill", false, false, false},
        {"lbl_Necromancer", clickLabel("lbl_Necromancer"), "frm_NecroSkill", false, false, false},
        {"lbl_Paladin", clickLabel("lbl_Paladin"), "frm_Paladin", false, false, false},
        {"lbl_Sorceress", clickLabel("lbl_Sorceress"), "frm_Sorceress", false, false, false},
        {"img_Amazon(0), left", press("img_Amazon(0)", Qt::LeftButton), "frm_AmazonSkill", false, false,
         false},
        {"img_Barbarian(0), right", press("img_Barbarian(0)", Qt::RightButton), "frm_BarbarianSkill", false,
         false, false},
        {"img_Sorceress(0), middle", press("img_Sorceress(0)", Qt::MiddleButton), "frm_Sorceress", false,
         false, false},
        {"lbl_Random", clickLabel("lbl_Random"), nullptr, true, false, false},
        {"the dice",
         [](screens::StartScreen& s) {
             QTest::mouseClick(s.findChild<QPushButton*>("Command1"), Qt::LeftButton);
         },
         nullptr, true, true, false},
        {"lbl_Close", clickLabel("lbl_Close"), nullptr, false, true, true},
        {"Esc in txt_Focus", escapeIn("txt_Focus"), nullptr, false, true, true},
        {"Esc in lb_Info", escapeIn("lb_Info"), nullptr, false, true, true},
        {"the window's close button", [](screens::StartScreen& s) { s.close(); }, nullptr, false, false,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        toolkit::ScriptedToolkit toolkit;
        model::Build build;
        app::Program program(build, toolkit);
        program.start();
        auto n = std::make_shared<int>(0); // the first skill of each tree in turn
        toolkit.randomSource = [n] {
            const int k = (*n)++;
            return k % 2 == 1 ? 0.05 : std::array{0.01, 0.49, 0.83}[(k / 2) % 3];
        };
        int runs = 0;
        toolkit.onProcessEvents = [&] {
            if (++runs == 30) { // ten levels into the fill
                c.use(program.startScreen());
            }
        };
        QTest::mouseClick(program.startScreen().findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QWidget* dialog = program.generatorDialog();
        ASSERT_NE(dialog, nullptr);
        QTest::mouseClick(dialog->findChild<QWidget*>("img_EmblemSorceress"), Qt::LeftButton);
        auto* box = dialog->findChild<QLineEdit*>("txt_Level");
        box->setText(QStringLiteral("60"));
        QTest::keyClick(box, Qt::Key_Return);
        toolkit.onProcessEvents = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        EXPECT_EQ(runs, 30) << "the fill stopped at once";
        EXPECT_EQ(std::count_if(toolkit.messages.begin(), toolkit.messages.end(),
                                [](const auto& m) { return m.title == "Generation Complete"; }),
                  0);
        ASSERT_NE(program.treeScreen(), nullptr);
        auto* history = program.treeScreen()->findChild<QListWidget*>("lb_SkillsPerLevel");
        if (c.screenAfter != nullptr) {
            EXPECT_EQ(program.treeScreen()->objectName(), c.screenAfter);
            EXPECT_EQ(history->count(), 0);
            EXPECT_EQ(build.levelsGained(), 0);
        } else {
            EXPECT_EQ(program.treeScreen()->objectName(), "frm_Sorceress");
            EXPECT_EQ(history->count(), 10) << "what was generated stays, as far as it got";
        }
        int generators = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            generators += w->objectName() == "frm_RandomGenerator" && w->isVisible() ? 1 : 0;
        }
        EXPECT_EQ(generators, c.generatorOpen ? 1 : 0);
        EXPECT_EQ(program.startScreen().isVisible(), c.startScreenShown);
        EXPECT_EQ(toolkit.programEnds, c.programEnded ? 1 : 0);
    }
}

TEST(ProgramOnQt, theViewerTakesTheKeyboardAndEscapeThereClosesItAlone) {
    toolkit::QtToolkit toolkit;
    model::Build build;
    app::Program program(build, toolkit);
    program.start();
    QTest::mouseClick(program.startScreen().findChild<QLabel*>("lbl_Sorceress"), Qt::LeftButton);
    screens::SkillTreeScreen* sorceress = program.treeScreen();
    ASSERT_NE(sorceress, nullptr);
    QWidget* fireBolt = sorceress->findChild<QWidget*>("img_SorceressFire(0)");
    for (int n = 0; n < 3; ++n) {
        QTest::mouseClick(fireBolt, Qt::LeftButton);
    }
    program.menu().setPopper(
        [&](QMenu&, QPoint) -> QAction* { return program.menu().findChild<QAction*>("mnu_SkillInfo"); });
    QTest::mouseClick(fireBolt, Qt::RightButton);
    QPointer<QWidget> viewer = program.statsViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowActive(viewer));
    EXPECT_EQ(QApplication::activeWindow(), viewer);

    // Esc wherever the keyboard is.
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Escape);
    EXPECT_TRUE(viewer.isNull() || !viewer->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(program.statsViewer(), nullptr);
    ASSERT_EQ(program.treeScreen(), sorceress);
    EXPECT_TRUE(sorceress->isVisible());
    EXPECT_FALSE(program.startScreen().isVisible());
    EXPECT_EQ(sorceress->findChild<QListWidget*>("lb_SkillsPerLevel")->count(), 3);
    EXPECT_EQ(sorceress->findChild<QLabel*>("lbl_SorceressFire(0)")->text(), "3");
    EXPECT_TRUE(QTest::qWaitForWindowActive(sorceress)) << "the keyboard went back to the tree screen";
}

TEST_F(ProgramTest, skillStatsOpensOneViewerForTheRightClickedSkill) {
    auto* sorc = choose("lbl_Sorceress");
    const char* pick = "mnu_SkillInfo";
    program.menu().setPopper(
        [&](QMenu&, QPoint) -> QAction* { return program.menu().findChild<QAction*>(pick); });
    clickIcon(sorc, "img_SorceressFire(0)");
    clickIcon(sorc, "img_SorceressFire(0)");
    QTest::mouseClick(sorc->findChild<QWidget*>("img_SorceressFire(0)"), Qt::RightButton);
    QWidget* first = statsViewer();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->findChild<QLabel*>("lbl_CurrentSkill")->text(), "Current Skill: Fire Bolt");
    EXPECT_EQ(first->findChild<QLabel*>("lbl_StatA(1)")->palette().color(QPalette::WindowText),
              QColor(255, 128, 0));

    // A point spent while it is open does not move the marked row.
    clickIcon(sorc, "img_SorceressFire(0)");
    EXPECT_EQ(first->findChild<QLabel*>("lbl_StatA(1)")->palette().color(QPalette::WindowText),
              QColor(255, 128, 0));
    EXPECT_NE(first->findChild<QLabel*>("lbl_StatA(2)")->palette().color(QPalette::WindowText),
              QColor(255, 128, 0));

    QTest::mouseClick(sorc->findChild<QWidget*>("img_SorceressFire(1)"), Qt::RightButton);
    int open = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        open += w->objectName() == "frm_SkillStats" ? 1 : 0;
    }
    EXPECT_EQ(open, 1) << "the second opening replaced the first";
    QWidget* second = statsViewer();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->findChild<QLabel*>("lbl_CurrentSkill")->text(), "Current Skill: Warmth (Passive)");
    for (int row = 0; row < 20; ++row) {
        EXPECT_NE(second->findChild<QLabel*>(QStringLiteral("lbl_StatA(%1)").arg(row))
                      ->palette()
                      .color(QPalette::WindowText),
                  QColor(255, 128, 0))
            << "Warmth holds no point: no row is marked";
    }
}

} // namespace

namespace {

TEST(ProgramStart, exitOnATreeScreenOpenedWhileTheAnimationsLoad_endsTheProgram) {
    toolkit::ScriptedToolkit toolkit;
    toolkit.folder = SKILLWRIGHT_ANIMATION_FOLDER;
    model::Build build;
    app::Program program(build, toolkit);
    int runs = 0;
    toolkit.onProcessEvents = [&] {
        if (++runs == 3) { // between two frames of the first file
            QTest::mouseClick(program.startScreen().findChild<QLabel*>("lbl_Barbarian"), Qt::LeftButton);
            ASSERT_NE(program.treeScreen(), nullptr);
            QTest::mouseClick(program.treeScreen()->findChild<QLabel*>("lbl_Close"), Qt::LeftButton);
        }
    };
    program.start();
    EXPECT_GT(runs, 3);
    EXPECT_EQ(toolkit.programEnds, 1);
}

} // namespace

// Opening a saved character, the ways a player does it.
namespace {

namespace fs = std::filesystem;

class OpenCharacterTest : public ::testing::Test {
protected:
    OpenCharacterTest() {
        fs::create_directories(dir);
        toolkit.folder = dir.string();
    }
    ~OpenCharacterTest() override {
        QCoreApplication::sendPostedEvents(nullptr,
                                           QEvent::DeferredDelete); // screens closed, while their build lives
        fs::remove_all(dir);
    }
    OpenCharacterTest(const OpenCharacterTest&) = delete;
    OpenCharacterTest& operator=(const OpenCharacterTest&) = delete;

    static std::string read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path write(const std::string& name, const std::string& text) const {
        const fs::path file = dir / name;
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }
    [[nodiscard]] QStringList historyShown() const {
        QStringList texts;
        auto* list = program.treeScreen()->findChild<QListWidget*>("lb_SkillsPerLevel");
        for (int i = 0; i < list->count(); ++i) {
            texts << list->item(i)->text();
        }
        return texts;
    }
    [[nodiscard]] QString label(const char* name) const {
        return program.treeScreen()->findChild<QLabel*>(name)->text();
    }
    void save() { QTest::mouseClick(program.treeScreen()->findChild<QLabel*>("lbl_Save"), Qt::LeftButton); }
    static void letDeletionsRun() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    /// Drops the addresses of `uriList` ("text/uri-list") on `target` as the
    /// platform does, then lets what the drop asked for run, its data gone by then.
    static void drop(QWidget* target, const QByteArray& uriList) {
        {
            QMimeData mime;
            mime.setData(QStringLiteral("text/uri-list"), uriList);
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            EXPECT_TRUE(enter.isAccepted());
            QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &dropped);
        }
        QCoreApplication::processEvents();
        letDeletionsRun();
    }
    static void drop(QWidget* target, const fs::path& path) {
        drop(target, QUrl::fromLocalFile(QString::fromStdString(path.string())).toEncoded() + "\r\n");
    }

    const fs::path dir = fs::temp_directory_path() / ("sw-open-" + std::to_string(::getpid()));
    toolkit::ScriptedToolkit toolkit;
    model::Build build;
    app::Program program{build, toolkit};
};

const char* const kSorceress = "Tal\xC3\xA9\r\n"
                               "Class: Sorceress\r\n"
                               "Level: 3\r\n"
                               "---------------------------------------------\r\n"
                               "\r\n"
                               "Clvl 1 Slvl 0: Starting Level\r\n"
                               "Clvl 2 Slvl 1: Fire Bolt\r\n"
                               "Clvl 3 Reserved For Later \r\n"
                               "Den Of Evil: Normal Slvl 2: Fire Bolt\r\n"
                               "Reserved Slvl 1: Warmth\r\n"
                               "\r\n"
                               "---------------------------------------------\r\n";

TEST_F(OpenCharacterTest, aPathOnTheCommandLineOpensTheCharacterInPlaceOfTheStartScreen) {
    const fs::path file = write("Tal\xC3\xA9.txt", kSorceress);
    program.start(file.string());
    ASSERT_NE(program.treeScreen(), nullptr);
    EXPECT_EQ(program.treeScreen()->objectName(), "frm_Sorceress");
    EXPECT_TRUE(program.treeScreen()->isVisible());
    EXPECT_FALSE(program.startScreen().isVisible());
    EXPECT_EQ(historyShown(),
              (QStringList{"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Reserved For Later ",
                           "Den Of Evil: Normal Slvl 2: Fire Bolt", "Reserved Slvl 1: Warmth"}));
    EXPECT_EQ(label("lbl_CharLevel"), "Level 3");
    EXPECT_EQ(label("lbl_SorceressFire(0)"), "2");
    EXPECT_EQ(label("lbl_Reserved"), "Reserved Points: 0");
    EXPECT_FALSE(program.treeScreen()->findChild<QLabel*>("lbl_UnAvail")->isVisible())
        << "the announcements the replay passed are not shown";
    EXPECT_TRUE(toolkit.messages.empty());

    // SAVE offers the character's name, and saving again gives the same bytes.
    save();
    ASSERT_EQ(toolkit.inputPrompts.size(), 1u);
    EXPECT_EQ(toolkit.inputPrompts[0].defaultText, "Tal\xC3\xA9");
    EXPECT_EQ(read(file), kSorceress);

    // CHANGE CLASS brings the start screen, as after any class choice.
    QTest::mouseClick(program.treeScreen()->findChild<QLabel*>("lbl_ChangeClass"), Qt::LeftButton);
    EXPECT_TRUE(program.startScreen().isVisible());
}

TEST_F(OpenCharacterTest, ctrlOAndADropReachTheSameOpeningAndAskBeforeUnsavedPointsGo) {
    const fs::path file = write("Tal\xC3\xA9.txt", kSorceress);
    program.start();
    toolkit.openFiles = {file.string()};
    program.startScreen().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&program.startScreen()));
    QTest::keyClick(&program.startScreen(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(toolkit.openDialogs.size(), 1u);
    EXPECT_EQ(toolkit.openDialogs[0].prompt, "Open Character");
    EXPECT_EQ(toolkit.openDialogs[0].title, dir.string());
    EXPECT_EQ(toolkit.openDialogs[0].defaultText, "Character reports (*.txt)");
    ASSERT_NE(program.treeScreen(), nullptr);
    EXPECT_EQ(historyShown().size(), 4);

    // A point since opening: a drop asks first; No keeps everything.
    QTest::mouseClick(program.treeScreen()->findChild<QWidget*>("img_SorceressFire(1)"), Qt::LeftButton);
    const fs::path other = write("Bash.txt", "Bash\r\nClass: Barbarian\r\nLevel: 2\r\n"
                                             "---------------------------------------------\r\n\r\n"
                                             "Clvl 1 Slvl 0: Starting Level\r\nClvl 2 Slvl 1: Bash\r\n\r\n"
                                             "---------------------------------------------\r\n");
    toolkit.answers = {toolkit::Answer::No};
    drop(program.treeScreen(), other);
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text,
              "Replace the character on screen? Its points since the last save will be lost.");
    EXPECT_EQ(toolkit.messages[0].buttons, toolkit::Buttons::YesNoDefaultNo);
    EXPECT_EQ(program.treeScreen()->objectName(), "frm_Sorceress");
    EXPECT_EQ(historyShown().size(), 5);

    toolkit.answers = {toolkit::Answer::Yes};
    drop(program.treeScreen(), other);
    letDeletionsRun();
    ASSERT_NE(program.treeScreen(), nullptr);
    EXPECT_EQ(program.treeScreen()->objectName(), "frm_BarbarianSkill");
    EXPECT_EQ(historyShown(), QStringList{"Clvl 2 Slvl 1: Bash"});

    // Nothing new since opening: no question.
    toolkit.messages.clear();
    drop(program.treeScreen(), file);
    EXPECT_TRUE(toolkit.messages.empty());
    EXPECT_EQ(program.treeScreen()->objectName(), "frm_Sorceress");
}

TEST_F(OpenCharacterTest, aFileThatIsNoReportChangesNothingAndABadLineOpensUpToIt) {
    program.start();
    QTest::mouseClick(program.startScreen().findChild<QLabel*>("lbl_Necromancer"), Qt::LeftButton);
    QTest::mouseClick(program.treeScreen()->findChild<QWidget*>("img_NecroBonePoison(0)"), Qt::LeftButton);
    QPointer<screens::SkillTreeScreen> necro = program.treeScreen();
    EXPECT_FALSE(program.openCharacter(write("notes.txt", "shopping list\r\n").string()));
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text, "This file is not a character report: it has no \"Class: \" line.");
    EXPECT_EQ(toolkit.messages[0].title, "");
    EXPECT_EQ(toolkit.messages[0].buttons, toolkit::Buttons::Ok);
    EXPECT_EQ(program.treeScreen(), necro.data());
    EXPECT_EQ(historyShown(), QStringList{"Clvl 2 Slvl 1: Teeth"});

    toolkit.messages.clear();
    std::string bad = kSorceress;
    bad.replace(bad.find("Clvl 3 Reserved For Later "), 26, "Clvl 3 Slvl 1: Blizzard");
    toolkit.answers = {toolkit::Answer::Yes};
    EXPECT_TRUE(program.openCharacter(write("bad.txt", bad).string()));
    ASSERT_EQ(toolkit.messages.size(), 2u);
    EXPECT_EQ(toolkit.messages[1].text,
              "Line 8: Clvl 3 Slvl 1: Blizzard\r\nNot available yet, you must be character "
              "level 24 first (or just getting level 24).");
    EXPECT_EQ(toolkit.messages[1].title, "");
    EXPECT_EQ(historyShown(), QStringList{"Clvl 2 Slvl 1: Fire Bolt"});
}

// A drop may close the window it lands on: it is taken whole and acted on
// only once its event has returned, on either screen; a file name in any
// encoding (a Latin-1 "Café.txt") opens.
TEST_F(OpenCharacterTest, aDropIsTakenWholeAndOpensAfterItsEventReturned) {
    const struct {
        bool onTree;
        std::string fileName; ///< its bytes
        QByteArray address;   ///< as a drag source sends it
    } cases[] = {
        {false, "Tal\xC3\xA9.txt", "Tal%C3%A9.txt"},
        {true, "Tal\xC3\xA9.txt", "Tal%C3%A9.txt"},
        {false, "Caf\xE9.txt", "Caf%E9.txt"},
        {true, "Caf\xE9.txt", "Caf%E9.txt"},
    };
    program.start();
    for (const auto& c : cases) {
        const fs::path file = write(c.fileName, kSorceress);
        if (c.onTree) {
            QTest::mouseClick(program.startScreen().findChild<QLabel*>("lbl_Necromancer"), Qt::LeftButton);
        }
        QPointer<QWidget> target =
            c.onTree ? static_cast<QWidget*>(program.treeScreen()) : &program.startScreen();
        {
            QMimeData mime;
            mime.setData("text/uri-list",
                         "file://" + QByteArray::fromStdString(dir.string()) + "/" + c.address + "\r\n");
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &dropped);
            EXPECT_TRUE(dropped.isAccepted()) << c.fileName;
            EXPECT_TRUE(toolkit.messages.empty()) << "nothing acted on inside the drop";
            EXPECT_TRUE(target && target->isVisible()) << "the window taking the drop stays while it does";
        } // the drop's data goes with its event
        QCoreApplication::processEvents();
        letDeletionsRun();
        EXPECT_TRUE(toolkit.messages.empty()) << toolkit.messages.front().text;
        ASSERT_NE(program.treeScreen(), nullptr) << c.fileName;
        EXPECT_EQ(program.treeScreen()->objectName(), "frm_Sorceress") << c.fileName;
        EXPECT_EQ(historyShown().size(), 4) << c.fileName;
        QTest::mouseClick(program.treeScreen()->findChild<QLabel*>("lbl_ChangeClass"), Qt::LeftButton);
        letDeletionsRun();
        toolkit.messages.clear();
    }
}

TEST(ProgramArguments, theCommandLineGivesWhatToOpenWithItsBytesOrAnAnswerForTheTerminal) {
    struct Case {
        std::vector<const char*> argv;
        std::string argument;
        const char* answer; ///< the start of the terminal's answer, for status 2; empty for none
    };
    const std::vector<Case> cases{
        {{"skillwright"}, "", ""},
        {{"skillwright", "/tmp/Caf\xE9.txt"}, "/tmp/Caf\xE9.txt", ""},
        {{"skillwright", "skillwright://plan/SW1ACnARep8FJNh"}, "skillwright://plan/SW1ACnARep8FJNh", ""},
        {{"skillwright", "--", "-Hero.txt"}, "-Hero.txt", ""},
        {{"skillwright", "-"}, "-", ""},
        {{"skillwright", "--frobnicate"}, "", "skillwright: unknown option --frobnicate"},
        {{"skillwright", "a.txt", "b.txt"},
         "",
         "skillwright: one report, build code or link at a time, not 2"},
    };
    for (const Case& c : cases) {
        const app::CommandLine line = app::readCommandLine(static_cast<int>(c.argv.size()), c.argv.data());
        EXPECT_EQ(line.argument, c.argument) << c.argv.back();
        const app::TerminalAnswer none{"", false, 0};
        const app::TerminalAnswer& answer = line.answer ? *line.answer : none;
        const bool answered = std::string(c.answer) != "";
        EXPECT_EQ(answer.text.substr(0, std::string(c.answer).size()), c.answer) << c.argv.back();
        EXPECT_EQ(answer.toError, answered) << c.argv.back();
        EXPECT_EQ(answer.status, answered ? 2 : 0) << c.argv.back();
    }
    // Help stands only before "--" (the program itself answers help and version, in the sharing tests).
    const char* const afterEnd[] = {"skillwright", "--", "--help"};
    EXPECT_FALSE(app::informationAnswer(3, afterEnd));
}

// Markup in a file, in a line or in the name, is shown as the characters it
// is made of, wherever it appears.
TEST_F(OpenCharacterTest, markupFromAReportIsShownAsPlainTextEverywhere) {
    std::string marked = kSorceress;
    marked.replace(0, 6, "<h1>Big</h1>");
    marked.replace(marked.find("Clvl 3 Reserved For Later "), 26, "<img src=\"/dev/null\">");
    program.start(write("marked.txt", marked).string());
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text, "Line 8: <img src=\"/dev/null\">\r\nThis is not a history entry.");
    ASSERT_NE(program.treeScreen(), nullptr);
    save();
    ASSERT_EQ(toolkit.inputPrompts.size(), 1u);
    EXPECT_EQ(toolkit.inputPrompts[0].defaultText, "<h1>Big<_h1> (part)");
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && label->text().contains('<')) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
        }
        EXPECT_FALSE(widget->toolTip().contains('<')) << widget->objectName().toStdString();
        EXPECT_FALSE(widget->windowTitle().contains('<')) << widget->objectName().toStdString();
    }
}

// A plan that stopped short of its file is not what the file holds: SAVE
// offers another file, and opening something else asks first.
TEST_F(OpenCharacterTest, aPlanStoppedShortIsNeverSavedOverItsFile) {
    std::string bad = kSorceress;
    bad.replace(bad.find("Clvl 3 Reserved For Later "), 26, "Clvl 3 Slvl 1: Blizzard");
    const fs::path file = write("Tal\xC3\xA9.txt", bad);
    program.start(file.string());
    ASSERT_NE(program.treeScreen(), nullptr);
    EXPECT_EQ(historyShown(), QStringList{"Clvl 2 Slvl 1: Fire Bolt"});
    EXPECT_TRUE(program.treeScreen()->hasUnsavedPoints());

    toolkit.messages.clear();
    toolkit.answers = {toolkit::Answer::No};
    EXPECT_FALSE(program.openCharacter(write("Bash.txt", kSorceress).string()));
    ASSERT_EQ(toolkit.messages.size(), 1u) << "the unsaved-points question";
    EXPECT_EQ(toolkit.messages[0].buttons, toolkit::Buttons::YesNoDefaultNo);

    save(); // and Enter
    ASSERT_EQ(toolkit.inputPrompts.size(), 1u);
    EXPECT_EQ(toolkit.inputPrompts[0].defaultText, "Tal\xC3\xA9 (part)");
    EXPECT_EQ(read(file), bad) << "the file it came from is as it was";
    const std::string part = read(dir / "Tal\xC3\xA9 (part).txt");
    EXPECT_EQ(part.substr(0, 25), "Tal\xC3\xA9\r\nClass: Sorceress\r\n");
    EXPECT_FALSE(program.treeScreen()->hasUnsavedPoints());
    save();
    EXPECT_EQ(toolkit.inputPrompts[1].defaultText, "Tal\xC3\xA9 (part)") << "saved as that, offered again";
}

TEST_F(ProgramTest, theStatisticsViewerOfTheOldCharacterClosesWithIt) {
    program.menu().setPopper(
        [&](QMenu&, QPoint) -> QAction* { return program.menu().findChild<QAction*>("mnu_SkillInfo"); });
    for (const char* next : {"lbl_Amazon", "lbl_Necromancer"}) {
        auto* sorc = choose("lbl_Sorceress");
        QTest::mouseClick(sorc->findChild<QWidget*>("img_SorceressFire(0)"), Qt::RightButton);
        ASSERT_NE(statsViewer(), nullptr);
        QTest::mouseClick(sorc->findChild<QLabel*>("lbl_ChangeClass"), Qt::LeftButton);
        choose(next);
        EXPECT_EQ(program.statsViewer(), nullptr) << next;
        QTest::mouseClick(program.treeScreen()->findChild<QLabel*>("lbl_ChangeClass"), Qt::LeftButton);
        letDeletionsRun();
    }
}

TEST_F(OpenCharacterTest, theStartScreensOpenButtonSitsBesideTheDice) {
    program.start();
    auto* button = program.startScreen().findChild<QPushButton*>("cmd_OpenCharacter");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->geometry(), QRect(694, 542, 40, 40));
    EXPECT_EQ(program.startScreen().findChild<QPushButton*>("Command1")->geometry(), QRect(742, 542, 40, 40));
    EXPECT_EQ(button->toolTip(), "Open a saved character (Ctrl+O)");
    EXPECT_FALSE(button->icon().isNull());
    toolkit.openFiles = {""};
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(toolkit.openDialogs.size(), 1u);
    EXPECT_EQ(program.treeScreen(), nullptr) << "Cancel opens nothing";
}

} // namespace

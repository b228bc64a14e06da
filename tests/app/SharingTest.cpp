// Sharing a plan through the real program: Ctrl+C and the emblem's menu copy
// the code of the plan on screen, Ctrl+V, a drop and the command line open a
// code or a link the way a report opens, and anything else is told why it
// does not open, with nothing on screen changed.
#include <model/Build.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <Program.h>
#include <optional>
#include <string>
#include <vector>

using namespace skillwright;

namespace {

// An Amazon of five levels, with a quest point and a reserved point.
const char* const kAmazon = "SW1ACnARep8FJNh";
const QStringList kAmazonHistory{
    "Clvl 2 Slvl 1: Jab",         "Clvl 3 Slvl 1: Magic Arrow",     "Den Of Evil: Normal Slvl 2: Jab",
    "Clvl 4 Reserved For Later ", "Clvl 5 Slvl 1: Critical Strike", "Reserved Slvl 2: Magic Arrow"};
// "Tal Rasha", a Sorceress of level 8.
const char* const kTalRasha = "SW1gAAIAShX1RhbCBSYXNoYQZPY_";
// A Sorceress whose second point goes to Hydra at level 3.
const char* const kHydraTooEarly = "SW1gBPwwyR5";

const std::string kNotACode = "This is not a build code.";
const std::string kNewer =
    "This build code was made by a newer version of Skillwright; this version cannot open it.";
const std::string kDamaged = "This build code is damaged: a character in it was changed, lost or added.";
const std::string kReplace = "Replace the character on screen? Its points since the last save will be lost.";

class SharingTest : public ::testing::Test {
protected:
    SharingTest() { program.start(); }

    QWidget* tree() const { return program.treeScreen(); }
    QWidget* keyboardOf(QWidget* window) const {
        return window == tree() ? window->findChild<QWidget*>("lb_SkillsPerLevel")
                                : window->findChild<QWidget*>("txt_Focus");
    }
    /// Ctrl and `key` where the window's keyboard focus rests.
    void ctrl(QWidget* window, Qt::Key key) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QWidget* focus = keyboardOf(window);
        focus->setFocus();
        QTest::keyClick(focus, key, Qt::ControlModifier);
        QCoreApplication::processEvents();
        letDeletionsRun();
    }
    static void letDeletionsRun() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    QWidget* choose(const char* classLabel) {
        QTest::mouseClick(program.startScreen().findChild<QLabel*>(classLabel), Qt::LeftButton);
        return tree();
    }
    void clickIcon(const char* icon) { QTest::mouseClick(tree()->findChild<QWidget*>(icon), Qt::LeftButton); }
    [[nodiscard]] QStringList historyShown() const {
        QStringList texts;
        auto* list = tree()->findChild<QListWidget*>("lb_SkillsPerLevel");
        for (int i = 0; i < list->count(); ++i) {
            texts << list->item(i)->text();
        }
        return texts;
    }
    [[nodiscard]] QString label(const char* name) const { return tree()->findChild<QLabel*>(name)->text(); }
    [[nodiscard]] std::optional<QString> notice() const {
        auto* line = tree()->findChild<QLabel*>("lbl_UnAvail");
        return line->isVisible() ? std::optional(line->text()) : std::nullopt;
    }
    /// What SAVE offers as the character's name.
    std::string nameSaveOffers() {
        toolkit.inputs.push_back(""); // Cancel
        QTest::mouseClick(tree()->findChild<QLabel*>("lbl_Save"), Qt::LeftButton);
        return toolkit.inputPrompts.back().defaultText;
    }
    /// Drops `mime`'s data on `target` as the platform does, then lets what
    /// the drop asked for run.
    static void drop(QWidget* target, const QString& format, const QByteArray& data, bool taken = true) {
        {
            QMimeData mime;
            mime.setData(format, data);
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            EXPECT_EQ(enter.isAccepted(), taken) << format.toStdString();
            QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &dropped);
        }
        QCoreApplication::processEvents();
        letDeletionsRun();
    }
    /// Clicks the emblem above the commands and picks the entry `entry` of
    /// the menu it opens; the menu's entries, in order, as "caption\tkeys".
    QStringList pickFromEmblemMenu(const char* entry) {
        QStringList shown;
        program.menu().setPopper([&](QMenu& menu, QPoint) -> QAction* {
            EXPECT_EQ(menu.objectName(), "mnu_Commands");
            for (QAction* a : menu.actions()) {
                shown << a->text() + QLatin1Char('\t') + a->shortcut().toString();
            }
            return menu.findChild<QAction*>(entry);
        });
        QTest::mouseClick(tree()->findChild<QWidget*>("img_CommandEmblem"), Qt::LeftButton);
        QCoreApplication::processEvents();
        letDeletionsRun();
        return shown;
    }

    QTemporaryDir reports; ///< where SAVE writes
    toolkit::ScriptedToolkit toolkit = [this] {
        toolkit::ScriptedToolkit t;
        t.folder = reports.path().toStdString();
        return t;
    }();
    model::Build build;
    app::Program program{build, toolkit};
};

TEST_F(SharingTest, ctrlCAndTheEmblemsMenuCopyThePlanOnScreenAndSayHowLongItsCodeIs) {
    choose("lbl_Amazon");
    clickIcon("img_AmazonJS(0)"); // Jab
    clickIcon("img_AmazonBC(0)"); // Magic Arrow
    ctrl(tree(), Qt::Key_C);
    EXPECT_EQ(toolkit.clipboard, "SW1ACnwv5RC");
    EXPECT_EQ(notice(), "Build code copied: 11 characters");
    toolkit.advance(5000);
    EXPECT_EQ(notice(), std::nullopt);

    // Saved under a name, the code carries it.
    toolkit.inputs.push_back("Tal");
    QTest::mouseClick(tree()->findChild<QLabel*>("lbl_Save"), Qt::LeftButton);
    toolkit.clipboard.reset();
    EXPECT_EQ(pickFromEmblemMenu("mnu_CopyBuildCode"),
              (QStringList{"Copy Build Code\tCtrl+C", "Paste Build Code\tCtrl+V", "Open Character...\tCtrl+O",
                           "\t", "Compare With...\tCtrl+Shift+O", "Compare With Build Code\tCtrl+Shift+V",
                           "Stop Comparing\t"}));
    EXPECT_EQ(toolkit.clipboard, "SW1ACn1RhbA8Gub");
    EXPECT_EQ(notice(), "Build code copied: 15 characters");
    EXPECT_TRUE(toolkit.messages.empty());
}

TEST_F(SharingTest, ctrlVOnEitherScreenOpensTheCodeAsAReportOpens) {
    toolkit.clipboard = std::string(" ") + kAmazon + "\r\n";
    ctrl(&program.startScreen(), Qt::Key_V);
    ASSERT_NE(tree(), nullptr);
    EXPECT_EQ(tree()->objectName(), "frm_AmazonSkill");
    EXPECT_FALSE(program.startScreen().isVisible());
    EXPECT_EQ(historyShown(), kAmazonHistory);
    EXPECT_EQ(label("lbl_CharLevel"), "Level 5");
    EXPECT_EQ(label("lbl_Reserved"), "Reserved Points: 0");
    EXPECT_EQ(notice(), std::nullopt) << "the replay's announcements are not shown";
    EXPECT_TRUE(toolkit.messages.empty());

    // Its points count as saved: the next code opens without a question,
    // and SAVE offers the code's name.
    toolkit.clipboard = kTalRasha;
    ctrl(tree(), Qt::Key_V);
    EXPECT_EQ(tree()->objectName(), "frm_Sorceress");
    EXPECT_EQ(historyShown().size(), 7);
    EXPECT_TRUE(toolkit.messages.empty());
    EXPECT_EQ(nameSaveOffers(), "Tal Rasha");

    // The same screen as any: undo takes the last point back, and a point
    // taken since asks before the next code replaces it, No by default.
    QTest::mouseClick(tree()->findChild<QLabel*>("lbl_UndoLast"), Qt::LeftButton);
    EXPECT_EQ(historyShown().back(), "Clvl 7 Slvl 1: Ice Bolt");
    toolkit.clipboard = kAmazon;
    ctrl(tree(), Qt::Key_V);
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text, kReplace);
    EXPECT_EQ(toolkit.messages[0].buttons, toolkit::Buttons::YesNoDefaultNo);
    EXPECT_EQ(tree()->objectName(), "frm_Sorceress");
    EXPECT_EQ(historyShown().size(), 6);
    toolkit.answers.push_back(toolkit::Answer::Yes);
    ctrl(tree(), Qt::Key_V);
    EXPECT_EQ(tree()->objectName(), "frm_AmazonSkill");
    EXPECT_EQ(historyShown(), kAmazonHistory);
}

TEST_F(SharingTest, whatIsNoCodeIsToldAndNothingOnScreenChanges) {
    const struct {
        const char* what;
        std::optional<std::string> clipboard;
        const std::string& message;
    } cases[] = {
        {"a picture", std::nullopt, kNotACode},
        {"eight megabytes of text", std::string(8u << 20, 'S'), kNotACode},
        {"a sentence", "Meet me in the Rogue Encampment", kNotACode},
        {"a link to something else", "skillwright://report/SW1ACnARep8FJNh", kNotACode},
        {"a code of a later format", "SW2gAAIAShX1RhbCBSYXNoYQVhH0", kNewer},
        {"a character changed", "SW1ACnARep8FJNi", kDamaged},
        {"a character lost in a link", "skillwright://plan/SW1ACnARep8FJN", kDamaged},
    };
    choose("lbl_Necromancer");
    clickIcon("img_NecroBonePoison(0)"); // unsaved: still no question for what cannot open
    for (const auto& c : cases) {
        toolkit.messages.clear();
        toolkit.clipboard = c.clipboard;
        ctrl(tree(), Qt::Key_V);
        ASSERT_EQ(toolkit.messages.size(), 1u) << c.what;
        EXPECT_EQ(toolkit.messages[0].text, c.message) << c.what;
        EXPECT_EQ(toolkit.messages[0].icon, toolkit::Icon::Critical) << c.what;
        EXPECT_EQ(tree()->objectName(), "frm_NecroSkill") << c.what;
        EXPECT_EQ(historyShown(), QStringList{"Clvl 2 Slvl 1: Teeth"}) << c.what;
    }
}

TEST_F(SharingTest, aPointTheRulesRefuseOpensThePlanUpToItAndNamesThePointAndWhy) {
    toolkit.clipboard = kHydraTooEarly;
    ctrl(&program.startScreen(), Qt::Key_V);
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text,
              "Point 2: Clvl 3 Slvl 1: Hydra\r\n"
              "Not available yet, you must be character level 30 first (or just getting level 30).");
    ASSERT_NE(tree(), nullptr);
    EXPECT_EQ(tree()->objectName(), "frm_Sorceress");
    EXPECT_EQ(historyShown(), QStringList{"Clvl 2 Slvl 1: Fire Bolt"});
    EXPECT_EQ(label("lbl_CharLevel"), "Level 2");
}

TEST_F(SharingTest, textsAndLinksDroppedOnEitherScreenOpenAndOtherTextIsTold) {
    drop(&program.startScreen(), QStringLiteral("text/plain"), kAmazon);
    ASSERT_NE(tree(), nullptr);
    EXPECT_EQ(historyShown(), kAmazonHistory);

    drop(tree(), QStringLiteral("text/uri-list"), QByteArray("skillwright://plan/") + kTalRasha + "\r\n");
    EXPECT_EQ(tree()->objectName(), "frm_Sorceress");
    EXPECT_EQ(historyShown().size(), 7);
    EXPECT_TRUE(toolkit.messages.empty());

    drop(tree(), QStringLiteral("text/plain"), "Tal Rasha's tomb");
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text, kNotACode);
    // Neither a web address nor a book is taken at all.
    drop(tree(), QStringLiteral("text/uri-list"), "https://example.org/SW1ACnARep8FJNh\r\n", false);
    drop(tree(), QStringLiteral("text/plain"), QByteArray(1 << 20, 'S'), false);
    EXPECT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(historyShown().size(), 7);
}

TEST(SharingFromTheCommandLine, aCodeOrALinkOpensInPlaceOfTheStartScreenAndAnythingElseIsToldByName) {
    const struct {
        std::string argument;
        const char* screen; ///< the tree screen opened, or nullptr
        std::string message;
    } cases[] = {
        {kAmazon, "frm_AmazonSkill", ""},
        // The README's example, a level-75 Sorceress.
        {"SW1iivFAArFmLqKMGnKKKdgyeooop7Xtpc0o000013TjTTTXNONNNe17jjTTTjneOOOOOOOOOOOOOO-"
         "77rrrrrrrrrrrrrrrrv0Zyb3N0IFdpdGNoBJKM",
         "frm_Sorceress", ""},
        {std::string("skillwright://plan/") + kTalRasha, "frm_Sorceress", ""},
        {std::string("SKILLWRIGHT://plan/") + kTalRasha + "/", "frm_Sorceress", ""},
        {"SW1ACnARep8FJNi", nullptr, kDamaged},
        {"skillwright://plan/", nullptr, kNotACode},
        {"--<b>nonsense</b>", nullptr,
         "Skillwright cannot open \"--<b>nonsense</b>\": it is no saved character, build code or plan's "
         "link."},
        {"Caf\xE9 " + std::string(100, 'x'), nullptr,
         "Skillwright cannot open \"Caf\xC3\xA9 " + std::string(74, 'x') +
             "\xE2\x80\xA6\": it is no saved character, build code or plan's link."},
    };
    for (const auto& c : cases) {
        toolkit::ScriptedToolkit toolkit;
        model::Build build;
        app::Program program{build, toolkit};
        program.start(c.argument);
        QCoreApplication::processEvents();
        if (c.screen != nullptr) {
            ASSERT_NE(program.treeScreen(), nullptr) << c.argument;
            EXPECT_EQ(program.treeScreen()->objectName(), c.screen) << c.argument;
            EXPECT_FALSE(program.startScreen().isVisible()) << c.argument;
            EXPECT_TRUE(toolkit.messages.empty()) << c.argument;
        } else {
            EXPECT_EQ(program.treeScreen(), nullptr) << c.argument;
            EXPECT_TRUE(program.startScreen().isVisible()) << c.argument;
            ASSERT_EQ(toolkit.messages.size(), 1u) << c.argument;
            EXPECT_EQ(toolkit.messages[0].text, c.message);
        }
    }
}

// The program itself: help and its version on the terminal, with no display
// to open a window on, and an unknown option refused there too (the window
// system, which takes its own options first, may speak before it).
TEST(SharingFromTheCommandLine, helpAndVersionAnswerOnTheTerminalWithoutAWindow) {
    const struct {
        QStringList arguments;
        const char* platform;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {{"--version"}, "", 0, "skillwright 2.0.0\n", ""},
        {{"-h"}, "", 0, "Usage: skillwright [REPORT | CODE | LINK]\n", ""},
        {{"SW1ACnARep8FJNh", "--help"}, "", 0, "Usage: skillwright [REPORT | CODE | LINK]\n", ""},
        {{"--frobnicate"},
         "offscreen",
         2,
         "",
         "skillwright: unknown option --frobnicate (skillwright --help"},
    };
    for (const auto& c : cases) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(c.platform));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(SKILLWRIGHT_PROGRAM), c.arguments);
        ASSERT_TRUE(process.waitForFinished(20000)) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), c.status) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(process.readAllStandardOutput().startsWith(c.out)) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(process.readAllStandardError().contains(c.err)) << c.arguments.join(' ').toStdString();
    }
}

TEST_F(SharingTest, theEmblemDrawsNothingOfItsOwnAndMovesOverItResetTheHoverAsThePanelDoes) {
    choose("lbl_Necromancer");
    auto* emblem = tree()->findChild<QAbstractButton*>("img_CommandEmblem");
    ASSERT_NE(emblem, nullptr);
    EXPECT_EQ(emblem->geometry(), QRect(692, 8, 50, 50));
    const QImage with = tree()->grab().toImage();
    emblem->hide();
    const QImage without = tree()->grab().toImage();
    emblem->show();
    EXPECT_TRUE(with == without) << "the emblem changed the screen's pixels";

    auto* save = tree()->findChild<QLabel*>("lbl_Save");
    QTest::mouseMove(save);
    EXPECT_EQ(label("lbl_Description"), "Save your character To a text file.");
    QTest::mouseMove(emblem, QPoint(25, 25));
    EXPECT_EQ(label("lbl_Description"), "");
    EXPECT_EQ(save->palette().color(QPalette::WindowText), QColor(255, 239, 176));

    // The emblem is round: its square's corner is the panel.
    int popups = 0;
    program.menu().setPopper([&](QMenu&, QPoint) -> QAction* {
        ++popups;
        return nullptr;
    });
    QTest::mouseClick(emblem, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(popups, 0);
    QTest::mouseClick(emblem, Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_EQ(popups, 1);
}

} // namespace

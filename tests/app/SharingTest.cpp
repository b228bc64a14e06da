// Sharing a plan through the real program: Ctrl+C and the emblem's menu copy
// the code of the plan on screen, Ctrl+V, a drop and the command line open a
// code or a link the way a report opens, and anything else is told why it
// does not open, with nothing on screen changed.
#include <QAbstractButton>
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QProcess>

#include <Colours.h>
#include <ProgramSession.h>
#include <optional>
#include <string>

using namespace skillwright;

namespace {

// An Amazon of five levels, with a quest point and a reserved point.
const char* const kAmazon = "SW1ACnARep8FJNh";
const QStringList kAmazonHistory{
    "Clvl 2 Slvl 1: Jab",         "Clvl 3 Slvl 1: Magic Arrow",     "Den Of Evil: Normal Slvl 2: Jab",
    "Clvl 4 Reserved For Later ", "Clvl 5 Slvl 1: Critical Strike", "Reserved Slvl 2: Magic Arrow"};
// "Tal Rasha", a Sorceress of level 8.
const char* const kTalRasha = "SW1gAAIAShX1RhbCBSYXNoYQZPY_";

const char* const kSorceressReport =
    "Tal\xC3\xA9\r\nClass: Sorceress\r\nLevel: 3\r\n"
    "---------------------------------------------\r\n\r\n"
    "Clvl 1 Slvl 0: Starting Level\r\nClvl 2 Slvl 1: Fire Bolt\r\n"
    "Clvl 3 Reserved For Later \r\nDen Of Evil: Normal Slvl 2: Fire Bolt\r\n"
    "Reserved Slvl 1: Warmth\r\n\r\n---------------------------------------------\r\n";
const std::string kNotACode = "This is not a build code.";
const std::string kDamaged = "This build code is damaged: a character in it was changed, lost or added.";

class SharingTest : public ::testing::Test, public skillwright::testing::ProgramSession {
protected:
    SharingTest() { program->start(); }

    /// Ctrl and `key` where the window's keyboard focus rests.
    void ctrl(QWidget* window, Qt::Key key) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QWidget* focus = window->findChild<QWidget*>(window == tree() ? "lb_SkillsPerLevel" : "txt_Focus");
        focus->setFocus();
        QTest::keyClick(focus, key, Qt::ControlModifier);
        QCoreApplication::processEvents();
        letDeletionsRun();
    }
    [[nodiscard]] std::optional<QString> notice() {
        auto* line = tree()->findChild<QLabel*>("lbl_UnAvail");
        return line->isVisible() ? std::optional(line->text()) : std::nullopt;
    }
};

TEST_F(SharingTest, ctrlCAndTheEmblemsMenuCopyThePlanOnScreenAndSayHowLongItsCodeIs) {
    choose("lbl_Amazon");
    click(tree(), "img_AmazonJS(0)"); // Jab
    click(tree(), "img_AmazonBC(0)"); // Magic Arrow
    ctrl(tree(), Qt::Key_C);
    EXPECT_EQ(toolkit.clipboard, "SW1ACnwv5RC");
    EXPECT_EQ(notice(), "Build code copied: 11 characters");
    toolkit.advance(5000);
    EXPECT_EQ(notice(), std::nullopt);

    // Saved under a name, the code carries it.
    toolkit.inputs.push_back("Tal");
    click(tree(), "lbl_Save");
    toolkit.clipboard.reset();
    // The emblem above the commands opens their menu.
    QStringList shown;
    program->menu().setPopper([&](QMenu& menu, QPoint) -> QAction* {
        for (QAction* a : menu.actions()) {
            shown << menu.objectName() + ": " + a->text() + QLatin1Char('\t') + a->shortcut().toString();
        }
        return menu.findChild<QAction*>("mnu_CopyBuildCode");
    });
    click(tree(), "img_CommandEmblem");
    EXPECT_EQ(shown,
              (QStringList{"mnu_Commands: Copy Build Code\tCtrl+C", "mnu_Commands: Paste Build Code\tCtrl+V",
                           "mnu_Commands: Open Character...\tCtrl+O", "mnu_Commands: \t",
                           "mnu_Commands: Compare With...\tCtrl+Shift+O",
                           "mnu_Commands: Compare With Build Code\tCtrl+Shift+V",
                           "mnu_Commands: Stop Comparing\t", "mnu_Commands: Notes\tCtrl+Shift+N",
                           "mnu_Commands: Attributes\tCtrl+Shift+A", "mnu_Commands: Targets\tCtrl+Shift+G",
                           "mnu_Commands: Fill to Targets\tCtrl+Shift+F", "mnu_Commands: Library\tCtrl+L",
                           "mnu_Commands: Summary\tCtrl+I", "mnu_Commands: Copy for Forum\tCtrl+Shift+C",
                           "mnu_Commands: Save Picture...\t", "mnu_Commands: Copy Picture\t",
                           "mnu_Commands: Export PDF...\t", "mnu_Commands: Print...\tCtrl+P"}));
    EXPECT_EQ(toolkit.clipboard, "SW1ACn1RhbA8Gub");
    EXPECT_EQ(notice(), "Build code copied: 15 characters");
    EXPECT_TRUE(toolkit.messages.empty());
    // A code carries no notes, and says so.
    document->setNote("Javelins");
    ctrl(tree(), Qt::Key_C);
    EXPECT_EQ(toolkit.clipboard, "SW1ACn1RhbA8Gub");
    EXPECT_EQ(notice(), "Build code copied: 15 characters (the notes and milestones stay behind)");
    // An attribute plan it carries, in a code of version 2.
    document->setAttributes({{}, model::Attribute::Energy});
    ctrl(tree(), Qt::Key_C);
    EXPECT_TRUE(toolkit.clipboard.value_or("").starts_with("SW2")) << toolkit.clipboard.value_or("");
    ctrl(tree(), Qt::Key_V);
    EXPECT_EQ(document->attributes().rest, model::Attribute::Energy);
    // Ctrl+P asks the print dialog for the sheet of the plan on screen.
    ctrl(tree(), Qt::Key_P);
    EXPECT_EQ(toolkit.printDialogs, std::vector<std::string>{"Tal, Amazon, level 3"});
}

TEST_F(SharingTest, ctrlVOnEitherScreenOpensTheCodeAsAReportOpens) {
    toolkit.clipboard = std::string(" ") + kAmazon + "\r\n";
    ctrl(&start(), Qt::Key_V);
    ASSERT_NE(tree(), nullptr);
    EXPECT_EQ(tree()->objectName(), "frm_AmazonSkill");
    EXPECT_FALSE(start().isVisible());
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
    toolkit.inputs.push_back(""); // Cancel
    click(tree(), "lbl_Save");
    EXPECT_EQ(toolkit.inputPrompts.back().defaultText, "Tal Rasha");
}

// What is no code is told, and nothing on screen changes; a code whose point
// the rules refuse opens up to it, naming the point and why.
TEST_F(SharingTest, whatDoesNotOpenIsToldWithTheScreenAsItWasOrUpToTheRefusedPoint) {
    const struct {
        const char* what;
        std::optional<std::string> clipboard;
        std::string message;
    } cases[] = {
        {"a picture", std::nullopt, kNotACode},
        {"a code of a later format", "SW3gAAIAShX1RhbCBSYXNoYQxYjk",
         "This build code was made by a newer version of Skillwright; this version cannot open it."},
        {"a character lost in a link", "skillwright://plan/SW1ACnARep8FJN", kDamaged},
    };
    choose("lbl_Necromancer");
    click(tree(), "img_NecroBonePoison(0)"); // unsaved: still no question for what cannot open
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

    toolkit.messages.clear();
    toolkit.clipboard = "SW1gBPwwyR5"; // a Sorceress whose second point goes to Hydra at level 3
    toolkit.answers = {toolkit::Answer::Yes};
    ctrl(tree(), Qt::Key_V);
    ASSERT_EQ(toolkit.messages.size(), 2u);
    EXPECT_EQ(toolkit.messages[1].text,
              "Point 2: Clvl 3 Slvl 1: Hydra\r\n"
              "Not available yet, you must be character level 30 first (or just getting level 30).");
    EXPECT_EQ(tree()->objectName(), "frm_Sorceress");
    EXPECT_EQ(historyShown(), QStringList{"Clvl 2 Slvl 1: Fire Bolt"});
}

TEST_F(SharingTest, textsAndLinksDroppedOnEitherScreenOpenAndOtherTextIsTold) {
    drop(&start(), QStringLiteral("text/plain"), kAmazon);
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

TEST(SharingFromTheCommandLine, aReportACodeOrALinkOpensInPlaceOfTheStartScreenAndAnythingElseIsToldByName) {
    const QTemporaryDir folder;
    const std::string report = folder.path().toStdString() + "/Tal\xC3\xA9.txt";
    std::ofstream(report, std::ios::binary) << kSorceressReport;
    const struct {
        std::string argument;
        const char* screen; ///< the tree screen opened, or nullptr
        std::string message;
    } cases[] = {
        {"", nullptr, ""},
        {report, "frm_Sorceress", ""},
        // The README's example, a level-75 Sorceress.
        {"SW1iivFAArFmLqKMGnKKKdgyeooop7Xtpc0o000013TjTTTXNONNNe17jjTTTjneOOOOOOOOOOOOOO-"
         "77rrrrrrrrrrrrrrrrv0Zyb3N0IFdpdGNoBJKM",
         "frm_Sorceress", ""},
        {std::string("skillwright://plan/") + kAmazon, "frm_AmazonSkill", ""},
        {"SW1ACnARep8FJNi", nullptr, kDamaged},
        {"--<b>nonsense</b>", nullptr,
         "Skillwright cannot open \"--<b>nonsense</b>\": it is no saved character, build code or plan's "
         "link."},
        {"Caf\xE9 " + std::string(100, 'x'), nullptr,
         "Skillwright cannot open \"Caf\xC3\xA9 " + std::string(74, 'x') +
             "\xE2\x80\xA6\": it is no saved character, build code or plan's link."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        skillwright::testing::ProgramSession session;
        session.program->start(c.argument);
        QCoreApplication::processEvents();
        ASSERT_EQ(session.tree() != nullptr, c.screen != nullptr);
        if (c.screen != nullptr) {
            EXPECT_EQ(session.tree()->objectName(), c.screen);
        }
        EXPECT_EQ(session.start().isVisible(), c.screen == nullptr);
        ASSERT_EQ(session.toolkit.messages.size(), c.message.empty() ? 0u : 1u);
        if (!c.message.empty()) {
            EXPECT_EQ(session.toolkit.messages[0].text, c.message);
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
        // After "--" the window system's options are operands like any other.
        {{"--", "-platform", "bogus"},
         "offscreen",
         2,
         "",
         "skillwright: one report, build code or link at a time, not 2"},
        {{"--", "-stylesheet", "/dev/zero"},
         "offscreen",
         2,
         "",
         "skillwright: one report, build code or link at a time, not 2"},
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
    EXPECT_EQ(skillwright::testing::textColour(save), skillwright::testing::kParchment);

    // The emblem is round: its square's corner is the panel.
    int popups = 0;
    program->menu().setPopper([&](QMenu&, QPoint) -> QAction* {
        ++popups;
        return nullptr;
    });
    QTest::mouseClick(emblem, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(popups, 0);
    QTest::mouseClick(emblem, Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_EQ(popups, 1);
}

} // namespace

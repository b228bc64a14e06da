// The hand-over between screens: whatever leads away from a plan being
// generated stops its fill; the statistics viewer goes with its character;
// a saved character opens from the command line, Ctrl+O, the open button or
// a drop, asking before unsaved points go.
#include <report/ReportText.h>

#include <QAccessible>
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

#include <CommandLine.h>
#include <GeneratorScript.h>
#include <ProgramSession.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

using namespace skillwright;
using skillwright::testing::closingMessages;
using skillwright::testing::firstSkillsInTurn;
using skillwright::testing::ProgramSession;

namespace {

class ProgramTest : public ::testing::Test, public ProgramSession {
protected:
    ProgramTest() { program->start(); }

    [[nodiscard]] static int shownTopLevels(const std::function<bool(QWidget*)>& which) {
        int shown = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            shown += w->isVisible() && which(w) ? 1 : 0;
        }
        return shown;
    }
};

// What a screen reader finds on the start screen and on a tree screen: no
// button or picture without a name, the classes as buttons with their
// names, and none of the pictures that only decorate.
TEST_F(ProgramTest, aScreenReaderFindsEveryButtonAndPictureNamedAndNoDecoration) {
    const struct {
        std::function<QWidget*()> open;
        QStringList buttons;     ///< objectName=accessible name
        QStringList decorations; ///< never reached
    } cases[] = {
        {[&] { return &start(); },
         {"lbl_Amazon=Amazon", "lbl_Random=Random", "lbl_Close=Close Skillwright",
          "Command1=Random character generator", "img_Quennick=Quennick, the first planner: contact"},
         {"Image1", "img_Barbarian(0)", "sh_FocusRing"}},
        {[&] { return choose("lbl_Barbarian"); },
         {"lbl_Save=SAVE"},
         {"TreeArea", "img_BottomBack", "img_Connector(0)", "sh_Outline", "frm_LookingBack"}},
    };
    for (const auto& c : cases) {
        QWidget* window = c.open();
        QStringList unnamed;
        QStringList reached;
        const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
            for (int i = 0; i < node->childCount(); ++i) {
                QAccessibleInterface* child = node->child(i);
                // A list's rows and a scroll bar's parts are no objects of their own.
                const QString name = child->object() != nullptr ? child->object()->objectName() : QString();
                reached << name;
                const bool control =
                    child->role() == QAccessible::Button || child->role() == QAccessible::Graphic;
                if (control && child->text(QAccessible::Name).trimmed().isEmpty()) {
                    unnamed << QStringLiteral("%1 %2").arg(name, child->text(QAccessible::Description));
                }
                walk(child);
            }
        };
        walk(QAccessible::queryAccessibleInterface(window));
        EXPECT_EQ(unnamed, QStringList()) << window->objectName().toStdString();
        for (const QString& button : c.buttons) {
            auto* reader =
                QAccessible::queryAccessibleInterface(window->findChild<QWidget*>(button.section('=', 0, 0)));
            EXPECT_EQ(reader->role(), QAccessible::Button) << button.toStdString();
            EXPECT_EQ(reader->text(QAccessible::Name), button.section('=', 1)) << button.toStdString();
        }
        for (const QString& decoration : c.decorations) {
            EXPECT_TRUE(reached.contains(c.buttons[0].section('=', 0, 0)) && !reached.contains(decoration))
                << decoration.toStdString();
        }
    }
}

// Ten levels into a fill of a Paladin (by "Random": the tree screen acts) or
// of a Sorceress (by the dice: the start screen stays in view and acts).
TEST_F(ProgramTest, everyControlThatLeadsAwayFromAFillStopsItFirst) {
    struct Case {
        const char* what;
        bool byDice;
        std::function<void(ProgramTest&)> act;
        const char* screenAfter; ///< the tree screen then shown, if any
        int entriesAfter;        ///< its history
        bool generatorOpen;
        bool startScreenShown;
        bool programEnded;
    };
    const auto onTree = [](const char* name) { return [name](ProgramTest& t) { click(t.tree(), name); }; };
    const auto onStart = [](const char* name, Qt::MouseButton button = Qt::LeftButton) {
        return [name, button](ProgramTest& t) {
            QWidget* control = t.start().findChild<QWidget*>(name);
            // A class's picture answers the press.
            QString(name).startsWith("img_") ? QTest::mousePress(control, button)
                                             : QTest::mouseClick(control, button);
        };
    };
    const auto escapeIn = [](const char* name) {
        return [name](ProgramTest& t) {
            QWidget* target = t.start().findChild<QWidget*>(name);
            QTest::keyClick(target != nullptr ? target : t.tree()->findChild<QWidget*>(name), Qt::Key_Escape);
        };
    };
    const Case cases[] = {
        {"RESET", false, onTree("lbl_Reset"), "frm_Paladin", 0, false, false, false},
        {"CHANGE CLASS", false, onTree("lbl_ChangeClass"), nullptr, 0, false, true, false},
        {"Esc in the history", false, escapeIn("lb_SkillsPerLevel"), nullptr, 0, false, true, false},
        {"EXIT", false, onTree("lbl_Close"), "frm_Paladin", 10, false, false, true},
        {"the tree screen closed", false, [](ProgramTest& t) { t.tree()->close(); }, nullptr, 0, false, false,
         false},
        {"lbl_Amazon", true, onStart("lbl_Amazon"), "frm_AmazonSkill", 0, false, false, false},
        {"img_Barbarian(0), right", true, onStart("img_Barbarian(0)", Qt::RightButton), "frm_BarbarianSkill",
         0, false, false, false},
        {"lbl_Random", true, onStart("lbl_Random"), "frm_Sorceress", 10, true, false, false},
        {"the dice", true, onStart("Command1"), "frm_Sorceress", 10, true, true, false},
        {"lbl_Close", true, onStart("lbl_Close"), "frm_Sorceress", 10, false, true, true},
        {"Esc in txt_Focus", true, escapeIn("txt_Focus"), "frm_Sorceress", 10, false, true, true},
        {"the start screen closed", true, [](ProgramTest& t) { t.start().close(); }, "frm_Sorceress", 10,
         false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        restart();
        toolkit.messages.clear();
        toolkit.programEnds = 0;
        firstSkillsInTurn(toolkit);
        int runs = 0;
        toolkit.onProcessEvents = [&] {
            if (++runs == 30) {
                c.act(*this);
            }
        };
        generate(c.byDice, c.byDice ? "opt_Sorceress" : "Opt_Paladin", "60");
        toolkit.onProcessEvents = nullptr;
        letDeletionsRun();
        EXPECT_EQ(runs, 30) << "the fill went on";
        EXPECT_EQ(closingMessages(toolkit), 0);
        EXPECT_EQ(shownTopLevels([](QWidget* w) { return qobject_cast<screens::SkillTreeScreen*>(w); }),
                  c.screenAfter != nullptr ? 1 : 0);
        if (c.screenAfter != nullptr) {
            ASSERT_NE(tree(), nullptr);
            EXPECT_EQ(tree()->objectName(), c.screenAfter);
            EXPECT_EQ(historyShown().size(), c.entriesAfter);
            EXPECT_EQ(build().levelsGained(), c.entriesAfter);
        }
        EXPECT_EQ(shownTopLevels([](QWidget* w) { return w->objectName() == "frm_RandomGenerator"; }),
                  c.generatorOpen ? 1 : 0);
        EXPECT_EQ(start().isVisible(), c.startScreenShown);
        EXPECT_EQ(toolkit.programEnds, c.programEnded ? 1 : 0);
        if (c.generatorOpen) {
            continue;
        }
        // The next fill runs whole.
        if (tree() != nullptr && tree()->isVisible()) {
            click(tree(), "lbl_ChangeClass");
            letDeletionsRun();
        }
        firstSkillsInTurn(toolkit);
        generate(false, "opt_Necromancer", "5");
        ASSERT_NE(tree(), nullptr);
        EXPECT_EQ(label("lbl_CharLevel"), "Level 5");
        EXPECT_EQ(closingMessages(toolkit), 1);
    }
}

TEST(ProgramStart, exitOnATreeScreenOpenedWhileTheAnimationsLoad_endsTheProgram) {
    toolkit::ScriptedToolkit toolkit;
    toolkit.folder = SKILLWRIGHT_ANIMATION_FOLDER;
    document::PlanDocument document;
    app::Program program(document, toolkit);
    int runs = 0;
    toolkit.onProcessEvents = [&] {
        if (++runs == 3) { // between two frames of the first file
            ProgramSession::click(&program.startScreen(), "lbl_Barbarian");
            ProgramSession::click(program.treeScreen(), "lbl_Close");
        }
    };
    program.start();
    EXPECT_GT(runs, 3);
    EXPECT_EQ(toolkit.programEnds, 1);
}

TEST_F(ProgramTest, theStatisticsViewerIsOneAtATimeAndGoesWithItsCharacter) {
    EXPECT_EQ(program->menuTexts().caption(model::Quest::BookOfSkill), "&Book of Skill (Normal)")
        << "as the start screen's load leaves it";
    program->menu().setPopper(
        [&](QMenu&, QPoint) -> QAction* { return program->menu().findChild<QAction*>("mnu_SkillInfo"); });
    const auto viewers = [] {
        return shownTopLevels([](QWidget* w) { return w->objectName() == "frm_SkillStats"; });
    };
    for (const char* next : {"lbl_Amazon", "lbl_Necromancer"}) {
        choose("lbl_Sorceress");
        click(tree(), "img_SorceressFire(0)");
        click(tree(), "img_SorceressFire(0)", Qt::RightButton);
        const auto markedRow = [this](int row) {
            return program->statsViewer()
                ->findChild<QLabel*>(QStringLiteral("lbl_StatA(%1)").arg(row))
                ->palette()
                .color(QPalette::WindowText);
        };
        EXPECT_EQ(markedRow(0), QColor(255, 128, 0)) << "the row of the one point Fire Bolt held";
        click(tree(), "img_SorceressFire(0)");
        EXPECT_EQ(markedRow(0), QColor(255, 128, 0)) << "a point spent later moves no mark";
        click(tree(), "img_SorceressFire(1)", Qt::RightButton);
        EXPECT_EQ(viewers(), 1) << "the second opening replaced the first";
        click(tree(), "lbl_ChangeClass");
        choose(next);
        EXPECT_EQ(program->statsViewer(), nullptr) << next;
        EXPECT_EQ(viewers(), 0) << next;
        // The notes and targets windows, too, go with the screen they stand beside.
        program->runCommand(screens::ProgramCommand::Notes);
        program->runCommand(screens::ProgramCommand::Targets);
        ASSERT_NE(program->notesWindow(), nullptr);
        EXPECT_TRUE(program->notesWindow()->isVisible());
        ASSERT_NE(program->targetsWindow(), nullptr);
        EXPECT_TRUE(program->targetsWindow()->isVisible());
        click(tree(), "lbl_ChangeClass");
        letDeletionsRun();
        EXPECT_EQ(program->notesWindow(), nullptr);
        EXPECT_EQ(program->targetsWindow(), nullptr);
    }
}

// "Set Target..." in a skill's menu asks for the target of the skill right-clicked.
TEST_F(ProgramTest, setTargetInTheSkillMenuMarksTheRightClickedSkill) {
    program->menu().setPopper(
        [&](QMenu&, QPoint) -> QAction* { return program->menu().findChild<QAction*>("mnu_SetTarget"); });
    choose("lbl_Sorceress");
    toolkit.inputs.push_back("20");
    click(tree(), "img_SorceressCold(8)", Qt::RightButton);
    const auto* mark = tree()->findChild<QLabel*>("lbl_TargetSorceressCold(8)");
    ASSERT_NE(mark, nullptr);
    EXPECT_TRUE(mark->isVisible());
    EXPECT_EQ(mark->text(), "20") << "Frozen Orb's neighbour stands close: the figure alone";
}

// The library lists the reports opened from other folders, newest first,
// marking one whose file has gone; those of its own folder are its rows.
TEST_F(ProgramTest, theLibraryRemembersReportsOpenedFromOtherFolders) {
    QTemporaryDir elsewhere;
    const std::string away = elsewhere.filePath(QStringLiteral("Away.txt")).toStdString();
    const std::string home = (std::filesystem::path(toolkit.folder) / "Home.txt").string();
    for (const std::string& path : {away, home}) {
        std::ofstream(path, std::ios::binary) << report::reportText({model::ClassId::Paladin, {}, "Zeal"});
        ASSERT_TRUE(program->openCharacter(path));
    }
    program->runCommand(screens::ProgramCommand::Library);
    ASSERT_NE(program->libraryWindow(), nullptr);
    auto* recent = program->libraryWindow()->findChild<QListWidget*>("lst_OpenedRecently");
    ASSERT_EQ(recent->count(), 1);
    EXPECT_EQ(recent->item(0)->text().toStdString(), "Away  (" + elsewhere.path().toStdString() + ")");
    std::filesystem::remove(away);
    program->libraryWindow()->close();
    letDeletionsRun();
    program->runCommand(screens::ProgramCommand::Library);
    recent = program->libraryWindow()->findChild<QListWidget*>("lst_OpenedRecently");
    EXPECT_TRUE(recent->item(0)->text().endsWith("  gone"));
    EXPECT_FALSE(recent->item(0)->flags().testFlag(Qt::ItemIsEnabled));
}

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
const char* const kBarbarian = "Bash\r\nClass: Barbarian\r\nLevel: 2\r\n"
                               "---------------------------------------------\r\n\r\n"
                               "Clvl 1 Slvl 0: Starting Level\r\nClvl 2 Slvl 1: Bash\r\n\r\n"
                               "---------------------------------------------\r\n";
const char* const kReplace = "Replace the character on screen? Its points since the last save will be lost.";

class OpenCharacterTest : public ::testing::Test, public ProgramSession {
protected:
    void save() { click(tree(), "lbl_Save"); }
};

// The open button sits beside the dice; Cancel there opens nothing. Ctrl+O
// opens, and SAVE then offers the character's name and writes the same bytes.
TEST_F(OpenCharacterTest, theOpenButtonCtrlOAndADropOpenAndAskBeforeUnsavedPointsGo) {
    const std::filesystem::path file = write("Tal\xC3\xA9.txt", kSorceress);
    program->start();
    auto* button = start().findChild<QPushButton*>("cmd_OpenCharacter");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->geometry(), QRect(694, 542, 40, 40));
    EXPECT_EQ(start().findChild<QPushButton*>("Command1")->geometry(), QRect(742, 542, 40, 40));
    EXPECT_EQ(button->toolTip(), "Open a saved character (Ctrl+O)");
    EXPECT_FALSE(button->icon().isNull());
    toolkit.openFiles = {"", file.string()};
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(tree(), nullptr) << "Cancel opens nothing";
    start().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&start()));
    QTest::keyClick(&start(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(toolkit.openDialogs.size(), 2u);
    EXPECT_EQ(toolkit.openDialogs[1].prompt, "Open Character");
    EXPECT_EQ(toolkit.openDialogs[1].title, toolkit.folder);
    EXPECT_EQ(toolkit.openDialogs[1].defaultText, "Character reports (*.txt)");
    ASSERT_NE(tree(), nullptr);
    EXPECT_EQ(tree()->objectName(), "frm_Sorceress");
    EXPECT_EQ(historyShown().size(), 4);
    save(); // and Enter
    ASSERT_EQ(toolkit.inputPrompts.size(), 1u);
    EXPECT_EQ(toolkit.inputPrompts[0].defaultText, "Tal\xC3\xA9");
    EXPECT_EQ(read(file), kSorceress);

    // A point since opening: a drop asks first; No keeps everything.
    click(tree(), "img_SorceressFire(1)");
    write("Bash.txt", kBarbarian);
    toolkit.answers = {toolkit::Answer::No};
    drop(tree(), QStringLiteral("text/uri-list"), "file://" + folder.path().toUtf8() + "/Bash.txt");
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text, kReplace);
    EXPECT_EQ(toolkit.messages[0].buttons, toolkit::Buttons::YesNoDefaultNo);
    EXPECT_EQ(tree()->objectName(), "frm_Sorceress");
    EXPECT_EQ(historyShown().size(), 5);

    toolkit.answers = {toolkit::Answer::Yes};
    drop(tree(), QStringLiteral("text/uri-list"), "file://" + folder.path().toUtf8() + "/Bash.txt");
    ASSERT_NE(tree(), nullptr);
    EXPECT_EQ(tree()->objectName(), "frm_BarbarianSkill");
    EXPECT_EQ(historyShown(), QStringList{"Clvl 2 Slvl 1: Bash"});

    // What is no report is told, and the screen stays as it was.
    toolkit.messages.clear();
    EXPECT_FALSE(program->openCharacter(write("notes.txt", "shopping list\r\n").string()));
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text, "This file is not a character report: it has no \"Class: \" line.");
    EXPECT_EQ(toolkit.messages[0].buttons, toolkit::Buttons::Ok);
    EXPECT_EQ(historyShown(), QStringList{"Clvl 2 Slvl 1: Bash"});

    // Nothing new since opening: no question. A file name in any encoding
    // (a Latin-1 "Café.txt") opens.
    toolkit.messages.clear();
    write("Caf\xE9.txt", kSorceress);
    drop(tree(), QStringLiteral("text/uri-list"), "file://" + folder.path().toUtf8() + "/Caf%E9.txt\r\n");
    EXPECT_TRUE(toolkit.messages.empty());
    EXPECT_EQ(tree()->objectName(), "frm_Sorceress");
    EXPECT_EQ(historyShown().size(), 4);
}

TEST(ProgramArguments, theCommandLineGivesWhatToOpenWithItsBytesOrAnAnswerForTheTerminal) {
    struct Case {
        std::vector<const char*> argv;
        std::string argument;
        std::string answer; ///< the start of the terminal's answer, for status 2; empty for none
    };
    const std::vector<Case> cases{
        {{"skillwright"}, "", ""},
        {{"skillwright", "/tmp/Caf\xE9.txt"}, "/tmp/Caf\xE9.txt", ""},
        {{"skillwright", "--", "-Hero.txt"}, "-Hero.txt", ""},
        {{"skillwright", "-"}, "-", ""},
        {{"skillwright", "a.txt", "b.txt"},
         "",
         "skillwright: one report, build code or link at a time, not 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argv.back());
        const app::CommandLine line = app::readCommandLine(static_cast<int>(c.argv.size()), c.argv.data());
        EXPECT_EQ(line.argument, c.argument);
        const app::TerminalAnswer answer = line.answer.value_or(app::TerminalAnswer{"", false, 0});
        EXPECT_EQ(answer.text.substr(0, c.answer.size()), c.answer);
        EXPECT_EQ(answer.toError, !c.answer.empty());
        EXPECT_EQ(answer.status, c.answer.empty() ? 0 : 2);
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
    // The last entry, which raises no level: the level line still agrees.
    marked.replace(marked.find("Reserved Slvl 1: Warmth"), 23, "<img src=\"/dev/null\">");
    program->start(write("marked.txt", marked).string());
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text, "Line 10: <img src=\"/dev/null\">\r\nThis is not a history entry.");
    EXPECT_TRUE(document->isModified()) << "less than its file holds";
    ASSERT_NE(tree(), nullptr);
    save();
    ASSERT_EQ(toolkit.inputPrompts.size(), 1u);
    EXPECT_EQ(toolkit.inputPrompts[0].defaultText, "<h1>Big<_h1> (part)");
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* shown = qobject_cast<QLabel*>(widget); shown != nullptr && shown->text().contains('<')) {
            EXPECT_EQ(shown->textFormat(), Qt::PlainText) << shown->objectName().toStdString();
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
    const std::filesystem::path file = write("Tal\xC3\xA9.txt", bad);
    program->start(file.string());
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text,
              "Line 8: Clvl 3 Slvl 1: Blizzard\r\nNot available yet, you must be character "
              "level 24 first (or just getting level 24).");
    ASSERT_NE(tree(), nullptr);
    EXPECT_EQ(historyShown(), QStringList{"Clvl 2 Slvl 1: Fire Bolt"});
    EXPECT_TRUE(document->isModified());

    toolkit.messages.clear();
    toolkit.answers = {toolkit::Answer::No};
    EXPECT_FALSE(program->openCharacter(write("Bash.txt", kBarbarian).string()));
    ASSERT_EQ(toolkit.messages.size(), 1u) << "the unsaved-points question";
    EXPECT_EQ(toolkit.messages[0].text, kReplace);

    save(); // and Enter
    ASSERT_EQ(toolkit.inputPrompts.size(), 1u);
    EXPECT_EQ(toolkit.inputPrompts[0].defaultText, "Tal\xC3\xA9 (part)");
    EXPECT_EQ(read(file), bad) << "the file it came from is as it was";
    const std::string part = read(std::filesystem::path(toolkit.folder) / "Tal\xC3\xA9 (part).txt");
    EXPECT_EQ(part.substr(0, 25), "Tal\xC3\xA9\r\nClass: Sorceress\r\n");
    EXPECT_FALSE(document->isModified());
    save();
    EXPECT_EQ(toolkit.inputPrompts[1].defaultText, "Tal\xC3\xA9 (part)") << "saved as that, offered again";
}

} // namespace

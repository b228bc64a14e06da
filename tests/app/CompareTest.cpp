// Comparing through the real program: the emblem's menu and the keys load a
// reference from a report or a build code, a bad one is told as opening
// tells it and changes nothing, and what ends a comparison; SAVE and the
// journal keep to the plan on screen.
#include "BuildText.h"
#include "ProgramSession.h"

#include <model/Build.h>
#include <model/BuildCode.h>
#include <report/ReportText.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <Program.h>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

using namespace skillwright;
using model::ClassId;
using model::TreeId;

namespace {

/// A plan of `classId` clicked into the skills given, each at index `i` of the tree at place `t`.
model::Plan clicked(ClassId classId, std::initializer_list<std::pair<int, std::int16_t>> skills,
                    std::string name) {
    model::Build build;
    build.startCharacter(classId);
    for (const auto& [t, i] : skills) {
        build.click(model::classInfo(classId).trees[static_cast<std::size_t>(t)], i);
    }
    build.setCharacterName(std::move(name));
    return build.plan();
}

// The guide: Fire Bolt at level 2, Ice Bolt at 3 and 4. On screen: Fire Bolt at 2 and 3.
const model::Plan kGuide = clicked(ClassId::Sorceress, {{0, 0}, {2, 0}, {2, 0}}, "Guide");
const QString kGuideSummary =
    "Compared with \"Guide\": 3 points differ, the plans part at Clvl 3, a respec moves 1 point.";

class CompareProgramTest : public ::testing::Test, public skillwright::testing::ProgramSession {
protected:
    CompareProgramTest() {
        toolkit.journalFolder = (std::filesystem::path(toolkit.folder) / "journal").string();
        restart();
        choose("lbl_Sorceress");
        click(tree(), "img_SorceressFire(0)");
        click(tree(), "img_SorceressFire(0)");
        guide = write("Guide.txt", report::reportText(kGuide)).string();
    }

    [[nodiscard]] std::optional<QString> summary() {
        const auto* line = tree()->findChild<QLabel*>("lbl_Comparison");
        return line != nullptr && line->isVisible() ? std::optional(line->text()) : std::nullopt;
    }
    /// Keys where the tree screen's keyboard rests.
    void keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier | Qt::ShiftModifier) {
        tree()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(tree()));
        QWidget* focus = tree()->findChild<QWidget*>("lb_SkillsPerLevel");
        focus->setFocus();
        QTest::keyClick(focus, key, modifiers);
        QCoreApplication::processEvents();
    }
    /// Picks `entry` from the emblem's menu; the menu's entries as "caption\tkeys", "(off)" after a disabled
    /// one.
    QStringList pickFromEmblemMenu(const char* entry) {
        QStringList shown;
        program->menu().setPopper([&](QMenu& menu, QPoint) {
            for (const QAction* a : menu.actions()) {
                shown << a->text() + '\t' + a->shortcut().toString() + (a->isEnabled() ? "" : " (off)");
            }
            return menu.findChild<QAction*>(entry);
        });
        click(tree(), "img_CommandEmblem");
        QCoreApplication::processEvents();
        return shown;
    }
    /// What the screen and the build show, for the tests of what must not change.
    [[nodiscard]] std::string onScreen() {
        return skillwright::testing::describe(build()) + tree()->objectName().toStdString() + '|' +
               summary().value_or("no comparison").toStdString();
    }
    /// Every file of the journal, by name, with its bytes.
    [[nodiscard]] std::map<QString, QByteArray> journal() const {
        std::map<QString, QByteArray> files;
        for (QDirIterator it(QString::fromStdString(toolkit.journalFolder), QDir::Files,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            QFile file(it.next());
            file.open(QIODevice::ReadOnly);
            files[file.fileName()] = file.readAll();
        }
        return files;
    }

    std::string guide;
};

TEST_F(CompareProgramTest, theEmblemsMenuAndTheKeysStartAndEndAComparison) {
    toolkit.openFiles = {guide};
    EXPECT_EQ(pickFromEmblemMenu("mnu_CompareWith"),
              (QStringList{"Copy Build Code\tCtrl+C", "Paste Build Code\tCtrl+V", "Open Character...\tCtrl+O",
                           "\t", "Compare With...\tCtrl+Shift+O", "Compare With Build Code\tCtrl+Shift+V",
                           "Stop Comparing\t (off)", "Notes\tCtrl+Shift+N", "Attributes\tCtrl+Shift+A",
                           "Targets\tCtrl+Shift+G", "Fill to Targets\tCtrl+Shift+F", "Library\tCtrl+L",
                           "Summary\tCtrl+I", "Copy for Forum\tCtrl+Shift+C", "Save Picture...\t",
                           "Copy Picture\t", "Export PDF...\t", "Print...\tCtrl+P"}));
    ASSERT_EQ(toolkit.openDialogs.size(), 1u);
    EXPECT_EQ(toolkit.openDialogs[0].prompt, "Compare With");
    EXPECT_EQ(toolkit.openDialogs[0].title, toolkit.folder) << "it starts in the report folder";
    EXPECT_EQ(toolkit.openDialogs[0].defaultText, "Character reports (*.txt)");
    EXPECT_EQ(summary(), kGuideSummary);
    EXPECT_EQ(tree()->findChild<QLabel*>("lbl_DiffSorceressCold(0)")->text(), "-2");

    const QStringList whileComparing = pickFromEmblemMenu("mnu_StopComparing");
    EXPECT_EQ(whileComparing[4], "Compare With...\tCtrl+Shift+O (off)");
    EXPECT_EQ(whileComparing[6], "Stop Comparing\t");
    EXPECT_EQ(summary(), std::nullopt);

    // Ctrl+Shift+O asks for a report, and again ends the comparison without asking.
    toolkit.openFiles = {guide};
    keys(Qt::Key_O);
    EXPECT_EQ(summary(), kGuideSummary);
    keys(Qt::Key_O);
    EXPECT_EQ(summary(), std::nullopt);
    EXPECT_EQ(toolkit.openDialogs.size(), 2u);

    // Ctrl+Shift+V takes the code on the clipboard, name and all.
    toolkit.clipboard = model::encodeBuildCode(kGuide);
    keys(Qt::Key_V);
    EXPECT_EQ(summary(), kGuideSummary);
    EXPECT_TRUE(toolkit.messages.empty());

    keys(Qt::Key_F1, Qt::NoModifier);
    QStringList sheet;
    for (const QLabel* l : tree()->findChild<QWidget*>("frm_Keys")->findChildren<QLabel*>()) {
        sheet << l->text();
    }
    EXPECT_TRUE(sheet.contains("Ctrl+Shift+O"));
    EXPECT_TRUE(sheet.contains("Compare with a saved character; again: stop"));
    EXPECT_TRUE(sheet.contains("Ctrl+Shift+V"));
    EXPECT_TRUE(sheet.contains("Compare with the build code copied"));
}

TEST_F(CompareProgramTest, aBadReferenceIsToldAsOpeningTellsItAndChangesNothing) {
    ASSERT_TRUE(program->compareWithCharacter(guide));
    const std::string before = onScreen();
    const std::map<QString, QByteArray> journalBefore = journal();
    EXPECT_EQ(historyShown(), (QStringList{"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Slvl 2: Fire Bolt"}));

    const struct {
        std::function<bool()> compare;
        std::string message;
    } bad[]{
        {[&] { return program->compareWithCharacter(write("notes.txt", "shopping list\r\n").string()); },
         "This file is not a character report: it has no \"Class: \" line."},
        {[&] { return program->compareWithCode("hello"); }, "This is not a build code."},
        {[&] {
             return program->compareWithCharacter(
                 write("Necro.txt", report::reportText(clicked(ClassId::Necromancer, {{0, 0}}, "Necro")))
                     .string());
         },
         "Only a Sorceress can be compared with the Sorceress on screen: \"Necro\" is a Necromancer."},
        {[&] {
             return program->compareWithCode(model::encodeBuildCode(clicked(ClassId::Amazon, {{0, 0}}, "")));
         },
         "Only a Sorceress can be compared with the Sorceress on screen: \"Build code\" is an Amazon."},
        // A name cannot reverse, break or crowd out the words around it.
        {[&] {
             const std::string name = "\xE2\x80\xAE"
                                      "Evil\xE2\x80\xA8" +
                                      std::string(60, 'x');
             return program->compareWithCharacter(
                 write("Evil.txt", report::reportText(clicked(ClassId::Necromancer, {{0, 0}}, name)))
                     .string());
         },
         "Only a Sorceress can be compared with the Sorceress on screen: \"Evil " + std::string(31, 'x') +
             "\xE2\x80\xA6\" is a Necromancer."},
    };
    for (const auto& b : bad) {
        toolkit.messages.clear();
        EXPECT_FALSE(b.compare());
        ASSERT_EQ(toolkit.messages.size(), 1u);
        EXPECT_EQ(toolkit.messages[0].text, b.message);
        EXPECT_EQ(toolkit.messages[0].icon, toolkit::Icon::Critical);
        EXPECT_EQ(onScreen(), before) << b.message;
    }
    // Ctrl+Shift+V with no text on the clipboard.
    toolkit.messages.clear();
    toolkit.clipboard.reset();
    keys(Qt::Key_V);
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text, "This is not a build code.");
    EXPECT_EQ(onScreen(), before);

    // A report with a bad line is compared up to it, and the line is told.
    toolkit.messages.clear();
    std::string text = report::reportText(kGuide);
    text.replace(text.find("Clvl 4 Slvl 2: Ice Bolt"), 23, "Clvl 4 Slvl 1: Blizzard");
    EXPECT_TRUE(program->compareWithCharacter(write("bad.txt", text).string()));
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text, "Line 9: Clvl 4 Slvl 1: Blizzard\r\nNot available yet, you must be "
                                        "character level 24 first (or just getting level 24).");
    EXPECT_EQ(summary(),
              "Compared with \"Guide\": 2 points differ, the plans part at Clvl 3, a respec moves 1 point.");
    EXPECT_EQ(journal(), journalBefore) << "the journal keeps the plan on screen alone";
}

TEST_F(CompareProgramTest, saveWritesThePlanOnScreenAndResetChangeClassAndOpeningEndTheComparison) {
    ASSERT_TRUE(program->compareWithCharacter(guide));
    toolkit.inputs = {"Tal"};
    click(tree(), "lbl_Save");
    const std::string report = read(std::filesystem::path(toolkit.folder) / "Tal.txt");
    EXPECT_NE(report.find("Clvl 3 Slvl 2: Fire Bolt\r\n"), std::string::npos);
    EXPECT_EQ(report.find("Ice Bolt"), std::string::npos) << "nothing of the reference";
    EXPECT_EQ(summary(), kGuideSummary) << "SAVE leaves the comparison";

    click(tree(), "lbl_Reset");
    EXPECT_EQ(summary(), std::nullopt);

    ASSERT_TRUE(program->compareWithCharacter(guide));
    click(tree(), "lbl_ChangeClass");
    letDeletionsRun();
    choose("lbl_Sorceress");
    EXPECT_EQ(summary(), std::nullopt);

    ASSERT_TRUE(program->compareWithCharacter(guide));
    ASSERT_TRUE(program->openCode(model::encodeBuildCode(kGuide)));
    EXPECT_EQ(summary(), std::nullopt) << "another character opened";
    EXPECT_TRUE(toolkit.messages.empty());
}

} // namespace

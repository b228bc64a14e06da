// The summary window and "Copy for Forum" as a player reaches them: Ctrl+I,
// the plan followed and looked back at, the form chosen and remembered.
#include <screens/summary/SummaryWindow.h>
#include <toolkit/ScriptedToolkit.h>

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <ProgramSession.h>

using namespace skillwright;

namespace {

class SummaryProgramTest : public ::testing::Test, public skillwright::testing::ProgramSession {
protected:
    SummaryProgramTest() {
        restart();
        choose("lbl_Sorceress");
        for (int i = 0; i < 3; ++i) {
            click(tree(), "img_SorceressFire(0)");
        }
        click(tree(), "img_SorceressFire(1)");
    }
    /// Keys where the tree screen's keyboard rests, in its history list.
    void keys(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        tree()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(tree()));
        QWidget* history = tree()->findChild<QWidget*>("lb_SkillsPerLevel");
        history->setFocus();
        QTest::keyClick(history, key, modifiers);
        QCoreApplication::processEvents();
    }
    [[nodiscard]] QString shown() const {
        return program->summaryWindow()->findChild<QPlainTextEdit*>("txt_Summary")->toPlainText();
    }
};

TEST_F(SummaryProgramTest, ctrlIShowsTheSummaryThatFollowsThePlanAndTheLookBack) {
    keys(Qt::Key_I, Qt::ControlModifier);
    ASSERT_NE(program->summaryWindow(), nullptr);
    EXPECT_TRUE(program->summaryWindow()->isVisible());
    EXPECT_EQ(shown(), "Sorceress, level 5\n"
                       "Points per tree: FIRE BASED 4, LIGHTNING BASED 0, COLD BASED 0\n"
                       "Skills:\n"
                       "  Fire Bolt: 1 at Clvl 2, 3 at Clvl 4\n"
                       "  Warmth: 1 at Clvl 5\n"
                       "Quest points: Den of Evil: 0 taken, 1 open; Book of Skill: 0 taken, 0 open; "
                       "Izual: 0 taken, 0 open\n"
                       "Reserve: 0 unspent\n"
                       "Level order: 2-4 Fire Bolt, 5 Warmth\n");
    click(tree(), "img_SorceressFire(1)");
    EXPECT_TRUE(shown().contains("Level order: 2-4 Fire Bolt, 5-6 Warmth\n")) << shown().toStdString();
    keys(Qt::Key_Up, Qt::NoModifier);
    keys(Qt::Key_Up, Qt::NoModifier);
    ASSERT_TRUE(tree()->lookingBack());
    EXPECT_TRUE(shown().startsWith("Sorceress, level 4\n")) << shown().toStdString();
    EXPECT_TRUE(shown().contains("Level order: 2-4 Fire Bolt\n")) << shown().toStdString();
    keys(Qt::Key_End, Qt::NoModifier);
    EXPECT_TRUE(shown().startsWith("Sorceress, level 6\n")) << shown().toStdString();

    QTest::keyClick(program->summaryWindow(), Qt::Key_Escape);
    letDeletionsRun();
    EXPECT_EQ(program->summaryWindow(), nullptr);
}

TEST_F(SummaryProgramTest, copyForForumWritesTheFormChosenAndRemembersIt) {
    keys(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(toolkit.clipboard.has_value());
    EXPECT_TRUE(toolkit.clipboard->starts_with("[b]Sorceress, level 5[/b]\n")) << *toolkit.clipboard;
    EXPECT_TRUE(
        tree()->findChild<QLabel*>("lbl_UnAvail")->text().startsWith("Copied for a forum as BBCode: "));

    keys(Qt::Key_I, Qt::ControlModifier);
    auto* form = program->summaryWindow()->findChild<QComboBox*>("cmb_ForumFormat");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->currentText(), "BBCode");
    form->setCurrentIndex(1);
    EXPECT_EQ(toolkit.settings["forum/format"], "Markdown");
    click(program->summaryWindow(), "cmd_CopyForForum");
    EXPECT_TRUE(toolkit.clipboard->starts_with("**Sorceress, level 5**\n")) << *toolkit.clipboard;

    // The next run's window, and its Ctrl+Shift+C, keep the choice.
    toolkit.settings["forum/format"] = "Plain Text";
    restart();
    choose("lbl_Sorceress");
    keys(Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(program->summaryWindow()->findChild<QComboBox*>("cmb_ForumFormat")->currentText(),
              "Plain Text");
    keys(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(toolkit.clipboard->starts_with("Sorceress, level 1\n")) << *toolkit.clipboard;
}

} // namespace

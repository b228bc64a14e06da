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
    EXPECT_TRUE(shown().endsWith("Level order: 2-4 Fire Bolt, 5 Warmth\n")) << shown().toStdString();
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

TEST_F(SummaryProgramTest, copyForForumWritesTheFormChosenInTheWindowAndKeepsIt) {
    keys(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(toolkit.clipboard.value_or("").starts_with("[b]Sorceress, level 5[/b]\n"));
    EXPECT_TRUE(
        tree()->findChild<QLabel*>("lbl_UnAvail")->text().startsWith("Copied for a forum as BBCode: "));

    keys(Qt::Key_I, Qt::ControlModifier);
    program->summaryWindow()->findChild<QComboBox*>("cmb_ForumFormat")->setCurrentIndex(1);
    EXPECT_EQ(toolkit.settings["forum/format"], "Markdown");
    keys(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(toolkit.clipboard.value_or("").starts_with("**Sorceress, level 5**\n"));
    toolkit.settings["forum/format"] = "Plain Text"; // as the next run finds it
    program->summaryWindow()->close();
    letDeletionsRun();
    keys(Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(program->summaryWindow()->findChild<QComboBox*>("cmb_ForumFormat")->currentText(),
              "Plain Text");
    click(program->summaryWindow(), "cmd_CopyForForum");
    EXPECT_TRUE(toolkit.clipboard.value_or("").starts_with("Sorceress, level 5\n"));
}

} // namespace

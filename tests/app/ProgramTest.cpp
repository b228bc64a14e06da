// The hand-over between screens: the start screen opens a class, CHANGE
// CLASS and Esc bring it back, and the next class starts from an empty build.
#include <model/Build.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <Program.h>

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

    toolkit::ScriptedToolkit toolkit;
    model::Build build{toolkit};
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

} // namespace

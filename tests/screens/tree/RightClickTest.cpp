// Right clicks on skill icons open the skill menu with the quest entries the
// character has earned; the chosen entry acts on the right-clicked skill.
#include "MenuRecorder.h"

#include <model/Build.h>
#include <screens/menu/MenuHolder.h>
#include <screens/tree/ScreenDesign.h>
#include <screens/tree/SkillTreeScreen.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <document/PlanDocument.h>
#include <memory>
#include <presentation/Presentation.h>

using namespace skillwright;
using namespace skillwright::screens;
using model::ClassId;
using model::TreeId;

namespace {

class RightClick : public ::testing::Test {
protected:
    void open(ClassId classId) {
        document.startNew(classId);
        screen = std::make_unique<SkillTreeScreen>(document, toolkit);
        // As the program wires them: a right click asks for the skill menu.
        QObject::connect(screen.get(), &SkillTreeScreen::skillMenuRequested, &menu,
                         [this](const model::BuildState& shown, model::SkillRef skill, QPoint pos,
                                bool past) { menu.popupSkillMenu(shown, skill, pos, past); });
        screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
        menu.setPopper([this](QMenu& m, QPoint pos) { return popped(m, pos); });
    }

    [[nodiscard]] QAction* entry(const char* name) const { return menu.findChild<QAction*>(name); }

    /// A real right click on the icon; `entryName` is chosen from the menu,
    /// or the menu is dismissed.
    void rightClick(TreeId tree, int index, const char* entryName = nullptr) {
        popped.choose = entryName != nullptr ? QLatin1String(entryName) : QLatin1String();
        const QString name =
            QString::fromUtf8(screens::iconArrayName(tree).data()) + QStringLiteral("(%1)").arg(index);
        QWidget* icon = screen->findChild<QWidget*>(name);
        ASSERT_NE(icon, nullptr);
        QTest::mouseClick(icon, Qt::RightButton);
    }
    void reserveUntilLevel(TreeId tree, int level) {
        while (document.build().characterLevel() < level) {
            rightClick(tree, 0, "mnu_ReservePoint");
        }
    }
    QString labelText(const char* name) const { return screen->findChild<QLabel*>(name)->text(); }

    toolkit::ScriptedToolkit toolkit;
    document::PlanDocument document;
    presentation::SkillMenuTexts texts{document.build()};
    MenuHolder menu{document, texts, toolkit};
    std::unique_ptr<SkillTreeScreen> screen;
    skillwright::testing::MenuRecorder popped;
};

// Which quest entries are due at which level is the quest suite's to check;
// here, that the menu a right click opens acts on the skill clicked.
TEST_F(RightClick, theMenuActsOnTheRightClickedSkillAndTheScreenShowsIt) {
    open(ClassId::Amazon);
    rightClick(TreeId::AmazonJavelinSpear, 2);
    EXPECT_EQ(popped.shown, (QStringList{"mnu_ReservePoint", "mnu_UseReserve", "mnu_Skillstats",
                                         "mnu_SkillInfo", "mnu_SetTarget"}));
    EXPECT_EQ(menu.rightClicked()->skill, (model::SkillRef{TreeId::AmazonJavelinSpear, 2}));

    reserveUntilLevel(TreeId::AmazonPassiveMagic, 3);
    rightClick(TreeId::AmazonJavelinSpear, 0, "mnu_DenOfEvil");
    auto* history = screen->findChild<QListWidget*>("lb_SkillsPerLevel");
    ASSERT_EQ(history->count(), 3);
    EXPECT_EQ(history->item(2)->text(), "Den Of Evil: Normal Slvl 1: Jab");
    EXPECT_EQ(history->currentRow(), 2);
    EXPECT_EQ(labelText("lbl_AmazonJS(0)"), "1");
    EXPECT_EQ(labelText("lbl_CharLevel"), "Level 3");
    EXPECT_EQ(labelText("lbl_Reserved"), "Reserved Points: 2");
    rightClick(TreeId::AmazonJavelinSpear, 0); // dismissed
    EXPECT_EQ(entry("mnu_DenOfEvil")->text(), "&Den Of Evil (Nightmare)");
    EXPECT_EQ(history->count(), 3);
}

TEST_F(RightClick, theRightClickedSkillsPointsGoWithTheContextAndARefusalShowsOnTheScreen) {
    open(ClassId::Necromancer);
    QTest::mouseClick(screen->findChild<QWidget*>("img_NecroBonePoison(0)"), Qt::LeftButton);
    rightClick(TreeId::NecromancerPoisonBone, 0);
    EXPECT_EQ(menu.rightClicked()->points, 1);
    rightClick(TreeId::NecromancerPoisonBone, 1);
    EXPECT_EQ(menu.rightClicked()->points, 0);
    rightClick(TreeId::NecromancerCurses, 0, "mnu_UseReserve");
    EXPECT_EQ(labelText("lbl_UnAvail"), "You have no skill points in reserve.");
    EXPECT_TRUE(screen->findChild<QLabel*>("lbl_UnAvail")->isVisible());
}

} // namespace

// Right clicks on skill icons open the skill menu with the quest entries the
// character has earned; the chosen entry acts on the right-clicked skill.
#include <model/Build.h>
#include <screens/menu/frm_Menu.h>
#include <screens/tree/SkillTreeScreen.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace skillwright;
using namespace skillwright::screens;
using model::ClassId;
using model::TreeId;

namespace {

class RightClick : public ::testing::Test {
protected:
    void open(ClassId classId) {
        screen = std::make_unique<SkillTreeScreen>(classId, build, toolkit);
        screen->setSkillMenu(&menu);
        screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
        menu.setPopper([this](QMenu& m, QPoint) -> QAction* {
            shown.clear();
            for (QAction* a : m.actions()) {
                if (a->isVisible()) {
                    shown.push_back(a->objectName().toStdString());
                }
            }
            captions = {menu.mnu_DenOfEvil->text(), menu.mnu_BookOfSkill->text(),
                        menu.mnu_DeathOfIzual->text()};
            QAction* chosen = choice;
            choice = nullptr;
            return chosen;
        });
    }

    /// A real right click on the icon; `entry` is chosen from the menu, or
    /// the menu is dismissed.
    void rightClick(TreeId tree, int index, QAction* entry = nullptr) {
        choice = entry;
        const QString name =
            QString::fromUtf8(model::tree(tree).iconArray.data()) + QStringLiteral("(%1)").arg(index);
        QWidget* icon = screen->findChild<QWidget*>(name);
        ASSERT_NE(icon, nullptr);
        QTest::mouseClick(icon, Qt::RightButton);
    }
    void reserveUntilLevel(TreeId tree, int level) {
        while (build.LevelsGained + 1 < level) {
            rightClick(tree, 0, menu.mnu_ReservePoint);
        }
    }
    QString labelText(const char* name) const { return screen->findChild<QLabel*>(name)->text(); }

    toolkit::ScriptedToolkit toolkit;
    model::Build build{toolkit};
    frm_Menu menu{build, toolkit};
    std::unique_ptr<SkillTreeScreen> screen;
    QAction* choice = nullptr;
    std::vector<std::string> shown;
    std::vector<QString> captions;
};

using Entries = std::vector<std::string>;
const Entries kAlways{"mnu_ReservePoint", "mnu_UseReserve", "mnu_Skillstats", "mnu_SkillInfo"};

Entries withQuests(std::initializer_list<const char*> quests) {
    Entries e{"mnu_ReservePoint", "mnu_UseReserve", "mnu_ReserveSpacer"};
    e.insert(e.end(), quests.begin(), quests.end());
    e.insert(e.end(), {"mnu_Skillstats", "mnu_SkillInfo"});
    return e;
}

struct OfferCase {
    int level;
    std::int16_t den, book, izual;
    TreeId tree;
    Entries expected;
};

TEST_F(RightClick, offersTheQuestEntriesTheCharacterHasEarned) {
    const std::vector<OfferCase> cases{
        {1, 0, 0, 0, TreeId::AmazonJS, kAlways},
        {3, 0, 0, 0, TreeId::AmazonJS, withQuests({"mnu_DenOfEvil"})},
        {3, 0, 0, 0, TreeId::AmazonPM, withQuests({"mnu_DenOfEvil"})},
        {3, 1, 0, 0, TreeId::AmazonPM, kAlways},
        {15, 1, 0, 0, TreeId::AmazonBC, withQuests({"mnu_BookOfSkill"})},
        {23, 1, 1, 0, TreeId::AmazonPM, withQuests({"mnu_DeathOfIzual"})},
        {23, 1, 1, 1, TreeId::AmazonJS, withQuests({"mnu_DeathOfIzual"})},
        {23, 1, 1, 2, TreeId::AmazonJS, kAlways},
        {24, 1, 1, 2, TreeId::AmazonPM, withQuests({"mnu_DenOfEvil"})},
        {24, 1, 1, 2, TreeId::AmazonJS, kAlways},
        {25, 1, 1, 2, TreeId::AmazonJS, withQuests({"mnu_DenOfEvil"})},
        {39, 3, 2, 2, TreeId::AmazonBC, withQuests({"mnu_DeathOfIzual"})},
        {39, 3, 2, 4, TreeId::AmazonBC, kAlways},
        {59, 2, 2, 4, TreeId::AmazonBC, withQuests({"mnu_DenOfEvil", "mnu_BookOfSkill", "mnu_DeathOfIzual"})},
        {59, 3, 3, 6, TreeId::AmazonJS, kAlways},
    };
    open(ClassId::Amazon);
    for (const OfferCase& c : cases) {
        reserveUntilLevel(TreeId::AmazonPM, c.level);
        build.DenOfEvilCount = c.den;
        build.BookOfSkillCount = c.book;
        build.IzualCount = c.izual;
        rightClick(c.tree, 2);
        EXPECT_EQ(shown, c.expected) << "level " << c.level << " on " << model::tree(c.tree).code << " with "
                                     << c.den << "/" << c.book << "/" << c.izual << " taken";
        EXPECT_EQ(build.ActiveTree, model::tree(c.tree).code);
        EXPECT_EQ(build.ActiveSkillIndex, 2);
    }
}

TEST_F(RightClick, aChosenQuestEntryRecordsItsPointAndRelabelsItself) {
    open(ClassId::Amazon);
    reserveUntilLevel(TreeId::AmazonPM, 3);
    rightClick(TreeId::AmazonJS, 0, menu.mnu_DenOfEvil);
    auto* history = screen->findChild<QListWidget*>("lb_SkillsPerLevel");
    ASSERT_EQ(history->count(), 3);
    EXPECT_EQ(history->item(2)->text(), "Den Of Evil: Normal Slvl 1: Jab");
    EXPECT_EQ(history->currentRow(), 2);
    EXPECT_EQ(screen->findChild<QLabel*>("lbl_AmazonJS(0)")->text(), "1");
    EXPECT_EQ(labelText("lbl_CharLevel"), "Level 3");

    rightClick(TreeId::AmazonJS, 0); // dismissed
    EXPECT_EQ(captions[0], "&Den Of Evil (Nightmare)");
    EXPECT_EQ(history->count(), 3);
}

TEST_F(RightClick, theRightClickedSkillsPointsGoWithTheContext) {
    open(ClassId::Necromancer);
    QTest::mouseClick(screen->findChild<QWidget*>("img_NecroBonePoison(0)"), Qt::LeftButton);
    rightClick(TreeId::NecroBone, 0);
    EXPECT_EQ(build.ActiveSkillPoints, 1);
    rightClick(TreeId::NecroBone, 1);
    EXPECT_EQ(build.ActiveSkillPoints, 0);
    rightClick(TreeId::NecroCurse, 0, menu.mnu_UseReserve);
    EXPECT_EQ(screen->findChild<QLabel*>("lbl_UnAvail")->text(), "You have no skill points in reserve.");
    EXPECT_TRUE(screen->findChild<QLabel*>("lbl_UnAvail")->isVisible());
}

TEST_F(RightClick, resetOnAFreshAndOnAFullScreen) {
    open(ClassId::Paladin);
    QTest::mouseClick(screen->findChild<QLabel*>("lbl_Reset"), Qt::LeftButton);
    EXPECT_EQ(labelText("lbl_CharLevel"), "Level 1");
    EXPECT_EQ(labelText("lbl_SkillLevel"), "Skill Points: 0");
    EXPECT_EQ(labelText("lbl_Reserved"), "Reserved Points: 0");
    rightClick(TreeId::PaladinCom, 0);
    EXPECT_EQ(captions, (std::vector<QString>{"&Den Of Evil (Normal)", "&Book of Skill (Normal)",
                                              "&Death of Izual (Normal)"}));

    reserveUntilLevel(TreeId::PaladinCom, 40);
    rightClick(TreeId::PaladinCom, 0, menu.mnu_DenOfEvil);
    rightClick(TreeId::PaladinCom, 0, menu.mnu_BookOfSkill);
    rightClick(TreeId::PaladinCom, 1, menu.mnu_DeathOfIzual);
    QTest::mouseClick(screen->findChild<QLabel*>("lbl_Reset"), Qt::LeftButton);
    EXPECT_EQ(screen->findChild<QListWidget*>("lb_SkillsPerLevel")->count(), 0);
    EXPECT_EQ(labelText("lbl_CharLevel"), "Level 1");
    EXPECT_EQ(labelText("lbl_Reserved"), "Reserved Points: 0");
    EXPECT_EQ(screen->findChild<QLabel*>("lbl_PaladinCombat(0)")->text(), "0");
    EXPECT_EQ(build.DenOfEvilCount + build.BookOfSkillCount + build.IzualCount, 0);
    rightClick(TreeId::PaladinCom, 0);
    EXPECT_EQ(captions, (std::vector<QString>{"&Den Of Evil (Normal)", "&Book of Skill (Normal)",
                                              "&Death of Izual (Normal)"}));
}

} // namespace

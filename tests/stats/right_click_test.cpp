// The statistics viewer as a player opens it: a right click on a skill's icon
// and "&Skill Stats" in the skill menu show that skill's own entry, for all
// 150 skills, with the row of its points marked.
#include <model/Build.h>
#include <screens/common/ScreenKit.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <Program.h>
#include <array>
#include <ostream>
#include <string>

using namespace skillwright;

namespace {

struct TreeSkillLines {
    const char* classLabel; ///< on the start screen
    const char* iconArray;
    std::array<const char*, 10> names; ///< the skill line behind "Current Skill: ", by icon index
};

void PrintTo(const TreeSkillLines& tree, std::ostream* os) {
    *os << tree.iconArray;
}

// Each tree's icons in index order, and the name line the viewer must show for each.
const TreeSkillLines kTrees[] = {
    {"lbl_Necromancer",
     "img_NecroSummon",
     {"Skeleton Mastery (Passive)", "Raise Skeleton", "Clay Golem", "Golem Mastery (Passive)",
      "Skeletal Mage", "Blood Golem", "Summon Resistance (Passive)", "Iron Golem", "Fire Golem", "Revive"}},
    {"lbl_Necromancer",
     "img_NecroBonePoison",
     {"Teeth", "Bone Armor", "Poison Dagger", "Corpse Explosion", "Bone Wall", "Poison Explosion",
      "Bone Spear", "Bone Prison", "Poison Nova", "Bone Spirit"}},
    {"lbl_Necromancer",
     "img_NecroCurse",
     {"Amplify Damage", "Dim Vision", "Weaken", "Iron Maiden", "Terror", "Confuse", "Life Tap", "Attract",
      "Decrepify", "Lower Resist"}},
    {"lbl_Amazon",
     "img_AmazonJS",
     {"Jab", "Power Strike", "Poison Javelin", "Impale", "Lightning Bolt", "Charged Strike", "Plague Javelin",
      "Fend", "Lightning Strike", "Lightning Fury"}},
    {"lbl_Amazon",
     "img_AmazonPM",
     {"Inner Sight", "Critical Strike (Passive)", "Dodge (Passive)", "Slow Missiles", "Avoid (Passive)",
      "Penetrate (Passive)", "Decoy", "Evade (Passive)", "Valkyrie", "Pierce (Passive)"}},
    {"lbl_Amazon",
     "img_AmazonBC",
     {"Magic Arrow", "Fire Arrow", "Cold Arrow", "Multiple Shot", "Exploding Arrow", "Ice Arrow",
      "Guided Arrow", "Strafe", "Immolation Arrow", "Freezing Arrow"}},
    {"lbl_Barbarian",
     "img_BarbarianCM",
     {"Sword Mastery (Passive)", "Axe Mastery (Passive)", "Mace Mastery (Passive)",
      "Polearm Mastery (Passive)", "Throwing Mastery (Passive)", "Spear Mastery (Passive)",
      "Increase Stamina (Passive)", "Iron Skin (Passive)", "Increase Speed (Passive)",
      "Natural Resistance (Passive)"}},
    {"lbl_Barbarian",
     "img_BarbarianWC",
     {"Howl", "Find Health Potion", "Taunt", "Shout", "Find Item", "Battle Cry", "Battle Orders", "Grim Ward",
      "War Cry", "Battle Command"}},
    {"lbl_Barbarian",
     "img_BarbarianCS",
     {"Bash", "Leap", "Double Swing", "Stun", "Double Throw", "Leap Attack", "Concentrate", "Frenzy",
      "Whirlwind", "Beserk"}},
    {"lbl_Paladin",
     "img_PaladinOffensive",
     {"Might", "Holy Fire", "Thorns", "Blessed Aim", "Concentration", "Holy Freeze", "Holy Shock",
      "Sanctuary", "Fanaticism", "Conviction"}},
    {"lbl_Paladin",
     "img_PaladinCombat",
     {"Sacrifice", "Smite", "Holy Bolt", "Zeal", "Charge", "Vengeance", "Blessed Hammer", "Conversion",
      "Holy Shield", "Fist of Heavens"}},
    {"lbl_Paladin",
     "img_PaladinDefensive",
     {"Prayer", "Resist Fire", "Defiance", "Resist Cold", "Cleansing", "Resist Lightning", "Vigor",
      "Meditation", "Redemption", "Salvation"}},
    {"lbl_Sorceress",
     "img_SorceressFire",
     {"Fire Bolt", "Warmth (Passive)", "Inferno", "Blaze", "Fireball", "Fire Wall", "Enchant", "Meteor",
      "Fire Mastery (Passive)", "Hydra"}},
    {"lbl_Sorceress",
     "img_SorceressLightning",
     {"Charged Bolt", "Static Field", "Telekinesis", "Nova", "Lightning", "Chain Lightning", "Teleport",
      "Thunderstorm", "Energy Shield", "Lightning Mastery (Passive)"}},
    {"lbl_Sorceress",
     "img_SorceressCold",
     {"Ice Bolt", "Frozen Armor", "Frost Nova", "Ice Blast", "Shiver Armor (Cold Length : 4 seconds)",
      "Glacier Spike", "Blizzard", "Chilling Armor", "Frozen Orb", "Cold Mastery (Passive)"}},
};

class RightClickedSkill : public ::testing::TestWithParam<TreeSkillLines> {
protected:
    RightClickedSkill() {
        program.start();
        program.menu().setPopper(
            [this](QMenu&, QPoint) { return program.menu().findChild<QAction*>("mnu_SkillInfo"); });
    }

    /// The class screen of `classLabel`, chosen on the start screen.
    QWidget* choose(const char* classLabel) {
        QTest::mouseClick(program.startScreen().findChild<QLabel*>(classLabel), Qt::LeftButton);
        return program.treeScreen();
    }
    static QWidget* icon(QWidget* screen, const char* array, int index) {
        auto* widget =
            screen->findChild<QWidget*>(QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index));
        EXPECT_NE(widget, nullptr) << array << "(" << index << ")";
        return widget;
    }
    /// The skill line of the viewer that "&Skill Stats" opens for the icon.
    std::string viewerSkillLine(QWidget* screen, const char* array, int index) {
        QTest::mouseClick(icon(screen, array, index), Qt::RightButton);
        const QWidget* viewer = program.statsViewer();
        if (viewer == nullptr) {
            ADD_FAILURE() << "no viewer for " << array << "(" << index << ")";
            return {};
        }
        return viewer->findChild<QLabel*>("lbl_CurrentSkill")->text().toStdString();
    }

    toolkit::ScriptedToolkit toolkit;
    model::Build build;
    app::Program program{build, toolkit};
};

TEST_P(RightClickedSkill, opensTheViewerOnThatSkillsOwnEntry) {
    const TreeSkillLines& tree = GetParam();
    QWidget* screen = choose(tree.classLabel);
    ASSERT_NE(screen, nullptr);
    for (int index = 0; index < 10; ++index) {
        EXPECT_EQ(viewerSkillLine(screen, tree.iconArray, index),
                  "Current Skill: " + std::string(tree.names[std::size_t(index)]))
            << tree.iconArray << "(" << index << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(AllFifteenTrees, RightClickedSkill, ::testing::ValuesIn(kTrees),
                         [](const ::testing::TestParamInfo<TreeSkillLines>& info) {
                             return std::string(info.param.iconArray);
                         });

// Smite is the second icon of the Paladin's Combat Skills and Holy Bolt the
// third; each viewer shows its own figures, with the row of its own points.
TEST_F(RightClickedSkill, smiteAndHolyBoltShowTheirOwnFiguresAndRows) {
    QWidget* paladin = choose("lbl_Paladin");
    ASSERT_NE(paladin, nullptr);
    QTest::mouseClick(icon(paladin, "img_PaladinCombat", 1), Qt::LeftButton);
    QTest::mouseClick(icon(paladin, "img_PaladinCombat", 1), Qt::LeftButton);
    const auto cell = [this](const char* name) { return program.statsViewer()->findChild<QLabel*>(name); };
    const auto text = [&cell](const char* name) { return cell(name)->text().toStdString(); };
    const QColor marked(255, 128, 0);

    EXPECT_EQ(viewerSkillLine(paladin, "img_PaladinCombat", 1), "Current Skill: Smite");
    EXPECT_EQ(text("lbl_StatTitle1"), "Damage + (%)");
    EXPECT_EQ(text("lbl_StatA(1)"), "30");
    EXPECT_EQ(text("lbl_StatC(1)"), "2");
    EXPECT_EQ(cell("lbl_StatA(1)")->palette().color(QPalette::WindowText), marked);
    EXPECT_NE(cell("lbl_StatA(0)")->palette().color(QPalette::WindowText), marked);

    EXPECT_EQ(viewerSkillLine(paladin, "img_PaladinCombat", 2), "Current Skill: Holy Bolt");
    EXPECT_EQ(text("lbl_StatTitle1"), "Magic Damage");
    EXPECT_EQ(text("lbl_StatC(1)"), "4");
    for (const char* name : {"lbl_StatA(0)", "lbl_StatA(1)"}) {
        EXPECT_NE(cell(name)->palette().color(QPalette::WindowText), marked) << "Holy Bolt holds no point";
    }
}

} // namespace

// The statistics viewer as a player opens it: a right click on a skill's icon
// and "&Skill Stats" in the skill menu show that skill's own entry, for all
// 150 skills (the program's suite checks the row of its points).
#include <model/Build.h>
#include <screens/common/ScreenKit.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <Program.h>
#include <TsvRows.h>
#include <array>
#include <ostream>
#include <string>
#include <vector>

using namespace skillwright;

namespace {

struct TreeIcons {
    const char* classLabel; ///< on the start screen
    const char* iconArray;
    const char* tree; ///< its code in the list the tables were made from (listed_entries.tsv)
};

const TreeIcons kTrees[] = {
    {"lbl_Necromancer", "img_NecroSummon", "NecroSummon"},
    {"lbl_Necromancer", "img_NecroBonePoison", "NecroBone"},
    {"lbl_Necromancer", "img_NecroCurse", "NecroCurse"},
    {"lbl_Amazon", "img_AmazonJS", "AmazonJS"},
    {"lbl_Amazon", "img_AmazonPM", "AmazonPM"},
    {"lbl_Amazon", "img_AmazonBC", "AmazonBC"},
    {"lbl_Barbarian", "img_BarbarianCM", "BarBarCM"},
    {"lbl_Barbarian", "img_BarbarianWC", "BarBarWC"},
    {"lbl_Barbarian", "img_BarbarianCS", "BarBarCS"},
    {"lbl_Paladin", "img_PaladinOffensive", "PaladinOff"},
    {"lbl_Paladin", "img_PaladinCombat", "PaladinCom"},
    {"lbl_Paladin", "img_PaladinDefensive", "PaladinDef"},
    {"lbl_Sorceress", "img_SorceressFire", "SorcFire"},
    {"lbl_Sorceress", "img_SorceressLightning", "SorcLight"},
    {"lbl_Sorceress", "img_SorceressCold", "SorcCold"},
};

/// The listed skill names of a tree, by index.
std::vector<std::string> listedNames(const std::string& tree) {
    std::vector<std::string> names(10);
    for (const std::vector<std::string>& row :
         skillwright::testing::readTsvRows(SKILLWRIGHT_LISTED_ENTRIES)) {
        if (row.size() > 2 && row[0] == tree) {
            names.at(std::stoul(row[1])) = row[2];
        }
    }
    return names;
}

class RightClickedSkill : public ::testing::TestWithParam<TreeIcons> {
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
    const TreeIcons& tree = GetParam();
    const std::vector<std::string> names = listedNames(tree.tree);
    QWidget* screen = choose(tree.classLabel);
    ASSERT_NE(screen, nullptr);
    for (int index = 0; index < 10; ++index) {
        ASSERT_FALSE(names[std::size_t(index)].empty()) << tree.tree << " " << index << " is not listed";
        EXPECT_EQ(viewerSkillLine(screen, tree.iconArray, index),
                  "Current Skill: " + names[std::size_t(index)])
            << tree.iconArray << "(" << index << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(AllFifteenTrees, RightClickedSkill, ::testing::ValuesIn(kTrees),
                         [](const ::testing::TestParamInfo<TreeIcons>& info) {
                             return std::string(info.param.iconArray);
                         });

} // namespace

// The statistics viewer as a player opens it: a right click on a skill's icon
// and "&Skill Stats" in the skill menu show that skill's own entry, here for
// the last icon of every tree of every class (every entry's skill line is the
// tables' suite's to check, the row of its points the program's).
#include <model/Build.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <Program.h>
#include <array>
#include <string>

namespace {

using namespace skillwright;

TEST(RightClickedSkill, opensTheViewerOnThatSkillsOwnEntryInEveryTree) {
    const struct {
        const char* classLabel;                                       ///< on the start screen
        std::array<std::pair<const char*, const char*>, 3> lastIcons; ///< each tree's, with its skill
    } classes[] = {
        {"lbl_Amazon",
         {{{"img_AmazonJS", "Lightning Fury"},
           {"img_AmazonPM", "Pierce (Passive)"},
           {"img_AmazonBC", "Freezing Arrow"}}}},
        {"lbl_Barbarian",
         {{{"img_BarbarianCM", "Natural Resistance (Passive)"},
           {"img_BarbarianWC", "Battle Command"},
           {"img_BarbarianCS", "Beserk"}}}},
        {"lbl_Necromancer",
         {{{"img_NecroSummon", "Revive"},
           {"img_NecroBonePoison", "Bone Spirit"},
           {"img_NecroCurse", "Lower Resist"}}}},
        {"lbl_Paladin",
         {{{"img_PaladinOffensive", "Conviction"},
           {"img_PaladinCombat", "Fist of Heavens"},
           {"img_PaladinDefensive", "Salvation"}}}},
        {"lbl_Sorceress",
         {{{"img_SorceressFire", "Hydra"},
           {"img_SorceressLightning", "Lightning Mastery (Passive)"},
           {"img_SorceressCold", "Cold Mastery (Passive)"}}}},
    };
    toolkit::ScriptedToolkit toolkit;
    document::PlanDocument document;
    app::Program program{document, toolkit};
    program.start();
    program.menu().setPopper(
        [&program](QMenu&, QPoint) { return program.menu().findChild<QAction*>("mnu_SkillInfo"); });
    for (const auto& c : classes) {
        QTest::mouseClick(program.startScreen().findChild<QLabel*>(c.classLabel), Qt::LeftButton);
        QWidget* screen = program.treeScreen();
        ASSERT_NE(screen, nullptr) << c.classLabel;
        for (const auto& [icons, skill] : c.lastIcons) {
            auto* icon = screen->findChild<QWidget*>(QStringLiteral("%1(9)").arg(QLatin1String(icons)));
            ASSERT_NE(icon, nullptr) << icons;
            QTest::mouseClick(icon, Qt::RightButton);
            ASSERT_NE(program.statsViewer(), nullptr) << icons;
            EXPECT_EQ(program.statsViewer()->findChild<QLabel*>("lbl_CurrentSkill")->text().toStdString(),
                      "Current Skill: " + std::string(skill));
        }
        QTest::mouseClick(screen->findChild<QLabel*>("lbl_ChangeClass"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

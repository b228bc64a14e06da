// The attributes window beside a tree screen: Ctrl+Shift+A opens it, its
// controls edit the attribute plan as edits of the document (one the class
// cannot have refused with a message), and it shows the figures at the level
// of the plan or of the entry looked back at, beside a reference's.
#include <report/ReportText.h>

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include <ProgramSession.h>

using namespace skillwright;
using skillwright::testing::ProgramSession;

namespace {

class AttributesTest : public ::testing::Test, public ProgramSession {
protected:
    AttributesTest() { program->start(); }

    [[nodiscard]] QWidget* window() const { return program->attributesWindow(); }
    [[nodiscard]] QString shown(const char* name) const { return window()->findChild<QLabel*>(name)->text(); }
    /// Str, Dex, Vit, Ene, Life, Mana, Stamina as the window shows them.
    [[nodiscard]] QStringList figures() const {
        QStringList out;
        for (const char* name : {"lbl_Strength", "lbl_Dexterity", "lbl_Vitality", "lbl_Energy", "lbl_Life",
                                 "lbl_Mana", "lbl_Stamina"}) {
            out << shown(name);
        }
        return out;
    }
    void addTarget(const char* attribute, int value) {
        window()->findChild<QComboBox*>("cbo_TargetAttribute")->setCurrentText(QLatin1String(attribute));
        window()->findChild<QSpinBox*>("txt_TargetValue")->setValue(value);
        click(window(), "cmd_AddTarget");
    }
};

TEST_F(AttributesTest, theWindowEditsThePlanAndShowsItAtTheLevelLookedAt) {
    choose("lbl_Paladin");
    for (int n = 0; n < 11; ++n) {
        click(tree(), "img_PaladinCombat(0)");
    }
    tree()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tree()));
    QTest::keyClick(tree()->findChild<QWidget*>("lb_SkillsPerLevel"), Qt::Key_A,
                    Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(window()->windowTitle(), "Attributes");
    EXPECT_EQ(figures(), (QStringList{"25", "20", "80", "15", "242", "31", "155"}))
        << "all 55 points in Vitality";

    addTarget("Strength", 55);
    EXPECT_EQ(window()->findChild<QListWidget*>("lb_Targets")->item(0)->text(), "Strength to 55");
    EXPECT_EQ(figures(), (QStringList{"55", "20", "50", "15", "152", "31", "125"}));
    EXPECT_EQ(shown("lbl_FiguresHeading"), "At level 12 \u2020");
    EXPECT_EQ(shown("lbl_Placing"), "Every target met; the rest goes into Vitality.");

    // Refused whole, with why, nothing changed.
    addTarget("Dexterity", 10);
    addTarget("Vitality", 10000);
    ASSERT_EQ(toolkit.messages.size(), 2u);
    EXPECT_EQ(toolkit.messages[0].text, "Dexterity to 10 is below the Paladin's starting Dexterity of 20.");
    EXPECT_EQ(toolkit.messages[1].text,
              "Vitality to 10000 is beyond any Paladin: 530 at most, with every stat point in it.");
    EXPECT_EQ(window()->findChild<QListWidget*>("lb_Targets")->count(), 1);
    addTarget("Dexterity", 500);
    EXPECT_EQ(shown("lbl_Placing"),
              "Dexterity to 500 cannot all be placed: it stays 20 points short at level 99.");
    ASSERT_TRUE(document->undo());
    window()->findChild<QSpinBox*>("txt_TomeNormal")->setValue(10);
    EXPECT_EQ(figures()[2], "55") << "the tome's five points, read at level 10";
    auto* nightmare = window()->findChild<QSpinBox*>("txt_TomeNightmare");
    nightmare->setValue(5);
    EXPECT_EQ(toolkit.messages.back().text,
              "Lam Esen's Tome in Nightmare is marked at level 5, before the easier difficulty's at 10.");
    EXPECT_EQ(nightmare->value(), 0) << "the box shows the plan as it was";

    // The table: every fifth level, the first and last, the level shown and the milestones' levels.
    ASSERT_EQ(document->markMilestone(5, "Den of Evil"), std::nullopt); // after the point of level 7
    auto* table = window()->findChild<QTableWidget*>("tbl_Figures");
    ASSERT_EQ(table->rowCount(), 23);
    EXPECT_EQ(table->item(2, 0)->text(), "7");
    EXPECT_EQ(table->item(2, 8)->text(), "Den of Evil");
    EXPECT_EQ(table->currentRow(), 4) << "level 12, the level shown";
    EXPECT_EQ(table->item(4, 6)->text(), "31") << "its mana";
    window()->findChild<QCheckBox*>("chk_EveryLevel")->setChecked(true);
    EXPECT_EQ(table->rowCount(), 99);

    // Looking back at level 5 (the fourth entry): 20 points, all still going to Strength.
    tree()->findChild<QListWidget*>("lb_SkillsPerLevel")->setCurrentRow(3);
    EXPECT_EQ(shown("lbl_FiguresHeading"), "At level 5, looking back \u2020");
    EXPECT_EQ(figures(), (QStringList{"45", "20", "25", "15", "63", "21", "93"}));
    EXPECT_EQ(shown("lbl_Placing"), "Strength to 55 is 10 points away; every target is met at level 7.");

    // A reference's figures stand beside them, at the same level.
    model::Plan reference = document->plan();
    reference.attributes = {{{model::Attribute::Energy, 40}}};
    tree()->compareWith(reference, "Guide");
    EXPECT_TRUE(window()->findChild<QLabel*>("lbl_EnergyReference")->isVisible());
    EXPECT_EQ(shown("lbl_EnergyReference"), "35");
    tree()->stopComparing();
    EXPECT_FALSE(window()->findChild<QLabel*>("lbl_EnergyReference")->isVisible());

    // SAVE keeps the plan in the report's block.
    toolkit.inputs.push_back("Strong");
    click(tree(), "lbl_Save");
    const std::string saved = read(std::filesystem::path(toolkit.folder) / "Strong.txt");
    EXPECT_NE(
        saved.find("Attribute target: Strength 55\r\nAttribute rest: Vitality\r\nLam Esen's Tome: Normal "
                   "10\r\n---"),
        std::string::npos)
        << saved;

    // The window goes with the tree screen.
    click(tree(), "lbl_ChangeClass");
    letDeletionsRun();
    EXPECT_EQ(window(), nullptr);
}

} // namespace

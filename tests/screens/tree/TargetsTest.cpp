// Targets on a tree screen, as a player sets and fills them: Alt+clicks, the
// input box, the marks, Fill to Targets and Shift+click's path.
#include <screens/notes/TargetsWindow.h>
#include <screens/tree/SkillTreeScreen.h>
#include <toolkit/ScriptedToolkit.h>

#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <document/PlanDocument.h>
#include <memory>

using namespace skillwright;
using namespace skillwright::screens;
using model::ClassId;

namespace {

class Targets : public ::testing::Test {
protected:
    document::PlanDocument document;
    toolkit::ScriptedToolkit toolkit;
    std::unique_ptr<SkillTreeScreen> screen;

    void SetUp() override {
        document.startNew(ClassId::Sorceress);
        screen = std::make_unique<SkillTreeScreen>(document, toolkit);
        screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
    }
    [[nodiscard]] QWidget* icon(int index) const {
        return screen->findChild<QWidget*>(QStringLiteral("img_SorceressCold(%1)").arg(index));
    }
    [[nodiscard]] QLabel* label(const QString& name) const { return screen->findChild<QLabel*>(name); }
    [[nodiscard]] QString mark(int index) const {
        QLabel* m = label(QStringLiteral("lbl_TargetSorceressCold(%1)").arg(index));
        return m != nullptr && m->isVisible() ? m->text() : QString();
    }
    [[nodiscard]] QString notice() const { return label("lbl_UnAvail")->text(); }
    [[nodiscard]] int level() const { return document.build().characterLevel(); }
};

TEST_F(Targets, altClicksAndTheInputBoxSetMarksAndTheFillIsOneEdit) {
    constexpr int kFrozenOrb = 8;
    constexpr int kIceBlast = 3;
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(icon(kFrozenOrb), Qt::LeftButton, Qt::AltModifier);
    }
    EXPECT_EQ(mark(kFrozenOrb), "\u21923");
    QTest::mousePress(icon(kFrozenOrb), Qt::RightButton, Qt::AltModifier);
    EXPECT_EQ(mark(kFrozenOrb), "\u21922");
    EXPECT_EQ(level(), 1) << "a target takes no point";
    EXPECT_EQ(label("lbl_TargetSorceressCold(8)")->accessibleName(), "Frozen Orb: target 2 points");

    // Ctrl+T on the skill the keyboard is on asks; a bad answer is told and changes nothing.
    icon(kFrozenOrb)->setFocus();
    toolkit.inputs = {"25", "20"};
    QTest::keyClick(screen.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(notice(), "A target is 1 to 20 points; 0 takes it away.");
    EXPECT_EQ(mark(kFrozenOrb), "\u21922");
    QTest::keyClick(screen.get(), Qt::Key_T, Qt::ControlModifier);
    ASSERT_EQ(toolkit.inputPrompts.size(), 2u);
    EXPECT_EQ(toolkit.inputPrompts[1].prompt,
              "Points Frozen Orb is to end with (1 to 20; 0 takes the target away):");
    EXPECT_EQ(mark(kFrozenOrb), "20"); // beside Cold Mastery: the figure alone

    // The fill: one edit, told on the notice line; the held quest point makes it level 48.
    QTest::keyClick(screen.get(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(level(), 48);
    EXPECT_EQ(notice(), "All targets met by level 48: Frozen Orb 20 at 48.");
    EXPECT_EQ(label("lbl_SorceressCold(8)")->text(), "20");
    QTest::keyClick(screen.get(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(notice(), "Every target is met already.");
    document.undo();
    EXPECT_EQ(level(), 1);
    EXPECT_EQ(mark(kFrozenOrb), "20"); // beside Cold Mastery: the figure alone

    // Shift+click: the prerequisites first, or what waits.
    QTest::mouseClick(icon(kIceBlast), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(notice(), "Ice Blast waits for level 6.");
    EXPECT_EQ(level(), 1);
    for (int i = 0; i < 4; ++i) {
        document.reservePoint();
    }
    QTest::mouseClick(icon(kIceBlast), Qt::LeftButton, Qt::ShiftModifier);
    const auto* history = screen->findChild<QListWidget*>("lb_SkillsPerLevel");
    ASSERT_GE(history->count(), 2);
    EXPECT_EQ(history->item(history->count() - 2)->text(), "Clvl 6 Slvl 1: Ice Bolt");
    EXPECT_EQ(history->item(history->count() - 1)->text(), "Clvl 7 Slvl 1: Ice Blast");
}

// The targets window lists them in their priority, with the level each is
// met at, and its keys reorder and take them away.
TEST_F(Targets, theWindowReordersAndRemovesAndTellsWhereEachIsMet) {
    ASSERT_EQ(
        document.setTargets({{{model::TreeId::SorceressCold, 0}, 2}, {{model::TreeId::SorceressFire, 0}, 1}}),
        std::nullopt);
    int fills = 0;
    TargetsWindow window(document, [&fills] { ++fills; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* list = window.findChild<QListWidget*>("lst_Targets");
    const auto rows = [list] {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) {
            texts << list->item(i)->text();
        }
        return texts;
    };
    document.click(model::TreeId::SorceressFire, 0);
    EXPECT_EQ(rows(), (QStringList{"1. Ice Bolt 2  (not met yet)", "2. Fire Bolt 1  (met at level 2)"}));
    list->setFocus();
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(rows(), (QStringList{"1. Fire Bolt 1  (met at level 2)", "2. Ice Bolt 2  (not met yet)"}));
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(rows(), (QStringList{"1. Ice Bolt 2  (not met yet)"}));
    QTest::mouseClick(window.findChild<QWidget*>("cmd_FillToTargets"), Qt::LeftButton);
    EXPECT_EQ(fills, 1);
    document.undo();
    EXPECT_EQ(rows().size(), 2) << "taking a target away is undone";
}

} // namespace

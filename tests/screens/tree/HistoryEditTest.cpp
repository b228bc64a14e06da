// Editing the past on the screen: inserting where the screen looks back,
// changing, removing and moving an entry by its menu, its keys and a drag;
// each one edit that Ctrl+Z takes back whole, and a refused one changing nothing.
#include <model/BuildCode.h>
#include <report/ReportText.h>
#include <screens/common/ScreenKit.h>
#include <screens/notes/NotesWindow.h>
#include <screens/tree/SkillTreeScreen.h>
#include <screens/tree/TreeWidgets.h>
#include <toolkit/ScriptedToolkit.h>

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <BuildText.h>
#include <document/PlanDocument.h>
#include <functional>
#include <memory>

using namespace skillwright;
using namespace skillwright::screens;
using model::ClassId;

namespace {

class HistoryEditTest : public ::testing::Test {
protected:
    /// A Sorceress whose history reads Fire Bolt, Warmth, Fire Bolt, Fire Bolt.
    void SetUp() override {
        document.startNew(ClassId::Sorceress);
        for (int skill : {0, 1, 0, 0}) {
            document.click(model::TreeId::SorceressFire, static_cast<std::int16_t>(skill));
        }
        document.markSaved("Sorceress", "Sorceress.txt");
        screen = std::make_unique<SkillTreeScreen>(document, toolkit);
        showWithKeyboard(*screen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    }
    [[nodiscard]] QListWidget* history() const {
        return screen->findChild<QListWidget*>("lb_SkillsPerLevel");
    }
    [[nodiscard]] QLabel* label(const char* name) const {
        return screen->findChild<QLabel*>(QLatin1String(name));
    }
    [[nodiscard]] std::vector<std::string> entries() const {
        std::vector<std::string> texts;
        for (int row = 0; row < history()->count(); ++row) {
            texts.push_back(history()->item(row)->text().toStdString());
        }
        return texts;
    }
    void clickSkill(const char* iconName) {
        QTest::mouseClick(screen->findChild<QWidget*>(QLatin1String(iconName)), Qt::LeftButton);
    }
    /// A key on entry `row` of the history list.
    void keyOn(int row, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        history()->setFocus();
        history()->setCurrentRow(row);
        QTest::keyClick(history(), key, modifiers);
    }
    /// The middle of entry `row`.
    [[nodiscard]] QPoint middleOf(int row) const {
        return history()->visualItemRect(history()->item(row)).center();
    }

    toolkit::ScriptedToolkit toolkit;
    document::PlanDocument document;
    std::unique_ptr<SkillTreeScreen> screen;
};

TEST_F(HistoryEditTest, everyEditIsOneStepAndUndoGivesThePlanBackByteForByte) {
    const model::Plan start = document.plan();
    const std::string startCode = model::encodeBuildCode(start);
    const std::string startReport = report::reportText(start);
    const struct {
        const char* edit;
        std::function<void()> act;
        std::vector<std::string> after;
        int landing; ///< the entry the view is on afterwards
    } cases[] = {
        {"insert where the screen looks back",
         [&] {
             history()->setCurrentRow(1);
             clickSkill("img_SorceressCold(0)");
         },
         {"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Slvl 1: Warmth", "Clvl 4 Slvl 1: Ice Bolt",
          "Clvl 5 Slvl 2: Fire Bolt", "Clvl 6 Slvl 3: Fire Bolt"},
         2},
        {"take back by Delete",
         [&] { keyOn(1, Qt::Key_Delete); },
         {"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Slvl 1: Warmth"},
         1},
        {"take back by the entry's menu",
         [&] {
             keyOn(0, Qt::Key_Menu);
             auto* menu = history()->findChild<QMenu*>("mnu_History");
             ASSERT_NE(menu, nullptr);
             QStringList captions;
             for (const QAction* action : menu->actions()) {
                 captions << action->text();
             }
             EXPECT_EQ(captions,
                       (QStringList{"Take Back to Here", "Change This Point...", "Remove This Point",
                                    "Move Earlier", "Move Later", "Mark Milestone...", "Remove Milestone"}));
             menu->findChild<QAction*>("mnu_TakeBack")->trigger();
             menu->close();
         },
         {"Clvl 2 Slvl 1: Fire Bolt"},
         0},
        {"change by F2 and a click",
         [&] {
             keyOn(0, Qt::Key_F2);
             clickSkill("img_SorceressCold(0)");
         },
         {"Clvl 2 Slvl 1: Ice Bolt", "Clvl 3 Slvl 1: Warmth", "Clvl 4 Slvl 1: Fire Bolt",
          "Clvl 5 Slvl 2: Fire Bolt"},
         0},
        {"remove by Ctrl+Delete",
         [&] { keyOn(1, Qt::Key_Delete, Qt::ControlModifier); },
         {"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Slvl 2: Fire Bolt", "Clvl 4 Slvl 3: Fire Bolt"},
         0},
        {"move later by Alt+Down",
         [&] { keyOn(0, Qt::Key_Down, Qt::AltModifier); },
         {"Clvl 2 Slvl 1: Warmth", "Clvl 3 Slvl 1: Fire Bolt", "Clvl 4 Slvl 2: Fire Bolt",
          "Clvl 5 Slvl 3: Fire Bolt"},
         1},
        {"move earlier by Alt+Up",
         [&] { keyOn(1, Qt::Key_Up, Qt::AltModifier); },
         {"Clvl 2 Slvl 1: Warmth", "Clvl 3 Slvl 1: Fire Bolt", "Clvl 4 Slvl 2: Fire Bolt",
          "Clvl 5 Slvl 3: Fire Bolt"},
         0},
        {"drag the newest to the top",
         [&] {
             QWidget* list = history()->viewport();
             QTest::mousePress(list, Qt::LeftButton, Qt::NoModifier, middleOf(3));
             QTest::mouseMove(list, middleOf(2));
             QTest::mouseMove(list, middleOf(0) - QPoint(0, 4));
             QTest::mouseRelease(list, Qt::LeftButton, Qt::NoModifier, middleOf(0) - QPoint(0, 4));
         },
         {"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Slvl 2: Fire Bolt", "Clvl 4 Slvl 1: Warmth",
          "Clvl 5 Slvl 3: Fire Bolt"},
         0},
    };
    for (const auto& [name, act, after, landing] : cases) {
        SCOPED_TRACE(name);
        act();
        EXPECT_EQ(entries(), after);
        EXPECT_EQ(skillwright::testing::historyTexts(document.build()), after);
        EXPECT_EQ(history()->currentRow(), landing);
        EXPECT_EQ(screen->lookingBack(), landing + 1 < history()->count());
        EXPECT_TRUE(document.isModified());
        QTest::keyClick(screen.get(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(document.plan(), start);
        EXPECT_EQ(model::encodeBuildCode(document.plan()), startCode);
        EXPECT_EQ(report::reportText(document.plan()), startReport);
        EXPECT_FALSE(document.isModified());
        QTest::keyClick(screen.get(), Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(entries(), after);
        QTest::keyClick(screen.get(), Qt::Key_Z, Qt::ControlModifier);
    }
}

// Inserting goes on where the last insert left the view, and the line says
// where; the screen reader hears which entries the edit moved.
TEST_F(HistoryEditTest, insertsFollowOneAnotherAndTellWhatMoved) {
    history()->setCurrentRow(0);
    EXPECT_EQ(label("lbl_UnAvail")->text(), "Inserting at Clvl 3 of 5");
    clickSkill("img_SorceressCold(0)");
    clickSkill("img_SorceressCold(0)");
    EXPECT_EQ(entries(), (std::vector<std::string>{"Clvl 2 Slvl 1: Fire Bolt", "Clvl 3 Slvl 1: Ice Bolt",
                                                   "Clvl 4 Slvl 2: Ice Bolt", "Clvl 5 Slvl 1: Warmth",
                                                   "Clvl 6 Slvl 2: Fire Bolt", "Clvl 7 Slvl 3: Fire Bolt"}));
    EXPECT_EQ(label("lbl_UnAvail")->text(), "Inserting at Clvl 5 of 7");
    EXPECT_EQ(label("lbl_CharLevel")->text(), "Level 4");
    EXPECT_EQ(history()->item(2)->data(Qt::AccessibleTextRole).toString(),
              "Clvl 4 Slvl 2: Ice Bolt, inserted");
    EXPECT_EQ(history()->item(3)->data(Qt::AccessibleTextRole).toString(),
              "Clvl 5 Slvl 1: Warmth, was Clvl 4 Slvl 1: Warmth");
    EXPECT_FALSE(history()->item(1)->data(Qt::AccessibleTextRole).isValid());
    // Esc cancels a change waiting for its skill; the next click inserts again.
    keyOn(1, Qt::Key_F2);
    EXPECT_EQ(label("lbl_UnAvail")->text(),
              "Change Clvl 3 Slvl 1: Ice Bolt: click the skill it goes to (Esc cancels)");
    QTest::keyClick(history(), Qt::Key_Escape);
    EXPECT_FALSE(screen->changing().has_value());
    EXPECT_TRUE(screen->isVisible()) << "Esc cancelled the change, not the screen";
    EXPECT_EQ(label("lbl_UnAvail")->text(), "Inserting at Clvl 4 of 7");
}

TEST_F(HistoryEditTest, aRefusedEditChangesNothingAndMarksTheEntryThatWouldBreak) {
    const std::vector<std::string> before = entries();
    // A skill inserted below its tier.
    history()->setCurrentRow(0);
    clickSkill("img_SorceressFire(2)"); // Inferno at Clvl 3
    EXPECT_EQ(entries(), before);
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(label("lbl_UnAvail")->text(), "Clvl 3 Slvl 1: Inferno: Not available yet, you must be "
                                            "character level 6 first (or just getting level 6).");
    const auto* delegate = dynamic_cast<const HistoryDelegate*>(history()->itemDelegate());
    EXPECT_EQ(delegate->refused(), 0);
    const QImage shown = history()->viewport()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(middleOf(0).x(), middleOf(0).y() - 4), QColor(128, 24, 16));
    toolkit.advance(5000);
    EXPECT_EQ(delegate->refused(), -1) << "the mark goes with the notice";
    EXPECT_EQ(label("lbl_UnAvail")->text(), "Inserting at Clvl 3 of 5");
}

} // namespace

namespace {

// Milestones on the screen: Ctrl+M names the moment after an entry, shown
// as a separator below it; Ctrl+Page Up looks back at it and the line names
// it; its note is the notes window's while the screen looks at it.
TEST_F(HistoryEditTest, milestonesShowInTheHistoryAndTheNotesWindowKeepsTheirNotes) {
    const int plainHeight = history()->visualItemRect(history()->item(1)).height();
    toolkit.inputs.push_back("Den of Evil done");
    keyOn(1, Qt::Key_M, Qt::ControlModifier);
    ASSERT_EQ(document.milestones().size(), 1u);
    EXPECT_EQ(history()->visualItemRect(history()->item(1)).height(), 2 * plainHeight);
    EXPECT_EQ(toolkit.inputPrompts.back().title, "Mark Milestone");
    // A screen that opens on a plan with milestones shows them at once.
    screen = std::make_unique<SkillTreeScreen>(document, toolkit);
    showWithKeyboard(*screen);
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    EXPECT_EQ(history()->visualItemRect(history()->item(1)).height(), 2 * plainHeight);
    keyOn(3, Qt::Key_End);
    QTest::keyClick(history(), Qt::Key_PageUp, Qt::ControlModifier); // the list does not take the key
    EXPECT_EQ(history()->currentRow(), 1);
    EXPECT_EQ(label("lbl_UnAvail")->text(), "Den of Evil done  \u00B7  Inserting at Clvl 4 of 5");

    screens::NotesWindow notes(document, toolkit);
    std::int64_t now = 0;
    notes.setClock([&now] { return now; });
    notes.showPast(screen->pastEntry());
    auto* milestoneNote = notes.findChild<QPlainTextEdit*>("txt_MilestoneNote");
    auto* planNote = notes.findChild<QPlainTextEdit*>("txt_PlanNote");
    ASSERT_TRUE(milestoneNote != nullptr && planNote != nullptr);
    QTest::keyClicks(milestoneNote, "Blood Raven");
    now += screens::NotesWindow::kTypingPause;
    QTest::keyClicks(planNote, "Fire");
    EXPECT_EQ(document.milestones().front().note, "Blood Raven");
    EXPECT_EQ(document.note(), "Fire");
    EXPECT_EQ(label("lbl_UnAvail")->text(),
              "Den of Evil done: Blood Raven  \u00B7  Inserting at Clvl 4 of 5");
    // Pasted past what a note holds: refused, and the note stays.
    planNote->insertPlainText(QString(static_cast<qsizetype>(model::kMaxNoteBytes), QLatin1Char('x')));
    EXPECT_EQ(document.note(), "Fire");
    EXPECT_EQ(planNote->toPlainText(), "Fire");
    EXPECT_EQ(toolkit.messages.back().text, "A note holds at most 64 KiB; this one holds 65 KiB.");
    // Each run of typing is one edit.
    QTest::keyClick(screen.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(document.note(), "");
    QTest::keyClick(screen.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(document.milestones().front().note, "");
    EXPECT_EQ(milestoneNote->toPlainText(), "");
}

} // namespace

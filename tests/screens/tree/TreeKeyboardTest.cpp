// The skill tree screens from the keyboard alone: the arrow keys over the
// grid, typing a skill's name, the keys that act, Tab, the focus ring, and
// what a screen reader is told of the icons.
#include <model/Build.h>
#include <screens/common/CharacterOpener.h>
#include <screens/common/FocusRing.h>
#include <screens/menu/MenuHolder.h>
#include <screens/tree/ScreenDesign.h>
#include <screens/tree/SkillTreeScreen.h>
#include <screens/tree/TreeKeyboard.h>
#include <screens/tree/TreeWidgets.h>
#include <toolkit/ScriptedToolkit.h>

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <Colours.h>
#include <MenuRecorder.h>
#include <RandomPlay.h>
#include <document/PlanDocument.h>
#include <memory>
#include <ostream>
#include <presentation/Presentation.h>
#include <random>

using namespace skillwright;
using namespace skillwright::screens;
using model::ClassId;

namespace {

class TreeKeyboardTest : public ::testing::Test {
protected:
    void open(ClassId classId) {
        document.startNew(classId);
        screen = std::make_unique<SkillTreeScreen>(document, toolkit);
        showWithKeyboard(*screen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
        keyboard = screen->findChild<TreeKeyboard*>();
        ASSERT_NE(keyboard, nullptr);
        keyboard->setClock([this] { return now; });
    }
    /// The icon of the skill called `name` on the open screen.
    SkillIcon* icon(const char* name) const {
        for (SkillIcon* i : screen->findChildren<SkillIcon*>()) {
            if (model::skill(i->tree(), i->index()).name == name) {
                return i;
            }
        }
        ADD_FAILURE() << "no skill " << name;
        return nullptr;
    }
    /// The skill the keyboard is on, by name; empty when it is on no icon.
    std::string focused() const {
        const auto* i = qobject_cast<SkillIcon*>(screen->focusWidget());
        return i == nullptr ? std::string() : std::string(model::skill(i->tree(), i->index()).name);
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(screen->focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    void type(const char* text) {
        for (const char* c = text; *c != '\0'; ++c) {
            QTest::keyClicks(screen->focusWidget(), QString(QLatin1Char(*c)));
            now += 50;
        }
    }
    QLabel* label(const char* objectName) const {
        return screen->findChild<QLabel*>(QLatin1String(objectName));
    }
    QListWidget* history() const { return screen->findChild<QListWidget*>("lb_SkillsPerLevel"); }
    const FocusRing* ring() const { return screen->findChild<FocusRing*>(); }

    toolkit::ScriptedToolkit toolkit;
    document::PlanDocument document;
    std::unique_ptr<SkillTreeScreen> screen;
    TreeKeyboard* keyboard = nullptr;
    std::int64_t now = 100000;
};

TEST_F(TreeKeyboardTest, opensWithTheKeyboardOnTheFirstIconRingedAndTheDesignUntouched) {
    open(ClassId::Sorceress);
    EXPECT_EQ(focused(), "Fire Bolt");
    ASSERT_TRUE(ring()->isVisible());
    EXPECT_EQ(ring()->geometry(), icon("Fire Bolt")->geometry().adjusted(1, 1, -1, -1));
    EXPECT_EQ(label("lbl_Description")->text(), "") << "the description waits for the pointer or a key";

    // A click puts the keyboard on the clicked icon, and the ring goes until a key.
    QTest::mouseClick(icon("Ice Bolt"), Qt::LeftButton);
    EXPECT_EQ(focused(), "Ice Bolt");
    EXPECT_FALSE(ring()->isVisible());
    press(Qt::Key_Right);
    EXPECT_EQ(focused(), "Frozen Armor");
    EXPECT_TRUE(ring()->isVisible());
    EXPECT_TRUE(label("lbl_Description")->text().startsWith("Frozen Armor\r\n"));
}

struct Move {
    ClassId classId;
    const char* from;
    int key;
    const char* to;
};

void PrintTo(const Move& m, std::ostream* os) {
    *os << m.from << " " << QKeySequence(m.key).toString().toStdString() << " to " << m.to;
}

class ArrowKeys : public TreeKeyboardTest, public ::testing::WithParamInterface<Move> {};

TEST_P(ArrowKeys, moveTheKeyboardTheWayTheEyeExpects) {
    const Move& m = GetParam();
    open(m.classId);
    icon(m.from)->setFocus(Qt::TabFocusReason);
    press(m.key);
    EXPECT_EQ(focused(), m.to) << m.from;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EveryClass, ArrowKeys, ::testing::Values(
    Move{ClassId::Necromancer, "Teeth", Qt::Key_Right, "Bone Armor"},
    Move{ClassId::Necromancer, "Bone Armor", Qt::Key_Right, "Amplify Damage"},
    Move{ClassId::Necromancer, "Amplify Damage", Qt::Key_Right, "Amplify Damage"},
    Move{ClassId::Necromancer, "Raise Skeleton", Qt::Key_Left, "Skeleton Mastery"},
    Move{ClassId::Necromancer, "Teeth", Qt::Key_Down, "Corpse Explosion"},
    Move{ClassId::Necromancer, "Skeleton Mastery", Qt::Key_Up, "Skeleton Mastery"},
    Move{ClassId::Amazon, "Jab", Qt::Key_Down, "Power Strike"},
    Move{ClassId::Amazon, "Inner Sight", Qt::Key_Left, "Jab"},
    Move{ClassId::Amazon, "Fire Arrow", Qt::Key_Down, "Multi-Shot Arrow"},
    Move{ClassId::Amazon, "Impale", Qt::Key_Up, "Power Strike"},
    Move{ClassId::Barbarian, "Howl", Qt::Key_Left, "Mace Mastery"},
    Move{ClassId::Barbarian, "Find Health Potion", Qt::Key_Right, "Bash"},
    Move{ClassId::Barbarian, "Leap", Qt::Key_Down, "Stun"},
    Move{ClassId::Barbarian, "Stun", Qt::Key_Down, "Concentrate"},
    Move{ClassId::Paladin, "Prayer", Qt::Key_Left, "Smite"},
    Move{ClassId::Paladin, "Might", Qt::Key_Down, "Holy Fire"},
    Move{ClassId::Paladin, "Resist Fire", Qt::Key_Down, "Resist Cold"},
    Move{ClassId::Paladin, "Fanaticism", Qt::Key_Up, "Holy Shock"},
    Move{ClassId::Sorceress, "Fire Bolt", Qt::Key_Down, "Inferno"},
    Move{ClassId::Sorceress, "Frozen Armor", Qt::Key_Left, "Ice Bolt"},
    Move{ClassId::Sorceress, "Ice Bolt", Qt::Key_Down, "Ice Blast"},
    Move{ClassId::Sorceress, "Warmth", Qt::Key_Right, "Charged Bolt"},
    Move{ClassId::Sorceress, "Frozen Orb", Qt::Key_Up, "Blizzard"},
    Move{ClassId::Sorceress, "Chilling Armor", Qt::Key_Down, "Cold Mastery"}));
// clang-format on

struct Typed {
    ClassId classId;
    const char* text;
    const char* to;
};

class TypeAhead : public TreeKeyboardTest, public ::testing::WithParamInterface<Typed> {};

TEST_P(TypeAhead, findsTheFirstSkillOfThatNameAWholeNameFirst) {
    open(GetParam().classId);
    type(GetParam().text);
    EXPECT_EQ(focused(), GetParam().to) << GetParam().text;
    EXPECT_EQ(document.build().levelsGained(), 0) << "a space inside a name spends nothing";
}

INSTANTIATE_TEST_SUITE_P(Names, TypeAhead,
                         ::testing::Values(Typed{ClassId::Sorceress, "fro", "Frozen Armor"},
                                           Typed{ClassId::Sorceress, "fros", "Frost Nova"},
                                           Typed{ClassId::Sorceress, "frozen o", "Frozen Orb"},
                                           Typed{ClassId::Sorceress, "FROZEN O", "Frozen Orb"},
                                           Typed{ClassId::Sorceress, "frox", "Frozen Armor"},
                                           Typed{ClassId::Barbarian, "leap", "Leap"},
                                           Typed{ClassId::Barbarian, "leap a", "Leap Attack"}));

TEST_F(TreeKeyboardTest, whatWasTypedStartsAfreshAfterThePauseOrAnyOtherKey) {
    const int pause = QApplication::keyboardInputInterval();
    open(ClassId::Sorceress);
    type("fro");
    now += pause - 50; // type() waited 50 ms after the last letter
    type("z");
    EXPECT_EQ(focused(), "Frozen Armor") << "within the pause the name goes on";
    now += pause + 1;
    type("i");
    EXPECT_EQ(focused(), "Ice Bolt") << "after the pause a new name";

    now += pause + 1;
    type("fro");
    press(Qt::Key_Left);
    EXPECT_EQ(focused(), "Ice Bolt");
    type("b");
    EXPECT_EQ(focused(), "Blaze") << "another key ended the name";
}

TEST_F(TreeKeyboardTest, enterAndSpaceSpendAPointMenuAndShiftF10OpenTheSkillMenuAtTheIcon) {
    open(ClassId::Sorceress);
    QSignalSpy menu(screen.get(), &SkillTreeScreen::skillMenuRequested);
    press(Qt::Key_Return);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    press(Qt::Key_Space);
    EXPECT_EQ(label("lbl_SorceressFire(0)")->text(), "3");
    EXPECT_EQ(history()->count(), 3);
    EXPECT_EQ(menu.count(), 0);

    press(Qt::Key_Right);
    press(Qt::Key_Menu);
    press(Qt::Key_F10, Qt::ShiftModifier);
    press(Qt::Key_F10);
    ASSERT_EQ(menu.count(), 2);
    const QPoint centre = icon("Warmth")->mapToGlobal(icon("Warmth")->rect().center());
    EXPECT_EQ(menu.at(0).at(2).toPoint(), centre);
    EXPECT_EQ(menu.at(0).at(1).value<model::SkillRef>(), (model::SkillRef{model::TreeId::SorceressFire, 1}))
        << "the skill menu acts on Warmth";
    EXPECT_TRUE(label("lbl_Description")->text().startsWith("Warmth\r\n"));
}

// Which keys reach which command is the command suites'; here, SAVE from
// the keys, and Esc, which changes the class from the history list alone.
TEST_F(TreeKeyboardTest, ctrlSSavesAndEscInTheHistoryChangesTheClass) {
    open(ClassId::Sorceress);
    QTemporaryDir folder;
    toolkit.folder = folder.path().toStdString();
    press(Qt::Key_Return);
    toolkit.inputs = {"Tal"};
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(folder.filePath("Tal.txt")));

    QSignalSpy change(screen.get(), &SkillTreeScreen::changeClassRequested);
    press(Qt::Key_Escape);
    EXPECT_EQ(change.count(), 0) << "Esc changes the class from the history list alone";
    press(Qt::Key_Tab);
    press(Qt::Key_Escape);
    EXPECT_EQ(change.count(), 1);
}

// The keys of every command a tree screen offers reach that command, from an
// icon and from the history list alike (whose own Ctrl+C would copy a line).
TEST_F(TreeKeyboardTest, everyCommandsKeysReachItWhereverTheKeyboardIsOnTheScreen) {
    open(ClassId::Sorceress);
    press(Qt::Key_Return);
    QSignalSpy asked(&screen->characterOpener(), &CharacterOpener::commandRequested);
    std::vector<ProgramCommand> expected;
    for (QWidget* place : {screen->focusWidget(), static_cast<QWidget*>(history())}) {
        for (const ProgramCommandEntry& entry : kProgramCommands) {
            if ((entry.places & OnTreeScreens) == 0 || entry.command == ProgramCommand::Save) {
                continue; // SAVE's name box is the save suite's
            }
            for (const QKeyCombination keys : entry.keys) {
                if (keys != QKeyCombination()) {
                    place->setFocus();
                    QTest::keyClick(place, keys.key(), keys.keyboardModifiers());
                    expected.push_back(entry.command);
                    if (auto* sheet = screen->findChild<QWidget*>("frm_Keys"); sheet != nullptr) {
                        sheet->close();
                        showWithKeyboard(*screen);
                    }
                }
            }
        }
    }
    std::vector<ProgramCommand> heard;
    for (const QList<QVariant>& signal : asked) {
        heard.push_back(signal.at(0).value<ProgramCommand>());
    }
    EXPECT_EQ(heard, expected);
}

TEST_F(TreeKeyboardTest, anEarlierEntryOfTheHistoryShowsThePastUntilTheEndOrACommand) {
    open(ClassId::Sorceress);
    QLabel* fireBolt = label("lbl_SorceressFire(0)");
    for (int n = 0; n < 4; ++n) {
        press(Qt::Key_Return);
    }
    QWidget* frame = screen->findChild<QWidget*>("frm_LookingBack");
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->isVisible());
    press(Qt::Key_Tab);
    struct Step {
        int key;
        const char* count;
        const char* level;
        const char* notice; ///< empty: the notice line is hidden
    };
    const std::vector<Step> steps{
        {Qt::Key_Home, "1", "Level 2", "Inserting at Clvl 3 of 5"},
        {Qt::Key_Down, "2", "Level 3", "Inserting at Clvl 4 of 5"},
        {Qt::Key_End, "4", "Level 5", ""},
        {Qt::Key_Up, "3", "Level 4", "Inserting at Clvl 5 of 5"},
        {Qt::Key_Down, "4", "Level 5", ""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.level);
        press(step.key);
        EXPECT_EQ(fireBolt->text(), step.count);
        EXPECT_EQ(label("lbl_CharLevel")->text(), step.level);
        const bool past = *step.notice != '\0';
        EXPECT_EQ(label("lbl_UnAvail")->isVisible(), past);
        if (past) {
            EXPECT_EQ(label("lbl_UnAvail")->text(), step.notice);
        }
        EXPECT_EQ(frame->isVisible(), past);
        EXPECT_EQ(screen->lookingBack(), past);
        const QColor edge = screen->grab().toImage().pixelColor(1, 300);
        EXPECT_EQ(edge == skillwright::testing::kParchment, past) << edge.name().toStdString();
    }

    // A command returns to the present and acts there.
    history()->setCurrentRow(1);
    QTest::mouseClick(label("lbl_UndoLast"), Qt::LeftButton);
    EXPECT_FALSE(screen->lookingBack());
    EXPECT_EQ(fireBolt->text(), "3");
    EXPECT_EQ(label("lbl_SkillLevel")->text(), "Skill Points:  3");
}

// What a screen reader is told and the tier labels' colours, each as the
// build replayed to the entry looked back at has them (the counts and the
// status labels are the soak's to hold, the past's skill menu the menu suite's).
TEST_F(TreeKeyboardTest, lookingBackTellsTheReaderAndTheTiersWhatTheReplayedBuildHas) {
    using skillwright::testing::kParchment;
    std::mt19937 random(30);
    for (ClassId classId : {ClassId::Amazon, ClassId::Necromancer, ClassId::Barbarian}) {
        model::Build maker;
        skillwright::support::playAtRandom(maker, classId, 70, random);
        const model::Plan plan = maker.plan();
        open(classId);
        ASSERT_FALSE(document.open({plan, document::Origin::Code, {}}).has_value());
        const auto last = static_cast<int>(plan.history.size()) - 1;
        for (int row : {0, 1, last / 3, last / 2, last - 1}) {
            SCOPED_TRACE(row);
            history()->setCurrentRow(row);
            ASSERT_TRUE(screen->lookingBack());
            model::Plan upToRow = plan;
            upToRow.history.resize(static_cast<std::size_t>(row) + 1);
            const model::BuildState then = model::replayPlan(upToRow).state;
            const presentation::StatusLabels status(then);
            for (SkillIcon* skillIcon : screen->findChildren<SkillIcon*>()) {
                EXPECT_EQ(skillIcon->accessibleName(),
                          TreeKeyboard::spokenSkill(then, skillIcon->tree(), skillIcon->index()));
            }
            for (std::size_t tier = 0; tier < model::kTierOpeningLevels.size(); ++tier) {
                const QLabel* tierLabel =
                    label(("lbl_Level" + std::to_string(model::kTierOpeningLevels[tier])).c_str());
                EXPECT_EQ(skillwright::testing::textColour(tierLabel) == kParchment,
                          status.tierHighlighted(static_cast<int>(tier)));
            }
            EXPECT_EQ(document.build().plan(), plan);
        }
        history()->setCurrentRow(last);
        ASSERT_FALSE(screen->lookingBack());
        for (SkillIcon* skillIcon : screen->findChildren<SkillIcon*>()) {
            EXPECT_EQ(
                skillIcon->accessibleName(),
                TreeKeyboard::spokenSkill(document.build().state(), skillIcon->tree(), skillIcon->index()));
        }
        screen.reset();
    }
}

TEST_F(TreeKeyboardTest, tabLeadsToTheHistoryAndTheCommandsWhereEnterRunsThem) {
    open(ClassId::Necromancer);
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    press(Qt::Key_Tab);
    EXPECT_EQ(screen->focusWidget(), history());
    EXPECT_EQ(ring()->framed(), history()) << "the ring leaves the icons for the list";
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), "Raise Skeleton");
    QTest::mouseClick(history()->viewport(), Qt::LeftButton);
    ASSERT_EQ(screen->focusWidget(), history());
    press(Qt::Key_Tab);
    EXPECT_EQ(screen->focusWidget()->objectName(), "lbl_Save");
    EXPECT_EQ(ring()->framed(), screen->focusWidget());
    for (const char* next : {"lbl_Reset", "lbl_ChangeClass", "lbl_UndoLast"}) {
        press(Qt::Key_Tab);
        EXPECT_EQ(screen->focusWidget()->objectName(), next);
    }
    press(Qt::Key_Return);
    EXPECT_EQ(history()->count(), 0) << "UNDO LAST from the keyboard";
    for (int n = 0; n < 5; ++n) {
        press(Qt::Key_Tab, Qt::ShiftModifier);
    }
    EXPECT_EQ(focused(), "Raise Skeleton") << "back to the icon the keyboard left";
}

TEST_F(TreeKeyboardTest, iconsTellAScreenReaderTheirSkillPointsTierAndWhetherTheyTakeAPoint) {
    open(ClassId::Sorceress);
    const auto spoken = [this](const char* name) { return icon(name)->accessibleName().toStdString(); };
    EXPECT_EQ(spoken("Fire Bolt"), "Fire Bolt, 0 points, opens at level 1; can take a point");
    EXPECT_EQ(spoken("Inferno"),
              "Inferno, 0 points, opens at level 6; Not available yet, you must be character level 6 "
              "first (or just getting level 6).");
    EXPECT_TRUE(icon("Fire Bolt")->accessibleDescription().startsWith("Fire Bolt\r\n"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(icon("Fire Bolt"))->role(), QAccessible::Button);
    EXPECT_EQ(label("lbl_Save")->accessibleDescription(), "Save your character To a text file.");

    press(Qt::Key_Return);
    EXPECT_EQ(spoken("Fire Bolt"), "Fire Bolt, 1 point, opens at level 1; can take a point");
    EXPECT_EQ(label("lbl_SorceressFire(0)")->accessibleName(), "Fire Bolt: 1 point");
    EXPECT_EQ(label("lbl_SorceressFire(1)")->accessibleName(), "Warmth: 0 points");
    for (int i = 0; i < 4; ++i) {
        press(Qt::Key_Return);
    }
    EXPECT_EQ(spoken("Inferno"), "Inferno, 0 points, opens at level 6; can take a point");
    EXPECT_EQ(spoken("Blaze"),
              "Blaze, 0 points, opens at level 12; Not available yet, you must be character level 12 "
              "first (or just getting level 12).");
    for (int i = 0; i < 15; ++i) {
        press(Qt::Key_Return);
    }
    EXPECT_EQ(spoken("Fire Bolt"), "Fire Bolt, 20 points, opens at level 1; No more points may be added to "
                                   "this skill.  Maximum points are 20 per "
                                   "skill.");
    EXPECT_EQ(spoken("Blaze"), "Blaze, 0 points, opens at level 12; Not available yet, you must have at "
                               "least one skill point in Inferno");
    type("inferno");
    press(Qt::Key_Return);
    EXPECT_EQ(spoken("Inferno"), "Inferno, 1 point, opens at level 6; can take a point");
    EXPECT_EQ(spoken("Blaze"), "Blaze, 0 points, opens at level 12; can take a point");
}

} // namespace

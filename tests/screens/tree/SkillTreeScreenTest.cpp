// The skill tree screen on real widgets: what it shows when created, how it
// mirrors the build after clicks, the notice and its timer, and the hover.
#include <model/Build.h>
#include <screens/tree/ScreenDesign.h>
#include <screens/tree/SkillTreeScreen.h>
#include <screens/tree/TreeWidgets.h>
#include <toolkit/ScriptedToolkit.h>

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace skillwright;
using namespace skillwright::screens;
using model::ClassId;
using model::TreeId;

namespace {

const QColor kHighlightColour(255, 239, 176);
const QColor kWhiteColour(255, 255, 255);

QString name(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString element(std::string_view array, int index) {
    return name(array) + QStringLiteral("(%1)").arg(index);
}

QColor textColour(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

class SkillTreeScreenTest : public ::testing::Test {
protected:
    void open(ClassId classId) {
        screen = std::make_unique<SkillTreeScreen>(classId, build, toolkit);
        screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
    }

    template <typename T = QLabel> T* find(const QString& objectName) const {
        T* w = screen->findChild<T*>(objectName);
        EXPECT_NE(w, nullptr) << objectName.toStdString();
        return w;
    }
    QWidget* icon(TreeId tree, int i) const { return find<QWidget>(element(model::tree(tree).iconArray, i)); }
    QLabel* count(TreeId tree, int i) const { return find(element(model::tree(tree).countArray, i)); }
    QLabel* label(const char* objectName) const { return find(QLatin1String(objectName)); }
    QFrame* outline() const { return find<QFrame>(QStringLiteral("sh_Outline")); }
    QString description() const { return label("lbl_Description")->text(); }

    void clickIcon(TreeId tree, int i, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(icon(tree, i), button);
    }
    /// A pointer move through the window, so it reaches whatever lies under it.
    void moveTo(QPoint screenPos) { QTest::mouseMove(screen->windowHandle(), screenPos); }
    void moveOnto(const QWidget* w) { moveTo(w->geometry().center()); }
    void moveOnto(const QWidget* w, QPoint offset) { moveTo(w->mapTo(screen.get(), offset)); }

    /// A point of the tree area on no control: left of the first icon column, below the tier caption.
    static QPoint bareSurface() { return {40, 70}; }

    QRect outlineAround(TreeId tree, int i) const {
        const TwipRect r = iconRect(tree, i);
        return toPixels(TwipRect{r.left - 20, r.top - 20, 580, 595});
    }

    toolkit::ScriptedToolkit toolkit;
    model::Build build{toolkit};
    std::unique_ptr<SkillTreeScreen> screen;
};

// ---------------------------------------------------------------- creation

class EveryClass : public SkillTreeScreenTest, public ::testing::WithParamInterface<ClassId> {};

TEST_P(EveryClass, isBuiltFromTheOneDesignWithItsOwnData) {
    open(GetParam());
    const model::ClassInfo& info = model::classInfo(GetParam());
    EXPECT_EQ(screen->objectName(), name(info.screenName));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Diablo II Skillwright (") + name(info.name) + ")");
    EXPECT_EQ(screen->size(), QSize(800, 600));
    EXPECT_EQ(label("lbl_Char")->text(), name(info.name));
    EXPECT_NE(screen->findChild<QLabel*>(name(classDesign(GetParam()).buttonPanelName)), nullptr);
    EXPECT_EQ(label("lbl_Summon")->text(), name(model::tree(info.trees[0]).title));
    EXPECT_EQ(label("lbl_PB")->text(), name(model::tree(info.trees[1]).title));
    EXPECT_EQ(label("Label1")->text(), name(model::tree(info.trees[2]).title));

    for (const TreeId tree : info.trees) {
        for (int i = 0; i < model::kSkillsPerTree; ++i) {
            const QWidget* img = icon(tree, i);
            const QLabel* lbl = count(tree, i);
            ASSERT_TRUE(img && lbl);
            EXPECT_EQ(img->geometry(), toPixels(iconRect(tree, i)));
            EXPECT_EQ(img->toolTip(), name(model::skill(tree, i).tooltip));
            EXPECT_EQ(lbl->text(), "0");
            // Just right of the icon's lower half.
            EXPECT_NEAR(lbl->x() - img->x(), 37, 3);
            EXPECT_NEAR(lbl->y() - img->y(), 23, 3);
        }
    }
    EXPECT_EQ(screen->findChildren<SkillIcon*>().size(), 30);
}

TEST_P(EveryClass, startsAtLevelOneWithNothingSpent) {
    open(GetParam());
    EXPECT_EQ(build.screen()->classId(), GetParam());
    EXPECT_EQ(label("lbl_CharLevel")->text(), "Level: 1");
    EXPECT_EQ(label("lbl_SkillLevel")->text(), "Skill Points: 0");
    EXPECT_EQ(label("lbl_Reserved")->text(), "Reserved Points: 0");
    EXPECT_TRUE(label("lbl_UnAvail")->isHidden());
    EXPECT_EQ(label("lbl_UnAvail")->text(), "");
    EXPECT_EQ(description(), "");
    EXPECT_FALSE(label("lbl_Notice")->text().isEmpty());
    EXPECT_EQ(find<QListWidget>("lb_SkillsPerLevel")->count(), 0);
    EXPECT_EQ(outline()->pos(), QPoint(-67, -67));

    const std::array<std::pair<const char*, const char*>, 6> tiers{{{"lbl_Level1", "[  Level 1  ]"},
                                                                    {"lbl_Level6", "[  Level 6  ]"},
                                                                    {"lbl_Level12", "[  Level 12  ]"},
                                                                    {"lbl_Level18", "[  Level 18  ]"},
                                                                    {"lbl_Level24", "[  Level 24  ]"},
                                                                    {"lbl_Level30", "[  Level 30  ]"}}};
    for (const auto& [objectName, text] : tiers) {
        EXPECT_EQ(label(objectName)->text(), text);
        EXPECT_EQ(textColour(label(objectName)),
                  objectName == tiers[0].first ? kHighlightColour : kWhiteColour)
            << objectName;
    }
    for (const char* command : {"lbl_Save", "lbl_Reset", "lbl_ChangeClass", "lbl_UndoLast", "lbl_Close"}) {
        EXPECT_EQ(textColour(label(command)), kHighlightColour) << command;
    }
}

INSTANTIATE_TEST_SUITE_P(SkillTreeScreen, EveryClass,
                         ::testing::Values(ClassId::Necromancer, ClassId::Amazon, ClassId::Barbarian,
                                           ClassId::Paladin, ClassId::Sorceress));

// ---------------------------------------------------------------- clicks

TEST_F(SkillTreeScreenTest, acceptedClickUpdatesCountLevelPointsAndHistory) {
    open(ClassId::Necromancer);
    clickIcon(TreeId::NecroBone, 0); // Teeth, open from level 1
    EXPECT_EQ(count(TreeId::NecroBone, 0)->text(), "1");
    EXPECT_EQ(label("lbl_CharLevel")->text(), "Level 2");
    EXPECT_EQ(label("lbl_SkillLevel")->text(), "Skill Points:  1");
    EXPECT_TRUE(label("lbl_UnAvail")->isHidden());
    clickIcon(TreeId::NecroBone, 0);
    auto* history = find<QListWidget>("lb_SkillsPerLevel");
    ASSERT_EQ(history->count(), 2);
    EXPECT_EQ(history->item(0)->text(), "Clvl 2 Slvl 1: Teeth");
    EXPECT_EQ(history->item(1)->text(), "Clvl 3 Slvl 2: Teeth");
    EXPECT_EQ(history->currentRow(), 1);
    EXPECT_TRUE(history->item(1)->isSelected());
}

TEST_F(SkillTreeScreenTest, refusedClickShowsTheReasonUntilFiveSecondsAfterTheLastNotice) {
    open(ClassId::Necromancer);
    QLabel* notice = label("lbl_UnAvail");
    clickIcon(TreeId::NecroBone, 9); // Bone Spirit: a level-30 skill
    EXPECT_EQ(count(TreeId::NecroBone, 9)->text(), "0");
    EXPECT_EQ(label("lbl_CharLevel")->text(), "Level: 1");
    const QString first =
        QStringLiteral("Not available yet, you must be character level 30 first (or just getting level 30).");
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), first);

    toolkit.advance(3000);
    clickIcon(TreeId::NecroBone, 3); // Corpse Explosion: needs level 6 and Teeth
    const QString second =
        QStringLiteral("Not available yet, you must be character level 6 first (or just getting level 6).");
    EXPECT_EQ(notice->text(), second);

    toolkit.advance(4999);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), second);
    toolkit.advance(1);
    EXPECT_FALSE(notice->isVisible());
}

TEST_F(SkillTreeScreenTest, commandLabelsRunUndoResetSaveAndClassChange) {
    open(ClassId::Sorceress);
    QSignalSpy change(screen.get(), &SkillTreeScreen::changeClassRequested);
    clickIcon(TreeId::SorcFire, 0);
    clickIcon(TreeId::SorcFire, 0);
    QTest::mouseClick(label("lbl_UndoLast"), Qt::LeftButton);
    EXPECT_EQ(count(TreeId::SorcFire, 0)->text(), "1");
    EXPECT_EQ(find<QListWidget>("lb_SkillsPerLevel")->count(), 1);

    QTemporaryDir folder;
    toolkit.folder = folder.path().toStdString();
    toolkit.inputs = {"Tal"};
    QTest::mouseClick(label("lbl_Save"), Qt::LeftButton);
    QFile saved(folder.filePath(QStringLiteral("Tal.txt")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("Class: Sorceress\r\nLevel: 2\r\n"));
    EXPECT_TRUE(find<QListWidget>("lb_SkillsPerLevel")->isVisible());

    QTest::mouseClick(label("lbl_Reset"), Qt::LeftButton);
    EXPECT_EQ(count(TreeId::SorcFire, 0)->text(), "0");
    EXPECT_EQ(label("lbl_CharLevel")->text(), "Level 1");
    EXPECT_EQ(find<QListWidget>("lb_SkillsPerLevel")->count(), 0);

    clickIcon(TreeId::SorcFire, 0);
    QTest::mouseClick(label("lbl_ChangeClass"), Qt::RightButton);
    EXPECT_EQ(change.count(), 0);
    QTest::mouseClick(label("lbl_ChangeClass"), Qt::LeftButton);
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(build.levelsGained(), 0) << "a class change resets the build first";
}

TEST_F(SkillTreeScreenTest, escapeInTheHistoryListAsksForAClassChangeOtherKeysDoNot) {
    open(ClassId::Necromancer);
    QSignalSpy change(screen.get(), &SkillTreeScreen::changeClassRequested);
    clickIcon(TreeId::NecroBone, 0);
    clickIcon(TreeId::NecroBone, 0);
    auto* history = find<QListWidget>("lb_SkillsPerLevel");
    QTest::keyClick(history, Qt::Key_Up);
    EXPECT_EQ(change.count(), 0);
    EXPECT_EQ(history->currentRow(), 0); // the list's own handling
    toolkit.advance(5000);               // a notice tick does not take the browsed entry away
    EXPECT_EQ(history->currentRow(), 0);
    QTest::keyClick(history, Qt::Key_Escape);
    EXPECT_EQ(change.count(), 1);
}

TEST_F(SkillTreeScreenTest, onlyTheRightButtonOnAnIconAsksForTheSkillMenu) {
    open(ClassId::Amazon);
    QSignalSpy right(screen.get(), &SkillTreeScreen::skillMenuRequested);
    clickIcon(TreeId::AmazonPM, 1, Qt::MiddleButton);
    clickIcon(TreeId::AmazonPM, 1, Qt::LeftButton);
    EXPECT_EQ(right.count(), 0);
    EXPECT_EQ(build.variables().ActiveTree, "");
    clickIcon(TreeId::AmazonPM, 1, Qt::RightButton);
    ASSERT_EQ(right.count(), 1);
    EXPECT_EQ(build.variables().ActiveTree, "AmazonPM");
    EXPECT_EQ(build.variables().ActiveSkillIndex, 1);
    EXPECT_EQ(build.variables().ActiveSkillPoints, 1);
    EXPECT_EQ(count(TreeId::AmazonPM, 1)->text(), "1"); // only the left click spent a point
}

TEST_F(SkillTreeScreenTest, closingTheScreenClosesItInTheBuild) {
    open(ClassId::Barbarian);
    ASSERT_NE(build.screen(), nullptr);
    screen.reset();
    EXPECT_EQ(build.screen(), nullptr);
    EXPECT_EQ(build.click(TreeId::BarBarCS, 0).refusal, model::Refusal::NoSuchSkill);
}

TEST_F(SkillTreeScreenTest, anOlderScreenGoingLeavesTheNewerOneOpen) {
    open(ClassId::Barbarian);
    auto newer = std::make_unique<SkillTreeScreen>(ClassId::Paladin, build, toolkit);
    screen.reset();
    ASSERT_NE(build.screen(), nullptr);
    EXPECT_EQ(build.screen()->classId(), ClassId::Paladin);
    QTest::mouseClick(newer->findChild<QWidget*>("img_PaladinCombat(0)"), Qt::LeftButton);
    EXPECT_EQ(newer->findChild<QLabel*>("lbl_PaladinCombat(0)")->text(), "1");
}

// ---------------------------------------------------------------- hover

TEST_F(SkillTreeScreenTest, iconHoverShowsTheSkillAndFramesTheIconMovingOnlyWhenItMust) {
    open(ClassId::Necromancer);
    QWidget* teeth = icon(TreeId::NecroBone, 0);
    moveOnto(teeth);
    EXPECT_EQ(description(), "Teeth\r\n" + name(model::skillDescription(TreeId::NecroBone, 0)) +
                                 "\r\nRight click for reserve options and skill stats.");
    EXPECT_EQ(outline()->geometry(), outlineAround(TreeId::NecroBone, 0));

    int outlineMoves = 0;
    struct MoveCounter : QObject {
        int* moves;
        explicit MoveCounter(int* m) : moves(m) {}
        bool eventFilter(QObject*, QEvent* e) override {
            *moves += e->type() == QEvent::Move ? 1 : 0;
            return false;
        }
    } counter(&outlineMoves);
    outline()->installEventFilter(&counter);
    moveOnto(teeth, {20, 20});
    moveOnto(teeth, {30, 10});
    EXPECT_EQ(outlineMoves, 0);

    // Onto the next icon at once; then onto its count label, which keeps everything.
    moveOnto(icon(TreeId::NecroCurse, 0));
    EXPECT_EQ(outline()->geometry(), outlineAround(TreeId::NecroCurse, 0));
    EXPECT_TRUE(description().startsWith("Amplify Damage\r\n"));
    moveOnto(count(TreeId::NecroCurse, 0));
    EXPECT_EQ(outline()->geometry(), outlineAround(TreeId::NecroCurse, 0));
    EXPECT_TRUE(description().startsWith("Amplify Damage\r\n"));
    outline()->removeEventFilter(&counter);

    moveTo(bareSurface());
    EXPECT_EQ(outline()->pos(), QPoint(-67, -67));
    EXPECT_EQ(description(), "");
}

TEST_F(SkillTreeScreenTest, multiShotArrowCarriesItsNoteBeforeTheLastLine) {
    const model::Tree& bow = model::tree(TreeId::AmazonBC);
    const auto it = std::find_if(bow.skills.begin(), bow.skills.end(),
                                 [](const model::Skill& s) { return s.name == "Multi-Shot Arrow"; });
    ASSERT_NE(it, bow.skills.end());
    const int index = static_cast<int>(it - bow.skills.begin());
    ASSERT_FALSE(model::skillNote(TreeId::AmazonBC, index).empty());
    const QStringList lines = SkillTreeScreen::skillHoverText(TreeId::AmazonBC, index).split("\r\n");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "Multi-Shot Arrow");
    EXPECT_EQ(lines[2], name(model::skillNote(TreeId::AmazonBC, index)));
    EXPECT_EQ(lines[3], "Right click for reserve options and skill stats.");
}

TEST_F(SkillTreeScreenTest, commandHoverTurnsLabelsWhiteUntilTheBareSurfaceOrButtonPanel) {
    open(ClassId::Paladin);
    moveOnto(label("lbl_Save"));
    EXPECT_EQ(description(), "Save your character To a text file.");
    EXPECT_EQ(textColour(label("lbl_Save")), kWhiteColour);
    moveOnto(label("lbl_ChangeClass"));
    EXPECT_TRUE(description().startsWith("Change the type of character you are.\r\n          Amazon\r\n"));
    EXPECT_TRUE(description().endsWith("\r\n          Sorceress"));
    // A second label turns white too; the first stays white until a reset.
    EXPECT_EQ(textColour(label("lbl_Save")), kWhiteColour);
    EXPECT_EQ(textColour(label("lbl_ChangeClass")), kWhiteColour);

    // The button panel between two labels resets the hover state.
    const QLabel* panel = label("img_ButtonBack");
    moveTo(panel->mapTo(screen.get(), QPoint(80, 5)));
    EXPECT_EQ(description(), "");
    EXPECT_EQ(textColour(label("lbl_Save")), kHighlightColour);
    EXPECT_EQ(textColour(label("lbl_ChangeClass")), kHighlightColour);

    moveOnto(label("lbl_Close"));
    EXPECT_EQ(description(), "Close this window");
    moveTo(bareSurface());
    EXPECT_EQ(textColour(label("lbl_Close")), kHighlightColour);
    EXPECT_EQ(description(), "");
}

TEST_F(SkillTreeScreenTest, movesOverPassiveControlsChangeNothing) {
    open(ClassId::Necromancer);
    QWidget* teeth = icon(TreeId::NecroBone, 0);
    moveOnto(teeth);
    const QString shown = description();
    const QRect framed = outline()->geometry();
    for (const char* passive :
         {"lb_SkillsPerLevel", "lbl_CharLevel", "lbl_SkillLevel", "lbl_Reserved", "lbl_Char", "lbl_Summon",
          "lbl_Level6", "lbl_Notice", "img_BottomBack", "img_Connector(0)", "lbl_Description"}) {
        const QWidget* w = find<QWidget>(QLatin1String(passive));
        // The bottom panel is mostly covered by the list and the description: aim at a free strip.
        moveOnto(w, passive == std::string_view("img_BottomBack") ? QPoint(400, 200) : w->rect().center());
        EXPECT_EQ(description(), shown) << passive;
        EXPECT_EQ(outline()->geometry(), framed) << passive;
    }
}

TEST_F(SkillTreeScreenTest, theNoticeAreaCountsAsBareSurfaceOnlyWhileHidden) {
    open(ClassId::Necromancer);
    // The strip of the notice label above the bottom panel.
    const QPoint noticeArea(700, label("lbl_UnAvail")->y() + 2);
    moveOnto(icon(TreeId::NecroBone, 0));
    moveTo(noticeArea);
    EXPECT_EQ(description(), "");

    clickIcon(TreeId::NecroBone, 9); // refused: the notice shows
    moveOnto(icon(TreeId::NecroBone, 0));
    moveTo(noticeArea);
    EXPECT_TRUE(description().startsWith("Teeth"));
}

} // namespace

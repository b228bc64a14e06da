// The skill tree screen on real widgets: what it shows when created, how it
// mirrors the build after clicks, the notice and its timer, and the hover.
#include "Colours.h"

#include <model/Build.h>
#include <screens/tree/ScreenDesign.h>
#include <screens/tree/SkillTreeScreen.h>
#include <screens/tree/TreeWidgets.h>
#include <toolkit/ScriptedToolkit.h>

#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMoveEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStaticText>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <document/PlanDocument.h>
#include <memory>
#include <ostream>
#include <ranges>
#include <tuple>

// Rectangles and points as figures in failure messages.
void PrintTo(const QRect& r, std::ostream* os) {
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}
void PrintTo(const QPoint& p, std::ostream* os) {
    *os << "QPoint(" << p.x() << ", " << p.y() << ")";
}

using namespace skillwright;
using namespace skillwright::screens;
using model::ClassId;
using model::TreeId;

namespace {

// The screen kit's own names would shadow the figures the tests expect.
namespace seen = skillwright::testing;
using seen::textColour;

QString name(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString element(std::string_view array, int index) {
    return name(array) + QStringLiteral("(%1)").arg(index);
}

class SkillTreeScreenTest : public ::testing::Test {
protected:
    void open(ClassId classId) {
        document.startNew(classId);
        screen = std::make_unique<SkillTreeScreen>(document, toolkit);
        screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
    }

    template <typename T = QLabel> T* find(const QString& objectName) const {
        T* w = screen->findChild<T*>(objectName);
        EXPECT_NE(w, nullptr) << objectName.toStdString();
        return w;
    }
    QWidget* icon(TreeId tree, int i) const {
        return find<QWidget>(element(screens::iconArrayName(tree), i));
    }
    QLabel* count(TreeId tree, int i) const { return find(element(screens::countArrayName(tree), i)); }
    QLabel* label(const char* objectName) const { return find(QLatin1String(objectName)); }
    QFrame* outline() const { return find<QFrame>(QStringLiteral("sh_Outline")); }
    QString description() const { return label("lbl_Description")->text(); }
    QListWidget* history() const { return find<QListWidget>("lb_SkillsPerLevel"); }
    void clickLabel(const char* objectName) { QTest::mouseClick(label(objectName), Qt::LeftButton); }

    void clickIcon(TreeId tree, int i, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(icon(tree, i), button);
    }
    /// A pointer move through the window, so it reaches whatever lies under it.
    void moveTo(QPoint screenPos) { QTest::mouseMove(screen->windowHandle(), screenPos); }
    void moveOnto(const QWidget* w) { moveTo(w->geometry().center()); }
    void moveOnto(const QWidget* w, QPoint offset) { moveTo(w->mapTo(screen.get(), offset)); }

    /// A point of the tree area on no control: left of the first icon column, below the tier caption.
    static QPoint bareSurface() { return {40, 70}; }

    toolkit::ScriptedToolkit toolkit;
    document::PlanDocument document;
    std::unique_ptr<SkillTreeScreen> screen;
};

// ---------------------------------------------------------------- creation

class EveryClass : public SkillTreeScreenTest, public ::testing::WithParamInterface<ClassId> {};

TEST_P(EveryClass, isBuiltFromTheOneDesignWithItsOwnDataAtLevelOne) {
    open(GetParam());
    const model::ClassInfo& info = model::classInfo(GetParam());
    EXPECT_EQ(screen->objectName(), name(screens::classDesign(info.id).screenName));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Diablo II Skillwright (") + name(info.name) + ")");
    EXPECT_EQ(screen->size(), QSize(800, 600));
    EXPECT_EQ(label("lbl_Char")->text(), name(info.name));
    EXPECT_NE(screen->findChild<QLabel*>(name(classDesign(GetParam()).buttonPanelName)), nullptr);
    EXPECT_EQ(label("lbl_Summon")->text(), name(model::tree(info.trees[0]).title));
    EXPECT_EQ(label("lbl_PB")->text(), name(model::tree(info.trees[1]).title));
    EXPECT_EQ(label("Label1")->text(), name(model::tree(info.trees[2]).title));
    // The tier labels' ink, "[" first, keeps clear of the look-back frame's 3 pixels.
    for (QLabel* tier : screen->findChildren<QLabel*>(QRegularExpression("^lbl_Level[0-9]+$"))) {
        const QImage with = screen->grab(tier->geometry()).toImage();
        tier->hide();
        const QImage without = screen->grab(tier->geometry()).toImage();
        tier->show();
        const auto inkAt = [&](int x) {
            for (int y = 0; y < with.height(); ++y) {
                if (with.pixel(x, y) != without.pixel(x, y)) {
                    return true;
                }
            }
            return false;
        };
        int firstInk = 0;
        while (firstInk < with.width() && !inkAt(firstInk)) {
            ++firstInk;
        }
        EXPECT_TRUE(tier->x() + firstInk >= 3 && firstInk < with.width()) << tier->objectName().toStdString();
    }

    // The one grid of every screen, in pixels: icon Tops 390, 1200, 2010, 2850,
    // 3705, 4530 twips by tier row; column Lefts 1575 2400 3210, 4365 5205 6060,
    // 7185 7950 8745 twips by tree; 540 x 555 twips. A count stands 345 twips
    // below its icon's Top and 555 twips right of its Left, 510 or 525 in the
    // right tree's two close columns; 225 x 225 twips.
    constexpr std::array<int, 6> kTops{26, 80, 134, 190, 247, 302};
    constexpr std::array<std::array<int, 3>, 3> kLefts{{{105, 160, 214}, {291, 347, 404}, {479, 530, 583}}};
    constexpr std::array<std::array<int, 3>, 3> kCountLefts{
        {{142, 197, 251}, {328, 384, 441}, {514, 567, 620}}};
    for (const TreeId tree : info.trees) {
        const auto position = static_cast<std::size_t>(model::tree(tree).position);
        for (int i = 0; i < model::kSkillsPerTree; ++i) {
            const model::Skill& skill = model::skill(tree, i);
            SCOPED_TRACE(std::string(skill.name));
            const QWidget* img = icon(tree, i);
            const QLabel* lbl = count(tree, i);
            ASSERT_TRUE(img && lbl);
            const int top = kTops[static_cast<std::size_t>(skill.tierRow())];
            const auto column = static_cast<std::size_t>(skill.column - 1);
            EXPECT_EQ(img->geometry(), QRect(kLefts[position][column], top, 36, 37));
            EXPECT_EQ(lbl->geometry(), QRect(kCountLefts[position][column], top + 23, 15, 15));
            EXPECT_EQ(img->toolTip(), name(skill.tooltip));
            EXPECT_EQ(lbl->text(), "0");
        }
    }
    EXPECT_EQ(screen->findChildren<SkillIcon*>().size(), 30);

    // Level one, nothing spent.
    EXPECT_EQ(document.classId(), GetParam());
    EXPECT_EQ(label("lbl_CharLevel")->text(), "Level: 1");
    EXPECT_EQ(label("lbl_SkillLevel")->text(), "Skill Points: 0");
    EXPECT_EQ(label("lbl_Reserved")->text(), "Reserved Points: 0");
    EXPECT_TRUE(label("lbl_UnAvail")->isHidden());
    EXPECT_EQ(label("lbl_UnAvail")->text(), "");
    EXPECT_EQ(description(), "");
    EXPECT_FALSE(label("lbl_Notice")->text().isEmpty());
    EXPECT_EQ(history()->count(), 0);
    EXPECT_EQ(outline()->pos(), QPoint(-67, -67));

    for (const int level : {1, 6, 12, 18, 24, 30}) {
        EXPECT_EQ(label(("lbl_Level" + std::to_string(level)).c_str())->text(),
                  QStringLiteral("[  Level %1  ]").arg(level));
    }
    for (const char* command : {"lbl_Save", "lbl_Reset", "lbl_ChangeClass", "lbl_UndoLast", "lbl_Close"}) {
        EXPECT_EQ(textColour(label(command)), seen::kParchment) << command;
    }
}

INSTANTIATE_TEST_SUITE_P(SkillTreeScreen, EveryClass,
                         ::testing::Values(ClassId::Necromancer, ClassId::Amazon, ClassId::Barbarian,
                                           ClassId::Paladin, ClassId::Sorceress));

/// The columns of a text's ink, drawn in a label's font and alignment at the label's place.
std::pair<int, int> inkColumns(const QLabel& label, const QString& text) {
    QImage image(label.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(label.font());
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), static_cast<int>(label.alignment()), text);
    painter.end();
    int first = image.width();
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {label.x() + first, label.x() + last};
}

TEST_F(SkillTreeScreenTest, twoDigitCountsInTheRightTreeKeepClearOfTheIconsBesideThem) {
    // The right tree's columns stand closest: 15 and 17 pixels between icons.
    struct Case {
        ClassId classId;
        const char* count;
        QRect countRect;
        QRect ownIcon;
        QRect nextIcon;
    };
    // clang-format off
    const std::array<Case, 4> cases{{
        {ClassId::Sorceress, "lbl_SorceressCold(2)", {514, 103, 15, 15}, {479, 80, 36, 37}, {530, 80, 36, 37}},
        {ClassId::Necromancer, "lbl_NecroCurse(5)", {514, 213, 15, 15}, {479, 190, 36, 37}, {530, 190, 36, 37}},
        {ClassId::Paladin, "lbl_PaladinDefensive(2)", {567, 103, 15, 15}, {530, 80, 36, 37}, {583, 80, 36, 37}},
        {ClassId::Amazon, "lbl_AmazonBC(7)", {567, 270, 15, 15}, {530, 247, 36, 37}, {583, 247, 36, 37}},
    }};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        screen.reset();
        open(c.classId);
        const QLabel* lbl = label(c.count);
        ASSERT_NE(lbl, nullptr);
        EXPECT_EQ(lbl->geometry(), c.countRect);
        const auto [first, last] = inkColumns(*lbl, QStringLiteral("20"));
        EXPECT_GE(c.nextIcon.left() - last - 1, 2) << "free columns before the next icon";
        EXPECT_GT(first, c.ownIcon.right()) << "no ink on its own icon";
    }
}

// The list has no horizontal scroll bar: a quest entry too long for its
// line takes a smaller size of the list's face, one too long even then is
// cut with an ellipsis and whole in its tooltip, and one that just fits
// keeps the list's size.
TEST_F(SkillTreeScreenTest, everyHistoryEntryFitsItsLineSmallerOrCutWithATooltip) {
    open(ClassId::Sorceress);
    const int room = history()->width() - 12 - 4; // the scroll bar, and 2 pixels of indent each side
    const struct {
        model::HistoryEntry entry;
        const char* drawn;
        bool smaller;
    } cases[] = {
        {{model::EntryKind::Izual, 0, 3, 4, {TreeId::SorceressCold, 8}},
         "Izual Quest Point:(2) Nightmare Slvl 3: Frozen Orb",
         true},
        {{model::EntryKind::Izual, 0, 17, 3, {TreeId::SorceressCold, 6}},
         "Izual Quest Point:(1) Nightmare Slvl 17: Blizzard",
         false},
        {{model::EntryKind::Ordinary, 99, 20, 0, {TreeId::SorceressCold, 8}},
         "Clvl 99 Slvl 20: Frozen Orb",
         false},
        {{model::EntryKind::Izual, 0, 20, 4, {TreeId::BarbarianMasteries, 9}},
         "Izual Quest Point:(2) Nightmare Slvl 20: Natural Resista\u2026",
         true},
    };
    for (const auto& c : cases) {
        QListWidgetItem item(QString::fromStdString(model::formatEntry(c.entry)));
        const QStaticText line = screens::HistoryDelegate::layOut(item, *history());
        const QVariant font = item.data(Qt::FontRole);
        EXPECT_EQ(line.text().toStdString(), c.drawn);
        EXPECT_EQ(font.isValid(), c.smaller) << c.drawn;
        EXPECT_EQ(item.toolTip(), line.text() == item.text() ? QString() : item.text()) << c.drawn;
        EXPECT_LE(
            QFontMetrics(c.smaller ? font.value<QFont>() : history()->font()).horizontalAdvance(line.text()),
            room)
            << c.drawn;
    }
}

// ---------------------------------------------------------------- clicks

TEST_F(SkillTreeScreenTest, acceptedClicksShowOnTheLabelsAndTheLevelSixCaptionTurnsGoldAtLevelFive) {
    open(ClassId::Necromancer);
    const QColor gold = seen::kParchment;
    const QColor white = seen::kWhite;
    const auto expectTiers = [&](const QColor& levelSix) {
        EXPECT_EQ(textColour(label("lbl_Level1")), gold);
        EXPECT_EQ(textColour(label("lbl_Level6")), levelSix);
        for (const char* later : {"lbl_Level12", "lbl_Level18", "lbl_Level24", "lbl_Level30"}) {
            EXPECT_EQ(textColour(label(later)), white) << later;
        }
    };
    expectTiers(white);
    for (int i = 0; i < 3; ++i) {
        clickIcon(TreeId::NecromancerPoisonBone, 0); // Teeth, open from level 1
    }
    EXPECT_EQ(count(TreeId::NecromancerPoisonBone, 0)->text(), "3");
    EXPECT_EQ(label("lbl_CharLevel")->text(), "Level 4");
    EXPECT_EQ(label("lbl_SkillLevel")->text(), "Skill Points:  3");
    EXPECT_TRUE(label("lbl_UnAvail")->isHidden());
    ASSERT_EQ(history()->count(), 3);
    EXPECT_EQ(history()->item(0)->text(), "Clvl 2 Slvl 1: Teeth");
    EXPECT_EQ(history()->item(2)->text(), "Clvl 4 Slvl 3: Teeth");
    EXPECT_EQ(history()->currentRow(), 2);
    EXPECT_TRUE(history()->item(2)->isSelected());
    expectTiers(white);
    clickIcon(TreeId::NecromancerSummoning, 0); // Skeleton Mastery
    ASSERT_EQ(label("lbl_CharLevel")->text(), "Level 5");
    expectTiers(gold);
    clickIcon(TreeId::NecromancerPoisonBone, 0);
    expectTiers(gold);
    clickLabel("lbl_UndoLast");
    ASSERT_EQ(label("lbl_CharLevel")->text(), "Level 5");
    expectTiers(gold);
    clickLabel("lbl_UndoLast");
    ASSERT_EQ(label("lbl_CharLevel")->text(), "Level 4");
    expectTiers(white);
}

TEST_F(SkillTreeScreenTest, refusedClickShowsTheReasonUntilFiveSecondsAfterTheLastNotice) {
    open(ClassId::Necromancer);
    QLabel* notice = label("lbl_UnAvail");
    clickIcon(TreeId::NecromancerPoisonBone, 9); // Bone Spirit: a level-30 skill
    EXPECT_EQ(count(TreeId::NecromancerPoisonBone, 9)->text(), "0");
    EXPECT_EQ(label("lbl_CharLevel")->text(), "Level: 1");
    const QString first =
        QStringLiteral("Not available yet, you must be character level 30 first (or just getting level 30).");
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), first);

    toolkit.advance(3000);
    clickIcon(TreeId::NecromancerPoisonBone, 3); // Corpse Explosion: needs level 6 and Teeth
    const QString second =
        QStringLiteral("Not available yet, you must be character level 6 first (or just getting level 6).");
    EXPECT_EQ(notice->text(), second);

    toolkit.advance(4999);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), second);
    toolkit.advance(1);
    EXPECT_FALSE(notice->isVisible());
}

TEST_F(SkillTreeScreenTest, commandLabelsRunUndoClassChangeAndExitOnTheLeftButtonOnly) {
    open(ClassId::Sorceress);
    QSignalSpy change(screen.get(), &SkillTreeScreen::changeClassRequested);
    QSignalSpy exit(screen.get(), &SkillTreeScreen::exitRequested);
    clickIcon(TreeId::SorceressFire, 0);
    clickIcon(TreeId::SorceressFire, 0);
    clickLabel("lbl_UndoLast");
    EXPECT_EQ(count(TreeId::SorceressFire, 0)->text(), "1");
    EXPECT_EQ(history()->count(), 1);

    QTest::mouseClick(label("lbl_ChangeClass"), Qt::RightButton);
    QTest::mouseClick(label("lbl_Close"), Qt::RightButton);
    EXPECT_EQ(change.count(), 0);
    EXPECT_EQ(exit.count(), 0);
    clickLabel("lbl_ChangeClass");
    EXPECT_EQ(change.count(), 1);

    clickLabel("lbl_Close"); // EXIT asks for the program's end at once, without a question
    EXPECT_EQ(exit.count(), 1);
    EXPECT_TRUE(toolkit.messages.empty());
}

TEST_F(SkillTreeScreenTest, browsedHistoryGoesBackToTheNewestEntryAfterSaveEscapeAsksForAClassChange) {
    open(ClassId::Sorceress);
    QSignalSpy change(screen.get(), &SkillTreeScreen::changeClassRequested);
    QTemporaryDir folder;
    toolkit.folder = folder.path().toStdString();
    clickIcon(TreeId::SorceressFire, 0);
    clickIcon(TreeId::SorceressFire, 0);
    clickIcon(TreeId::SorceressCold, 0);
    struct Case {
        const char* name;
        bool written;
    };
    for (const Case& c : {Case{"Tal", true}, Case{"a/b", false}}) {
        SCOPED_TRACE(c.name);
        QTest::keyClick(history(), Qt::Key_Up);
        QTest::keyClick(history(), Qt::Key_Up);
        ASSERT_EQ(history()->currentRow(), 0);
        toolkit.inputs = {c.name};
        const std::size_t messages = toolkit.messages.size();
        clickLabel("lbl_Save");
        EXPECT_EQ(toolkit.messages.size(), messages + (c.written ? 0 : 1)) << "a failed save says so";
        EXPECT_EQ(history()->currentRow(), 2);
        EXPECT_TRUE(history()->item(2)->isSelected());
        EXPECT_TRUE(history()->isVisible());
    }
    QFile saved(folder.filePath(QStringLiteral("Tal.txt")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("Class: Sorceress\r\nLevel: 4\r\n"));

    // Keys browse the list; a notice tick leaves the browsed entry; Escape asks for a class change.
    QTest::keyClick(history(), Qt::Key_Up);
    toolkit.advance(5000);
    EXPECT_EQ(history()->currentRow(), 1);
    EXPECT_EQ(change.count(), 0);
    QTest::keyClick(history(), Qt::Key_Escape);
    EXPECT_EQ(change.count(), 1);
}

TEST_F(SkillTreeScreenTest, aScreenNeitherStartsNorEndsThePlanItShows) {
    open(ClassId::Necromancer);
    clickIcon(TreeId::NecromancerPoisonBone, 0);
    screen.reset();
    ASSERT_TRUE(document.isOpen());
    EXPECT_EQ(document.build().characterLevel(), 2);
    screen = std::make_unique<SkillTreeScreen>(document, toolkit);
    EXPECT_EQ(count(TreeId::NecromancerPoisonBone, 0)->text(), "1");
    EXPECT_EQ(label("lbl_CharLevel")->text(), "Level 2") << "a plan shown as opened";
    EXPECT_EQ(history()->count(), 1);
}

// ---------------------------------------------------------------- hover

TEST_F(SkillTreeScreenTest, iconHoverShowsTheSkillAndFramesTheIconMovingOnlyWhenItMust) {
    open(ClassId::Necromancer);
    // Every place the outline is moved to, in order.
    struct MoveRecorder : QObject {
        std::vector<QPoint> places;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Move) {
                places.push_back(static_cast<QMoveEvent*>(e)->pos());
            }
            return false;
        }
    } moves;
    outline()->installEventFilter(&moves);

    // The outline frames an icon 20 twips out on every side: 580 x 595 twips.
    QWidget* teeth = icon(TreeId::NecromancerPoisonBone, 0); // 5205, 390
    moveOnto(teeth);
    EXPECT_EQ(description(), "Teeth\r\n" + name(model::skillDescription(TreeId::NecromancerPoisonBone, 0)) +
                                 "\r\nRight click for reserve options and skill stats.");
    EXPECT_EQ(outline()->geometry(), QRect(346, 25, 38, 39));
    moves.places.clear();
    moveOnto(teeth, {20, 20});
    moveOnto(teeth, {30, 10});
    EXPECT_TRUE(moves.places.empty()) << "moves within one icon leave the outline alone";

    // Onto icons in another row and column: the outline goes down or up first, then across.
    struct Step {
        TreeId tree;
        int index;
        const char* skill;
        QPoint between;
        QRect framed;
    };
    const std::array<Step, 2> steps{{
        {TreeId::NecromancerPoisonBone, 8, "Poison Nova", {346, 301}, {290, 301, 38, 39}}, // 4365, 4530
        {TreeId::NecromancerCurses, 0, "Amplify Damage", {290, 25}, {529, 25, 38, 39}},    // 7950, 390
    }};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.skill);
        moves.places.clear();
        moveOnto(icon(step.tree, step.index));
        EXPECT_EQ(moves.places, (std::vector<QPoint>{step.between, step.framed.topLeft()}));
        EXPECT_EQ(outline()->geometry(), step.framed);
        EXPECT_TRUE(description().startsWith(QLatin1String(step.skill) + "\r\n"));
    }
    // Onto the count label beside the last icon: everything stays.
    moveOnto(count(TreeId::NecromancerCurses, 0));
    EXPECT_EQ(outline()->geometry(), QRect(529, 25, 38, 39));
    EXPECT_TRUE(description().startsWith("Amplify Damage\r\n"));
    outline()->removeEventFilter(&moves);

    moveTo(bareSurface());
    EXPECT_EQ(outline()->pos(), QPoint(-67, -67));
    EXPECT_EQ(description(), "");
}

TEST_F(SkillTreeScreenTest, commandHoverTurnsLabelsWhiteUntilTheBareSurfaceOrButtonPanel) {
    open(ClassId::Paladin);
    moveOnto(label("lbl_Save"));
    EXPECT_EQ(description(), "Save your character To a text file.");
    EXPECT_EQ(textColour(label("lbl_Save")), seen::kWhite);
    moveOnto(label("lbl_ChangeClass"));
    EXPECT_TRUE(description().startsWith("Change the type of character you are.\r\n          Amazon\r\n"));
    EXPECT_TRUE(description().endsWith("\r\n          Sorceress"));
    // A second label turns white too; the first stays white until a reset.
    EXPECT_EQ(textColour(label("lbl_Save")), seen::kWhite);
    EXPECT_EQ(textColour(label("lbl_ChangeClass")), seen::kWhite);

    // The button panel between two labels resets the hover state.
    const QLabel* panel = label("img_ButtonBack");
    moveTo(panel->mapTo(screen.get(), QPoint(80, 5)));
    EXPECT_EQ(description(), "");
    EXPECT_EQ(textColour(label("lbl_Save")), seen::kParchment);
    EXPECT_EQ(textColour(label("lbl_ChangeClass")), seen::kParchment);

    moveOnto(label("lbl_Close"));
    EXPECT_EQ(description(), "Close this window");
    moveTo(bareSurface());
    EXPECT_EQ(textColour(label("lbl_Close")), seen::kParchment);
    EXPECT_EQ(description(), "");
}

TEST_F(SkillTreeScreenTest, movesOverPassiveControlsChangeNothing) {
    open(ClassId::Necromancer);
    QWidget* teeth = icon(TreeId::NecromancerPoisonBone, 0);
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
    moveOnto(icon(TreeId::NecromancerPoisonBone, 0));
    moveTo(noticeArea);
    EXPECT_EQ(description(), "");

    clickIcon(TreeId::NecromancerPoisonBone, 9); // refused: the notice shows
    moveOnto(icon(TreeId::NecromancerPoisonBone, 0));
    moveTo(noticeArea);
    EXPECT_TRUE(description().startsWith("Teeth"));
}

} // namespace

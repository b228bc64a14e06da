// The statistics viewer as a window: its controls, the load step (marked
// row, filled columns, design captions left alone for an unknown skill), the
// three kinds of figures told apart with the tips over the titles, every
// entry fitting its labels, and "Close Window".
#include "Colours.h"

#include <stats/ProgressionPlot.h>
#include <stats/SkillStatsViewer.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTextDocumentFragment>
#include <QToolTip>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace skillwright::stats;

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
using skillwright::model::SkillRef;
using skillwright::model::TreeId;

namespace {

using skillwright::testing::kBronze;
using skillwright::testing::kMarkedOrange;
using skillwright::testing::kParchment;
using skillwright::testing::textColour;
const QColor kEstimateDim(196, 182, 138);
const QColor kInferredGold(238, 201, 126);
constexpr std::array<char, 4> kLetters{'A', 'B', 'C', 'D'};

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override { viewer = open(); }
    void TearDown() override { delete viewer.data(); }

    static SkillStatsViewer* open() {
        auto* v = new SkillStatsViewer;
        v->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(v));
        return v;
    }

    QLabel* label(const QString& objectName) const {
        auto* w = viewer->findChild<QLabel*>(objectName);
        EXPECT_NE(w, nullptr) << objectName.toStdString();
        return w;
    }
    QLabel* value(int column, int row) const { return cell("lbl_Stat%1(%2)", column, row); }
    QLabel* level(int column, int row) const { return cell("lbl_SkillLevel%1(%2)", column, row); }
    QLabel* cell(const char* name, int column, int row) const {
        return label(QString::fromLatin1(name).arg(QLatin1Char(kLetters[std::size_t(column)])).arg(row));
    }
    QLabel* title(int column) const { return label(QStringLiteral("lbl_StatTitle%1").arg(column + 1)); }
    QLabel* mark(int column) const { return label(QStringLiteral("lbl_Mark%1").arg(column + 1)); }
    QStringList column(int c) const {
        QStringList texts;
        for (int row = 0; row < 20; ++row) {
            texts << value(c, row)->text();
        }
        return texts;
    }
    /// The rows whose eight labels are all in the marking colour; fails on a
    /// row marked in some columns only or in some other colour.
    std::vector<int> markedRows() const {
        std::vector<int> rows;
        for (int row = 0; row < 20; ++row) {
            int marked = 0;
            for (int c = 0; c < 4; ++c) {
                for (const QLabel* l : {value(c, row), level(c, row)}) {
                    const QColor colour = textColour(l);
                    EXPECT_TRUE(colour == kParchment || colour == kMarkedOrange || colour == kEstimateDim ||
                                colour == kInferredGold)
                        << l->objectName().toStdString();
                    marked += colour == kMarkedOrange ? 1 : 0;
                }
            }
            EXPECT_TRUE(marked == 0 || marked == 8) << "row " << row << ": " << marked << " of 8 marked";
            if (marked == 8) {
                rows.push_back(row);
            }
        }
        return rows;
    }
    /// Closes the tip at once, where QToolTip would let it fade out.
    static void hideTip() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->inherits("QTipLabel")) {
                w->close();
            }
        }
    }
    /// The tip, as the player reads it without its markup, shown when the
    /// pointer rests over the middle of `w` (or at `local` in it); empty when none is.
    static QString plainTip(QWidget* w, std::optional<QPoint> local = std::nullopt) {
        hideTip();
        const QPoint at = local.value_or(w->rect().center());
        QHelpEvent help(QEvent::ToolTip, at, w->mapToGlobal(at));
        QApplication::sendEvent(w, &help);
        const QString tip = QToolTip::isVisible() ? QToolTip::text() : QString();
        return QTextDocumentFragment::fromHtml(tip).toPlainText().trimmed();
    }
    void moveTo(QPoint windowPos) { QTest::mouseMove(viewer->windowHandle(), windowPos); }
    static void runDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QPointer<SkillStatsViewer> viewer;
};

TEST_F(ViewerTest, showsItsDesignCaptionsBeforeALoad) {
    EXPECT_EQ(viewer->objectName(), "frm_SkillStats");
    EXPECT_EQ(viewer->windowTitle(), "Skill Stats");
    EXPECT_EQ(viewer->minimumSize(), viewer->maximumSize()) << "fixed size";
    EXPECT_EQ(label("lbl_CurrentSkill")->text(), "Current Skill:");
    EXPECT_EQ(label("Label1")->text(), "Close Window");
    for (int row = 0; row < 20; ++row) {
        EXPECT_EQ(level(3, row)->text(), QString::number(row + 1));
    }
    EXPECT_EQ(markedRows(), std::vector<int>{});
    EXPECT_EQ(textColour(label("lbl_CurrentSkill")), kParchment);
    EXPECT_EQ(textColour(label("Label1")), kParchment);
}

// Loads one after another, some in a fresh viewer: each writes every cell
// (Meteor uses all four columns, Fire Bolt leaves two unused), marks the row
// of the current points alone, and an unknown tree or index fills nothing,
// leaving the design's captions.
TEST_F(ViewerTest, eachLoadWritesEveryCellAndMarksTheRowOfTheCurrentPoints) {
    using enum TreeId;
    const struct {
        bool fresh;
        SkillRef skill;
        int points;
        int marked; ///< the row marked, -1 for none
        const char* skillLine;
        int column;
        const char* title;
        const char* cell; ///< in row 5 of the column, or in all twenty where `all`
        bool all;
    } loads[] = {
        {false, {BarbarianCombat, 0}, 3, 2, "Current Skill: Bash", 0, "Damage", "+5", false},
        {false, {BarbarianCombat, 0}, 3, 2, "Current Skill: Bash", 3, "Mana Cost", "2", true},
        {false, {SorceressFire, 7}, 12, 11, "Current Skill: Meteor", 2, "Radius (Yards)", "4", true},
        {false, {SorceressFire, 0}, 2, 1, "Current Skill: Fire Bolt", 2, "Not Used", "", true},
        {false, {SorceressFire, 0}, 2, 1, "Current Skill: Fire Bolt", 3, "Not Used", "", true},
        {false, {SorceressFire, 0}, 0, -1, "Current Skill: Fire Bolt", 1, "Mana Cost", "2.5", true},
        {false, {SorceressFire, 0}, 20, 19, "Current Skill: Fire Bolt", 0, "Damage", "9- 12", false},
        {true, {NecromancerPoisonBone, 0}, 5, 4, "Current Skill: Teeth", 2, "Damage", "6- 8", false},
        {true, {SorceressFire, 10}, 0, -1, "Current Skill:", 0, "Stat Title 1", "Label 1", true},
        {true, {SorceressFire, -1}, 0, -1, "Current Skill:", 3, "Stat Title 4", "Label 1", true},
        {true, {NecromancerSummoning, 32767}, 0, -1, "Current Skill:", 1, "Stat Title 2", "Label 1", true},
        {true, {static_cast<TreeId>(15), 0}, 0, -1, "Current Skill:", 2, "Stat Title 3", "Label 1", true},
    };
    for (const auto& l : loads) {
        if (l.fresh) {
            delete viewer.data();
            viewer = open();
        }
        viewer->load(l.skill, l.points);
        SCOPED_TRACE(std::string(l.skillLine) + " " + std::to_string(l.skill.index) + " with " +
                     std::to_string(l.points) + " points");
        EXPECT_EQ(label("lbl_CurrentSkill")->text(), l.skillLine);
        EXPECT_EQ(markedRows(), l.marked < 0 ? std::vector<int>{} : std::vector<int>{l.marked});
        EXPECT_EQ(title(l.column)->text(), l.title);
        if (l.all) {
            EXPECT_EQ(column(l.column), QStringList(20, l.cell));
        } else {
            EXPECT_EQ(value(l.column, 4)->text(), l.cell);
        }
    }
}

// A plot for every column with figures of its own, its marked level drawn
// across the column's figures from the least (left) to the greatest (right),
// seven pixels in from either side.
TEST_F(ViewerTest, plotsOnlyColumnsWithFiguresOfTheirOwnAndSpansTheLeastToTheGreatest) {
    const auto plots = viewer->findChildren<ProgressionPlot*>();
    ASSERT_EQ(plots.size(), 4);
    const std::pair<SkillRef, std::vector<bool>> cases[] = {
        {{TreeId::SorceressFire, 7}, {true, true, false, true}},        // Meteor: own, own, repeated "4", own
        {{TreeId::AmazonPassiveMagic, 5}, {true, false, false, false}}, // Penetrate: one column
    };
    for (const auto& [skill, visible] : cases) {
        viewer->load(skill, 8);
        std::vector<bool> shown;
        for (const ProgressionPlot* plot : plots) {
            shown.push_back(plot->isVisible());
            EXPECT_EQ(plot->markedRow(), 7);
        }
        EXPECT_EQ(shown, visible);
    }
    // Fire Bolt's damage runs from 3 (the low end at level 1) to 34 (the high end at level 20).
    const auto orangeSpan = [&plots](int row) {
        const QImage image = plots[0]->grab().toImage();
        const int y = qRound((row + 0.5) * image.height() / 20.0);
        int first = -1;
        int last = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == kMarkedOrange) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        return std::pair{first, last};
    };
    const int width = plots[0]->width();
    viewer->load({TreeId::SorceressFire, 0}, 1);
    const auto [first1, last1] = orangeSpan(0); // 3 to 6 of 3 to 34: at the left margin, a tenth across
    EXPECT_NEAR(first1, 7 - 3, 2);
    EXPECT_LT(last1, width / 4);
    viewer->load({TreeId::SorceressFire, 0}, 20);
    const auto [first20, last20] = orangeSpan(19); // 31 to 34: from nine tenths across to the right margin
    EXPECT_GT(first20, width * 3 / 4);
    EXPECT_NEAR(last20, width - 7 + 3, 2);
}

// ---------------------------------------------------------------- three kinds

// One skill of each mix of kinds: the look of every column's figures (colour
// and slant away from the marked row), the mark in its title frame, the kind
// its plot draws, and the foot line's explanations.
TEST_F(ViewerTest, eachKindOfFigureIsDrawnInItsOwnStyle) {
    enum Kind { S, I, E, N }; // sourced, inferred, estimate, not used (drawn as sourced)
    using enum TreeId;
    const struct {
        const char* name;
        SkillRef skill;
        std::array<Kind, 4> kinds;
    } skills[] = {
        {"Power Strike", {AmazonJavelinSpear, 1}, {E, S, I, N}},    // one of each
        {"Inner Sight", {AmazonPassiveMagic, 0}, {S, E, S, S}},     // sourced and estimates
        {"Chain Lightning", {SorceressLightning, 5}, {I, I, S, N}}, // inferred, one text repeated
        {"Fire Bolt", {SorceressFire, 0}, {S, S, N, N}},            // sourced only
        {"Immolation Arrow", {AmazonBowCrossbow, 8}, {E, E, E, E}}, // estimates only
    };
    const QColor colours[] = {kParchment, kInferredGold, kEstimateDim, kParchment};
    const QString marks[] = {"", QStringLiteral("\u2020"), QStringLiteral("\u2248"), ""};
    const Trust trusts[] = {Trust::Sourced, Trust::Inferred, Trust::Estimate, Trust::Sourced};
    const auto plots = viewer->findChildren<ProgressionPlot*>();
    ASSERT_EQ(plots.size(), 4);
    for (const auto& skill : skills) {
        viewer->load(skill.skill, 4);
        bool inferred = false;
        bool estimated = false;
        for (int c = 0; c < 4; ++c) {
            const Kind kind = skill.kinds[std::size_t(c)];
            const std::string where = std::string(skill.name) + " column " + std::to_string(c + 1);
            inferred = inferred || kind == I;
            estimated = estimated || kind == E;
            for (const int row : {0, 9, 19}) {
                EXPECT_EQ(textColour(value(c, row)), colours[kind]) << where << " row " << row;
                EXPECT_EQ(value(c, row)->font().italic(), kind == E) << where << " row " << row;
            }
            EXPECT_EQ(textColour(value(c, 3)), kMarkedOrange) << where << ": the marked row";
            const QLabel* m = mark(c);
            EXPECT_EQ(m->isVisible(), kind == I || kind == E) << where;
            if (m->isVisible()) {
                EXPECT_EQ(m->text(), marks[kind]) << where;
            }
            if (kind != N) {
                EXPECT_EQ(plots[c]->trust(), trusts[kind]) << where;
            }
        }
        EXPECT_EQ(label("lbl_InferredNote")->isVisible(), inferred) << skill.name;
        EXPECT_EQ(label("lbl_EstimateNote")->isVisible(), estimated) << skill.name;
    }
    EXPECT_EQ(markedRows(), std::vector<int>{3});
}

// The foot line's explanations (which of them a skill shows is the kinds'
// test's), in one line centred under the panels.
TEST_F(ViewerTest, theFootLineExplainsTheMarksTheSkillShows) {
    const QString inferredNote =
        QStringLiteral("\u2020 figures of patch 1.10 carried back to the early game");
    const QString estimateNote = QStringLiteral("\u2248 our own estimates: no source was found for them");
    const QLabel* inferred = label("lbl_InferredNote");
    const QLabel* estimate = label("lbl_EstimateNote");
    EXPECT_EQ(inferred->text(), inferredNote);
    EXPECT_EQ(estimate->text(), estimateNote);
    EXPECT_EQ(textColour(inferred), kInferredGold);
    EXPECT_EQ(textColour(estimate), kEstimateDim);
    const auto middle = [this](const QRect& r) { return r.center().x() - viewer->width() / 2; };

    viewer->load({TreeId::AmazonJavelinSpear, 1}, 0); // Power Strike: both marks
    ASSERT_TRUE(inferred->isVisible() && estimate->isVisible());
    EXPECT_EQ(inferred->y(), estimate->y());
    EXPECT_LT(inferred->geometry().right() + 20, estimate->x()) << "side by side, apart";
    EXPECT_NEAR(middle(inferred->geometry().united(estimate->geometry())), 0, 2);
    EXPECT_GE(inferred->width(), inferred->fontMetrics().horizontalAdvance(inferredNote));

    viewer->load({TreeId::SorceressLightning, 5}, 0); // Chain Lightning: carried back only, still centred
    EXPECT_NEAR(middle(inferred->geometry()), 0, 2);
}

// A tip over every column's title frame tells where the column came from,
// one case for each way its parts combine; none over the figures.
TEST_F(ViewerTest, theTipOverEveryTitleFrameTellsWhereTheColumnCameFrom) {
    using enum TreeId;
    const QString laterPatch = QStringLiteral(
        "\u2020 Carried back from a later patch\n"
        "The figures of patch 1.10's own per-level table, where no patch note from 1.01 to 1.10 changes "
        "them. Most such figures match the early game, but about one column in seven may differ.");
    const struct {
        SkillRef skill;
        int column;
        QString tip;
    } cases[] = {
        // Power Strike: an estimate, a derived column with its note, nothing.
        {{AmazonJavelinSpear, 1},
         0,
         QStringLiteral(
             "\u2248 Our own estimate\n"
             "No source was found for these figures: they rise in smooth steps from any known value.")},
        {{AmazonJavelinSpear, 1},
         1,
         QStringLiteral("From a source: worked out from the start and the step it states\n"
                        "Source: http://bbs.tianya.cn/post-play-3615-1.shtml\n"
                        "Game version: none stated (the post is dated 17 January 2001)\n"
                        "The source says the damage rises by 3 a level, read as the high end only.")},
        {{AmazonJavelinSpear, 1}, 3, QStringLiteral("Not used by this skill")},
        // Chain Lightning: damage by the later step, with its doubt.
        {{SorceressLightning, 5},
         0,
         laterPatch + QStringLiteral(
                          "\nLevels 1 to 8 are patch 1.10's; their step goes on evenly to level 20, since "
                          "patch 1.07 raised damage above level 8.\n"
                          "Doubt: Its number of targets, a fixed 5 early, grows with level since patch 1.10, "
                          "without a note.")},
        // Ice Bolt: a page of the beta era, which a later table disagrees with.
        {{SorceressCold, 0},
         1,
         QStringLiteral("From a source: worked out from the start and the step it states\n"
                        "Source: https://www.angelfire.com/games2/Misery/sskill.html\n"
                        "Game version: none stated (a fan page of the 2000 beta era)\n"
                        "Doubt: A later table disagrees, and 8 to 160 seconds is hard to believe.")},
    };
    for (const auto& k : cases) {
        viewer->load(k.skill, 0);
        SCOPED_TRACE(label("lbl_CurrentSkill")->text().toStdString() + " column " +
                     std::to_string(k.column + 1));
        // The title, its mark, and the frame's corner beside them.
        EXPECT_EQ(plainTip(title(k.column)), k.tip);
        const QRect frameCorner = title(k.column)->geometry().adjusted(-18, -1, 18, 1);
        EXPECT_EQ(plainTip(viewer, frameCorner.topLeft()), k.tip);
        EXPECT_EQ(plainTip(viewer, frameCorner.bottomRight()), k.tip);
        EXPECT_EQ(plainTip(value(k.column, 5)), "");
        EXPECT_EQ(plainTip(viewer, value(k.column, 10)->geometry().center() + QPoint(60, 0)), "")
            << "over the plot";
    }
    viewer->load({AmazonJavelinSpear, 1}, 0);
    EXPECT_EQ(plainTip(mark(2)), laterPatch);
    EXPECT_EQ(plainTip(viewer, QPoint(6, 100)), "") << "the frame, outside every column";
    hideTip();
}

// Every skill line, title and figure fits its label, in the style it is shown
// in, and no title runs under the estimate mark; Vigor and Valkyrie have four
// estimated columns, some of long titles.
TEST_F(ViewerTest, everyEntryFitsItsLabels) {
    for (int c = 0; c < 4; ++c) {
        EXPECT_FALSE(title(c)->geometry().intersects(mark(c)->geometry())) << c;
    }
    const QLabel* skillLine = label("lbl_CurrentSkill");
    int entries = 0;
    for (const TableOperation& table : tableOperations()) {
        for (std::int16_t index = 0; index < 10; ++index) {
            viewer->load({table.tree, index}, 0);
            ++entries;
            const std::string where = skillLine->text().toStdString();
            EXPECT_LE(skillLine->fontMetrics().horizontalAdvance(skillLine->text()), skillLine->width())
                << where;
            for (int c = 0; c < 4; ++c) {
                const QLabel* t = title(c);
                const QRect needed =
                    t->fontMetrics().boundingRect(QRect(0, 0, t->width(), 1000), Qt::TextWordWrap, t->text());
                EXPECT_LE(needed.width(), t->width()) << where << " / " << t->text().toStdString();
                EXPECT_LE(needed.height(), t->height()) << where << " / " << t->text().toStdString();
                for (int row = 0; row < 20; ++row) {
                    const QLabel* v = value(c, row);
                    EXPECT_LE(v->fontMetrics().horizontalAdvance(v->text()), v->width())
                        << where << " / " << v->text().toStdString();
                }
            }
        }
    }
    EXPECT_EQ(entries, 150);
}

// ---------------------------------------------------------------- closing

// "Close Window" lights up under the pointer and goes dark again over the
// frame or a figure; Esc or a left click on it closes the viewer, nothing else does.
TEST_F(ViewerTest, closeWindowLightsUpUnderThePointerAndEscapeOrALeftClickOnItCloses) {
    const QLabel* close = label("Label1");
    for (const QPoint elsewhere : {QPoint(6, viewer->height() / 2), value(1, 5)->geometry().center()}) {
        moveTo(close->geometry().center());
        EXPECT_EQ(textColour(close), kBronze);
        moveTo(elsewhere);
        EXPECT_EQ(textColour(close), kParchment);
    }

    QTest::keyClick(viewer.data(), Qt::Key_A);
    QTest::mouseClick(label("Label1"), Qt::RightButton);
    QTest::mouseClick(label("lbl_CurrentSkill"), Qt::LeftButton);
    runDeferredDeletes();
    ASSERT_FALSE(viewer.isNull()) << "other keys, a right click or a click elsewhere leave it open";
    QTest::keyClick(viewer.data(), Qt::Key_Escape);
    runDeferredDeletes();
    EXPECT_TRUE(viewer.isNull());

    viewer = open();
    QTest::mouseClick(label("Label1"), Qt::LeftButton);
    runDeferredDeletes();
    EXPECT_TRUE(viewer.isNull());
}

} // namespace

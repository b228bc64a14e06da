// The statistics viewer as a window: its controls, the load step (marked
// row, filled columns, design captions left alone for an unknown skill), our
// estimates told apart from figures read from a source, every entry fitting
// its labels, closing by Esc and by "Close Window", and the hover colour of
// the latter.
#include <stats/ProgressionPlot.h>
#include <stats/SkillStatsViewer.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace skillwright::stats;
using skillwright::model::SkillRef;
using skillwright::model::TreeId;

namespace {

const QColor kParchment(255, 239, 176);
const QColor kMarkedOrange(255, 128, 0);
const QColor kCloseHover(191, 133, 49);
const QColor kEstimateDim(196, 182, 138);
const QString kEstimateTip = QStringLiteral("Our own estimate: no early source was found for these figures.");
constexpr std::array<char, 4> kLetters{'A', 'B', 'C', 'D'};

QColor textColour(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

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
    QLabel* value(int column, int row) const {
        return label(
            QStringLiteral("lbl_Stat%1(%2)").arg(QLatin1Char(kLetters[std::size_t(column)])).arg(row));
    }
    QLabel* level(int column, int row) const {
        return label(
            QStringLiteral("lbl_SkillLevel%1(%2)").arg(QLatin1Char(kLetters[std::size_t(column)])).arg(row));
    }
    QLabel* title(int column) const { return label(QStringLiteral("lbl_StatTitle%1").arg(column + 1)); }
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
                    EXPECT_TRUE(colour == kParchment || colour == kMarkedOrange || colour == kEstimateDim)
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
    /// The tip shown when the pointer rests over the middle of `w` (or at
    /// `local` in it); empty when none is.
    static QString tipOver(QWidget* w, std::optional<QPoint> local = std::nullopt) {
        hideTip();
        const QPoint at = local.value_or(w->rect().center());
        QHelpEvent help(QEvent::ToolTip, at, w->mapToGlobal(at));
        QApplication::sendEvent(w, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    void moveTo(QPoint windowPos) { QTest::mouseMove(viewer->windowHandle(), windowPos); }
    static void runDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QPointer<SkillStatsViewer> viewer;
};

// ---------------------------------------------------------------- creation

TEST_F(ViewerTest, showsItsDesignCaptionsBeforeALoad) {
    EXPECT_EQ(viewer->objectName(), "frm_SkillStats");
    EXPECT_EQ(viewer->windowTitle(), "Skill Stats");
    EXPECT_EQ(viewer->minimumSize(), viewer->maximumSize()) << "fixed size";
    EXPECT_TRUE(viewer->isWindow());
    EXPECT_EQ(label("lbl_CurrentSkill")->text(), "Current Skill:");
    EXPECT_EQ(label("Label1")->text(), "Close Window");
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(title(c)->text(), QStringLiteral("Stat Title %1").arg(c + 1));
        for (int row = 0; row < 20; ++row) {
            EXPECT_EQ(value(c, row)->text(), "Label 1");
            EXPECT_EQ(level(c, row)->text(), QString::number(row + 1));
        }
    }
    EXPECT_EQ(markedRows(), std::vector<int>{});
    EXPECT_EQ(textColour(label("lbl_CurrentSkill")), kParchment);
    EXPECT_EQ(textColour(title(0)), kParchment);
    EXPECT_EQ(textColour(label("Label1")), kParchment);
}

// ---------------------------------------------------------------- load

TEST_F(ViewerTest, fillsTheSkillLineTitlesAndAllEightyCells) {
    viewer->load({TreeId::BarBarCS, 0}, 3);
    EXPECT_EQ(label("lbl_CurrentSkill")->text(), "Current Skill: Bash");
    EXPECT_EQ(title(0)->text(), "Damage");
    EXPECT_EQ(title(1)->text(), "Damage + (%)");
    EXPECT_EQ(title(2)->text(), "Attack + (%)");
    EXPECT_EQ(title(3)->text(), "Mana Cost");
    EXPECT_EQ(column(0), QStringList({"+1",  "+2",  "+3",  "+4",  "+5",  "+6",  "+7",  "+8",  "+9",  "+10",
                                      "+11", "+12", "+13", "+14", "+15", "+16", "+17", "+18", "+19", "+20"}));
    EXPECT_EQ(column(1), QStringList({"50",  "55",  "60",  "65",  "70",  "75",  "80",  "85",  "90",  "95",
                                      "100", "105", "110", "115", "120", "125", "130", "135", "140", "145"}));
    EXPECT_EQ(column(2), QStringList({"20", "25", "30", "35", "40", "45", "50",  "55",  "60",  "65",
                                      "70", "75", "80", "85", "90", "95", "100", "105", "110", "115"}));
    EXPECT_EQ(column(3), QStringList(20, QStringLiteral("2")));
}

TEST_F(ViewerTest, marksTheRowOfTheCurrentPoints) {
    const std::vector<std::pair<int, std::vector<int>>> cases{{0, {}}, {1, {0}}, {7, {6}}, {20, {19}}};
    for (const auto& [points, rows] : cases) {
        delete viewer.data();
        viewer = open();
        viewer->load({TreeId::SorcFire, 0}, points);
        EXPECT_EQ(markedRows(), rows) << points << " points";
        EXPECT_EQ(label("lbl_CurrentSkill")->text(), "Current Skill: Fire Bolt");
    }
}

TEST_F(ViewerTest, aFreshViewerForTheNextSkillShowsOnlyThatSkillAndItsRow) {
    viewer->load({TreeId::SorcFire, 7}, 12);
    delete viewer.data();
    viewer = open();
    viewer->load({TreeId::NecroBone, 0}, 5);
    EXPECT_EQ(label("lbl_CurrentSkill")->text(), "Current Skill: Teeth");
    EXPECT_EQ(title(2)->text(), "Damage");
    EXPECT_EQ(value(2, 4)->text(), "6- 8");
    EXPECT_EQ(markedRows(), std::vector<int>{4});
}

TEST_F(ViewerTest, loadingAgainWritesEveryCellAndMovesTheMark) {
    // Meteor uses all four columns; Fire Bolt leaves the last two unused.
    viewer->load({TreeId::SorcFire, 7}, 12);
    ASSERT_EQ(title(2)->text(), "Radius (Yards)");
    ASSERT_EQ(column(3).first(), "17");
    viewer->load({TreeId::SorcFire, 0}, 2);
    EXPECT_EQ(label("lbl_CurrentSkill")->text(), "Current Skill: Fire Bolt");
    EXPECT_EQ(title(2)->text(), "Not Used");
    EXPECT_EQ(title(3)->text(), "Not Used");
    EXPECT_EQ(column(2), QStringList(20, QString()));
    EXPECT_EQ(column(3), QStringList(20, QString()));
    EXPECT_EQ(markedRows(), std::vector<int>{1});
}

TEST_F(ViewerTest, anUnknownTreeOrIndexFillsNothing) {
    for (const SkillRef skill :
         {SkillRef{TreeId::SorcFire, 10}, SkillRef{TreeId::SorcFire, -1},
          SkillRef{TreeId::NecroSummon, 32767}, SkillRef{static_cast<TreeId>(15), 0}}) {
        delete viewer.data();
        viewer = open();
        viewer->load(skill, 0);
        EXPECT_EQ(label("lbl_CurrentSkill")->text(), "Current Skill:")
            << static_cast<int>(skill.tree) << " " << skill.index;
        EXPECT_EQ(title(0)->text(), "Stat Title 1");
        EXPECT_EQ(column(3), QStringList(20, QStringLiteral("Label 1")));
    }
}

TEST_F(ViewerTest, plotsOnlyColumnsWithFiguresOfTheirOwnAndHighlightsTheMarkedLevel) {
    viewer->load({TreeId::SorcFire, 7}, 8); // Meteor: own, own, repeated "4", own
    const auto plots = viewer->findChildren<ProgressionPlot*>();
    ASSERT_EQ(plots.size(), 4);
    std::vector<bool> shown;
    for (const ProgressionPlot* plot : plots) {
        shown.push_back(plot->isVisible());
        EXPECT_EQ(plot->markedRow(), 7);
    }
    EXPECT_EQ(shown, (std::vector<bool>{true, true, false, true}));

    viewer->load({TreeId::AmazonPM, 5}, 0); // Penetrate: one column, three unused
    shown.clear();
    for (const ProgressionPlot* plot : plots) {
        shown.push_back(plot->isVisible());
        EXPECT_EQ(plot->markedRow(), -1);
    }
    EXPECT_EQ(shown, (std::vector<bool>{true, false, false, false}));
}

// The plot spans its column's figures from the least (left) to the greatest
// (right), seven pixels in from either side: Fire Bolt's damage runs from 3
// (the low end at level 1) to 34 (the high end at level 20).
TEST_F(ViewerTest, theProgressionPlotSpansTheLeastToTheGreatestFigure) {
    const auto orangeSpan = [](ProgressionPlot* plot, int row) {
        const QImage image = plot->grab().toImage();
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
    for (const int points : {1, 20}) {
        viewer->load({TreeId::SorcFire, 0}, points);
        ProgressionPlot* plot = viewer->findChildren<ProgressionPlot*>().front();
        ASSERT_TRUE(plot->isVisible());
        const int width = plot->width();
        const auto [first, last] = orangeSpan(plot, points - 1);
        ASSERT_GE(first, 0) << "no marked level drawn for " << points << " points";
        if (points == 1) {
            // 3 to 6 of 3 to 34: at the left margin, a tenth of the way across.
            EXPECT_NEAR(first, 7 - 3, 2);
            EXPECT_LT(last, width / 4);
        } else {
            // 31 to 34: nine tenths of the way across, to the right margin.
            EXPECT_GT(first, width * 3 / 4);
            EXPECT_NEAR(last, width - 7 + 3, 2);
        }
    }
}

// ---------------------------------------------------------------- estimates

TEST_F(ViewerTest, anEstimatedColumnLooksUnlikeOneReadFromASource) {
    // Smite: damage read from a source, stun length our estimate, a repeated
    // mana cost, one column unused.
    viewer->load({TreeId::PaladinCom, 1}, 3);
    const auto plots = viewer->findChildren<ProgressionPlot*>();
    ASSERT_EQ(plots.size(), 4);
    for (int row = 0; row < 20; ++row) {
        const bool marked = row == 2;
        EXPECT_FALSE(value(0, row)->font().italic()) << row;
        EXPECT_TRUE(value(1, row)->font().italic()) << row;
        EXPECT_FALSE(value(2, row)->font().italic()) << row;
        EXPECT_EQ(textColour(value(0, row)), marked ? kMarkedOrange : kParchment) << row;
        EXPECT_EQ(textColour(value(1, row)), marked ? kMarkedOrange : kEstimateDim) << row;
        EXPECT_EQ(textColour(value(2, row)), marked ? kMarkedOrange : kParchment) << row;
    }
    EXPECT_FALSE(plots[0]->isEstimated());
    EXPECT_TRUE(plots[1]->isEstimated());
    std::vector<bool> marks;
    for (int c = 0; c < 4; ++c) {
        marks.push_back(label(QStringLiteral("lbl_EstimateMark%1").arg(c + 1))->isVisible());
    }
    EXPECT_EQ(marks, (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(label("lbl_EstimateMark2")->text(), QStringLiteral("\u2248"));

    EXPECT_EQ(tipOver(value(0, 5)), "");
    EXPECT_EQ(tipOver(title(0)), "");
    EXPECT_EQ(tipOver(value(2, 5)), "");
    EXPECT_EQ(tipOver(value(1, 5)), kEstimateTip);
    EXPECT_EQ(tipOver(title(1)), kEstimateTip);
    EXPECT_EQ(tipOver(level(1, 19)), kEstimateTip);
    EXPECT_EQ(tipOver(viewer, value(1, 10)->geometry().center() + QPoint(60, 0)), kEstimateTip)
        << "beside the figures, where the plot is";
    EXPECT_EQ(tipOver(viewer, QPoint(6, 300)), "") << "the frame, outside every column";

    const QLabel* note = label("lbl_EstimateNote");
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text(),
              QStringLiteral("\u2248 marks our own estimates: no early source was found for those figures."));
    hideTip();
}

TEST_F(ViewerTest, aSkillWithoutEstimatesShowsNoMarkNoTipAndNoFootLine) {
    // Meteor first: three estimated columns, whose look must not stay behind.
    viewer->load({TreeId::SorcFire, 7}, 1);
    ASSERT_TRUE(label("lbl_EstimateNote")->isVisible());
    viewer->load({TreeId::SorcFire, 0}, 1); // Fire Bolt: read from a source, and a repeated mana cost
    EXPECT_FALSE(label("lbl_EstimateNote")->isVisible());
    for (int c = 0; c < 4; ++c) {
        EXPECT_FALSE(label(QStringLiteral("lbl_EstimateMark%1").arg(c + 1))->isVisible()) << c;
        EXPECT_EQ(tipOver(value(c, 5)), "") << c;
        for (int row = 0; row < 20; ++row) {
            EXPECT_FALSE(value(c, row)->font().italic()) << c << " " << row;
        }
    }
    EXPECT_EQ(textColour(value(0, 5)), kParchment);
    EXPECT_EQ(textColour(value(3, 5)), kParchment);
    EXPECT_EQ(markedRows(), std::vector<int>{0});
    for (const ProgressionPlot* plot : viewer->findChildren<ProgressionPlot*>()) {
        EXPECT_FALSE(plot->isEstimated());
    }
}

// Every skill line, title and figure fits its label, in the style it is shown
// in, and no title runs under the estimate mark; Vigor and Valkyrie have four
// estimated columns, some of long titles.
TEST_F(ViewerTest, everyEntryFitsItsLabels) {
    for (int c = 0; c < 4; ++c) {
        EXPECT_FALSE(title(c)->geometry().intersects(
            label(QStringLiteral("lbl_EstimateMark%1").arg(c + 1))->geometry()))
            << c;
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

TEST_F(ViewerTest, escapeOrALeftClickOnCloseWindowClosesItNothingElseDoes) {
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

// ---------------------------------------------------------------- hover

TEST_F(ViewerTest, closeWindowLightsUpUnderThePointerAndGoesBackOverTheBackground) {
    const QLabel* close = label("Label1");
    moveTo(close->geometry().center());
    EXPECT_EQ(textColour(close), kCloseHover);
    moveTo({6, viewer->height() / 2}); // the frame at the left edge
    EXPECT_EQ(textColour(close), kParchment);
    moveTo(close->geometry().center());
    ASSERT_EQ(textColour(close), kCloseHover);
    moveTo(value(1, 5)->geometry().center()); // over a value, which does not track the pointer
    EXPECT_EQ(textColour(close), kParchment);
}

} // namespace

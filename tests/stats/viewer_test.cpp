// The statistics viewer as a window: its controls, the load step (marked
// row, filled columns, design captions left alone for an unknown skill),
// closing by Esc and by "Close Window", and the hover colour of the latter.
#include <stats/ProgressionPlot.h>
#include <stats/SkillStatsViewer.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace skillwright::stats;
using skillwright::model::SkillRef;
using skillwright::model::TreeId;

namespace {

const QColor kParchment(255, 239, 176);
const QColor kMarkedOrange(255, 128, 0);
const QColor kCloseHover(191, 133, 49);
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
                    EXPECT_TRUE(colour == kParchment || colour == kMarkedOrange)
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

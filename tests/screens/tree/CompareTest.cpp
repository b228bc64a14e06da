// A tree screen compared with a reference: the differences beside the
// counts, the summary line and the history's marks, as every kind of change
// and a look back leave them; and the screen as it was once it ends.
#include "Colours.h"

#include <model/Build.h>
#include <screens/tree/SkillTreeScreen.h>
#include <toolkit/ScriptedToolkit.h>

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <document/PlanDocument.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace skillwright;
using model::ClassId;
using model::TreeId;

namespace {

namespace seen = skillwright::testing;

constexpr std::int16_t kFireBolt = 0;
constexpr std::int16_t kWarmth = 1;
constexpr std::int16_t kChargedBolt = 0;
constexpr std::int16_t kIceBolt = 0;

class CompareTest : public ::testing::Test {
protected:
    CompareTest() {
        document.startNew(ClassId::Sorceress);
        screen = std::make_unique<screens::SkillTreeScreen>(document, toolkit);
        screen->show();
        // The guide: Fire Bolt, Warmth, Ice Bolt at levels 2 to 4.
        model::Build guide;
        guide.startCharacter(ClassId::Sorceress);
        guide.click(TreeId::SorceressFire, kFireBolt);
        guide.click(TreeId::SorceressFire, kWarmth);
        guide.click(TreeId::SorceressCold, kIceBolt);
        reference = guide.plan();
    }

    /// The summary line, while it shows.
    [[nodiscard]] std::optional<QString> summary() const {
        const auto* line = screen->findChild<QLabel*>("lbl_Comparison");
        return line != nullptr && line->isVisible() ? std::optional(line->text()) : std::nullopt;
    }
    /// The difference shown beside a count, if it shows; the skill's icon
    /// tells a screen reader the same as the last line of its description.
    [[nodiscard]] std::optional<QString> difference(const char* name) const {
        const auto* badge = screen->findChild<QLabel*>(QLatin1String(name));
        const auto* icon = screen->findChild<QWidget*>(QString::fromLatin1(name).replace("lbl_Diff", "img_"));
        EXPECT_NE(icon, nullptr) << name;
        const bool shown = badge != nullptr && badge->isVisible();
        const QString told = icon != nullptr ? icon->accessibleDescription().section("\r\n", -1) : QString();
        EXPECT_EQ(told.contains(" against "), shown) << name << ": " << told.toStdString();
        if (!shown) {
            return std::nullopt;
        }
        EXPECT_EQ(told, badge->text() + " against " + summary().value_or("").section('"', 1, 1)) << name;
        return badge->text();
    }
    [[nodiscard]] QListWidget* history() const {
        return screen->findChild<QListWidget*>("lb_SkillsPerLevel");
    }
    /// The ground of each history entry, beside its text.
    [[nodiscard]] std::vector<QColor> historyGrounds() const {
        const QImage painted = history()->viewport()->grab().toImage();
        std::vector<QColor> grounds;
        for (int row = 0; row < history()->count(); ++row) {
            const QRect r = history()->visualItemRect(history()->item(row));
            grounds.push_back(painted.pixelColor(r.right() - 20, r.center().y()));
        }
        return grounds;
    }
    void click(TreeId tree, std::int16_t index) {
        document.click(tree, index);
        QApplication::processEvents();
    }

    toolkit::ScriptedToolkit toolkit;
    document::PlanDocument document;
    std::unique_ptr<screens::SkillTreeScreen> screen;
    model::Plan reference;
};

const QColor kMore(86, 180, 233);   // sky blue
const QColor kFewer(230, 159, 0);   // orange
const QColor kMarked(36, 40, 58);   // slate
const QColor kUnmarked(0, 0, 0);    // the list's black
const QColor kSelected(92, 70, 38); // the selection's brown

TEST_F(CompareTest, theScreenIsAsItWasBeforeAndAfterAComparison) {
    click(TreeId::SorceressFire, kFireBolt);
    click(TreeId::SorceressLightning, kChargedBolt);
    EXPECT_EQ(screen->findChild<QLabel*>("lbl_Comparison"), nullptr)
        << "no control of a comparison before one";
    EXPECT_TRUE(screen->findChildren<QLabel*>(QRegularExpression("^lbl_Diff")).isEmpty());
    const QImage before = screen->grab().toImage();

    screen->compareWith(reference, "Guide");
    EXPECT_TRUE(screen->comparing());
    EXPECT_NE(screen->grab().toImage(), before);
    screen->stopComparing();
    EXPECT_FALSE(screen->comparing());
    EXPECT_EQ(summary(), std::nullopt);
    EXPECT_EQ(screen->grab().toImage(), before) << "every pixel as before";

    // A reference of another class is none.
    model::Plan necromancer = reference;
    necromancer.classId = ClassId::Necromancer;
    screen->compareWith(necromancer, "Necro");
    EXPECT_FALSE(screen->comparing());
}

TEST_F(CompareTest, theComparisonFollowsEveryChangeAndLookBack) {
    screen->compareWith(reference, "Guide");
    const auto says = [](const char* figures) {
        return QStringLiteral("Compared with \"Guide\": ") + figures;
    };
    EXPECT_EQ(summary(), says("3 points differ, the plans part at Clvl 2, a respec moves 0 points."));

    click(TreeId::SorceressFire, kFireBolt);
    EXPECT_EQ(summary(), says("2 points differ, the plans part at Clvl 3, a respec moves 0 points."));
    EXPECT_EQ(difference("lbl_DiffSorceressFire(0)"), std::nullopt) << "Fire Bolt: one point each";
    EXPECT_EQ(difference("lbl_DiffSorceressFire(1)"), "-1");
    EXPECT_EQ(difference("lbl_DiffSorceressCold(0)"), "-1");
    EXPECT_EQ(seen::textColour(screen->findChild<QLabel*>("lbl_DiffSorceressCold(0)")), kFewer);

    click(TreeId::SorceressFire, kWarmth);
    const QString atWarmth = says("1 point differs, the plans part at Clvl 4, a respec moves 0 points.");
    EXPECT_EQ(summary(), atWarmth);
    EXPECT_EQ(difference("lbl_DiffSorceressFire(1)"), std::nullopt);

    click(TreeId::SorceressLightning, kChargedBolt);
    const QString atChargedBolt = says("2 points differ, the plans part at Clvl 4, a respec moves 1 point.");
    EXPECT_EQ(summary(), atChargedBolt);
    EXPECT_EQ(difference("lbl_DiffSorceressLightning(0)"), "+1");
    EXPECT_EQ(seen::textColour(screen->findChild<QLabel*>("lbl_DiffSorceressLightning(0)")), kMore);
    EXPECT_EQ(historyGrounds(), (std::vector{kUnmarked, kUnmarked, kSelected}))
        << "the entries from where the plans part are marked";

    document.undoLast();
    EXPECT_EQ(summary(), atWarmth);
    EXPECT_EQ(difference("lbl_DiffSorceressLightning(0)"), std::nullopt);
    document.undo();
    EXPECT_EQ(summary(), atChargedBolt);

    document.takeQuestPoint(model::Quest::DenOfEvil, {TreeId::SorceressCold, kIceBolt});
    const QString atDenOfEvil = says("1 point differs, the plans part at Clvl 4, a respec moves 1 point.");
    EXPECT_EQ(summary(), atDenOfEvil);
    EXPECT_EQ(difference("lbl_DiffSorceressCold(0)"), std::nullopt);
    document.reservePoint();
    EXPECT_EQ(summary(), atDenOfEvil) << "a point held in reserve is in no skill";
    document.useReservedPoint({TreeId::SorceressFire, kWarmth});
    const QString atReserveSpent =
        says("2 points differ, the plans part at Clvl 4, a respec moves 2 points.");
    EXPECT_EQ(summary(), atReserveSpent);
    EXPECT_EQ(difference("lbl_DiffSorceressFire(1)"), "+1");
    EXPECT_EQ(historyGrounds(), (std::vector{kUnmarked, kUnmarked, kMarked, kMarked, kMarked, kSelected}));

    document.takeBackTo(2);
    EXPECT_EQ(summary(), atWarmth);
    document.undo();
    EXPECT_EQ(summary(), atReserveSpent);

    // Looking back at level 2, the guide at level 2 is the same plan; at
    // level 4's first point, the guide's level-4 point differs.
    history()->setCurrentRow(0);
    ASSERT_TRUE(screen->lookingBack());
    EXPECT_EQ(summary(), says("the same plan."));
    EXPECT_EQ(difference("lbl_DiffSorceressFire(1)"), std::nullopt);
    history()->setCurrentRow(2);
    EXPECT_EQ(summary(), says("2 points differ, the plans part at Clvl 4, a respec moves 1 point."));
    EXPECT_EQ(difference("lbl_DiffSorceressCold(0)"), "-1");
    EXPECT_EQ(historyGrounds(), (std::vector{kUnmarked, kUnmarked, kSelected, kMarked, kMarked, kMarked}))
        << "the marks follow the whole plans";
    history()->setCurrentRow(5);
    EXPECT_FALSE(screen->lookingBack());
    EXPECT_EQ(summary(), atReserveSpent);

    document.reset();
    EXPECT_FALSE(screen->comparing()) << "RESET ends the comparison";
    EXPECT_EQ(summary(), std::nullopt);
    EXPECT_EQ(difference("lbl_DiffSorceressFire(1)"), std::nullopt);
}

TEST_F(CompareTest, aLongNameGivesWayAndTheSummaryKeepsClearOfEveryDescription) {
    screen->compareWith(reference, std::string(300, 'W'));
    const QString line = summary().value_or(QString());
    EXPECT_TRUE(line.startsWith("Compared with \"WWW")) << line.toStdString();
    EXPECT_TRUE(line.endsWith("…\": 3 points differ, the plans part at Clvl 2, a respec moves 0 points."))
        << line.toStdString();
    const auto* summaryLine = screen->findChild<QLabel*>("lbl_Comparison");
    EXPECT_LE(summaryLine->fontMetrics().horizontalAdvance(line), summaryLine->width());

    // The line lies below the tallest text the description area shows, on
    // every screen: each skill's and each command's.
    for (const model::ClassInfo& info : model::classes()) {
        document::PlanDocument own;
        own.startNew(info.id);
        const screens::SkillTreeScreen other(own, toolkit);
        auto* description = other.findChild<QLabel*>("lbl_Description");
        int tallest = 0;
        for (const model::TreeId tree : info.trees) {
            for (int i = 0; i < model::kSkillsPerTree; ++i) {
                description->setText(screens::SkillTreeScreen::skillHoverText(tree, i));
                tallest = std::max(tallest, description->heightForWidth(description->width()));
            }
        }
        EXPECT_EQ(description->geometry().top(), 399);
        EXPECT_LE(399 + tallest, 550) << info.name;
    }
    EXPECT_EQ(summaryLine->geometry(), QRect(299, 550, 476, 14));
}

} // namespace

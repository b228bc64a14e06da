// The compiled-in pictures and fonts: every icon is there, drawn and told
// apart from its neighbours; panels have the sizes the screens lay out, and
// leave the places where the screens put text calm and unobstructed.
#include <model/Catalogue.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <animations/Figures.h>
#include <art/Art.h>
#include <set>

namespace skillwright::art {
namespace {

/// A picture counts as drawn when it holds more than a handful of colours.
int distinctColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return int(colours.size());
}

/// The brightest grey level in an area of a picture.
int brightest(const QImage& image, const QRect& area) {
    int most = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            most = std::max(most, qGray(image.pixel(x, y)));
        }
    }
    return most;
}

/// Walks from `from` by `step` and gives the first point brighter than
/// `threshold`, or `from` itself if none is met within 200 steps.
QPoint firstBright(const QImage& image, QPoint from, QPoint step, int threshold) {
    for (QPoint p = from; image.rect().contains(p) && (p - from).manhattanLength() < 200; p += step) {
        if (qGray(image.pixel(p)) > threshold) {
            return p;
        }
    }
    return from;
}

/// A control's rectangle given in twips, in pixels (15 twips to the pixel).
QRect twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

TEST(SkillIcons, everySkillHasItsOwnDrawnIcon) {
    for (const auto& tree : model::trees()) {
        std::set<QByteArray> seen;
        for (int i = 0; i < model::kSkillsPerTree; ++i) {
            SCOPED_TRACE(std::string(tree.code) + " " + std::to_string(i));
            const QImage icon = skillIcon(tree.id, i).toImage().convertToFormat(QImage::Format_ARGB32);
            ASSERT_FALSE(icon.isNull());
            EXPECT_EQ(icon.size(), QSize(72, 74));
            EXPECT_GT(distinctColours(icon), 50);
            const QByteArray pixels(reinterpret_cast<const char*>(icon.constBits()), icon.sizeInBytes());
            EXPECT_TRUE(seen.insert(pixels).second) << "same picture as another skill of the tree";
        }
    }
}

TEST(SkillIcons, indexOutsideTheTreeGivesNoPicture) {
    EXPECT_TRUE(skillIcon(model::TreeId::NecromancerPoisonBone, -1).isNull());
    EXPECT_TRUE(skillIcon(model::TreeId::NecromancerPoisonBone, model::kSkillsPerTree).isNull());
}

TEST(Panels, haveTheSizesTheScreensAndTheGeneratorLayOut) {
    for (const auto& info : model::classes()) {
        SCOPED_TRACE(std::string(info.name));
        EXPECT_EQ(buttonPanel(info.id).size(), QSize(160, 349));
        EXPECT_EQ(bottomPanel(info.id).size(), QSize(811, 223));
    }
    EXPECT_NE(buttonPanel(model::ClassId::Amazon).toImage(), buttonPanel(model::ClassId::Paladin).toImage());
    EXPECT_EQ(connector().size(), QSize(23, 25));
    EXPECT_EQ(selectBackground().size(), QSize(800, 600));
    EXPECT_EQ(portrait(0).size(), QSize(70, 85));
    EXPECT_EQ(portrait(1).size(), QSize(70, 85));
    EXPECT_NE(portrait(0).toImage(), portrait(1).toImage());
    EXPECT_TRUE(portrait(2).isNull());
    EXPECT_EQ(generatorButton().size(), QSize(40, 40));
    EXPECT_EQ(generatorBackground().size(), QSize(360, 300));
    const QImage emblem = generatorEmblem().toImage();
    EXPECT_EQ(emblem.size(), QSize(56, 56));
    // Round, so the corners let the dialog's background through.
    EXPECT_EQ(qAlpha(emblem.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(emblem.pixel(28, 28)), 255);
}

// The bottom panel's two text areas, and the strips under the notice line and
// the disclaimer (the panel stretched onto -75, 5580, 12165 x 3345 twips, one
// picture pixel to a screen pixel), are plain dark.
TEST(Panels, textOnTheBottomPanelLiesOnPlainDarkGround) {
    const struct {
        const char* name;
        QRect onPanel;
        int brightest;
    } areas[] = {
        {"the status area", QRect(45, 31, 243, 162), 16},
        {"the history area", QRect(305, 31, 473, 160), 16},
        {"lbl_UnAvail", twips(30 + 75, 5505 - 5580, 11925, 255), 40},
        {"lbl_Notice", twips(450 + 75, 8775 - 5580, 11100, 420), 40},
    };
    for (const auto& info : model::classes()) {
        const QImage panel = bottomPanel(info.id).toImage();
        for (const auto& area : areas) {
            SCOPED_TRACE(std::string(info.name) + " " + area.name);
            ASSERT_TRUE(area.onPanel.intersects(panel.rect()));
            EXPECT_LT(brightest(panel, area.onPanel), area.brightest);
        }
    }
}

TEST(SelectBackground, theTitleStandsOnCalmSkyAndTheContactCardsBoxFramesItsLabel) {
    const QImage background = selectBackground().toImage();
    // lbl_Title: no rule, diamond or frame behind "SKILLWRIGHT".
    EXPECT_LT(brightest(background, twips(3000, 150, 6000, 600)), 70);
    const QRect card = twips(9150, 6375, 2700, 1575);  // lbl_ContactInfo
    const QRect button = twips(11130, 8130, 600, 600); // Command1
    EXPECT_LT(brightest(background, card.adjusted(4, 4, -4, -4)), 30) << "the card's text needs plain ground";
    // Walking out of the card from inside, the box's frame begins within four
    // pixels of the label's edge on every side.
    const QPoint middle(700, 477);
    const int threshold = 30;
    EXPECT_NEAR(firstBright(background, middle, {1, 0}, threshold).x(), 791, 3);
    EXPECT_NEAR(firstBright(background, middle, {-1, 0}, threshold).x(), 608, 3);
    EXPECT_NEAR(firstBright(background, middle, {0, -1}, threshold).y(), 423, 3);
    EXPECT_NEAR(firstBright(background, middle, {0, 1}, threshold).y(), 531, 3);
    // Straight above the button the box ends before it.
    EXPECT_NEAR(firstBright(background, QPoint(762, 477), {0, 1}, threshold).y(), 531, 3);
    EXPECT_LT(brightest(background, button.adjusted(-3, -3, 3, 3)), 40) << "nothing drawn under the button";
}

TEST(ProgramIcon, isTheEmblemAtTheDesktopsIconSizes) {
    const QIcon icon = programIcon();
    const QList<QSize> sizes{{16, 16}, {22, 22}, {24, 24},   {32, 32},
                             {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    EXPECT_EQ(icon.availableSizes(), sizes);
    for (const QSize& size : sizes) {
        SCOPED_TRACE(size.width());
        const QImage image = icon.pixmap(size).toImage();
        ASSERT_EQ(image.size(), size);
        const int n = size.width();
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(n - 1, n - 1)), 0);
        EXPECT_EQ(qAlpha(image.pixel(n / 2, n / 2)), 255);
        const QColor gem = image.pixelColor(n / 2, n * 15 / 64);
        EXPECT_GT(gem.red(), 180);
        EXPECT_GT(gem.red(), gem.blue() + 60);
    }
}

TEST(Fonts, bundledFacesAreRegisteredUnderTheNamesHandedOut) {
    const QStringList families = QFontDatabase::families();
    EXPECT_TRUE(families.contains(captionFamily()));
    EXPECT_TRUE(families.contains(textFamily()));
    EXPECT_EQ(QFontInfo(captionFont(9.75, QFont::Light)).family(), captionFamily());
    EXPECT_EQ(QFontInfo(captionFont(9.75, QFont::Black)).weight(), QFont::Bold);
    EXPECT_EQ(QFontInfo(textFont(8.25, QFont::Bold)).family(), textFamily());
    EXPECT_EQ(captionFont(9.75, QFont::Light).capitalization(), QFont::SmallCaps);
}

} // namespace
// Every class figure stays inside its picture in every frame: nothing it
// wields (an axe swung, a sword raised, a spear thrust, wisps) reaches the
// picture's sides or top, where the arch would cut it.
TEST(ClassFigures, stayInsideTheirPictureInEveryFrame) {
    for (const auto& animation : skillwright::animations::drawClassAnimations()) {
        for (std::size_t k = 0; k < animation.frames.size(); ++k) {
            // Its sides and top are the ground's colour (a frame is taller than wide).
            const QImage& frame = animation.frames[k];
            const int w = frame.width();
            bool inside = true;
            for (int i = 0; i < frame.height(); ++i) {
                inside = inside && frame.pixel(0, i) == frame.pixel(0, 0) &&
                         frame.pixel(w - 1, i) == frame.pixel(0, 0) &&
                         frame.pixel(std::min(i, w - 1), 0) == frame.pixel(0, 0);
            }
            EXPECT_TRUE(inside) << animation.stem << " frame " << k;
        }
    }
}

} // namespace skillwright::art

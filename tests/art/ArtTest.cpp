// The compiled-in pictures and fonts: every icon is there, drawn and told
// apart from its neighbours; panels have the sizes the screens lay out.
#include <model/Catalogue.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>

#include <gtest/gtest.h>

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
    EXPECT_TRUE(skillIcon(model::TreeId::NecroBone, -1).isNull());
    EXPECT_TRUE(skillIcon(model::TreeId::NecroBone, model::kSkillsPerTree).isNull());
}

TEST(Panels, haveTheSizesTheScreensLayOut) {
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
}

TEST(Panels, textAreasOfTheBottomPanelArePlainDark) {
    const QImage panel = bottomPanel(model::ClassId::Sorceress).toImage();
    for (const QRect& area : {QRect(41, 27, 251, 170), QRect(301, 27, 481, 168)}) {
        const QRect inside = area.adjusted(4, 4, -4, -4);
        for (const QPoint& p : {inside.topLeft(), inside.center(), inside.bottomRight()}) {
            EXPECT_LT(qGray(panel.pixel(p)), 16) << p.x() << "," << p.y();
        }
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
} // namespace skillwright::art

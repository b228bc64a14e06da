#pragma once

#include <model/Catalogue.h>

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

/// The program's own pictures and fonts, drawn by the art tool at build time
/// and compiled in as resources.
namespace skillwright::art {

/// Registers the bundled fonts and the compiled-in pictures. Call once, after
/// the QApplication exists and before any screen is built.
void initialise();

/// The display face standing in for "Exocet" (captions).
QString captionFamily();
/// The text face standing in for "Arial" (Liberation Sans).
QString textFamily();
/// A caption font of the given point size and weight.
QFont captionFont(qreal pointSize, QFont::Weight weight);
/// A text font of the given point size and weight.
QFont textFont(qreal pointSize, QFont::Weight weight = QFont::Normal);

/// Skill icon of (tree, index), 36 x 37 pixels or a multiple of that (drawn at
/// 72 x 74 so it stays crisp when stretched onto its 36 x 37 place).
QPixmap skillIcon(model::TreeId tree, int index);
/// Artwork behind the five command labels of a skill tree screen (160 x 349).
QPixmap buttonPanel(model::ClassId classId);
/// Artwork of the lower third of a skill tree screen (811 x 223).
QPixmap bottomPanel(model::ClassId classId);
/// The small picture placed on a connector line (23 x 25).
QPixmap connector();

/// A picture stored decoded in the program's resources (assets/StoredPicture.h),
/// drawn from where it lies: nothing is decoded or copied. Empty when the
/// resource is not such a picture.
QPixmap storedPicture(const QString& resource);
/// Background of the class selection screen (800 x 600): a calm sky behind
/// the title at (200, 10, 400 x 40) with a rule on either side, calm alcoves
/// behind the five class pictures at x = 30, 183, 336, 489, 642, y = 80
/// (140 x 260), a plate under each at y = 354 (140 x 24) for the class name,
/// a dark well for the information list at (30, 425, 360, 145), frames for
/// the two portraits at (420, 445) and (520, 445), a framed well for the
/// contact card at (610, 425, 180, 105), and bare ground under the generator
/// button at (742, 542, 40 x 40) and the version line at (10, 576, 160 x 17).
QPixmap selectBackground();
/// A stylised portrait (70 x 85): 0 the first creator, 1 the re-designer.
/// Empty for any other number.
QPixmap portrait(int person);
/// The picture of the random character generator button (40 x 40).
QPixmap generatorButton();
/// The picture of the button that opens a saved character (40 x 40).
QPixmap openButton();
/// The start screen's button that continues a plan left unsaved (40 x 40).
QPixmap continueButton();

/// Background of the random character generator dialog (360 x 300): a calm
/// title band over y = 0..72 with the five class emblems (spear, banner,
/// skull, cross, star) dim in sunken roundels of radius 16 centred at
/// (40 + 48 k, 36), and a sunken medallion at (292, 8, 56 x 56) for the
/// emblem, a framed dark well for the six class options at
/// (16, 76, 168, 212) with a plate behind each option (24, 84 + 30 i,
/// 150 x 26), and a framed well at (188, 76, 156, 212) with a recess for the
/// level box at (196, 110, 80 x 26) and plates for the two commands at
/// (196, 200) and (196, 236), 140 x 28. The frames lie inside the rectangles.
QPixmap generatorBackground();
/// The generator dialog's emblem: a pair of dice in a bronze ring (56 x 56),
/// transparent outside the ring.
QPixmap generatorEmblem();

/// The program's emblem, the icon of every window: four gold skill gems in a
/// bronze ring, drawn at 16, 22, 24, 32, 48, 64, 128 and 256 pixels. The
/// installed program's desktop icon is the same pictures.
QIcon programIcon();
/// A folder of the library, drawn at 16 and 32 pixels.
QIcon folderIcon();

} // namespace skillwright::art

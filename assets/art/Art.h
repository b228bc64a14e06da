#pragma once

#include <model/Catalogue.h>

#include <QFont>
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

/// Skill icon of (tree, index), 36 x 37 pixels or a multiple of that.
QPixmap skillIcon(model::TreeId tree, int index);
/// Artwork behind the five command labels of a skill tree screen (160 x 349).
QPixmap buttonPanel(model::ClassId classId);
/// Artwork of the lower third of a skill tree screen (811 x 223).
QPixmap bottomPanel(model::ClassId classId);
/// The small picture placed on a connector line (23 x 25).
QPixmap connector();

} // namespace skillwright::art

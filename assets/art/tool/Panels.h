#pragma once

#include <model/Catalogue.h>

#include <QImage>

namespace skillwright::art::tool {

/// Artwork behind the five command labels of a skill tree screen (160 x 349).
QImage drawButtonPanel(model::ClassId classId);
/// Artwork of the lower third of a skill tree screen (811 x 223).
QImage drawBottomPanel(model::ClassId classId);
/// The ornament placed on connector lines (23 x 25).
QImage drawConnector();
/// The background of the class selection screen (800 x 600).
QImage drawSelectBackground();
/// A stylised portrait (70 x 85): 0 the first creator, 1 the re-designer.
QImage drawPortrait(int person);
/// The picture of the random character generator button (40 x 40).
QImage drawGeneratorButton();
/// The start screen's button that opens a saved character: a written scroll (40 x 40).
QImage drawOpenButton();
/// The start screen's button that continues a plan left unsaved: a glowing
/// arrow curving back on itself (40 x 40).
QImage drawContinueButton();
/// Background of the random character generator dialog (360 x 300).
QImage drawGeneratorBackground();
/// The generator dialog's emblem, a pair of dice in a bronze ring (56 x 56).
QImage drawGeneratorEmblem();
/// A folder of the library, `size` pixels square: a leather folder with a
/// tab, lit from the top left, a parchment sheet showing at its mouth.
QImage drawFolderIcon(int size);

} // namespace skillwright::art::tool

#pragma once

#include <model/Catalogue.h>

#include <QImage>

namespace skillwright::art::tool {

/// Pixel size the icons are drawn at: twice their 36 x 37 place on screen.
inline constexpr int kIconWidth = 72;
inline constexpr int kIconHeight = 74;

/// Draws the icon of a skill; an empty image if the skill has no recipe.
QImage drawSkillIcon(model::TreeId tree, int index);

} // namespace skillwright::art::tool

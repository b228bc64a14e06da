#pragma once

#include <QString>

namespace skillwright::animations {

/// Resource path of a class's still picture (the first frame of its
/// animation, stored decoded: art::storedPicture reads it), e.g.
/// ":/select/amazon.picture" for the stem "amazon".
QString classStillPath(const QString& stem);

} // namespace skillwright::animations

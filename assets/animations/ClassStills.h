#pragma once

#include <QString>

namespace skillwright::animations {

/// Resource path of a class's still picture (the first frame of its
/// animation), e.g. ":/select/amazon.png" for the stem "amazon".
QString classStillPath(const QString& stem);

} // namespace skillwright::animations

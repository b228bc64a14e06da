#pragma once

#include <QImage>

#include <array>

namespace skillwright::art::tool {

/// The sizes the program's emblem is drawn at: the desktop's usual icon sizes.
inline constexpr std::array<int, 8> kProgramIconSizes{16, 22, 24, 32, 48, 64, 128, 256};

/// The program's emblem, `size` x `size`: a bronze ring around a dark hollow
/// in which four gold skill gems stand in a diamond, joined by the lines of a
/// skill tree (one above, two beside each other, one below). Transparent
/// outside the ring. Drawn afresh at every size, so small ones stay crisp.
QImage drawProgramIcon(int size);

} // namespace skillwright::art::tool

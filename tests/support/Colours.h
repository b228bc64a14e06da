// The colours a player sees on the screens, written out as figures once for
// every suite (never taken from the screen kit under test).
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace skillwright::testing {

inline const QColor kBronze(191, 133, 49);      ///< a start screen or generator command at rest
inline const QColor kBrightGold(234, 195, 92);  ///< the same command under the pointer
inline const QColor kParchment(255, 239, 176);  ///< a tree screen command at rest, an open tier
inline const QColor kWhite(255, 255, 255);      ///< a tree screen command under the pointer, a closed tier
inline const QColor kMarkedOrange(255, 128, 0); ///< the marked column of the viewer

/// The colour a label or other control writes its text in.
inline QColor textColour(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

} // namespace skillwright::testing

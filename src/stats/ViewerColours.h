#pragma once

#include <screens/common/ScreenKit.h>

#include <QColor>

/// The statistics viewer's colours: dark panels, bronze and gold edges,
/// parchment text.
namespace skillwright::stats::colours {

// The texts' own colours are the screens' named ones (screens/common/ScreenKit.h).
inline const QColor kMarked = screens::qcolor(screens::kMarkedRow); ///< the marked row's plot point

inline const QColor kBackgroundTop{30, 24, 18};
inline const QColor kBackgroundBottom{9, 7, 5};
inline const QColor kBronze{150, 108, 52};
inline const QColor kBronzeDark{78, 56, 28};
inline const QColor kGold{214, 168, 82};
inline const QColor kPanel{20, 16, 12, 235};
inline const QColor kPanelUnused{16, 13, 10, 200};
inline const QColor kRowStripe{255, 239, 176, 11};
inline const QColor kMarkedStripe{255, 128, 0, 46};
inline const QColor kMarkedGlow{255, 128, 0, 90};

inline const QColor kNote{255, 239, 176, 150};

inline const QColor kPlotGuide{150, 108, 52, 150};
inline const QColor kPlotBand{191, 133, 49, 95};
inline const QColor kPlotLine{226, 190, 112};
inline const QColor kPlotShadow{20, 12, 4};

} // namespace skillwright::stats::colours

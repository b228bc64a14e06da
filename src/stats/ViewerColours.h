#pragma once

#include <screens/common/ScreenKit.h>

#include <QColor>

/// The statistics viewer's colours: dark panels, bronze and gold edges,
/// parchment text. The screens' named colours (screens/common/ScreenKit.h)
/// are used as they are or see-through; the rest are the viewer's own.
namespace skillwright::stats::colours {

/// `colour`, see-through to `alpha` (0..255).
inline QColor translucent(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}
inline QColor translucent(screens::Rgb rgb, int alpha) {
    return translucent(screens::qcolor(rgb), alpha);
}

inline const QColor kMarked = screens::qcolor(screens::kMarkedRow); ///< the marked row's plot point
inline const QColor kMarkedStripe = translucent(screens::kMarkedRow, 46);
inline const QColor kMarkedGlow = translucent(screens::kMarkedRow, 90);
inline const QColor kRowStripe = translucent(screens::kParchment, 11);
inline const QColor kNote = translucent(screens::kParchment, 150);
inline const QColor kPlotBand = translucent(screens::kBronze, 95);
inline const QColor kPlotBandInferred = translucent(screens::kBronze, 68);
inline const QColor kPlotBandEstimate = translucent(screens::kBronze, 45);

/// Figures carried back from a later patch, and the line that explains their
/// mark: parchment gone towards gold.
inline constexpr screens::Rgb kInferred{238, 201, 126};
/// Figures of our own estimate, and the line that explains their mark:
/// parchment, dimmed.
inline constexpr screens::Rgb kEstimate{196, 182, 138};

inline const QColor kBackgroundTop{30, 24, 18};
inline const QColor kBackgroundBottom{9, 7, 5};
inline const QColor kGlow{120, 78, 30}; ///< behind the skill line, fading out
inline const QColor kFrameBronze{150, 108, 52};
inline const QColor kFrameBronzeDark{78, 56, 28};
inline const QColor kGold{214, 168, 82};
inline const QColor kPanel{20, 16, 12, 235};
inline const QColor kPanelUnused{16, 13, 10, 200};
inline const QColor kTitlePlateTop{66, 48, 26};
inline const QColor kTitlePlateBottom{32, 23, 13};
inline const QColor kUnusedPlateTop{36, 29, 20};
inline const QColor kUnusedPlateBottom{22, 18, 13};
inline const QColor kClosePlate{40, 30, 18};

inline const QColor kPlotGuide = translucent(kFrameBronze, 150);
inline const QColor kPlotLine{226, 190, 112};
inline const QColor kPlotShadow{20, 12, 4};

} // namespace skillwright::stats::colours

#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <cstdint>
#include <string_view>

class QLabel;
class QWidget;

/// What every screen is built with: the layout unit, the named colours and
/// the small label helpers.
namespace skillwright::screens {

/// Screens are laid out in twips; 15 twips make one pixel.
inline constexpr int kTwipsPerPixel = 15;

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    [[nodiscard]] constexpr int right() const { return left + width; }
    [[nodiscard]] constexpr int bottom() const { return top + height; }
    [[nodiscard]] constexpr bool intersects(const TwipRect& o) const {
        return left < o.right() && o.left < right() && top < o.bottom() && o.top < bottom();
    }
    friend constexpr bool operator==(const TwipRect&, const TwipRect&) = default;
};

struct TwipPoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const TwipPoint&, const TwipPoint&) = default;
};

/// Twips to pixels, rounded to the nearest pixel.
int toPixels(int twips);
/// Each edge is rounded on its own, so neighbouring controls keep their distances.
QRect toPixels(const TwipRect& r);

struct Rgb {
    std::uint8_t r, g, b;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// The named colours of the screens.
inline constexpr Rgb kWhite{255, 255, 255};
/// Parchment gold: open tier labels, the tree screens' commands, the statistics texts.
inline constexpr Rgb kParchment{255, 239, 176};
/// The skill counts beside the icons.
inline constexpr Rgb kCountColour{168, 143, 121};
/// Bronze: the start screen's and the generator's commands at rest.
inline constexpr Rgb kBronze{191, 133, 49};
/// Bright gold: those commands under the pointer.
inline constexpr Rgb kBrightGold{234, 195, 92};
/// The statistics row of the skill's current points.
inline constexpr Rgb kMarkedRow{255, 128, 0};

// The colours of what Qt draws itself (menus, dialogs, tooltips) and of the
// generator's controls: dark panels and wells with parchment-gold text.
inline constexpr Rgb kPanel{33, 27, 21};
inline constexpr Rgb kWell{14, 11, 9};
inline constexpr Rgb kWellAlternate{26, 21, 16};
inline constexpr Rgb kFadedText{150, 135, 110};
inline constexpr Rgb kButtonFace{48, 39, 29};
inline constexpr Rgb kSelection{122, 90, 42};
inline constexpr Rgb kBevelLight{90, 74, 56};
inline constexpr Rgb kBevelMid{60, 49, 37};
inline constexpr Rgb kBevelDark{20, 16, 12};
inline constexpr Rgb kDisabledText{120, 110, 95};
/// The generator's option rings and level box.
inline constexpr Rgb kRing{120, 94, 58};
inline constexpr Rgb kRingWell{16, 12, 9};
inline constexpr Rgb kBoxWell{18, 14, 11};
inline constexpr Rgb kBoxFrame{110, 88, 60};

QColor qcolor(Rgb c);
/// Dresses a window of the program's own beside the screens (notes, targets,
/// the library) in the art's colours: parchment on the panel's brown, its
/// fields dark wells. Names it `name` and titles it `title`. Esc that no
/// control of it takes closes it.
void dressSideWindow(QWidget& window, const char* name, const QString& title);
QString qstring(std::string_view text);
/// The text colour of a label (its palette's WindowText).
void setTextColour(QWidget* widget, Rgb colour);
[[nodiscard]] Rgb textColour(const QWidget* widget);

/// The colour as CSS for a style sheet: "rgb(r, g, b)".
QString css(Rgb c);

/// Shows a window on top of the others and gives it the keyboard. Many
/// desktops (none at all, or one that prevents focus stealing) leave a new
/// window inactive, and a key would then reach the window behind it.
void showWithKeyboard(QWidget& window);

/// A screen reader's view of `window` leaves out every child marked as
/// decoration; to be called before anything asks for that view, which is
/// kept once made.
void leaveDecorationsOutForReaders(QWidget& window);
/// Marks `widget`, a picture that only decorates, as no control to a screen reader.
void markDecoration(QWidget* widget);
/// `widget` (a label or picture that serves as a button) is a button named
/// `name` to a screen reader; to be called before anything asks for its view.
void speakOfAsButton(QWidget* widget, const QString& name);

/// A plain-text label with its objectName, place, font and alignment.
QLabel* addLabel(QWidget* parent, const char* name, const QString& text, const TwipRect& place,
                 const QFont& font, Qt::Alignment alignment);

} // namespace skillwright::screens

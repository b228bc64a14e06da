#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

/// Where a window opens on the desktop. The program places its windows
/// itself: with no window manager nothing else does, and a window manager
/// keeps a position the program asked for.
namespace skillwright::toolkit {

/// The top left corner of a window of `size` centred on `owner`, then moved
/// as little as it takes to lie inside `screen` (its top left corner inside
/// when it is larger than the screen).
QPoint centredPlace(const QRect& owner, const QSize& size, const QRect& screen);

/// The top left corner of a window of `size` beside `owner`, inside `screen`:
/// to its right where the screen has room, else left of it, below or above
/// it, else wherever inside the screen it covers the least of `owner`.
QPoint besidePlace(const QRect& owner, const QSize& size, const QRect& screen);

/// Moves `window`, about to be shown, to the middle of `owner` (the middle
/// of the screen when there is none), inside the screen. A window manager's
/// frame is counted as the owner's frame is.
void placeCentred(QWidget& window, const QWidget* owner);
/// Moves `window`, about to be shown, beside `owner`.
void placeBeside(QWidget& window, const QWidget& owner);
/// Moves `window`, about to be shown, `gap` pixels right of `owner` and
/// `below` pixels down from its top where it lies inside the screen there,
/// else beside `owner` as placeBeside does.
void placeRightOf(QWidget& window, const QWidget& owner, int gap, int below);

} // namespace skillwright::toolkit

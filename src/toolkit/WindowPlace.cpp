#include "WindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstdint>

namespace skillwright::toolkit {

namespace {

/// `start` moved as little as it takes for `length` to lie within [low, low + room).
int within(int start, int length, int low, int room) {
    return std::max(low, std::min(start, low + room - length));
}

QPoint inside(QPoint topLeft, const QSize& size, const QRect& screen) {
    return {within(topLeft.x(), size.width(), screen.left(), screen.width()),
            within(topLeft.y(), size.height(), screen.top(), screen.height())};
}

std::int64_t area(const QRect& r) {
    return r.isEmpty() ? 0 : std::int64_t{r.width()} * r.height();
}

/// The screen a window over `owner` opens on, its desktop's part left to
/// windows (no panels).
QRect screenOf(const QWidget* owner) {
    QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

/// A window's frame as the owner's is: the window manager's borders, none without one.
QMargins frameOf(const QWidget* owner) {
    if (owner == nullptr) {
        return {};
    }
    const QRect inner = owner->geometry();
    const QRect outer = owner->frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

/// Moves `window` so that its frame's top left corner lies at what `place`
/// gives for the frame's size.
template <typename Place> void placeFrame(QWidget& window, const QWidget* owner, Place place) {
    window.ensurePolished();
    if (!window.testAttribute(Qt::WA_Resized)) {
        window.adjustSize();
    }
    const QMargins frame = frameOf(owner);
    const QSize outer = window.size().grownBy(frame);
    const QPoint corner = place(outer, screenOf(owner));
    window.move(corner + QPoint(frame.left(), frame.top()));
}

} // namespace

QPoint centredPlace(const QRect& owner, const QSize& size, const QRect& screen) {
    const QPoint centre = owner.topLeft() + QPoint(owner.width() / 2, owner.height() / 2);
    return inside(centre - QPoint(size.width() / 2, size.height() / 2), size, screen);
}

QPoint besidePlace(const QRect& owner, const QSize& size, const QRect& screen) {
    const int right = owner.left() + owner.width();
    const int below = owner.top() + owner.height();
    // Across: right of it, left of it, or over its middle; down: at its top,
    // below it or above it. The first that covers none of it, else the one
    // that covers the least.
    const std::array<int, 3> xs{right, owner.left() - size.width(),
                                owner.left() + (owner.width() - size.width()) / 2};
    const std::array<int, 3> ys{owner.top(), below, owner.top() - size.height()};
    QPoint best;
    std::int64_t least = -1;
    for (const int y : ys) {
        for (const int x : xs) {
            const QPoint at = inside({x, y}, size, screen);
            const std::int64_t covered = area(QRect(at, size).intersected(owner));
            if (least < 0 || covered < least) {
                least = covered;
                best = at;
            }
        }
    }
    return best;
}

void placeCentred(QWidget& window, const QWidget* owner) {
    placeFrame(window, owner, [owner](const QSize& outer, const QRect& screen) {
        return centredPlace(owner != nullptr ? owner->frameGeometry() : screen, outer, screen);
    });
}

void placeBeside(QWidget& window, const QWidget& owner) {
    placeFrame(window, &owner, [&owner](const QSize& outer, const QRect& screen) {
        return besidePlace(owner.frameGeometry(), outer, screen);
    });
}

void placeRightOf(QWidget& window, const QWidget& owner, int gap, int below) {
    placeFrame(window, &owner, [&owner, gap, below](const QSize& outer, const QRect& screen) {
        const QRect at = owner.frameGeometry();
        const QRect wanted(at.topRight() + QPoint(gap, below), outer);
        return screen.contains(wanted) ? wanted.topLeft() : besidePlace(at, outer, screen);
    });
}

} // namespace skillwright::toolkit

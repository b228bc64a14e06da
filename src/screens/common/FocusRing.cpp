#include "FocusRing.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace skillwright::screens {

FocusRing::FocusRing(QWidget* window, Rgb colour, int margin, Shape shape)
    : QWidget(window), m_colour(colour), m_margin(margin), m_shape(shape) {
    setObjectName(QStringLiteral("sh_FocusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    markDecoration(this); // what it marks tells a reader it has the keyboard
    hide();
}

void FocusRing::frame(QWidget* control) {
    m_framed = control;
    if (control == nullptr) {
        hide();
        return;
    }
    const QRect place = control->geometry().adjusted(-m_margin, -m_margin, m_margin, m_margin);
    if (geometry() != place) {
        setGeometry(place);
    }
    raise();
    show();
    update();
}

void FocusRing::paintEvent(QPaintEvent*) {
    // Whole-pixel bands drawn as filled rectangles: no smoothing, so the edges
    // fall on device pixels at any scale.
    QPainter painter(this);
    const QRect outer = rect();
    const auto band = [&painter](const QRect& r, int width, const QColor& colour) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), width), colour);
        painter.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), colour);
        painter.fillRect(QRect(r.left(), r.top() + width, width, r.height() - 2 * width), colour);
        painter.fillRect(QRect(r.right() - width + 1, r.top() + width, width, r.height() - 2 * width),
                         colour);
    };
    if (m_shape == Shape::Corners) {
        // A quarter of each side at each corner; the middles stay clear.
        const int keptX = outer.width() / 4;
        const int keptY = outer.height() / 4;
        painter.setClipRegion(QRegion(outer) - QRect(keptX, 0, outer.width() - 2 * keptX, outer.height()) -
                              QRect(0, keptY, outer.width(), outer.height() - 2 * keptY));
    }
    band(outer, kLine, qcolor(m_colour));
    band(outer.adjusted(kLine, kLine, -kLine, -kLine), 1, Qt::black);
}

} // namespace skillwright::screens

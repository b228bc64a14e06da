#include "FocusRing.h"

#include <QPaintEvent>
#include <QPainter>

namespace skillwright::screens {

FocusRing::FocusRing(QWidget* window, Rgb colour, int margin)
    : QWidget(window), m_colour(colour), m_margin(margin) {
    setObjectName(QStringLiteral("sh_FocusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
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
    band(outer, kLine, qcolor(m_colour));
    band(outer.adjusted(kLine, kLine, -kLine, -kLine), 1, Qt::black);
}

} // namespace skillwright::screens

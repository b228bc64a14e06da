#include "ProgramIcon.h"

#include "Paint.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace skillwright::art::tool {

QImage drawProgramIcon(int size) {
    QImage image = blankImage(size, size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 64-unit square. Below 32 pixels the ring and the lines are
    // thickened, so that a 16-pixel icon still shows them.
    const qreal scale = size / 64.0;
    const qreal bold = std::clamp(32.0 / size, 1.0, 1.6);
    painter.scale(scale, scale);
    const QPointF centre(32, 32);

    // The bronze ring, lit from the top left.
    const qreal outer = 31.0;
    const qreal inner = outer - 5.0 * bold;
    QLinearGradient ring(QPointF(4, 4), QPointF(60, 60));
    ring.setColorAt(0.0, QColor(240, 208, 126));
    ring.setColorAt(0.45, QColor(178, 126, 50));
    ring.setColorAt(1.0, QColor(72, 45, 16));
    painter.setPen(QPen(QColor(0, 0, 0, 220), 1.0 / scale));
    painter.setBrush(ring);
    painter.drawEllipse(centre, outer, outer);
    QRadialGradient hollow(QPointF(32, 36), inner);
    hollow.setColorAt(0.0, QColor(96, 38, 14));
    hollow.setColorAt(1.0, QColor(12, 8, 6));
    painter.setBrush(hollow);
    painter.drawEllipse(centre, inner, inner);

    // The tree: gems above, beside and below, joined as prerequisites are.
    const std::array<QPointF, 4> gems{QPointF(32, 15), QPointF(18, 32), QPointF(46, 32), QPointF(32, 49)};
    QPainterPath lines;
    lines.moveTo(gems[0]);
    lines.lineTo(gems[1]);
    lines.lineTo(gems[3]);
    lines.lineTo(gems[2]);
    lines.lineTo(gems[0]);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 10, 4), 4.6 * bold, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(lines);
    painter.setPen(QPen(QColor(214, 164, 70), 2.4 * bold, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(lines);

    const qreal radius = 5.6 * std::min(bold, 1.3);
    for (const QPointF& gem : gems) {
        QRadialGradient lit(gem - QPointF(radius / 3, radius / 3), radius * 1.3);
        lit.setColorAt(0.0, QColor(255, 246, 196));
        lit.setColorAt(0.5, QColor(234, 190, 82));
        lit.setColorAt(1.0, QColor(120, 74, 18));
        painter.setPen(QPen(QColor(24, 12, 4), 1.2 * bold));
        painter.setBrush(lit);
        painter.drawEllipse(gem, radius, radius);
    }

    // A thin highlight on the ring's upper left.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 238, 186, 110), 1.0 * bold));
    painter.drawArc(QRectF(2.5, 2.5, 59, 59), 60 * 16, 90 * 16);
    return image;
}

} // namespace skillwright::art::tool

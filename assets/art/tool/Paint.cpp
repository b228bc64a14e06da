#include "Paint.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>

namespace skillwright::art::tool {

double Noise::next() {
    // xorshift32: small, fast and identical on every platform.
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return (m_state & 0xFFFFFF) / double(0x1000000);
}

void paintGlyph(QPainter& painter, Glyph glyph, QPointF centre, qreal size, qreal degrees, QColor colour,
                bool glow) {
    QTransform placement;
    placement.translate(centre.x(), centre.y());
    placement.rotate(degrees);
    placement.scale(size, std::abs(size)); // a negative size mirrors the glyph
    const QPainterPath path = placement.map(glyphPath(glyph));
    const QRectF box = path.boundingRect();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (glow) {
        for (int ring = 3; ring >= 1; --ring) {
            QColor halo = colour.lighter(120);
            halo.setAlpha(28);
            painter.setPen(QPen(halo, ring * 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(path);
        }
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 150));
    painter.drawPath(path.translated(1.2, 1.8));

    QLinearGradient shade(box.topLeft(), box.bottomLeft());
    shade.setColorAt(0.0, colour.lighter(165));
    shade.setColorAt(0.45, colour);
    shade.setColorAt(1.0, colour.darker(190));
    painter.setBrush(shade);
    painter.setPen(QPen(colour.darker(320), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);

    // A thin highlight along the upper edge reads as a polished surface.
    painter.setClipPath(path);
    QColor shine(255, 255, 255, 70);
    painter.setPen(QPen(shine, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path.translated(0.6, 0.9));
    painter.restore();
}

void paintGrain(QPainter& painter, const QRect& area, std::uint32_t seed, int density, int alpha) {
    Noise noise(seed);
    const int specks = area.width() * area.height() * density / 100;
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int k = 0; k < specks; ++k) {
        const int x = area.x() + int(noise.next() * area.width());
        const int y = area.y() + int(noise.next() * area.height());
        const bool light = noise.next() < 0.3;
        const int a = int(alpha * (0.3 + 0.7 * noise.next()));
        painter.setBrush(light ? QColor(230, 225, 215, a / 2) : QColor(0, 0, 0, a));
        painter.drawRect(x, y, 1, 1);
    }
    painter.restore();
}

void paintBevel(QPainter& painter, const QRectF& outer, qreal width, QColor metal) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath ring;
    ring.addRect(outer);
    ring.addRect(outer.adjusted(width, width, -width, -width));
    ring.setFillRule(Qt::OddEvenFill);
    QLinearGradient light(outer.topLeft(), outer.bottomRight());
    light.setColorAt(0.0, metal.lighter(170));
    light.setColorAt(0.5, metal);
    light.setColorAt(1.0, metal.darker(260));
    painter.setPen(Qt::NoPen);
    painter.setBrush(light);
    painter.drawPath(ring);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 220), 1.0));
    painter.drawRect(outer.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.drawRect(outer.adjusted(width - 0.5, width - 0.5, -width + 0.5, -width + 0.5));
    painter.setPen(QPen(QColor(255, 245, 220, 90), 1.0));
    painter.drawLine(QPointF(outer.left() + 1.5, outer.top() + 1.5),
                     QPointF(outer.right() - 1.5, outer.top() + 1.5));
    painter.restore();
}

void paintRecess(QPainter& painter, const QRectF& area, QColor fill) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient depth(area.topLeft(), area.bottomLeft());
    depth.setColorAt(0.0, fill.darker(220));
    depth.setColorAt(0.25, fill);
    depth.setColorAt(1.0, fill.darker(130));
    painter.setPen(Qt::NoPen);
    painter.setBrush(depth);
    painter.drawRoundedRect(area, 2, 2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 200), 1.0));
    painter.drawLine(area.topLeft() + QPointF(1, 0.5), area.topRight() + QPointF(-1, 0.5));
    painter.drawLine(area.topLeft() + QPointF(0.5, 1), area.bottomLeft() + QPointF(0.5, -1));
    painter.setPen(QPen(QColor(255, 235, 200, 60), 1.0));
    painter.drawLine(area.bottomLeft() + QPointF(1, -0.5), area.bottomRight() + QPointF(-1, -0.5));
    painter.drawLine(area.topRight() + QPointF(-0.5, 1), area.bottomRight() + QPointF(-0.5, -1));
    painter.restore();
}

void paintRivet(QPainter& painter, QPointF centre, qreal radius, QColor metal) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 160));
    painter.drawEllipse(centre + QPointF(0.6, 0.8), radius, radius);
    QRadialGradient dome(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.4);
    dome.setColorAt(0.0, metal.lighter(190));
    dome.setColorAt(0.5, metal);
    dome.setColorAt(1.0, metal.darker(250));
    painter.setBrush(dome);
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
}

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace skillwright::art::tool

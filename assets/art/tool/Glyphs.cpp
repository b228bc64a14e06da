#include "Glyphs.h"

#include <QPainterPathStroker>
#include <QPolygonF>
#include <QTransform>

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace skillwright::art::tool {

namespace {

// Glyphs are built at a hundred times their final size: Qt's boolean path
// operations flatten curves with an absolute tolerance, so unit-sized circles
// would come out as octagons.
constexpr qreal K = 100;

QPainterPath big(const QPainterPath& p) {
    return QTransform::fromScale(K, K).map(p);
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath p;
    p.addPolygon(QPolygonF(QList<QPointF>(points)));
    p.closeSubpath();
    return big(p);
}

QPainterPath rect(qreal x, qreal y, qreal w, qreal h, qreal radius = 0) {
    QPainterPath p;
    if (radius > 0) {
        p.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    } else {
        p.addRect(QRectF(x, y, w, h));
    }
    return big(p);
}

QPainterPath circle(qreal cx, qreal cy, qreal r) {
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), r, r);
    return big(p);
}

QPainterPath ellipse(qreal cx, qreal cy, qreal rx, qreal ry) {
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), rx, ry);
    return big(p);
}

/// A stroked line turned into a filled outline, so every glyph fills alike.
QPainterPath stroked(const QPainterPath& line, qreal width, Qt::PenCapStyle cap = Qt::RoundCap) {
    QPainterPathStroker stroker;
    stroker.setWidth(width * K);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(big(line)).simplified();
}

QPainterPath rotated(const QPainterPath& p, qreal degrees) {
    return QTransform().rotate(degrees).map(p);
}

QPainterPath starShape(int points, qreal outer, qreal inner) {
    QPainterPath p;
    for (int k = 0; k < points * 2; ++k) {
        const qreal r = (k % 2 == 0) ? outer : inner;
        const qreal a = std::numbers::pi * k / points - std::numbers::pi / 2;
        const QPointF pt(r * std::cos(a), r * std::sin(a));
        if (k == 0) {
            p.moveTo(pt);
        } else {
            p.lineTo(pt);
        }
    }
    p.closeSubpath();
    return big(p);
}

QPainterPath skull() {
    QPainterPath head = ellipse(0, -0.2, 0.78, 0.72).united(rect(-0.45, 0.2, 0.9, 0.6, 0.12));
    head = head.subtracted(ellipse(-0.3, -0.08, 0.21, 0.24)).subtracted(ellipse(0.3, -0.08, 0.21, 0.24));
    head = head.subtracted(polygon({{0, 0.18}, {0.1, 0.38}, {-0.1, 0.38}}));
    for (qreal x : {-0.22, 0.0, 0.22}) {
        head = head.subtracted(rect(x - 0.035, 0.55, 0.07, 0.3));
    }
    return head;
}

QPainterPath flame() {
    QPainterPath p;
    p.moveTo(0.05, -1);
    p.cubicTo(0.35, -0.55, 0.95, -0.2, 0.7, 0.5);
    p.cubicTo(0.55, 0.95, -0.55, 0.95, -0.7, 0.5);
    p.cubicTo(-0.85, 0.05, -0.45, -0.25, -0.3, -0.6);
    p.cubicTo(-0.15, -0.3, 0.0, -0.25, 0.05, -1);
    return big(p);
}

QPainterPath arrow() {
    QPainterPath p = rect(-0.07, -0.6, 0.14, 1.45);
    p = p.united(polygon({{0, -1}, {0.26, -0.52}, {0, -0.62}, {-0.26, -0.52}}));
    p = p.united(polygon({{-0.05, 0.5}, {-0.3, 0.72}, {-0.3, 1.0}, {-0.05, 0.8}}));
    p = p.united(polygon({{0.05, 0.5}, {0.3, 0.72}, {0.3, 1.0}, {0.05, 0.8}}));
    return p;
}

QPainterPath sword() {
    QPainterPath p = polygon({{0, -1}, {0.13, -0.78}, {0.13, 0.35}, {-0.13, 0.35}, {-0.13, -0.78}});
    p = p.united(rect(-0.45, 0.33, 0.9, 0.13, 0.05));
    p = p.united(rect(-0.07, 0.45, 0.14, 0.36));
    return p.united(circle(0, 0.88, 0.12));
}

QPainterPath axe() {
    QPainterPath blade;
    blade.moveTo(0.02, -0.72);
    blade.quadTo(0.5, -0.72, 0.72, -0.98);
    blade.quadTo(1.0, -0.4, 0.72, 0.18);
    blade.quadTo(0.5, -0.08, 0.02, -0.1);
    blade.closeSubpath();
    return rect(-0.08, -0.95, 0.16, 1.95, 0.05).united(big(blade));
}

QPainterPath mace() {
    QPainterPath p = rect(-0.07, -0.3, 0.14, 1.3, 0.05).united(circle(0, -0.5, 0.36));
    for (int k = 0; k < 8; ++k) {
        p = p.united(
            rotated(polygon({{-0.1, -0.3}, {0, -0.58}, {0.1, -0.3}}), 45.0 * k).translated(0, -0.5 * K));
    }
    return p.united(circle(0, 1.0, 0.09));
}

QPainterPath spear() {
    QPainterPath p = rect(-0.07, -0.5, 0.14, 1.5);
    p = p.united(polygon({{0, -1}, {0.21, -0.66}, {0, -0.4}, {-0.21, -0.66}}));
    return p.united(rect(-0.14, -0.45, 0.28, 0.08));
}

QPainterPath halberd() {
    QPainterPath blade;
    blade.moveTo(0.04, -0.62);
    blade.quadTo(0.55, -0.7, 0.6, -0.9);
    blade.quadTo(0.75, -0.45, 0.55, -0.15);
    blade.quadTo(0.4, -0.3, 0.04, -0.3);
    blade.closeSubpath();
    return spear().united(big(blade)).united(polygon({{-0.04, -0.55}, {-0.45, -0.4}, {-0.04, -0.4}}));
}

QPainterPath hammer() {
    return rect(-0.07, -0.35, 0.14, 1.35, 0.05)
        .united(rect(-0.6, -0.8, 1.2, 0.5, 0.08))
        .united(rect(-0.2, -0.9, 0.4, 0.7, 0.05));
}

QPainterPath shield() {
    QPainterPath p;
    p.moveTo(-0.75, -0.85);
    p.quadTo(0, -0.65, 0.75, -0.85);
    p.lineTo(0.75, -0.1);
    p.quadTo(0.7, 0.6, 0, 1);
    p.quadTo(-0.7, 0.6, -0.75, -0.1);
    p.closeSubpath();
    return big(p);
}

QPainterPath cross() {
    return rect(-0.15, -0.95, 0.3, 1.9).united(rect(-0.65, -0.5, 1.3, 0.3));
}

QPainterPath tooth() {
    QPainterPath p;
    p.moveTo(-0.38, -0.85);
    p.quadTo(0, -1.05, 0.38, -0.85);
    p.quadTo(0.32, 0.2, 0, 1);
    p.quadTo(-0.32, 0.2, -0.38, -0.85);
    return big(p);
}

QPainterPath bone() {
    QPainterPath p = rect(-0.12, -0.75, 0.24, 1.5);
    for (qreal x : {-0.15, 0.15}) {
        for (qreal y : {-0.78, 0.78}) {
            p = p.united(circle(x, y, 0.2));
        }
    }
    return p;
}

QPainterPath snowflake() {
    QPainterPath lines;
    for (int k = 0; k < 3; ++k) {
        QPainterPath arm;
        arm.moveTo(0, -0.95);
        arm.lineTo(0, 0.95);
        for (qreal s : {-1.0, 1.0}) {
            arm.moveTo(-0.25, s * 0.8);
            arm.lineTo(0, s * 0.55);
            arm.lineTo(0.25, s * 0.8);
        }
        lines.addPath(rotated(arm, 60.0 * k));
    }
    return stroked(lines, 0.13);
}

QPainterPath drop() {
    QPainterPath p;
    p.moveTo(0, -1);
    p.quadTo(0.75, -0.05, 0.62, 0.45);
    p.cubicTo(0.5, 1.0, -0.5, 1.0, -0.62, 0.45);
    p.quadTo(-0.75, -0.05, 0, -1);
    return big(p);
}

QPainterPath eye() {
    QPainterPath almond;
    almond.moveTo(-1, 0);
    almond.quadTo(0, -0.95, 1, 0);
    almond.quadTo(0, 0.95, -1, 0);
    return big(almond).subtracted(circle(0, 0, 0.42)).united(circle(0, 0, 0.27));
}

QPainterPath hand() {
    QPainterPath p = rect(-0.45, -0.2, 0.85, 0.95, 0.25);
    const qreal xs[] = {-0.45, -0.22, 0.01, 0.24};
    const qreal tops[] = {-0.7, -0.9, -0.95, -0.78};
    for (int k = 0; k < 4; ++k) {
        p = p.united(rect(xs[k], tops[k], 0.19, 0.8, 0.09));
    }
    return p.united(rotated(rect(0.25, -0.1, 0.18, 0.6, 0.09), -35).translated(0.2 * K, 0.28 * K));
}

QPainterPath figure() {
    QPainterPath body;
    body.moveTo(-0.5, 1);
    body.lineTo(-0.38, -0.25);
    body.quadTo(0, -0.45, 0.38, -0.25);
    body.lineTo(0.5, 1);
    body.closeSubpath();
    return big(body).united(circle(0, -0.68, 0.26));
}

QPainterPath golem() {
    QPainterPath p = rect(-0.62, -0.5, 1.24, 0.85, 0.2);
    p = p.united(rect(-0.22, -0.9, 0.44, 0.42, 0.1));
    p = p.united(rect(-0.95, -0.45, 0.3, 0.95, 0.12)).united(rect(0.65, -0.45, 0.3, 0.95, 0.12));
    p = p.united(rect(-0.5, 0.3, 0.36, 0.7, 0.08)).united(rect(0.14, 0.3, 0.36, 0.7, 0.08));
    return p.subtracted(rect(-0.14, -0.78, 0.09, 0.08)).subtracted(rect(0.05, -0.78, 0.09, 0.08));
}

QPainterPath wall() {
    QPainterPath p;
    for (int row = 0; row < 4; ++row) {
        const qreal y = -0.9 + row * 0.46;
        const qreal offset = (row % 2) ? -0.5 : 0.0;
        for (int col = 0; col < 3; ++col) {
            const qreal x = -1.0 + offset + col * 0.68;
            const QRectF brick = QRectF(x, y, 0.62, 0.4).intersected(QRectF(-1, -1, 2, 2));
            if (brick.width() > 0.1) {
                p = p.united(rect(brick.x(), brick.y(), brick.width(), brick.height(), 0.05));
            }
        }
    }
    return p;
}

QPainterPath cage() {
    QPainterPath lines;
    for (qreal x : {-0.6, -0.3, 0.0, 0.3, 0.6}) {
        lines.moveTo(x, -0.7);
        lines.lineTo(x, 0.85);
    }
    QPainterPath frame = stroked(lines, 0.11, Qt::FlatCap);
    QPainterPath dome;
    dome.moveTo(-0.75, -0.65);
    dome.quadTo(0, -1.3, 0.75, -0.65);
    return frame.united(stroked(dome, 0.16)).united(rect(-0.8, 0.8, 1.6, 0.18, 0.05));
}

QPainterPath cloud() {
    return circle(-0.45, 0.15, 0.38)
        .united(circle(0.05, -0.15, 0.5))
        .united(circle(0.5, 0.15, 0.38))
        .united(rect(-0.6, 0.1, 1.2, 0.43, 0.15));
}

QPainterPath spiral() {
    QPainterPath line;
    for (int k = 0; k <= 80; ++k) {
        const qreal t = k / 80.0;
        const qreal a = t * 2.6 * 2 * std::numbers::pi;
        const QPointF pt(0.92 * t * std::cos(a), 0.92 * t * std::sin(a));
        if (k == 0) {
            line.moveTo(pt);
        } else {
            line.lineTo(pt);
        }
    }
    return stroked(line, 0.15);
}

QPainterPath heart() {
    QPainterPath p;
    p.moveTo(0, 0.95);
    p.cubicTo(-1.2, 0.05, -0.6, -1.0, 0, -0.4);
    p.cubicTo(0.6, -1.0, 1.2, 0.05, 0, 0.95);
    return big(p);
}

QPainterPath wing() {
    QPainterPath p;
    p.moveTo(-0.9, 0.6);
    p.quadTo(-0.6, -0.9, 0.95, -0.9);
    p.quadTo(0.7, -0.6, 0.8, -0.45);
    p.quadTo(0.45, -0.3, 0.6, -0.1);
    p.quadTo(0.25, 0.0, 0.35, 0.25);
    p.quadTo(-0.1, 0.3, -0.9, 0.6);
    return big(p);
}

QPainterPath boot() {
    QPainterPath p;
    p.moveTo(-0.4, -0.85);
    p.lineTo(0.2, -0.85);
    p.lineTo(0.22, 0.2);
    p.quadTo(0.5, 0.3, 0.8, 0.45);
    p.quadTo(1.0, 0.6, 0.9, 0.9);
    p.lineTo(-0.45, 0.9);
    p.quadTo(-0.52, 0.5, -0.4, 0.3);
    p.closeSubpath();
    return big(p).united(rect(-0.48, -0.95, 0.76, 0.2, 0.05));
}

QPainterPath crown() {
    return polygon({{-0.85, 0.55},
                    {-0.85, -0.55},
                    {-0.42, -0.05},
                    {0, -0.8},
                    {0.42, -0.05},
                    {0.85, -0.55},
                    {0.85, 0.55}})
        .united(rect(-0.85, 0.55, 1.7, 0.25, 0.05));
}

QPainterPath waves() {
    QPainterPath arcs;
    for (qreal r : {0.45, 0.85, 1.25}) {
        QRectF box(-0.95 - r, -r, 2 * r, 2 * r);
        arcs.arcMoveTo(box, 40);
        arcs.arcTo(box, 40, -80);
    }
    return stroked(arcs, 0.15).united(circle(-0.95, 0, 0.17));
}

QPainterPath chevrons() {
    QPainterPath lines;
    for (qreal y : {-0.55, 0.0, 0.55}) {
        lines.moveTo(-0.75, y + 0.35);
        lines.lineTo(0, y - 0.2);
        lines.lineTo(0.75, y + 0.35);
    }
    return stroked(lines, 0.22, Qt::FlatCap);
}

QPainterPath chain() {
    QPainterPath p;
    for (int k = -1; k <= 1; ++k) {
        QPainterPath link = ellipse(0, 0, 0.42, 0.24).subtracted(ellipse(0, 0, 0.28, 0.11));
        p = p.united(rotated(link, (k == 0) ? -45 + 90 : -45).translated(k * 0.5 * K, -k * 0.5 * K));
    }
    return p;
}

QPainterPath hourglass() {
    return polygon({{-0.6, -0.8}, {0.6, -0.8}, {0.08, 0}, {0.6, 0.8}, {-0.6, 0.8}, {-0.08, 0}})
        .united(rect(-0.75, -0.98, 1.5, 0.2, 0.05))
        .united(rect(-0.75, 0.78, 1.5, 0.2, 0.05));
}

QPainterPath gem() {
    return polygon({{-0.85, -0.3}, {-0.45, -0.8}, {0.45, -0.8}, {0.85, -0.3}, {0, 0.95}})
        .subtracted(stroked(polygon({{-0.85, -0.3}, {0.85, -0.3}}), 0.06));
}

QPainterPath potion() {
    return circle(0, 0.35, 0.6)
        .united(rect(-0.17, -0.75, 0.34, 0.6))
        .united(rect(-0.27, -0.95, 0.54, 0.22, 0.06));
}

QPainterPath target() {
    QPainterPath p = circle(0, 0, 0.85).subtracted(circle(0, 0, 0.68));
    p = p.united(circle(0, 0, 0.45).subtracted(circle(0, 0, 0.3))).united(circle(0, 0, 0.14));
    for (int k = 0; k < 4; ++k) {
        p = p.united(rotated(rect(-0.05, -1.0, 0.1, 0.45), 90.0 * k));
    }
    return p;
}

QPainterPath coffin() {
    QPainterPath p = polygon({{-0.35, -1}, {0.35, -1}, {0.62, -0.45}, {0.4, 1}, {-0.4, 1}, {-0.62, -0.45}});
    for (qreal y : {-0.45, 0.05, 0.55}) {
        p = p.subtracted(polygon({{-0.2, y}, {0.2, y}, {0, y + 0.3}}));
    }
    return p;
}

QPainterPath thorns() {
    QPainterPath vine;
    vine.moveTo(-0.15, 1);
    vine.cubicTo(0.6, 0.4, -0.6, -0.3, 0.15, -1);
    QPainterPath p = stroked(vine, 0.16);
    const QPointF spots[] = {{0.18, 0.55}, {-0.12, 0.05}, {0.05, -0.55}};
    for (int k = 0; k < 3; ++k) {
        const qreal side = (k % 2) ? -1 : 1;
        p = p.united(polygon({{spots[k].x(), spots[k].y() - 0.1},
                              {spots[k].x() + side * 0.5, spots[k].y() - 0.25},
                              {spots[k].x(), spots[k].y() + 0.1}}));
        p = p.united(polygon({{spots[k].x(), spots[k].y() - 0.05},
                              {spots[k].x() - side * 0.38, spots[k].y() + 0.1},
                              {spots[k].x(), spots[k].y() + 0.15}}));
    }
    return p;
}

QPainterPath hydra() {
    QPainterPath necks;
    const QPointF heads[] = {{-0.65, -0.55}, {0.0, -0.85}, {0.65, -0.55}};
    for (const QPointF& h : heads) {
        necks.moveTo(0, 1);
        necks.quadTo(h.x() * 1.1, 0.3, h.x(), h.y() + 0.15);
    }
    QPainterPath p = stroked(necks, 0.2);
    for (const QPointF& h : heads) {
        p = p.united(ellipse(h.x(), h.y(), 0.2, 0.15))
                .united(
                    polygon({{h.x(), h.y() - 0.12}, {h.x() + 0.33, h.y() + 0.02}, {h.x(), h.y() + 0.12}}));
    }
    return p.united(ellipse(0, 0.85, 0.45, 0.2));
}

QPainterPath slash() {
    QPainterPath arcs;
    for (qreal dx : {-0.4, 0.0, 0.4}) {
        arcs.moveTo(dx - 0.45, 0.9);
        arcs.quadTo(dx + 0.05, 0.3, dx + 0.45, -0.9);
    }
    QPainterPathStroker stroker;
    stroker.setWidth(0.17 * K);
    stroker.setCapStyle(Qt::FlatCap);
    return stroker.createStroke(big(arcs)).simplified();
}

QPainterPath leapArc() {
    QPainterPath arc;
    arc.moveTo(-0.85, 0.8);
    arc.quadTo(-0.2, -1.1, 0.6, 0.35);
    return stroked(arc, 0.22).united(polygon({{0.3, 0.28}, {0.98, 0.78}, {0.82, -0.05}}));
}

QPainterPath crack() {
    QPainterPath line;
    line.moveTo(0.1, -1);
    line.lineTo(-0.2, -0.45);
    line.lineTo(0.18, -0.05);
    line.lineTo(-0.15, 0.45);
    line.lineTo(0.05, 1);
    return stroked(line, 0.14, Qt::FlatCap);
}

QPainterPath moon() {
    return circle(0, 0, 0.9).subtracted(circle(0.4, -0.25, 0.75));
}

QPainterPath fist() {
    QPainterPath p = rect(-0.55, -0.45, 1.1, 0.85, 0.25);
    for (int k = 0; k < 4; ++k) {
        p = p.united(rect(-0.55 + k * 0.28, -0.75, 0.26, 0.45, 0.12));
    }
    return p.united(rect(-0.35, 0.3, 0.7, 0.7, 0.06)).united(rect(-0.75, -0.3, 0.35, 0.5, 0.15));
}

QPainterPath horn() {
    QPainterPath cone;
    cone.moveTo(-0.95, 0.5);
    cone.quadTo(-0.1, 0.5, 0.42, -0.78);
    cone.lineTo(0.98, -0.38);
    cone.quadTo(0.2, 0.95, -0.95, 0.78);
    cone.closeSubpath();
    QPainterPath p = big(cone).united(rotated(ellipse(0, 0, 0.34, 0.14), 35).translated(0.7 * K, -0.58 * K));
    // Two bands cut across the horn.
    for (const QLineF& band : {QLineF(-0.45, 0.35, -0.4, 0.95), QLineF(0.08, 0.05, 0.32, 0.6)}) {
        QPainterPath line;
        line.moveTo(band.p1());
        line.lineTo(band.p2());
        p = p.subtracted(stroked(line, 0.07, Qt::FlatCap));
    }
    return p.united(rect(-1.0, 0.45, 0.12, 0.38, 0.04));
}

QPainterPath bigGlyph(Glyph glyph) {
    switch (glyph) {
    case Glyph::Skull:
        return skull();
    case Glyph::Flame:
        return flame();
    case Glyph::Bolt:
        return polygon(
            {{0.22, -1}, {-0.5, 0.1}, {-0.06, 0.1}, {-0.3, 1}, {0.55, -0.17}, {0.08, -0.17}, {0.48, -1}});
    case Glyph::Arrow:
        return arrow();
    case Glyph::Sword:
        return sword();
    case Glyph::Axe:
        return axe();
    case Glyph::Mace:
        return mace();
    case Glyph::Spear:
        return spear();
    case Glyph::Halberd:
        return halberd();
    case Glyph::Hammer:
        return hammer();
    case Glyph::Shield:
        return shield();
    case Glyph::Cross:
        return cross();
    case Glyph::Tooth:
        return tooth();
    case Glyph::Bone:
        return bone();
    case Glyph::Ring:
        return circle(0, 0, 0.95).subtracted(circle(0, 0, 0.78));
    case Glyph::Orb:
        return circle(0, 0, 0.9);
    case Glyph::Snowflake:
        return snowflake();
    case Glyph::Shard:
        return polygon({{0, -1}, {0.3, -0.3}, {0.17, 1}, {-0.17, 1}, {-0.3, -0.3}});
    case Glyph::Burst:
        return starShape(12, 1.0, 0.45);
    case Glyph::Star:
        return starShape(5, 1.0, 0.42);
    case Glyph::Drop:
        return drop();
    case Glyph::Eye:
        return eye();
    case Glyph::Hand:
        return hand();
    case Glyph::Figure:
        return figure();
    case Glyph::Golem:
        return golem();
    case Glyph::Wall:
        return wall();
    case Glyph::Cage:
        return cage();
    case Glyph::Cloud:
        return cloud();
    case Glyph::Spiral:
        return spiral();
    case Glyph::Heart:
        return heart();
    case Glyph::Wing:
        return wing();
    case Glyph::Boot:
        return boot();
    case Glyph::Crown:
        return crown();
    case Glyph::Waves:
        return waves();
    case Glyph::Chevrons:
        return chevrons();
    case Glyph::Chain:
        return chain();
    case Glyph::Hourglass:
        return hourglass();
    case Glyph::Gem:
        return gem();
    case Glyph::Potion:
        return potion();
    case Glyph::Bar:
        return rect(-0.09, -1, 0.18, 2, 0.04);
    case Glyph::Target:
        return target();
    case Glyph::Coffin:
        return coffin();
    case Glyph::Thorns:
        return thorns();
    case Glyph::Hydra:
        return hydra();
    case Glyph::Slash:
        return slash();
    case Glyph::LeapArc:
        return leapArc();
    case Glyph::Crack:
        return crack();
    case Glyph::Halo:
        return ellipse(0, 0, 0.95, 0.35).subtracted(ellipse(0, 0, 0.75, 0.2));
    case Glyph::Dagger:
        return QTransform().scale(1.25, 0.8).map(sword());
    case Glyph::Moon:
        return moon();
    case Glyph::Fist:
        return fist();
    case Glyph::Horn:
        return horn();
    }
    return {};
}

} // namespace

QPainterPath glyphPath(Glyph glyph) {
    return QTransform::fromScale(1 / K, 1 / K).map(bigGlyph(glyph));
}

} // namespace skillwright::art::tool

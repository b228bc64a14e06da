#include "Panels.h"

#include "Paint.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>

namespace skillwright::art::tool {

namespace {

const QColor kMetal(124, 102, 70);
const QColor kCountColour(168, 143, 121);
/// The near black behind text lines that lie on a panel's edge.
const QColor kTextStrip(7, 6, 6);

/// A light wash per class, after the hue of its screen's bands.
QColor classTint(model::ClassId id) {
    switch (id) {
    case model::ClassId::Necromancer:
        return {96, 110, 96};
    case model::ClassId::Amazon:
        return {150, 20, 16};
    case model::ClassId::Barbarian:
        return {150, 96, 10};
    case model::ClassId::Paladin:
        return {30, 40, 170};
    case model::ClassId::Sorceress:
        return {30, 140, 20};
    }
    return {90, 90, 90};
}

Glyph classEmblem(model::ClassId id) {
    switch (id) {
    case model::ClassId::Necromancer:
        return Glyph::Skull;
    case model::ClassId::Amazon:
        return Glyph::Spear;
    case model::ClassId::Barbarian:
        return Glyph::Axe;
    case model::ClassId::Paladin:
        return Glyph::Cross;
    case model::ClassId::Sorceress:
        return Glyph::Star;
    }
    return Glyph::Orb;
}

/// Dark mottled stone, washed with a tint.
void paintStone(QPainter& painter, const QRect& area, QColor tint, std::uint32_t seed) {
    QLinearGradient base(area.topLeft(), area.bottomLeft());
    base.setColorAt(0.0, QColor(34, 31, 28));
    base.setColorAt(1.0, QColor(14, 13, 12));
    painter.fillRect(area, base);
    Noise noise(seed);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const int blotches = area.width() * area.height() / 900 + 8;
    for (int k = 0; k < blotches; ++k) {
        const QPointF centre(area.x() + noise.next() * area.width(), area.y() + noise.next() * area.height());
        const qreal radius = 6 + noise.next() * 30;
        QRadialGradient blot(centre, radius);
        const bool light = noise.next() < 0.5;
        blot.setColorAt(0.0, light ? QColor(255, 240, 220, 10) : QColor(0, 0, 0, 40));
        blot.setColorAt(1.0, QColor(0, 0, 0, 0));
        painter.setBrush(blot);
        painter.drawEllipse(centre, radius, radius);
    }
    tint.setAlpha(34);
    painter.fillRect(area, tint);
    painter.restore();
    paintGrain(painter, area, seed + 7, 18, 40);
}

/// A faint engraved diamond lattice, the pattern of a worked metal surface.
void paintLattice(QPainter& painter, const QRect& area, int step) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(area);
    const int span = area.width() + area.height();
    for (int pass = 0; pass < 2; ++pass) {
        painter.setPen(QPen(pass == 0 ? QColor(0, 0, 0, 70) : QColor(230, 200, 150, 16), 1.0));
        const qreal shift = pass;
        for (int d = -area.height(); d < span; d += step) {
            const qreal x = area.left() + d + shift;
            painter.drawLine(QPointF(x, area.top()), QPointF(x + area.height(), area.bottom()));
            painter.drawLine(QPointF(x + area.height(), area.top()), QPointF(x, area.bottom()));
        }
    }
    painter.restore();
}

/// The lit metal diamond that sits on an engraved rule, centred at (x, y).
void paintRuleDiamond(QPainter& painter, qreal x, qreal y) {
    QPainterPath diamond;
    diamond.moveTo(x, y - 4.5);
    diamond.lineTo(x + 7, y + 0.5);
    diamond.lineTo(x, y + 5.5);
    diamond.lineTo(x - 7, y + 0.5);
    diamond.closeSubpath();
    QLinearGradient lit(QPointF(0, y - 5), QPointF(0, y + 6));
    lit.setColorAt(0.0, kMetal.lighter(170));
    lit.setColorAt(1.0, kMetal.darker(200));
    painter.setBrush(lit);
    painter.setPen(QPen(QColor(0, 0, 0, 220), 1.0));
    painter.drawPath(diamond);
}

/// A line cut into the metal at height y: a dark groove with a lit lip below it.
void paintEngravedLine(QPainter& painter, qreal from, qreal to, qreal y) {
    painter.setPen(QPen(QColor(0, 0, 0, 200), 1.0));
    painter.drawLine(QPointF(from, y), QPointF(to, y));
    painter.setPen(QPen(QColor(200, 170, 120, 60), 1.0));
    painter.drawLine(QPointF(from, y + 1), QPointF(to, y + 1));
}

/// An engraved horizontal rule with a diamond in its middle.
void paintRule(QPainter& painter, qreal left, qreal right, qreal y) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintEngravedLine(painter, left, right, y);
    paintRuleDiamond(painter, (left + right) / 2, y);
    painter.restore();
}

/// An engraved rule from `outer` to `inner` at height y, ending in a diamond
/// at `inner` and a stud at `outer`: a pair of them flanks a title.
void paintFlankRule(QPainter& painter, qreal outer, qreal inner, qreal y) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintEngravedLine(painter, outer, inner, y);
    const qreal toward = inner > outer ? -1 : 1; // from the diamond back toward the stud
    paintRuleDiamond(painter, inner + toward * 7, y);
    painter.restore();
    paintRivet(painter, QPointF(outer, y + 0.5), 2.2, kMetal);
}

/// A plain dark well framed in metal: text sits in it.
void paintWell(QPainter& painter, const QRectF& well, qreal frame) {
    paintBevel(painter, well.adjusted(-frame, -frame, frame, frame), frame, kMetal);
    painter.fillRect(well, QColor(6, 6, 6));
    for (const QPointF& corner : {well.topLeft(), well.topRight(), well.bottomLeft(), well.bottomRight()}) {
        paintRivet(painter, corner, 2.6, kMetal);
    }
}

} // namespace

QImage drawButtonPanel(model::ClassId classId) {
    QImage image = blankImage(160, 349);
    QPainter painter(&image);
    const QColor tint = classTint(classId);
    paintStone(painter, image.rect(), tint, 11 + unsigned(classId));
    paintLattice(painter, image.rect(), 14);
    paintBevel(painter, QRectF(0, 0, 160, 349), 5, kMetal);

    // The class emblem in a sunken medallion above the commands.
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient well(QPointF(80, 34), 24);
    well.setColorAt(0.0, tint.darker(300));
    well.setColorAt(1.0, QColor(4, 4, 4));
    painter.setPen(QPen(kMetal.darker(150), 2.5));
    painter.setBrush(well);
    painter.drawEllipse(QPointF(80, 34), 23, 23);
    paintGlyph(painter, classEmblem(classId), QPointF(80, 34), 16, 0, kMetal.lighter(140), false);

    const std::array<int, 5> labelTops{72, 125, 179, 235, 290};
    for (int top : labelTops) {
        const QRectF plate(9, top - 3, 142, 27);
        paintBevel(painter, plate.adjusted(-3, -3, 3, 3), 3, kMetal);
        paintRecess(painter, plate, tint.darker(700).lighter(115));
    }
    for (std::size_t k = 0; k + 1 < labelTops.size(); ++k) {
        paintRule(painter, 24, 136, (labelTops[k] + 27 + labelTops[k + 1] - 6) / 2.0);
    }
    paintRule(painter, 24, 136, 331);
    for (const QPointF& corner : {QPointF(11, 11), QPointF(149, 11), QPointF(11, 338), QPointF(149, 338)}) {
        paintRivet(painter, corner, 3, kMetal);
    }
    return image;
}

QImage drawBottomPanel(model::ClassId classId) {
    // The screen shows columns 5..804 of the picture. Two text lines lie on
    // it: the notice line over rows 0..11 and the disclaimer over rows
    // 213..222. Both sit on a plain dark strip with the frame between them,
    // so no bevel or rule runs through their letters.
    QImage image = blankImage(811, 223);
    QPainter painter(&image);
    painter.fillRect(image.rect(), kTextStrip);
    const QRect framed(5, 13, 800, 197);
    painter.setClipRect(framed);
    paintStone(painter, framed, classTint(classId), 23 + unsigned(classId));
    painter.setClipping(false);
    paintLattice(painter, framed, 14);
    paintBevel(painter, framed, 5, kMetal);
    paintWell(painter, QRectF(41, 27, 251, 170), 4);
    paintWell(painter, QRectF(301, 27, 481, 168), 4);
    // A column of studs on either side frames the two wells, larger at the corners.
    for (int k = 0; k <= 6; ++k) {
        const qreal y = 28 + k * 166.0 / 6;
        const qreal radius = k == 0 || k == 6 ? 3.2 : 2.4;
        paintRivet(painter, QPointF(23, y), radius, kMetal);
        paintRivet(painter, QPointF(793, y), radius, kMetal);
    }
    return image;
}

QImage drawConnector() {
    QImage image = blankImage(23, 25);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath diamond;
    diamond.moveTo(11.5, 1.5);
    diamond.lineTo(21, 12.5);
    diamond.lineTo(11.5, 23.5);
    diamond.lineTo(2, 12.5);
    diamond.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 140));
    painter.drawPath(diamond.translated(0.8, 1.0));
    QLinearGradient lit(QPointF(4, 2), QPointF(19, 23));
    lit.setColorAt(0.0, kCountColour.lighter(160));
    lit.setColorAt(0.5, kCountColour);
    lit.setColorAt(1.0, kCountColour.darker(260));
    painter.setBrush(lit);
    painter.setPen(QPen(QColor(20, 14, 10), 1.0));
    painter.drawPath(diamond);
    painter.setBrush(QColor(24, 18, 14));
    painter.setPen(QPen(kCountColour.darker(160), 1.0));
    painter.drawEllipse(QPointF(11.5, 12.5), 3.6, 3.6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 236, 200, 120));
    painter.drawEllipse(QPointF(10.6, 11.6), 1.2, 1.2);
    return image;
}

namespace {

/// A gothic arch: straight sides and a pointed top reaching `rise` above the
/// point where the sides end.
QPainterPath archPath(const QRectF& box, qreal rise) {
    QPainterPath arch;
    arch.moveTo(box.bottomLeft());
    arch.lineTo(box.left(), box.top() + rise);
    arch.quadTo(box.left() + box.width() * 0.08, box.top() + rise * 0.2, box.center().x(), box.top());
    arch.quadTo(box.right() - box.width() * 0.08, box.top() + rise * 0.2, box.right(), box.top() + rise);
    arch.lineTo(box.bottomRight());
    arch.closeSubpath();
    return arch;
}

/// Ruined towers on the horizon, one silhouette.
QPainterPath skyline(std::uint32_t seed, qreal ground) {
    Noise noise(seed);
    QPainterPath towers;
    towers.moveTo(0, 600);
    qreal x = 0;
    while (x < 800) {
        const qreal width = 18 + noise.next() * 46;
        const qreal top = ground - 30 - noise.next() * 150;
        towers.lineTo(x, top);
        if (noise.next() < 0.5) {
            towers.lineTo(x + width / 2, top - width * 0.9);
        } else {
            for (int k = 0; k < 3; ++k) {
                const qreal left = x + width * k / 3;
                towers.lineTo(left, top - 6);
                towers.lineTo(left + width / 6, top - 6);
                towers.lineTo(left + width / 6, top);
            }
        }
        towers.lineTo(x + width, top);
        x += width;
        towers.lineTo(x, ground - noise.next() * 20);
    }
    towers.lineTo(800, 600);
    towers.closeSubpath();
    return towers;
}

/// The night sky over the ruins: a dark ground, moonlight from above and an
/// ember glow from below.
void paintNightSky(QPainter& painter, const QRect& area) {
    QLinearGradient base(QPointF(0, 0), QPointF(0, 600));
    base.setColorAt(0.0, QColor(10, 8, 12));
    base.setColorAt(0.5, QColor(30, 17, 14));
    base.setColorAt(1.0, QColor(6, 5, 5));
    painter.fillRect(area, base);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient moon(QPointF(400, -60), 420);
    moon.setColorAt(0.0, QColor(150, 140, 160, 70));
    moon.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.fillRect(area, moon);
    QRadialGradient ember(QPointF(400, 400), 460);
    ember.setColorAt(0.0, QColor(130, 40, 12, 80));
    ember.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.fillRect(area, ember);
}

/// Two skylines of towers, the nearer one darker, and drifting mist.
void paintRuinsInMist(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(22, 14, 13, 200));
    painter.drawPath(skyline(61, 330));
    painter.setBrush(QColor(9, 7, 7));
    painter.drawPath(skyline(83, 410));
    Noise noise(97);
    for (int k = 0; k < 90; ++k) {
        const QPointF centre(noise.next() * 800, 60 + noise.next() * 520);
        const qreal rx = 40 + noise.next() * 120;
        QRadialGradient mist(centre, rx);
        mist.setColorAt(0.0, QColor(160, 140, 130, 16));
        mist.setColorAt(1.0, QColor(0, 0, 0, 0));
        painter.setBrush(mist);
        painter.drawEllipse(centre, rx, rx * 0.4);
    }
}

/// Class `k`'s alcove: a stone arch round a calm dark niche, a rivet at its
/// top and the recess of its name below.
void paintAlcove(QPainter& painter, int k) {
    const QRectF alcove(30 + 153 * k, 80, 140, 260);
    const QRectF outer(alcove.left() - 7, 50, alcove.width() + 14, alcove.bottom() + 7 - 50);
    QLinearGradient stone(outer.topLeft(), outer.bottomRight());
    stone.setColorAt(0.0, kMetal.lighter(135));
    stone.setColorAt(1.0, kMetal.darker(280));
    painter.setBrush(stone);
    painter.setPen(QPen(QColor(0, 0, 0, 220), 1.2));
    painter.drawPath(archPath(outer, 34));
    QLinearGradient calm(QPointF(0, 56), QPointF(0, alcove.bottom()));
    calm.setColorAt(0.0, QColor(6, 5, 6));
    calm.setColorAt(1.0, QColor(20, 15, 13));
    painter.setBrush(calm);
    painter.setPen(QPen(QColor(0, 0, 0, 200), 1.0));
    painter.drawPath(archPath(outer.adjusted(6, 6, -6, -6), 28));
    paintRivet(painter, QPointF(alcove.center().x(), 64), 3, kMetal);
    paintRecess(painter, QRectF(alcove.left(), 354, alcove.width(), 24), QColor(16, 12, 10));
}

} // namespace

QImage drawSelectBackground() {
    QImage image = blankImage(800, 600);
    QPainter painter(&image);
    paintNightSky(painter, image.rect());
    paintRuinsInMist(painter);
    paintGrain(painter, image.rect(), 5, 8, 26);

    // The title (200..600 x 10..50) stands between two rules at the height of
    // its capitals; nothing is drawn behind its letters.
    paintFlankRule(painter, 44, 186, 29);
    paintFlankRule(painter, 756, 614, 29);
    for (int k = 0; k < 5; ++k) {
        paintAlcove(painter, k);
    }
    paintWell(painter, QRectF(30, 425, 360, 145), 4);
    for (int x : {420, 520}) {
        paintWell(painter, QRectF(x, 445, 70, 85), 4);
    }
    // The contact card's box frames its label exactly and ends above the
    // generator button (742, 542, 40 x 40).
    paintWell(painter, QRectF(610, 425, 180, 105), 4);
    // The bottom rule stays clear of the version line (10..170 x 576..593)
    // and of the generator button.
    paintRule(painter, 190, 610, 584);
    return image;
}

QImage drawPortrait(int person) {
    QImage image = blankImage(70, 85);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool mage = person == 0;
    const QColor sky = mage ? QColor(30, 46, 80) : QColor(86, 50, 18);
    const QColor eyes = mage ? QColor(110, 230, 255) : QColor(255, 190, 80);
    QRadialGradient back(QPointF(35, 30), 55);
    back.setColorAt(0.0, sky.lighter(150));
    back.setColorAt(1.0, QColor(6, 5, 5));
    painter.fillRect(image.rect(), back);

    QPainterPath body;
    body.moveTo(4, 85);
    body.quadTo(8, 58, 22, 54);
    body.lineTo(48, 54);
    body.quadTo(62, 58, 66, 85);
    body.closeSubpath();
    QPainterPath head;
    if (mage) {
        // A deep hood, its face lost in shadow.
        head.moveTo(35, 10);
        head.quadTo(54, 16, 52, 44);
        head.quadTo(50, 58, 35, 62);
        head.quadTo(20, 58, 18, 44);
        head.quadTo(16, 16, 35, 10);
    } else {
        // A closed helm with a crest.
        head.addRoundedRect(QRectF(20, 16, 30, 40), 12, 12);
        head.addRect(QRectF(33, 6, 4, 12));
    }
    const QColor cloth = mage ? QColor(44, 40, 60) : QColor(110, 104, 98);
    QLinearGradient shade(QPointF(0, 8), QPointF(0, 85));
    shade.setColorAt(0.0, cloth.lighter(150));
    shade.setColorAt(1.0, cloth.darker(250));
    painter.setPen(QPen(QColor(0, 0, 0, 220), 1.0));
    painter.setBrush(shade);
    painter.drawPath(body);
    painter.drawPath(head.simplified());
    painter.setPen(Qt::NoPen);
    if (mage) {
        painter.setBrush(QColor(4, 4, 6));
        painter.drawEllipse(QPointF(35, 40), 10, 13);
    } else {
        painter.setBrush(QColor(10, 8, 6));
        painter.drawRect(QRectF(24, 33, 22, 4));
        painter.drawRect(QRectF(33, 35, 4, 14));
    }
    for (qreal x : {31.0, 39.0}) {
        QRadialGradient glow(QPointF(x, 36), 4);
        glow.setColorAt(0.0, eyes.lighter(140));
        glow.setColorAt(1.0, QColor(0, 0, 0, 0));
        painter.setBrush(glow);
        painter.drawEllipse(QPointF(x, 36), 4, 4);
    }
    paintBevel(painter, QRectF(0, 0, 70, 85), 3, kMetal);
    return image;
}

namespace {

/// The dark, ember-lit ground of the start screen's 40 x 40 buttons.
void paintButtonGround(QPainter& painter, const QRect& area) {
    QRadialGradient back(QPointF(20, 18), 26);
    back.setColorAt(0.0, QColor(60, 24, 14));
    back.setColorAt(1.0, QColor(6, 5, 5));
    painter.fillRect(area, back);
}

} // namespace

QImage drawGeneratorButton() {
    QImage image = blankImage(40, 40);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintButtonGround(painter, image.rect());
    const QPointF top(20, 7), left(8, 14), right(32, 14), centre(20, 21), bottomLeft(8, 28),
        bottomRight(32, 28), bottom(20, 35);
    const QColor bone(226, 212, 180);
    auto face = [&](std::initializer_list<QPointF> corners, QColor colour) {
        QPainterPath p;
        p.addPolygon(QPolygonF(QList<QPointF>(corners)));
        p.closeSubpath();
        painter.setPen(QPen(QColor(20, 14, 10), 1.0));
        painter.setBrush(colour);
        painter.drawPath(p);
    };
    face({top, right, centre, left}, bone.lighter(110));
    face({left, centre, bottom, bottomLeft}, bone.darker(125));
    face({centre, right, bottomRight, bottom}, bone.darker(170));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 20, 16));
    for (const QPointF& pip : {QPointF(12, 21), QPointF(16, 27), QPointF(24, 22), QPointF(28, 26)}) {
        painter.drawEllipse(pip, 1.4, 1.4);
    }
    // A glowing rune cut into the top face.
    QPainterPath rune;
    rune.moveTo(17, 10.5);
    rune.lineTo(20, 17);
    rune.lineTo(23, 10.5);
    rune.moveTo(15.5, 14);
    rune.lineTo(24.5, 14);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 80, 30, 120), 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(rune);
    painter.setPen(QPen(QColor(255, 200, 120), 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(rune);
    paintBevel(painter, QRectF(0, 0, 40, 40), 3, kMetal);
    return image;
}

QImage drawOpenButton() {
    QImage image = blankImage(40, 40);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintButtonGround(painter, image.rect());
    const QColor parchment(226, 208, 160);
    const QColor ink(60, 34, 18);
    // A sheet of parchment half unrolled from its roll, written on.
    QPainterPath sheet;
    sheet.moveTo(11, 12);
    sheet.lineTo(29, 12);
    sheet.cubicTo(27, 19, 31, 25, 29, 31);
    sheet.lineTo(11, 31);
    sheet.cubicTo(13, 25, 9, 19, 11, 12);
    QLinearGradient paper(QPointF(10, 12), QPointF(30, 31));
    paper.setColorAt(0.0, parchment.lighter(108));
    paper.setColorAt(1.0, parchment.darker(125));
    painter.setPen(QPen(QColor(20, 14, 10), 1.0));
    painter.setBrush(paper);
    painter.drawPath(sheet);
    painter.setPen(QPen(ink, 1.0, Qt::SolidLine, Qt::RoundCap));
    for (int line = 0; line < 4; ++line) {
        const qreal y = 17.5 + 3.4 * line;
        painter.drawLine(QPointF(14.5, y), QPointF(line == 3 ? 21 : 25.5, y));
    }
    // The roll at the top, and a red seal at the foot.
    QLinearGradient roll(QPointF(0, 8), QPointF(0, 14));
    roll.setColorAt(0.0, parchment.lighter(115));
    roll.setColorAt(1.0, parchment.darker(160));
    painter.setPen(QPen(QColor(20, 14, 10), 1.0));
    painter.setBrush(roll);
    painter.drawRoundedRect(QRectF(8, 8, 24, 6), 3, 3);
    painter.setBrush(QColor(150, 28, 20));
    painter.setPen(QPen(QColor(255, 120, 70, 160), 1.0));
    painter.drawEllipse(QPointF(25.5, 29), 3.2, 3.2);
    paintBevel(painter, QRectF(0, 0, 40, 40), 3, kMetal);
    return image;
}

QImage drawContinueButton() {
    QImage image = blankImage(40, 40);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintButtonGround(painter, image.rect());
    const QPointF centre(20, 20.5);
    const qreal radius = 10.5;
    // A small hourglass of bone and bronze at the heart.
    const QColor bone(226, 212, 180);
    QPainterPath glass;
    glass.moveTo(16.5, 14.5);
    glass.lineTo(23.5, 14.5);
    glass.lineTo(20.8, 20.5);
    glass.lineTo(23.5, 26.5);
    glass.lineTo(16.5, 26.5);
    glass.lineTo(19.2, 20.5);
    glass.closeSubpath();
    painter.setPen(QPen(QColor(20, 14, 10), 1.0));
    painter.setBrush(bone.darker(115));
    painter.drawPath(glass);
    QPainterPath sand;
    sand.moveTo(17.9, 25.6);
    sand.lineTo(22.1, 25.6);
    sand.lineTo(20, 22.2);
    sand.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(214, 150, 60));
    painter.drawPath(sand);
    painter.setPen(QPen(kMetal.lighter(130), 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(15.5, 14.2), QPointF(24.5, 14.2));
    painter.drawLine(QPointF(15.5, 26.8), QPointF(24.5, 26.8));
    // The arrow curving round it against the clock, from the lower left to
    // a head on the left that points down: the way back.
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath arc;
    arc.arcMoveTo(circle, 230);
    arc.arcTo(circle, 230, 290);
    const qreal end = qDegreesToRadians(230.0 + 290.0);
    const QPointF tip(centre.x() + radius * std::cos(end), centre.y() - radius * std::sin(end));
    // The tangent against the clock at angle a is (-sin a, -cos a) on screen.
    const QPointF along(-std::sin(end), -std::cos(end));
    const QPointF across(along.y(), -along.x());
    QPainterPath head;
    head.moveTo(tip + along * 4.5);
    head.lineTo(tip - along * 1.5 + across * 4.0);
    head.lineTo(tip - along * 1.5 - across * 4.0);
    head.closeSubpath();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 80, 30, 110), 4.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(arc);
    painter.setPen(QPen(QColor(255, 200, 120), 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(arc);
    painter.setPen(QPen(QColor(255, 80, 30, 110), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(255, 200, 120));
    painter.drawPath(head);
    paintBevel(painter, QRectF(0, 0, 40, 40), 3, kMetal);
    return image;
}

} // namespace skillwright::art::tool

namespace skillwright::art::tool {

namespace {

struct Vec {
    qreal x, y, z;
};

/// Where a die's corners land in the picture: the cube turned `turn` degrees
/// about its upright axis, tipped `tilt` degrees toward the viewer, scaled
/// by `half` and centred on `centre`.
class DieView {
public:
    DieView(QPointF centre, qreal half, qreal turn, qreal tilt)
        : m_centre(centre), m_half(half), m_turn(qDegreesToRadians(turn)), m_tilt(qDegreesToRadians(tilt)) {}

    /// World: x right, y up, z toward the viewer.
    [[nodiscard]] Vec place(Vec v) const {
        const Vec turned{v.x * std::cos(m_turn) + v.z * std::sin(m_turn), v.y,
                         -v.x * std::sin(m_turn) + v.z * std::cos(m_turn)};
        return Vec{turned.x, turned.y * std::cos(m_tilt) - turned.z * std::sin(m_tilt),
                   turned.y * std::sin(m_tilt) + turned.z * std::cos(m_tilt)};
    }
    [[nodiscard]] QPointF screen(Vec v) const {
        const Vec p = place(v);
        return QPointF(m_centre.x() + p.x * m_half, m_centre.y() - p.y * m_half);
    }

private:
    QPointF m_centre;
    qreal m_half;
    qreal m_turn;
    qreal m_tilt;
};

struct DieFace {
    Vec origin, u, v, normal;
    int pips;
};
// Opposite faces add up to seven.
constexpr std::array<DieFace, 6> kDieFaces{{
    {{-1, 1, 1}, {2, 0, 0}, {0, 0, -2}, {0, 1, 0}, 5},   // top
    {{-1, -1, -1}, {2, 0, 0}, {0, 0, 2}, {0, -1, 0}, 2}, // bottom
    {{-1, 1, 1}, {2, 0, 0}, {0, -2, 0}, {0, 0, 1}, 3},   // front
    {{1, 1, -1}, {-2, 0, 0}, {0, -2, 0}, {0, 0, -1}, 4}, // back
    {{1, 1, 1}, {0, 0, -2}, {0, -2, 0}, {1, 0, 0}, 1},   // right
    {{-1, 1, -1}, {0, 0, 2}, {0, -2, 0}, {-1, 0, 0}, 6}, // left
}};

/// A face's `pips` on its unit square, the single pip larger and red.
void paintPips(QPainter& painter, int pips) {
    // Pip places on a face, in thirds.
    static constexpr std::array<std::array<int, 2>, 9> kSpots{
        {{1, 1}, {0, 0}, {2, 2}, {2, 0}, {0, 2}, {0, 1}, {2, 1}, {1, 0}, {1, 2}}};
    static constexpr std::array<std::array<int, 6>, 7> kPipsOf{
        {{}, {0}, {1, 2}, {0, 1, 2}, {1, 2, 3, 4}, {0, 1, 2, 3, 4}, {1, 2, 3, 4, 5, 6}}};
    const QColor pip = pips == 1 ? QColor(150, 20, 12) : QColor(30, 20, 14);
    painter.setPen(Qt::NoPen);
    painter.setBrush(pip);
    for (int k = 0; k < pips; ++k) {
        const auto spot = kSpots[std::size_t(kPipsOf[std::size_t(pips)][std::size_t(k)])];
        const qreal radius = pips == 1 ? 0.15 : 0.1;
        painter.drawEllipse(QPointF(0.22 + spot[0] * 0.28, 0.22 + spot[1] * 0.28), radius, radius);
    }
}

/// A die seen from above and one side: a cube turned `turn` degrees about its
/// upright axis and tipped `tilt` degrees toward the viewer, drawn face by
/// face with the pips of each face foreshortened with it.
void paintDie(QPainter& painter, QPointF centre, qreal half, qreal turn, qreal tilt, QColor bone) {
    const DieView view(centre, half, turn, tilt);
    const Vec light{-0.45, 0.8, 0.4};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const DieFace& face : kDieFaces) {
        const Vec n = view.place(face.normal);
        if (n.z <= 0.01) {
            continue;
        }
        const QPointF o = view.screen(face.origin);
        const QPointF u =
            view.screen({face.origin.x + face.u.x, face.origin.y + face.u.y, face.origin.z + face.u.z}) - o;
        const QPointF v =
            view.screen({face.origin.x + face.v.x, face.origin.y + face.v.y, face.origin.z + face.v.z}) - o;
        const qreal lit =
            std::clamp(0.45 + 0.75 * (n.x * light.x + n.y * light.y + n.z * light.z), 0.3, 1.15);
        QColor shade = bone;
        shade.setRgbF(std::min(1.0f, float(bone.redF() * lit)), std::min(1.0f, float(bone.greenF() * lit)),
                      std::min(1.0f, float(bone.blueF() * lit)));
        painter.setTransform(QTransform(u.x(), u.y(), v.x(), v.y(), o.x(), o.y()), true);
        QPainterPath square;
        square.addRoundedRect(QRectF(0, 0, 1, 1), 0.12, 0.12);
        painter.setPen(QPen(QColor(40, 26, 12), 0.045));
        painter.setBrush(shade);
        painter.drawPath(square);
        paintPips(painter, face.pips);
        painter.resetTransform();
    }
    painter.restore();
}

} // namespace

QImage drawGeneratorBackground() {
    QImage image = blankImage(360, 300);
    QPainter painter(&image);
    paintStone(painter, image.rect(), QColor(120, 70, 30), 131);
    paintBevel(painter, QRectF(0, 0, 360, 300), 3, kMetal);
    painter.setRenderHint(QPainter::Antialiasing);

    // The title band (0..72): the five class emblems, dim, in a row of small
    // sunken roundels, and a sunken medallion at (292, 8, 56 x 56) for the
    // dice emblem that lies over it.
    const std::array<Glyph, 5> emblems{Glyph::Spear, Glyph::Axe, Glyph::Skull, Glyph::Cross, Glyph::Star};
    for (std::size_t k = 0; k < emblems.size(); ++k) {
        const QPointF centre(40 + 48.0 * qreal(k), 36);
        QRadialGradient well(centre, 17);
        well.setColorAt(0.0, QColor(26, 20, 16));
        well.setColorAt(1.0, QColor(6, 5, 5));
        painter.setPen(QPen(kMetal.darker(170), 1.6));
        painter.setBrush(well);
        painter.drawEllipse(centre, 16, 16);
        paintGlyph(painter, emblems[k], centre, 10, 0, kMetal.darker(115), false);
    }
    const QPointF medallion(320, 36);
    QRadialGradient hollow(medallion, 31);
    hollow.setColorAt(0.0, QColor(40, 22, 12));
    hollow.setColorAt(0.8, QColor(8, 6, 5));
    hollow.setColorAt(1.0, QColor(2, 2, 2));
    painter.setPen(QPen(kMetal.darker(150), 2.0));
    painter.setBrush(hollow);
    painter.drawEllipse(medallion, 31, 31);
    paintRule(painter, 16, 344, 66);

    // The class options in the left well, the level and the commands in the
    // right one; each well's frame lies inside its rectangle.
    paintWell(painter, QRectF(19, 79, 162, 206), 3);
    paintWell(painter, QRectF(191, 79, 150, 206), 3);
    for (int i = 0; i < 6; ++i) {
        paintRecess(painter, QRectF(24, 84 + 30 * i, 150, 26), QColor(20, 15, 12));
    }
    paintRecess(painter, QRectF(194, 108, 84, 30), QColor(14, 11, 9));
    paintRule(painter, 204, 328, 181);
    for (const int top : {200, 236}) {
        const QRectF plate(196, top, 140, 28);
        paintBevel(painter, plate.adjusted(-2, -2, 2, 2), 2, kMetal);
        paintRecess(painter, plate, QColor(24, 16, 10));
    }
    return image;
}

QImage drawGeneratorEmblem() {
    QImage image = blankImage(56, 56);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(28, 28);
    // A bronze ring lit from the top left around a dark ember-lit hollow.
    QLinearGradient ring(QPointF(4, 4), QPointF(52, 52));
    ring.setColorAt(0.0, QColor(238, 204, 120));
    ring.setColorAt(0.45, QColor(176, 124, 48));
    ring.setColorAt(1.0, QColor(70, 44, 16));
    painter.setPen(QPen(QColor(0, 0, 0, 220), 1.0));
    painter.setBrush(ring);
    painter.drawEllipse(centre, 27, 27);
    QRadialGradient hollow(QPointF(28, 32), 24);
    hollow.setColorAt(0.0, QColor(92, 36, 14));
    hollow.setColorAt(1.0, QColor(10, 7, 6));
    painter.setBrush(hollow);
    painter.drawEllipse(centre, 22.5, 22.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 236, 180, 90), 1.0));
    painter.drawArc(QRectF(2.5, 2.5, 51, 51), 60 * 16, 90 * 16);

    painter.setClipPath([&] {
        QPainterPath inside;
        inside.addEllipse(centre, 22.5, 22.5);
        return inside;
    }());
    const QColor bone(232, 218, 186);
    paintDie(painter, QPointF(21, 27), 8.5, 30, 28, bone);
    paintDie(painter, QPointF(35, 34), 8.5, -22, 24, bone);
    return image;
}

QImage drawFolderIcon(int size) {
    QImage image = blankImage(size, size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    const QColor outline(24, 14, 8);
    const qreal pen = 16.0 / size;
    // The back with its tab.
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6.0, 3.5);
    back.lineTo(7.5, 5.0);
    back.lineTo(14.5, 5.0);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    QLinearGradient leather(QPointF(0, 3), QPointF(0, 14));
    leather.setColorAt(0.0, QColor(150, 96, 44));
    leather.setColorAt(1.0, QColor(86, 50, 22));
    painter.setPen(QPen(outline, pen));
    painter.setBrush(leather);
    painter.drawPath(back);
    // A sheet of parchment showing at the mouth.
    painter.setBrush(QColor(226, 208, 160));
    painter.drawRect(QRectF(3.0, 6.0, 10.0, 4.5));
    // The front flap, lit from the top left.
    QPainterPath front;
    front.moveTo(1.5, 7.5);
    front.lineTo(14.5, 7.5);
    front.lineTo(14.5, 13.5);
    front.lineTo(1.5, 13.5);
    front.closeSubpath();
    QLinearGradient flap(QPointF(1, 7), QPointF(15, 14));
    flap.setColorAt(0.0, QColor(206, 150, 78));
    flap.setColorAt(1.0, QColor(112, 66, 28));
    painter.setBrush(flap);
    painter.drawPath(front);
    painter.setPen(QPen(QColor(255, 230, 170, 110), pen));
    painter.drawLine(QPointF(2.5, 8.6), QPointF(13.5, 8.6));
    return image;
}

} // namespace skillwright::art::tool

#include "Figures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace skillwright::animations {

namespace {

constexpr double kPi = std::numbers::pi;
const QColor kOutline(14, 10, 10);

QImage blankCanvas() {
    QImage img(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

/// A thick limb with a dark outline and rounded ends.
void limb(QPainter& p, QPointF a, QPointF b, double width, const QColor& colour) {
    p.setPen(QPen(kOutline, width + 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.setPen(QPen(colour.lighter(135), std::max(1.0, width / 4), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a + QPointF(-width / 5, -width / 5), b + QPointF(-width / 5, -width / 5));
}

void shape(QPainter& p, const QPainterPath& path, const QColor& colour, double lightX = 0.3) {
    const QRectF r = path.boundingRect();
    QLinearGradient g(r.left(), r.top(), r.right(), r.bottom());
    g.setColorAt(0, colour.lighter(140));
    g.setColorAt(lightX, colour);
    g.setColorAt(1, colour.darker(220));
    p.setPen(QPen(kOutline, 2));
    p.setBrush(g);
    p.drawPath(path);
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (QPointF pt : points) {
        if (first) {
            path.moveTo(pt);
            first = false;
        } else {
            path.lineTo(pt);
        }
    }
    path.closeSubpath();
    return path;
}

void head(QPainter& p, QPointF centre, double r, const QColor& skin) {
    QRadialGradient g(centre + QPointF(-r / 3, -r / 3), r * 1.4);
    g.setColorAt(0, skin.lighter(130));
    g.setColorAt(1, skin.darker(170));
    p.setPen(QPen(kOutline, 2));
    p.setBrush(g);
    p.drawEllipse(centre, r, r * 1.12);
    p.setPen(QPen(kOutline, 2));
    p.drawPoint(centre + QPointF(r * 0.35, -r * 0.1));
}

void groundShadow(QPainter& p, double width) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 14, 12));
    p.drawEllipse(QPointF(70, 246), width / 2, 7);
}

QPointF polar(QPointF from, double length, double degrees) {
    const double a = degrees * kPi / 180.0;
    return from + QPointF(length * std::cos(a), length * std::sin(a));
}

const QColor kSkin(205, 150, 115);
const QColor kSteel(150, 160, 175);
const QColor kLeather(120, 78, 40);
const QColor kGold(200, 150, 50);

// ---- Amazon: a spear thrust from a low stance ----
void amazon(QPainter& p, int k, int n) {
    const double phase = static_cast<double>(k) / n;
    const double thrust = std::pow(std::sin(phase * kPi), 2.0); // 0 rest, 1 full reach
    const double lean = thrust * 6;
    groundShadow(p, 80);
    const QPointF hip(64 + lean * 0.5, 150);
    // Legs in a lunge.
    limb(p, hip, QPointF(44, 196), 11, kSkin);
    limb(p, QPointF(44, 196), QPointF(34, 240), 9, kLeather);
    limb(p, hip, QPointF(84 + lean, 194), 11, kSkin);
    limb(p, QPointF(84 + lean, 194), QPointF(92 + lean, 240), 9, kLeather);
    // Skirt and torso.
    shape(p,
          polygon(
              {hip + QPointF(-18, -6), hip + QPointF(18, -6), hip + QPointF(24, 20), hip + QPointF(-22, 20)}),
          kLeather);
    const QPointF neck(70 + lean, 84);
    shape(p,
          polygon(
              {neck + QPointF(-14, 2), neck + QPointF(14, 2), hip + QPointF(12, -4), hip + QPointF(-12, -4)}),
          QColor(140, 60, 30));
    // Back arm holds the spear's butt, front arm drives it.
    const QPointF axis(std::cos(-0.38), std::sin(-0.38));
    const QPointF grip = QPointF(64, 118) + axis * (thrust * 22); // the head stays inside the picture
    const QPointF butt = grip - axis * 64;
    const QPointF tip = grip + axis * 40;
    limb(p, neck + QPointF(-8, 6), butt + axis * 24, 7, kSkin);
    p.setPen(QPen(kOutline, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(butt, tip);
    p.setPen(QPen(QColor(150, 110, 60), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(butt, tip);
    const QPointF normal(-axis.y(), axis.x());
    shape(p, polygon({tip + axis * 14, tip + normal * 5, tip - axis * 4, tip - normal * 5}), kSteel, 0.2);
    // A glint on the spearhead at full reach.
    if (thrust > 0.8) {
        p.setPen(QPen(QColor(255, 250, 235), 2));
        const QPointF g = tip + axis * 6;
        p.drawLine(g - QPointF(5, 0), g + QPointF(5, 0));
        p.drawLine(g - QPointF(0, 5), g + QPointF(0, 5));
    }
    limb(p, neck + QPointF(8, 6), grip, 7, kSkin);
    // Head with a flowing ponytail.
    const QPointF h = neck + QPointF(2, -16);
    QPainterPath tail;
    tail.moveTo(h + QPointF(-8, -6));
    tail.cubicTo(h + QPointF(-26, -4), h + QPointF(-24 - 6 * thrust, 22), h + QPointF(-34 - 8 * thrust, 34));
    p.setPen(QPen(kOutline, 7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tail);
    p.setPen(QPen(QColor(200, 150, 50), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    head(p, h, 11, kSkin);
    p.setPen(QPen(QColor(170, 120, 40), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(h.x() - 11, h.y() - 13, 22, 20), 30 * 16, 130 * 16);
}

// ---- Barbarian: a two-handed axe swung overhead ----

/// Legs in fur boots, the loincloth, the bare chest with its strap, and the
/// belt with its buckle.
void barbarianBody(QPainter& p, QPointF hip, QPointF neck, const QColor& fur) {
    limb(p, hip + QPointF(-10, 0), QPointF(46, 200), 15, kSkin);
    limb(p, QPointF(46, 200), QPointF(40, 240), 12, fur);
    limb(p, hip + QPointF(10, 0), QPointF(92, 200), 15, kSkin);
    limb(p, QPointF(92, 200), QPointF(100, 240), 12, fur);
    shape(p,
          polygon(
              {hip + QPointF(-24, -8), hip + QPointF(24, -8), hip + QPointF(28, 18), hip + QPointF(-28, 18)}),
          fur);
    QPainterPath chest;
    chest.moveTo(neck + QPointF(-30, 4));
    chest.quadTo(neck + QPointF(0, -6), neck + QPointF(30, 4));
    chest.lineTo(hip + QPointF(20, -8));
    chest.lineTo(hip + QPointF(-20, -8));
    chest.closeSubpath();
    shape(p, chest, kSkin);
    p.setPen(QPen(QColor(120, 78, 40), 5));
    p.drawLine(neck + QPointF(-24, 6), hip + QPointF(18, -12)); // strap
    shape(p,
          polygon({hip + QPointF(-22, -14), hip + QPointF(22, -14), hip + QPointF(22, -6),
                   hip + QPointF(-22, -6)}),
          kLeather); // belt
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kGold);
    p.drawEllipse(hip + QPointF(0, -10), 4, 4);
}

/// Both arms reaching to the hands on the haft, and fur on the shoulders.
void barbarianArms(QPainter& p, QPointF neck, QPointF hands, const QColor& fur) {
    limb(p, neck + QPointF(-22, 8), hands, 12, kSkin);
    limb(p, neck + QPointF(22, 8), hands, 12, kSkin);
    for (double side : {-1.0, 1.0}) {
        QRadialGradient g(neck + QPointF(side * 22, 4), 14);
        g.setColorAt(0, fur.lighter(130));
        g.setColorAt(1, fur.darker(200));
        p.setPen(QPen(kOutline, 2));
        p.setBrush(g);
        p.drawEllipse(neck + QPointF(side * 22, 4), 13, 9);
    }
}

/// The axe held at `hands`, its haft pointing at `angle` degrees.
void barbarianAxe(QPainter& p, QPointF hands, double angle) {
    const QPointF axeHead = polar(hands, 38, angle);
    p.setPen(QPen(kOutline, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(polar(hands, -14, angle), axeHead);
    p.setPen(QPen(QColor(90, 70, 50), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(polar(hands, -14, angle), axeHead);
    QPainterPath blade;
    blade.moveTo(polar(axeHead, 4, angle - 90));
    blade.quadTo(polar(axeHead, 22, angle - 60), polar(axeHead, 25, angle - 100));
    blade.quadTo(polar(axeHead, 17, angle - 160), polar(axeHead, 6, angle - 175));
    blade.closeSubpath();
    shape(p, blade, kSteel, 0.2);
}

/// The head at `h` under a horned helm.
void barbarianHead(QPainter& p, QPointF h) {
    head(p, h, 13, kSkin);
    shape(p,
          polygon({h + QPointF(-15, -2), h + QPointF(15, -2), h + QPointF(12, -14), h + QPointF(-12, -14)}),
          kSteel);
    shape(p, polygon({h + QPointF(-13, -8), h + QPointF(-28, -26), h + QPointF(-17, -6)}),
          QColor(220, 210, 180));
    shape(p, polygon({h + QPointF(13, -8), h + QPointF(28, -26), h + QPointF(17, -6)}),
          QColor(220, 210, 180));
}

void barbarian(QPainter& p, int k, int n) {
    const double phase = static_cast<double>(k) / n;
    // Raised behind (-110 degrees) to chopped down in front (55 degrees) and back,
    // the blade inside the picture all the way.
    const double swing = phase < 0.6 ? phase / 0.6 : 1.0 - (phase - 0.6) / 0.4;
    const double angle = -110 + 165 * (swing * swing * (3 - 2 * swing));
    // Stand a little left and low, so the swing stays inside the picture.
    p.translate(-8, 5);
    groundShadow(p, 100);
    const QPointF hip(70, 158);
    const QPointF neck(70, 86);
    const QColor fur(150, 120, 95);
    barbarianBody(p, hip, neck, fur);
    const QPointF hands = polar(neck + QPointF(0, 10), 26, angle);
    barbarianArms(p, neck, hands, fur);
    barbarianAxe(p, hands, angle);
    barbarianHead(p, neck + QPointF(0, -15));
}

// ---- Necromancer: a robed figure raising a wand among green wisps ----
void necromancer(QPainter& p, int k, int n) {
    const double phase = static_cast<double>(k) / n;
    const double sway = std::sin(phase * 2 * kPi) * 3;
    groundShadow(p, 70);
    const QColor robe(60, 30, 80);
    const QPointF neck(68, 82);
    QPainterPath body;
    body.moveTo(neck + QPointF(-16, 0));
    body.lineTo(neck + QPointF(16, 0));
    body.quadTo(QPointF(92 + sway, 170), QPointF(100 + sway, 242));
    body.lineTo(QPointF(36 + sway, 242));
    body.quadTo(QPointF(44, 170), neck + QPointF(-16, 0));
    shape(p, body, robe, 0.35);
    p.setPen(QPen(QColor(110, 50, 140), 2));
    p.drawLine(neck + QPointF(0, 6), QPointF(68 + sway, 238));
    const QColor pale(220, 210, 180);
    // Raised wand arm.
    const double lift = std::sin(phase * 2 * kPi) * 10;
    const QPointF hand(100, 100 - lift);
    limb(p, neck + QPointF(12, 8), QPointF(92, 122 - lift / 2), 9, robe);
    limb(p, QPointF(92, 122 - lift / 2), hand, 8, robe);
    const QPointF tip = hand + QPointF(14, -30);
    p.setPen(QPen(kOutline, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hand, tip);
    p.setPen(QPen(QColor(220, 210, 180), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hand, tip);
    head(p, hand, 4, pale);
    limb(p, neck + QPointF(-12, 8), QPointF(46, 150), 9, robe);
    head(p, QPointF(46, 152), 4, pale);
    // Hood and face.
    const QPointF h = neck + QPointF(0, -16);
    shape(p,
          polygon({h + QPointF(-16, 12), h + QPointF(-12, -12), h + QPointF(0, -20), h + QPointF(13, -12),
                   h + QPointF(16, 12)}),
          QColor(40, 25, 55));
    head(p, h + QPointF(2, 2), 8, pale);
    // Wisps circling the wand's tip, each with a short trail.
    const QColor ghost(80, 200, 120);
    for (int w = 0; w < 3; ++w) {
        for (int trail = 3; trail >= 0; --trail) {
            const double a = (phase - trail * 0.03) * 2 * kPi + w * 2 * kPi / 3;
            const QPointF c = tip + QPointF(std::cos(a) * 17, std::sin(a) * 12 - 4); // inside the picture
            p.setPen(Qt::NoPen);
            p.setBrush(trail == 0 ? ghost.lighter(150) : ghost.darker(100 + trail * 40));
            p.drawEllipse(c, 5.0 - trail, 5.0 - trail);
        }
    }
    p.setBrush(QColor(200, 255, 210));
    p.drawEllipse(tip, 3, 3);
}

// ---- Paladin: shield and raised sword inside a pulsing aura ----

/// The aura: two rings on the ground that swell and fade.
void paladinAura(QPainter& p, double phase, const QColor& holy) {
    p.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 2; ++ring) {
        const double t = std::fmod(phase + ring * 0.5, 1.0);
        p.setPen(QPen(holy.darker(100 + static_cast<int>(t * 120)), 3));
        p.drawEllipse(QPointF(70, 240), 28 + 36 * t, 6 + 9 * t);
    }
}

/// Armoured legs and body, and the tabard with its gold cross.
void paladinBody(QPainter& p, QPointF hip, QPointF neck) {
    limb(p, hip + QPointF(-9, 0), QPointF(54, 240), 12, kSteel);
    limb(p, hip + QPointF(9, 0), QPointF(88, 240), 12, kSteel);
    shape(p,
          polygon(
              {neck + QPointF(-22, 0), neck + QPointF(22, 0), hip + QPointF(16, 10), hip + QPointF(-16, 10)}),
          kSteel, 0.25);
    shape(
        p,
        polygon({hip + QPointF(-16, 0), hip + QPointF(16, 0), hip + QPointF(20, 28), hip + QPointF(-20, 28)}),
        QColor(90, 25, 35)); // tabard
    p.setPen(QPen(kGold, 3));
    p.drawLine(hip + QPointF(0, 4), hip + QPointF(0, 24));
    p.drawLine(hip + QPointF(-6, 11), hip + QPointF(6, 11));
}

/// The sword arm, raised and lowered with the pulse, and its sword.
void paladinSwordArm(QPainter& p, QPointF neck, double pulse) {
    // Raised high, its tip inside the picture at either end of the pulse.
    const double angle = -75 - 30 * pulse;
    const QPointF hand = polar(neck + QPointF(20, 8), 34, angle + 40);
    limb(p, neck + QPointF(20, 8), hand, 10, kSteel);
    const QPointF blade = polar(hand, 50, angle);
    p.setPen(QPen(kOutline, 7, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(hand, blade);
    p.setPen(QPen(QColor(230, 235, 245), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(hand, blade);
    p.setPen(QPen(kGold, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(polar(hand, 9, angle - 90), polar(hand, 9, angle + 90));
}

/// The helm at `h` with its visor slit and red plume.
void paladinHelm(QPainter& p, QPointF h) {
    head(p, h, 12, kSteel);
    p.setPen(QPen(kOutline, 3));
    p.drawLine(h + QPointF(-4, 0), h + QPointF(10, 0));
    shape(p, polygon({h + QPointF(-3, -14), h + QPointF(3, -14), h + QPointF(0, -26)}), QColor(160, 30, 25));
}

/// The shield in front, its cross brightening with the pulse.
void paladinShield(QPainter& p, double pulse) {
    QPainterPath shield;
    const QPointF s(50, 128);
    shield.moveTo(s + QPointF(-20, -26));
    shield.lineTo(s + QPointF(20, -26));
    shield.quadTo(s + QPointF(22, 14), s + QPointF(0, 34));
    shield.quadTo(s + QPointF(-22, 14), s + QPointF(-20, -26));
    shape(p, shield, QColor(60, 100, 200), 0.3);
    p.setPen(QPen(kGold.lighter(100 + static_cast<int>(40 * pulse)), 6));
    p.drawLine(s + QPointF(0, -20), s + QPointF(0, 26));
    p.drawLine(s + QPointF(-14, -6), s + QPointF(14, -6));
}

void paladin(QPainter& p, int k, int n) {
    const double phase = static_cast<double>(k) / n;
    const double pulse = 0.5 + 0.5 * std::sin(phase * 2 * kPi);
    const QColor holy(230, 220, 120);
    paladinAura(p, phase, holy);
    groundShadow(p, 70);
    const QPointF neck(70, 84);
    paladinBody(p, QPointF(70, 156), neck);
    paladinSwordArm(p, neck, pulse);
    paladinHelm(p, neck + QPointF(0, -16));
    paladinShield(p, pulse);
    // Sparks of light rising.
    p.setPen(Qt::NoPen);
    p.setBrush(holy.lighter(120));
    for (int spark = 0; spark < 5; ++spark) {
        const double t = std::fmod(phase + spark * 0.2, 1.0);
        p.drawEllipse(QPointF(30 + spark * 20, 236 - t * 150), 2.2 - t, 2.2 - t);
    }
}

// ---- Sorceress: gathering a crackling orb between her hands ----
void sorceress(QPainter& p, int k, int n) {
    const double phase = static_cast<double>(k) / n;
    const double grow = phase < 0.75 ? phase / 0.75 : 1.0 - (phase - 0.75) / 0.25;
    groundShadow(p, 74);
    const QColor robe(40, 45, 80);
    const QPointF neck(64, 84);
    // Hair falls behind her.
    const double wave = std::sin(phase * 2 * kPi) * 4;
    shape(p,
          polygon({neck + QPointF(-12, -24), neck + QPointF(6, -26), neck + QPointF(-6, 34),
                   neck + QPointF(-26 + wave, 40)}),
          QColor(140, 60, 30));
    QPainterPath body;
    body.moveTo(neck + QPointF(-13, 0));
    body.lineTo(neck + QPointF(13, 0));
    body.quadTo(QPointF(82, 170), QPointF(96 + wave / 2, 242));
    body.lineTo(QPointF(32 + wave / 2, 242));
    body.quadTo(QPointF(46, 170), neck + QPointF(-13, 0));
    shape(p, body, robe, 0.3);
    p.setPen(QPen(kGold, 3));
    p.drawLine(QPointF(50, 142), QPointF(80, 142));
    // Staff in the back hand.
    p.setPen(QPen(kOutline, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(34, 60), QPointF(30, 242));
    p.setPen(QPen(QColor(90, 70, 50), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(34, 60), QPointF(30, 242));
    head(p, QPointF(34, 56), 6, QColor(110, 50, 140));
    limb(p, neck + QPointF(-10, 8), QPointF(34, 120), 7, robe);
    // Both arms reach for the orb.
    const QPointF orb(104, 110 - grow * 8);
    const double r = 6 + grow * 14;
    limb(p, neck + QPointF(10, 8), orb + QPointF(-r - 4, -10), 7, kSkin);
    limb(p, neck + QPointF(8, 14), orb + QPointF(-r - 2, 12), 7, kSkin);
    QRadialGradient g(orb, r * 1.6);
    g.setColorAt(0, QColor(255, 250, 235));
    g.setColorAt(0.35, QColor(235, 120, 30));
    g.setColorAt(0.7, QColor(160, 30, 25));
    g.setColorAt(1, QColor(160, 30, 25, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(orb, r * 1.6, r * 1.6);
    // Crackling arcs around the orb, a new pattern each frame.
    p.setPen(QPen(QColor(200, 220, 255), 2));
    for (int arc = 0; arc < 3; ++arc) {
        double a = (k * 47 + arc * 120) * kPi / 180.0;
        QPointF from = orb + QPointF(std::cos(a), std::sin(a)) * r * 0.6;
        for (int seg = 0; seg < 3; ++seg) {
            a += ((k + arc + seg) % 2 ? 0.5 : -0.4);
            const QPointF to = orb + QPointF(std::cos(a), std::sin(a)) * r * (1.0 + seg * 0.35);
            p.drawLine(from, to);
            from = to;
        }
    }
    const QPointF h = neck + QPointF(2, -16);
    head(p, h, 10, kSkin);
    p.setPen(QPen(kGold, 3));
    p.drawArc(QRectF(h.x() - 10, h.y() - 12, 20, 12), 20 * 16, 140 * 16); // circlet
}

ClassAnimation make(const char* stem, int frameCount, void (*draw)(QPainter&, int, int),
                    std::vector<int> delaysCs) {
    ClassAnimation a;
    a.stem = stem;
    for (int k = 0; k < frameCount; ++k) {
        QImage canvas = blankCanvas();
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, k, frameCount);
        p.end();
        a.frames.push_back(canvas.convertToFormat(QImage::Format_ARGB32));
    }
    a.delaysCs = std::move(delaysCs);
    return a;
}

} // namespace

std::vector<ClassAnimation> drawClassAnimations() {
    std::vector<ClassAnimation> all;
    all.push_back(make("amazon", 10, amazon, {20, 8, 8, 6, 6, 12, 8, 8, 8, 10}));
    all.push_back(make("barbarian", 10, barbarian, {24, 10, 8, 6, 5, 5, 16, 10, 10, 10}));
    all.push_back(make("necromancer", 12, necromancer, std::vector<int>(12, 9)));
    all.push_back(make("paladin", 10, paladin, {14, 10, 10, 10, 10, 14, 10, 10, 10, 10}));
    all.push_back(make("sorceress", 12, sorceress, {16, 8, 8, 8, 8, 8, 8, 8, 8, 12, 8, 8}));
    return all;
}

} // namespace skillwright::animations

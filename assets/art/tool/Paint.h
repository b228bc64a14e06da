#pragma once

#include "Glyphs.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <cstdint>

namespace skillwright::art::tool {

/// A small deterministic generator for textures: the same seed always gives
/// the same picture.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : m_state(seed * 2654435761u + 1u) {}
    /// The next value in [0, 1).
    double next();

private:
    std::uint32_t m_state;
};

/// Fills a glyph placed at centre (x, y) with half-size `size` and rotation
/// `degrees`, shaded like embossed enamel: drop shadow, soft glow, vertical
/// gradient from a lit top to a dark base, and a dark rim.
void paintGlyph(QPainter& painter, Glyph glyph, QPointF centre, qreal size, qreal degrees, QColor colour,
                bool glow);

/// Sprinkles grain over a rectangle: tiny light and dark specks.
void paintGrain(QPainter& painter, const QRect& area, std::uint32_t seed, int density, int alpha);

/// A raised metal frame `width` pixels wide inside `outer`, lit from the top left.
void paintBevel(QPainter& painter, const QRectF& outer, qreal width, QColor metal);

/// A recessed plate: dark inside, shadowed at the top, lit at the bottom edge.
void paintRecess(QPainter& painter, const QRectF& area, QColor fill);

/// A small domed rivet.
void paintRivet(QPainter& painter, QPointF centre, qreal radius, QColor metal);

/// A new transparent image of the given size.
QImage blankImage(int width, int height);

} // namespace skillwright::art::tool

#include "ProgressionPlot.h"

#include "ViewerColours.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace skillwright::stats {

namespace {

constexpr double kSideMargin = 7.0;

/// The line of the figures: solid for figures from a source, long dashes for
/// figures carried back from a later patch, short ones for our estimates.
QPen figurePen(Trust trust, qreal width) {
    QPen pen(colours::kPlotLine, width);
    if (trust == Trust::Inferred) {
        pen.setDashPattern({4.0, 2.5});
    } else if (trust == Trust::Estimate) {
        pen.setDashPattern({1.6, 2.4});
    }
    return pen;
}

QColor bandColour(Trust trust) {
    switch (trust) {
    case Trust::Sourced:
        return colours::kPlotBand;
    case Trust::Inferred:
        return colours::kPlotBandInferred;
    case Trust::Estimate:
        return colours::kPlotBandEstimate;
    }
    return colours::kPlotBand;
}

} // namespace

ProgressionPlot::ProgressionPlot(int rowHeight, QWidget* parent) : QWidget(parent), m_rowHeight(rowHeight) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void ProgressionPlot::setFigures(const std::optional<std::array<Figure, kLevels>>& figures, Trust trust) {
    m_figures = figures;
    m_trust = trust;
    if (m_figures) {
        m_min = m_figures->front().low;
        m_max = m_figures->front().high;
        for (const Figure& f : *m_figures) {
            m_min = std::min(m_min, f.low);
            m_max = std::max(m_max, f.high);
        }
    }
    setVisible(m_figures.has_value());
    update();
}

void ProgressionPlot::setMarkedRow(int row) {
    m_markedRow = row;
    update();
}

double ProgressionPlot::xOf(double value) const {
    const double span = m_max - m_min;
    if (span <= 0) {
        return width() / 2.0;
    }
    return kSideMargin + (value - m_min) / span * (width() - 2 * kSideMargin);
}

double ProgressionPlot::yOf(int row) const {
    return row * m_rowHeight + m_rowHeight / 2.0;
}

void ProgressionPlot::paintEvent(QPaintEvent* /*event*/) {
    if (!m_figures) {
        return;
    }
    const auto& figures = *m_figures;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The value axis: a faint guide at the smallest figure.
    painter.setPen(QPen(colours::kPlotGuide, 1.0, Qt::DotLine));
    painter.drawLine(QPointF(xOf(m_min), yOf(0)), QPointF(xOf(m_min), yOf(kLevels - 1)));

    const bool isRange =
        std::any_of(figures.begin(), figures.end(), [](const Figure& f) { return f.low != f.high; });
    QPolygonF lows;
    QPolygonF highs;
    for (int row = 0; row < kLevels; ++row) {
        const Figure& f = figures[static_cast<std::size_t>(row)];
        lows << QPointF(xOf(f.low), yOf(row));
        highs << QPointF(xOf(f.high), yOf(row));
    }
    if (isRange) {
        drawBand(painter, lows, highs);
    } else {
        drawPoints(painter, lows);
    }
    if (m_markedRow >= 0 && m_markedRow < kLevels) {
        drawMarkedRow(painter, figures[static_cast<std::size_t>(m_markedRow)]);
    }
}

void ProgressionPlot::drawBand(QPainter& painter, const QPolygonF& lows, const QPolygonF& highs) const {
    QPolygonF band = highs;
    for (auto it = lows.crbegin(); it != lows.crend(); ++it) {
        band << *it;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(bandColour(m_trust));
    painter.drawPolygon(band);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(figurePen(m_trust, 1.2));
    painter.drawPolyline(lows);
    painter.drawPolyline(highs);
}

void ProgressionPlot::drawPoints(QPainter& painter, const QPolygonF& points) const {
    painter.setPen(figurePen(m_trust, 1.4));
    painter.drawPolyline(points);
    if (m_trust == Trust::Estimate) {
        painter.setPen(QPen(colours::kPlotLine, 1.0));
        painter.setBrush(colours::kPlotShadow);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours::kPlotLine);
    }
    for (const QPointF& p : points) {
        painter.drawEllipse(p, 1.6, 1.6);
    }
}

void ProgressionPlot::drawMarkedRow(QPainter& painter, const Figure& figure) const {
    const double y = yOf(m_markedRow);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colours::kMarkedGlow, 1.0));
    painter.drawLine(QPointF(1, y), QPointF(width() - 1, y));
    painter.setPen(QPen(colours::kMarked, 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(xOf(figure.low), y), QPointF(xOf(figure.high), y));
    painter.setPen(QPen(colours::kPlotShadow, 1.0));
    painter.setBrush(colours::kMarked);
    painter.drawEllipse(QPointF(xOf(figure.high), y), 3.6, 3.6);
    if (figure.low != figure.high) {
        painter.drawEllipse(QPointF(xOf(figure.low), y), 3.6, 3.6);
    }
}

} // namespace skillwright::stats

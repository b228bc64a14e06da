#pragma once

#include <stats/StatTables.h>

#include <QColor>
#include <QLabel>
#include <QPolygonF>
#include <QWidget>

#include <array>
#include <optional>

class QPainter;

/// The progression plot of the statistics viewer.
namespace skillwright::stats {

/// The progression of one column over skill levels 1 to 20, drawn down the
/// rows of the table beside it: level 1 at the top, the value growing to the
/// right; a range is a band between its low and high ends. The marked level
/// stands out in the marking colour. Figures from a source are drawn in a
/// solid line; figures carried back from a later patch in long dashes with a
/// lighter band; our own estimates in short dashes, with the faintest band and
/// hollow points.
class ProgressionPlot final : public QWidget {
    Q_OBJECT
public:
    ProgressionPlot(int rowHeight, QWidget* parent);

    /// Figures to draw, and how far they are to be trusted; nullopt draws
    /// nothing (and hides the plot).
    void setFigures(const std::optional<std::array<Figure, kLevels>>& figures, Trust trust);
    /// Row 0..19 to highlight, or -1 for none.
    void setMarkedRow(int row);

    [[nodiscard]] bool hasFigures() const { return m_figures.has_value(); }
    [[nodiscard]] Trust trust() const { return m_trust; }
    [[nodiscard]] int markedRow() const { return m_markedRow; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] double xOf(double value) const;
    [[nodiscard]] double yOf(int row) const;
    /// A range: the band between its low and high ends, and both ends' lines.
    void drawBand(QPainter& painter, const QPolygonF& lows, const QPolygonF& highs) const;
    /// One figure a level: its line and a dot on each level.
    void drawPoints(QPainter& painter, const QPolygonF& points) const;
    /// The marked level: a glow across the plot and its figure in the marking colour.
    void drawMarkedRow(QPainter& painter, const Figure& figure) const;

    int m_rowHeight;
    std::optional<std::array<Figure, kLevels>> m_figures;
    double m_min = 0;
    double m_max = 0;
    int m_markedRow = -1;
    Trust m_trust = Trust::Sourced;
};

} // namespace skillwright::stats

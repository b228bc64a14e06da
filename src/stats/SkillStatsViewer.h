#pragma once

#include <model/Catalogue.h>
#include <stats/StatTables.h>

#include <QFont>
#include <QWidget>

#include <array>

class QLabel;

namespace skillwright::screens {
class CommandLabel;
}

namespace skillwright::stats {

class ProgressionPlot;

/// The skill statistics viewer: one skill's statistics at skill levels 1 to
/// 20 in four columns, with the row of the skill's current level marked and
/// a small plot of every column that has figures of its own. Each column shows
/// how far its figures can be trusted: figures from a source plainly, figures
/// carried back from a later patch golden with a long-dashed plot and a "†"
/// in their title frame, our own estimates dimmer and italic with a dotted
/// plot and a "≈". The line under the panels explains the marks the skill
/// shows, and a tip over every title frame tells where the column came from.
///
/// A top-level window of fixed size that deletes itself when closed (by
/// "Close Window" or Esc). It reads nothing from the build: `load` is given the
/// right-clicked skill and its points, and changes nothing.
class SkillStatsViewer final : public QWidget {
    Q_OBJECT
public:
    explicit SkillStatsViewer(QWidget* parent = nullptr);
    ~SkillStatsViewer() override;
    Q_DISABLE_COPY_MOVE(SkillStatsViewer)

    /// The load step: marks the row of `points` (row = points - 1; no row for
    /// 0 points), then fills the skill line, the four titles and all eighty
    /// cells from the entry of `skill` in its tree's table. A tree outside the
    /// fifteen or an index outside 0..9 fills nothing.
    void load(model::SkillRef skill, int points);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    struct StatColumn {
        QLabel* title = nullptr;
        std::array<QLabel*, kLevels> values{};
        std::array<QLabel*, kLevels> levels{};
        ProgressionPlot* plot = nullptr;
        QLabel* mark = nullptr;              ///< "†" or "≈" in the title frame
        ColumnKind kind = ColumnKind::Empty; ///< of the entry shown, for the panel art
        Trust trust = Trust::Sourced;        ///< of the entry shown
        QString tip;                         ///< where the column came from
    };

    struct ColumnFonts;

    void buildLabels();
    /// The title, mark, twenty levels and values and the plot of column `c`.
    void buildColumn(int c, const ColumnFonts& fonts);
    /// The lines under the panels that explain the marks, hidden.
    void buildNotes();
    void buildCloseCommand();
    void markRow(int row);
    void styleRow(StatColumn& column, int row);
    void fill(const Entry& entry);
    void showNotes(bool inferred, bool estimated);
    void setCloseHover(bool over);

    QLabel* m_currentSkill = nullptr;
    QLabel* m_inferredNote = nullptr;
    QLabel* m_estimateNote = nullptr;
    screens::CommandLabel* m_close = nullptr;
    std::array<StatColumn, kColumns> m_columns{};
    QFont m_noteFont;
    QFont m_estimateFont;
    int m_markedRow = -1;
    bool m_filled = false;
};

} // namespace skillwright::stats

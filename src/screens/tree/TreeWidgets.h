#pragma once

#include "ScreenDesign.h"

#include <model/Catalogue.h>
#include <screens/common/CommandLabel.h>

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QRect>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <QWidget>

#include <vector>

/// The small widget kinds a skill tree screen is made of.
namespace skillwright::screens {

/// The emblem at the top of the command column as a button: the panel's art
/// beneath draws it, this draws nothing and lets every move through to the
/// screen, so that the screen looks and hovers as it would without it.
class EmblemButton final : public QAbstractButton {
    Q_OBJECT
public:
    explicit EmblemButton(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    /// The emblem is round: a press beside it, in the square's corners, is no press.
    [[nodiscard]] bool hitButton(const QPoint& pos) const override;
};

/// A skill icon: the picture stretched over the control, the skill's tooltip,
/// and the pointer events the screen turns into hover, click and right click.
class SkillIcon final : public QWidget {
    Q_OBJECT
public:
    SkillIcon(model::TreeId tree, int index, QPixmap picture, QWidget* parent);

    [[nodiscard]] model::TreeId tree() const { return m_tree; }
    [[nodiscard]] int index() const { return m_index; }

signals:
    void hovered();
    /// Left button pressed and released over the icon, with the keys held then.
    void clicked(Qt::KeyboardModifiers modifiers);
    /// Any button went down over the icon, with the keys held.
    void pressed(Qt::MouseButton button, QPoint globalPos, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The icon looks the same with the keyboard on it or not (the focus ring
    // is a widget of its own): taking or losing focus repaints nothing.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    model::TreeId m_tree;
    int m_index;
    QPixmap m_picture;
    QPixmap m_stretched; ///< the picture at the control's size
    bool m_leftDown = false;
};

/// The drawings on the bare surface of the tree area: the tier bands, the two
/// separator lines and the connector lines. It takes no pointer events, so a
/// move over it reaches the screen as a move over the bare surface.
class TreeSurface final : public QWidget {
    Q_OBJECT
public:
    TreeSurface(const ClassDesign& design, std::vector<Connector> connectors, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawAll(QPainter& painter) const;

    const ClassDesign& m_design;
    std::vector<Connector> m_connectors;
    QPixmap m_drawn; ///< everything above, drawn once and then copied
};

/// Paints the history list's entries from texts laid out once, when each
/// entry is added, instead of shaping every visible entry on every repaint.
class HistoryDelegate final : public QStyledItemDelegate {
public:
    HistoryDelegate(const std::vector<QStaticText>& texts, QObject* parent);
    /// Lays `entry` of `list` out once, as it is painted: in the list's font,
    /// an entry too long for the line in a smaller size of the same face
    /// (the entry's font), and one too long even then cut with an ellipsis
    /// and whole in its tooltip.
    static QStaticText layOut(QListWidgetItem& entry, const QListWidget& list);
    /// The smallest size an entry is drawn in, in pixels.
    static constexpr int kSmallestPixels = 9;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    /// Marks every entry from `row` on (where a comparison's plans part) on
    /// a ground of its own, under a line above the first; -1 marks none.
    void setMarkedFrom(int row) { m_markedFrom = row; }
    /// Marks the entry an edit was refused at, on a red ground; -1 marks none.
    void setRefused(int row) { m_refused = row; }
    [[nodiscard]] int refused() const { return m_refused; }
    /// Draws the line where a dragged entry would land: above entry `row`
    /// (the number of entries: below the last); -1 draws none.
    void setDropLine(int row) { m_dropLine = row; }
    /// The milestones' names by row (empty: none), each drawn as a labelled
    /// separator below its entry. True when they changed: the list is to be
    /// laid out again, as those rows are taller.
    bool setMilestones(std::vector<QString> names);
    /// The compared plan's stages by row (empty: none), drawn at the right of
    /// the entry where the other plan reaches them.
    void setReferenceStages(std::vector<QString> names) { m_referenceStages = std::move(names); }
    [[nodiscard]] int dropLine() const { return m_dropLine; }

private:
    const std::vector<QStaticText>& m_texts;
    int m_markedFrom = -1;
    int m_refused = -1;
    int m_dropLine = -1;
    std::vector<QString> m_milestones;
    std::vector<QString> m_referenceStages;
};

} // namespace skillwright::screens

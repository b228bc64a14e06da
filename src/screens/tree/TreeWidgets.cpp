#include "TreeWidgets.h"

#include "ComparisonOverlay.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace skillwright::screens {

EmblemButton::EmblemButton(QWidget* parent) : QAbstractButton(parent) {
    setMouseTracking(true); // moves go on to the screen, which resets its hover
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Commands"));
}

void EmblemButton::paintEvent(QPaintEvent* /*event*/) {}

bool EmblemButton::hitButton(const QPoint& pos) const {
    const QPointF offset = QPointF(pos) - QRectF(rect()).center();
    const qreal radius = width() / 2.0;
    return offset.x() * offset.x() + offset.y() * offset.y() <= radius * radius;
}

namespace {

/// Device pixels per pixel of what `painter` paints on: the screen's own, or
/// twice that of a picture rendered at 2x, so that a picture is drawn as
/// sharp as the screen is.
qreal pixelRatio(const QPainter& painter, const QWidget& widget) {
    return std::max(widget.devicePixelRatioF(), painter.deviceTransform().m11());
}

} // namespace

// ---- SkillIcon ----

SkillIcon::SkillIcon(model::TreeId tree, int index, QPixmap picture, QWidget* parent)
    : QWidget(parent), m_tree(tree), m_index(index), m_picture(std::move(picture)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, !m_picture.isNull() && !m_picture.hasAlphaChannel());
}

void SkillIcon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_picture.isNull()) {
        // No picture: a plain tile, so the slot still reads as a skill.
        painter.fillRect(rect(), QColor(40, 36, 30));
        painter.setPen(qcolor(kCountColour));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    // The picture is stretched over the control once, not on every repaint.
    const qreal ratio = pixelRatio(painter, *this);
    const QSize target = size() * ratio;
    if (m_stretched.size() != target) {
        m_stretched = m_picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_stretched.setDevicePixelRatio(ratio);
    }
    painter.drawPixmap(0, 0, m_stretched);
}

void SkillIcon::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit hovered();
}

void SkillIcon::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton) {
        m_leftDown = true;
    }
    emit pressed(event->button(), event->globalPosition().toPoint(), event->modifiers());
}

void SkillIcon::mouseReleaseEvent(QMouseEvent* event) {
    if (completesLeftClick(*this, *event, m_leftDown)) {
        emit clicked(event->modifiers());
    }
}

void SkillIcon::focusInEvent(QFocusEvent* event) {
    event->accept();
}

void SkillIcon::focusOutEvent(QFocusEvent* event) {
    event->accept();
}

// ---- TreeSurface ----

TreeSurface::TreeSurface(const ClassDesign& design, std::vector<Connector> connectors, QWidget* parent)
    : QWidget(parent), m_design(design), m_connectors(std::move(connectors)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TreeSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const qreal ratio = pixelRatio(painter, *this);
    if (m_drawn.size() != size() * ratio) {
        m_drawn = QPixmap(size() * ratio);
        m_drawn.setDevicePixelRatio(ratio);
        m_drawn.fill(Qt::transparent);
        QPainter drawing(&m_drawn);
        drawAll(drawing);
    }
    for (const QRect& r : event->region()) {
        painter.drawPixmap(r, m_drawn, QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio));
    }
}

void TreeSurface::drawAll(QPainter& painter) const {
    for (std::size_t row = 0; row < kBandTops.size(); ++row) {
        painter.fillRect(toPixels(TwipRect{0, kBandTops[row], kBandWidth, kBandHeight}),
                         qcolor(m_design.bands[row]));
    }
    painter.setPen(QPen(qcolor(kWhite), 1));
    for (const int x : kSeparatorX) {
        painter.drawLine(toPixels(x), toPixels(kSeparatorTop), toPixels(x), toPixels(kSeparatorBottom));
    }
    painter.setPen(QPen(qcolor(kCountColour), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    for (const Connector& c : m_connectors) {
        QPolygon line;
        for (const TwipPoint& p : c.path) {
            line << QPoint(toPixels(p.x), toPixels(p.y));
        }
        painter.drawPolyline(line);
    }
}

// ---- HistoryDelegate ----

namespace {
/// The ground of the entries marked: a slate blue, apart from the brown of the selection.
const QColor kMarkedGround(36, 40, 58);
const QColor kRefusedGround(128, 24, 16);
} // namespace

HistoryDelegate::HistoryDelegate(const std::vector<QStaticText>& texts, QObject* parent)
    : QStyledItemDelegate(parent), m_texts(texts) {}

bool HistoryDelegate::setMilestones(std::vector<QString> names) {
    if (names == m_milestones) {
        return false;
    }
    m_milestones = std::move(names);
    return true;
}

namespace {
/// The pixels left of an entry's line: the text starts 2 in, and the list's
/// scroll bar, when it comes, takes 12.
constexpr int kEntryIndent = 2;
constexpr int kScrollBarWidth = 12;
} // namespace

QStaticText HistoryDelegate::layOut(QListWidgetItem& entry, const QListWidget& list) {
    const QString text = entry.text();
    const int room = list.width() - list.frameWidth() * 2 - kScrollBarWidth - 2 * kEntryIndent;
    QFont font = list.font();
    int pixels = QFontInfo(font).pixelSize();
    while (QFontMetrics(font).horizontalAdvance(text) > room && pixels > kSmallestPixels) {
        font.setPixelSize(--pixels);
    }
    entry.setData(Qt::FontRole, font == list.font() ? QVariant() : QVariant(font));
    // Too long even so: cut where the cut shows, and whole in the tooltip.
    const QFontMetrics metrics(font);
    const QString shown =
        metrics.horizontalAdvance(text) > room ? metrics.elidedText(text, Qt::ElideRight, room) : text;
    entry.setToolTip(shown == text ? QString() : text);
    QStaticText line(shown);
    line.setTextFormat(Qt::PlainText);
    line.prepare(QTransform(), font);
    return line;
}

void HistoryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= m_texts.size()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool marked = m_markedFrom >= 0 && index.row() >= m_markedFrom;
    const QRect entryLine(option.rect.topLeft(), QSize(option.rect.width(), option.fontMetrics.height() + 1));
    if (index.row() == m_refused) {
        painter->fillRect(entryLine, kRefusedGround);
    } else if (selected) {
        painter->fillRect(entryLine, option.palette.brush(QPalette::Highlight));
    } else if (marked) {
        painter->fillRect(option.rect, kMarkedGround);
    }
    if (marked && index.row() == m_markedFrom) {
        // The line above the first entry at which the plans part.
        painter->fillRect(QRect(option.rect.left(), option.rect.top(), option.rect.width(), 1),
                          qcolor(kParchment));
    }
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QVariant font = index.data(Qt::FontRole);
    painter->setFont(font.isValid() ? font.value<QFont>() : option.font);
    painter->drawStaticText(option.rect.left() + kEntryIndent, option.rect.top(), m_texts[row]);
    // Where the compared plan reaches one of its stages: its name at the right, in the comparison's blue.
    if (row < m_referenceStages.size() && !m_referenceStages[row].isEmpty()) {
        QFont small = option.font;
        small.setItalic(true);
        painter->setFont(small);
        painter->setPen(qcolor(kMorePoints));
        const QString shown = QFontMetrics(small).elidedText(
            QStringLiteral("\u25C7 ") + m_referenceStages[row], Qt::ElideRight, entryLine.width() * 2 / 5);
        painter->drawText(entryLine.adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, shown);
    }
    // A milestone: below its entry, a gold rule with its name.
    if (row < m_milestones.size() && !m_milestones[row].isEmpty()) {
        const int lineHeight = option.fontMetrics.height() + 1;
        const QRect below(option.rect.left(), option.rect.top() + lineHeight, option.rect.width(),
                          lineHeight);
        painter->setPen(qcolor(kParchment));
        QFont bold = option.font;
        bold.setBold(true);
        painter->setFont(bold);
        const QString label = QStringLiteral("\u25C6 ") + m_milestones[row];
        const QString shown = QFontMetrics(bold).elidedText(label, Qt::ElideRight, below.width() - 8);
        painter->drawText(below.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, shown);
        const int textEnd = below.left() + 8 + QFontMetrics(bold).horizontalAdvance(shown);
        if (textEnd < below.right() - 4) {
            painter->fillRect(QRect(textEnd, below.center().y(), below.right() - 4 - textEnd, 1),
                              qcolor(kParchment));
        }
    }
    // Where a dragged entry would land: a gold line across the list.
    const bool lineAbove = index.row() == m_dropLine;
    const bool lineBelow = m_dropLine == static_cast<int>(m_texts.size()) && row + 1 == m_texts.size();
    if (lineAbove || lineBelow) {
        const int y = lineAbove ? option.rect.top() : option.rect.bottom() - 1;
        painter->fillRect(QRect(option.rect.left(), y, option.rect.width(), 2), qcolor(kParchment));
    }
}

QSize HistoryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const auto row = static_cast<std::size_t>(index.row());
    const bool marked = row < m_milestones.size() && !m_milestones[row].isEmpty();
    return {option.rect.width(), (option.fontMetrics.height() + 1) * (marked ? 2 : 1)};
}

} // namespace skillwright::screens

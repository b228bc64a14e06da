#include "TreeWidgets.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace skillwright::screens {

namespace {
QColor qcolor(Rgb c) {
    return {c.r, c.g, c.b};
}
} // namespace

int toPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QRect toPixels(const TwipRect& r) {
    const int left = toPixels(r.left);
    const int top = toPixels(r.top);
    return {left, top, toPixels(r.right()) - left, toPixels(r.bottom()) - top};
}

// ---- SkillIcon ----

SkillIcon::SkillIcon(model::TreeId tree, int index, QPixmap picture, QWidget* parent)
    : QWidget(parent), m_tree(tree), m_index(index), m_picture(std::move(picture)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, !m_picture.isNull());
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
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_picture);
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
    emit pressed(event->button(), event->globalPosition().toPoint());
}

void SkillIcon::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !m_leftDown) {
        return;
    }
    m_leftDown = false;
    if (rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

// ---- CommandLabel ----

CommandLabel::CommandLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setMouseTracking(true);
}

void CommandLabel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit hovered();
}

void CommandLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    m_leftDown = event->button() == Qt::LeftButton;
}

void CommandLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !m_leftDown) {
        return;
    }
    m_leftDown = false;
    if (rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

// ---- TreeSurface ----

TreeSurface::TreeSurface(const ClassDesign& design, std::vector<Connector> connectors, QWidget* parent)
    : QWidget(parent), m_design(design), m_connectors(std::move(connectors)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TreeSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
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

} // namespace skillwright::screens

#include "CommandLabel.h"

#include <QMouseEvent>

namespace skillwright::screens {

bool completesLeftClick(const QWidget& control, QMouseEvent& release, bool& leftDown) {
    release.accept();
    if (release.button() != Qt::LeftButton || !leftDown) {
        return false;
    }
    leftDown = false;
    return control.rect().contains(release.position().toPoint());
}

CommandLabel::CommandLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setMouseTracking(true);
}

void CommandLabel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit hovered();
}

void CommandLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    emit left();
}

void CommandLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    m_leftDown = event->button() == Qt::LeftButton;
}

void CommandLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (completesLeftClick(*this, *event, m_leftDown)) {
        emit clicked();
    }
}

} // namespace skillwright::screens

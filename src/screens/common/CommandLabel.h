#pragma once

#include <QLabel>

class QMouseEvent;

namespace skillwright::screens {

/// A label that serves as a button: reports pointer moves over it, the
/// pointer leaving it, and left clicks (pressed and released over it).
/// A move over it goes no further, so the surface beneath does not see it.
class CommandLabel final : public QLabel {
    Q_OBJECT
public:
    CommandLabel(const QString& text, QWidget* parent);

signals:
    void hovered();
    void left();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_leftDown = false;
};

/// Whether a release completes a left click on `control`: the left button
/// went down on it (`leftDown`, cleared here) and comes up over it.
bool completesLeftClick(const QWidget& control, QMouseEvent& release, bool& leftDown);

} // namespace skillwright::screens

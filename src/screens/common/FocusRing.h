#pragma once

#include <screens/common/ScreenKit.h>

#include <QPointer>
#include <QWidget>

namespace skillwright::screens {

/// The mark of the control the keyboard is on: a ring drawn around (or just
/// inside) that control, in lines rather than a picture so that it stays
/// sharp at any scale. It lies on top of its window and lets the pointer
/// through.
class FocusRing final : public QWidget {
    Q_OBJECT
public:
    /// A whole frame, or only its corners: a window whose pointer draws a
    /// frame of its own around what it is over marks the keyboard apart.
    enum class Shape { Frame, Corners };

    /// `margin` pixels outside the framed control; a negative margin draws
    /// the ring inside it.
    FocusRing(QWidget* window, Rgb colour, int margin, Shape shape = Shape::Frame);

    /// Frames `control` (a child of the window) and shows the ring; nullptr hides it.
    void frame(QWidget* control);
    [[nodiscard]] QWidget* framed() const { return m_framed; }

    /// The ring's lines: `kLine` pixels in the ring's colour with a dark
    /// pixel inside them, so that it reads on light and on dark pictures.
    static constexpr int kLine = 2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Rgb m_colour;
    int m_margin;
    Shape m_shape;
    QPointer<QWidget> m_framed;
};

} // namespace skillwright::screens

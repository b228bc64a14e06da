#pragma once

#include <QObject>

#include <array>

class QLabel;
class QWidget;

namespace skillwright::screens {

class FocusRing;
class StartScreen;

/// The start screen from the keyboard: the arrow keys and Tab move a mark
/// over the five class names and "Random" (Left and Right along them, Down to
/// Random, Up back to the classes), Enter or Space chooses what is marked,
/// F1 shows the sheet of keys. The mark is the class name lit as under the
/// pointer with a ring around it; it appears at the first such key, so the
/// screen looks as designed until the keyboard is used. Esc keeps ending the
/// program.
class StartKeyboard final : public QObject {
    Q_OBJECT
public:
    explicit StartKeyboard(StartScreen& screen);

    /// What is marked: 0..4 the classes in screen order, 5 Random; -1 before the first key.
    [[nodiscard]] int marked() const { return m_marked; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kRandom = 5;
    void mark(int stop);
    void choose();

    StartScreen& m_screen;
    std::array<QLabel*, 6> m_stops{}; ///< the five class names, then Random
    QWidget* m_focusHolder = nullptr;
    FocusRing* m_ring = nullptr;
    int m_marked = -1;
    int m_lastClass = 0;
};

} // namespace skillwright::screens

// The floor the program's start-up is measured against: a bare Qt Widgets
// window of the start screen's size with 60 short labels, shown, painted once,
// and the process ends. bench_select spawns it alternately with the program's
// own start sequence; it is no benchmark itself (it is built as bin/bare_window
// so that bench/run leaves it alone).
#include <QApplication>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <chrono>

namespace {

class Window : public QWidget {
public:
    bool painted = false;

protected:
    void paintEvent(QPaintEvent* event) override {
        QWidget::paintEvent(event);
        painted = true;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window window;
    window.setFixedSize(800, 600);
    for (int i = 0; i < 60; ++i) {
        auto* label = new QLabel(QStringLiteral("Label %1").arg(i), &window);
        label->setGeometry(10 + (i % 6) * 130, 10 + (i / 6) * 58, 120, 20);
    }
    window.show();
    // A platform that never exposes the window must not hang the benchmark.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!window.painted && std::chrono::steady_clock::now() < giveUp) {
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    return window.painted ? 0 : 1;
}

#include "ScreenKit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPalette>

#include <cmath>

namespace skillwright::screens {

int toPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QRect toPixels(const TwipRect& r) {
    const int left = toPixels(r.left);
    const int top = toPixels(r.top);
    return {left, top, toPixels(r.right()) - left, toPixels(r.bottom()) - top};
}

QColor qcolor(Rgb c) {
    return {c.r, c.g, c.b};
}

namespace {

/// Closes the window it watches on Esc, once no control of it took the key.
class ClosesOnEscape final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            static_cast<QWidget*>(watched)->close();
            return true;
        }
        return false;
    }
};

} // namespace

void dressSideWindow(QWidget& window, const char* name, const QString& title) {
    window.installEventFilter(new ClosesOnEscape(&window));
    window.setObjectName(QLatin1String(name));
    window.setWindowTitle(title);
    QPalette colours = window.palette();
    colours.setColor(QPalette::Window, qcolor(kPanel));
    colours.setColor(QPalette::WindowText, qcolor(kParchment));
    colours.setColor(QPalette::Base, qcolor(kWell));
    colours.setColor(QPalette::AlternateBase, qcolor(kWellAlternate));
    colours.setColor(QPalette::Text, qcolor(kParchment));
    colours.setColor(QPalette::PlaceholderText, qcolor(kCountColour));
    colours.setColor(QPalette::Button, qcolor(kButtonFace));
    colours.setColor(QPalette::ButtonText, qcolor(kParchment));
    colours.setColor(QPalette::Highlight, qcolor(kSelection));
    colours.setColor(QPalette::HighlightedText, qcolor(kWhite));
    window.setPalette(colours);
    window.setAutoFillBackground(true);
}

QString qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void setTextColour(QWidget* widget, Rgb colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, qcolor(colour));
    widget->setPalette(palette);
}

Rgb textColour(const QWidget* widget) {
    const QColor c = widget->palette().color(QPalette::WindowText);
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
            static_cast<std::uint8_t>(c.blue())};
}

QString css(Rgb c) {
    return QStringLiteral("rgb(%1, %2, %3)").arg(c.r).arg(c.g).arg(c.b);
}

void showWithKeyboard(QWidget& window) {
    // A window coming up is put on top by the platform; one already up may
    // lie behind another the player moved over it.
    if (window.isVisible()) {
        window.raise();
    } else {
        window.show();
    }
    window.activateWindow();
}

namespace {

constexpr const char* kDecoration = "skillwrightDecoration";
constexpr const char* kLeavesDecorationsOut = "skillwrightLeavesDecorationsOut";

/// A window as a screen reader sees it: its controls, without the pictures
/// that only decorate it.
class WindowWithoutDecorations final : public QAccessibleWidget {
public:
    explicit WindowWithoutDecorations(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    [[nodiscard]] int childCount() const override { return static_cast<int>(controls().size()); }
    [[nodiscard]] QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> shown = controls();
        return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown[index])
                                                  : nullptr;
    }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override {
        return child == nullptr
                   ? -1
                   : static_cast<int>(controls().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    [[nodiscard]] QList<QWidget*> controls() const {
        QList<QWidget*> shown;
        for (QObject* o : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w != nullptr && !w->isWindow() && qobject_cast<QMenu*>(w) == nullptr &&
                !w->property(kDecoration).toBool()) {
                shown.push_back(w);
            }
        }
        return shown;
    }
};

constexpr const char* kButton = "skillwrightButton";

QAccessibleInterface* readersView(const QString&, QObject* object) {
    if (!object->isWidgetType()) {
        return nullptr;
    }
    auto* widget = static_cast<QWidget*>(object);
    if (widget->property(kLeavesDecorationsOut).toBool()) {
        return new WindowWithoutDecorations(widget);
    }
    if (widget->property(kButton).toBool()) {
        return new QAccessibleWidget(widget, QAccessible::Button);
    }
    return nullptr;
}

void installReadersView() {
    static const bool installed = [] {
        QAccessible::installFactory(readersView);
        return true;
    }();
    static_cast<void>(installed);
}

/// A widget's view for readers is made at its first change (a label's
/// text); made before its kind was told, it is made again.
void forgetReadersView(QObject* object) {
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(object)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

} // namespace

void leaveDecorationsOutForReaders(QWidget& window) {
    installReadersView();
    window.setProperty(kLeavesDecorationsOut, true);
    forgetReadersView(&window);
}

void markDecoration(QWidget* widget) {
    widget->setProperty(kDecoration, true);
}

void speakOfAsButton(QWidget* widget, const QString& name) {
    installReadersView();
    widget->setProperty(kButton, true);
    forgetReadersView(widget);
    widget->setAccessibleName(name);
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, const TwipRect& place,
                 const QFont& font, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(toPixels(place));
    label->setFont(font);
    label->setAlignment(alignment);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace skillwright::screens

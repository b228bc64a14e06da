#include "ScreenKit.h"

#include <QLabel>
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

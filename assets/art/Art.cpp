#include "Art.h"

#include <QFontDatabase>

namespace skillwright::art {

// Interim implementation: plain faces and empty pictures until the art tool lands.
void initialise() {}
QString captionFamily() { return QStringLiteral("Liberation Serif"); }
QString textFamily() { return QStringLiteral("Liberation Sans"); }
QFont captionFont(qreal pointSize, QFont::Weight weight) {
    QFont f(captionFamily());
    f.setPointSizeF(pointSize);
    f.setWeight(weight);
    return f;
}
QFont textFont(qreal pointSize, QFont::Weight weight) {
    QFont f(textFamily());
    f.setPointSizeF(pointSize);
    f.setWeight(weight);
    return f;
}
QPixmap skillIcon(model::TreeId, int) { return {}; }
QPixmap buttonPanel(model::ClassId) { return {}; }
QPixmap bottomPanel(model::ClassId) { return {}; }
QPixmap connector() { return {}; }

} // namespace skillwright::art

#include "ClassStills.h"

namespace skillwright::animations {

QString classStillPath(const QString& stem) {
    return QStringLiteral(":/select/") + stem + QStringLiteral(".picture");
}

} // namespace skillwright::animations

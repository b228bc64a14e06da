#include "Art.h"

#include <QFontDatabase>
#include <QImage>
#include <QResource>
#include <QStringList>

#include <array>
#include <cstdint>
#include <cstring>

// Resources compiled into a static library must be registered by name, from
// the global namespace.
static void registerResources() {
    Q_INIT_RESOURCE(art);
    Q_INIT_RESOURCE(decoded);
    Q_INIT_RESOURCE(fonts);
}

namespace skillwright::art {

namespace {

struct Families {
    QString caption = QStringLiteral("Linux Libertine O");
    QString text = QStringLiteral("Liberation Sans");
};

Families& families() {
    static Families registered;
    return registered;
}

/// Registers one bundled font file; returns its family, or an empty text if
/// the file could not be loaded. The fonts are stored uncompressed, so Qt is
/// handed the bytes where they lie in the program: registered by name, each
/// file would be copied once to register it and again for every face drawn
/// with (half a megabyte each).
QString addFont(const QString& file) {
    const QResource resource(QStringLiteral(":/fonts/") + file);
    const QByteArray bytes = resource.compressionAlgorithm() == QResource::NoCompression
                                 ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                                           qsizetype(resource.size()))
                                 : resource.uncompressedData();
    const int id = QFontDatabase::addApplicationFontFromData(bytes);
    const QStringList names = QFontDatabase::applicationFontFamilies(id);
    return names.isEmpty() ? QString() : names.first();
}

/// The bundled faces come in two cuts, so every weight maps onto one of them.
QFont::Weight cut(QFont::Weight weight) {
    return weight <= QFont::Normal ? QFont::Normal : QFont::Bold;
}

QString className(model::ClassId id) {
    const auto name = model::classInfo(id).name;
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

QPixmap picture(const QString& name) {
    return QPixmap(QStringLiteral(":/art/") + name);
}

} // namespace

void initialise() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    registerResources();
    const QString caption = addFont(QStringLiteral("LinLibertine_R.otf"));
    addFont(QStringLiteral("LinLibertine_RB.otf"));
    const QString text = addFont(QStringLiteral("LiberationSans-Regular.ttf"));
    addFont(QStringLiteral("LiberationSans-Bold.ttf"));
    if (!caption.isEmpty()) {
        families().caption = caption;
    }
    if (!text.isEmpty()) {
        families().text = text;
    }
}

QString captionFamily() {
    return families().caption;
}
QString textFamily() {
    return families().text;
}

QFont captionFont(qreal pointSize, QFont::Weight weight) {
    QFont font(captionFamily());
    font.setPointSizeF(pointSize);
    font.setWeight(cut(weight));
    // Lowercase drawn as small capitals gives the engraved all-capitals look.
    font.setCapitalization(QFont::SmallCaps);
    return font;
}

QFont textFont(qreal pointSize, QFont::Weight weight) {
    QFont font(textFamily());
    font.setPointSizeF(pointSize);
    font.setWeight(cut(weight));
    return font;
}

QPixmap skillIcon(model::TreeId tree, int index) {
    if (index < 0 || index >= model::kSkillsPerTree) {
        return {};
    }
    const auto code = model::tree(tree).code;
    return picture(QStringLiteral("icons/%1_%2.png")
                       .arg(QString::fromUtf8(code.data(), qsizetype(code.size())))
                       .arg(index));
}

QPixmap buttonPanel(model::ClassId classId) {
    return picture(QStringLiteral("panels/button_%1.png").arg(className(classId)));
}

QPixmap bottomPanel(model::ClassId classId) {
    return picture(QStringLiteral("panels/bottom_%1.png").arg(className(classId)));
}

QPixmap connector() {
    return picture(QStringLiteral("panels/connector.png"));
}
QPixmap storedPicture(const QString& resource) {
    const QResource stored(resource);
    const uchar* bytes = stored.data();
    constexpr qint64 kHeader = 3 * sizeof(std::uint32_t);
    constexpr std::uint32_t kLargest = 4096;
    if (bytes == nullptr || stored.compressionAlgorithm() != QResource::NoCompression ||
        stored.size() < kHeader) {
        return {};
    }
    std::array<std::uint32_t, 3> header{};
    std::memcpy(header.data(), bytes, sizeof header);
    const auto [width, height, format] = header;
    const bool known = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
    if (!known || width == 0 || height == 0 || width > kLargest || height > kLargest ||
        stored.size() != kHeader + qint64(width) * height * 4) {
        return {};
    }
    const uchar* pixels = bytes + kHeader;
    const QImage image(pixels, int(width), int(height), int(width) * 4, static_cast<QImage::Format>(format));
    // Pixels of 32 bits are read a word at a time: out of line, they are copied once.
    return QPixmap::fromImage(reinterpret_cast<quintptr>(pixels) % 4 == 0 ? image : image.copy());
}

QPixmap selectBackground() {
    return storedPicture(QStringLiteral(":/art/select/background.picture"));
}

QPixmap portrait(int person) {
    if (person != 0 && person != 1) {
        return {};
    }
    return storedPicture(QStringLiteral(":/art/select/portrait_%1.picture").arg(person));
}

QPixmap generatorButton() {
    return storedPicture(QStringLiteral(":/art/select/generator.picture"));
}

QPixmap openButton() {
    return storedPicture(QStringLiteral(":/art/select/open.picture"));
}

QPixmap continueButton() {
    return storedPicture(QStringLiteral(":/art/select/continue.picture"));
}

QPixmap generatorBackground() {
    return picture(QStringLiteral("generator/background.png"));
}

QPixmap generatorEmblem() {
    return picture(QStringLiteral("generator/emblem.png"));
}

QIcon programIcon() {
    // Smallest first: the window manager is handed the sizes in this order,
    // and Qt leaves out those past 128 pixels and whatever follows them.
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/art/program/icon_%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

QIcon folderIcon() {
    QIcon icon;
    for (const int size : {16, 32}) {
        // Chosen, it keeps its colours: the row's highlight says it is chosen.
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Selected}) {
            icon.addFile(QStringLiteral(":/art/library/folder_%1.png").arg(size), QSize(size, size), mode);
        }
    }
    return icon;
}

} // namespace skillwright::art

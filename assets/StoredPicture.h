#pragma once
// A picture stored as the very pixels the program draws, so that the program
// draws it from where it lies in its own file instead of decoding it at every
// start: three 32-bit words (width, height and the pixel format, as QImage
// numbers it), then the rows, four bytes a pixel. Every part is a whole
// number of words, so pictures stored one after another stay word-aligned.
// The pixels are those of `image` written as `encoding` ("PNG", or "JPEG" at
// quality 92) and read back, in the form a pixmap keeps them (premultiplied
// where the picture has an alpha channel): what the program showed when it
// decoded that file itself.
#include <QBuffer>
#include <QFile>
#include <QImage>

#include <array>
#include <cstdint>

namespace skillwright::stored {

inline bool writeDecodedPicture(const QImage& image, const char* encoding, const QString& path) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, encoding, qstrcmp(encoding, "JPEG") == 0 ? 92 : -1)) {
        return false;
    }
    const QImage read = QImage::fromData(encoded, encoding);
    const QImage decoded = read.convertToFormat(read.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                       : QImage::Format_RGB32);
    if (decoded.isNull() || decoded.depth() != 32) {
        return false;
    }
    const std::array<std::uint32_t, 3> header{static_cast<std::uint32_t>(decoded.width()),
                                              static_cast<std::uint32_t>(decoded.height()),
                                              static_cast<std::uint32_t>(decoded.format())};
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(header.data()), sizeof header) != qint64(sizeof header)) {
        return false;
    }
    for (int y = 0; y < decoded.height(); ++y) {
        const auto row = static_cast<qint64>(decoded.width()) * 4;
        if (file.write(reinterpret_cast<const char*>(decoded.constScanLine(y)), row) != row) {
            return false;
        }
    }
    return file.flush();
}

} // namespace skillwright::stored

#include "AnimationFrames.h"

#include "GifSplit.h"

#include <toolkit/RegularFile.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QRect>

namespace skillwright::screens {

namespace {

constexpr std::int64_t kBytesPerPixel = 4;

std::int64_t pictureBytes(QSize size) {
    return size.isEmpty() ? 0 : std::int64_t{size.width()} * size.height() * kBytesPerPixel;
}

/// The picture's size from the logical screen descriptor after the six
/// signature bytes; empty when the header is cut short.
QSize pictureSizeOf(std::span<const std::uint8_t> header) {
    if (header.size() < 10) {
        return {};
    }
    return {header[6] + 256 * header[7], header[8] + 256 * header[9]};
}

void put16(QByteArray& bytes, qsizetype at, int value) {
    if (at + 1 < bytes.size()) {
        bytes[at] = static_cast<char>(value & 0xFF);
        bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
    }
}

QByteArray oneFrameGif(std::span<const std::uint8_t> header, std::span<const std::uint8_t> frame) {
    QByteArray gif;
    gif.reserve(static_cast<qsizetype>(header.size() + frame.size()));
    gif.append(reinterpret_cast<const char*>(header.data()), static_cast<qsizetype>(header.size()));
    gif.append(reinterpret_cast<const char*>(frame.data()), static_cast<qsizetype>(frame.size()));
    return gif;
}

} // namespace

std::int64_t PlannedFrame::cost() const {
    return gif.size() + pictureBytes(size);
}

std::optional<QByteArray> readAnimationFile(const QString& path, std::int64_t maxBytes) {
    toolkit::FileRead read = toolkit::readRegularFile(QFile::encodeName(path).toStdString(), maxBytes);
    if (read.outcome != toolkit::FileRead::Outcome::Read) {
        return std::nullopt;
    }
    return QByteArray(read.bytes.data(), static_cast<qsizetype>(read.bytes.size()));
}

AnimationPlan planAnimation(std::span<const std::uint8_t> file, const AnimationLimits& limits) {
    AnimationPlan plan;
    const GifSplit split = splitAnimatedGif(file, limits.frames);
    plan.isGif = split.isGif;
    const QSize picture = pictureSizeOf(split.header);
    if (!split.isGif || picture.isEmpty()) {
        return plan;
    }
    const QRect whole(QPoint(0, 0), picture);
    std::int64_t spent = 0;
    for (std::size_t k = 0; k < split.frames.size(); ++k) {
        const GifFrame& f = split.frames[k];
        PlannedFrame planned;
        planned.offset = QPoint(f.left, f.top);
        planned.delayMs = f.delayMs;
        // Frame 0 shows the whole picture; any other frame only its own part
        // of it, decoded at its own size so that nothing outside is held. A
        // frame wholly outside, or claiming more than the limits, shows nothing.
        const QSize own(f.width, f.height);
        if (k == 0) {
            planned.size = picture;
        } else if (pictureBytes(own) <= limits.pictureBytes) {
            planned.size = QRect(planned.offset, own).intersected(whole).size();
        }
        if (!planned.size.isEmpty()) {
            planned.gif = oneFrameGif(split.header, f.bytes);
            if (k > 0) {
                // The picture becomes the frame's own size, the frame moves to its corner.
                put16(planned.gif, 6, f.width);
                put16(planned.gif, 8, f.height);
                const auto descriptor = static_cast<qsizetype>(split.header.size()) + 8;
                put16(planned.gif, descriptor, 0);
                put16(planned.gif, descriptor + 2, 0);
            }
        }
        if (spent + planned.cost() > limits.pictureBytes) {
            break; // this and later frames do not fit
        }
        spent += planned.cost();
        plan.frames.push_back(std::move(planned));
    }
    return plan;
}

QImage decodeFrame(const PlannedFrame& frame) {
    if (frame.gif.isEmpty() || frame.size.isEmpty()) {
        return {};
    }
    QBuffer buffer;
    buffer.setData(frame.gif);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    QImage image = reader.read();
    if (image.isNull() || image.size() == frame.size) {
        return image;
    }
    return image.copy(QRect(QPoint(0, 0), frame.size).intersected(image.rect()));
}

} // namespace skillwright::screens

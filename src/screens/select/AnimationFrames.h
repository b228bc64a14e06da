#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace skillwright::screens {

/// What one animation file may cost. The start screen gives each of its five
/// files a fifth of one budget, so all five together stay within it.
struct AnimationLimits {
    /// The largest file read; a larger one is treated like a missing file.
    std::int64_t fileBytes = 16 * 1024 * 1024;
    /// Decoded pictures plus the bytes kept to decode them later. Frames past
    /// this are dropped, so the animation plays the frames that fit. A file
    /// whose first frame alone does not fit cannot be shown.
    std::int64_t pictureBytes = 64 * 1024 * 1024 / 5;
    /// The most frames cut out of one file.
    std::size_t frames = 1000;
};

/// One frame, ready to be decoded when its element is first needed.
struct PlannedFrame {
    /// A one-frame GIF; empty when the frame shows nothing (it lies wholly
    /// outside the picture, or claims a size beyond the limits).
    QByteArray gif;
    /// The size of the picture it decodes to: the whole picture for frame 0,
    /// otherwise the part of the frame's rectangle that lies inside the
    /// picture; 0 x 0 when it shows nothing.
    QSize size{0, 0};
    QPoint offset; ///< the frame's left and top offsets, in pixels
    int delayMs = 0;
    /// Memory the frame holds once decoded, together with its bytes.
    [[nodiscard]] std::int64_t cost() const;
};

/// The frames of an animation file that fit its limits.
struct AnimationPlan {
    bool isGif = false; ///< false: the file does not begin with "GIF"
    /// Frame k belongs to element k of the class's picture array. Empty when
    /// the file is a GIF whose picture cannot be shown within the limits.
    std::vector<PlannedFrame> frames;
};

/// Reads a whole animation file: only a regular file, and at most
/// `maxBytes` of it. A missing, unreadable or special file (a pipe, a device)
/// and a larger file give nothing, without blocking.
std::optional<QByteArray> readAnimationFile(const QString& path, std::int64_t maxBytes);

/// Cuts `file` into frames (see splitAnimatedGif) and keeps those that fit
/// `limits`, in order. Frames are not decoded here. Frames other than the
/// first are cropped to the picture: their one-frame GIF is rewritten so that
/// the frame is decoded on its own, at its own size, rather than on a canvas
/// the size of the whole picture.
AnimationPlan planAnimation(std::span<const std::uint8_t> file, const AnimationLimits& limits = {});

/// Decodes a planned frame with Qt's GIF reader and crops it to its size.
/// A null image when there is nothing to decode or the bytes do not decode.
QImage decodeFrame(const PlannedFrame& frame);

} // namespace skillwright::screens

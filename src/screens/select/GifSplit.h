#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace skillwright::screens {

/// One frame cut out of an animated GIF: its bytes start at the 0xF9 label of
/// the frame's graphic control extension, so that the file's header followed
/// by these bytes reads as a one-frame GIF. The bytes are a view into the
/// file that was split.
struct GifFrame {
    std::span<const std::uint8_t> bytes;
    int delayMs = 0; ///< the stored hundredths of a second times ten
    int left = 0;    ///< pixel offset of the frame within the picture
    int top = 0;
    int width = 0; ///< the frame's own size from its image descriptor (0 when cut short)
    int height = 0;
};

/// The result of cutting a GIF into frames. `frames[k]` belongs to element k
/// of a picture array. Header and frames are views into the file.
struct GifSplit {
    bool isGif = false;                   ///< false: the header does not begin with "GIF"
    std::span<const std::uint8_t> header; ///< everything up to and including the first 0x00 0x21 of 00 21 F9
    std::vector<GifFrame> frames;
};

/// Cuts an animated GIF into its frames without decoding or copying any
/// picture data. The header runs up to the 0x21 of the first graphic control
/// extension (found by the byte sequence 00 21 F9); every later 00 21 F9
/// starts the next frame. The last frame leaves off the file's final two
/// bytes (the image's block terminator and the trailer). Works on any bytes: a
/// short or corrupt file yields fewer or shorter frames, never a read out of
/// range. At most `maxFrames` frames are cut; the rest of the file is left.
///
/// Example: "GIF89a…" + NETSCAPE block + 00 | 21 F9 04 00 0A 00 00 00 2C … 00 | 21 F9 …
/// gives header "GIF89a…00 21", frame 0 "F9 04 00 0A 00 00 00 2C … 00 21" with a
/// delay of 100 ms.
GifSplit splitAnimatedGif(std::span<const std::uint8_t> file, std::size_t maxFrames = 1000);

} // namespace skillwright::screens

#include "GifSplit.h"

#include <algorithm>
#include <array>

namespace skillwright::screens {

namespace {

constexpr std::array<std::uint8_t, 3> kMarker{0x00, 0x21, 0xF9};
constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

/// 0-based index of the first marker at or after `from`, or kNotFound.
std::size_t findMarker(std::span<const std::uint8_t> s, std::size_t from) {
    if (from >= s.size()) {
        return kNotFound;
    }
    const auto it =
        std::search(s.begin() + static_cast<std::ptrdiff_t>(from), s.end(), kMarker.begin(), kMarker.end());
    return it == s.end() ? kNotFound : static_cast<std::size_t>(it - s.begin());
}

/// Byte k (counted from 1) of a frame, 0 where the frame is too short.
int byteAt(std::span<const std::uint8_t> f, std::size_t k) {
    return k <= f.size() ? f[k - 1] : 0;
}

GifFrame makeFrame(std::span<const std::uint8_t> s, std::size_t start, std::size_t count) {
    GifFrame frame;
    frame.bytes = s.subspan(start, std::min(s.size(), start + count) - start);
    const auto f = frame.bytes;
    // F9, size, flags, delay low, delay high, transparent index, 00, 2C, left, top, width, height.
    frame.delayMs = (byteAt(f, 4) + 256 * byteAt(f, 5)) * 10;
    frame.left = byteAt(f, 9) + 256 * byteAt(f, 10);
    frame.top = byteAt(f, 11) + 256 * byteAt(f, 12);
    frame.width = byteAt(f, 13) + 256 * byteAt(f, 14);
    frame.height = byteAt(f, 15) + 256 * byteAt(f, 16);
    return frame;
}

} // namespace

GifSplit splitAnimatedGif(std::span<const std::uint8_t> s, std::size_t maxFrames) {
    GifSplit result;
    // Positions below count from 0: p is the 0x00 of the first marker.
    const std::size_t p = findMarker(s, 0);
    const std::size_t headerLength = p == kNotFound ? std::min<std::size_t>(1, s.size()) : p + 2;
    result.header = s.first(headerLength);
    result.isGif = headerLength >= 3 && s[0] == 'G' && s[1] == 'I' && s[2] == 'F';
    if (!result.isGif) {
        return result;
    }

    // i is the byte after the 0xF9 that opens the current frame.
    std::size_t i = p + 3;
    while (result.frames.size() < maxFrames) {
        const std::size_t q = findMarker(s, i);
        if (q == kNotFound) {
            break;
        }
        const std::size_t j = q + 3;
        // From the 0xF9 up to and including the 0x21 of the next marker.
        result.frames.push_back(makeFrame(s, i - 1, j - i));
        i = j;
    }
    // The last frame: from its 0xF9 to the end, less the file's final two bytes.
    if (result.frames.size() < maxFrames && i < s.size() - 1) {
        result.frames.push_back(makeFrame(s, i - 1, s.size() - 1 - i));
    }
    return result;
}

} // namespace skillwright::screens

#pragma once

// Builds small animated GIFs byte by byte for the tests: a 2-colour global
// palette, an optional looping block, and per frame a graphic control
// extension followed by its image descriptor and valid LZW data.
#include <cstdint>
#include <string>
#include <vector>

namespace skillwright::testing {

struct TestFrame {
    int delayCs = 10;
    int left = 0;
    int top = 0;
    int width = 4;
    int height = 4;
    int dataPixels = -1; ///< pixels of picture data written; -1: width x height
};

inline void put16(std::vector<std::uint8_t>& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

/// LZW data for width x height pixels of colour `index` (minimum code size 2).
/// A clear code before every second pixel keeps every code 3 bits wide.
inline std::vector<std::uint8_t> lzwPixels(int count, int index) {
    std::vector<int> codes;
    for (int n = 0; n < count; ++n) {
        if (n % 2 == 0) {
            codes.push_back(4); // clear
        }
        codes.push_back(index);
    }
    codes.push_back(5); // end of information
    std::vector<std::uint8_t> packed;
    std::uint32_t acc = 0;
    int bits = 0;
    for (int c : codes) {
        acc |= static_cast<std::uint32_t>(c) << bits;
        bits += 3;
        while (bits >= 8) {
            packed.push_back(static_cast<std::uint8_t>(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0) {
        packed.push_back(static_cast<std::uint8_t>(acc & 0xFF));
    }
    std::vector<std::uint8_t> out{0x02};
    for (std::size_t i = 0; i < packed.size(); i += 255) {
        const std::size_t n = std::min<std::size_t>(255, packed.size() - i);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), packed.begin() + static_cast<std::ptrdiff_t>(i),
                   packed.begin() + static_cast<std::ptrdiff_t>(i + n));
    }
    out.push_back(0x00);
    return out;
}

/// A small first frame at the picture's corner, then `count` copies of `frame`.
inline std::vector<TestFrame> afterACornerFrame(TestFrame frame, int count) {
    std::vector<TestFrame> frames{{10, 0, 0, 2, 2}};
    frames.insert(frames.end(), static_cast<std::size_t>(count), frame);
    return frames;
}

inline std::vector<std::uint8_t> buildGif(const std::vector<TestFrame>& frames, bool loopBlock = true,
                                          int screenWidth = 8, int screenHeight = 8) {
    std::vector<std::uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
    put16(out, screenWidth);
    put16(out, screenHeight);
    out.insert(out.end(), {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xD0, 0x40});
    if (loopBlock) {
        const std::string app = "NETSCAPE2.0";
        out.insert(out.end(), {0x21, 0xFF, 0x0B});
        out.insert(out.end(), app.begin(), app.end());
        out.insert(out.end(), {0x03, 0x01, 0x00, 0x00, 0x00});
    }
    for (const TestFrame& f : frames) {
        out.insert(out.end(), {0x21, 0xF9, 0x04, 0x00});
        put16(out, f.delayCs);
        out.insert(out.end(), {0x00, 0x00, 0x2C});
        put16(out, f.left);
        put16(out, f.top);
        put16(out, f.width);
        put16(out, f.height);
        out.push_back(0x00);
        const auto data = lzwPixels(f.dataPixels >= 0 ? f.dataPixels : f.width * f.height, 1);
        out.insert(out.end(), data.begin(), data.end());
    }
    out.push_back(0x3B);
    return out;
}

} // namespace skillwright::testing

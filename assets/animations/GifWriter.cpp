#include "GifWriter.h"

#include <QColor>

#include <algorithm>
#include <array>

namespace skillwright::animations {

namespace {

void put16(std::vector<std::uint8_t>& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

QRgb mix(QRgb a, QRgb b, double t) {
    auto m = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return qRgb(m(qRed(a), qRed(b)), m(qGreen(a), qGreen(b)), m(qBlue(a), qBlue(b)));
}

/// LSB-first bit packer that cuts its output into GIF sub-blocks.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : m_out(out) {}
    void write(int code, int bits) {
        m_acc |= static_cast<std::uint32_t>(code) << m_count;
        m_count += bits;
        while (m_count >= 8) {
            pushByte(static_cast<std::uint8_t>(m_acc & 0xFF));
            m_acc >>= 8;
            m_count -= 8;
        }
    }
    void finish() {
        if (m_count > 0) {
            pushByte(static_cast<std::uint8_t>(m_acc & 0xFF));
        }
        flushBlock();
        m_out.push_back(0x00);
    }

private:
    void pushByte(std::uint8_t b) {
        m_block.push_back(b);
        if (m_block.size() == 255) {
            flushBlock();
        }
    }
    void flushBlock() {
        if (m_block.empty()) {
            return;
        }
        m_out.push_back(static_cast<std::uint8_t>(m_block.size()));
        m_out.insert(m_out.end(), m_block.begin(), m_block.end());
        m_block.clear();
    }
    std::vector<std::uint8_t>& m_out;
    std::vector<std::uint8_t> m_block;
    std::uint32_t m_acc = 0;
    int m_count = 0;
};

} // namespace

Palette::Palette() {
    m_colours.push_back(qRgb(0, 0, 0)); // transparent
    // Seventeen ramps of fifteen shades each, dark to light, for the art's materials.
    const std::array<QRgb, 17> bases{
        qRgb(128, 128, 128), // stone and shadow greys
        qRgb(150, 160, 175), // steel
        qRgb(120, 78, 40),   // leather
        qRgb(200, 150, 50),  // gold
        qRgb(205, 150, 115), // skin
        qRgb(160, 30, 25),   // blood red
        qRgb(235, 120, 30),  // fire
        qRgb(110, 50, 140),  // violet
        qRgb(60, 100, 200),  // ice blue
        qRgb(80, 200, 120),  // ghost green
        qRgb(220, 210, 180), // bone
        qRgb(40, 45, 80),    // night cloth
        qRgb(90, 25, 35),    // dark crimson cloth
        qRgb(150, 120, 95),  // fur
        qRgb(230, 220, 120), // holy light
        qRgb(90, 70, 50),    // dark wood
        qRgb(140, 60, 30),   // rust and hair
    };
    for (QRgb base : bases) {
        for (int s = 0; s < 15; ++s) {
            const double t = s / 14.0;
            m_colours.push_back(t < 0.6 ? mix(qRgb(8, 6, 6), base, t / 0.6)
                                        : mix(base, qRgb(255, 250, 235), (t - 0.6) / 0.4 * 0.8));
        }
    }
    while (m_colours.size() < 256) {
        m_colours.push_back(qRgb(0, 0, 0));
    }
}

std::uint8_t Palette::indexOf(QRgb colour) {
    colour |= 0xFF000000u;
    if (const auto it = m_cache.find(colour); it != m_cache.end()) {
        return it->second;
    }
    int best = 1;
    long bestDistance = -1;
    for (int i = 1; i < 256; ++i) {
        const QRgb c = m_colours[static_cast<std::size_t>(i)];
        const long dr = qRed(c) - qRed(colour);
        const long dg = qGreen(c) - qGreen(colour);
        const long db = qBlue(c) - qBlue(colour);
        const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDistance < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    const auto index = static_cast<std::uint8_t>(best);
    m_cache.emplace(colour, index);
    return index;
}

void appendLzwData(const std::vector<std::uint8_t>& indices, std::vector<std::uint8_t>& out) {
    constexpr int kMinCodeSize = 8;
    constexpr int kClear = 1 << kMinCodeSize;
    constexpr int kEnd = kClear + 1;
    out.push_back(kMinCodeSize);
    BitWriter bits(out);
    std::unordered_map<std::uint32_t, int> table;
    int next = kEnd + 1;
    int codeSize = kMinCodeSize + 1;
    bits.write(kClear, codeSize);
    if (indices.empty()) {
        bits.write(kEnd, codeSize);
        bits.finish();
        return;
    }
    int prefix = indices.front();
    for (std::size_t n = 1; n < indices.size(); ++n) {
        const int k = indices[n];
        const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8) | static_cast<std::uint32_t>(k);
        if (const auto it = table.find(key); it != table.end()) {
            prefix = it->second;
            continue;
        }
        bits.write(prefix, codeSize);
        if (next < 4096) {
            table.emplace(key, next++);
            // The reader widens its codes one entry later than we add them.
            if (next > (1 << codeSize) && codeSize < 12) {
                ++codeSize;
            }
        } else {
            bits.write(kClear, codeSize);
            table.clear();
            next = kEnd + 1;
            codeSize = kMinCodeSize + 1;
        }
        prefix = k;
    }
    bits.write(prefix, codeSize);
    bits.write(kEnd, codeSize);
    bits.finish();
}

std::vector<std::uint8_t> writeAnimatedGif(const std::vector<OutFrame>& frames, Palette& palette) {
    std::vector<std::uint8_t> out;
    const QSize size = frames.front().canvas.size();
    for (char c : {'G', 'I', 'F', '8', '9', 'a'}) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
    put16(out, size.width());
    put16(out, size.height());
    out.push_back(0xF7); // global table of 256 colours, 8 bits of colour resolution
    out.push_back(0x00); // background colour index
    out.push_back(0x00); // no aspect ratio
    for (QRgb c : palette.colours()) {
        out.push_back(static_cast<std::uint8_t>(qRed(c)));
        out.push_back(static_cast<std::uint8_t>(qGreen(c)));
        out.push_back(static_cast<std::uint8_t>(qBlue(c)));
    }
    // Loop for ever.
    const char* app = "NETSCAPE2.0";
    out.insert(out.end(), {0x21, 0xFF, 0x0B});
    out.insert(out.end(), app, app + 11);
    out.insert(out.end(), {0x03, 0x01, 0x00, 0x00, 0x00});

    for (const OutFrame& f : frames) {
        out.insert(out.end(), {0x21, 0xF9, 0x04, 0x09}); // restore to background, transparent colour
        put16(out, f.delayCs);
        out.push_back(0x00); // transparent index
        out.push_back(0x00);
        out.push_back(0x2C);
        put16(out, f.rect.x());
        put16(out, f.rect.y());
        put16(out, f.rect.width());
        put16(out, f.rect.height());
        out.push_back(0x00); // no local table, not interlaced
        std::vector<std::uint8_t> indices;
        indices.reserve(static_cast<std::size_t>(f.rect.width() * f.rect.height()));
        for (int y = f.rect.top(); y <= f.rect.bottom(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(f.canvas.constScanLine(y));
            for (int x = f.rect.left(); x <= f.rect.right(); ++x) {
                const QRgb px = line[x];
                indices.push_back(qAlpha(px) < 128 ? 0 : palette.indexOf(px));
            }
        }
        appendLzwData(indices, out);
    }
    out.push_back(0x3B);
    return out;
}

} // namespace skillwright::animations

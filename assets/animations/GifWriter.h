#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace skillwright::animations {

/// A 255-colour palette for dark fantasy art (index 0 is the transparent
/// colour) and a cached nearest-colour lookup.
class Palette {
public:
    Palette();
    [[nodiscard]] std::uint8_t indexOf(QRgb colour);
    [[nodiscard]] const std::vector<QRgb>& colours() const { return m_colours; }

private:
    std::vector<QRgb> m_colours;
    std::unordered_map<QRgb, std::uint8_t> m_cache;
};

/// One frame to write: the whole canvas is given; only `rect` of it is stored.
struct OutFrame {
    QImage canvas;   ///< ARGB32, the animation's full size
    QRect rect;      ///< the part of the canvas stored as this frame
    int delayCs = 0; ///< hundredths of a second
};

/// Writes an animated GIF89a: global palette, a NETSCAPE2.0 looping block,
/// then per frame a graphic control extension (transparent index 0) directly
/// followed by its image descriptor and LZW data.
std::vector<std::uint8_t> writeAnimatedGif(const std::vector<OutFrame>& frames, Palette& palette);

/// The GIF flavour of LZW over 8-bit indices, packed in sub-blocks of at most
/// 255 bytes and closed by the 0 block.
void appendLzwData(const std::vector<std::uint8_t>& indices, std::vector<std::uint8_t>& out);

} // namespace skillwright::animations

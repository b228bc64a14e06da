#include "GifBytes.h"

#include <screens/select/GifSplit.h>

#include <gtest/gtest.h>

#include <tuple>

using skillwright::screens::GifSplit;
using skillwright::screens::splitAnimatedGif;
using skillwright::testing::buildGif;
using Bytes = std::vector<std::uint8_t>;

namespace {

GifSplit split(const Bytes& b) {
    return splitAnimatedGif(b);
}

Bytes copy(std::span<const std::uint8_t> view) {
    return {view.begin(), view.end()};
}

/// Where frame k's bytes start in the file: at the 0xF9 of its k-th extension.
std::vector<std::size_t> extensionLabels(const Bytes& b) {
    std::vector<std::size_t> at;
    for (std::size_t i = 2; i < b.size(); ++i) {
        if (b[i - 2] == 0x00 && b[i - 1] == 0x21 && b[i] == 0xF9) {
            at.push_back(i);
        }
    }
    return at;
}

// The header runs to the first extension's introducer; each frame from its
// extension's label to the next one's introducer, the last less the two
// closing bytes.
TEST(GifSplit, eachFrameRunsToTheNextExtensionsIntroducerAndTheLastLessTwoBytes) {
    const Bytes gif = buildGif({{10, 0, 0}, {0, 300, 7, 2, 3}, {65535, 1, 2}, {3, 0, 0}});
    const GifSplit s = split(gif);
    ASSERT_TRUE(s.isGif);
    ASSERT_EQ(s.frames.size(), 4u);
    auto labels = extensionLabels(gif);
    EXPECT_EQ(copy(s.header), Bytes(gif.begin(), gif.begin() + static_cast<std::ptrdiff_t>(labels[0])));
    labels.push_back(gif.size() - 2); // the last frame's end
    // Delays in milliseconds, zero kept as zero; offsets with their high bytes.
    const struct {
        int delayMs, left, top, width, height;
    } expected[] = {{100, 0, 0, 4, 4}, {0, 300, 7, 2, 3}, {655350, 1, 2, 4, 4}, {30, 0, 0, 4, 4}};
    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(copy(s.frames[k].bytes), Bytes(gif.begin() + static_cast<std::ptrdiff_t>(labels[k]),
                                                 gif.begin() + static_cast<std::ptrdiff_t>(labels[k + 1])));
        const auto& e = expected[k];
        const auto& f = s.frames[k];
        EXPECT_EQ(std::tie(f.delayMs, f.left, f.top, f.width, f.height),
                  std::tie(e.delayMs, e.left, e.top, e.width, e.height));
    }

    // A cap keeps the first frames as they were and leaves the rest.
    const GifSplit capped = splitAnimatedGif(gif, 2);
    ASSERT_EQ(capped.frames.size(), 2u);
    EXPECT_EQ(capped.frames[1].bytes.data(), s.frames[1].bytes.data());
    EXPECT_EQ(capped.frames[1].bytes.size(), s.frames[1].bytes.size());
}

TEST(GifSplit, refusesWhatIsNotAGif) {
    Bytes png = buildGif({{10, 0, 0}});
    png[0] = 0x89;
    png[1] = 'P';
    png[2] = 'N';
    const struct {
        const char* name;
        Bytes bytes;
        std::size_t headerSize;
    } cases[] = {
        {"other signature", png, extensionLabels(png).at(0)},
        // Without any graphic control extension the header is the first byte alone.
        {"no extension", buildGif({}, true), 1},
        {"no marker, no loop block", Bytes{'G', 'I', 'F', '8', '9', 'a', 0x21, 0xF9}, 1},
        {"empty file", Bytes{}, 0},
        {"two letters", Bytes{'G', 'I'}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const GifSplit s = split(c.bytes);
        EXPECT_FALSE(s.isGif);
        EXPECT_EQ(s.header.size(), c.headerSize);
        EXPECT_TRUE(s.frames.empty());
    }
}

TEST(GifSplit, truncatedFile_yieldsShorterFramesAndNoOverrun) {
    const Bytes gif = buildGif({{10, 0, 0}, {20, 2, 3}, {30, 4, 5}});
    const auto labels = extensionLabels(gif);
    const struct {
        const char* name;
        std::size_t cut;
        std::size_t frames;
        int lastDelay;
        int lastLeft;
    } cases[] = {
        {"in the middle of frame 2's picture data", labels[1] + 20, 2, 200, 2},
        {"inside frame 2's delay", labels[1] + 4, 2, 0, 0},
        {"right after frame 2's marker", labels[1] + 1, 1, 100, 0},
        {"at frame 2's marker", labels[1] - 1, 1, 100, 0},
        {"just after the header", labels[0] + 1, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes cut(gif.begin(), gif.begin() + static_cast<std::ptrdiff_t>(c.cut));
        const GifSplit s = split(cut);
        EXPECT_TRUE(s.isGif);
        ASSERT_EQ(s.frames.size(), c.frames);
        if (c.frames > 0) {
            EXPECT_EQ(s.frames.back().delayMs, c.lastDelay);
            EXPECT_EQ(s.frames.back().left, c.lastLeft);
        }
    }
}

} // namespace

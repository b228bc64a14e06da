// Feeds arbitrary bytes to the animation splitter and checks what it promises:
// no read out of range, and every frame is a slice of the input that starts at
// a graphic control extension label.
#include <screens/select/GifSplit.h>

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const auto split = skillwright::screens::splitAnimatedGif(file);
    if (split.header.size() > size) {
        std::abort();
    }
    std::size_t total = split.header.size();
    for (const auto& frame : split.frames) {
        if (frame.bytes.empty() || frame.bytes.front() != 0xF9 || frame.delayMs < 0 ||
            frame.delayMs > 655350) {
            std::abort();
        }
        total += frame.bytes.size();
    }
    // The slices never overlap: each 0xF9 was counted once.
    if (total > size) {
        std::abort();
    }
    return 0;
}

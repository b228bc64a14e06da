// Feeds arbitrary bytes to the animation loader: the splitter, the plan that
// keeps frames within their limits, and the decode-and-crop step of every
// frame kept. Checks what they promise: no read out of range, every frame a
// slice of the input starting at a graphic control extension label, the
// plan within its limits, and every decoded picture of its planned size.
// Run with a memory limit (./fuzz does): a loader that held more than its
// limits would break it.
#include <screens/select/AnimationFrames.h>
#include <screens/select/GifSplit.h>

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

using namespace skillwright::screens;

namespace {

void checkSplit(std::span<const std::uint8_t> file) {
    const GifSplit split = splitAnimatedGif(file);
    std::size_t total = split.header.size();
    for (const GifFrame& frame : split.frames) {
        if (frame.bytes.empty() || frame.bytes.front() != 0xF9 || frame.delayMs < 0 ||
            frame.delayMs > 655350 || frame.bytes.data() < file.data() ||
            frame.bytes.data() + frame.bytes.size() > file.data() + file.size()) {
            std::abort();
        }
        total += frame.bytes.size();
    }
    // The slices never overlap: each 0xF9 was counted once.
    if (total > file.size()) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    checkSplit(file);

    static const AnimationLimits limits;
    const AnimationPlan plan = planAnimation(file, limits);
    if (plan.frames.size() > limits.frames) {
        std::abort();
    }
    // Every decoded picture is held to the end, as the start screen holds
    // them, so that the memory limit sees what a whole animation costs.
    std::vector<QImage> held;
    std::int64_t cost = 0;
    for (const PlannedFrame& frame : plan.frames) {
        cost += frame.cost();
        held.push_back(decodeFrame(frame));
        if (!held.back().isNull() && held.back().size() != frame.size) {
            std::abort();
        }
    }
    if (cost > limits.pictureBytes) {
        std::abort();
    }
    return 0;
}

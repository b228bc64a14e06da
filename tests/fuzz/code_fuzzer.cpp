// Feeds arbitrary bytes to the build code reader and replays what opens
// through the rules; aborts on a broken promise.
#include "CodePromises.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!skillwright::testing::codeKeepsItsPromises(
            std::string_view(reinterpret_cast<const char*>(data), size))) {
        std::abort();
    }
    return 0;
}

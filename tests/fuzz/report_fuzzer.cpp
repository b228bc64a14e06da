// Feeds arbitrary bytes to the report reader and replays what it reads into
// a build, as opening a character does; aborts on a broken promise.
#include "ReportPromises.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!skillwright::testing::reportKeepsItsPromises(
            std::string_view(reinterpret_cast<const char*>(data), size))) {
        std::abort();
    }
    return 0;
}

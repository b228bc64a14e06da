#pragma once

#include <cstdint>
#include <string>

namespace skillwright::screens {

/// A plan that left the screen unsaved, as the start screen offers it.
struct ContinueChoice {
    std::uint64_t number = 0;
    std::string text; ///< "Continue: Sorceress, level 57, unsaved, 5 minutes ago"

    friend bool operator==(const ContinueChoice&, const ContinueChoice&) = default;
};

} // namespace skillwright::screens

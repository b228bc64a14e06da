#pragma once

#include <model/Catalogue.h>
#include <model/History.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace skillwright::model {

/// A plan: a class and the points of its character in the order they were
/// obtained, with the name it was saved or opened under. A value that exists
/// apart from any screen: it is copied, compared, written to a report or a
/// code, and turned into a build by replaying it through the rules
/// (Build::replay).
struct Plan {
    ClassId classId = ClassId::Necromancer;
    std::vector<HistoryEntry> history;
    std::string name; ///< UTF-8; empty when it has none

    friend bool operator==(const Plan&, const Plan&) = default;
};

/// The character level a plan reaches: one level-up per ordinary point and
/// per point reserved for later, from level 1.
[[nodiscard]] inline std::int16_t levelReached(const Plan& plan) {
    const auto levelUps = std::count_if(plan.history.begin(), plan.history.end(),
                                        [](const HistoryEntry& e) { return raisesLevel(e.kind); });
    return static_cast<std::int16_t>(levelUps + 1);
}

/// Where a replay stopped: the first entry the rules refused or recorded
/// differently, and why, in words the player reads. The build then holds
/// exactly the entries before it.
struct ReplayStop {
    std::size_t entry = 0; ///< index in the plan's history
    std::string reason;

    friend bool operator==(const ReplayStop&, const ReplayStop&) = default;
};

} // namespace skillwright::model

// A build as one comparable text, for tests that check what an action must
// leave untouched.
#pragma once

#include <model/Build.h>
#include <model/Catalogue.h>
#include <model/History.h>

#include <sstream>
#include <string>
#include <vector>

namespace skillwright::testing {

/// The texts of the build's history list, the newest last.
inline std::vector<std::string> historyTexts(const model::Build& b) {
    std::vector<std::string> texts;
    for (const model::HistoryEntry& e : b.plan().history) {
        texts.push_back(model::formatEntry(e));
    }
    return texts;
}

/// Levels, reserve, quest points, every count and the history (not the
/// right-clicked skill's points, which the next right click renews).
inline std::string describe(const model::Build& b) {
    std::ostringstream s;
    const model::BuildState& state = b.state();
    s << state.levelsGained << ' ' << state.reservedPoints << '|';
    for (const std::int16_t count : state.questCounts) {
        s << count << ' ';
    }
    for (const auto& tree : state.points) {
        for (const std::int16_t points : tree) {
            s << points << ',';
        }
    }
    for (const std::string& text : historyTexts(b)) {
        s << text << '\n';
    }
    return s.str();
}

} // namespace skillwright::testing

// A build as one comparable text, for tests that check what an action must
// leave untouched.
#pragma once

#include <model/Build.h>
#include <model/Catalogue.h>
#include <model/History.h>

#include <sstream>
#include <string>

namespace skillwright::testing {

/// Levels, reserve, quest points, every count and the history (not the
/// right-clicked skill's points, which the next right click renews).
inline std::string describe(const model::Build& b) {
    std::ostringstream s;
    s << b.levelsGained() << ' ' << b.reservedPoints() << ' ' << b.questCount(model::Quest::DenOfEvil) << ' '
      << b.questCount(model::Quest::BookOfSkill) << ' ' << b.questCount(model::Quest::Izual) << '|';
    if (const model::Character* screen = b.character()) {
        for (int t = 0; t < 3; ++t) {
            for (int i = 0; i < model::kSkillsPerTree; ++i) {
                s << screen->pointsAt(t, i) << ',';
            }
        }
        for (const model::HistoryEntry& e : screen->history()) {
            s << model::formatEntry(e) << '\n';
        }
    }
    return s.str();
}

} // namespace skillwright::testing

// What the tests of a random fill share: draws that make it predictable and
// a count of how often it said it was done.
#pragma once

#include <toolkit/ScriptedToolkit.h>

#include <algorithm>
#include <array>
#include <memory>

namespace skillwright::testing {

/// Draws that take the first skill of each tree in turn (a tree drawn as
/// 1, 15, 25 of 30, then skill 0 of 10): every one of them opens at level 1,
/// so the first 60 generated points are all taken.
inline void firstSkillsInTurn(toolkit::ScriptedToolkit& toolkit) {
    auto n = std::make_shared<int>(0);
    toolkit.randomSource = [n] {
        const int k = (*n)++;
        return k % 2 == 1 ? 0.05 : std::array{0.01, 0.49, 0.83}[static_cast<std::size_t>((k / 2) % 3)];
    };
}

/// How many times a fill said it had completed.
inline int closingMessages(const toolkit::ScriptedToolkit& toolkit) {
    return static_cast<int>(std::ranges::count_if(
        toolkit.messages, [](const auto& m) { return m.title == "Generation Complete"; }));
}

} // namespace skillwright::testing

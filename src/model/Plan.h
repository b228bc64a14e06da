#pragma once

#include <model/Attributes.h>
#include <model/Catalogue.h>
#include <model/History.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skillwright::model {

/// A named moment of a plan: the stage it reached right after history entry
/// `entry` ("Den of Evil done", "Nightmare"), with a note of its own.
struct Milestone {
    std::size_t entry = 0;
    std::string name; ///< one line of UTF-8, never empty
    std::string note; ///< UTF-8, lines ended by LF; may be empty

    friend bool operator==(const Milestone&, const Milestone&) = default;
};

/// A goal of a plan: the points a skill should end with (1 to 20). A plan's
/// targets come in their priority, the first served first.
struct Target {
    SkillRef skill{};
    std::int16_t points = 0;

    friend bool operator==(const Target&, const Target&) = default;
};

/// A note holds at most this many bytes, and a milestone's name this many.
inline constexpr std::size_t kMaxNoteBytes = 64 * 1024;
inline constexpr std::size_t kMaxMilestoneNameBytes = 200;

/// A plan: a class and the points of its character in the order they were
/// obtained, with the name it was saved or opened under, the player's note,
/// the milestones of its stages and how its stat points are placed. A value that exists apart from any
/// screen: it is copied, compared, written to a report or a code, and turned
/// into a build by replaying it through the rules (Build::replay), which
/// takes its class, history and name.
struct Plan {
    ClassId classId = ClassId::Necromancer;
    std::vector<HistoryEntry> history;
    std::string name;                    ///< UTF-8; empty when it has none
    std::string note{};                  ///< UTF-8, lines ended by LF; empty when it has none
    std::vector<Milestone> milestones{}; ///< by entry, at most one an entry
    std::vector<Target> targets{};       ///< by priority, at most one a skill
    // ---- attributes ----
    AttributePlan attributes{}; ///< how the stat points are placed; empty for a plan without

    friend bool operator==(const Plan&, const Plan&) = default;
};

/// Why `note` cannot be a note (or a milestone's): more than kMaxNoteBytes,
/// not UTF-8, or a control character other than a line end or a tab.
[[nodiscard]] std::optional<std::string> noteProblem(std::string_view note);
/// Why `name` cannot name a milestone: empty, longer than
/// kMaxMilestoneNameBytes, not UTF-8, or holding a control character.
[[nodiscard]] std::optional<std::string> milestoneNameProblem(std::string_view name);
/// Why `milestones` cannot be those of a history of `entries` entries: one
/// on an entry that is not there, two on one entry, out of order, or a bad
/// name or note. Told with the milestone's name.
[[nodiscard]] std::optional<std::string> milestonesProblem(const std::vector<Milestone>& milestones,
                                                           std::size_t entries);
/// Why `targets` cannot be those of a plan of `classId`: a skill of another
/// class, fewer than 1 or more than 20 points, or two on one skill.
[[nodiscard]] std::optional<std::string> targetsProblem(const std::vector<Target>& targets, ClassId classId);
/// The milestone on `entry`, if any.
[[nodiscard]] const Milestone* milestoneAt(const std::vector<Milestone>& milestones, std::size_t entry);
/// The milestones after an edit of the history: each goes with its entry to
/// the entry's new place (`origins`: for each entry after the edit, its index
/// before), and goes when its entry goes.
void followEntries(std::vector<Milestone>& milestones, const std::vector<std::size_t>& origins);

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

#pragma once

#include <model/Catalogue.h>
#include <model/History.h>
#include <model/Plan.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skillwright::model {

/// How the plan on screen differs from a reference: another plan of its
/// class, held beside it to compare with.
struct Comparison {
    /// Per skill, by its tree's place on the screen (0 left, 1 middle,
    /// 2 right) and its index: the points the plan on screen holds minus the
    /// reference's. +3: three more on screen.
    std::array<std::array<std::int16_t, kSkillsPerTree>, 3> difference{};
    /// The points in which the two differ, either way: the sum of the
    /// differences without their signs.
    int pointsDiffering = 0;
    /// The points a respec of the plan on screen into the reference moves:
    /// the sum of the positive differences.
    int respecPoints = 0;
    /// The first history entry in which the two part: the first that differs,
    /// or the first that one of them holds and the other lacks. None when the
    /// histories are the same.
    std::optional<std::size_t> partingEntry;
    /// The character level at which the two part: the lower of the levels
    /// their parting entries are taken at (a history that lacks the entry has
    /// no say). 0 when they do not part.
    std::int16_t partingLevel = 0;

    [[nodiscard]] std::int16_t differenceAt(int position, int index) const {
        return difference[static_cast<std::size_t>(position)][static_cast<std::size_t>(index)];
    }
    friend bool operator==(const Comparison&, const Comparison&) = default;
};

/// Compares two histories of one class, the plan on screen's first. The
/// points of a skill are counted from the entries that put a point into it.
Comparison compare(std::span<const HistoryEntry> shown, std::span<const HistoryEntry> reference);

/// The character level an entry is taken at: the level it reaches for an
/// ordinary point or one reserved for later, else the level the entries
/// before it reached (`levelBefore`).
[[nodiscard]] std::int16_t levelTakenAt(const HistoryEntry& entry, std::int16_t levelBefore);

/// How many of the reference's first entries stand at the same moment as
/// `shownPast`, an earlier state of the plan on screen: every entry below
/// the character level `shownPast` ends at, and of those at that level as
/// many as `shownPast` holds. Two histories that agree so far are cut at the
/// same length.
std::size_t entriesAtSameMoment(std::span<const HistoryEntry> shownPast,
                                std::span<const HistoryEntry> reference);

/// The line that sums a comparison up, naming the reference, e.g.
/// Compared with "Frost Witch": 6 points differ, the plans part at Clvl 12,
/// a respec moves 3 points.
std::string comparisonSummary(const Comparison& comparison, std::string_view referenceName);

/// Where the stages of a plan fall, by the character level each milestone
/// is reached at: "Its stages: Act 1 at Clvl 12; Nightmare at Clvl 40.";
/// empty for a plan without milestones.
std::string stagesText(const Plan& plan);

/// Where the stages of `reference` fall beside `history`: for each of its
/// milestones, the last entry of `history` at or below the level the
/// milestone is reached at, with the milestone's name; none beyond the
/// history's end or before its first entry.
std::vector<std::pair<std::size_t, std::string>> stagesBeside(std::span<const HistoryEntry> history,
                                                              const Plan& reference);

} // namespace skillwright::model

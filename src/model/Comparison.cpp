#include "Comparison.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace skillwright::model {

namespace {

using Points = std::array<std::array<std::int16_t, kSkillsPerTree>, 3>;

void countPoints(std::span<const HistoryEntry> history, Points& points, int sign) {
    for (const HistoryEntry& entry : history) {
        if (entry.hasSkill()) {
            points[static_cast<std::size_t>(tree(entry.skill.tree).position)]
                  [static_cast<std::size_t>(entry.skill.index)] += static_cast<std::int16_t>(sign);
        }
    }
}

} // namespace

std::int16_t levelTakenAt(const HistoryEntry& entry, std::int16_t levelBefore) {
    return raisesLevel(entry.kind) ? entry.characterLevel : levelBefore;
}

Comparison compare(std::span<const HistoryEntry> shown, std::span<const HistoryEntry> reference) {
    Comparison result;
    countPoints(shown, result.difference, +1);
    countPoints(reference, result.difference, -1);
    for (const auto& tree : result.difference) {
        for (const std::int16_t d : tree) {
            result.pointsDiffering += std::abs(d);
            result.respecPoints += std::max<int>(d, 0);
        }
    }

    std::int16_t shownLevel = 1;
    std::int16_t referenceLevel = 1;
    const std::size_t common = std::min(shown.size(), reference.size());
    std::size_t entry = 0;
    for (; entry < common && shown[entry] == reference[entry]; ++entry) {
        shownLevel = levelTakenAt(shown[entry], shownLevel);
        referenceLevel = shownLevel;
    }
    if (entry == shown.size() && entry == reference.size()) {
        return result;
    }
    result.partingEntry = entry;
    std::int16_t level = std::numeric_limits<std::int16_t>::max();
    if (entry < shown.size()) {
        level = std::min(level, levelTakenAt(shown[entry], shownLevel));
    }
    if (entry < reference.size()) {
        level = std::min(level, levelTakenAt(reference[entry], referenceLevel));
    }
    result.partingLevel = level;
    return result;
}

std::size_t entriesAtSameMoment(std::span<const HistoryEntry> shownPast,
                                std::span<const HistoryEntry> reference) {
    std::int16_t level = 1;
    std::size_t atLevel = 0; // entries of shownPast taken at its last level
    for (const HistoryEntry& entry : shownPast) {
        const std::int16_t taken = levelTakenAt(entry, level);
        atLevel = taken == level ? atLevel + 1 : 1;
        level = taken;
    }
    std::int16_t referenceLevel = 1;
    std::size_t takenAtLevel = 0;
    std::size_t cut = 0;
    for (; cut < reference.size(); ++cut) {
        referenceLevel = levelTakenAt(reference[cut], referenceLevel);
        if (referenceLevel > level || (referenceLevel == level && takenAtLevel++ == atLevel)) {
            break;
        }
    }
    return cut;
}

std::string comparisonSummary(const Comparison& comparison, std::string_view referenceName) {
    std::string text = "Compared with \"";
    text += referenceName;
    text += "\": ";
    if (!comparison.partingEntry) {
        return text + "the same plan.";
    }
    const auto count = [](int n, const char* one, const char* many) {
        return std::to_string(n) + (n == 1 ? one : many);
    };
    text += count(comparison.pointsDiffering, " point differs", " points differ");
    text += ", the plans part at Clvl " + std::to_string(comparison.partingLevel);
    text += ", a respec moves " + count(comparison.respecPoints, " point.", " points.");
    return text;
}

std::vector<std::pair<std::size_t, std::string>> stagesBeside(std::span<const HistoryEntry> history,
                                                              const Plan& reference) {
    std::vector<int> levels; // after each entry of `history`
    int level = 1;
    for (const HistoryEntry& entry : history) {
        level += raisesLevel(entry.kind) ? 1 : 0;
        levels.push_back(level);
    }
    std::vector<std::pair<std::size_t, std::string>> stages;
    int referenceLevel = 1;
    std::size_t next = 0;
    for (std::size_t i = 0; i < reference.history.size() && next < reference.milestones.size(); ++i) {
        referenceLevel += raisesLevel(reference.history[i].kind) ? 1 : 0;
        if (reference.milestones[next].entry != i) {
            continue;
        }
        const auto after = std::upper_bound(levels.begin(), levels.end(), referenceLevel);
        if (after != levels.begin() && (after != levels.end() || levels.back() == referenceLevel)) {
            stages.emplace_back(static_cast<std::size_t>(after - levels.begin()) - 1,
                                reference.milestones[next].name);
        }
        ++next;
    }
    return stages;
}

std::string stagesText(const Plan& plan) {
    std::string text;
    int level = 1;
    std::size_t next = 0;
    for (std::size_t i = 0; i < plan.history.size() && next < plan.milestones.size(); ++i) {
        level += raisesLevel(plan.history[i].kind) ? 1 : 0;
        if (plan.milestones[next].entry == i) {
            text += (text.empty() ? "Its stages: " : "; ") + plan.milestones[next++].name + " at Clvl " +
                    std::to_string(level);
        }
    }
    return text.empty() ? text : text + ".";
}

} // namespace skillwright::model

#pragma once

#include <model/History.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skillwright::report {

/// The line that frames the report's header and its end: 45 hyphens.
inline constexpr std::string_view kRuleLine = "---------------------------------------------";

/// The report's whole text, every line ended by CR LF (the last one too).
///
/// An empty history gives eleven lines:
///   "No Skills selected, Empty character", "", name, "Class: <class>",
///   "Level: 1", rule, "", "Clvl 1 Slvl 0: Starting Level", "", "", rule
/// A history of n entries gives n + 8 lines: the header without the two
/// "empty character" lines, the starting level line, the entries verbatim
/// (trailing blanks kept), "", rule.
std::string buildReportText(std::string_view name, std::string_view className, std::int16_t levelsGained,
                            const std::vector<model::HistoryEntry>& history);

} // namespace skillwright::report

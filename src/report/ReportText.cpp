#include "ReportText.h"

namespace skillwright::report {

namespace {

constexpr std::string_view kNewLine = "\r\n";

void line(std::string& out, std::string_view text) {
    out += text;
    out += kNewLine;
}

} // namespace

std::string buildReportText(std::string_view name, std::string_view className, std::int16_t levelsGained,
                            const std::vector<model::HistoryEntry>& history) {
    std::string out;
    out.reserve(256 + name.size() + 48 * history.size());

    if (history.empty()) {
        line(out, "No Skills selected, Empty character");
        line(out, "");
    }
    line(out, name);
    out += "Class: ";
    line(out, className);
    line(out, "Level: " + std::to_string(levelsGained + 1));
    line(out, kRuleLine);
    line(out, "");
    line(out, "Clvl 1 Slvl 0: Starting Level");
    for (const model::HistoryEntry& entry : history) {
        model::appendEntry(out, entry);
        out += kNewLine;
    }
    if (history.empty()) {
        // Nothing is selected in an empty list, so its "last entry" is empty.
        line(out, "");
    }
    line(out, "");
    line(out, kRuleLine);
    return out;
}

} // namespace skillwright::report

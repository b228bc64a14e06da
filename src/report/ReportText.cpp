#include "ReportText.h"

namespace skillwright::report {

namespace {

constexpr std::string_view kNewLine = "\r\n";

void line(std::string& out, std::string_view text) {
    out += text;
    out += kNewLine;
}

/// Length of the UTF-8 sequence that starts with `lead`, or 0 for a byte that
/// cannot start one.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
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

std::string toLatin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = sequenceLength(lead);
        if (length == 1) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size()) {
            out += '?';
            ++i;
            continue;
        }
        char32_t code = lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong three- and four-byte forms, surrogates and values past U+10FFFF are malformed.
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (!valid || overlong || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
            out += '?';
            ++i;
            continue;
        }
        out += code <= 0xFF ? static_cast<char>(code) : '?';
        i += static_cast<std::size_t>(length);
    }
    return out;
}

} // namespace skillwright::report

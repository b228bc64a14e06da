#include "ReportReader.h"

#include "ReportText.h"

#include <toolkit/RegularFile.h>
#include <toolkit/ShownText.h>

#include <charconv>
#include <cstring>

namespace skillwright::report {

namespace {

constexpr std::string_view kEmptyCharacter = "No Skills selected, Empty character";
constexpr std::string_view kClassPrefix = "Class: ";
constexpr std::string_view kLevelPrefix = "Level: ";
constexpr std::string_view kStartingLevel = "Clvl 1 Slvl 0: Starting Level";
constexpr std::string_view kNewLine = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string notAReportText(std::string_view why) {
    return "This file is not a character report: " + std::string(why);
}

ReportReading notAReport(std::string_view why) {
    return {std::nullopt, notAReportText(why)};
}

bool validUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int length = 0;
        unsigned minimum = 0;
        unsigned code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1Fu;
            minimum = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0Fu;
            minimum = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07u;
            minimum = 0x10000;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(length) > s.size()) {
            return false;
        }
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0u) != 0x80u) {
                return false;
            }
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}

/// The text's lines without their ends; nothing when the text does not end
/// with a line end.
std::optional<std::vector<std::string_view>> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(end + 1);
    }
    return lines;
}

/// The most characters of a line from the file that a message quotes.
constexpr std::size_t kMaxQuotedCharacters = 80;

std::string lineLabel(int number, std::string_view text) {
    return "Line " + std::to_string(number) + ": " + toolkit::shortenedText(text, kMaxQuotedCharacters);
}

} // namespace

std::string asUtf8(std::string_view bytes) {
    if (validUtf8(bytes)) {
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::optional<std::string> readReportBytes(const std::string& path, std::string& bytes) {
    toolkit::FileRead read = toolkit::readRegularFile(path, static_cast<std::int64_t>(kMaxReportBytes));
    const std::string why = read.error != 0 ? std::string(std::strerror(read.error)) + "." : std::string();
    switch (read.outcome) {
    case toolkit::FileRead::Outcome::Read:
        bytes = std::move(read.bytes);
        return std::nullopt;
    case toolkit::FileRead::Outcome::NotOpened:
        return "This file cannot be opened: " + (why.empty() ? "its name is empty or not valid." : why);
    case toolkit::FileRead::Outcome::NotRead:
        return "This file cannot be read: " + why;
    case toolkit::FileRead::Outcome::Folder:
        return notAReportText("it is a folder.");
    case toolkit::FileRead::Outcome::NotRegular:
        return notAReportText("it is a pipe or a device, not a file.");
    case toolkit::FileRead::Outcome::TooLarge:
        break;
    }
    return notAReportText("it is larger than 1 MiB.");
}

ReportReading parseReport(std::string_view bytes) {
    // Some editors begin a UTF-8 file with a byte-order mark; it is no part of the first line.
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    if (bytes.find('\0') != std::string_view::npos) {
        return notAReport("it holds binary data.");
    }
    const std::string text = asUtf8(bytes);
    const auto split = splitLines(text);
    if (!split || split->empty()) {
        return notAReport("it does not end as a report ends.");
    }
    const std::vector<std::string_view>& lines = *split;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() > kMaxLineBytes) {
            return notAReport("its line " + std::to_string(i + 1) + " is longer than a report's lines.");
        }
    }
    // The empty character's report opens with two lines of its own.
    const bool empty = lines.size() == 11 && lines[0] == kEmptyCharacter && lines[1].empty() &&
                       lines[3].starts_with(kClassPrefix);
    const std::size_t header = empty ? 2 : 0;
    if (lines.size() < header + 8 || !lines[header + 1].starts_with(kClassPrefix)) {
        return notAReport("it has no \"Class: \" line.");
    }
    Report report;
    report.name = std::string(lines[header]);
    const std::string_view className = lines[header + 1].substr(kClassPrefix.size());
    bool known = false;
    for (const model::ClassInfo& c : model::classes()) {
        if (c.name == className) {
            report.classId = c.id;
            known = true;
        }
    }
    if (!known) {
        return notAReport(std::string("\"").append(toolkit::shortenedText(className, kMaxQuotedCharacters)) +
                          "\" is not one of the five classes.");
    }
    const std::string_view levelText = lines[header + 2];
    report.levelLine = static_cast<int>(header) + 3;
    const std::string_view digits =
        levelText.starts_with(kLevelPrefix) ? levelText.substr(kLevelPrefix.size()) : std::string_view{};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), report.level);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return notAReport("its third line is not a \"Level: \" line.");
    }
    const std::size_t last = lines.size() - 1;
    if (lines[header + 3] != kRuleLine || !lines[header + 4].empty() || lines[header + 5] != kStartingLevel ||
        lines[last] != kRuleLine || !lines[last - 1].empty()) {
        return notAReport("its lines are not laid out as a report's.");
    }
    if (empty) {
        if (!lines[8].empty()) {
            return notAReport("its lines are not laid out as a report's.");
        }
        return {std::move(report), {}};
    }
    for (std::size_t i = header + 6; i + 1 < last; ++i) {
        report.entries.push_back({static_cast<int>(i) + 1, std::string(lines[i])});
    }
    if (report.entries.empty()) {
        return notAReport("its lines are not laid out as a report's.");
    }
    return {std::move(report), {}};
}

ReportReading readReport(const std::string& path) {
    std::string bytes;
    if (auto error = readReportBytes(path, bytes)) {
        return {std::nullopt, std::move(*error)};
    }
    return parseReport(bytes);
}

std::optional<std::string> replayReport(model::Build& build, const Report& report) {
    const model::TreeScreen* screen = build.screen();
    if (screen == nullptr || screen->classId() != report.classId) {
        return std::string("The character's class screen is not open.");
    }
    std::string recorded;
    for (const ReportLine& line : report.entries) {
        const model::ParsedEntry parsed = model::parseEntry(line.text, report.classId);
        if (!parsed.entry) {
            return lineLabel(line.number, line.text) + std::string(kNewLine) + parsed.error;
        }
        const model::PointResult result = build.replay(*parsed.entry);
        if (!result.accepted()) {
            const std::string why = model::refusalText(result);
            return lineLabel(line.number, line.text) + std::string(kNewLine) +
                   (why.empty() ? std::string("The planner cannot take this point.") : why);
        }
        recorded.clear();
        model::appendEntry(recorded, build.screen()->history().back());
        if (recorded != line.text) {
            return lineLabel(line.number, line.text) + std::string(kNewLine) +
                   "The planner records this point as \"" + recorded + "\".";
        }
    }
    if (build.characterLevel() != report.level) {
        return lineLabel(report.levelLine, "Level: " + std::to_string(report.level)) + std::string(kNewLine) +
               "The points above reach level " + std::to_string(build.characterLevel()) + ".";
    }
    return std::nullopt;
}

} // namespace skillwright::report

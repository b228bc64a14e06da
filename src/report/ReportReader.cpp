#include "ReportReader.h"

#include "ReportText.h"

#include <model/Goals.h>
#include <model/PlainText.h>
#include <toolkit/RegularFile.h>
#include <toolkit/ShownText.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <span>

namespace skillwright::report {

namespace {

constexpr std::string_view kNotLaidOut = "its lines are not laid out as a report's.";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
/// The most characters of a line from the file that a message quotes.
constexpr std::size_t kMaxQuotedCharacters = 80;

std::string notAReportText(std::string_view why) {
    return "This file is not a character report: " + std::string(why);
}

ReportReading notAReport(std::string_view why) {
    return {std::nullopt, notAReportText(why)};
}

/// "Line N: text" CR LF and why.
std::string lineProblem(int number, std::string_view text, std::string_view why) {
    return "Line " + std::to_string(number) + ": " + toolkit::quotedText(text, kMaxQuotedCharacters) +
           std::string(kLineEnd) + std::string(why);
}

/// Reads the one-line part `part` of a report from `line` (number `number`)
/// into `report`; says why when the line is not that part.
std::optional<std::string> readPart(ReportPart part, std::string_view line, Report& report, int number) {
    switch (part) {
    case ReportPart::EmptyCharacter:
        return line == kEmptyCharacterLine ? std::nullopt : std::optional<std::string>(kNotLaidOut);
    case ReportPart::Blank:
        return line.empty() ? std::nullopt : std::optional<std::string>(kNotLaidOut);
    case ReportPart::Name:
        report.plan.name = std::string(line);
        return std::nullopt;
    case ReportPart::ClassLine: {
        if (!line.starts_with(kClassPrefix)) {
            return "it has no \"Class: \" line.";
        }
        const std::string_view className = line.substr(kClassPrefix.size());
        for (const model::ClassInfo& c : model::classes()) {
            if (c.name == className) {
                report.plan.classId = c.id;
                return std::nullopt;
            }
        }
        return std::string("\"").append(toolkit::quotedText(className, kMaxQuotedCharacters)) +
               "\" is not one of the five classes.";
    }
    case ReportPart::LevelLine: {
        const std::string_view digits =
            line.starts_with(kLevelPrefix) ? line.substr(kLevelPrefix.size()) : std::string_view{};
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), report.level);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
            return "it has no \"Level: \" line.";
        }
        report.levelLine = number;
        return std::nullopt;
    }
    case ReportPart::Rule:
        return line == kRuleLine ? std::nullopt : std::optional<std::string>(kNotLaidOut);
    case ReportPart::StartingLevel:
        return line == kStartingLevelLine ? std::nullopt : std::optional<std::string>(kNotLaidOut);
    case ReportPart::Entries:
        break;
    }
    return std::string(kNotLaidOut);
}

/// Reads the entry lines into the plan, up to the first that holds no entry.
void readEntries(std::span<const std::string_view> lines, Report& report, int firstNumber) {
    report.firstEntryLine = firstNumber;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        model::ParsedEntry parsed = model::parseEntry(lines[i], report.plan.classId);
        if (!parsed.entry) {
            report.unreadLine = lineProblem(firstNumber + static_cast<int>(i), lines[i], parsed.error);
            return;
        }
        report.plan.history.push_back(*parsed.entry);
    }
}

/// The lines of a note, each behind its indent, from `lines[next]` on.
std::string readNote(std::span<const std::string_view> lines, std::size_t& next) {
    std::string note;
    for (bool first = true; next < lines.size() && lines[next].starts_with(kNoteIndent);
         ++next, first = false) {
        if (!first) {
            note += '\n';
        }
        note += lines[next].substr(kNoteIndent.size());
    }
    return note;
}

/// The lines of the attribute plan, in the order SAVE writes them.
constexpr std::array<std::string_view, 4> kAttributePrefixes{kAttributeTargetPrefix, kAttributeRestPrefix,
                                                             kTomePrefix, kGoldenBirdPrefix};

/// Reads `line` into the plan's attribute plan if it is one of its lines
/// (false when it is none); `why` says what is wrong with it. `stage`: the
/// kind of the last such line read, -1 before any.
bool readAttributeLine(std::string_view line, model::Plan& plan, int& stage,
                       std::optional<std::string>& why) {
    const auto kind = std::find_if(kAttributePrefixes.begin(), kAttributePrefixes.end(),
                                   [line](std::string_view prefix) { return line.starts_with(prefix); });
    if (kind == kAttributePrefixes.end()) {
        return false;
    }
    const int at = static_cast<int>(kind - kAttributePrefixes.begin());
    const std::string_view value = line.substr(kind->size());
    model::AttributePlan& attributes = plan.attributes;
    if (at < stage || (at == stage && at == 1)) {
        why = "This line is out of the attribute plan's order: targets, the rest, then the quests.";
    } else if (at == 0) {
        const auto target = model::parseAttributeTarget(value);
        if (target) {
            attributes.targets.push_back(*target);
        } else {
            why = "This is no attribute and value, such as \"Strength 55\".";
        }
    } else if (at == 1) {
        const auto rest = model::attributeNamed(value);
        if (rest) {
            attributes.rest = *rest;
        } else {
            why = "The rest goes to one of Strength, Dexterity, Vitality and Energy.";
        }
    } else {
        auto& levels = at == 2 ? attributes.tome : attributes.goldenBird;
        const std::size_t space = value.find(' ');
        const auto name = std::find(model::kDifficultyNames.begin(), model::kDifficultyNames.end(),
                                    value.substr(0, space == std::string_view::npos ? 0 : space));
        const std::string_view digits =
            value.substr(space == std::string_view::npos ? value.size() : space + 1);
        int level = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), level);
        const auto d = static_cast<std::size_t>(name - model::kDifficultyNames.begin());
        if (name == model::kDifficultyNames.end() || digits.empty() || error != std::errc() ||
            end != digits.data() + digits.size()) {
            why = "This is no difficulty and level, such as \"Normal 20\".";
        } else if (level < 1 || level > model::kMaxCharacterLevel) {
            why = "A quest is done at a character level from 1 to 99.";
        } else if (std::any_of(levels.begin() + static_cast<std::ptrdiff_t>(d), levels.end(),
                               [](std::int16_t l) { return l != 0; })) {
            why = "Each difficulty once, Normal first.";
        } else {
            levels[d] = static_cast<std::int16_t>(level);
        }
    }
    stage = at;
    if (!why) {
        why = model::attributePlanProblem(attributes, plan.classId);
    }
    return true;
}

/// Reads the block of notes and milestones (`lines`, from its heading, the
/// first numbered `firstNumber`) into the plan, or tells the first line
/// that is not as SAVE writes it and leaves the plan without either.
void readNotesBlock(std::span<const std::string_view> lines, Report& report, int firstNumber) {
    std::vector<std::string> entryTexts;
    for (const model::HistoryEntry& entry : report.plan.history) {
        entryTexts.push_back(model::formatEntry(entry));
    }
    model::Plan& plan = report.plan;
    std::optional<std::string> why;
    std::size_t next = 1;
    bool noteRead = false;
    int attributeStage = -1;
    while (!why && next < lines.size()) {
        const std::size_t at = next;
        const std::string_view line = lines[next++];
        if (line.starts_with(kMilestonePrefix) && !noteRead) {
            const auto entry =
                std::find(entryTexts.begin(), entryTexts.end(), line.substr(kMilestonePrefix.size()));
            if (entry == entryTexts.end()) {
                why = "This milestone's point is not among the points above.";
            } else if (next >= lines.size() || !lines[next].starts_with(kMilestoneNamePrefix)) {
                why = "A milestone's line is followed by its name (\"Name: \").";
            } else {
                const auto index = static_cast<std::size_t>(entry - entryTexts.begin());
                model::Milestone milestone{
                    index, std::string(lines[next++].substr(kMilestoneNamePrefix.size())), {}};
                milestone.note = readNote(lines, next);
                why = model::milestoneNameProblem(milestone.name);
                if (!why && !plan.milestones.empty() && plan.milestones.back().entry >= index) {
                    why = "Two milestones on one point, or out of the points' order.";
                }
                if (!why) {
                    why = model::noteProblem(milestone.note);
                }
                plan.milestones.push_back(std::move(milestone));
            }
        } else if (line.starts_with(kTargetPrefix) && !noteRead) {
            const auto target = model::parseTarget(line.substr(kTargetPrefix.size()), plan.classId);
            if (!target) {
                why = "A target is a skill of the class and the points it is to end with.";
            } else {
                plan.targets.push_back(*target);
                why = model::targetsProblem(plan.targets, plan.classId);
            }
        } else if (line == kNoteLine && !noteRead) {
            noteRead = true;
            plan.note = readNote(lines, next);
            why = model::noteProblem(plan.note);
        } else if (line == kRuleLine && next == lines.size()) {
            return; // the block's end, and the file's
        } else if (readAttributeLine(line, plan, attributeStage, why)) {
            noteRead = true; // the note and the milestones come before
        } else {
            why = "This line has no place in the block of notes and milestones.";
        }
        if (why) {
            report.unreadBlock = lineProblem(firstNumber + static_cast<int>(at), line, *why);
        }
    }
    if (!why) {
        report.unreadBlock = lineProblem(firstNumber + static_cast<int>(lines.size()) - 1, lines.back(),
                                         "The block of notes and milestones ends with a line of hyphens.");
    }
    plan.note.clear();
    plan.milestones.clear();
    plan.targets.clear();
    plan.attributes = {};
}

} // namespace

std::string asUtf8(std::string_view bytes) {
    if (model::isValidUtf8(bytes)) {
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
    const auto split = model::splitLines(text, model::LineEnd::CrLfOrLf);
    if (!split || split->empty()) {
        return notAReport("it does not end as a report ends.");
    }
    // The block of notes and milestones, if any, follows the report's last
    // rule and a blank line; its lines may be as long as a note.
    std::size_t blockStart = split->size();
    for (std::size_t i = 2; i < split->size(); ++i) {
        if ((*split)[i] == kNotesHeading && (*split)[i - 1].empty() && (*split)[i - 2] == kRuleLine) {
            blockStart = i;
            break;
        }
    }
    const std::span<const std::string_view> lines =
        std::span(*split).first(blockStart == split->size() ? blockStart : blockStart - 1);
    for (std::size_t i = 0; i < split->size(); ++i) {
        const std::size_t most = i < lines.size() ? kMaxLineBytes : model::kMaxNoteBytes + kNoteIndent.size();
        if ((*split)[i].size() > most) {
            return notAReport("its line " + std::to_string(i + 1) + " is longer than a report's lines.");
        }
    }
    // The empty character's report opens with two lines of its own.
    const bool hasEntries = !(lines.size() > 1 && lines[0] == kEmptyCharacterLine && lines[1].empty());
    const std::span<const ReportPart> layout = reportLayout(hasEntries);
    // Every part is one line but the entries, which take the lines left over.
    const std::size_t entryLines =
        hasEntries && lines.size() > layout.size() - 1 ? lines.size() - (layout.size() - 1) : 0;
    Report report;
    std::size_t next = 0;
    for (const ReportPart part : layout) {
        if (part == ReportPart::Entries) {
            readEntries(std::span(lines).subspan(next, entryLines), report, static_cast<int>(next) + 1);
            next += entryLines;
            continue;
        }
        if (next >= lines.size()) {
            // A missing "Class: " or "Level: " line says so; other lines, the layout.
            return notAReport(readPart(part, {}, report, 0).value_or(std::string(kNotLaidOut)));
        }
        if (auto why = readPart(part, lines[next], report, static_cast<int>(next) + 1)) {
            return notAReport(*why);
        }
        ++next;
    }
    if (next != lines.size() || (hasEntries && entryLines == 0)) {
        return notAReport(kNotLaidOut);
    }
    if (blockStart < split->size()) {
        readNotesBlock(std::span(*split).subspan(blockStart), report, static_cast<int>(blockStart) + 1);
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

std::optional<std::string> openingProblem(const Report& report, const std::optional<model::ReplayStop>& stop,
                                          int levelReached) {
    if (stop) {
        const std::string text = model::formatEntry(report.plan.history.at(stop->entry));
        return lineProblem(report.firstEntryLine + static_cast<int>(stop->entry), text, stop->reason);
    }
    if (report.unreadLine) {
        return report.unreadLine;
    }
    if (levelReached != report.level) {
        return lineProblem(report.levelLine, "Level: " + std::to_string(report.level),
                           "The points above reach level " + std::to_string(levelReached) + ".");
    }
    return report.unreadBlock;
}

} // namespace skillwright::report

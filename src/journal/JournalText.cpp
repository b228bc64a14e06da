#include "JournalText.h"

#include <model/BuildState.h>
#include <model/Goals.h>
#include <model/PlainText.h>

#include <algorithm>
#include <charconv>
#include <vector>

namespace skillwright::journal {

namespace {

constexpr std::string_view kFormatHead = "skillwright journal ";
constexpr std::string_view kClass = "class ";
constexpr std::string_view kName = "name ";
constexpr std::string_view kSaved = "saved ";
constexpr std::string_view kChanged = "changed ";
constexpr std::string_view kEntries = "entries ";
constexpr std::string_view kEnd = "end";
constexpr std::string_view kNote = "note ";
constexpr std::string_view kMilestone = "milestone ";
constexpr std::string_view kAbout = "about ";
constexpr std::string_view kTarget = "target ";
// ---- attributes ----
constexpr std::string_view kAttribute = "attribute ";
constexpr std::string_view kRest = "rest ";
constexpr std::string_view kTome = "tome ";
constexpr std::string_view kBird = "bird ";
/// The most entries a plan can hold: 98 level-ups, each maybe held in
/// reserve and spent later, and 12 quest points.
constexpr long long kMostEntries = 98 + 98 + 12;

bool escaped(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '\\';
}

void appendName(std::string& out, std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (escaped(byte)) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

/// The name as appendName wrote it; nothing for any other text.
std::optional<std::string> readName(std::string_view text) {
    std::string name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte != '\\') {
            if (escaped(byte)) {
                return std::nullopt;
            }
            name += text[i];
            continue;
        }
        if (text.size() - i < 4 || text[i + 1] != 'x') {
            return std::nullopt;
        }
        const int high = hexDigit(text[i + 2]);
        const int low = hexDigit(text[i + 3]);
        const auto decoded = static_cast<unsigned char>(high * 16 + low);
        if (high < 0 || low < 0 || !escaped(decoded)) {
            return std::nullopt; // one text per name: only what must be escaped is
        }
        name += static_cast<char>(decoded);
        i += 3;
    }
    return name;
}

/// A whole decimal number, no sign but `-` where allowed, no blanks.
std::optional<long long> readNumber(std::string_view text, bool negativeAllowed) {
    if (text.empty() || (!negativeAllowed && text.front() == '-') || text.front() == '+' ||
        (text.size() > 1 && text.front() == '0')) {
        return std::nullopt;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<model::ClassId> classNamed(std::string_view name) {
    for (const model::ClassInfo& info : model::classes()) {
        if (info.name == name) {
            return info.id;
        }
    }
    return std::nullopt;
}

JournalReading failure(std::string error) {
    JournalReading reading;
    reading.error = std::move(error);
    return reading;
}

/// Replays the history through the rules; the reason when they would not
/// record it that way.
std::optional<std::string> checkHistory(const model::Plan& plan) {
    if (const auto stop = model::replayPlan(plan).stop) {
        return "entry " + std::to_string(stop->entry + 1) + " is not a point the rules give";
    }
    return std::nullopt;
}

/// A refusal of the format line: nothing when this program reads its version.
std::optional<JournalReading> refusedVersion(std::string_view formatLine) {
    const auto version = readNumber(formatLine.substr(kFormatHead.size()), false);
    if (!version || *version < 1) {
        return failure("not a journal");
    }
    if (*version > kJournalVersion) {
        JournalReading reading = failure("a journal of a later version");
        reading.newerVersion = true;
        return reading;
    }
    return std::nullopt;
}

/// The text after `head` on a line that starts with it.
std::optional<std::string_view> fieldValue(std::string_view line, std::string_view head) {
    if (!line.starts_with(head)) {
        return std::nullopt;
    }
    return line.substr(head.size());
}

/// What the lines between the format line and the entries hold.
struct JournalHead {
    model::ClassId classId{};
    std::string name;
    bool saved = false;
    long long changed = 0;
};

/// Reads the head of a journal of at least seven lines into `head`; the
/// reason when a line is not as it is written or the entries are not as
/// many as it says.
std::optional<std::string> readHead(const std::vector<std::string_view>& line, JournalHead& head) {
    const auto className = fieldValue(line[1], kClass);
    const auto classId = className ? classNamed(*className) : std::nullopt;
    if (!classId) {
        return "no class of the planner";
    }
    const auto nameText = fieldValue(line[2], kName);
    auto name = nameText ? readName(*nameText) : std::nullopt;
    if (!name) {
        return "no name";
    }
    const auto saved = fieldValue(line[3], kSaved);
    if (!saved || (*saved != "yes" && *saved != "no")) {
        return "no saved line";
    }
    const auto changedText = fieldValue(line[4], kChanged);
    const auto changed = changedText ? readNumber(*changedText, true) : std::nullopt;
    if (!changed) {
        return "no time of change";
    }
    const auto countText = fieldValue(line[5], kEntries);
    const auto count = countText ? readNumber(*countText, false) : std::nullopt;
    if (!count || *count > kMostEntries) {
        return "no count of entries";
    }
    const bool notes = line[0].substr(kFormatHead.size()) != "1";
    if ((notes ? line.size() < 7 + static_cast<std::size_t>(*count)
               : line.size() != 7 + static_cast<std::size_t>(*count)) ||
        line.back() != kEnd) {
        return "not as many entries as it says";
    }
    head = JournalHead{*classId, std::move(*name), *saved == "yes", *changed};
    return std::nullopt;
}

/// Reads the entry lines (from the seventh up to the closing one) into the
/// plan's history; the reason when one is not an entry of the plan's class.
std::optional<std::string> readEntries(const std::vector<std::string_view>& line, std::size_t count,
                                       model::Plan& plan) {
    plan.history.reserve(count);
    for (std::size_t i = 6; i < 6 + count; ++i) {
        model::ParsedEntry parsed = model::parseEntry(line[i], plan.classId);
        if (!parsed.entry) {
            return "line " + std::to_string(i + 1) + ": " + parsed.error;
        }
        plan.history.push_back(*parsed.entry);
    }
    return std::nullopt;
}

/// Reads a line of the attribute plan into `plan`: nothing when the line is
/// none, false when it is one but not as formatJournal writes it.
std::optional<bool> readAttributeLine(std::string_view line, model::AttributePlan& plan) {
    if (const auto target = fieldValue(line, kAttribute)) {
        const auto read = model::parseAttributeTarget(*target);
        if (read) {
            plan.targets.push_back(*read);
        }
        return read.has_value();
    }
    if (const auto rest = fieldValue(line, kRest)) {
        const auto read = model::attributeNamed(*rest);
        plan.rest = read.value_or(plan.rest);
        return read.has_value();
    }
    const auto tome = fieldValue(line, kTome);
    const auto bird = fieldValue(line, kBird);
    if (!tome && !bird) {
        return std::nullopt;
    }
    std::string_view levels = tome ? *tome : *bird;
    for (std::int16_t& level : tome ? plan.tome : plan.goldenBird) {
        const std::size_t space = std::min(levels.find(' '), levels.size());
        const auto number = readNumber(levels.substr(0, space), false);
        if (!number || *number > model::kMaxCharacterLevel) {
            return false;
        }
        level = static_cast<std::int16_t>(*number);
        levels.remove_prefix(std::min(space + 1, levels.size()));
    }
    return levels.empty();
}

/// Reads the lines of the note and the milestones (after the entries, up to
/// the closing line); the reason when one is not as formatJournal writes it.
std::optional<std::string> readNotes(const std::vector<std::string_view>& line, std::size_t from,
                                     model::Plan& plan) {
    const bool attributesRead = line[0].substr(kFormatHead.size()) == "4";
    for (std::size_t i = from; i + 1 < line.size(); ++i) {
        if (const auto note = fieldValue(line[i], kNote); note && i == from) {
            const auto text = readName(*note);
            if (!text || text->empty()) {
                return "line " + std::to_string(i + 1) + ": no note";
            }
            plan.note = *text;
            continue;
        }
        if (const auto attribute = readAttributeLine(line[i], plan.attributes)) {
            if (!*attribute || !attributesRead) {
                return "line " + std::to_string(i + 1) + ": no attribute plan";
            }
            continue;
        }
        if (const auto target = fieldValue(line[i], kTarget)) {
            const auto read = model::parseTarget(*target, plan.classId);
            if (!read) {
                return "line " + std::to_string(i + 1) + ": no target";
            }
            plan.targets.push_back(*read);
            continue;
        }
        const auto milestone = fieldValue(line[i], kMilestone);
        const std::size_t space = milestone ? milestone->find(' ') : std::string_view::npos;
        const auto entry =
            space != std::string_view::npos ? readNumber(milestone->substr(0, space), false) : std::nullopt;
        const auto name = entry ? readName(milestone->substr(space + 1)) : std::nullopt;
        const auto about = i + 2 < line.size() ? fieldValue(line[i + 1], kAbout) : std::nullopt;
        const auto note = about ? readName(*about) : std::nullopt;
        if (!name || !note) {
            return "line " + std::to_string(i + 1) + ": no milestone";
        }
        plan.milestones.push_back({static_cast<std::size_t>(*entry), std::move(*name), std::move(*note)});
        ++i;
    }
    if (plan.note.empty() && plan.milestones.empty() && plan.targets.empty() && plan.attributes.empty()) {
        return std::string("a journal of notes without notes");
    }
    if (attributesRead == plan.attributes.empty()) {
        return std::string(attributesRead ? "a version 4 journal without attributes"
                                          : "attributes in a journal before version 4");
    }
    if (auto why = model::attributePlanProblem(plan.attributes, plan.classId)) {
        return why;
    }
    if (auto why = model::noteProblem(plan.note)) {
        return why;
    }
    if (auto why = model::targetsProblem(plan.targets, plan.classId)) {
        return why;
    }
    return model::milestonesProblem(plan.milestones, plan.history.size());
}

} // namespace

std::string formatJournal(const JournalRecord& record) {
    const model::Plan& plan = record.plan;
    std::string out;
    out.reserve(160 + plan.name.size() + 48 * plan.history.size());
    out += kFormatHead;
    // The oldest version that holds the plan: version 3 added targets, 4 the attribute plan.
    out += !plan.attributes.empty()                       ? "4"
           : !plan.targets.empty()                        ? "3"
           : plan.note.empty() && plan.milestones.empty() ? "1"
                                                          : "2";
    out += '\n';
    out += kClass;
    out += model::classInfo(plan.classId).name;
    out += '\n';
    out += kName;
    const std::size_t nameStart = out.size();
    appendName(out, plan.name);
    const std::size_t nameLength = out.size() - nameStart;
    out += '\n';
    out += kSaved;
    out += record.saved ? "yes" : "no";
    out += '\n';
    out += kChanged;
    out += std::to_string(record.changedAt.time_since_epoch().count());
    out += '\n';
    out += kEntries;
    out += std::to_string(plan.history.size());
    out += '\n';
    for (const model::HistoryEntry& entry : plan.history) {
        model::appendEntry(out, entry);
        out += '\n';
    }
    if (!plan.note.empty()) {
        out += kNote;
        appendName(out, plan.note);
        out += '\n';
    }
    for (const model::Milestone& milestone : plan.milestones) {
        out += kMilestone;
        out += std::to_string(milestone.entry);
        out += ' ';
        appendName(out, milestone.name);
        out += '\n';
        out += kAbout;
        appendName(out, milestone.note);
        out += '\n';
    }
    for (const model::Target& target : plan.targets) {
        out += kTarget;
        out += model::formatTarget(target);
        out += '\n';
    }
    if (!plan.attributes.empty()) {
        for (const model::AttributeTarget& target : plan.attributes.targets) {
            out += kAttribute;
            out += model::attributeTargetText(target);
            out += '\n';
        }
        out += kRest;
        out += model::attributeName(plan.attributes.rest);
        out += '\n';
        for (const auto& [head, levels] :
             {std::pair{kTome, &plan.attributes.tome}, std::pair{kBird, &plan.attributes.goldenBird}}) {
            out += head;
            for (std::size_t d = 0; d < levels->size(); ++d) {
                if (d > 0) {
                    out += ' ';
                }
                out += std::to_string((*levels)[d]);
            }
            out += '\n';
        }
    }
    out += kEnd;
    out += '\n';
    if (out.size() > kMaxJournalBytes) {
        out.erase(nameStart, nameLength);
    }
    return out;
}

JournalReading parseJournal(std::string_view text) {
    if (text.size() > kMaxJournalBytes) {
        return failure("larger than a journal can be");
    }
    const auto lines = model::splitLines(text, model::LineEnd::Lf);
    if (!lines || lines->empty() || !lines->front().starts_with(kFormatHead)) {
        return failure("not a journal");
    }
    if (auto refused = refusedVersion(lines->front())) {
        return std::move(*refused);
    }
    if (lines->size() < 7) {
        return failure("cut short");
    }
    JournalHead head;
    if (auto problem = readHead(*lines, head)) {
        return failure(std::move(*problem));
    }
    JournalRecord record;
    record.plan.classId = head.classId;
    record.plan.name = std::move(head.name);
    record.saved = head.saved;
    record.changedAt = Seconds(std::chrono::seconds(head.changed));
    const std::size_t count =
        static_cast<std::size_t>(*readNumber(fieldValue((*lines)[5], kEntries).value(), false));
    if (auto problem = readEntries(*lines, count, record.plan)) {
        return failure(std::move(*problem));
    }
    if (lines->front().substr(kFormatHead.size()) != "1") {
        if (auto problem = readNotes(*lines, 6 + count, record.plan)) {
            return failure(std::move(*problem));
        }
    }
    if (auto problem = checkHistory(record.plan)) {
        return failure(std::move(*problem));
    }
    JournalReading reading;
    reading.record = std::move(record);
    return reading;
}

std::string timeAgoText(Seconds then, Seconds now) {
    const long long seconds = (now - then).count();
    auto ago = [](long long n, std::string_view unit) {
        return std::to_string(n) + " " + std::string(unit) + (n == 1 ? "" : "s") + " ago";
    };
    if (seconds < 60) {
        return "just now";
    }
    if (seconds < 3600) {
        return ago(seconds / 60, "minute");
    }
    if (seconds < 86400) {
        return ago(seconds / 3600, "hour");
    }
    return ago(seconds / 86400, "day");
}

std::string continueText(model::ClassId classId, int level, bool saved, Seconds changedAt, Seconds now) {
    return "Continue: " + std::string(model::classInfo(classId).name) + ", level " + std::to_string(level) +
           (saved ? ", saved, " : ", unsaved, ") + timeAgoText(changedAt, now);
}

} // namespace skillwright::journal

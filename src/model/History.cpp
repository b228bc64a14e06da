#include "History.h"

#include "Quests.h"

#include <array>
#include <charconv>

namespace skillwright::model {

namespace {

constexpr std::string_view kClvl = "Clvl ";
constexpr std::string_view kSlvl = "Slvl ";
constexpr std::string_view kReservedForLater = " Reserved For Later ";
constexpr std::string_view kReservedSpent = "Reserved ";

void appendNumber(std::string& out, std::int16_t n) {
    std::array<char, 8> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), n);
    (void)error;
    out.append(digits.data(), end);
}

/// "Slvl " count ": " name, the tail every entry with a skill ends with.
void appendSkillTail(std::string& out, const HistoryEntry& e) {
    out += kSlvl;
    appendNumber(out, e.skillPoints);
    out += entrySuffix(e.skill.tree, e.skill.index);
}

/// Reads plain decimal digits (at most three) off the front of `text`.
std::optional<std::int16_t> takeNumber(std::string_view& text) {
    std::size_t n = 0;
    while (n < text.size() && n < 3 && text[n] >= '0' && text[n] <= '9') {
        ++n;
    }
    std::int16_t value = 0;
    if (n == 0 || std::from_chars(text.data(), text.data() + n, value).ec != std::errc()) {
        return std::nullopt;
    }
    text.remove_prefix(n);
    return value;
}

bool takePrefix(std::string_view& text, std::string_view prefix) {
    if (!text.starts_with(prefix)) {
        return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

ParsedEntry failure(std::string why) {
    return {std::nullopt, std::move(why)};
}

/// Reads "Slvl " count ": " name, which must end the text.
ParsedEntry parseSkillTail(std::string_view text, ClassId classId, HistoryEntry entry) {
    if (!takePrefix(text, kSlvl)) {
        return failure("\"Slvl \" was expected before the skill's level.");
    }
    const auto level = takeNumber(text);
    if (!level) {
        return failure("The skill's level is not a number.");
    }
    entry.skillPoints = *level;
    for (TreeId t : classInfo(classId).trees) {
        for (int i = 0; i < kSkillsPerTree; ++i) {
            if (text == entrySuffix(t, i)) {
                entry.skill = {t, static_cast<std::int16_t>(i)};
                return {entry, {}};
            }
        }
    }
    std::string why = "The ";
    why += classInfo(classId).name;
    why += " has no skill \"";
    why += text.starts_with(": ") ? text.substr(2) : text;
    why += "\".";
    return failure(std::move(why));
}

} // namespace

void appendEntry(std::string& out, const HistoryEntry& e) {
    switch (e.kind) {
    case EntryKind::Ordinary:
        out += kClvl;
        appendNumber(out, e.characterLevel);
        out += ' ';
        appendSkillTail(out, e);
        return;
    case EntryKind::ReservedForLater:
        out += kClvl;
        appendNumber(out, e.characterLevel);
        out += kReservedForLater;
        return;
    case EntryKind::ReservedSpent:
        out += kReservedSpent;
        appendSkillTail(out, e);
        return;
    case EntryKind::DenOfEvil:
    case EntryKind::BookOfSkill:
    case EntryKind::Izual:
        break;
    }
    const QuestRule& q = *questRuleOf(e.kind);
    out += q.historyHead;
    if (e.questRound >= 1 && e.questRound <= q.limit()) {
        out += q.historyDifficulty[static_cast<std::size_t>(e.questRound - 1)];
    }
    appendSkillTail(out, e);
}

std::string formatEntry(const HistoryEntry& entry) {
    std::string text;
    text.reserve(48);
    appendEntry(text, entry);
    return text;
}

ParsedEntry parseEntry(std::string_view text, ClassId classId) {
    ParsedEntry parsed = [&]() -> ParsedEntry {
        std::string_view rest = text;
        HistoryEntry entry;
        if (takePrefix(rest, kClvl)) {
            const auto level = takeNumber(rest);
            if (!level) {
                return failure("The character level is not a number.");
            }
            entry.characterLevel = *level;
            if (rest == kReservedForLater) {
                entry.kind = EntryKind::ReservedForLater;
                return {entry, {}};
            }
            if (!takePrefix(rest, " ")) {
                return failure("A blank was expected after the character level.");
            }
            entry.kind = EntryKind::Ordinary;
            return parseSkillTail(rest, classId, entry);
        }
        if (takePrefix(rest, kReservedSpent)) {
            entry.kind = EntryKind::ReservedSpent;
            return parseSkillTail(rest, classId, entry);
        }
        for (const QuestRule& q : kQuestRules) {
            if (!takePrefix(rest, q.historyHead)) {
                continue;
            }
            entry.kind = q.kind;
            for (std::int16_t round = 1; round <= q.limit(); ++round) {
                if (takePrefix(rest, q.historyDifficulty[static_cast<std::size_t>(round - 1)])) {
                    entry.questRound = round;
                    return parseSkillTail(rest, classId, entry);
                }
            }
            return failure("The quest's difficulty is not one of its own.");
        }
        return failure("This is not a history entry.");
    }();
    // Only the texts the history writes are entries: "Clvl 007" is not.
    if (parsed.entry && formatEntry(*parsed.entry) != text) {
        return failure("This is not a history entry as the planner writes it.");
    }
    return parsed;
}

} // namespace skillwright::model

#pragma once

#include <model/Catalogue.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skillwright::model {

/// How a point was obtained: the six kinds of history entry.
enum class EntryKind : std::uint8_t {
    Ordinary,         ///< the next level-up, spent on a skill
    ReservedForLater, ///< the next level-up, held in reserve (no skill)
    ReservedSpent,    ///< a point from the reserve, spent on a skill
    DenOfEvil,        ///< quest points: they do not raise the level
    BookOfSkill,
    Izual,
};

/// Whether a point of `kind` is a level-up: an ordinary point and one held in
/// reserve raise the level; a reserved point spent and quest points do not.
[[nodiscard]] constexpr bool raisesLevel(EntryKind kind) {
    return kind == EntryKind::Ordinary || kind == EntryKind::ReservedForLater;
}

/// One entry of the build's history: one point and how it was obtained.
struct HistoryEntry {
    EntryKind kind = EntryKind::Ordinary;
    /// The character level reached; shown by ordinary and reserved-for-later
    /// entries only, 0 in the others.
    std::int16_t characterLevel = 0;
    /// The points the skill holds after this one (the "Slvl" of the entry's
    /// text); 0 for a point reserved for later.
    std::int16_t skillPoints = 0;
    /// Quest entries: the quest's counter after the point (1..3, Izual 1..6),
    /// which names the difficulty; 0 in the others.
    std::int16_t questRound = 0;
    /// The skill that received the point; unused by a point reserved for later.
    SkillRef skill{};

    [[nodiscard]] bool hasSkill() const { return kind != EntryKind::ReservedForLater; }
    friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

/// The quests in the order of their entry kinds.
[[nodiscard]] constexpr bool isQuestKind(EntryKind kind) {
    return kind == EntryKind::DenOfEvil || kind == EntryKind::BookOfSkill || kind == EntryKind::Izual;
}

/// The entry as the history list shows it, letter for letter, e.g.
/// "Clvl 2 Slvl 1: Teeth", "Clvl 7 Reserved For Later " (with its trailing
/// blank), "Izual Quest Point:(1) Normal Slvl 2: Teeth".
std::string formatEntry(const HistoryEntry& entry);
/// The same, appended to `out`.
void appendEntry(std::string& out, const HistoryEntry& entry);

/// What reading an entry's text came to: the entry, or why there is none.
struct ParsedEntry {
    std::optional<HistoryEntry> entry;
    std::string error;
};

/// Reads the text of a history entry of a character of class `classId`.
/// Only the exact texts formatEntry writes are entries; for anything else
/// `error` says what is wrong with it.
ParsedEntry parseEntry(std::string_view text, ClassId classId);

} // namespace skillwright::model

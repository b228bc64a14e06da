#pragma once

#include <model/Plan.h>

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

/// The journal's text: what a journal file holds about one plan, written and
/// read back exactly. No files here.
namespace skillwright::journal {

using Seconds = std::chrono::sys_seconds;

/// The newest version this program writes: 4 for a plan with an attribute
/// plan, 3 for one with targets, 2 for one with a note or milestones, 1 for
/// any other. A journal of a later one is not read.
inline constexpr int kJournalVersion = 4;
/// The longest plan takes about 10 KiB, its notes at most four times
/// their bytes; anything beyond this is not a journal of ours.
inline constexpr std::size_t kMaxJournalBytes = 2 * 1024 * 1024;

/// A plan as the journal keeps it.
struct JournalRecord {
    model::Plan plan;
    bool saved = false; ///< a report holds the plan as it stands
    Seconds changedAt{};

    friend bool operator==(const JournalRecord&, const JournalRecord&) = default;
};

/// The journal text of `record`:
///
///     skillwright journal 1
///     class Sorceress
///     name Hero            (bytes below 0x20, DEL and '\' as \xHH)
///     saved no
///     changed 1796582400   (seconds since 1970, UTC)
///     entries 2
///     Clvl 2 Slvl 1: Fire Bolt
///     Clvl 3 Reserved For Later
///     note Why\x0Aand how       (version 2: the plan's note, escaped as the name)
///     milestone 0 Act one      (version 2: a milestone on entry 0, its name)
///     about Its note           (version 2: that milestone's note)
///     attribute Strength 55    (version 4: the attribute plan's targets in order,
///     rest Vitality             its rest, and the levels of Lam Esen's Tome and
///     tome 20 0 0               the Golden Bird in Normal, Nightmare and Hell,
///     bird 22 0 0               0 where not done)
///     end
///
/// A name too long for the journal to stay within kMaxJournalBytes is left out.
std::string formatJournal(const JournalRecord& record);

/// What reading a journal's text came to: the record, or why there is none.
struct JournalReading {
    std::optional<JournalRecord> record;
    std::string error;
    bool newerVersion = false; ///< written by a later version of the program
};

/// Reads exactly the text formatJournal writes. The entries are replayed
/// through the rules: a history the planner would not record that way is no
/// journal either.
JournalReading parseJournal(std::string_view text);

/// How long ago `then` was at `now`: "just now", "1 minute ago",
/// "5 minutes ago", "2 hours ago", "3 days ago".
std::string timeAgoText(Seconds then, Seconds now);

/// The Continue button's tooltip for a plan, e.g.
/// "Continue: Sorceress, level 57, unsaved, 5 minutes ago".
std::string continueText(model::ClassId classId, int level, bool saved, Seconds changedAt, Seconds now);

} // namespace skillwright::journal

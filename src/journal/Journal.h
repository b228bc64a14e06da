#pragma once

#include <journal/JournalText.h>
#include <toolkit/AtomicFile.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace skillwright::journal {

using Clock = std::function<Seconds()>;
/// The wall clock, to the second.
Seconds systemClock();

/// How many plans that left the screen unsaved are kept.
inline constexpr std::size_t kKeptPlans = 10;

/// A plan that left the screen and can be taken back.
struct RecoverablePlan {
    std::uint64_t number = 0; ///< its place in the list: the later it left, the higher
    model::ClassId classId = model::ClassId::Necromancer;
    int level = 1;
    bool saved = false;
    Seconds changedAt{};
    std::string name;
    /// Written by a later version of the program: kept as it is, never read
    /// here (the fields above are their defaults).
    bool newerVersion = false;
};

struct JournalSetup {
    std::string folder; ///< made when missing
    Clock clock = systemClock;
    /// New files are written unnamed and named only when whole (O_TMPFILE)
    /// where the file system allows it; off, they are written under a
    /// temporary name and renamed, as on file systems without it (the
    /// toolkit's atomic writer).
    bool unnamedFiles = true;
};

/// The journal of the plan on screen and the plans that left it unsaved,
/// kept in a folder of their own so that no plan is ever lost.
///
/// The folder holds, for every running program, a lock it holds while it
/// runs ("plan-<session>.lock") and the journal of its plan on screen
/// ("plan-<session>.<n>.journal", n counting up with every change); the
/// plans that left the screen ("left-<n>.journal", the newest highest);
/// journals set aside as damaged or foreign ("journal-<date>.bad"); and,
/// without unnamed files, the temporary file of a write that never finished,
/// removed at the next start.
///
/// A journal is written whole into a new file that gets its name only then,
/// and the one before it is removed after: a kill at any instant leaves the
/// previous journal or the new one whole, and nothing else of it. A program
/// that starts takes the journals of programs that did not end cleanly (no
/// one holds their lock) as plans that left the screen. Every file is read
/// within kMaxJournalBytes, without waiting on a pipe, and its history is
/// checked by the rules; anything else is renamed aside and never read again,
/// but for the journal of a later version, which is left as it is.
///
/// Nothing here shows or asks anything; a folder that cannot be used makes a
/// journal that keeps nothing and says why (failure()) until it can.
class Journal {
public:
    explicit Journal(JournalSetup setup);
    /// A clean end: the plan on screen leaves it, and the lock is given up.
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    /// Whether the folder could be used.
    [[nodiscard]] bool usable() const { return m_lockFd >= 0; }
    /// Why the plan on screen is not in the journal as it stands (the folder
    /// cannot be used, or the latest write failed: a full disk, a read-only
    /// folder); nothing while the journal keeps it, and with no folder given.
    /// Each change tries again, so a write that works again clears it.
    [[nodiscard]] const std::optional<toolkit::FileError>& failure() const { return m_failure; }

    /// The plan on screen is now `plan`, with changes not saved. A few tens
    /// of microseconds: cheap enough for every click.
    void planChanged(const model::Plan& plan);
    /// The plan on screen is now `plan`, as a report holds it.
    void planSaved(const model::Plan& plan);
    /// The plan on screen left it (or there is none on screen now): kept
    /// among the recoverable plans when it has points and is not saved.
    void planLeft();
    /// Makes the latest journal survive a power cut too (fsync, several
    /// milliseconds on a disk): for a quiet moment, not for every click.
    /// Until then, the journal made durable before it is kept as well.
    void makeDurable();

    /// The plans that left the screen unsaved, newest first, at most
    /// kKeptPlans, and among them those kept for a later version.
    std::vector<RecoverablePlan> recoverablePlans();
    /// Takes the plan `number` out of the list to be the plan on screen (the
    /// one there leaves it first); nothing when it is gone or damaged.
    std::optional<model::Plan> takeBack(std::uint64_t number);

    /// This program's part of the folder: "plan-<session>".
    [[nodiscard]] const std::string& sessionName() const { return m_session; }

private:
    class FolderLock;
    /// Makes the folder if need be, recovers what ended programs left and
    /// takes this program's lock; m_failure says why not.
    void open();
    [[nodiscard]] std::string path(std::string_view name) const;
    [[nodiscard]] std::string journalName(std::uint64_t number) const;
    /// `names`: the folder's.
    void startSession(const std::vector<std::string>& names);
    void recoverEndedSessions();
    /// What the listing of the folder showed of a session.
    struct EndedSession {
        bool locked = false;                ///< its lock file is there
        std::vector<std::uint64_t> numbers; ///< of its journals, newest first
    };
    void recoverSession(const std::string& session, const EndedSession& ended);
    void write(JournalRecord record);
    std::optional<toolkit::FileError> writeNewFile(const std::string& name, std::string_view text);
    void leave(bool prune);
    bool moveIntoList(const std::string& name);
    /// The numbers of the plans that left the screen, newest first.
    [[nodiscard]] std::vector<std::uint64_t> listNumbers() const;
    void pruneList();
    void setAside(const std::string& name);
    /// Removes the oldest set-aside files beyond the ten kept.
    void pruneSetAside();
    void removeOwnFiles(std::uint64_t keep);

    std::string m_folder;
    Clock m_clock;
    bool m_unnamedFiles = true;
    std::string m_session;
    int m_lockFd = -1;
    std::optional<JournalRecord> m_current;
    bool m_currentWritten = false; ///< the latest journal holds m_current
    std::uint64_t m_written = 0;   ///< number of the latest journal written, 0 before the first
    std::uint64_t m_durable = 0;   ///< number of the latest journal made durable
    std::optional<toolkit::FileError> m_failure;
    /// While ended sessions are recovered: what the one listing of the folder
    /// found, kept up to date, so that no step lists it again.
    struct Recovery {
        std::uint64_t newestLeft = 0; ///< the newest plan that left
        std::size_t setAside = 0;     ///< files set aside so far
        std::size_t plans = 0;        ///< plans put in the list so far
    };
    std::optional<Recovery> m_recovery;
};

} // namespace skillwright::journal

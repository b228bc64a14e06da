#include "Journal.h"

#include <toolkit/AtomicFile.h>
#include <toolkit/RegularFile.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace skillwright::journal {

namespace {

constexpr std::string_view kSessionHead = "plan-";
constexpr std::string_view kLeftHead = "left-";
constexpr std::string_view kJournalTail = ".journal";
constexpr std::string_view kLockTail = ".lock";
constexpr std::string_view kFolderLockName = "journal.lock";
/// How many set-aside files are kept for a look.
constexpr std::size_t kKeptSetAside = 10;

/// What a name in the folder is to the journal.
struct FolderName {
    enum class Kind : std::uint8_t { SessionLock, SessionJournal, Left, Other };
    Kind kind = Kind::Other;
    std::string session;
    std::uint64_t number = 0;
};

std::optional<std::uint64_t> numberIn(std::string_view text) {
    std::uint64_t value = 0;
    if (text.empty() || text.size() > 19 || (text.size() > 1 && text.front() == '0')) {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool isSession(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || c == '_'; });
}

FolderName classify(std::string_view name) {
    FolderName result;
    if (name.starts_with(kLeftHead) && name.ends_with(kJournalTail)) {
        const auto n =
            numberIn(name.substr(kLeftHead.size(), name.size() - kLeftHead.size() - kJournalTail.size()));
        if (n) {
            result.kind = FolderName::Kind::Left;
            result.number = *n;
        }
        return result;
    }
    if (!name.starts_with(kSessionHead)) {
        return result;
    }
    name.remove_prefix(kSessionHead.size());
    if (name.ends_with(kLockTail)) {
        name.remove_suffix(kLockTail.size());
        if (isSession(name)) {
            result.kind = FolderName::Kind::SessionLock;
            result.session = std::string(name);
        }
        return result;
    }
    if (!name.ends_with(kJournalTail)) {
        return result;
    }
    name.remove_suffix(kJournalTail.size());
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos || !isSession(name.substr(0, dot))) {
        return result;
    }
    if (const auto n = numberIn(name.substr(dot + 1))) {
        result.kind = FolderName::Kind::SessionJournal;
        result.session = std::string(name.substr(0, dot));
        result.number = *n;
    }
    return result;
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
    }
    ::closedir(entries);
    return names;
}

/// Opens a lock file, made when missing, without following a link or
/// waiting on a pipe; -1 when it is no regular file.
int openLockFile(const std::string& path, bool create) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(),
                    O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | (create ? O_CREAT : 0), 0600);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return -1;
    }
    struct stat s {};
    if (::fstat(fd, &s) != 0 || !S_ISREG(s.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

/// What a file in the journal's folder held.
struct FileReading {
    enum class Found : std::uint8_t { Record, Unusable, Missing, Newer };
    Found found = Found::Missing;
    std::optional<JournalRecord> record;
};

FileReading readJournalFile(const std::string& path) {
    FileReading reading;
    struct stat s {};
    if (::lstat(path.c_str(), &s) != 0) {
        reading.found = errno == ENOENT ? FileReading::Found::Missing : FileReading::Found::Unusable;
        return reading;
    }
    reading.found = FileReading::Found::Unusable;
    if (!S_ISREG(s.st_mode)) {
        return reading; // a link, a folder, a pipe, a device: no journal of ours
    }
    toolkit::FileRead file = toolkit::readRegularFile(path, static_cast<std::int64_t>(kMaxJournalBytes));
    if (file.outcome == toolkit::FileRead::Outcome::NotOpened && file.error == ENOENT) {
        reading.found = FileReading::Found::Missing;
        return reading;
    }
    if (file.outcome != toolkit::FileRead::Outcome::Read) {
        return reading;
    }
    JournalReading parsed = parseJournal(file.bytes);
    if (parsed.newerVersion) {
        reading.found = FileReading::Found::Newer; // a later program's to read: left as it is
    } else if (parsed.record) {
        reading.found = FileReading::Found::Record;
        reading.record = std::move(parsed.record);
    }
    return reading;
}

std::string dateText(Seconds time) {
    const std::time_t t = time.time_since_epoch().count();
    std::tm parts{};
    char text[32] = "";
    if (::gmtime_r(&t, &parts) != nullptr) {
        std::strftime(text, sizeof text, "%Y-%m-%dT%H-%M-%S", &parts);
    }
    return text;
}

/// Whether the file at `path` begins as the journal of a later version does;
/// its first line alone is read.
bool isOfLaterVersion(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    char head[64];
    const ssize_t got = ::read(fd, head, sizeof head);
    ::close(fd);
    if (got <= 0) {
        return false;
    }
    const std::string_view text(head, static_cast<std::size_t>(got));
    return parseJournal(text.substr(0, text.find('\n') + 1)).newerVersion;
}

bool isSetAside(std::string_view name) {
    return name.starts_with("journal-") && name.ends_with(".bad");
}

} // namespace

Seconds systemClock() {
    return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
}

/// The folder's lock, held while the list of plans changes or sessions are
/// recovered, so that two programs starting at once recover a session once.
/// Held for a few milliseconds at most; waited for at most a fifth of a second.
class Journal::FolderLock {
public:
    explicit FolderLock(Journal& journal) {
        const std::string path = journal.path(kFolderLockName);
        m_fd = openLockFile(path, true);
        if (m_fd < 0) {
            journal.setAside(std::string(kFolderLockName));
            m_fd = openLockFile(path, true);
        }
        for (int attempt = 0; m_fd >= 0 && attempt < 200; ++attempt) {
            if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
                m_held = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    ~FolderLock() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    [[nodiscard]] bool held() const { return m_held; }

private:
    int m_fd = -1;
    bool m_held = false;
};

Journal::Journal(JournalSetup setup)
    : m_folder(std::move(setup.folder)), m_clock(std::move(setup.clock)), m_unnamedFiles(setup.unnamedFiles) {
    if (!m_folder.empty()) {
        open();
    }
}

void Journal::open() {
    // The plans are the player's alone: a folder made here is theirs only.
    std::error_code error;
    if (std::filesystem::create_directories(m_folder, error)) {
        std::filesystem::permissions(m_folder, std::filesystem::perms::owner_all, error);
    }
    struct stat s {};
    if (::stat(m_folder.c_str(), &s) != 0 || !S_ISDIR(s.st_mode)) {
        m_failure = toolkit::FileError::of(s.st_mode != 0 ? ENOTDIR : (error ? error.value() : ENOENT));
        return;
    }
    {
        FolderLock lock(*this);
        if (lock.held()) {
            recoverEndedSessions();
        }
    }
    startSession(namesIn(m_folder));
    if (!usable()) {
        m_failure = toolkit::FileError::of(::access(m_folder.c_str(), W_OK) != 0 ? errno : EACCES);
    }
}

Journal::~Journal() {
    if (!usable()) {
        return;
    }
    planLeft();
    FolderLock lock(*this);
    ::unlink(path(m_session + std::string(kLockTail)).c_str());
    ::close(m_lockFd);
}

std::string Journal::path(std::string_view name) const {
    return m_folder + '/' + std::string(name);
}

std::string Journal::journalName(std::uint64_t number) const {
    return m_session + '.' + std::to_string(number) + std::string(kJournalTail);
}

void Journal::startSession(const std::vector<std::string>& names) {
    const std::string pid = std::to_string(::getpid());
    for (int k = 1; k <= 100 && m_lockFd < 0; ++k) {
        std::string session = std::string(kSessionHead) + pid;
        if (k > 1) {
            session.append("_").append(std::to_string(k));
        }
        const int fd = openLockFile(path(session + std::string(kLockTail)), true);
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_lockFd = fd;
            m_session = session;
        } else if (fd >= 0) {
            ::close(fd); // another program's, living
        }
    }
    // Journals of a session of this name that could not be recovered stay
    // older than ours.
    for (const std::string& name : names) {
        const FolderName found = classify(name);
        if (found.kind == FolderName::Kind::SessionJournal &&
            std::string(kSessionHead) + found.session == m_session) {
            m_written = std::max(m_written, found.number);
        }
    }
}

void Journal::recoverEndedSessions() {
    // The folder is listed once, however many files it holds: each session's
    // journals, newest first, and the newest of the plans that left.
    std::map<std::string, EndedSession> sessions;
    std::uint64_t newestLeft = 0;
    for (const std::string& name : namesIn(m_folder)) {
        const FolderName found = classify(name);
        if (found.kind == FolderName::Kind::SessionLock) {
            sessions[std::string(kSessionHead) + found.session].locked = true;
        } else if (found.kind == FolderName::Kind::SessionJournal) {
            sessions[std::string(kSessionHead) + found.session].numbers.push_back(found.number);
        } else if (found.kind == FolderName::Kind::Left) {
            newestLeft = std::max(newestLeft, found.number);
        }
    }
    m_recovery = Recovery{newestLeft, 0, 0};
    for (auto& [session, ended] : sessions) {
        std::sort(ended.numbers.rbegin(), ended.numbers.rend());
        recoverSession(session, ended);
    }
    const std::size_t setAsideNow = m_recovery->setAside;
    m_recovery.reset();
    if (setAsideNow > 0) {
        pruneSetAside();
    }
    // Writes that never finished, where new files cannot be unnamed.
    toolkit::removeStaleTemporaries(m_folder);
    pruneList();
}

void Journal::recoverSession(const std::string& session, const EndedSession& ended) {
    // A program that starts makes its lock before its first journal: one
    // whose lock the listing did not see has no journal in it either.
    const std::string lockPath = path(session + std::string(kLockTail));
    const int fd = ended.locked ? openLockFile(lockPath, false) : -1;
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return; // its program runs
    }
    struct stat s {};
    if (fd < 0 && ended.locked && ::lstat(lockPath.c_str(), &s) == 0) {
        setAside(session + std::string(kLockTail));
    }
    const std::vector<std::uint64_t>& numbers = ended.numbers;
    // The newest whole journal is the plan that was on screen; those before
    // it are older states of it. Only as many plans as the list keeps are
    // read: the journals of the sessions beyond them, which the list would
    // let go unread, go at once.
    bool found = m_recovery && m_recovery->plans >= kKeptPlans;
    for (const std::uint64_t number : numbers) {
        const std::string name = session + '.' + std::to_string(number) + std::string(kJournalTail);
        const FileReading reading = found ? FileReading{} : readJournalFile(path(name));
        if (reading.found == FileReading::Found::Newer || (found && isOfLaterVersion(path(name)))) {
            continue;
        }
        if (reading.found == FileReading::Found::Unusable) {
            setAside(name);
        } else if (reading.found == FileReading::Found::Record && !found) {
            found = true;
            if (!reading.record->saved && !reading.record->plan.history.empty()) {
                if (moveIntoList(name) && m_recovery) {
                    ++m_recovery->plans;
                }
            } else {
                ::unlink(path(name).c_str());
            }
        } else {
            ::unlink(path(name).c_str());
        }
    }
    if (fd >= 0) {
        ::unlink(lockPath.c_str());
        ::close(fd);
    }
}

std::optional<toolkit::FileError> Journal::writeNewFile(const std::string& name, std::string_view text) {
    // Synced only when made durable: a kill leaves the old journal or this
    // one whole, a power cut the durable one.
    const toolkit::AtomicWrite how{toolkit::Existing::Keep, 0600, false, m_unnamedFiles};
    return toolkit::writeAtomically(path(name), text, how);
}

void Journal::removeOwnFiles(std::uint64_t keep) {
    for (const std::uint64_t number : {m_durable, m_written}) {
        if (number != 0 && number != keep) {
            ::unlink(path(journalName(number)).c_str());
        }
    }
}

void Journal::write(JournalRecord record) {
    m_current = std::move(record);
    m_currentWritten = false;
    if (!usable() && !m_folder.empty()) {
        open(); // a folder that could not be used may be usable now
    }
    if (!usable()) {
        return;
    }
    std::uint64_t number = m_written + 1;
    auto failure = writeNewFile(journalName(number), formatJournal(*m_current));
    if (failure && failure->number == ENOENT) {
        // The folder went while the program ran: made again, under a new lock.
        ::close(m_lockFd);
        m_lockFd = -1;
        m_written = 0;
        m_durable = 0;
        open();
        number = m_written + 1;
        failure = usable() ? writeNewFile(journalName(number), formatJournal(*m_current)) : m_failure;
    }
    if (failure) {
        m_failure = failure; // the journal before it stays
        return;
    }
    m_failure.reset();
    m_currentWritten = true;
    // The durable one stays until a later one is durable.
    if (m_written != m_durable) {
        ::unlink(path(journalName(m_written)).c_str());
    }
    m_written = number;
}

void Journal::planChanged(const model::Plan& plan) {
    if (m_current && m_currentWritten && !m_current->saved && m_current->plan == plan) {
        return;
    }
    write(JournalRecord{plan, false, m_clock()});
}

void Journal::planSaved(const model::Plan& plan) {
    const Seconds changedAt = m_current && m_current->plan == plan ? m_current->changedAt : m_clock();
    write(JournalRecord{plan, true, changedAt});
}

void Journal::makeDurable() {
    if (!usable() || !m_current || m_written == 0 || m_written == m_durable) {
        return;
    }
    const int fd = ::open(path(journalName(m_written)).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return;
    }
    const bool synced = ::fdatasync(fd) == 0;
    ::close(fd);
    const int folder = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    if (synced) {
        if (m_durable != 0) {
            ::unlink(path(journalName(m_durable)).c_str());
        }
        m_durable = m_written;
    }
}

void Journal::planLeft() {
    if (!m_current) {
        return;
    }
    FolderLock lock(*this);
    leave(true);
}

void Journal::leave(bool prune) {
    if (!m_current || !usable()) {
        m_current.reset();
        return;
    }
    std::uint64_t kept = 0;
    if (!m_current->saved && !m_current->plan.history.empty()) {
        if (!m_currentWritten) {
            write(*m_current); // a last try: the plan as it stands, not the journal before it
        }
        makeDurable();
        if (!moveIntoList(journalName(m_written))) {
            kept = m_written; // for the next start to recover
        } else if (prune) {
            pruneList();
        }
    }
    removeOwnFiles(kept);
    m_current.reset();
    m_durable = 0;
}

bool Journal::moveIntoList(const std::string& name) {
    std::uint64_t newest = 0;
    if (m_recovery) {
        newest = m_recovery->newestLeft;
    } else {
        const std::vector<std::uint64_t> numbers = listNumbers();
        newest = numbers.empty() ? 0 : numbers.front();
    }
    for (std::uint64_t number = newest + 1; number < newest + 100; ++number) {
        const std::string to =
            path(std::string(kLeftHead) + std::to_string(number) + std::string(kJournalTail));
        const auto failure = toolkit::moveWithoutReplacing(path(name), to);
        if (!failure) {
            if (m_recovery) {
                m_recovery->newestLeft = number;
            }
            return true;
        }
        if (failure->number != EEXIST) {
            return false;
        }
    }
    return false;
}

std::vector<std::uint64_t> Journal::listNumbers() const {
    std::vector<std::uint64_t> numbers;
    for (const std::string& name : namesIn(m_folder)) {
        const FolderName found = classify(name);
        if (found.kind == FolderName::Kind::Left) {
            numbers.push_back(found.number);
        }
    }
    std::sort(numbers.rbegin(), numbers.rend());
    return numbers;
}

void Journal::pruneList() {
    const std::vector<std::uint64_t> numbers = listNumbers();
    for (std::size_t i = kKeptPlans; i < numbers.size(); ++i) {
        const std::string name =
            path(std::string(kLeftHead) + std::to_string(numbers[i]) + std::string(kJournalTail));
        if (!isOfLaterVersion(name)) {
            ::unlink(name.c_str());
        }
    }
}

void Journal::setAside(const std::string& name) {
    if (m_recovery && m_recovery->setAside >= kKeptSetAside) {
        ::remove(path(name).c_str()); // as many as are kept for a look are aside already
        return;
    }
    const std::string stem = "journal-" + dateText(m_clock());
    for (int k = 1; k < 100; ++k) {
        std::string aside = stem;
        if (k > 1) {
            aside.append("-").append(std::to_string(k));
        }
        aside.append(".bad");
        const auto failure = toolkit::moveWithoutReplacing(path(name), path(aside));
        if (!failure || failure->number != EEXIST) {
            break;
        }
    }
    if (m_recovery) {
        ++m_recovery->setAside; // pruned once, when the recovery is over
    } else {
        pruneSetAside();
    }
}

void Journal::pruneSetAside() {
    std::vector<std::string> setAside;
    for (std::string& other : namesIn(m_folder)) {
        if (isSetAside(other)) {
            setAside.push_back(std::move(other));
        }
    }
    if (setAside.size() > kKeptSetAside) {
        std::sort(setAside.begin(), setAside.end());
        for (std::size_t i = 0; i + kKeptSetAside < setAside.size(); ++i) {
            ::remove(path(setAside[i]).c_str());
        }
    }
}

std::vector<RecoverablePlan> Journal::recoverablePlans() {
    std::vector<RecoverablePlan> plans;
    if (!usable()) {
        return plans;
    }
    FolderLock lock(*this);
    if (!lock.held()) {
        return plans;
    }
    const std::vector<std::uint64_t> numbers = listNumbers();
    std::size_t kept = 0; // of this version
    for (const std::uint64_t number : numbers) {
        const std::string name = std::string(kLeftHead) + std::to_string(number) + std::string(kJournalTail);
        FileReading reading = readJournalFile(path(name));
        if (reading.found == FileReading::Found::Newer) {
            plans.emplace_back().number = number;
            plans.back().newerVersion = true;
        } else if (reading.found == FileReading::Found::Unusable) {
            setAside(name);
        } else if (reading.found == FileReading::Found::Record && kept == kKeptPlans) {
            ::unlink(path(name).c_str());
        } else if (reading.found == FileReading::Found::Record) {
            ++kept;
            const JournalRecord& record = *reading.record;
            plans.push_back(RecoverablePlan{number, record.plan.classId, model::levelReached(record.plan),
                                            record.saved, record.changedAt, record.plan.name});
        }
    }
    return plans;
}

std::optional<model::Plan> Journal::takeBack(std::uint64_t number) {
    if (!usable()) {
        return std::nullopt;
    }
    FolderLock lock(*this);
    if (!lock.held()) {
        return std::nullopt;
    }
    const std::string name = std::string(kLeftHead) + std::to_string(number) + std::string(kJournalTail);
    FileReading reading = readJournalFile(path(name));
    if (reading.found == FileReading::Found::Unusable) {
        setAside(name);
    }
    if (reading.found != FileReading::Found::Record) {
        return std::nullopt;
    }
    leave(false);
    const std::uint64_t own = m_written + 1;
    if (::rename(path(name).c_str(), path(journalName(own)).c_str()) != 0) {
        pruneList();
        return std::nullopt;
    }
    m_written = own;
    m_durable = own;
    m_current = std::move(reading.record);
    m_currentWritten = true;
    pruneList();
    return m_current->plan;
}

} // namespace skillwright::journal

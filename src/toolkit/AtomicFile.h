#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

/// Files written whole or not at all. Pure C++ on the platform's file calls,
/// so that a failure reports the platform's own error number.
namespace skillwright::toolkit {

/// A failed file operation: the platform's error number and its description.
struct FileError {
    int number = 0;
    std::string description;

    /// The error `number` (an errno) with the platform's sentence for it.
    static FileError of(int number);
};

/// What becomes of a file that already has the name written to.
enum class Existing : std::uint8_t {
    Replace, ///< the new file takes its name, in one step
    Keep,    ///< it stays, and the write fails with EEXIST
};

/// How a file is written atomically.
struct AtomicWrite {
    Existing existing = Existing::Replace;
    /// The new file's permissions, less the umask.
    mode_t permissions = 0666;
    /// On disk (fsync) before it takes the name, so that a power cut too
    /// leaves the old file or the new one; off, only a kill does, and the
    /// write costs microseconds instead of milliseconds.
    bool synced = true;
    /// Written unnamed (O_TMPFILE) where the file system allows it; off, under
    /// a temporary name, as on file systems without unnamed files.
    bool unnamed = true;
};

/// Writes `bytes` whole into a new file in the folder of `path` and only then
/// gives it the name `path`: whoever reads `path`, and a process killed at any
/// instant, sees the old file or the new one whole. On failure nothing new
/// stays behind, but for a temporary file that a kill leaves (".skillwright-"
/// and six letters) while the new file has no name of its own yet: the
/// unnamed one on its way over an old file, or, without unnamed files, any.
/// removeStaleTemporaries() removes them.
std::optional<FileError> writeAtomically(const std::string& path, std::string_view bytes,
                                         const AtomicWrite& how = {});

/// Removes the temporary files of ours that writes killed midway left in
/// `folder` ("" for the working folder). A write holds a lock on its file for
/// as long as it runs, so one nobody holds is stale, whichever program left it.
void removeStaleTemporaries(const std::string& folder);

/// Makes the file at `path` hold exactly `bytes`, as a document the player
/// saves: written atomically over the old file, synced, keeping the old file's
/// permissions, after the stale temporaries in its folder are removed. A link
/// is followed and stays; a device or pipe is written directly, as it cannot
/// be replaced; a file the player made read-only is refused (EACCES).
std::optional<FileError> writeWholeFile(const std::string& path, std::string_view bytes);

/// Moves `from` to `to` unless a file has that name: then fails with EEXIST.
std::optional<FileError> moveWithoutReplacing(const std::string& from, const std::string& to);

/// Makes `folder` and any missing folder above it; an existing one is fine.
std::optional<FileError> makeFolder(const std::string& folder);

} // namespace skillwright::toolkit

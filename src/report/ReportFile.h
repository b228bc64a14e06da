#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skillwright::report {

/// A failed file operation: the platform's error number and its description.
struct FileError {
    int number = 0;
    std::string description;
};

/// Makes the file at `path` hold exactly `bytes`. The text is written whole
/// into a new file beside it that then takes its place, keeping the old file's
/// permissions; on any failure the old file is left as it was and nothing new
/// stays behind. A link is followed and stays; a device or pipe is written
/// directly, as it cannot be replaced.
///
/// The new file has no name until it takes its place where the file system
/// allows it (O_TMPFILE), so a process killed while saving leaves the old or
/// the new file whole and nothing else, but for the moment between naming and
/// renaming over an old file. Temporary files of ours that such a kill left,
/// ".skillwright-" and six letters, are removed by the next save in the folder.
std::optional<FileError> writeWholeFile(const std::string& path, std::string_view bytes);

/// Makes `folder` and any missing folder above it; an existing one is fine.
std::optional<FileError> makeFolder(const std::string& folder);

} // namespace skillwright::report

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
std::optional<FileError> writeWholeFile(const std::string& path, std::string_view bytes);

} // namespace skillwright::report

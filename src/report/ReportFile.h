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

/// Creates or empties the file at `path` and writes `bytes` into it. On a
/// failure midway the file keeps what was written so far.
std::optional<FileError> writeWholeFile(const std::string& path, std::string_view bytes);

} // namespace skillwright::report

#pragma once

#include <cstdint>
#include <string>

namespace skillwright::toolkit {

/// What reading a file within a size limit came to.
struct FileRead {
    enum class Outcome : std::uint8_t {
        Read,       ///< `bytes` holds the whole file
        NotOpened,  ///< the name is empty or invalid, or open() failed (`error`)
        NotRead,    ///< fstat() or read() failed (`error`)
        Folder,     ///< a folder
        NotRegular, ///< a pipe, a device or a socket
        TooLarge,   ///< more than the limit
    };
    Outcome outcome = Outcome::NotOpened;
    int error = 0; ///< errno of a failed call
    std::string bytes;
};

/// Reads a regular file of at most `maxBytes`. Opens without blocking, so a
/// pipe nobody writes to answers at once, and reads at most one byte past
/// the limit, so a file growing while it is read costs no more.
FileRead readRegularFile(const std::string& path, std::int64_t maxBytes);

} // namespace skillwright::toolkit

#include "ReportFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace skillwright::report {

namespace {

FileError errorOf(int number) {
    return FileError{number, std::strerror(number)};
}

} // namespace

std::optional<FileError> writeWholeFile(const std::string& path, std::string_view bytes) {
    // The platform takes names as C strings: a NUL would silently cut the name
    // short and write some other file, so refuse it as the platform would.
    if (path.find('\0') != std::string::npos) {
        return errorOf(EINVAL);
    }

    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return errorOf(errno);
    }

    std::optional<FileError> failure;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            failure = errorOf(errno);
            break;
        }
        done += static_cast<std::size_t>(n);
    }

    // A close that fails after good writes still means the text may not be on disk.
    if (::close(fd) != 0 && !failure && errno != EINTR) {
        failure = errorOf(errno);
    }
    return failure;
}

} // namespace skillwright::report

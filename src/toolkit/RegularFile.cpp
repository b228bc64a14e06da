#include "RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skillwright::toolkit {

namespace {

/// Closes a descriptor on every way out.
struct Descriptor {
    int fd = -1;
    Descriptor() = default;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

FileRead failed(FileRead::Outcome outcome, int error = 0) {
    FileRead read;
    read.outcome = outcome;
    read.error = error;
    return read;
}

} // namespace

FileRead readRegularFile(const std::string& path, std::int64_t maxBytes) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return failed(FileRead::Outcome::NotOpened);
    }
    Descriptor file;
    do {
        file.fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (file.fd < 0 && errno == EINTR);
    if (file.fd < 0) {
        return failed(FileRead::Outcome::NotOpened, errno);
    }
    struct stat status {};
    if (::fstat(file.fd, &status) != 0) {
        return failed(FileRead::Outcome::NotRead, errno);
    }
    if (S_ISDIR(status.st_mode)) {
        return failed(FileRead::Outcome::Folder);
    }
    if (!S_ISREG(status.st_mode)) {
        return failed(FileRead::Outcome::NotRegular);
    }
    if (status.st_size > maxBytes) {
        return failed(FileRead::Outcome::TooLarge);
    }
    FileRead read;
    read.outcome = FileRead::Outcome::Read;
    read.bytes.resize(static_cast<std::size_t>(std::min<std::int64_t>(status.st_size, maxBytes) + 1));
    std::size_t done = 0;
    const auto limit = static_cast<std::size_t>(maxBytes);
    while (done < read.bytes.size()) {
        const ssize_t n = ::read(file.fd, read.bytes.data() + done, read.bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return failed(FileRead::Outcome::NotRead, errno);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
        if (done == read.bytes.size() && done <= limit) {
            read.bytes.resize(std::min(done * 2, limit + 1));
        }
    }
    if (done > limit) {
        return failed(FileRead::Outcome::TooLarge);
    }
    read.bytes.resize(done);
    return read;
}

} // namespace skillwright::toolkit

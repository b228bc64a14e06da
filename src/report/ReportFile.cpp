#include "ReportFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace skillwright::report {

namespace {

FileError errorOf(int number) {
    return FileError{number, std::strerror(number)};
}

/// The folder part of `path` with its trailing slash, or "" for a bare name.
std::string folderOf(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

/// Where the link at `path` points, relative targets taken from the link's folder.
std::optional<std::string> linkTarget(const std::string& path) {
    std::string target(4096, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) == target.size()) {
        return std::nullopt; // not a link
    }
    target.resize(static_cast<std::size_t>(n));
    return target.front() == '/' ? target : folderOf(path) + target;
}

std::optional<FileError> writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errorOf(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    return std::nullopt;
}

/// A close that fails after good writes still means the text may not be on disk.
std::optional<FileError> closeAfter(int fd, std::optional<FileError> failure) {
    if (::close(fd) != 0 && !failure && errno != EINTR) {
        failure = errorOf(errno);
    }
    return failure;
}

/// Devices and pipes cannot be replaced, only written. A pipe that nobody
/// reads is refused at once (ENXIO) instead of waiting for a reader for good.
std::optional<FileError> writeInPlace(const std::string& path, std::string_view bytes) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return errorOf(errno);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return closeAfter(fd, writeAll(fd, bytes));
}

/// Writes the whole text into a new file beside `path` and only then renames it
/// over `path`, so a save that fails leaves the old file exactly as it was.
std::optional<FileError> replaceWith(const std::string& path, std::string_view bytes,
                                     std::optional<mode_t> keptMode) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::minstd_rand random{std::random_device{}()};
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = folderOf(path) + ".skillwright-";
        for (int i = 0; i < 6; ++i) {
            temporary += kLetters[random() % (sizeof kLetters - 1)];
        }
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR) {
            break;
        }
    }
    if (fd < 0) {
        return errorOf(errno);
    }

    std::optional<FileError> failure = writeAll(fd, bytes);
    if (!failure && keptMode) {
        ::fchmod(fd, *keptMode); // some file systems have no modes to keep; the text matters more
    }
    if (!failure && ::fsync(fd) != 0) {
        failure = errorOf(errno);
    }
    failure = closeAfter(fd, failure);
    if (!failure && ::rename(temporary.c_str(), path.c_str()) != 0) {
        failure = errorOf(errno);
    }
    if (failure) {
        ::unlink(temporary.c_str());
    }
    return failure;
}

} // namespace

std::optional<FileError> writeWholeFile(const std::string& path, std::string_view bytes) {
    // The platform takes names as C strings: a NUL would silently cut the name
    // short and write some other file, so refuse it as the platform would.
    if (path.find('\0') != std::string::npos) {
        return errorOf(EINVAL);
    }

    // A name too long, a folder that cannot be searched or a loop of links is
    // reported here, before anything is written.
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        return errorOf(errno);
    }
    // A link stays a link: the file it names is the one replaced or created.
    if (const auto target = linkTarget(path)) {
        return writeWholeFile(*target, bytes);
    }
    if (!exists) {
        return replaceWith(path, bytes, std::nullopt);
    }
    if (!S_ISREG(old.st_mode)) {
        return writeInPlace(path, bytes);
    }
    // Renaming needs only the folder to be writable; a file the user made
    // read-only is not to be replaced behind their back.
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        return errorOf(errno);
    }
    return replaceWith(path, bytes, old.st_mode & 07777);
}

} // namespace skillwright::report

#include "AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skillwright::toolkit {

namespace {

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
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return FileError::of(n < 0 ? errno : EIO); // nothing written: nothing will be
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return std::nullopt;
}

/// Devices and pipes cannot be replaced, only written. A pipe that nobody
/// reads is refused at once (ENXIO) instead of waiting for a reader for good.
std::optional<FileError> writeInPlace(const std::string& path, std::string_view bytes) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return FileError::of(errno);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::optional<FileError> failure = writeAll(fd, bytes);
    // A close that fails after good writes still means the text may not be there.
    if (::close(fd) != 0 && !failure && errno != EINTR) {
        failure = FileError::of(errno);
    }
    return failure;
}

/// Our temporary files: ".skillwright-" and six letters or digits.
constexpr std::string_view kTemporaryPrefix = ".skillwright-";
constexpr std::size_t kTemporaryLetters = 6;

bool isOurTemporary(std::string_view name) {
    return name.size() == kTemporaryPrefix.size() + kTemporaryLetters && name.starts_with(kTemporaryPrefix) &&
           std::all_of(name.begin() + kTemporaryPrefix.size(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

std::string temporaryName(const std::string& folder) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::minstd_rand random{std::random_device{}()};
    std::string name = folder + std::string(kTemporaryPrefix);
    for (std::size_t i = 0; i < kTemporaryLetters; ++i) {
        name += kLetters[random() % (sizeof kLetters - 1)];
    }
    return name;
}

/// Gives the unnamed file `fd` the name `path`; fails with EEXIST when the
/// name is taken. Through /proc, which needs no privilege, or else directly.
bool linkUnnamed(int fd, const std::string& path) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return true;
    }
    const int error = errno;
    if (error == ENOENT && ::access("/proc/self/fd", F_OK) != 0) {
        return ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0;
    }
    errno = error;
    return false;
}

/// A new file in `folder`: unnamed where the file system allows it and `how`
/// asks for it; otherwise under a temporary name, returned in `temporary`.
int openNewFile(const std::string& folder, const AtomicWrite& how, std::string& temporary) {
    temporary.clear();
    int fd = -1;
    if (how.unnamed) {
        fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, how.permissions);
        if (fd >= 0) {
            return fd;
        }
    }
    // Not on this file system, or not here at all: the named file says which.
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = temporaryName(folder);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, how.permissions);
        if (fd < 0 && errno != EEXIST && errno != EINTR) {
            break;
        }
    }
    return fd;
}

/// Puts the written file `fd` in place at `path`, atomically. An unnamed
/// file is linked straight to `path` when nothing is there; over an old file
/// it is linked to a temporary name and renamed over it, the one moment in
/// which a kill leaves a temporary file of an unnamed one.
std::optional<FileError> putInPlace(int fd, std::string& temporary, const std::string& path,
                                    Existing existing) {
    if (temporary.empty()) {
        if (linkUnnamed(fd, path)) {
            return std::nullopt;
        }
        if (errno != EEXIST || existing == Existing::Keep) {
            return FileError::of(errno);
        }
        for (int attempt = 0; temporary.empty() && attempt < 100; ++attempt) {
            const std::string name = temporaryName(folderOf(path));
            if (linkUnnamed(fd, name)) {
                temporary = name;
            } else if (errno != EEXIST) {
                return FileError::of(errno);
            }
        }
        if (temporary.empty()) {
            return FileError::of(EEXIST);
        }
    }
    if (existing == Existing::Keep) {
        if (auto failure = moveWithoutReplacing(temporary, path)) {
            return failure;
        }
    } else if (::rename(temporary.c_str(), path.c_str()) != 0) {
        return FileError::of(errno);
    }
    temporary.clear();
    return std::nullopt;
}

std::optional<FileError> writeNewFile(const std::string& path, std::string_view bytes, const AtomicWrite& how,
                                      std::optional<mode_t> keptMode) {
    // The platform takes names as C strings: a NUL would silently cut the name
    // short and write some other file, so refuse it as the platform would.
    if (path.find('\0') != std::string::npos) {
        return FileError::of(EINVAL);
    }
    std::string temporary;
    const int fd = openNewFile(folderOf(path), how, temporary);
    if (fd < 0) {
        return FileError::of(errno);
    }
    // Held until the file is in place: removeStaleTemporaries() beside this
    // write leaves a locked file alone.
    ::flock(fd, LOCK_EX | LOCK_NB);

    std::optional<FileError> failure = writeAll(fd, bytes);
    if (!failure && keptMode) {
        ::fchmod(fd, *keptMode); // some file systems have no modes to keep; the text matters more
    }
    if (!failure && how.synced && ::fsync(fd) != 0) {
        failure = FileError::of(errno);
    }
    if (!failure) {
        failure = putInPlace(fd, temporary, path, how.existing);
    }
    // Open until here, as an unnamed file goes with its last descriptor.
    ::close(fd);
    if (!temporary.empty()) {
        ::unlink(temporary.c_str());
    }
    return failure;
}

} // namespace

FileError FileError::of(int number) {
    return FileError{number, std::strerror(number)};
}

std::optional<FileError> writeAtomically(const std::string& path, std::string_view bytes,
                                         const AtomicWrite& how) {
    return writeNewFile(path, bytes, how, std::nullopt);
}

void removeStaleTemporaries(const std::string& folder) {
    DIR* entries = ::opendir(folder.empty() ? "." : folder.c_str());
    if (entries == nullptr) {
        return; // a write there says why the folder cannot be used
    }
    const std::string prefix = folder.empty() || folder.ends_with('/') ? folder : folder + '/';
    while (const dirent* entry = ::readdir(entries)) {
        if (!isOurTemporary(entry->d_name)) {
            continue;
        }
        const std::string path = prefix + entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0) {
            continue;
        }
        struct stat s {};
        if (::fstat(fd, &s) == 0 && S_ISREG(s.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(path.c_str());
        }
        ::close(fd);
    }
    ::closedir(entries);
}

std::optional<FileError> writeWholeFile(const std::string& path, std::string_view bytes) {
    if (path.find('\0') != std::string::npos) {
        return FileError::of(EINVAL);
    }
    // A name too long, a folder that cannot be searched or a loop of links is
    // reported here, before anything is written.
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        return FileError::of(errno);
    }
    // A link stays a link: the file it names is the one replaced or created.
    if (const auto target = linkTarget(path)) {
        return writeWholeFile(*target, bytes);
    }
    if (exists && !S_ISREG(old.st_mode)) {
        return writeInPlace(path, bytes);
    }
    // Renaming needs only the folder to be writable; a file the player made
    // read-only is not to be replaced behind their back.
    if (exists && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        return FileError::of(errno);
    }
    removeStaleTemporaries(folderOf(path));
    return writeNewFile(path, bytes, AtomicWrite{},
                        exists ? std::optional<mode_t>(old.st_mode & 07777) : std::nullopt);
}

std::optional<FileError> moveWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return std::nullopt;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return FileError::of(errno);
    }
    // A file system without it: a link never replaces either.
    if (::link(from.c_str(), to.c_str()) != 0) {
        return FileError::of(errno);
    }
    ::unlink(from.c_str());
    return std::nullopt;
}

std::optional<FileError> makeFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return FileError::of(error.value());
    }
    return std::nullopt;
}

} // namespace skillwright::toolkit

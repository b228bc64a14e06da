#include "ProgramFolders.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

// The installed layout's way from the program's folder (games/) to our data,
// set by the build from the installation folders (normally "../share/skillwright").
#ifndef SKILLWRIGHT_DATA_FROM_BIN
#error "SKILLWRIGHT_DATA_FROM_BIN must name the data folder relative to the program's"
#endif

namespace skillwright::toolkit {

std::string stateFolder(std::string_view xdgStateHome, std::string_view home) {
    auto under = [](std::string_view folder, std::string_view rest) {
        std::string path(folder);
        while (path.size() > 1 && path.back() == '/') {
            path.pop_back();
        }
        return (path == "/" ? "" : path) + std::string(rest);
    };
    // A relative value is to be ignored, as if unset.
    if (xdgStateHome.starts_with('/')) {
        return under(xdgStateHome, "/skillwright");
    }
    if (home.starts_with('/')) {
        return under(home, "/.local/state/skillwright");
    }
    return {};
}

ProgramFolders::Probe ProgramFolders::fileSystem() {
    return Probe{
        [](const std::string& path) {
            struct stat s {};
            return ::stat(path.c_str(), &s) == 0;
        },
        // Permissions and a read-only file system alike; root passes the
        // first, never the second.
        [](const std::string& folder) {
            return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
        },
    };
}

ProgramFolders::ProgramFolders(std::string programFolder, std::string documentsFolder, Probe probe)
    : m_programFolder(std::move(programFolder)), m_documentsFolder(std::move(documentsFolder)),
      m_probe(std::move(probe)) {}

std::string ProgramFolders::installedDataFolder() const {
    std::string folder =
        (std::filesystem::path(m_programFolder) / SKILLWRIGHT_DATA_FROM_BIN).lexically_normal().string();
    if (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

bool ProgramFolders::installed() const {
    const bool animationsBeside =
        std::any_of(kAnimationFileNames.begin(), kAnimationFileNames.end(), [this](std::string_view name) {
            return m_probe.exists(m_programFolder + '/' + std::string(name));
        });
    return !animationsBeside && m_probe.exists(installedDataFolder());
}

std::string ProgramFolders::animationFolder() const {
    return installed() ? installedDataFolder() : m_programFolder;
}

std::string ProgramFolders::reportFolder() const {
    if (!installed() && m_probe.takesNewFiles(m_programFolder)) {
        return m_programFolder;
    }
    return m_documentsFolder + "/Skillwright";
}

} // namespace skillwright::toolkit

// Files for the tests that write to disk: a fresh folder of their own, and
// what a file or a folder holds, to compare before and after.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace skillwright::testing {

/// The bytes of the file at `path`; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

/// The names directly in `folder`.
inline std::set<std::string> namesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        names.insert(e.path().filename().string());
    }
    return names;
}

/// A new empty folder under the system's temporary folder, removed with all
/// it holds when the test is done, even after a test took its rights away.
struct TemporaryFolder {
    std::filesystem::path path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "sw-test-XXXXXX").string();
        return ::mkdtemp(pattern.data()) != nullptr ? std::filesystem::path(pattern)
                                                    : std::filesystem::path();
    }();

    TemporaryFolder() = default;
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path, ignored);
    }
};

} // namespace skillwright::testing

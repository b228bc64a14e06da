#pragma once
// Lists typed into tab-separated files for the tests: one row a line, lines
// that are empty or begin with "#" left out.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace skillwright::testing {

/// The rows of the file at `path`, each split at its tabs; none when the
/// file cannot be read.
inline std::vector<std::vector<std::string>> readTsvRows(const char* path) {
    std::ifstream in(path);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::vector<std::string>& fields = rows.emplace_back();
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) {
            fields.push_back(field);
        }
    }
    return rows;
}

} // namespace skillwright::testing

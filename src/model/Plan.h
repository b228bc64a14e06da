#pragma once

#include <model/Catalogue.h>
#include <model/History.h>

#include <string>
#include <vector>

namespace skillwright::model {

/// A plan: a class and the points of its character in the order they were
/// obtained, with the name it was saved or opened under. A value that exists
/// apart from any screen: it is copied, compared, written to a report or a
/// code, and turned into a build by replaying it through the rules.
struct Plan {
    ClassId classId = ClassId::Necromancer;
    std::vector<HistoryEntry> history;
    std::string name; ///< UTF-8; empty when it has none

    friend bool operator==(const Plan&, const Plan&) = default;
};

} // namespace skillwright::model

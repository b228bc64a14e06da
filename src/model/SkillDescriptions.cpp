#include "Catalogue.h"

namespace skillwright::model {

// Interim texts until the full descriptions are written: the tooltip.
std::string_view skillDescription(TreeId id, int index) { return skill(id, index).tooltip; }

std::string_view skillNote(TreeId id, int index) {
    if (id == TreeId::AmazonBC && index == 3) {
        return "Note: only one of the arrows can hit any single target.";
    }
    return {};
}

} // namespace skillwright::model

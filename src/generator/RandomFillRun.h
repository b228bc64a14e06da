#pragma once

#include <cstdint>
#include <stop_token>

namespace skillwright::document {
class PlanDocument;
}
namespace skillwright::toolkit {
class Toolkit;
}

namespace skillwright::generator {

/// Fills the open skill tree screen with a generated character up to
/// `level`: lets events run nine times, then spends one random point per
/// level, letting events run before and after each, tells the player when
/// the last point owed is spent ("Generation Complete") and takes that last
/// point back. The player watches, and may act, between two generated
/// points; RESET, a class change, the screen closing or a stop requested
/// through `stop` end the fill at once, with no closing message, and so does
/// an undo or redo. The generated points are one edit of the document. True
/// when the fill ran to its end.
bool fillRandomly(document::PlanDocument& document, toolkit::Toolkit& toolkit, std::int16_t level,
                  std::stop_token stop = {});

} // namespace skillwright::generator

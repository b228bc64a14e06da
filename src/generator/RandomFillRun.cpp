#include "RandomFillRun.h"

#include <model/RandomGeneration.h>
#include <toolkit/Toolkit.h>

#include <document/PlanDocument.h>
#include <string>
#include <utility>

namespace skillwright::generator {

namespace {
constexpr int kEventRunsBeforeFill = 9;
}

bool fillRandomly(document::PlanDocument& document, toolkit::Toolkit& toolkit, std::int16_t level,
                  std::stop_token stop) {
    model::RandomSource random = [&toolkit] { return toolkit.random(); };
    const document::PlanDocument::Group oneEdit(document);
    const auto click = [&document](model::TreeId tree, std::int16_t index) {
        model::PointResult result;
        document.edit(document::EditKind::Fill,
                      [&](model::Build& build) { result = build.click(tree, index); });
        return result;
    };
    const auto undoLast = [&document] {
        bool undone = false;
        document.edit(document::EditKind::Fill, [&](model::Build& build) { undone = build.undoLast(); });
        return undone;
    };
    model::RandomFill fill(document.build(), {click, undoLast}, level, std::move(random), std::move(stop));
    const auto letEventsRun = [&] {
        toolkit.processEvents();
        return !fill.stopped();
    };
    if (fill.stopped()) {
        return false;
    }
    for (int n = 0; n < kEventRunsBeforeFill; ++n) {
        if (!letEventsRun()) {
            return false;
        }
    }
    while (fill.levelsLeft() > 0) {
        if (!letEventsRun()) {
            return false;
        }
        if (fill.generateLevel()) {
            // The screen shows the finished build behind the message.
            toolkit.messageBox(std::string(model::kGenerationDoneText),
                               std::string(model::kGenerationDoneTitle), toolkit::Icon::Information,
                               toolkit::Buttons::Ok);
        }
        if (fill.stopped() || !letEventsRun()) {
            return false;
        }
    }
    fill.finish();
    return true;
}

} // namespace skillwright::generator

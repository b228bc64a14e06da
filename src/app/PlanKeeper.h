#pragma once

#include <journal/Journal.h>
#include <model/BuildListener.h>
#include <model/Plan.h>
#include <screens/select/ContinueChoice.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace skillwright::model {
class Build;
}
namespace skillwright::toolkit {
class Timer;
class Toolkit;
} // namespace skillwright::toolkit

namespace skillwright::app {

/// Keeps the plan on screen in the journal, so that no plan is ever lost.
///
/// It follows the build: every completed change of the plan on screen is
/// written at once, and made durable at the first quiet second after it.
/// RESET, CHANGE CLASS and a screen that closes (another character or class
/// opened, the window closed) take the plan off the screen; the program tells
/// it of the rest (its end, a save).
class PlanKeeper final : private model::BuildListener {
public:
    /// How long the plan stays unchanged before its journal is made durable.
    static constexpr int kQuietMilliseconds = 1000;

    /// The journal lives in the toolkit's state folder.
    PlanKeeper(model::Build& build, toolkit::Toolkit& toolkit);
    ~PlanKeeper() override;
    PlanKeeper(const PlanKeeper&) = delete;
    PlanKeeper& operator=(const PlanKeeper&) = delete;

    /// The plan on screen leaves it.
    void planLeft();
    /// The plan on screen was just saved as, or opened from, the report `name`.
    void planSaved(const std::string& name);

    /// The plans that can be continued, newest first.
    [[nodiscard]] std::vector<screens::ContinueChoice> offers();
    /// Continues plan `number`: takes it from the list and hands it to
    /// `putOnScreen`, which replaces the plan on screen by replaying it; what
    /// the build reports meanwhile is the plan already kept. False when the
    /// plan is gone or can no longer be read.
    bool continuePlan(std::uint64_t number, const std::function<void(const model::Plan&)>& putOnScreen);

    /// Changes made while a batch lives are journalled once, as it ends (or
    /// before the plan leaves): a report's replay writes one journal, not one
    /// per entry.
    class Batch {
    public:
        explicit Batch(PlanKeeper& keeper) : m_keeper(keeper) { ++keeper.m_batches; }
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        PlanKeeper& m_keeper;
    };

    /// Runs whenever the list of plans to continue may have changed.
    void setListChanged(std::function<void()> listChanged) { m_listChanged = std::move(listChanged); }

private:
    void buildChanged(const model::BuildChange& change) override;
    void buildReset() override;
    void characterEnded() override;
    void record();
    void write();
    void leave();

    model::Build& m_build;
    journal::Journal m_journal;
    std::unique_ptr<toolkit::Timer> m_quietTimer;
    std::function<void()> m_listChanged;
    std::string m_name; ///< of the plan on screen, as saved or opened
    bool m_replacing = false;
    int m_batches = 0;
    bool m_pending = false; ///< a change made in a batch is not journalled yet
};

} // namespace skillwright::app

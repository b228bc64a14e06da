#pragma once

#include <journal/Journal.h>
#include <model/Plan.h>
#include <screens/select/ContinueChoice.h>

#include <cstdint>
#include <document/PlanDocument.h>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skillwright::toolkit {
class Timer;
class Toolkit;
} // namespace skillwright::toolkit

namespace skillwright::app {

/// Keeps the plan on screen in the journal, so that no plan is ever lost.
///
/// It follows the plan document: every completed change of the plan on screen
/// is written at once, and made durable at the first quiet second after it; a
/// plan saved, or undone back to where it was saved, is written as saved.
/// RESET and a plan that leaves the document (CHANGE CLASS, another character
/// or class opened, the window closed) take the plan off the screen; the
/// program tells it of its end. A journal that cannot be written is tried
/// again at every change and every few seconds, and told (keeps()), so that
/// the program can ask before unsaved points leave the screen.
class PlanKeeper final : private document::DocumentListener {
public:
    /// How long the plan stays unchanged before its journal is made durable.
    static constexpr int kQuietMilliseconds = 1000;

    /// The journal lives in the toolkit's state folder.
    PlanKeeper(document::PlanDocument& document, toolkit::Toolkit& toolkit);
    ~PlanKeeper() override;
    PlanKeeper(const PlanKeeper&) = delete;
    PlanKeeper& operator=(const PlanKeeper&) = delete;

    /// The plan on screen leaves it.
    void planLeft();

    /// How the list tells a plan kept for a later version of the program.
    static constexpr std::string_view kNewerVersion = "Kept for a newer version of Skillwright";
    /// The plans that can be continued, newest first.
    [[nodiscard]] std::vector<screens::ContinueChoice> offers();
    /// Continues plan `number`: takes it from the list and hands it to
    /// `putOnScreen`, which replaces the plan on screen by replaying it; what
    /// the document reports meanwhile is the plan already kept. False when the
    /// plan is gone or can no longer be read.
    bool continuePlan(std::uint64_t number, const std::function<void(const model::Plan&)>& putOnScreen);

    /// Runs whenever the list of plans to continue may have changed.
    void setListChanged(std::function<void()> listChanged) { m_listChanged = std::move(listChanged); }

    /// How long a journal that cannot be written waits before it tries again.
    static constexpr int kRetryMilliseconds = 5000;
    /// Whether the journal holds the plan on screen as it stands: false from
    /// the first write that fails until one works again.
    [[nodiscard]] bool keeps() const { return !m_journal.failure(); }
    /// keeps(), once a journal that could not be written has been tried again.
    bool keepsNow();
    /// What the tree screen shows while the journal cannot keep the plan,
    /// e.g. "Not being kept: the journal cannot be written (No space left on
    /// device)"; empty while it keeps it.
    [[nodiscard]] std::string notKeptText() const;
    /// Runs whenever keeps() changes.
    void setKeepingChanged(std::function<void()> keepingChanged) {
        m_keepingChanged = std::move(keepingChanged);
    }

private:
    void documentChanged(const document::PlanDocument& document,
                         const document::DocumentChange& change) override;
    void write();
    /// At a quiet moment: the journal made durable, or tried again while it fails.
    void quietMoment();
    void tellKeeping();

    document::PlanDocument& m_document;
    journal::Journal m_journal;
    std::unique_ptr<toolkit::Timer> m_quietTimer;
    std::function<void()> m_listChanged;
    std::function<void()> m_keepingChanged;
    bool m_keeps = true; ///< as last told
    bool m_replacing = false;
};

} // namespace skillwright::app

#pragma once

#include <QWidget>

#include <cstdint>
#include <document/PlanDocument.h>
#include <functional>
#include <optional>

class QLabel;
class QPlainTextEdit;

namespace skillwright::toolkit {
class Toolkit;
}

namespace skillwright::screens {

/// The notes of the plan on screen (frm_Notes): the plan's own note, and
/// while the tree screen looks back at a milestone, that milestone's name and
/// note. Plain text only. What is typed goes into the document at once, one
/// edit for each run of typing (a pause of kTypingPause ends it); a note that
/// would grow past what a note holds is refused with a message, and the note
/// stays as it was. Esc closes it.
class NotesWindow final : public QWidget, private document::DocumentListener {
public:
    /// Milliseconds from any fixed start; tests put a stand-in here.
    using Clock = std::function<std::int64_t()>;
    static constexpr std::int64_t kTypingPause = 1500;

    NotesWindow(document::PlanDocument& document, toolkit::Toolkit& toolkit, QWidget* parent = nullptr);
    ~NotesWindow() override;
    NotesWindow(const NotesWindow&) = delete;
    NotesWindow& operator=(const NotesWindow&) = delete;

    void setClock(Clock clock) { m_clock = std::move(clock); }
    /// The tree screen looks back at `entry`, or at the present (none).
    void showPast(std::optional<std::size_t> entry);

private:
    void documentChanged(const document::PlanDocument& document,
                         const document::DocumentChange& change) override;
    /// The editors and the milestone's name as the document holds them.
    void mirror();
    /// What was typed in `editor` goes into the document, or is refused.
    void typed(QPlainTextEdit& editor);
    [[nodiscard]] const model::Milestone* milestone() const;

    document::PlanDocument& m_document;
    toolkit::Toolkit& m_toolkit;
    Clock m_clock;
    std::optional<std::size_t> m_entry;
    std::int64_t m_lastTyped = -kTypingPause;
    QPlainTextEdit* m_planNote = nullptr;      ///< txt_PlanNote
    QLabel* m_milestoneName = nullptr;         ///< lbl_Milestone
    QPlainTextEdit* m_milestoneNote = nullptr; ///< txt_MilestoneNote
    bool m_mirroring = false;
};

} // namespace skillwright::screens

#pragma once

#include <QWidget>

#include <document/PlanDocument.h>
#include <functional>
#include <optional>
#include <presentation/PlanSummary.h>

class QComboBox;
class QPlainTextEdit;

namespace skillwright::toolkit {
class Toolkit;
}

namespace skillwright::screens {

/// The summary of the plan on screen (frm_Summary): the points per tree,
/// every skill with points and the levels it reached 1, 10 and 20 at, the
/// quest points taken and open, the reserve, the level order in runs, and
/// the milestones and the note where the plan has them. It follows the
/// plan, and while the tree screen looks back, the plan as it stood then.
/// Plain text, to read and to select. Below it the form of "Copy for
/// Forum" is chosen (kept as the toolkit's setting) and the copy made. Esc
/// closes it.
class SummaryWindow final : public QWidget, private document::DocumentListener {
public:
    /// `copyForForum` runs "Copy for Forum" on the tree screen, which tells what it came to.
    SummaryWindow(document::PlanDocument& document, toolkit::Toolkit& toolkit,
                  std::function<void()> copyForForum, QWidget* parent = nullptr);
    ~SummaryWindow() override;
    SummaryWindow(const SummaryWindow&) = delete;
    SummaryWindow& operator=(const SummaryWindow&) = delete;

    /// The tree screen looks back at `entry`, or at the present (none).
    void showPast(std::optional<std::size_t> entry);
    /// The summary shown, as the plan stood at the entry looked back at.
    [[nodiscard]] const presentation::PlanSummary& summary() const { return m_summary; }

private:
    void documentChanged(const document::PlanDocument& document,
                         const document::DocumentChange& change) override;
    void mirror();

    document::PlanDocument& m_document;
    toolkit::Toolkit& m_toolkit;
    std::optional<std::size_t> m_entry;
    presentation::PlanSummary m_summary;
    QPlainTextEdit* m_text = nullptr; ///< txt_Summary
    QComboBox* m_format = nullptr;    ///< cmb_ForumFormat
};

/// `summary` with what came from outside (its name, the milestones' names)
/// as plain stretches of text: no bidi controls, no line breaks, shortened.
[[nodiscard]] presentation::PlanSummary shownSummary(presentation::PlanSummary summary);

} // namespace skillwright::screens

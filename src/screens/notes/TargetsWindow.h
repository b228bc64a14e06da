#pragma once

#include <QWidget>

#include <document/PlanDocument.h>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace skillwright::screens {

/// The targets of the plan on screen (frm_Targets), first served first:
/// each row the skill, the points it is to end with and the level the plan
/// meets it at. Up and down change the order (Alt+Up, Alt+Down), Delete
/// takes a target away, and "Fill to Targets" adds the level-ups that meet
/// them. Esc closes it.
class TargetsWindow final : public QWidget, private document::DocumentListener {
public:
    /// `fill` runs Fill to Targets on the tree screen, which tells what it came to.
    TargetsWindow(document::PlanDocument& document, std::function<void()> fill, QWidget* parent = nullptr);
    ~TargetsWindow() override;
    TargetsWindow(const TargetsWindow&) = delete;
    TargetsWindow& operator=(const TargetsWindow&) = delete;

private:
    void documentChanged(const document::PlanDocument& document,
                         const document::DocumentChange& change) override;
    void mirror();
    /// Moves the selected target `by` places; -1 is earlier.
    void moveTarget(int by);
    void remove();

    document::PlanDocument& m_document;
    QListWidget* m_list = nullptr; ///< lst_Targets
    QLabel* m_empty = nullptr;     ///< lbl_NoTargets
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_fill = nullptr;
};

} // namespace skillwright::screens

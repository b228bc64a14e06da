#pragma once

#include <model/Attributes.h>
#include <model/Plan.h>

#include <QWidget>

#include <document/PlanDocument.h>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace skillwright::toolkit {
class Toolkit;
}

namespace skillwright::screens {

class LifeManaPlot;

/// The attribute plan of the plan on screen and what it makes of the
/// character (frm_Attributes): the targets in order and the attribute for the
/// rest, the levels Lam Esen's Tome and the Golden Bird were done at; the
/// four attributes, life, mana and stamina at the plan's level (or the level
/// of the entry the tree screen looks back at), beside a reference's when
/// one is compared; and a table of them by level with a plot of life and
/// mana. Every change is an edit of the document; one the class cannot have
/// is refused with a message and changes nothing. Esc closes it.
class AttributesWindow final : public QWidget, private document::DocumentListener {
public:
    AttributesWindow(document::PlanDocument& document, toolkit::Toolkit& toolkit, QWidget* parent = nullptr);
    ~AttributesWindow() override;
    AttributesWindow(const AttributesWindow&) = delete;
    AttributesWindow& operator=(const AttributesWindow&) = delete;

    /// The tree screen looks back at `entry`, or at the present (none).
    void showPast(std::optional<std::size_t> entry);
    /// The plan compared with, or none.
    void setReference(const model::Plan* reference);

private:
    void createEditors();
    void createFigures();
    void createTable();
    void documentChanged(const document::PlanDocument& document,
                         const document::DocumentChange& change) override;
    /// The attribute plan with `change` made to it goes to the document, or is refused.
    template <typename F> void change(F&& change);
    /// Everything shown, from the document.
    void mirror();
    void mirrorEditors();
    void mirrorFigures();
    void mirrorTable();
    [[nodiscard]] int shownLevel() const;

    document::PlanDocument& m_document;
    toolkit::Toolkit& m_toolkit;
    std::optional<std::size_t> m_entry;
    std::optional<model::Plan> m_reference;
    bool m_mirroring = false;

    QListWidget* m_targets = nullptr;            ///< lb_Targets
    QComboBox* m_targetAttribute = nullptr;      ///< cbo_TargetAttribute
    QSpinBox* m_targetValue = nullptr;           ///< txt_TargetValue
    std::array<QRadioButton*, 4> m_rest{};       ///< opt_Rest<Attribute>
    std::array<QSpinBox*, 3> m_tome{};           ///< txt_Tome<Difficulty>
    std::array<QSpinBox*, 3> m_goldenBird{};     ///< txt_GoldenBird<Difficulty>
    QLabel* m_heading = nullptr;                 ///< lbl_FiguresHeading
    QLabel* m_referenceHeading = nullptr;        ///< lbl_ReferenceHeading
    std::array<QLabel*, 7> m_figures{};          ///< lbl_<Figure>
    std::array<QLabel*, 7> m_referenceFigures{}; ///< lbl_<Figure>Reference
    QLabel* m_placing = nullptr;                 ///< lbl_Placing
    QCheckBox* m_everyLevel = nullptr;           ///< chk_EveryLevel
    QTableWidget* m_table = nullptr;             ///< tbl_Figures
    LifeManaPlot* m_plot = nullptr;              ///< img_LifeManaPlot
};

} // namespace skillwright::screens

#pragma once

#include <model/Catalogue.h>
#include <model/Comparison.h>
#include <model/History.h>
#include <model/Plan.h>
#include <screens/common/ScreenKit.h>

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

class QLabel;
class QListWidget;
class QWidget;

namespace skillwright::screens {

class HistoryDelegate;

/// The text colours of a difference: more points on screen than in the
/// reference, and fewer. Sky blue and orange stay apart for colour-blind
/// eyes; the sign tells the same on its own.
inline constexpr Rgb kMorePoints{86, 180, 233};
inline constexpr Rgb kFewerPoints{230, 159, 0};

/// A reference held beside the plan on a skill tree screen, and what the
/// screen shows of the difference: beside every count that differs, the
/// difference with its sign ("+3", "-2") on a dark ground, over the count;
/// at the foot of the description area, below the longest text it shows, a
/// line that names the reference and sums the comparison up; and a mark at
/// the left of every history entry from the one at which the plans part.
///
/// Its controls are children of the screen, made when the first reference
/// comes: a screen that never compares has none of them, and one whose
/// comparison ended has them hidden. None takes a pointer event, so the
/// screen's hover works through them as before.
class ComparisonOverlay {
public:
    ComparisonOverlay(QWidget& screen, model::ClassId classId, QListWidget& history, HistoryDelegate& marks);
    ~ComparisonOverlay();
    ComparisonOverlay(const ComparisonOverlay&) = delete;
    ComparisonOverlay& operator=(const ComparisonOverlay&) = delete;

    /// Compares the plan on screen with `reference`, a plan of the screen's
    /// class, named `name` in the summary. Shown at the next mirror().
    void setReference(model::Plan reference, std::string name);
    /// Ends the comparison: every control of it hides at once.
    void clear();
    [[nodiscard]] bool active() const { return m_reference.has_value(); }
    [[nodiscard]] const model::Plan* reference() const { return m_reference ? &*m_reference : nullptr; }

    /// Shows the comparison of the plan on screen, `history`, of which the
    /// screen shows the first `shownEntries` (fewer while it looks back: the
    /// reference is then taken as it stood at the same moment, and the
    /// history's marks still follow the whole plans).
    void mirror(std::span<const model::HistoryEntry> history, std::size_t shownEntries);

private:
    struct Badge {
        QLabel* label = nullptr;
        QString skill; ///< the skill's name, for a screen reader
        QWidget* icon = nullptr;
        QString description; ///< the icon's accessible description without the difference
        int centre = 0;      ///< pixels: the middle of the count below it
        int minLeft = 0;     ///< pixels: clear of its own icon
        int maxRight = 0;    ///< clear of the next column, separator or panel
        int bottom = 0;      ///< the count's top
        std::int16_t difference = 0;
    };
    void showDifference(Badge& badge, std::int16_t difference);
    void showSummary();
    void setMarkedFrom(int row);

    QListWidget& m_history;
    HistoryDelegate& m_marks;
    std::array<std::array<Badge, model::kSkillsPerTree>, 3> m_badges{};
    QLabel* m_summary = nullptr; ///< lbl_Comparison
    std::optional<model::Plan> m_reference;
    std::string m_name;
    std::string m_shownName; ///< shortened to leave the summary's figures room
    std::size_t m_restLength =
        std::string::npos; ///< of the summary without the name, when m_shownName was made
    model::Comparison m_shown;
    std::string m_summaryText;
    int m_markedFrom = -1;
};

} // namespace skillwright::screens

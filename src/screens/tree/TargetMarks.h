#pragma once

#include <model/Catalogue.h>

#include <QLabel>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace skillwright::document {
class PlanDocument;
}
namespace skillwright::toolkit {
class Toolkit;
}

namespace skillwright::screens {

/// The targets of the plan on a tree screen: a gold mark above the count of
/// each skill that has one ("→20", in the bare corner beside the icon, named
/// for a screen reader), and the ways a player sets them there. A target
/// set anew comes after those before it: the order they were set is their
/// priority until the targets window changes it.
class TargetMarks {
public:
    TargetMarks(QWidget& screen, document::PlanDocument& document, model::ClassId classId);

    /// The marks follow the plan's targets.
    void mirror();
    /// Sets the target of `skill` to `points`; 0 takes it away. Why not, if refused.
    std::optional<std::string> set(model::SkillRef skill, int points);
    /// Raises (Alt+click) or lowers (Alt+right-click) the target by `by`,
    /// from the points the skill holds when it has none.
    std::optional<std::string> step(model::SkillRef skill, int by);
    /// Asks for the target of `skill` in an input box; Cancel changes nothing.
    std::optional<std::string> ask(model::SkillRef skill, toolkit::Toolkit& toolkit);
    /// The target of `skill`: 0 when it has none.
    [[nodiscard]] int targetOf(model::SkillRef skill) const;

private:
    document::PlanDocument& m_document;
    std::array<std::array<QLabel*, model::kSkillsPerTree>, 3> m_marks{};
    std::array<std::array<std::int16_t, model::kSkillsPerTree>, 3> m_shown{};
};

} // namespace skillwright::screens

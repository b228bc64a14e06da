#include "TargetMarks.h"

#include "ScreenDesign.h"

#include <screens/common/ScreenKit.h>
#include <toolkit/Toolkit.h>

#include <algorithm>
#include <charconv>
#include <document/PlanDocument.h>
#include <presentation/Presentation.h>

namespace skillwright::screens {

namespace {

/// The marks' gold, the colour of the art's rims.
constexpr Rgb kMarkColour{255, 215, 96};

} // namespace

TargetMarks::TargetMarks(QWidget& screen, document::PlanDocument& document, model::ClassId classId)
    : m_document(document) {
    QFont font = screen.font();
    font.setPixelSize(10);
    font.setBold(true);
    for (const model::TreeId tree : model::classInfo(classId).trees) {
        const auto position = static_cast<std::size_t>(model::tree(tree).position);
        for (int i = 0; i < model::kSkillsPerTree; ++i) {
            // Above the count, level with the icon's top: bare surface on every tree.
            const QRect count = toPixels(countRect(tree, i));
            const QRect icon = toPixels(iconRect(tree, i));
            auto* mark = new QLabel(&screen);
            mark->setObjectName(QStringLiteral("lbl_Target") +
                                QString::fromLatin1(countArrayName(tree).substr(4)) +
                                QStringLiteral("(%1)").arg(i));
            // As wide as the bare surface allows: up to the next column's icons.
            const model::Skill& skill = model::skill(tree, i);
            int room = 24;
            if (skill.column < 3) {
                const int next = toPixels(kColumnLefts[position][static_cast<std::size_t>(skill.column)]);
                room = std::min(room, next - count.left() - 1);
            }
            mark->setGeometry(count.left(), icon.top(), room, count.height());
            mark->setFont(font);
            mark->setTextFormat(Qt::PlainText);
            mark->setAttribute(Qt::WA_TransparentForMouseEvents);
            setTextColour(mark, kMarkColour);
            mark->hide();
            m_marks[position][static_cast<std::size_t>(i)] = mark;
        }
    }
}

int TargetMarks::targetOf(model::SkillRef skill) const {
    const auto& targets = m_document.targets();
    const auto it = std::find_if(targets.begin(), targets.end(),
                                 [skill](const model::Target& t) { return t.skill == skill; });
    return it == targets.end() ? 0 : it->points;
}

void TargetMarks::mirror() {
    std::array<std::array<std::int16_t, model::kSkillsPerTree>, 3> wanted{};
    if (m_document.isOpen()) {
        for (const model::Target& t : m_document.targets()) {
            wanted[static_cast<std::size_t>(model::tree(t.skill.tree).position)]
                  [static_cast<std::size_t>(t.skill.index)] = t.points;
        }
    }
    for (std::size_t p = 0; p < 3; ++p) {
        for (std::size_t i = 0; i < model::kSkillsPerTree; ++i) {
            const std::int16_t points = wanted[p][i];
            if (points == m_shown[p][i]) {
                continue;
            }
            m_shown[p][i] = points;
            QLabel* mark = m_marks[p][i];
            // Where the columns stand close, the arrow gives way to the figure.
            QString text = QString::fromStdString(presentation::targetMark(points));
            if (mark->fontMetrics().horizontalAdvance(text) > mark->width()) {
                text = QString::number(points);
            }
            mark->setText(text);
            mark->setToolTip(QStringLiteral("Target: %1 points").arg(points));
            const model::TreeId tree = model::classInfo(m_document.classId()).trees[p];
            mark->setAccessibleName(qstring(model::skill(tree, static_cast<int>(i)).name) +
                                    QStringLiteral(": target %1 points").arg(points));
            mark->setVisible(points != 0);
        }
    }
}

std::optional<std::string> TargetMarks::set(model::SkillRef skill, int points) {
    std::vector<model::Target> targets = m_document.targets();
    const auto it = std::find_if(targets.begin(), targets.end(),
                                 [skill](const model::Target& t) { return t.skill == skill; });
    if (points <= 0) {
        if (it == targets.end()) {
            return std::nullopt;
        }
        targets.erase(it);
    } else if (it != targets.end()) {
        it->points = static_cast<std::int16_t>(points);
    } else {
        targets.push_back({skill, static_cast<std::int16_t>(points)});
    }
    return m_document.setTargets(std::move(targets));
}

std::optional<std::string> TargetMarks::step(model::SkillRef skill, int by) {
    const int now = targetOf(skill);
    const int from = now != 0 ? now : m_document.build().state().pointsOf(skill);
    const int next = std::clamp(from + by, 0, 20);
    if (next == now) {
        return std::nullopt;
    }
    return set(skill, next);
}

std::optional<std::string> TargetMarks::ask(model::SkillRef skill, toolkit::Toolkit& toolkit) {
    const std::string name(model::skill(skill.tree, skill.index).name);
    const int now = targetOf(skill);
    const std::string answer = toolkit.inputBox(
        "Points " + name + " is to end with (1 to 20; 0 takes the target away):", "Set Target",
        std::to_string(now != 0 ? now : 20));
    if (answer.empty()) {
        return std::nullopt; // Cancel
    }
    int points = -1;
    const auto [end, error] = std::from_chars(answer.data(), answer.data() + answer.size(), points);
    if (error != std::errc() || end != answer.data() + answer.size() || points < 0 || points > 20) {
        return "A target is 1 to 20 points; 0 takes it away.";
    }
    return set(skill, points);
}

} // namespace skillwright::screens

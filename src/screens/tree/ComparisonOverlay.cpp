#include "ComparisonOverlay.h"

#include "ScreenDesign.h"
#include "TreeWidgets.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>

#include <algorithm>
#include <art/Art.h>

namespace skillwright::screens {

namespace {

/// The button panel's left edge: the right tree's last column ends there.
constexpr int kButtonPanelLeft = 9555;
/// The summary line: the foot of the description area (4440, 5985, 7215,
/// 2520), one line of its text high, below the longest text it shows and
/// within the plain part of its well, whose colour it fills in: so it is
/// opaque, and what it shows repaints nothing beneath it.
constexpr TwipRect kSummaryPlace{4485, 8250, 7140, 210};
const QColor kWellColour(6, 6, 6);
/// The dark ground under a difference, so that both colours read on every band.
const QColor kBadgeGround(0, 0, 0, 190);

QFont pixelFont(qreal points, int pixels, QFont::Weight weight) {
    QFont font = art::textFont(points, weight);
    font.setPixelSize(pixels);
    return font;
}

QLabel* overlayLabel(QWidget& screen, const QString& name, const QFont& font) {
    auto* label = new QLabel(&screen);
    label->setObjectName(name);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->hide();
    return label;
}

} // namespace

ComparisonOverlay::ComparisonOverlay(QWidget& screen, model::ClassId classId, QListWidget& history,
                                     HistoryDelegate& marks)
    : m_history(history), m_marks(marks) {
    // Under the outline and the keyboard's ring, which frame an icon.
    QWidget* outline = screen.findChild<QWidget*>(QStringLiteral("sh_Outline"), Qt::FindDirectChildrenOnly);
    const QFont badgeFont = pixelFont(7.5, 10, QFont::Bold);
    const model::ClassInfo& info = model::classInfo(classId);
    for (int position = 0; position < 3; ++position) {
        const model::Tree& tree = model::tree(info.trees[static_cast<std::size_t>(position)]);
        const std::string_view array = countArrayName(tree.id).substr(4); // without "lbl_"
        for (int i = 0; i < model::kSkillsPerTree; ++i) {
            Badge& badge = m_badges[static_cast<std::size_t>(position)][static_cast<std::size_t>(i)];
            badge.label =
                overlayLabel(screen, QStringLiteral("lbl_Diff%1(%2)").arg(qstring(array)).arg(i), badgeFont);
            badge.skill = qstring(tree.skills[static_cast<std::size_t>(i)].name);
            badge.icon =
                screen.findChild<QWidget*>(qstring(iconArrayName(tree.id)) + QStringLiteral("(%1)").arg(i));
            if (badge.icon != nullptr) {
                badge.description = badge.icon->accessibleDescription();
            }
            badge.label->setAlignment(Qt::AlignCenter);
            badge.label->setAutoFillBackground(true);
            QPalette palette = badge.label->palette();
            palette.setColor(QPalette::Window, kBadgeGround);
            badge.label->setPalette(palette);
            if (outline != nullptr) {
                badge.label->stackUnder(outline);
            }
            const TwipRect icon = iconRect(tree.id, i);
            const TwipRect count = countRect(tree.id, i);
            const int column = tree.skills[static_cast<std::size_t>(i)].column;
            const int limit =
                column < 3
                    ? kColumnLefts[static_cast<std::size_t>(position)][static_cast<std::size_t>(column)]
                : position < 2 ? kSeparatorX[static_cast<std::size_t>(position)]
                               : kButtonPanelLeft;
            badge.centre = toPixels(count.left + count.width / 2);
            badge.minLeft = toPixels(icon.right()) + 1;
            badge.maxRight = toPixels(limit) - 1;
            badge.bottom = toPixels(count.top);
        }
    }
    m_summary = overlayLabel(screen, QStringLiteral("lbl_Comparison"), pixelFont(8.25, 11, QFont::Normal));
    m_summary->setGeometry(toPixels(kSummaryPlace));
    m_summary->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_summary->setAutoFillBackground(true);
    QPalette palette = m_summary->palette();
    palette.setColor(QPalette::Window, kWellColour);
    m_summary->setPalette(palette);
    setTextColour(m_summary, kParchment);
}

ComparisonOverlay::~ComparisonOverlay() = default; // the labels are the screen's

void ComparisonOverlay::setReference(model::Plan reference, std::string name) {
    // Where the other plan's stages fall, for a player who follows a guide.
    const QString stages = QString::fromStdString(model::stagesText(reference));
    m_summary->setToolTip(stages);
    m_summary->setAccessibleDescription(stages);
    m_reference = std::move(reference);
    m_name = std::move(name);
    m_restLength = std::string::npos;
    // The name may be new while the figures are not: all is shown afresh.
    for (auto& tree : m_badges) {
        for (Badge& badge : tree) {
            showDifference(badge, 0);
        }
    }
    m_summaryText.clear();
}

void ComparisonOverlay::clear() {
    m_reference.reset();
    m_marks.setReferenceStages({});
    m_shown = {};
    for (auto& tree : m_badges) {
        for (Badge& badge : tree) {
            showDifference(badge, 0);
        }
    }
    m_summaryText.clear();
    m_summary->hide();
    setMarkedFrom(-1);
}

void ComparisonOverlay::mirror(std::span<const model::HistoryEntry> history, std::size_t shownEntries) {
    if (!m_reference) {
        return;
    }
    const std::span<const model::HistoryEntry> reference = m_reference->history;
    const model::Comparison whole = model::compare(history, reference);
    if (shownEntries < history.size()) {
        const std::span<const model::HistoryEntry> past = history.first(shownEntries);
        m_shown = model::compare(past, reference.first(model::entriesAtSameMoment(past, reference)));
    } else {
        m_shown = whole;
    }
    for (std::size_t t = 0; t < m_badges.size(); ++t) {
        for (std::size_t i = 0; i < m_badges[t].size(); ++i) {
            showDifference(m_badges[t][i], m_shown.difference[t][i]);
        }
    }
    showSummary();
    setMarkedFrom(whole.partingEntry ? static_cast<int>(*whole.partingEntry) : -1);
    // The other plan's stages beside the entries where this one reaches their levels.
    std::vector<QString> stages(history.size());
    for (const auto& [row, name] : model::stagesBeside(history, *m_reference)) {
        stages[row] +=
            (stages[row].isEmpty() ? QString() : QStringLiteral(", ")) + QString::fromStdString(name);
    }
    m_marks.setReferenceStages(std::move(stages));
}

void ComparisonOverlay::showDifference(Badge& badge, std::int16_t difference) {
    if (badge.difference == difference) {
        return;
    }
    badge.difference = difference;
    if (difference == 0) {
        badge.label->hide();
        if (badge.icon != nullptr) {
            badge.icon->setAccessibleDescription(badge.description);
        }
        return;
    }
    const QString text = (difference > 0 ? QStringLiteral("+") : QStringLiteral("-")) +
                         QString::number(difference > 0 ? difference : -difference);
    badge.label->setText(text);
    const QString against = text + QStringLiteral(" against ") + QString::fromStdString(m_name);
    badge.label->setAccessibleName(badge.skill + QStringLiteral(": ") + against);
    // The icon tells it too, where a reader on the icon hears it.
    if (badge.icon != nullptr) {
        badge.icon->setAccessibleDescription(badge.description + QStringLiteral("\r\n") + against);
    }
    const Rgb colour = difference > 0 ? kMorePoints : kFewerPoints;
    if (textColour(badge.label) != colour) {
        setTextColour(badge.label, colour);
    }
    // Centred over the count, kept between its own icon and what follows it.
    const QFontMetrics metrics(badge.label->font());
    const int width = metrics.horizontalAdvance(text) + 2;
    const int height = metrics.height();
    const int left = std::max(badge.minLeft, std::min(badge.centre - width / 2, badge.maxRight - width));
    const QRect place(left, badge.bottom - height, width, height);
    if (badge.label->geometry() != place) {
        badge.label->setGeometry(place);
    }
    badge.label->show();
}

void ComparisonOverlay::showSummary() {
    std::string text = model::comparisonSummary(m_shown, m_name);
    if (text == m_summaryText) {
        return;
    }
    m_summaryText = std::move(text);
    // A long name gives way to the figures, which stay whole. The digits
    // are all as wide, so the room left changes with the figures' length.
    const std::string rest = model::comparisonSummary(m_shown, {});
    if (rest.size() != m_restLength) {
        m_restLength = rest.size();
        const QFontMetrics metrics(m_summary->font());
        const int room = m_summary->width() - metrics.horizontalAdvance(QString::fromStdString(rest)) - 2;
        m_shownName = metrics.elidedText(QString::fromStdString(m_name), Qt::ElideRight, std::max(0, room))
                          .toStdString();
    }
    m_summary->setText(QString::fromStdString(model::comparisonSummary(m_shown, m_shownName)));
    m_summary->show();
}

void ComparisonOverlay::setMarkedFrom(int row) {
    if (m_markedFrom == row) {
        return;
    }
    m_markedFrom = row;
    m_marks.setMarkedFrom(row);
    m_history.viewport()->update();
}

} // namespace skillwright::screens

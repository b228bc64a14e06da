// The plan on one printed page: "Print..." and "Export PDF...".
#include "SkillTreeScreen.h"

#include <toolkit/Toolkit.h>

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <art/Art.h>
#include <document/PlanDocument.h>
#include <filesystem>
#include <presentation/PlanSummary.h>

namespace skillwright::screens {

namespace {

QString joined(const std::vector<std::string>& lines) {
    QStringList parts;
    for (const std::string& line : lines) {
        parts << QString::fromStdString(line);
    }
    return parts.join(QLatin1Char('\n'));
}

/// Draws `text` in `font` from the top of `box` down, wrapped at its width;
/// returns the height it took.
int drawWrapped(QPainter& painter, const QRect& box, const QFont& font, const QString& text) {
    painter.setFont(font);
    QRect used;
    painter.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text, &used);
    return used.height();
}

} // namespace

bool SkillTreeScreen::paintSheet(QPagedPaintDevice& device) {
    const presentation::PlanSummary summary = presentation::summarize(m_document.plan());
    const QImage trees = picture(2);
    QPainter painter(&device);
    if (!painter.isActive()) {
        return false;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect page(0, 0, device.width(), device.height());
    const int gap = page.width() / 40;
    int y = drawWrapped(painter, page, art::textFont(16, QFont::Bold),
                        QString::fromStdString(presentation::headingText(summary))) +
            gap / 2;

    const QSizeF size = trees.deviceIndependentSize();
    const QRect picture(0, y, page.width(), static_cast<int>(page.width() * size.height() / size.width()));
    painter.drawImage(picture, trees);
    y = picture.bottom() + gap;

    std::vector<std::string> left{"Points per tree: " + presentation::treePointsText(summary), "", "Skills:"};
    for (const presentation::SkillSummary& skill : summary.skills) {
        left.push_back("  " + presentation::skillLine(skill));
    }
    left.emplace_back();
    for (const presentation::QuestSummary& quest : summary.quests) {
        left.push_back(presentation::questLine(quest));
    }
    left.push_back("Reserve: " + std::to_string(summary.reserve) + " unspent");
    const QString order = QStringLiteral("Level order: ") +
                          QString::fromStdString(presentation::levelOrderText(summary.levelOrder));
    const int column = (page.width() - gap) / 2;
    const QRect leftBox(0, y, column, page.bottom() - y);
    const QRect rightBox(column + gap, y, column, page.bottom() - y);
    // The longest plans take a smaller type, so that the sheet stays one page.
    QFont text = art::textFont(8);
    for (qreal size = 8; size >= 4; size -= 0.5) {
        text = art::textFont(size);
        painter.setFont(text);
        const auto height = [&](const QRect& box, const QString& lines) {
            return painter.boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, lines).height();
        };
        if (height(leftBox, joined(left)) <= leftBox.height() &&
            height(rightBox, order) <= rightBox.height()) {
            break;
        }
    }
    drawWrapped(painter, leftBox, text, joined(left));
    drawWrapped(painter, rightBox, text, order);
    return painter.end();
}

QByteArray SkillTreeScreen::sheetPdf() {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        writer.setTitle(
            QString::fromStdString(presentation::headingText(presentation::summarize(m_document.plan()))));
        writer.setCreator(QStringLiteral("Skillwright"));
        paintSheet(writer);
    }
    return pdf;
}

void SkillTreeScreen::exportPdf() {
    returnToPresent();
    const toolkit::ChosenFile chosen = askWhereToSave("Export PDF", ".pdf", {"PDF document (*.pdf)"});
    if (chosen.path.empty() || !writeWhole(chosen.path, sheetPdf(), "sheet", "Export PDF")) {
        return;
    }
    tell("Sheet saved: " + std::filesystem::path(chosen.path).filename().string());
}

void SkillTreeScreen::printSheet() {
    returnToPresent();
    const std::string title = presentation::headingText(presentation::summarize(m_document.plan()));
    switch (m_toolkit.print(title, [this](QPagedPaintDevice& device) { return paintSheet(device); })) {
    case toolkit::Printed::Sent:
        tell("Sheet sent to the printer");
        return;
    case toolkit::Printed::Failed:
        m_toolkit.messageBox(
            "The sheet could not be printed: the printer refused it.\nThe plan is as it was; "
            "check the printer, or export the sheet as a PDF.",
            "Print", toolkit::Icon::Critical, toolkit::Buttons::Ok);
        return;
    case toolkit::Printed::Cancelled:
        return;
    }
}

} // namespace skillwright::screens

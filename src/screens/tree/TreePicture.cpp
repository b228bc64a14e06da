// The tree screen as a picture: "Save Picture..." and "Copy Picture".
#include "ScreenDesign.h"
#include "SkillTreeScreen.h"

#include <report/SaveBuildReport.h>
#include <screens/common/FocusRing.h>
#include <toolkit/AtomicFile.h>
#include <toolkit/Toolkit.h>

#include <QBuffer>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPainter>

#include <art/Art.h>
#include <document/PlanDocument.h>
#include <filesystem>
#include <vector>

namespace skillwright::screens {

namespace {

/// The three trees, their captions and the status line under them, left of
/// the button panel and above the bottom panel.
constexpr TwipRect kPictureArea{0, 0, 9555, 5580};
/// The strip under the trees that carries the plan's name.
constexpr int kNameStrip = 24;

/// Hides the screen's marks of the moment while it lives, and shows again
/// those that were shown.
class MarksHidden {
public:
    explicit MarksHidden(std::vector<QWidget*> marks) {
        for (QWidget* mark : marks) {
            if (mark != nullptr && !mark->isHidden()) {
                mark->hide();
                m_hidden.push_back(mark);
            }
        }
    }
    ~MarksHidden() {
        for (QWidget* mark : m_hidden) {
            mark->show();
        }
    }
    MarksHidden(const MarksHidden&) = delete;
    MarksHidden& operator=(const MarksHidden&) = delete;

private:
    std::vector<QWidget*> m_hidden;
};

QByteArray pngOf(const QImage& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG", 80); // light compression: a sixth larger, half the time
    return png;
}

} // namespace

QRect SkillTreeScreen::pictureArea() {
    return toPixels(kPictureArea);
}

QImage SkillTreeScreen::picture(int scale) {
    returnToPresent();
    const QRect area = pictureArea();
    QImage image(QSize(area.width(), area.height() + kNameStrip) * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::black);
    QPainter painter(&image);
    {
        // The pointer's outline, the keyboard's ring and the notice are the
        // moment's, not the plan's.
        std::vector<QWidget*> marks{m_outline, m_noticeLabel, m_pastFrame};
        for (FocusRing* ring : findChildren<FocusRing*>()) {
            marks.push_back(ring);
        }
        const MarksHidden hidden(std::move(marks));
        render(&painter, QPoint(), QRegion(area), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    const QString name = QString::fromStdString(m_document.name());
    if (!name.isEmpty()) {
        painter.setFont(art::captionFont(12, QFont::Bold));
        painter.setPen(qcolor(kBrightGold));
        const QRect strip(0, area.height(), area.width(), kNameStrip);
        painter.drawText(strip.adjusted(8, 0, -8, 0), Qt::AlignCenter | Qt::TextSingleLine,
                         painter.fontMetrics().elidedText(name, Qt::ElideRight, strip.width() - 16));
    }
    return image;
}

toolkit::ChosenFile SkillTreeScreen::askWhereToSave(const std::string& title, const char* extension,
                                                    const std::vector<std::string>& filters) {
    const std::string file =
        report::ReportName::of(m_document.name().empty() ? "Character" : m_document.name()).file;
    return m_toolkit.saveFileName(title, m_toolkit.reportFolder() + "/" + file + extension, filters);
}

bool SkillTreeScreen::writeWhole(const std::string& path, const QByteArray& bytes, const char* what,
                                 const std::string& title) {
    const auto error = toolkit::writeWholeFile(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (error) {
        m_toolkit.messageBox(std::string("The ") + what + " could not be saved as " + path + ": " +
                                 error->description +
                                 ".\nThe plan is as it was; choose another file or folder.",
                             title, toolkit::Icon::Critical, toolkit::Buttons::Ok);
    }
    return !error;
}

void SkillTreeScreen::savePicture() {
    returnToPresent();
    const toolkit::ChosenFile chosen = askWhereToSave(
        "Save Picture", ".png", {"PNG picture (*.png)", "PNG picture, twice the size (*.png)"});
    if (chosen.path.empty()) {
        return;
    }
    const QImage image = picture(chosen.filter == 1 ? 2 : 1);
    if (!writeWhole(chosen.path, pngOf(image), "picture", "Save Picture")) {
        return;
    }
    tell("Picture saved: " + std::filesystem::path(chosen.path).filename().string() + ", " +
         std::to_string(image.width()) + " x " + std::to_string(image.height()) + " pixels");
}

void SkillTreeScreen::copyPicture() {
    const int scale = devicePixelRatioF() > 1.0 ? 2 : 1;
    const QImage image = picture(scale);
    const QByteArray png = pngOf(image);
    m_toolkit.setClipboardPicture(std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
    tell("Picture copied: " + std::to_string(image.width()) + " x " + std::to_string(image.height()) +
         " pixels");
}

} // namespace skillwright::screens

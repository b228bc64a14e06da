// The art tool: draws every picture of the program into a folder and writes
// the resource collection that lists them. It runs at build time on the
// offscreen platform and gives the same bytes on every run.
//
//   sw_art_tool <output folder> [--sheet <file.png>]
//
// --sheet also composes a contact sheet of all skill icons, at their drawn
// size and at their on-screen size, for looking them over.
#include "Panels.h"
#include "ProgramIcon.h"
#include "SkillIcons.h"

#include <model/Catalogue.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTextStream>

#include <StoredPicture.h>
#include <cstdio>
#include <utility>

namespace tool = skillwright::art::tool;
namespace model = skillwright::model;

namespace {

QString iconName(const model::Tree& tree, int index) {
    return QStringLiteral("icons/%1_%2.png")
        .arg(QString::fromUtf8(tree.code.data(), qsizetype(tree.code.size())))
        .arg(index);
}

QString className(model::ClassId id) {
    const auto name = model::classInfo(id).name;
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

QImage contactSheet(const QString& folder) {
    const int gap = 6;
    const int rowHeight = tool::kIconHeight + gap;
    const int width = gap + 10 * (tool::kIconWidth + gap) + 10 * (36 + gap);
    QImage sheet(width, gap + model::kTreeCount * rowHeight, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(10, 9, 8));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const auto& tree : model::trees()) {
        const int y = gap + int(tree.id) * rowHeight;
        for (int i = 0; i < model::kSkillsPerTree; ++i) {
            const QImage icon(folder + QLatin1Char('/') + iconName(tree, i));
            painter.drawImage(QPoint(gap + i * (tool::kIconWidth + gap), y), icon);
            const QRect small(gap + 10 * (tool::kIconWidth + gap) + i * (36 + gap), y + 18, 36, 37);
            painter.drawImage(small, icon);
        }
    }
    return sheet;
}

/// The output folder as the tool fills it: the pictures written, in order,
/// and whether every one of them was drawn.
class ArtFolder {
public:
    explicit ArtFolder(QString path) : m_path(std::move(path)) {
        for (const char* sub : {"icons", "panels", "select", "generator", "program", "library"}) {
            QDir().mkpath(m_path + QLatin1Char('/') + QLatin1String(sub));
        }
    }

    [[nodiscard]] const QString& path() const { return m_path; }
    [[nodiscard]] bool allDrawn() const { return m_allDrawn; }

    void save(const QImage& image, const QString& name) {
        if (image.isNull() || !image.save(m_path + QLatin1Char('/') + name, "PNG")) {
            std::fprintf(stderr, "sw_art_tool: could not draw %s\n", qPrintable(name));
            m_allDrawn = false;
        }
        m_written << name;
    }

    /// A picture of the start screen, stored decoded (StoredPicture.h) in a
    /// collection of its own, decoded.qrc: what the first frame shows is
    /// drawn from where it lies, with nothing decoded at start-up. It looks
    /// as written in `encoding`: the background a JPEG, the rest PNGs.
    void saveDecoded(const QImage& image, const QString& name, const char* encoding = "PNG") {
        if (image.isNull() ||
            !skillwright::stored::writeDecodedPicture(image, encoding, m_path + QLatin1Char('/') + name)) {
            std::fprintf(stderr, "sw_art_tool: could not draw %s\n", qPrintable(name));
            m_allDrawn = false;
        }
        m_decoded << name;
    }

    /// The resource collections art.qrc and decoded.qrc, listing every picture saved.
    [[nodiscard]] bool writeResourceLists() const {
        return writeResourceList(QStringLiteral("art.qrc"), m_written) &&
               writeResourceList(QStringLiteral("decoded.qrc"), m_decoded);
    }

private:
    [[nodiscard]] bool writeResourceList(const QString& file, const QStringList& names) const {
        QFile qrc(m_path + QLatin1Char('/') + file);
        if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "sw_art_tool: cannot write %s\n", qPrintable(qrc.fileName()));
            return false;
        }
        QTextStream out(&qrc);
        out << "<RCC>\n  <qresource prefix=\"/art\">\n";
        for (const QString& name : names) {
            out << "    <file>" << name << "</file>\n";
        }
        out << "  </qresource>\n</RCC>\n";
        out.flush();
        return true;
    }

    QString m_path;
    QStringList m_written;
    QStringList m_decoded;
    bool m_allDrawn = true;
};

void drawEveryPicture(ArtFolder& folder) {
    for (const auto& tree : model::trees()) {
        for (int i = 0; i < model::kSkillsPerTree; ++i) {
            folder.save(tool::drawSkillIcon(tree.id, i), iconName(tree, i));
        }
    }
    for (const auto& info : model::classes()) {
        folder.save(tool::drawButtonPanel(info.id),
                    QStringLiteral("panels/button_%1.png").arg(className(info.id)));
        folder.save(tool::drawBottomPanel(info.id),
                    QStringLiteral("panels/bottom_%1.png").arg(className(info.id)));
    }
    folder.save(tool::drawConnector(), QStringLiteral("panels/connector.png"));
    folder.saveDecoded(tool::drawSelectBackground().convertToFormat(QImage::Format_RGB32),
                       QStringLiteral("select/background.picture"), "JPEG");
    folder.saveDecoded(tool::drawPortrait(0), QStringLiteral("select/portrait_0.picture"));
    folder.saveDecoded(tool::drawPortrait(1), QStringLiteral("select/portrait_1.picture"));
    folder.saveDecoded(tool::drawGeneratorButton(), QStringLiteral("select/generator.picture"));
    folder.saveDecoded(tool::drawOpenButton(), QStringLiteral("select/open.picture"));
    folder.saveDecoded(tool::drawContinueButton(), QStringLiteral("select/continue.picture"));
    folder.save(tool::drawGeneratorBackground(), QStringLiteral("generator/background.png"));
    folder.save(tool::drawGeneratorEmblem(), QStringLiteral("generator/emblem.png"));
    for (const int size : {16, 32}) {
        folder.save(tool::drawFolderIcon(size), QStringLiteral("library/folder_%1.png").arg(size));
    }
    // The window icon, and the desktop's icon of the installed program.
    for (const int size : tool::kProgramIconSizes) {
        folder.save(tool::drawProgramIcon(size), QStringLiteral("program/icon_%1.png").arg(size));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: sw_art_tool <output folder> [--sheet <file.png>]\n");
        return 2;
    }
    ArtFolder folder(args.at(1));
    drawEveryPicture(folder);
    if (!folder.writeResourceLists()) {
        return 1;
    }
    bool ok = folder.allDrawn();
    const qsizetype sheetAt = args.indexOf(QStringLiteral("--sheet"));
    if (sheetAt > 0 && sheetAt + 1 < args.size()) {
        ok = contactSheet(folder.path()).save(args.at(sheetAt + 1), "PNG") && ok;
    }
    return ok ? 0 : 1;
}

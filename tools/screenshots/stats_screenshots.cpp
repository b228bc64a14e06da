// Saves pictures of the statistics viewer into a folder:
//   stats_screenshots <folder>
// skill-stats-fire-bolt.png: Fire Bolt with three points, figures read from a
// source (a range drawn as a band, a repeated mana cost without a plot).
// skill-stats-power-strike.png: Power Strike with five points, one column of
// each kind: our estimate, figures from a source, figures carried back from a
// later patch.
// skill-stats-chain-lightning.png: Chain Lightning with twelve points, two
// columns carried back from a later patch beside a repeated one, and the tip
// over the title frame of its damage.
#include <model/Catalogue.h>
#include <stats/SkillStatsViewer.h>

#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include <Program.h>
#include <art/Art.h>
#include <cstdio>

namespace {

/// The tip the viewer shows, or nullptr.
QWidget* shownTip() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->inherits("QTipLabel") && w->isVisible()) {
            return w;
        }
    }
    return nullptr;
}

/// `tipAt`, when given, is where the pointer rests in the viewer; the tip
/// it brings up is drawn into the picture where it stands on screen.
bool save(const QDir& folder, const QString& name, skillwright::model::SkillRef skill, int points,
          std::optional<QPoint> tipAt = std::nullopt) {
    auto* viewer = new skillwright::stats::SkillStatsViewer;
    viewer->load(skill, points);
    viewer->show();
    QApplication::processEvents();
    QPixmap picture = viewer->grab();
    if (tipAt) {
        QHelpEvent help(QEvent::ToolTip, *tipAt, viewer->mapToGlobal(*tipAt));
        QApplication::sendEvent(viewer, &help);
        QApplication::processEvents();
        if (QWidget* tip = shownTip()) {
            QPainter painter(&picture);
            painter.drawPixmap(tip->pos() - viewer->mapToGlobal(QPoint(0, 0)), tip->grab());
            tip->close();
        } else {
            std::fprintf(stderr, "no tip shown for %s\n", qPrintable(name));
        }
    }
    const QString file = folder.filePath(name);
    const bool saved = picture.save(file);
    viewer->close();
    QApplication::processEvents();
    if (!saved) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
    }
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    using skillwright::model::TreeId;
    QApplication app(argc, argv);
    skillwright::app::applyLook(app); // the program's palette and text face, which its tips take
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    bool saved = save(folder, QStringLiteral("skill-stats-fire-bolt.png"), {TreeId::SorceressFire, 0}, 3);
    saved =
        save(folder, QStringLiteral("skill-stats-power-strike.png"), {TreeId::AmazonJavelinSpear, 1}, 5) &&
        saved;
    // The pointer over the title frame of the first column.
    saved = save(folder, QStringLiteral("skill-stats-chain-lightning.png"), {TreeId::SorceressLightning, 5},
                 12, QPoint(110, 100)) &&
            saved;
    return saved ? 0 : 1;
}

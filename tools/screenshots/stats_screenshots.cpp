// Saves pictures of the statistics viewer into a folder:
//   stats_screenshots <folder>
// skill-stats-fire-bolt.png: Fire Bolt with three points, figures read from a
// source (a range drawn as a band, a repeated mana cost without a plot).
// skill-stats-meteor.png: Meteor with eight points, three columns of our own
// estimates beside a repeated one.
#include <model/Catalogue.h>
#include <stats/SkillStatsViewer.h>

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <art/Art.h>
#include <cstdio>

namespace {

bool save(const QDir& folder, const QString& name, skillwright::model::SkillRef skill, int points) {
    auto* viewer = new skillwright::stats::SkillStatsViewer;
    viewer->load(skill, points);
    viewer->show();
    QApplication::processEvents();
    const QString file = folder.filePath(name);
    const bool saved = viewer->grab().save(file);
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
    skillwright::art::initialise();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const bool fireBolt = save(folder, QStringLiteral("skill-stats-fire-bolt.png"), {TreeId::SorcFire, 0}, 3);
    const bool meteor = save(folder, QStringLiteral("skill-stats-meteor.png"), {TreeId::SorcFire, 7}, 8);
    return fireBolt && meteor ? 0 : 1;
}

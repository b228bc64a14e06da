// Saves a picture of the statistics viewer:
//   stats_screenshots <folder> [<tree code> <skill index> <points>]
// By default Meteor with eight points: two ranges drawn as bands, a repeated
// column without a plot, a rising mana cost and the eighth row marked.
#include <stats/frm_SkillStats.h>

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <art/Art.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    skillwright::art::initialise();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    auto* viewer = new skillwright::stats::frm_SkillStats;
    if (argc > 4) {
        viewer->load(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    } else {
        viewer->load("SorcFire", 7, 8);
    }
    viewer->show();
    QApplication::processEvents();
    const QString file = folder.filePath(QStringLiteral("skill-stats.png"));
    const bool saved = viewer->grab().save(file);
    viewer->close();
    if (!saved) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}

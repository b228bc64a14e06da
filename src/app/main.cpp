#include "Program.h"

#include <model/Build.h>
#include <toolkit/QtToolkit.h>

#include <QApplication>

#include <art/Art.h>
#include <string>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    skillwright::app::applyLook(app);
    QApplication::setWindowIcon(skillwright::art::programIcon()); // every window, dialogs too
    // The menu entry's name: where the desktop asks it (Wayland), its icon and name come from there.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.skillwright.Skillwright"));
    skillwright::toolkit::QtToolkit toolkit;
    skillwright::model::Build build;
    skillwright::app::Program program(build, toolkit);
    // "skillwright PATH" opens a saved character in place of the start screen.
    // QApplication has taken its own options out of argv by now.
    program.start(skillwright::app::reportPathArgument(argc, argv));
    return QApplication::exec();
}

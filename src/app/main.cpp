#include "Program.h"

#include <model/Build.h>
#include <toolkit/QtToolkit.h>

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    skillwright::app::applyLook(app);
    skillwright::toolkit::QtToolkit toolkit;
    skillwright::model::Build build;
    skillwright::app::Program program(build, toolkit);
    program.start();
    return QApplication::exec();
}

#include <art/Art.h>
#include <model/Build.h>
#include <toolkit/QtToolkit.h>

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    skillwright::art::initialise();
    skillwright::toolkit::QtToolkit toolkit;
    skillwright::model::Build build(toolkit);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Diablo II Skillwright"));
    window.setFixedSize(800, 600);
    window.show();
    return QApplication::exec();
}

// Shared main of the widget tests: a real QApplication on the offscreen
// platform, the C locale and the bundled fonts, so results do not depend on
// the machine.
#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include <art/Art.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    skillwright::art::initialise();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

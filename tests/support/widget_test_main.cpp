// Shared main of the widget tests: a real QApplication on the offscreen
// platform, the C locale and the bundled fonts, so results do not depend on
// the machine.
#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include <art/Art.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

QtMessageHandler g_standardMessages = nullptr;

/// Qt's offscreen platform has no stacking order and says so on every
/// raise(); that says nothing about the code under test.
void quietOffscreenRaise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message == QLatin1String("This plugin does not support raise()")) {
        return;
    }
    g_standardMessages(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The journal of plans goes to a folder of this run's own, never the player's.
    std::string state = (std::filesystem::temp_directory_path() / "sw-state-XXXXXX").string();
    if (::mkdtemp(state.data()) != nullptr) {
        qputenv("XDG_STATE_HOME", QByteArray::fromStdString(state));
    } else { // no folder at all rather than the player's
        qputenv("XDG_STATE_HOME", "");
        qputenv("HOME", "");
    }
    QLocale::setDefault(QLocale::c());
    g_standardMessages = qInstallMessageHandler(quietOffscreenRaise);
    QApplication app(argc, argv);
    skillwright::art::initialise();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(state, ignored);
    return result;
}

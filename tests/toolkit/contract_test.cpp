// What every toolkit promises, checked against the scripted double and the
// Qt implementation alike: a test passing on the double must mean the same
// on the real thing.
#include <toolkit/QtToolkit.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace skillwright::toolkit {
namespace {

/// Each test runs on the scripted double (false) and on the Qt toolkit (true),
/// with a way to let the toolkit's time pass and to act as the player or
/// another program would.
class ToolkitContract : public ::testing::TestWithParam<bool> {
protected:
    Toolkit& toolkit() { return GetParam() ? static_cast<Toolkit&>(m_qt) : m_scripted; }

    /// Lets `milliseconds` of the toolkit's time pass, running what falls due.
    void pass(int milliseconds) {
        m_scripted.advance(milliseconds);
        QElapsedTimer clock;
        clock.start();
        while (GetParam() && clock.elapsed() < milliseconds) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }
    /// The player presses Enter in the next message box: with the double, an
    /// empty script answers with the box's default button, Enter's answer; a
    /// real box runs its own event loop, and the key goes in once it is up.
    void pressEnterInNextBox() {
        m_scripted.answers.clear();
        QObject::connect(&m_presser, &QTimer::timeout, &m_presser, [this] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                m_presser.stop();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        m_presser.start(10);
    }
    /// Another program puts `bytes` on the clipboard, as text or as a picture.
    void putOnClipboard(const std::string& bytes, bool asText) {
        m_scripted.clipboard = asText ? std::optional<std::string>(bytes) : std::nullopt;
        auto* mime = new QMimeData();
        const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
        mime->setData(asText ? QStringLiteral("text/plain") : QStringLiteral("image/png"), data);
        QGuiApplication::clipboard()->setMimeData(mime);
    }

private:
    ScriptedToolkit m_scripted;
    QtToolkit m_qt;
    QTimer m_presser;
};

// A timer fires once after its interval and not before; an interval of 0
// never fires, and a stop holds.
TEST_P(ToolkitContract, aTimerFiresOnceAfterItsIntervalAndNeverAtZeroOrAfterAStop) {
    std::unique_ptr<Timer> timer = toolkit().createTimer();
    int fired = 0;
    timer->setCallback([&fired] { ++fired; });
    timer->start(300);
    EXPECT_TRUE(timer->isActive());
    pass(0);
    EXPECT_EQ(fired, 0) << "fired at once";
    pass(100);
    EXPECT_EQ(fired, 0) << "fired before its interval";
    pass(400);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(timer->isActive());
    pass(350);
    EXPECT_EQ(fired, 1) << "a single-shot timer fired twice";

    timer->start(0);
    pass(50);
    timer->start(100);
    timer->stop();
    pass(200);
    EXPECT_EQ(fired, 1);
}

TEST_P(ToolkitContract, enterOnAYesNoQuestionAnswersYes) {
    pressEnterInNextBox();
    EXPECT_EQ(
        toolkit().messageBox("Do you want to continue?", "Character Generator", Icon::None, Buttons::YesNo),
        Answer::Yes);
}

TEST_P(ToolkitContract, theClipboardGivesTextWithinTheLimitAndNothingElse) {
    struct Case {
        const char* what;
        std::string bytes;
        bool asText;
        std::optional<std::string> expected;
    };
    const std::string code = "SW1ACnARep8FJNh";
    const std::vector<Case> cases{
        {"a code", code, true, code},
        {"text of exactly the limit", std::string(64, 'x'), true, std::string(64, 'x')},
        {"one byte over the limit", std::string(65, 'x'), true, std::nullopt},
        {"eight megabytes of text", std::string(8u << 20, 'S'), true, std::nullopt},
        {"a picture", "\x89PNG\r\n\x1a\n" + code, false, std::nullopt},
        {"text in UTF-8", "Åsa 炎", true, "Åsa 炎"},
    };
    for (const Case& c : cases) {
        putOnClipboard(c.bytes, c.asText);
        EXPECT_EQ(toolkit().clipboardText(64), c.expected) << c.what;
    }
    toolkit().setClipboardText("SW1ACnARep8FJNh");
    EXPECT_EQ(toolkit().clipboardText(64), code) << "the program's own copy";
}

TEST_P(ToolkitContract, aSettingIsKeptUnderItsKeyAndNoneIsEmpty) {
    QStandardPaths::setTestModeEnabled(true); // the Qt toolkit's settings in a test folder of their own
    toolkit().setSetting("contract/form", "Markdown");
    toolkit().setSetting("contract/form", "Plain Text");
    EXPECT_EQ(toolkit().setting("contract/form"), "Plain Text");
    EXPECT_EQ(toolkit().setting("contract/never"), "");
    toolkit().setSetting("contract/form", "");
}

INSTANTIATE_TEST_SUITE_P(BothToolkits, ToolkitContract, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Qt" : "Scripted");
                         });

} // namespace
} // namespace skillwright::toolkit

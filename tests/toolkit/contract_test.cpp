// What every toolkit promises, checked against the scripted double and the
// Qt implementation alike: a test passing on the double must mean the same
// on the real thing.
#include <toolkit/QtToolkit.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace skillwright::toolkit {
namespace {

/// A toolkit with a way to let its time pass and to press a key in a dialog.
class Harness {
public:
    virtual ~Harness() = default;
    virtual Toolkit& toolkit() = 0;
    /// Lets `milliseconds` of the toolkit's time pass, running what falls due.
    virtual void pass(int milliseconds) = 0;
    /// The player presses Enter in the next message box.
    virtual void pressEnterInNextBox() = 0;
    /// Another program puts `bytes` on the clipboard, as text or as a picture.
    virtual void putOnClipboard(const std::string& bytes, bool asText) = 0;
};

class ScriptedHarness final : public Harness {
public:
    Toolkit& toolkit() override { return m_toolkit; }
    void pass(int milliseconds) override { m_toolkit.advance(milliseconds); }
    // An empty script answers with the box's default button, Enter's answer.
    void pressEnterInNextBox() override { m_toolkit.answers.clear(); }
    void putOnClipboard(const std::string& bytes, bool asText) override {
        m_toolkit.clipboard = asText ? std::optional<std::string>(bytes) : std::nullopt;
    }

private:
    ScriptedToolkit m_toolkit;
};

class QtHarness final : public Harness {
public:
    Toolkit& toolkit() override { return m_toolkit; }
    void pass(int milliseconds) override {
        QElapsedTimer clock;
        clock.start();
        do {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        } while (clock.elapsed() < milliseconds);
    }
    void pressEnterInNextBox() override {
        // The box runs its own event loop; the key goes in once it is up.
        QObject::connect(&m_presser, &QTimer::timeout, &m_presser, [this] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                m_presser.stop();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        m_presser.start(10);
    }
    void putOnClipboard(const std::string& bytes, bool asText) override {
        auto* mime = new QMimeData();
        const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
        mime->setData(asText ? QStringLiteral("text/plain") : QStringLiteral("image/png"), data);
        QGuiApplication::clipboard()->setMimeData(mime);
    }

private:
    QtToolkit m_toolkit;
    QTimer m_presser;
};

class ToolkitContract : public ::testing::TestWithParam<bool> {
protected:
    ToolkitContract() {
        if (GetParam()) {
            m_harness = std::make_unique<QtHarness>();
        } else {
            m_harness = std::make_unique<ScriptedHarness>();
        }
    }
    Harness& harness() { return *m_harness; }

private:
    std::unique_ptr<Harness> m_harness;
};

// A timer fires once after its interval and not before; an interval of 0
// never fires, and a stop holds.
TEST_P(ToolkitContract, aTimerFiresOnceAfterItsIntervalAndNeverAtZeroOrAfterAStop) {
    std::unique_ptr<Timer> timer = harness().toolkit().createTimer();
    int fired = 0;
    timer->setCallback([&fired] { ++fired; });
    timer->start(300);
    EXPECT_TRUE(timer->isActive());
    harness().pass(0);
    EXPECT_EQ(fired, 0) << "fired at once";
    harness().pass(100);
    EXPECT_EQ(fired, 0) << "fired before its interval";
    harness().pass(400);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(timer->isActive());
    harness().pass(350);
    EXPECT_EQ(fired, 1) << "a single-shot timer fired twice";

    timer->start(0);
    harness().pass(50);
    timer->start(100);
    timer->stop();
    harness().pass(200);
    EXPECT_EQ(fired, 1);
}

TEST_P(ToolkitContract, enterOnAYesNoQuestionAnswersYes) {
    harness().pressEnterInNextBox();
    EXPECT_EQ(harness().toolkit().messageBox("Do you want to continue?", "Character Generator", Icon::None,
                                             Buttons::YesNo),
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
        harness().putOnClipboard(c.bytes, c.asText);
        EXPECT_EQ(harness().toolkit().clipboardText(64), c.expected) << c.what;
    }
    harness().toolkit().setClipboardText("SW1ACnARep8FJNh");
    EXPECT_EQ(harness().toolkit().clipboardText(64), code) << "the program's own copy";
}

INSTANTIATE_TEST_SUITE_P(BothToolkits, ToolkitContract, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Qt" : "Scripted");
                         });

} // namespace
} // namespace skillwright::toolkit

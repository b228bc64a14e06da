#include <toolkit/QtToolkit.h>
#include <toolkit/WindowPlace.h>

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

using namespace skillwright::toolkit;

/// What a modal box showed, seen from inside its own event loop.
struct Shown {
    bool allPlain = true; ///< every label of the box with a text takes it as plain text
    QString text;         ///< of its first label with text
    QString title;
    QSize size;
    QWidget* over = nullptr; ///< its parent
};

/// Runs `show`, which brings up one modal box, and records the box once it
/// is up, then closes it.
Shown seeBox(const std::function<void()>& show) {
    Shown seen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        watch.stop();
        seen.title = box->windowTitle();
        seen.size = box->size();
        seen.over = box->parentWidget();
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                seen.allPlain = seen.allPlain && label->textFormat() == Qt::PlainText;
                seen.text = seen.text.isEmpty() ? label->text() : seen.text;
            }
        }
        box->reject();
    });
    watch.start(5);
    show();
    return seen;
}

// Markup from a file is shown as the characters it is made of, and a huge
// line leaves a box of a normal size, cut with a visible ellipsis.
TEST(QtToolkit, everyBoxShowsOutsideTextAsPlainTextOfABoundedSize) {
    const std::string hugeLine = "Line 7: " + std::string(900'000, 'x');
    const struct {
        std::string text;
        QString shown;
    } cases[] = {
        {"Line 7: <img src=\"/dev/null\">", QStringLiteral("Line 7: <img src=\"/dev/null\">")},
        {"<h1>Big</h1>\r\nWhy.", QStringLiteral("<h1>Big</h1>\r\nWhy.")},
        {hugeLine, QStringLiteral("Line 7: ") + QString(111, u'x') + QChar(0x2026)},
    };
    QtToolkit toolkit;
    for (const auto& c : cases) {
        const Shown box = seeBox([&] { toolkit.messageBox(c.text, "", Icon::Critical, Buttons::Ok); });
        EXPECT_TRUE(box.allPlain) << c.text.substr(0, 40);
        EXPECT_EQ(box.text, c.shown);
        EXPECT_LE(box.size.width(), 1000) << c.text.substr(0, 40);
        EXPECT_LE(box.size.height(), 600) << c.text.substr(0, 40);

        const Shown input = seeBox([&] { toolkit.inputBox(c.text, c.text, "Hero"); });
        EXPECT_TRUE(input.allPlain) << c.text.substr(0, 40);
        EXPECT_EQ(input.text, c.shown);
        EXPECT_LE(input.title.size(), 80);
        EXPECT_LE(input.size.width(), 1000) << c.text.substr(0, 40);
        EXPECT_LE(input.size.height(), 600) << c.text.substr(0, 40);
    }
}

// A screen reader hears what kind of message a box holds from its icon.
TEST(QtToolkit, aBoxIconIsNamedForScreenReaders) {
    const struct {
        Icon icon;
        QString name;
    } cases[] = {{Icon::Information, QStringLiteral("Information")},
                 {Icon::Critical, QStringLiteral("Error")},
                 {Icon::None, QString()}};
    for (const auto& c : cases) {
        QMessageBox box;
        prepareMessageBox(box, "Saved.", "", c.icon, Buttons::Ok);
        const auto* iconLabel = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
        ASSERT_NE(iconLabel, nullptr);
        EXPECT_EQ(iconLabel->accessibleName(), c.name);
    }
}

// A box opens over the window with the keyboard, which has it again once the
// box is gone; with no window active, over the visible one that has a focus
// widget.
TEST(QtToolkit, aBoxOpensOverTheWindowWithTheKeyboardAndGivesItBack) {
    QWidget screen;
    auto* field = new QLineEdit(&screen);
    QWidget unfocused;
    QWidget hidden;
    (new QLineEdit(&hidden))->setFocus();
    screen.show();
    unfocused.show();
    field->setFocus();
    QtToolkit toolkit;
    const struct {
        const char* state;
        QWidget* active;
    } cases[] = {{"active", &screen}, {"none active", nullptr}};
    for (const auto& c : cases) {
        // The only way to have no window active offscreen; deprecated from Qt 6.5.
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(c.active);
        QT_WARNING_POP
        ASSERT_EQ(QApplication::activeWindow(), c.active) << c.state;
        EXPECT_EQ(dialogOwner(), &screen) << c.state;
        const Shown box = seeBox([&] { toolkit.messageBox("Why.", "", Icon::Critical, Buttons::Ok); });
        EXPECT_EQ(box.over, &screen) << c.state;
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &screen; })) << c.state;
    }
}

// A box lies centred on its window, pushed inside the screen; the viewer
// lies beside its window where the screen has room, else over the least of it.
TEST(QtToolkit, aWindowOpensCentredOnItsOwnerOrBesideItInsideTheScreen) {
    const QRect screen(0, 0, 1280, 1024);
    const struct {
        const char* what;
        QRect owner;
        QSize size;
        QPoint centred;
        QPoint beside;
    } cases[] = {
        {"in the middle", {240, 212, 800, 600}, {400, 300}, {440, 362}, {880, 724}},
        {"room to the right", {0, 0, 800, 600}, {400, 300}, {200, 150}, {800, 0}},
        {"room below only", {0, 0, 1280, 600}, {400, 300}, {440, 150}, {880, 600}},
        {"at the right edge", {900, 500, 800, 600}, {500, 400}, {780, 600}, {400, 500}},
        {"no room anywhere", {240, 212, 800, 600}, {900, 664}, {190, 180}, {380, 360}},
        {"larger than the screen", {0, 0, 800, 600}, {1400, 1100}, {0, 0}, {0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(centredPlace(c.owner, c.size, screen), c.centred) << c.what;
        EXPECT_EQ(besidePlace(c.owner, c.size, screen), c.beside) << c.what;
    }
}

// Ending the program ends the process there and then, with nothing after it
// run: also before any event loop has started, and from inside a handler.
TEST(QtToolkitDeathTest, endProgramEndsTheProcessAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            skillwright::toolkit::QtToolkit toolkit;
            std::fputs("ending\n", stderr);
            toolkit.endProgram();
            std::fputs("went on\n", stderr);
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "ending\n$");
}

} // namespace

// Another program's text, pasted or dropped, read on a real X display
// (tests/support/under-xvfb) from an owner of its own connection: a text
// longer than the limit is refused having fetched nothing of it, or no more
// than the limit when its owner understates it.
#include <model/BuildCode.h>
#include <toolkit/OutsideData.h>
#include <toolkit/QtToolkit.h>
#include <toolkit/X11Selection.h>

#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <X11SelectionOwner.h>

using namespace skillwright;
using Outcome = toolkit::SelectionRead::Outcome;
using Offer = skillwright::testing::X11SelectionOwner::Offer;

namespace {

constexpr std::chrono::milliseconds kPatience{5000};
constexpr std::size_t kLimit = model::kMaxBuildCodeText;
const std::string kCode = "SW1ACnwv5RC";

class X11Selection : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X display: run under tests/support/under-xvfb";
        }
    }
};

TEST_F(X11Selection, aTextWithinTheLimitIsReadAndALongerOneRefusedUnfetched) {
    const struct {
        const char* what;
        Offer offer;
        Outcome outcome;
        std::size_t mostFetched;
    } cases[] = {
        {"a code at once", {kCode, kCode.size()}, Outcome::Read, kCode.size()},
        {"a code in pieces", {kCode, kCode.size(), 0, 4}, Outcome::Read, kCode.size()},
        {"a text at the limit", {"S", kLimit}, Outcome::Read, kLimit},
        {"a byte too many", {"S", kLimit + 1}, Outcome::TooLong, 0},
        {"a megabyte at once", {"S", 1 << 20, 2 << 20}, Outcome::TooLong, 0},
        {"400 MB in pieces", {"S", 400'000'000}, Outcome::TooLong, 0},
        {"a megabyte in pieces said to be 16 bytes", {"S", 1 << 20, 0, 1000, 16}, Outcome::TooLong, kLimit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const skillwright::testing::X11SelectionOwner owner("CLIPBOARD", c.offer);
        ASSERT_TRUE(owner.owns());
        const std::string_view targets[] = {"text/plain;charset=utf-8", "UTF8_STRING"};
        const toolkit::SelectionRead read =
            toolkit::readSelection(nullptr, "CLIPBOARD", targets, kLimit, kPatience);
        EXPECT_EQ(read.outcome, c.outcome);
        EXPECT_LE(read.fetched, c.mostFetched);
        if (c.outcome == Outcome::Read) {
            std::string text;
            while (text.size() < c.offer.size) {
                text += c.offer.pattern;
            }
            EXPECT_EQ(read.bytes, text.substr(0, c.offer.size));
        } else {
            EXPECT_TRUE(read.bytes.empty());
        }
    }
    const std::string_view targets[] = {"UTF8_STRING"};
    EXPECT_EQ(toolkit::readSelection(nullptr, "SKILLWRIGHT_NOBODY_OWNS", targets, kLimit, kPatience).outcome,
              Outcome::NoText);
}

// The toolkit's paste and a window's drop, each from its own selection.
TEST_F(X11Selection, thePasteAndTheDropReadAnotherProgramsTextWithinTheLimit) {
    toolkit::QtToolkit qt;
    const auto dropped = [](std::size_t maxBytes) {
        QMimeData mime; // what the drag said it carries
        mime.setData(QStringLiteral("text/plain"), {});
        return toolkit::boundedData(mime, QStringLiteral("text/plain"), maxBytes, toolkit::Handover::Drop);
    };
    {
        const skillwright::testing::X11SelectionOwner owner("CLIPBOARD", {kCode, kCode.size()});
        EXPECT_EQ(qt.clipboardText(kLimit), kCode);
    }
    {
        const skillwright::testing::X11SelectionOwner owner("CLIPBOARD", {"S", 400'000'000});
        EXPECT_EQ(qt.clipboardText(kLimit), std::nullopt);
        EXPECT_EQ(owner.handedOver(), 0u);
    }
    {
        const skillwright::testing::X11SelectionOwner owner("XdndSelection", {kCode, kCode.size()});
        EXPECT_EQ(dropped(kLimit), QByteArray::fromStdString(kCode));
        EXPECT_EQ(dropped(kCode.size() - 1), std::nullopt);
    }
}

} // namespace

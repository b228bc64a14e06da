// The tree screen as a picture: the marks of the moment left out, the pixels
// the screen shows at 1x, sharp at 2x, and what Save Picture and Copy
// Picture leave behind, or tell when a write fails.
#include "Files.h"

#include <screens/common/FocusRing.h>
#include <screens/tree/SkillTreeScreen.h>
#include <toolkit/ScriptedToolkit.h>

#include <QImage>
#include <QLabel>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <document/PlanDocument.h>
#include <memory>
#include <optional>

using namespace skillwright;
using namespace skillwright::screens;

namespace {

class Picture : public ::testing::Test {
protected:
    document::PlanDocument document;
    toolkit::ScriptedToolkit toolkit;
    skillwright::testing::TemporaryFolder folder;
    std::unique_ptr<SkillTreeScreen> screen;

    void SetUp() override {
        toolkit.folder = folder.path.string();
        document.startNew(model::ClassId::Sorceress);
        for (int i = 0; i < 5; ++i) {
            document.click(model::TreeId::SorceressCold, 0);
        }
        document.click(model::TreeId::SorceressFire, 0);
        screen = std::make_unique<SkillTreeScreen>(document, toolkit);
        screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
    }
    [[nodiscard]] QWidget* child(const QString& name) const { return screen->findChild<QWidget*>(name); }
    /// The tree area as the screen itself shows it with no outline, ring or notice.
    [[nodiscard]] QImage cleanGrab() const {
        std::vector<QWidget*> marks{child("sh_Outline"), child("lbl_UnAvail"),
                                    screen->findChild<FocusRing*>()};
        std::vector<bool> shown;
        for (QWidget* mark : marks) {
            shown.push_back(!mark->isHidden());
            mark->hide();
        }
        QImage grabbed =
            screen->grab(SkillTreeScreen::pictureArea()).toImage().convertToFormat(QImage::Format_RGB32);
        for (std::size_t i = 0; i < marks.size(); ++i) {
            mark(marks[i], shown[i]);
        }
        return grabbed;
    }
    static void mark(QWidget* widget, bool shown) { widget->setVisible(shown); }
    /// Hover over Blizzard, ring the keyboard's icon and leave a refusal on the notice line.
    void markTheMoment() {
        QTest::mouseMove(child("img_SorceressCold(5)"));
        QTest::keyClick(child("img_SorceressCold(0)"), Qt::Key_Right);
        document.click(model::TreeId::SorceressCold, 8); // Frozen Orb this early: refused
        ASSERT_TRUE(child("sh_Outline")->isVisible());
        ASSERT_TRUE(child("lbl_UnAvail")->isVisible());
        ASSERT_TRUE(screen->findChild<FocusRing*>()->isVisible());
    }
};

TEST_F(Picture, atOneXItIsTheScreensTreeAreaWithoutTheMarksOfTheMoment) {
    const QImage expected = cleanGrab();
    ASSERT_EQ(expected.size(), QSize(637, 372));
    markTheMoment();
    const QImage picture = screen->picture(1).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(637, 396));
    EXPECT_TRUE(picture.copy(0, 0, 637, 372) == expected);
    EXPECT_TRUE(child("sh_Outline")->isVisible()) << "the marks come back";
    EXPECT_TRUE(child("lbl_UnAvail")->isVisible());
    EXPECT_TRUE(screen->findChild<FocusRing*>()->isVisible());
}

TEST_F(Picture, atTwoXItIsTwiceTheSizeAndTheIconsAreDrawnNotBlownUp) {
    const QImage picture = screen->picture(2).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(1274, 792));
    // Ice Bolt's icon: a picture enlarged from 1x has every 2x2 block of one colour.
    const QRect icon = child("img_SorceressCold(0)")->geometry();
    int blocks = 0;
    int mixed = 0;
    for (int y = icon.top() * 2; y < icon.bottom() * 2; y += 2) {
        for (int x = icon.left() * 2; x < icon.right() * 2; x += 2) {
            const QRgb c = picture.pixel(x, y);
            mixed += picture.pixel(x + 1, y) != c || picture.pixel(x, y + 1) != c ||
                     picture.pixel(x + 1, y + 1) != c;
            ++blocks;
        }
    }
    EXPECT_GT(mixed, blocks / 3);
}

TEST_F(Picture, theNameStandsUnderTheTrees) {
    const auto goldIn = [](const QImage& image) {
        for (int y = 372; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qRed(image.pixel(x, y)) > 150 && qBlue(image.pixel(x, y)) < 120) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_FALSE(goldIn(screen->picture(1)));
    document.markSaved("Frost Witch", (folder.path / "Frost Witch.txt").string());
    EXPECT_TRUE(goldIn(screen->picture(1)));
}

TEST_F(Picture, saveWritesThePngAtTheChosenSizeOrTellsWhyNot) {
    const QImage expected = cleanGrab();
    const std::string missing = (folder.path / "none" / "x.png").string();
    struct Case {
        const char* what;
        toolkit::ChosenFile chosen;
        QSize size; ///< empty: no file
        bool refused;
    };
    const Case cases[] = {
        {"1x", {(folder.path / "one.png").string(), 0}, QSize(637, 396), false},
        {"2x", {(folder.path / "two.png").string(), 1}, QSize(1274, 792), false},
        {"cancelled", {"", 0}, QSize(), false},
        {"a folder that is not there", {missing, 0}, QSize(), true},
    };
    const int level = document.build().characterLevel();
    for (const Case& c : cases) {
        toolkit.messages.clear();
        toolkit.saveFiles = {c.chosen};
        markTheMoment();
        screen->savePicture();
        ASSERT_FALSE(toolkit.saveDialogs.empty());
        EXPECT_EQ(toolkit.saveDialogs.back().title, folder.path.string() + "/Character.png") << c.what;
        EXPECT_EQ(toolkit.messages.size(), c.refused ? 1u : 0u) << c.what;
        if (c.refused) {
            EXPECT_NE(toolkit.messages[0].text.find(missing), std::string::npos);
            EXPECT_FALSE(std::filesystem::exists(missing));
        }
        if (c.size.isEmpty()) {
            continue;
        }
        QImage saved;
        ASSERT_TRUE(saved.load(QString::fromStdString(c.chosen.path), "PNG")) << c.what;
        EXPECT_EQ(saved.size(), c.size) << c.what;
        if (c.size.width() == 637) {
            EXPECT_TRUE(saved.convertToFormat(QImage::Format_RGB32).copy(0, 0, 637, 372) == expected);
        }
        EXPECT_EQ(qobject_cast<QLabel*>(child("lbl_UnAvail"))->text().left(15), "Picture saved: ") << c.what;
    }
    EXPECT_EQ(document.build().characterLevel(), level) << "the plan is as it was";
}

TEST_F(Picture, copyPutsThePictureOnTheClipboard) {
    const QImage expected = cleanGrab();
    toolkit.clipboard = "text";
    screen->copyPicture();
    EXPECT_FALSE(toolkit.clipboard.has_value());
    ASSERT_TRUE(toolkit.clipboardPicture.has_value());
    QImage copied;
    ASSERT_TRUE(copied.loadFromData(reinterpret_cast<const uchar*>(toolkit.clipboardPicture->data()),
                                    static_cast<int>(toolkit.clipboardPicture->size()), "PNG"));
    EXPECT_TRUE(copied.convertToFormat(QImage::Format_RGB32).copy(0, 0, 637, 372) == expected);
}

/// What a command prints on its standard output, or empty when it fails.
std::string outputOf(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
            out.append(chunk, n);
        }
        if (::pclose(pipe) != 0) {
            out.clear();
        }
    }
    return out;
}

TEST_F(Picture, theSheetShowsTheHeadingTheTreesAndTheLevelOrderOnOnePage) {
    const QImage trees = cleanGrab();
    const std::string pdf = (folder.path / "sheet.pdf").string();
    toolkit.saveFiles = {{pdf, 0}};
    screen->exportPdf();
    ASSERT_TRUE(std::filesystem::exists(pdf));
    const std::string text = outputOf("pdftotext -layout '" + pdf + "' -");
    for (const char* shown : {"Sorceress, level 7", "Level order:", "2-6 Ice Bolt", "7 Fire Bolt",
                              "Ice Bolt: 1 at Clvl 2, 5 at Clvl 6", "Den of Evil: 0 taken, 1 open"}) {
        EXPECT_NE(text.find(shown), std::string::npos) << shown << " in\n" << text;
    }
    EXPECT_EQ(outputOf("pdfinfo '" + pdf + "' | grep '^Pages:' | tr -d ' '"), "Pages:1\n");

    // At 50 dots an inch, A4 is 414 pixels wide; the trees span the 180 mm between the margins.
    ASSERT_FALSE(outputOf("pdftoppm -r 50 -png -singlefile '" + pdf + "' '" +
                          (folder.path / "page").string() + "' && echo done")
                     .empty());
    const QImage page = QImage(QString::fromStdString((folder.path / "page.png").string()))
                            .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(page.size(), QSize(414, 585));
    const QImage expected = trees.scaled(354, 207, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double best = 255;
    for (int top = 30; top < 90; ++top) {
        double difference = 0;
        for (int y = 0; y < expected.height(); y += 3) {
            for (int x = 0; x < expected.width(); x += 3) {
                const QRgb a = page.pixel(30 + x, top + y);
                const QRgb b = expected.pixel(x, y);
                difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b));
            }
        }
        best = std::min(best, difference / (3.0 * (expected.height() / 3 + 1) * (expected.width() / 3 + 1)));
    }
    EXPECT_LT(best, 16) << "the trees, within a few levels per pixel";
}

TEST(PrintedSheet, goesOnThePageAndWithinTheMarginsThePrintDialogChose) {
    document::PlanDocument document;
    toolkit::ScriptedToolkit toolkit;
    skillwright::testing::TemporaryFolder folder;
    document.startNew(model::ClassId::Necromancer);
    SkillTreeScreen screen(document, toolkit);
    screen.show();
    struct Case {
        const char* what;
        std::string file; ///< what the printer prints into; empty: the player cancels
        bool sent;
    };
    const Case cases[] = {
        {"printed", (folder.path / "printed.pdf").string(), true},
        {"cancelled", "", false},
        {"refused", (folder.path / "none" / "printed.pdf").string(), false},
    };
    for (const Case& c : cases) {
        toolkit.messages.clear();
        std::optional<QPdfWriter> printer;
        if (!c.file.empty()) {
            printer.emplace(QString::fromStdString(c.file));
            printer->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                               QMarginsF(25, 25, 25, 25), QPageLayout::Millimeter));
        }
        toolkit.printer = printer ? &*printer : nullptr;
        screen.printSheet();
        ASSERT_EQ(toolkit.printDialogs.size(), static_cast<std::size_t>(&c - cases + 1)) << c.what;
        EXPECT_EQ(toolkit.printDialogs.back(), "Necromancer, level 1") << c.what;
        const bool refused = !c.file.empty() && !c.sent;
        ASSERT_EQ(toolkit.messages.size(), refused ? 1u : 0u) << c.what;
        if (refused) {
            EXPECT_EQ(toolkit.messages[0].title, "Print");
        }
        printer.reset();
        if (c.sent) {
            EXPECT_EQ(outputOf("pdfinfo '" + c.file + "' | grep '^Page size:' | tr -s ' '"),
                      "Page size: 792 x 612 pts (letter)\n");
            EXPECT_NE(outputOf("pdftotext '" + c.file + "' -").find("Necromancer, level 1"),
                      std::string::npos);
            EXPECT_EQ(qobject_cast<QLabel*>(screen.findChild<QWidget*>("lbl_UnAvail"))->text(),
                      "Sheet sent to the printer");
        }
    }
}

} // namespace

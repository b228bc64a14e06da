#include "Colours.h"
#include "GifBytes.h"

#include <model/Build.h>
#include <screens/common/FocusRing.h>
#include <screens/select/StartScreen.h>
#include <toolkit/ScriptedToolkit.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <animations/ClassStills.h>
#include <art/Art.h>
#include <optional>
#include <presentation/Presentation.h>
#include <sys/stat.h>

namespace model = skillwright::model;
using skillwright::model::Build;
using skillwright::model::ClassId;
using skillwright::screens::LoadAnimatedGif;
using skillwright::screens::PictureArray;
using skillwright::screens::StartScreen;
using skillwright::testing::buildGif;
using skillwright::toolkit::Icon;
using skillwright::toolkit::ScriptedToolkit;

namespace {

using skillwright::testing::kBrightGold;
using skillwright::testing::kBronze;

void writeFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

/// The start screen over animation files of different lengths: Amazon three
/// frames (100, 50, 70 ms), Barbarian two (40 ms, then 0), Necromancer one
/// (80 ms), Paladin's file missing and Sorceress's not a GIF.
class MainSelectTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        writeFile(dir.filePath("amazonmove.gif"), buildGif({{10, 0, 0}, {5, 2, 3}, {7, 1, 1}}));
        writeFile(dir.filePath("barbarianmove.gif"), buildGif({{4, 0, 0}, {0, 0, 0}}));
        writeFile(dir.filePath("necromancermove.gif"), buildGif({{8, 0, 0}}));
        writeFile(dir.filePath("sorceressmove.gif"), {'h', 'e', 'l', 'l', 'o'});
        toolkit.folder = dir.path().toStdString();
        QObject::connect(&screen, &StartScreen::classChosen, [this](ClassId id) { opened = id; });
        QObject::connect(&screen, &StartScreen::generatorRequested,
                         [this](bool hideSelf) { generator = hideSelf; });
        screen.load();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    }

    template <typename T = QLabel> T* child(const char* name) {
        auto* w = screen.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLabel* picture(const char* name, int element = 0) {
        return child(
            QStringLiteral("img_%1(%2)").arg(QLatin1String(name)).arg(element).toLatin1().constData());
    }
    /// Moves the pointer to a point of a widget (its centre by default).
    void moveOver(QWidget* w, std::optional<QPoint> at = std::nullopt) {
        QTest::mouseMove(w, at.value_or(w->rect().center()));
    }
    bool running(ClassId id) { return screen.animationTimer(id).isActive(); }
    QColor colour(const char* name) { return skillwright::testing::textColour(child(name)); }
    std::vector<bool> shown(const char* name) {
        std::vector<bool> v;
        for (int e = 0; e < screen.pictures(ClassId::Amazon).count(); ++e) {
            v.push_back(picture(name, e)->isVisibleTo(&screen));
        }
        return v;
    }

    QTemporaryDir dir;
    ScriptedToolkit toolkit;
    StartScreen screen{toolkit};
    std::optional<ClassId> opened;
    std::optional<bool> generator;
};

TEST_F(MainSelectTest, load_splitsEachFileIntoItsOwnFramesAndSkipsTheBadOnes) {
    std::vector<int> counts; // Amazon, Barbarian, Necromancer, Paladin, Sorceress
    for (ClassId id : StartScreen::kClassOrder) {
        counts.push_back(screen.pictures(id).count());
    }
    EXPECT_EQ(counts, (std::vector<int>{3, 2, 1, 1, 1}));
    auto& amazon = screen.pictures(ClassId::Amazon);
    EXPECT_EQ(amazon.delay(0), 100);
    EXPECT_EQ(amazon.delay(1), 50);
    EXPECT_EQ(amazon.element(2)->property("tag").toString(), QStringLiteral("70"));
    EXPECT_EQ(amazon.element(1)->pos(), amazon.element(0)->pos() + QPoint(2, 3));
    EXPECT_EQ(amazon.element(0)->pos(), QPoint(30, 80));
    EXPECT_EQ(amazon.element(1)->size(), QSize(4, 4));
    EXPECT_FALSE(amazon.element(1)->isVisibleTo(&screen));
    // Nothing is decoded before a class is hovered: element 0 keeps its still.
    EXPECT_EQ(amazon.element(0)->pixmap().size(), QSize(140, 260));
    EXPECT_TRUE(amazon.element(1)->pixmap().isNull());

    // The missing file keeps its still picture; the timers get frame 0's delay.
    EXPECT_EQ(screen.pictures(ClassId::Paladin).element(0)->pixmap().size(), QSize(140, 260));
    EXPECT_EQ(screen.animationInterval(ClassId::Amazon), 100);
    EXPECT_EQ(screen.animationInterval(ClassId::Paladin), 0);
    EXPECT_EQ(screen.animationInterval(ClassId::Sorceress), 0);

    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0].text, "This file is not a *.gif file");
    EXPECT_EQ(toolkit.messages[0].icon, Icon::Critical);
    EXPECT_FALSE(child("lbl_Loading")->isVisible());
    EXPECT_TRUE(child<QLineEdit>("txt_Focus")->hasFocus());
}

TEST_F(MainSelectTest, hoverStartsThatClassAndStopsTheOthers) {
    moveOver(picture("Barbarian"));
    EXPECT_TRUE(running(ClassId::Barbarian));
    EXPECT_EQ(screen.hoverKey(), QStringLiteral("Barbarian"));

    moveOver(child("lbl_Amazon"));
    EXPECT_TRUE(running(ClassId::Amazon));
    EXPECT_FALSE(running(ClassId::Barbarian));
    EXPECT_EQ(screen.hoverKey(), QStringLiteral("Amazon"));
    // Both names stay lit until the pointer crosses the background.
    EXPECT_EQ(colour("lbl_Amazon"), kBrightGold);
    EXPECT_EQ(colour("lbl_Barbarian"), kBrightGold);

    moveOver(&screen, QPoint(400, 595));
    EXPECT_EQ(screen.hoverKey(), QStringLiteral("blank"));
    EXPECT_FALSE(running(ClassId::Amazon));
    EXPECT_EQ(colour("lbl_Amazon"), kBronze);
    EXPECT_EQ(colour("lbl_Barbarian"), kBronze);

    // A class without an animation only lights its name.
    moveOver(picture("Paladin"));
    EXPECT_FALSE(running(ClassId::Paladin));
    EXPECT_EQ(colour("lbl_Paladin"), kBrightGold);
    toolkit.advance(1000);
    EXPECT_TRUE(picture("Paladin")->isVisible());
}

TEST_F(MainSelectTest, firstHover_decodesEachFrameBeforeItIsDue) {
    auto& amazon = screen.pictures(ClassId::Amazon);
    moveOver(picture("Amazon"));
    EXPECT_EQ(amazon.element(0)->pixmap().size(), QSize(8, 8)); // the file's first frame
    EXPECT_EQ(amazon.element(1)->pixmap().size(), QSize(4, 4));
    EXPECT_TRUE(amazon.isPending(2));
    EXPECT_TRUE(screen.pictures(ClassId::Barbarian).isPending(1));

    toolkit.advance(100);
    EXPECT_EQ(shown("Amazon"), (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(amazon.isPending(2));
    EXPECT_EQ(amazon.element(2)->pixmap().size(), QSize(4, 4));

    // Another class: the stopped animation stands on its first frame, no
    // frame half played left over it, keeps only that picture and decodes
    // the others again when it next plays.
    moveOver(picture("Barbarian"));
    EXPECT_EQ(shown("Amazon"), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(amazon.element(0)->pixmap().size(), QSize(8, 8));
    EXPECT_TRUE(amazon.element(1)->pixmap().isNull());
    EXPECT_TRUE(amazon.element(2)->pixmap().isNull());
    moveOver(picture("Amazon"));
    toolkit.advance(100);
    EXPECT_EQ(shown("Amazon"), (std::vector<bool>{false, true, false}));
    toolkit.advance(50);
    EXPECT_EQ(shown("Amazon"), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(amazon.element(2)->pixmap().size(), QSize(4, 4));
    // After the last frame's own delay, the first frame again.
    toolkit.advance(70);
    EXPECT_EQ(screen.frameIndex(), 0);
    EXPECT_EQ(shown("Amazon"), (std::vector<bool>{true, false, false}));
    toolkit.advance(100);
    EXPECT_EQ(screen.frameIndex(), 1);
}

TEST_F(MainSelectTest, movingWithinAPicture_doesNotRestartItsAnimation) {
    moveOver(picture("Amazon"), QPoint(10, 10));
    toolkit.advance(100);
    ASSERT_EQ(screen.frameIndex(), 1);
    // Element 0 is hidden now; the picture's bare place still counts as the class.
    moveOver(&screen, QPoint(30 + 120, 80 + 200));
    moveOver(picture("Amazon", 1), QPoint(1, 1));
    EXPECT_EQ(screen.frameIndex(), 1);
    toolkit.advance(49);
    EXPECT_EQ(screen.frameIndex(), 1);
    toolkit.advance(1);
    EXPECT_EQ(screen.frameIndex(), 2);
}

TEST_F(MainSelectTest, ticksWrapAfterEachClassesOwnLastFrame) {
    // One frame: every tick shows element 0 again, on its own delay.
    moveOver(picture("Amazon"));
    moveOver(picture("Necromancer"));
    EXPECT_FALSE(running(ClassId::Amazon));
    toolkit.advance(80);
    EXPECT_EQ(screen.frameIndex(), 0);
    EXPECT_TRUE(picture("Necromancer")->isVisible());
    EXPECT_TRUE(running(ClassId::Necromancer));

    // A delay of 0 stops the animation on that frame.
    moveOver(picture("Barbarian"));
    toolkit.advance(40);
    EXPECT_EQ(screen.frameIndex(), 1);
    EXPECT_FALSE(running(ClassId::Barbarian));
    toolkit.advance(1000);
    EXPECT_EQ(screen.frameIndex(), 1);
}

TEST_F(MainSelectTest, choosingAClass_opensItsScreenAndHidesThisOne) {
    moveOver(picture("Amazon"));
    QTest::mousePress(picture("Sorceress"), Qt::RightButton);
    EXPECT_EQ(opened, ClassId::Sorceress);
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.hoverKey(), QStringLiteral("blank"));

    // By its name: nothing else changes.
    screen.show();
    moveOver(picture("Amazon"));
    QTest::mousePress(child("lbl_Necromancer"), Qt::LeftButton);
    EXPECT_EQ(opened, ClassId::Necromancer);
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.hoverKey(), QStringLiteral("Amazon"));
    EXPECT_TRUE(running(ClassId::Amazon));
}

TEST_F(MainSelectTest, escapeAndCloseLabel_askForTheProgramsEnd) {
    QSignalSpy exit(&screen, &StartScreen::exitRequested);
    QTest::keyClick(child<QLineEdit>("txt_Focus"), Qt::Key_Escape);
    EXPECT_EQ(exit.count(), 1);
    QTest::keyClick(child<QListWidget>("lb_Info"), Qt::Key_Escape);
    EXPECT_EQ(exit.count(), 2);
    QTest::mouseClick(child("lbl_Close"), Qt::LeftButton);
    EXPECT_EQ(exit.count(), 3);
    QTest::keyClick(child<QLineEdit>("txt_Focus"), Qt::Key_A);
    EXPECT_EQ(exit.count(), 3);
    EXPECT_EQ(toolkit.programEnds, 0) << "the program's end is not the screen's to carry out";
}

TEST_F(MainSelectTest, contactCardsRandomAndGeneratorButton) {
    moveOver(child("img_Quennick"));
    EXPECT_EQ(child("lbl_ContactInfo")->text(), StartScreen::kQuennickCard);
    EXPECT_TRUE(StartScreen::kOrrindelCard.contains(QStringLiteral("\r\nGuild: (none)\r\n")));
    moveOver(child("lbl_Title"));
    EXPECT_EQ(child("lbl_ContactInfo")->text(), StartScreen::kQuennickCard);

    moveOver(picture("Amazon"));
    moveOver(child("lbl_Random"));
    EXPECT_FALSE(running(ClassId::Amazon));
    EXPECT_EQ(colour("lbl_Random"), kBrightGold);
    EXPECT_EQ(child("lbl_ContactInfo")->text(), QStringLiteral("Generate a random character."));

    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(generator, false);
    QTest::mouseClick(child("lbl_Random"), Qt::LeftButton);
    EXPECT_EQ(generator, true);
}

TEST(MainSelectAnimations, theProgramsFiles_loadEveryFrame) {
    ScriptedToolkit toolkit;
    toolkit.folder = SKILLWRIGHT_ANIMATION_FOLDER;
    StartScreen screen(toolkit);
    screen.load();
    EXPECT_TRUE(toolkit.messages.empty());
    int offsetFrames = 0;
    for (ClassId id : StartScreen::kClassOrder) {
        auto& p = screen.pictures(id);
        SCOPED_TRACE(static_cast<int>(id));
        EXPECT_GE(p.count(), 8);
        // One full cycle from the first hover: every frame has its picture
        // by the time it shows.
        QTest::mouseMove(p.element(0), QPoint(70, 130));
        for (int e = 1; e < p.count(); ++e) {
            EXPECT_TRUE(p.isPending(e + 1) || e + 1 == p.count());
            toolkit.advance(p.delay(e - 1));
            ASSERT_EQ(screen.frameIndex(), e);
            EXPECT_TRUE(p.element(e)->isVisible());
            EXPECT_FALSE(p.element(e)->pixmap().isNull());
            EXPECT_GT(p.delay(e), 0);
            offsetFrames += p.element(e)->pos() != p.element(0)->pos() ? 1 : 0;
        }
    }
    EXPECT_GT(offsetFrames, 0);

    // Frame 0 decodes to exactly the compiled-in still: the tool's own LZW
    // writer round-trips every pixel (premultiplied, every transparent pixel
    // is the same whatever colour it hides).
    for (auto [id, stem] : {std::pair{ClassId::Amazon, "amazon"}, std::pair{ClassId::Paladin, "paladin"}}) {
        const QImage decoded = screen.pictures(id).element(0)->pixmap().toImage();
        const QImage still =
            skillwright::art::storedPicture(skillwright::animations::classStillPath(QLatin1String(stem)))
                .toImage();
        ASSERT_FALSE(still.isNull()) << stem;
        EXPECT_TRUE(decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
                    still.convertToFormat(QImage::Format_ARGB32_Premultiplied))
            << stem;
    }
}

TEST(MainSelectAnimations, filesThatCannotBeShown_leaveTheStillsWithoutAMessage) {
    QTemporaryDir dir;
    const auto path = [&dir](const char* stem) {
        return dir.filePath(QStringLiteral("%1move.gif").arg(QLatin1String(stem)));
    };
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("amazon")).constData(), 0600), 0);
    writeFile(
        path("necromancer"),
        buildGif(skillwright::testing::afterACornerFrame({10, 2990, 2990, 20, 20}, 40), true, 3000, 3000));
    ScriptedToolkit toolkit;
    toolkit.folder = dir.path().toStdString();
    StartScreen screen(toolkit);
    screen.load();
    EXPECT_TRUE(toolkit.messages.empty());
    for (ClassId id : StartScreen::kClassOrder) {
        SCOPED_TRACE(static_cast<int>(id));
        EXPECT_EQ(screen.pictures(id).count(), 1);
        EXPECT_EQ(screen.pictures(id).element(0)->pixmap().size(), QSize(140, 260));
        EXPECT_EQ(screen.animationInterval(id), 0);
    }

    // A file whose first frame cannot be decoded leaves the still in element 0.
    PictureArray frames(&screen, QStringLiteral("img_Test"), QRect(30, 80, 140, 260));
    QPixmap still(10, 10);
    still.fill(Qt::red);
    frames.element(0)->setPixmap(still);
    QFile real(QStringLiteral(SKILLWRIGHT_ANIMATION_FOLDER "/paladinmove.gif"));
    ASSERT_TRUE(real.open(QIODevice::ReadOnly));
    const QByteArray whole = real.readAll();
    QFile cut(path("cut"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.left(whole.indexOf(QByteArray("\x00\x21\xF9", 3)) + 12));
    cut.close();
    EXPECT_TRUE(LoadAnimatedGif(path("cut"), frames, toolkit));
    frames.prepare(0);
    EXPECT_EQ(frames.element(0)->pixmap().size(), QSize(10, 10));
    EXPECT_FALSE(LoadAnimatedGif(QString(), frames, toolkit));
}

TEST_F(MainSelectTest, arrowsAndTabMoveAMarkOverTheClassesAndRandomEnterChooses) {
    auto* keys = child<QLineEdit>("txt_Focus");
    const auto* ring = screen.findChild<skillwright::screens::FocusRing*>();
    ASSERT_NE(ring, nullptr);
    EXPECT_FALSE(ring->isVisible()) << "the screen looks as designed until a key";
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* marked;
    };
    // clang-format off
    const Step steps[] = {
        {Qt::Key_Right, Qt::NoModifier, "lbl_Amazon"},
        {Qt::Key_Tab, Qt::NoModifier, "lbl_Barbarian"},
        {Qt::Key_Down, Qt::NoModifier, "lbl_Random"},
        {Qt::Key_Up, Qt::NoModifier, "lbl_Barbarian"},
        {Qt::Key_Tab, Qt::ShiftModifier, "lbl_Amazon"},
        {Qt::Key_Left, Qt::NoModifier, "lbl_Random"},
        {Qt::Key_Left, Qt::NoModifier, "lbl_Sorceress"},
        {Qt::Key_Tab, Qt::NoModifier, "lbl_Random"},
        {Qt::Key_Tab, Qt::NoModifier, "lbl_Amazon"},
        {Qt::Key_Right, Qt::NoModifier, "lbl_Barbarian"},
        {Qt::Key_Right, Qt::NoModifier, "lbl_Necromancer"},
        {Qt::Key_Right, Qt::NoModifier, "lbl_Paladin"},
    };
    // clang-format on
    for (const Step& s : steps) {
        QTest::keyClick(keys, s.key, s.modifiers);
        EXPECT_EQ(ring->framed(), child(s.marked)) << s.marked;
        EXPECT_EQ(colour(s.marked), kBrightGold) << s.marked;
    }
    EXPECT_EQ(colour("lbl_Necromancer"), kBronze) << "the mark left it";
    EXPECT_TRUE(ring->isVisible());
    EXPECT_EQ(keys, screen.focusWidget()) << "the keys stay where Esc ends the program";

    QTest::keyClick(keys, Qt::Key_Return);
    EXPECT_EQ(opened, ClassId::Paladin);
    EXPECT_FALSE(screen.isVisible());
    screen.show();
    QTest::keyClick(keys, Qt::Key_Down);
    QTest::keyClick(keys, Qt::Key_Space);
    EXPECT_EQ(generator, true) << "Random, and the screen makes way for the generator";
}

} // namespace

#include "GifBytes.h"

#include <screens/select/AnimationFrames.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using skillwright::screens::AnimationLimits;
using skillwright::screens::AnimationPlan;
using skillwright::screens::decodeFrame;
using skillwright::screens::planAnimation;
using skillwright::screens::readAnimationFile;
using skillwright::testing::afterACornerFrame;
using skillwright::testing::buildGif;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr std::int64_t kMiB = 1024 * 1024;

std::int64_t totalCost(const AnimationPlan& plan) {
    std::int64_t total = 0;
    for (const auto& f : plan.frames) {
        total += f.cost();
    }
    return total;
}

/// Where the k-th frame's graphic control extension starts in the file (at its 0x21).
std::size_t extensionAt(const Bytes& gif, int k) {
    for (std::size_t i = 2; i < gif.size(); ++i) {
        if (gif[i - 2] == 0x00 && gif[i - 1] == 0x21 && gif[i] == 0xF9 && k-- == 0) {
            return i - 1;
        }
    }
    return gif.size();
}

// Each frame keeps the delay the file gives it in milliseconds (zero kept as
// zero) and its offsets with their high bytes, and decodes on its own; a file
// cut short gives the frames before the cut, never a read past its end.
TEST(AnimationPlan, eachFrameKeepsItsDelayAndOffsetAndAFileCutShortGivesTheFramesBefore) {
    const Bytes gif = buildGif({{10, 0, 0}, {0, 300, 7, 2, 3}, {65535, 1, 2}, {3, 0, 0}}, true, 400, 16);
    const AnimationPlan plan = planAnimation(gif);
    ASSERT_TRUE(plan.isGif);
    ASSERT_EQ(plan.frames.size(), 4u);
    const struct {
        int delayMs;
        QPoint offset;
        QSize size;
    } expected[] = {
        {100, {0, 0}, {400, 16}}, {0, {300, 7}, {2, 3}}, {655350, {1, 2}, {4, 4}}, {30, {0, 0}, {4, 4}}};
    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(plan.frames[k].delayMs, expected[k].delayMs);
        EXPECT_EQ(plan.frames[k].offset, expected[k].offset);
        EXPECT_EQ(plan.frames[k].size, expected[k].size);
        EXPECT_EQ(decodeFrame(plan.frames[k]).size(), expected[k].size);
    }

    const struct {
        const char* where;
        std::size_t cut;
        std::size_t frames;
    } cuts[] = {
        {"in the middle of frame 2's picture data", extensionAt(gif, 1) + 20, 2},
        {"inside frame 2's delay", extensionAt(gif, 1) + 5, 2},
        {"right after frame 2's marker", extensionAt(gif, 1) + 2, 1},
        {"just after the header", extensionAt(gif, 0) + 2, 0},
    };
    for (const auto& c : cuts) {
        SCOPED_TRACE(c.where);
        const AnimationPlan cut = planAnimation(std::span(gif).first(c.cut));
        EXPECT_TRUE(cut.isGif);
        EXPECT_EQ(cut.frames.size(), c.frames);
    }
    // What does not begin with "GIF" is none.
    for (const Bytes& other :
         {Bytes{}, Bytes{'G', 'I'}, Bytes{0x89, 'P', 'N', 'G', 0x00, 0x21, 0xF9, 0x04}}) {
        EXPECT_FALSE(planAnimation(other).isGif) << other.size();
    }
}

TEST(AnimationPlan, framesReachingPastThePicture_areCroppedToWhatLiesInside) {
    // 40 frames of 20 x 20 at (990, 990) on a 1000 x 1000 picture: each
    // keeps its 10 x 10 corner, not a copy of the whole picture.
    const Bytes gif = buildGif(afterACornerFrame({10, 990, 990, 20, 20}, 40), true, 1000, 1000);
    const AnimationPlan plan = planAnimation(gif);
    ASSERT_EQ(plan.frames.size(), 41u);
    EXPECT_EQ(plan.frames[0].size, QSize(1000, 1000));
    for (std::size_t k = 1; k < plan.frames.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(plan.frames[k].size, QSize(10, 10));
        EXPECT_EQ(plan.frames[k].offset, QPoint(990, 990));
        const QImage picture = decodeFrame(plan.frames[k]);
        ASSERT_EQ(picture.size(), QSize(10, 10));
        // The frame's own pixels (colour 1 of the palette), not the picture's background.
        EXPECT_EQ(picture.pixel(9, 9), qRgb(0xFF, 0xD0, 0x40)) << std::hex << picture.pixel(9, 9);
    }
    EXPECT_LT(totalCost(plan), 4 * kMiB + 64 * 1024);
    EXPECT_EQ(decodeFrame(plan.frames[0]).size(), QSize(1000, 1000));
}

TEST(AnimationPlan, whatCannotBeShownWithinTheLimits_costsNothing) {
    const AnimationLimits tight{.fileBytes = kMiB, .pictureBytes = 3'500'000, .frames = 1000};
    // A small corner frame, then `count` of `frame`, on a `side` x `side` picture.
    const auto gif = [](skillwright::testing::TestFrame frame, int count, int side) {
        return buildGif(afterACornerFrame(frame, count), true, side, side);
    };
    const struct {
        const char* what;
        Bytes gif;
        AnimationLimits limits;
        std::size_t frames; ///< planned frames
        QSize secondFrame;  ///< what frame 1 shows
    } cases[] = {
        // 3000 x 3000 takes 36 MB for the first frame alone: more than a file's share.
        {"a picture too large", gif({10, 2990, 2990, 20, 20}, 40, 3000), {}, 0, {}},
        {"a picture without size", gif({10, 0, 0, 2, 2}, 3, 0), {}, 0, {}},
        {"a frame wholly outside", gif({10, 30, 0, 4, 4}, 1, 8), {}, 2, QSize(0, 0)},
        {"a frame claiming 65535 x 65535", gif({10, 0, 0, 65535, 65535, 4}, 1, 8), {}, 2, QSize(0, 0)},
        {"more frames than the limit", gif({1, 0, 0, 1, 1}, 1500, 8), {}, 1000, QSize(1, 1)},
        // About 1.1 MB per 500 x 500 frame: three fit in 3.5 MB, the rest are dropped.
        {"frames past the budget", gif({10, 0, 0, 500, 500}, 9, 500), tight, 3, QSize(500, 500)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const AnimationPlan plan = planAnimation(c.gif, c.limits);
        EXPECT_TRUE(plan.isGif);
        ASSERT_EQ(plan.frames.size(), c.frames);
        EXPECT_LE(totalCost(plan), c.limits.pictureBytes);
        if (c.frames > 1) {
            EXPECT_EQ(plan.frames[1].size, c.secondFrame);
            EXPECT_EQ(decodeFrame(plan.frames[1]).size(), c.secondFrame); // a null image is 0 x 0
        }
    }
}

TEST(AnimationPlan, fuzzCorpus_staysWithinItsLimitsAndDecodesToThePlannedSizes) {
    // Inputs the fuzzer kept, and the crafted cases beside them.
    const AnimationLimits limits;
    std::size_t files = 0;
    for (const QString& name : QDir(QStringLiteral(SKILLWRIGHT_GIF_CORPUS)).entryList(QDir::Files)) {
        SCOPED_TRACE(name.toStdString());
        const auto bytes =
            readAnimationFile(QStringLiteral(SKILLWRIGHT_GIF_CORPUS "/") + name, limits.fileBytes);
        ASSERT_TRUE(bytes.has_value());
        const AnimationPlan plan =
            planAnimation(std::span(reinterpret_cast<const std::uint8_t*>(bytes->constData()),
                                    static_cast<std::size_t>(bytes->size())),
                          limits);
        EXPECT_LE(totalCost(plan), limits.pictureBytes);
        EXPECT_LE(plan.frames.size(), limits.frames);
        for (const auto& frame : plan.frames) {
            const QImage picture = decodeFrame(frame);
            EXPECT_TRUE(picture.isNull() || picture.size() == frame.size);
        }
        ++files;
    }
    EXPECT_GT(files, 60u);
}

TEST(ReadAnimationFile, readsOnlyRegularFilesWithinTheLimit) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString small = dir.filePath(QStringLiteral("small.gif"));
    std::ofstream(small.toStdString()) << "GIF89a----";
    const QString pipe = dir.filePath(QStringLiteral("pipe.gif"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString zeros = dir.filePath(QStringLiteral("zeros.gif"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zeros));
    // 16 MiB and one byte, sparse: refused by its size before any of it is read.
    const QString huge = dir.filePath(QStringLiteral("huge.gif"));
    std::ofstream(huge.toStdString()).close();
    std::filesystem::resize_file(huge.toStdString(), 16 * kMiB + 1);

    const struct {
        const char* what;
        QString path;
        std::int64_t limit;
        bool read;
    } cases[] = {
        {"a small file", small, 16 * kMiB, true},
        {"a file exactly at the limit", small, 10, true},
        {"a file one byte over", small, 9, false},
        {"a pipe nobody writes to", pipe, 16 * kMiB, false},
        {"a link to an endless device", zeros, 16 * kMiB, false},
        {"a folder", dir.path(), 16 * kMiB, false},
        {"a file over 16 MiB", huge, 16 * kMiB, false},
        {"a missing file", dir.filePath(QStringLiteral("missing.gif")), 16 * kMiB, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto bytes = readAnimationFile(c.path, c.limit);
        EXPECT_EQ(bytes.has_value(), c.read);
        if (bytes) {
            EXPECT_EQ(*bytes, QByteArray("GIF89a----"));
        }
    }
}

} // namespace

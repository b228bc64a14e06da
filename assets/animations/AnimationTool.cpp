// Draws the five class animations and writes them as animated GIFs, plus the
// first frame of each as a still, stored decoded.
//   sw_animation_tool <gif folder> <still folder>
// Writes <gif folder>/<class>move.gif and <still folder>/<class>.picture.
#include "Figures.h"
#include "GifWriter.h"

#include <QImage>

#include <StoredPicture.h>
#include <cstdio>
#include <fstream>

using namespace skillwright::animations;

namespace {

/// The smallest rectangle holding every opaque pixel, with a small margin.
QRect opaqueBounds(const QImage& img) {
    int left = img.width(), top = img.height(), right = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(line[x]) >= 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        return {0, 0, 1, 1};
    }
    return QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-2, -2, 2, 2).intersected(img.rect());
}

/// The canvas as the GIF shows it: palette colours, transparent below half alpha.
QImage quantised(const QImage& canvas, Palette& palette) {
    QImage out(canvas.size(), QImage::Format_ARGB32);
    for (int y = 0; y < canvas.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            line[x] = qAlpha(in[x]) < 128 ? 0u : palette.colours()[palette.indexOf(in[x])];
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <gif folder> <still folder>\n", argv[0]);
        return 2;
    }
    const std::string gifFolder = argv[1];
    const std::string stillFolder = argv[2];
    Palette palette;
    for (const ClassAnimation& a : drawClassAnimations()) {
        std::vector<OutFrame> frames;
        const QRect firstFigure = opaqueBounds(a.frames.front());
        for (std::size_t k = 0; k < a.frames.size(); ++k) {
            // The first frame covers the whole picture; the rest only what
            // they draw and where the first frame's figure stands, so that a
            // frame left showing hides the still beneath it.
            const QRect rect = k == 0 ? a.frames[k].rect() : opaqueBounds(a.frames[k]).united(firstFigure);
            frames.push_back({a.frames[k], rect, a.delaysCs[k]});
        }
        const auto bytes = writeAnimatedGif(frames, palette);
        const std::string gifPath = gifFolder + "/" + a.stem + "move.gif";
        std::ofstream out(gifPath, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", gifPath.c_str());
            return 1;
        }
        // The still as the screen draws it (StoredPicture.h).
        const std::string stillPath = stillFolder + "/" + a.stem + ".picture";
        if (!skillwright::stored::writeDecodedPicture(quantised(a.frames.front(), palette), "PNG",
                                                      QString::fromStdString(stillPath))) {
            std::fprintf(stderr, "cannot write %s\n", stillPath.c_str());
            return 1;
        }
    }
    return 0;
}

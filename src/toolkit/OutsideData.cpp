#include "OutsideData.h"

#include "X11Selection.h"

#include <QGuiApplication>
#include <QMimeData>

#include <chrono>
#include <string_view>
#include <vector>

namespace skillwright::toolkit {

namespace {

/// How long another program has to hand its data over before the paste or
/// drop is given up: the window waits meanwhile.
constexpr std::chrono::milliseconds kPatience{1000};

/// The X forms ("targets") of a format, the likeliest first: text comes as
/// UTF-8 under any of these names.
std::vector<std::string_view> targetsOf(const QByteArray& format) {
    if (format == "text/plain" || format == "text/plain;charset=utf-8") {
        return {"UTF8_STRING", "text/plain;charset=utf-8", "text/plain"};
    }
    return {std::string_view(format.constData(), static_cast<std::size_t>(format.size()))};
}

} // namespace

std::optional<QByteArray> boundedData(const QMimeData& mime, const QString& format, std::size_t maxBytes,
                                      std::optional<Handover> outside, WId window) {
    if (!mime.hasFormat(format)) {
        return std::nullopt;
    }
    if (outside && QGuiApplication::platformName() == QLatin1String("xcb")) {
        const QByteArray name = format.toLatin1();
        const std::vector<std::string_view> targets = targetsOf(name);
        const SelectionRead read =
            readSelection(nullptr, *outside == Handover::Clipboard ? "CLIPBOARD" : "XdndSelection", targets,
                          maxBytes, kPatience, static_cast<std::uint32_t>(window));
        switch (read.outcome) {
        case SelectionRead::Outcome::Read:
            return QByteArray(read.bytes.data(), static_cast<qsizetype>(read.bytes.size()));
        case SelectionRead::Outcome::NoDisplay:
            break; // Qt's display is not $DISPLAY: asked through Qt after all
        case SelectionRead::Outcome::TooLong:
        case SelectionRead::Outcome::NoText:
        case SelectionRead::Outcome::NoAnswer:
            return std::nullopt;
        }
    }
    QByteArray bytes = mime.data(format);
    if (static_cast<std::size_t>(bytes.size()) > maxBytes) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace skillwright::toolkit

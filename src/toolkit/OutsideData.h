#pragma once

#include <QByteArray>
#include <QString>
#include <qwindowdefs.h>

#include <cstddef>
#include <cstdint>
#include <optional>

class QMimeData;

namespace skillwright::toolkit {

/// How another program hands its data over.
enum class Handover : std::uint8_t { Clipboard, Drop };

/// The bytes in `format` ("text/plain", "text/uri-list") that `mime` carries,
/// or nothing when it carries none, or more than `maxBytes`. `outside`: the
/// data is another program's, handed over through the clipboard or a drag.
/// On X such data is read from that selection here, within the limit: asked
/// through `mime`, Qt would fetch the whole of it before it could be counted.
/// Our own data, and data on other platforms, is counted once `mime` has it.
/// `window`: the native window a drag is over, to which its source hands
/// the data.
std::optional<QByteArray> boundedData(const QMimeData& mime, const QString& format, std::size_t maxBytes,
                                      std::optional<Handover> outside, WId window = 0);

} // namespace skillwright::toolkit

#include "AniGif.h"

#include "GifSplit.h"

#include <toolkit/Toolkit.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

namespace skillwright::screens {

namespace {

/// Decodes the header followed by one frame's bytes with Qt's GIF reader.
/// Elements other than 0 hold only the frame's own rectangle, since they are
/// moved by its offset; element 0 keeps the whole picture.
QPixmap decodeFrame(const GifSplit& split, const GifFrame& frame, bool cropToFrame) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(split.header.size() + frame.bytes.size()));
    bytes.append(reinterpret_cast<const char*>(split.header.data()),
                 static_cast<qsizetype>(split.header.size()));
    bytes.append(reinterpret_cast<const char*>(frame.bytes.data()),
                 static_cast<qsizetype>(frame.bytes.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    if (cropToFrame) {
        const QRect own(frame.left, frame.top, frame.width, frame.height);
        if (own.isValid() && image.rect().contains(own)) {
            image = image.copy(own);
        }
    }
    return QPixmap::fromImage(std::move(image));
}

} // namespace

PictureArray::PictureArray(QWidget* parent, const QString& name, QRect element0, QObject* filter)
    : m_parent(parent), m_filter(filter), m_name(name) {
    QLabel* first = newElement();
    first->setGeometry(element0);
    m_elements.push_back(first);
}

QLabel* PictureArray::newElement() {
    auto* e = new QLabel(m_parent);
    e->setObjectName(m_name + QLatin1Char('(') + QString::number(count()) + QLatin1Char(')'));
    e->setMouseTracking(true);
    if (m_filter != nullptr) {
        e->installEventFilter(m_filter);
    }
    return e;
}

QLabel* PictureArray::element(int index) const {
    return index >= 0 && index < count() ? m_elements[static_cast<std::size_t>(index)] : nullptr;
}

int PictureArray::delay(int index) const {
    const QLabel* e = element(index);
    return e == nullptr ? 0 : e->property("tag").toString().toInt();
}

void PictureArray::setTag(int index, int delayMs) {
    if (QLabel* e = element(index)) {
        e->setProperty("tag", QString::number(delayMs));
    }
}

QLabel* PictureArray::create() {
    QLabel* e = newElement();
    e->setGeometry(m_elements.front()->geometry());
    e->hide();
    m_elements.push_back(e);
    return e;
}

void PictureArray::destroyAllButFirst() {
    while (m_elements.size() > 1) {
        delete m_elements.back();
        m_elements.pop_back();
    }
}

bool LoadAnimatedGif(const QString& fileName, PictureArray& frames, toolkit::Toolkit& toolkit) {
    if (fileName.isEmpty() || !QFile::exists(fileName)) {
        return false;
    }
    frames.destroyAllButFirst();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return false; // unreadable: skipped like a missing file
    }
    const QByteArray bytes = file.readAll();
    const GifSplit split = splitAnimatedGif(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
    if (!split.isGif) {
        toolkit.messageBox("This file is not a *.gif file", "", toolkit::Icon::Critical,
                           toolkit::Buttons::Ok);
        return false;
    }

    const QPoint origin = frames.element(0)->pos();
    for (std::size_t e = 0; e < split.frames.size(); ++e) {
        const GifFrame& frame = split.frames[e];
        QLabel* element = frames.element(0);
        if (e >= 1) {
            element = frames.create();
            // Offsets are in pixels; at 15 twips a pixel, screen units are pixels here.
            element->move(origin + QPoint(frame.left, frame.top));
        }
        frames.setTag(static_cast<int>(e), frame.delayMs);
        const QPixmap picture = decodeFrame(split, frame, e >= 1);
        if (e >= 1) {
            element->setPixmap(picture);
            element->resize(picture.isNull() ? QSize(0, 0) : picture.size());
        } else if (!picture.isNull()) {
            element->setPixmap(picture); // an undecodable first frame leaves the still
        }
        toolkit.processEvents();
    }
    return true;
}

} // namespace skillwright::screens

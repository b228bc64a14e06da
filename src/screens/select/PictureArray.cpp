#include "PictureArray.h"

#include "GifSplit.h"

#include <screens/common/ScreenKit.h>
#include <toolkit/Toolkit.h>

#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

namespace skillwright::screens {

PictureArray::PictureArray(QWidget* parent, const QString& name, QRect element0, QObject* filter)
    : m_parent(parent), m_filter(filter), m_name(name) {
    QLabel* first = newElement();
    first->setGeometry(element0);
    m_elements.push_back(first);
    m_frames.emplace_back();
}

QLabel* PictureArray::newElement() {
    auto* e = new QLabel(m_parent);
    e->setObjectName(m_name + QLatin1Char('(') + QString::number(count()) + QLatin1Char(')'));
    e->setMouseTracking(true);
    markDecoration(e); // the class's name beside it is what a reader hears
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
    m_frames.emplace_back();
    return e;
}

void PictureArray::destroyAllButFirst() {
    while (m_elements.size() > 1) {
        delete m_elements.back();
        m_elements.pop_back();
    }
    m_frames.resize(1);
    m_frames.front() = {};
}

void PictureArray::setFrame(int index, PlannedFrame frame) {
    if (element(index) != nullptr) {
        m_frames[static_cast<std::size_t>(index)] = Frame{std::move(frame), false};
    }
}

bool PictureArray::isPending(int index) const {
    if (element(index) == nullptr) {
        return false;
    }
    const Frame& frame = m_frames[static_cast<std::size_t>(index)];
    return !frame.decoded && !frame.planned.gif.isEmpty();
}

void PictureArray::prepare(int index) {
    if (!isPending(index)) {
        return;
    }
    Frame& frame = m_frames[static_cast<std::size_t>(index)];
    const QPixmap picture = QPixmap::fromImage(decodeFrame(frame.planned));
    frame.decoded = true;
    if (picture.isNull()) {
        frame.planned = {}; // it will not decode another time either
    }
    QLabel* e = element(index);
    if (index > 0) {
        e->setPixmap(picture);
        e->resize(picture.isNull() ? QSize(0, 0) : picture.size());
    } else if (!picture.isNull()) {
        e->setPixmap(picture); // an undecodable first frame leaves the still
    }
}

void PictureArray::releaseHidden() {
    for (std::size_t e = 1; e < m_elements.size(); ++e) {
        Frame& frame = m_frames[e];
        if (frame.decoded && !frame.planned.gif.isEmpty() && m_elements[e]->isHidden()) {
            m_elements[e]->setPixmap(QPixmap());
            frame.decoded = false;
        }
    }
}

bool LoadAnimatedGif(const QString& fileName, PictureArray& frames, toolkit::Toolkit& toolkit,
                     const AnimationLimits& limits) {
    if (fileName.isEmpty() || !QFileInfo::exists(fileName)) {
        return false;
    }
    frames.destroyAllButFirst();
    // Not a regular file, unreadable or too large: skipped like a missing file.
    const std::optional<QByteArray> bytes = readAnimationFile(fileName, limits.fileBytes);
    if (!bytes) {
        return false;
    }
    AnimationPlan plan =
        planAnimation(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes->constData()),
                                                    static_cast<std::size_t>(bytes->size())),
                      limits);
    if (!plan.isGif) {
        toolkit.messageBox("This file is not a *.gif file", "", toolkit::Icon::Critical,
                           toolkit::Buttons::Ok);
        return false;
    }
    if (plan.frames.empty()) {
        return false; // a picture too large to show: the still stays
    }

    const QPoint origin = frames.element(0)->pos();
    for (std::size_t e = 0; e < plan.frames.size(); ++e) {
        PlannedFrame& frame = plan.frames[e];
        const int index = static_cast<int>(e);
        if (e >= 1) {
            QLabel* element = frames.create();
            // Offsets are in pixels; at 15 twips a pixel, screen units are pixels here.
            element->setGeometry(QRect(origin + frame.offset, frame.size));
        }
        frames.setTag(index, frame.delayMs);
        frames.setFrame(index, std::move(frame));
        toolkit.processEvents();
    }
    return true;
}

} // namespace skillwright::screens

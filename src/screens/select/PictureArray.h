#pragma once

#include "AnimationFrames.h"

#include <QRect>
#include <QString>

#include <vector>

class QLabel;
class QObject;
class QWidget;

namespace skillwright::toolkit {
class Toolkit;
}

namespace skillwright::screens {

/// A control array of pictures (img_Amazon, ...): element 0 exists from the
/// start and fixes the place on the screen; further elements are created
/// and destroyed at run time. Element k is named "<name>(k)" and carries the
/// frame's delay in milliseconds as decimal text in its "tag" property.
///
/// An element may hold a frame not yet decoded: `prepare` decodes it into the
/// element's picture when the element is needed, and `releaseHidden` lets the
/// pictures of hidden elements go again once the animation stops.
class PictureArray {
public:
    /// `filter`, when given, watches the events of every element.
    PictureArray(QWidget* parent, const QString& name, QRect element0, QObject* filter = nullptr);

    [[nodiscard]] int count() const { return static_cast<int>(m_elements.size()); }
    [[nodiscard]] QLabel* element(int index) const;
    /// The delay stored in the element's tag, 0 when it has none.
    [[nodiscard]] int delay(int index) const;
    void setTag(int index, int delayMs);
    /// Creates element `index` (the next one), hidden, at element 0's place.
    QLabel* create();
    /// Destroys elements 1 and up, and forgets every frame not yet decoded.
    void destroyAllButFirst();

    /// Gives element `index` a frame to decode when it is first needed.
    void setFrame(int index, PlannedFrame frame);
    /// Decodes the element's frame into its picture unless it holds it
    /// already. A frame that does not decode leaves element 0 its still
    /// picture and any other element empty, for good.
    void prepare(int index);
    /// Whether the element has a frame whose picture it does not hold now.
    [[nodiscard]] bool isPending(int index) const;
    /// Drops the decoded pictures of the hidden elements 1 and up; they are
    /// decoded again when next prepared. Element 0 keeps its picture.
    void releaseHidden();

private:
    QLabel* newElement();
    QWidget* m_parent;
    QObject* m_filter;
    QString m_name;
    std::vector<QLabel*> m_elements;
    struct Frame {
        PlannedFrame planned; ///< no bytes: nothing (more) to decode
        bool decoded = false;
    };
    std::vector<Frame> m_frames; ///< by element
};

/// Cuts the animated GIF `fileName` into frames and loads them into `frames`:
/// the first frame is to replace element 0's picture, each further frame gets
/// its own hidden element, moved by the frame's offset from element 0. Each
/// element's tag holds its frame's delay. Frames are decoded only when
/// `PictureArray::prepare` asks for them; until then element 0 keeps its
/// still. Pending window events run after every frame.
///
/// Returns false, without a message, for an empty name, a missing or
/// unreadable file, a file that is not a regular file or is larger than the
/// limits allow, and a GIF whose first frame alone does not fit the limits;
/// false with the message "This file is not a *.gif file" when the file is
/// not a GIF. Frames past the limits are left out. A frame that cannot be
/// decoded leaves its element empty (element 0 keeps its still picture).
bool LoadAnimatedGif(const QString& fileName, PictureArray& frames, toolkit::Toolkit& toolkit,
                     const AnimationLimits& limits = {});

} // namespace skillwright::screens

#pragma once

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
    /// Destroys elements 1 and up.
    void destroyAllButFirst();

private:
    QLabel* newElement();
    QWidget* m_parent;
    QObject* m_filter;
    QString m_name;
    std::vector<QLabel*> m_elements;
};

/// Cuts the animated GIF `fileName` into frames and loads them into `frames`:
/// the first frame replaces element 0's picture, each further frame gets its
/// own hidden element, moved by the frame's offset from element 0. Each
/// element's tag holds its frame's delay. Pending window events run after
/// every frame.
///
/// Returns false, without a message, for an empty name or a missing or
/// unreadable file;
/// false with the message "This file is not a *.gif file" when the file is
/// not a GIF. A frame that cannot be decoded leaves its element empty (element
/// 0 keeps its still picture).
bool LoadAnimatedGif(const QString& fileName, PictureArray& frames, toolkit::Toolkit& toolkit);

} // namespace skillwright::screens

#pragma once

#include "AniGif.h"

#include <model/Catalogue.h>

#include <QPoint>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace skillwright::model {
class Build;
}
namespace skillwright::toolkit {
class Toolkit;
class Timer;
} // namespace skillwright::toolkit

namespace skillwright::screens {

/// The start-up screen: the five classes as animated pictures with their
/// names, the Random command and generator button, the information list and
/// the two authors' contact cards.
///
/// Control names are the objectNames; the class pictures are the picture
/// arrays "img_Amazon(0)", "img_Amazon(1)", ... Hovering a class plays its
/// animation on its own timer; pressing a class opens its skill tree screen
/// through the openClass callback and hides this screen.
class frm_MainSelect : public QWidget {
public:
    /// The classes in screen order, left to right.
    static constexpr std::array<model::ClassId, 5> kClassOrder{
        model::ClassId::Amazon, model::ClassId::Barbarian, model::ClassId::Necromancer,
        model::ClassId::Paladin, model::ClassId::Sorceress};

    frm_MainSelect(model::Build& build, toolkit::Toolkit& toolkit, QWidget* parent = nullptr);
    ~frm_MainSelect() override;
    Q_DISABLE_COPY_MOVE(frm_MainSelect)

    /// Choosing a class: the application shows that class's skill tree screen.
    void setOpenClass(std::function<void(model::ClassId)> open);
    /// Random / the generator button: show the generator dialog, hiding this
    /// screen when `hideSelf` is true.
    void setOpenGenerator(std::function<void(bool hideSelf)> open);
    /// A press on a portrait: pop up that person's contact menu
    /// (0 the first creator, 1 the re-designer).
    void setPopupContactMenu(std::function<void(int person, QPoint globalPos)> popup);
    /// Ending the program (Esc, "X"); by default it leaves the event loop.
    void setEndProgram(std::function<void()> end);

    /// The load step: shows the screen, takes the keyboard focus, gives the
    /// quest entries their Normal captions and loads the five animations
    /// from the program's folder.
    void Form_Load();

    [[nodiscard]] PictureArray& pictures(model::ClassId classId);
    [[nodiscard]] toolkit::Timer& animationTimer(model::ClassId classId);
    /// The interval the class's timer runs with when switched on.
    [[nodiscard]] int animationInterval(model::ClassId classId) const;

    /// Which class animation runs: "blank", "Amazon", "Barbarian", "Necro",
    /// "Paladin" or "Sorceress"; empty before the first hover.
    QString HoverKey;
    /// The element now shown by the running animation.
    int FrameIndex = 0;

    static const QString kQuennickCard;
    static const QString kOrrindelCard;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct ClassSlot {
        model::ClassId id;
        QString key;      ///< HoverKey value
        QString fileName; ///< animation file in the program's folder
        std::unique_ptr<PictureArray> pictures;
        QLabel* label = nullptr;
        std::unique_ptr<toolkit::Timer> timer;
        int interval = 0;
        bool enabled = false;
    };

    void createControls();
    QLabel* addLabel(const char* name, const QString& text, QRect twips, const QFont& font,
                     Qt::Alignment alignment);
    void setColour(QLabel* label, bool highlight);
    /// Makes element 0 of a class visible (the hover reset's step).
    void showStill(int slot);
    void giveBackdrop(QLabel* element);

    void classHover(int slot);
    void hoverReset(bool clearContact);
    void choose(int slot);
    void timerOn(int slot);
    void timerOff(int slot);
    void animationTick(int slot);
    void endProgram();

    int slotOfPicture(QObject* watched) const;
    /// The class whose picture's place holds `pos`, or -1.
    int slotAt(QPoint pos) const;

    model::Build& m_build;
    toolkit::Toolkit& m_toolkit;
    std::array<ClassSlot, 5> m_classes;

    QLabel* Image1 = nullptr;
    QLabel* lbl_Title = nullptr;
    QLabel* lbl_Loading = nullptr;
    QLabel* lbl_Random = nullptr;
    QLabel* lbl_Close = nullptr;
    QLabel* lbl_ContactInfo = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* img_Quennick = nullptr;
    QLabel* img_Orrindel = nullptr;
    QPushButton* Command1 = nullptr;
    QListWidget* lb_Info = nullptr;
    QLineEdit* txt_Focus = nullptr;

    std::function<void(model::ClassId)> m_openClass;
    std::function<void(bool)> m_openGenerator;
    std::function<void(int, QPoint)> m_popupContactMenu;
    std::function<void()> m_endProgram;
};

} // namespace skillwright::screens

#pragma once

#include "ContinueChoice.h"
#include "PictureArray.h"

#include <model/Catalogue.h>
#include <screens/common/ScreenKit.h>

#include <QPoint>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace skillwright::toolkit {
class Toolkit;
class Timer;
} // namespace skillwright::toolkit

namespace skillwright::screens {

class CharacterOpener;
struct TwipRect;

/// The start-up screen: the five classes as animated pictures with their
/// names, the Random command and generator button, the information list and
/// the two authors' contact cards; beside the open button, the plans that
/// left the screen unsaved, to be continued.
///
/// Control names are the objectNames; the class pictures are the picture
/// arrays "img_Amazon(0)", "img_Amazon(1)", ... Hovering a class plays its
/// animation on its own timer; pressing a class hides this screen and asks
/// for that class's skill tree screen. The screen ends nothing itself: the
/// program's end and every other screen are asked for with signals.
class StartScreen : public QWidget {
    Q_OBJECT
public:
    /// The classes in screen order, left to right.
    static constexpr std::array<model::ClassId, 5> kClassOrder{
        model::ClassId::Amazon, model::ClassId::Barbarian, model::ClassId::Necromancer,
        model::ClassId::Paladin, model::ClassId::Sorceress};

    explicit StartScreen(toolkit::Toolkit& toolkit, QWidget* parent = nullptr);
    ~StartScreen() override;
    Q_DISABLE_COPY_MOVE(StartScreen)

    /// The load step: shows the screen (unless `visible` is false, when a
    /// saved character opens in its place), takes the keyboard focus and
    /// loads the five animations from the program's folder.
    void load(bool visible = true);

    [[nodiscard]] PictureArray& pictures(model::ClassId classId);
    [[nodiscard]] toolkit::Timer& animationTimer(model::ClassId classId);
    /// The interval the class's timer runs with when switched on.
    [[nodiscard]] int animationInterval(model::ClassId classId) const;

    /// Which class animation runs (HoverKey): "blank", "Amazon", "Barbarian",
    /// "Necro", "Paladin" or "Sorceress"; empty before the first hover.
    [[nodiscard]] const QString& hoverKey() const { return m_hoverKey; }
    /// The element now shown by the running animation (FrameIndex).
    [[nodiscard]] int frameIndex() const { return m_frameIndex; }

    static const QString kQuennickCard;
    static const QString kOrrindelCard;

    /// Ctrl+O, the open button and files dropped on this screen.
    [[nodiscard]] CharacterOpener& characterOpener() const { return *m_opener; }

    /// How long a press on the continue button lasts before it lists the plans.
    static constexpr int kHoldMilliseconds = 500;
    using ContinueSource = std::function<std::vector<ContinueChoice>()>;
    /// Where the plans to continue come from, newest first; asked whenever
    /// the screen shows, the button's tooltip is due or the list opens.
    void setContinueSource(ContinueSource source);
    /// The plans to continue may have changed: the button follows.
    void refreshContinue();
    /// Pops the list of plans up at a global position and returns the entry
    /// chosen (nullptr: none); tests put a stand-in here.
    using MenuPopper = std::function<QAction*(QMenu&, QPoint)>;
    void setMenuPopper(MenuPopper popper) { m_popper = std::move(popper); }

signals:
    /// A class was chosen; this screen hides itself right after.
    void classChosen(model::ClassId classId);
    /// "Random" (this screen has hidden itself, `hideSelf` true) or the
    /// generator button (it stays, `hideSelf` false): show the generator.
    void generatorRequested(bool hideSelf);
    /// A press on a portrait: that person's contact menu (0 the first
    /// creator, 1 the re-designer) is to pop up at `globalPos`.
    void contactMenuRequested(int person, QPoint globalPos);
    /// "X", Esc or the window's close button: the program is to end at once.
    void exitRequested();
    /// The continue button, its list or Ctrl+Shift+T: plan `number` is to be continued.
    void continueRequested(quint64 number);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

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
    void createBackdrop();
    void createHeading();
    void createClassSlots();
    void createInfoList();
    void createCredits();
    void createCommandButtons();
    void createContinueButton();
    /// A flat button showing a 40 x 40 picture, its moves and keys watched by this screen.
    QPushButton* addPictureButton(const char* name, const TwipRect& place, const QPixmap& picture);
    QLabel* addPointerLabel(const char* name, const QString& text, const TwipRect& place, const QFont& font,
                            Qt::Alignment alignment);
    void setColour(QLabel* label, bool highlight);
    /// Shows element 0 of a class alone (the hover reset's step).
    void showStill(int slot);

    void classHover(int slot);
    void hoverReset(bool clearContact);
    void choose(int slot);
    void timerOn(int slot);
    void timerOff(int slot);
    void animationTick(int slot);

    /// Continues the newest plan, when there is one.
    void continueNewest();
    /// The list of plans to continue, under the button.
    void listPlans();
    bool continueButtonEvent(QEvent* event);

    /// A mouse event on a watched control, as its handler reads it.
    struct PointerEvent {
        bool move = false;
        bool press = false;
        bool click = false; ///< the left button released over the control
        QPoint globalPos;
    };
    /// Esc on the focus holder, a picture button or the information list ends the program.
    bool escapeFrom(const QObject* watched, const QKeyEvent& key);
    /// Hands a mouse event to the handler of the control it reached.
    bool pointerEventOn(QObject* watched, const PointerEvent& pointer);
    bool classPictureEvent(int slot, const PointerEvent& pointer);
    bool classLabelEvent(int slot, const PointerEvent& pointer);
    bool randomEvent(const PointerEvent& pointer);
    bool closeLabelEvent(const PointerEvent& pointer);
    bool orrindelPortraitEvent(const PointerEvent& pointer);
    bool quennickPortraitEvent(const PointerEvent& pointer);

    int slotOfPicture(QObject* watched) const;
    /// The class whose picture's place holds `pos`, or -1.
    int slotAt(QPoint pos) const;

    toolkit::Toolkit& m_toolkit;
    std::array<ClassSlot, 5> m_classes;
    QString m_hoverKey;
    int m_frameIndex = 0;

    // The controls; their objectNames are the design's names, given here.
    QLabel* m_background = nullptr;           ///< Image1
    QLabel* m_title = nullptr;                ///< lbl_Title
    QLabel* m_loading = nullptr;              ///< lbl_Loading
    QLabel* m_random = nullptr;               ///< lbl_Random
    QLabel* m_close = nullptr;                ///< lbl_Close
    QLabel* m_contactCard = nullptr;          ///< lbl_ContactInfo
    QLabel* m_originalBy = nullptr;           ///< Label1
    QLabel* m_redesignBy = nullptr;           ///< Label2
    QLabel* m_version = nullptr;              ///< Label3
    QLabel* m_quennickPortrait = nullptr;     ///< img_Quennick
    QLabel* m_orrindelPortrait = nullptr;     ///< img_Orrindel
    QPushButton* m_generatorButton = nullptr; ///< Command1
    QPushButton* m_openButton = nullptr;      ///< cmd_OpenCharacter, beside the generator button
    CharacterOpener* m_opener = nullptr;
    QPushButton* m_continueButton = nullptr; ///< cmd_Continue, beside the open button
    ContinueSource m_continueSource;
    std::vector<ContinueChoice> m_choices;
    std::unique_ptr<toolkit::Timer> m_holdTimer;
    MenuPopper m_popper;
    bool m_listedByHold = false;        ///< the press now ending opened the list
    QListWidget* m_infoList = nullptr;  ///< lb_Info
    QLineEdit* m_focusHolder = nullptr; ///< txt_Focus
};

} // namespace skillwright::screens

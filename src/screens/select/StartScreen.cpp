#include "StartScreen.h"

#include "StartKeyboard.h"

#include <model/Catalogue.h>
#include <screens/common/CharacterOpener.h>
#include <screens/common/KeySheet.h>
#include <toolkit/Toolkit.h>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include <animations/ClassStills.h>
#include <art/Art.h>

namespace skillwright::screens {

namespace {

constexpr std::array<int, 5> kClassLefts{450, 2745, 5040, 7335, 9630};

struct ClassText {
    const char* name;  ///< label caption and array name suffix
    const char* key;   ///< m_hoverKey
    const char* timer; ///< timer name
    const char* stem;  ///< file stem
};
constexpr std::array<ClassText, 5> kClassTexts{{
    {"Amazon", "Amazon", "tim_AnimateAmazon", "amazon"},
    {"Barbarian", "Barbarian", "tim_AnimateBarbarian", "barbarian"},
    {"Necromancer", "Necro", "tim_AnimateNecro", "necromancer"},
    {"Paladin", "Paladin", "tim_AnimatePaladin", "paladin"},
    {"Sorceress", "Sorceress", "tim_AnimateSorceress", "sorceress"},
}};

const QStringList kInfoLines{
    QStringLiteral("Skillwright helps you create and evaluate Diablo II"),
    QStringLiteral("characters: plan every skill point, level by level."),
    QStringLiteral("Free software under the GNU GPL, version 3 or later."),
    QStringLiteral("First planner by Quennick; redesign by Orrindel."),
    QStringLiteral("Class pictures and animations drawn for this program."),
    QStringLiteral("Diablo II is a trademark of the game's publisher;"),
    QStringLiteral("this is an unofficial fan work, not endorsed by it."),
    QStringLiteral("Thanks to the Horadric Archive fan site, whose pages"),
    QStringLiteral("gave us much of the skill information."),
};

/// The information list, its lines held 3 pixels off its edges.
class InfoList : public QListWidget {
public:
    explicit InfoList(QWidget* parent) : QListWidget(parent) { setViewportMargins(3, 3, 3, 3); }
};

} // namespace

const QString StartScreen::kQuennickCard = QStringLiteral("Battle Net ID: Quennick\r\n"
                                                          "E-Mail:  quennick@example.com\r\n"
                                                          "ICQ: 48213377\r\n"
                                                          "Guild: Order of the Ember\r\n"
                                                          "(Click for email/web)");
const QString StartScreen::kOrrindelCard = QStringLiteral("Battle Net ID: Orrindel\r\n"
                                                          "E-Mail:  orrindel@example.org\r\n"
                                                          "ICQ: 73904126\r\n"
                                                          "Guild: (none)\r\n"
                                                          "(Click for email/web)");

StartScreen::StartScreen(toolkit::Toolkit& toolkit, QWidget* parent) : QWidget(parent), m_toolkit(toolkit) {
    setObjectName(QStringLiteral("frm_MainSelect"));
    setWindowTitle(QStringLiteral("Diablo II Skillwright"));
    setFixedSize(800, 600);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(12, 9, 8));
    setPalette(pal);
    leaveDecorationsOutForReaders(*this);
    createControls();
    new StartKeyboard(*this);
}

StartScreen::~StartScreen() = default;

QLabel* StartScreen::addPointerLabel(const char* name, const QString& text, const TwipRect& place,
                                     const QFont& font, Qt::Alignment alignment) {
    QLabel* label = addLabel(this, name, text, place, font, alignment);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    setColour(label, false);
    return label;
}

void StartScreen::setColour(QLabel* label, bool highlight) {
    setTextColour(label, highlight ? kBrightGold : kBronze);
}

void StartScreen::createControls() {
    createBackdrop();
    createHeading();
    createClassSlots();
    m_random = addPointerLabel("lbl_Random", QStringLiteral("Random"), TwipRect{5040, 5775, 2100, 375},
                               art::captionFont(13, QFont::Bold), Qt::AlignCenter);
    createInfoList();
    createCredits();
    createCommandButtons();
    m_close = addPointerLabel("lbl_Close", QStringLiteral("X"), TwipRect{11520, 60, 360, 375},
                              art::captionFont(14, QFont::Bold), Qt::AlignCenter);
}

void StartScreen::createBackdrop() {
    m_background = new QLabel(this);
    m_background->setObjectName(QStringLiteral("Image1"));
    m_background->setGeometry(rect());
    m_background->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_background->setPixmap(art::selectBackground());
    markDecoration(m_background);

    // Holds the keyboard focus so that the screen receives Esc; out of sight.
    m_focusHolder = new QLineEdit(QStringLiteral("Text1"), this);
    m_focusHolder->setObjectName(QStringLiteral("txt_Focus"));
    m_focusHolder->setGeometry(-200, -200, 20, 20);
    m_focusHolder->installEventFilter(this);
}

void StartScreen::createHeading() {
    m_title = addPointerLabel("lbl_Title", QStringLiteral("SKILLWRIGHT"), TwipRect{3000, 150, 6000, 600},
                              art::captionFont(24, QFont::Bold), Qt::AlignCenter);
    m_loading =
        addPointerLabel("lbl_Loading", QStringLiteral("Loading Images."), TwipRect{4500, 825, 3000, 300},
                        art::textFont(9, QFont::Bold), Qt::AlignCenter);
}

void StartScreen::createClassSlots() {
    for (std::size_t c = 0; c < m_classes.size(); ++c) {
        ClassSlot& slot = m_classes[c];
        const ClassText& t = kClassTexts[c];
        slot.id = kClassOrder[c];
        slot.key = QString::fromLatin1(t.key);
        slot.fileName = QString::fromLatin1(t.stem) + QStringLiteral("move.gif");
        slot.pictures =
            std::make_unique<PictureArray>(this, QStringLiteral("img_") + QString::fromLatin1(t.name),
                                           toPixels(TwipRect{kClassLefts[c], 1200, 2100, 3900}), this);
        slot.pictures->element(0)->setPixmap(
            art::storedPicture(animations::classStillPath(QString::fromLatin1(t.stem))));
        slot.label = addPointerLabel((std::string("lbl_") + t.name).c_str(), QString::fromLatin1(t.name),
                                     TwipRect{kClassLefts[c], 5250, 2100, 375},
                                     art::captionFont(13, QFont::Bold), Qt::AlignCenter);
        slot.timer = m_toolkit.createTimer();
        slot.timer->setCallback([this, c] { animationTick(static_cast<int>(c)); });
    }
}

void StartScreen::createInfoList() {
    m_infoList = new InfoList(this);
    m_infoList->setObjectName(QStringLiteral("lb_Info"));
    m_infoList->setGeometry(toPixels(TwipRect{450, 6375, 5400, 2175}));
    m_infoList->setFont(art::textFont(8));
    m_infoList->addItems(kInfoLines);
    m_infoList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Bronze on the background art, the selected line lit; a palette rather
    // than a style sheet, which costs a start-up more than the rest of the list.
    m_infoList->setFrameShape(QFrame::NoFrame);
    m_infoList->viewport()->setAutoFillBackground(false);
    QPalette listColours = m_infoList->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        listColours.setColor(group, QPalette::Base, Qt::transparent);
        listColours.setColor(group, QPalette::Text, qcolor(kBronze));
        listColours.setColor(group, QPalette::Highlight, QColor(96, 66, 25));
        listColours.setColor(group, QPalette::HighlightedText, qcolor(kBrightGold));
    }
    m_infoList->setPalette(listColours);
    m_infoList->installEventFilter(this);
}

void StartScreen::createCredits() {
    const QFont small = art::textFont(8, QFont::Bold);
    m_originalBy = addPointerLabel("Label1", QStringLiteral("Original By:"), TwipRect{6150, 6375, 1350, 255},
                                   small, Qt::AlignCenter);
    m_quennickPortrait =
        addPointerLabel("img_Quennick", QString(), TwipRect{6300, 6675, 1050, 1275}, small, Qt::AlignCenter);
    m_redesignBy = addPointerLabel("Label2", QStringLiteral("Redesign By:"), TwipRect{7650, 6375, 1350, 255},
                                   small, Qt::AlignCenter);
    m_orrindelPortrait =
        addPointerLabel("img_Orrindel", QString(), TwipRect{7800, 6675, 1050, 1275}, small, Qt::AlignCenter);
    m_quennickPortrait->setPixmap(art::portrait(0));
    m_orrindelPortrait->setPixmap(art::portrait(1));
    m_quennickPortrait->setScaledContents(true);
    m_orrindelPortrait->setScaledContents(true);

    m_contactCard = addPointerLabel("lbl_ContactInfo", QString(), TwipRect{9150, 6375, 2700, 1575},
                                    art::textFont(8), Qt::AlignLeft | Qt::AlignTop);
    setColour(m_contactCard, true);
    m_contactCard->setMargin(4);
    m_version = addPointerLabel("Label3", QStringLiteral("Version 2.0.0"), TwipRect{150, 8640, 2400, 255},
                                art::textFont(8), Qt::AlignLeft | Qt::AlignVCenter);
}

void StartScreen::createCommandButtons() {
    m_generatorButton = addPictureButton("Command1", TwipRect{11130, 8130, 600, 600}, art::generatorButton());
    connect(m_generatorButton, &QPushButton::clicked, this, [this] { emit generatorRequested(false); });

    m_opener = new CharacterOpener(this, OnStartScreen);
    connect(m_opener, &CharacterOpener::commandRequested, this, [this](ProgramCommand command) {
        if (command == ProgramCommand::ContinueLast) {
            continueNewest();
        } else if (command == ProgramCommand::ShowKeys) {
            KeySheet::showOver(*this);
        }
    });
    m_openButton = addPictureButton("cmd_OpenCharacter", TwipRect{10410, 8130, 600, 600}, art::openButton());
    m_openButton->setToolTip(QStringLiteral("Open a saved character (Ctrl+O)"));
    connect(m_openButton, &QPushButton::clicked, m_opener,
            [this] { emit m_opener->commandRequested(ProgramCommand::OpenCharacter); });

    createContinueButton();
}

void StartScreen::createContinueButton() {
    // Shown only while a plan waits to be continued.
    m_continueButton =
        addPictureButton("cmd_Continue", TwipRect{9690, 8130, 600, 600}, art::continueButton());
    m_continueButton->hide();
    connect(m_continueButton, &QPushButton::clicked, this, [this] {
        if (m_listedByHold) {
            return; // the press was held: the list answered it
        }
        continueNewest();
    });
    m_holdTimer = m_toolkit.createTimer();
    m_holdTimer->setCallback([this] {
        m_listedByHold = true;
        m_continueButton->setDown(false);
        listPlans();
    });
    m_popper = [](QMenu& menu, QPoint pos) { return menu.exec(pos); };
}

QPushButton* StartScreen::addPictureButton(const char* name, const TwipRect& place, const QPixmap& picture) {
    auto* button = new QPushButton(this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(toPixels(place));
    button->setFlat(true);
    button->setMouseTracking(true);
    button->installEventFilter(this);
    button->setIcon(picture);
    button->setIconSize(button->size());
    return button;
}

// ---- Plans to continue ----

void StartScreen::setContinueSource(ContinueSource source) {
    m_continueSource = std::move(source);
    refreshContinue();
}

void StartScreen::refreshContinue() {
    if (!m_continueSource || !isVisible()) {
        return; // asked again when the screen shows
    }
    m_choices = m_continueSource();
    m_continueButton->setVisible(!m_choices.empty());
    m_continueButton->setToolTip(m_choices.empty() ? QString()
                                                   : QString::fromStdString(m_choices.front().text) +
                                                         QStringLiteral(" (Ctrl+Shift+T)"));
}

void StartScreen::continueNewest() {
    refreshContinue();
    if (!m_choices.empty()) {
        emit continueRequested(m_choices.front().number);
    }
}

void StartScreen::listPlans() {
    refreshContinue();
    if (m_choices.empty()) {
        return;
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnu_Continue"));
    for (const ContinueChoice& choice : m_choices) {
        QAction* entry = menu.addAction(QString::fromStdString(choice.text));
        entry->setData(QVariant::fromValue(static_cast<quint64>(choice.number)));
    }
    // Above the button, which sits at the foot of the screen, and ending
    // where it ends: inside the screen, over the contact card.
    const QSize size = menu.sizeHint();
    const QPoint at =
        m_continueButton->mapToGlobal(QPoint(m_continueButton->width() - size.width(), -size.height()));
    if (QAction* chosen = m_popper(menu, at)) {
        emit continueRequested(chosen->data().toULongLong());
    }
}

bool StartScreen::continueButtonEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::ToolTip:
        refreshContinue(); // "5 minutes ago" as of now
        return false;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            listPlans();
            return true;
        }
        m_listedByHold = false;
        m_holdTimer->start(kHoldMilliseconds);
        return false;
    case QEvent::MouseButtonRelease:
        m_holdTimer->stop();
        return false;
    case QEvent::MouseMove:
        hoverReset(true);
        return false;
    default:
        return false;
    }
}

PictureArray& StartScreen::pictures(model::ClassId classId) {
    for (ClassSlot& slot : m_classes) {
        if (slot.id == classId) {
            return *slot.pictures;
        }
    }
    return *m_classes.front().pictures;
}

toolkit::Timer& StartScreen::animationTimer(model::ClassId classId) {
    for (ClassSlot& slot : m_classes) {
        if (slot.id == classId) {
            return *slot.timer;
        }
    }
    return *m_classes.front().timer;
}

int StartScreen::animationInterval(model::ClassId classId) const {
    for (const ClassSlot& slot : m_classes) {
        if (slot.id == classId) {
            return slot.interval;
        }
    }
    return 0;
}

void StartScreen::load(bool visible) {
    if (visible) {
        showWithKeyboard(*this);
    }
    m_focusHolder->setFocus();
    m_toolkit.processEvents();

    const QString folder = QString::fromStdString(m_toolkit.animationFolder());
    for (std::size_t c = 0; c < m_classes.size(); ++c) {
        ClassSlot& slot = m_classes[c];
        if (LoadAnimatedGif(folder + QLatin1Char('/') + slot.fileName, *slot.pictures, m_toolkit)) {
            m_frameIndex = 0;
            slot.interval = slot.pictures->delay(0);
            timerOff(static_cast<int>(c));
        }
        if (slot.id == model::ClassId::Amazon) {
            m_loading->setText(QStringLiteral("Loading Images.."));
        } else if (slot.id == model::ClassId::Necromancer) {
            m_loading->setText(QStringLiteral("Loading Images..."));
        } else if (slot.id == model::ClassId::Sorceress) {
            m_loading->hide();
        }
    }
}

void StartScreen::showStill(int slot) {
    // The class stands still on its first frame: a frame of the animation
    // left showing over it would stop the figure half way through a move.
    const PictureArray& p = *m_classes[static_cast<std::size_t>(slot)].pictures;
    for (int e = 1; e < p.count(); ++e) {
        p.element(e)->hide();
    }
    p.element(0)->show();
}

// ---- Timers ----

void StartScreen::timerOn(int slot) {
    ClassSlot& s = m_classes[static_cast<std::size_t>(slot)];
    s.enabled = true;
    s.timer->start(s.interval);
}

void StartScreen::timerOff(int slot) {
    ClassSlot& s = m_classes[static_cast<std::size_t>(slot)];
    if (s.enabled) {
        // A stopped animation holds only the pictures on screen.
        s.pictures->releaseHidden();
    }
    s.enabled = false;
    s.timer->stop();
}

void StartScreen::animationTick(int slot) {
    ClassSlot& s = m_classes[static_cast<std::size_t>(slot)];
    PictureArray& p = *s.pictures;
    const int limit = p.count() - 1;
    if (m_frameIndex >= limit) {
        m_frameIndex = 0;
        for (int e = 1; e <= limit; ++e) {
            p.element(e)->hide();
        }
        p.element(0)->show();
        s.interval = p.delay(0);
    } else {
        if (QLabel* current = p.element(m_frameIndex)) {
            current->hide();
        }
        ++m_frameIndex;
        p.prepare(m_frameIndex);
        p.element(m_frameIndex)->show();
        s.interval = p.delay(m_frameIndex);
    }
    // The frame after this one is decoded while this one shows.
    p.prepare(m_frameIndex + 1);
    // A single-shot timer: run again with the interval of the frame now shown.
    if (s.enabled) {
        s.timer->start(s.interval);
    }
}

// ---- Hover and choice ----

void StartScreen::classHover(int slot) {
    for (int c = 0; c < static_cast<int>(m_classes.size()); ++c) {
        if (c != slot) {
            showStill(c);
            timerOff(c);
        }
    }
    ClassSlot& s = m_classes[static_cast<std::size_t>(slot)];
    setColour(s.label, true);
    setColour(m_random, false);
    m_contactCard->clear();
    if (m_hoverKey != s.key) {
        m_frameIndex = 0;
        s.interval = s.pictures->delay(0);
        // Frames are decoded when first needed: the first frame now, the
        // second before the first has had its time.
        s.pictures->prepare(0);
        s.pictures->prepare(1);
        timerOn(slot);
        m_hoverKey = s.key;
    }
}

void StartScreen::hoverReset(bool clearContact) {
    m_hoverKey = QStringLiteral("blank");
    for (int c = 0; c < static_cast<int>(m_classes.size()); ++c) {
        showStill(c);
        timerOff(c);
        setColour(m_classes[static_cast<std::size_t>(c)].label, false);
    }
    setColour(m_close, false);
    setColour(m_random, false);
    if (clearContact) {
        m_contactCard->clear();
    }
}

void StartScreen::choose(int slot) {
    emit classChosen(m_classes[static_cast<std::size_t>(slot)].id);
    hide();
}

int StartScreen::slotOfPicture(QObject* watched) const {
    for (int c = 0; c < static_cast<int>(m_classes.size()); ++c) {
        const PictureArray& p = *m_classes[static_cast<std::size_t>(c)].pictures;
        for (int e = 0; e < p.count(); ++e) {
            if (p.element(e) == watched) {
                return c;
            }
        }
    }
    return -1;
}

bool StartScreen::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        return escapeFrom(watched, *static_cast<QKeyEvent*>(event));
    }
    if (watched == m_continueButton) {
        return continueButtonEvent(event);
    }
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const PointerEvent pointer{
        type == QEvent::MouseMove, type == QEvent::MouseButtonPress,
        type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton &&
            static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint()),
        mouse->globalPosition().toPoint()};
    return pointerEventOn(watched, pointer);
}

bool StartScreen::escapeFrom(const QObject* watched, const QKeyEvent& key) {
    if (key.key() == Qt::Key_Escape &&
        (watched == m_focusHolder || watched == m_generatorButton || watched == m_openButton ||
         watched == m_continueButton || watched == m_infoList)) {
        emit exitRequested();
        return true;
    }
    return false;
}

bool StartScreen::pointerEventOn(QObject* watched, const PointerEvent& pointer) {
    if (const int slot = slotOfPicture(watched); slot >= 0) {
        return classPictureEvent(slot, pointer);
    }
    for (int c = 0; c < static_cast<int>(m_classes.size()); ++c) {
        if (watched == m_classes[static_cast<std::size_t>(c)].label) {
            return classLabelEvent(c, pointer);
        }
    }
    if (watched == m_random) {
        return randomEvent(pointer);
    }
    if (watched == m_close) {
        return closeLabelEvent(pointer);
    }
    if (watched == m_generatorButton || watched == m_openButton) {
        if (pointer.move) {
            hoverReset(true);
        }
        return false; // the button still clicks
    }
    if (watched == m_title || watched == m_contactCard) {
        if (pointer.move) {
            hoverReset(false);
        }
        return true;
    }
    if (watched == m_orrindelPortrait) {
        return orrindelPortraitEvent(pointer);
    }
    if (watched == m_quennickPortrait) {
        return quennickPortraitEvent(pointer);
    }
    // Labels without handlers keep their events to themselves.
    return watched == m_originalBy || watched == m_redesignBy || watched == m_version || watched == m_loading;
}

bool StartScreen::classPictureEvent(int slot, const PointerEvent& pointer) {
    if (pointer.move) {
        classHover(slot);
    } else if (pointer.press) {
        choose(slot);
        hoverReset(true);
    }
    return true;
}

bool StartScreen::classLabelEvent(int slot, const PointerEvent& pointer) {
    if (pointer.move) {
        classHover(slot);
    } else if (pointer.press) {
        choose(slot);
    }
    return true;
}

bool StartScreen::randomEvent(const PointerEvent& pointer) {
    if (pointer.move) {
        hoverReset(false);
        setColour(m_random, true);
        m_loading->hide();
        m_contactCard->setText(QStringLiteral("Generate a random character."));
    } else if (pointer.click) {
        hoverReset(false);
        emit generatorRequested(true);
    }
    return true;
}

bool StartScreen::closeLabelEvent(const PointerEvent& pointer) {
    if (pointer.move) {
        setColour(m_close, true);
    } else if (pointer.click) {
        emit exitRequested();
    }
    return true;
}

bool StartScreen::orrindelPortraitEvent(const PointerEvent& pointer) {
    if (pointer.move) {
        m_loading->hide();
        m_contactCard->setText(kOrrindelCard);
    } else if (pointer.press) {
        emit contactMenuRequested(1, pointer.globalPos);
    }
    return true;
}

bool StartScreen::quennickPortraitEvent(const PointerEvent& pointer) {
    if (pointer.move) {
        m_contactCard->setText(kQuennickCard);
    } else if (pointer.press) {
        m_loading->hide();
        emit contactMenuRequested(0, pointer.globalPos);
    }
    return true;
}

int StartScreen::slotAt(QPoint pos) const {
    for (int c = 0; c < static_cast<int>(m_classes.size()); ++c) {
        if (m_classes[static_cast<std::size_t>(c)].pictures->element(0)->geometry().contains(pos)) {
            return c;
        }
    }
    return -1;
}

void StartScreen::mouseMoveEvent(QMouseEvent* event) {
    // A frame smaller than its picture leaves part of the picture's place
    // bare; the pointer there is still over the class.
    if (const int slot = slotAt(event->position().toPoint()); slot >= 0) {
        classHover(slot);
    } else {
        hoverReset(true);
    }
    event->accept();
}

void StartScreen::mousePressEvent(QMouseEvent* event) {
    if (const int slot = slotAt(event->position().toPoint()); slot >= 0) {
        choose(slot);
        hoverReset(true);
    }
    event->accept();
}

void StartScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit exitRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

void StartScreen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshContinue();
}

void StartScreen::closeEvent(QCloseEvent* event) {
    event->accept();
    emit exitRequested();
}

} // namespace skillwright::screens

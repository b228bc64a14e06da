#include "frm_MainSelect.h"

#include <model/Build.h>
#include <toolkit/Toolkit.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QThread>

#include <animations/ClassStills.h>
#include <art/Art.h>
#include <cstdlib>

namespace skillwright::screens {

namespace {

constexpr int kTwipsPerPixel = 15;
const QColor kNormal(191, 133, 49);
const QColor kHighlight(234, 195, 92);

QRect twips(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

constexpr std::array<int, 5> kClassLefts{450, 2745, 5040, 7335, 9630};

struct ClassText {
    const char* name;  ///< label caption and array name suffix
    const char* key;   ///< HoverKey
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
    QStringLiteral("Free to copy and share, unchanged and free of charge."),
    QStringLiteral("First planner by Quennick; redesign by Orrindel."),
    QStringLiteral("Class pictures and animations drawn for this program."),
    QStringLiteral("Diablo II is a trademark of the game's publisher;"),
    QStringLiteral("this is an unofficial fan work, not endorsed by it."),
    QStringLiteral("Thanks to the Horadric Archive fan site, whose pages"),
    QStringLiteral("gave us much of the skill information."),
};

/// Ends the program at once: leaves the event loop, or, while the load step
/// still runs before the loop has started, the process.
void endNow() {
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::quit();
    } else {
        std::exit(0);
    }
}

} // namespace

const QString frm_MainSelect::kQuennickCard = QStringLiteral("Battle Net ID: Quennick\r\n"
                                                             "E-Mail:  quennick@example.com\r\n"
                                                             "ICQ: 48213377\r\n"
                                                             "Guild: Order of the Ember\r\n"
                                                             "(Click for email/web)");
const QString frm_MainSelect::kOrrindelCard = QStringLiteral("Battle Net ID: Orrindel\r\n"
                                                             "E-Mail:  orrindel@example.org\r\n"
                                                             "ICQ: 73904126\r\n"
                                                             "Guild: (none)\r\n"
                                                             "(Click for email/web)");

frm_MainSelect::frm_MainSelect(model::Build& build, toolkit::Toolkit& toolkit, QWidget* parent)
    : QWidget(parent), m_build(build), m_toolkit(toolkit), m_endProgram(endNow) {
    setObjectName(QStringLiteral("frm_MainSelect"));
    setWindowTitle(QStringLiteral("Diablo II Skillwright"));
    setFixedSize(800, 600);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(12, 9, 8));
    setPalette(pal);
    createControls();
}

frm_MainSelect::~frm_MainSelect() = default;

void frm_MainSelect::setOpenClass(std::function<void(model::ClassId)> open) {
    m_openClass = std::move(open);
}
void frm_MainSelect::setOpenGenerator(std::function<void(bool)> open) {
    m_openGenerator = std::move(open);
}
void frm_MainSelect::setPopupContactMenu(std::function<void(int, QPoint)> popup) {
    m_popupContactMenu = std::move(popup);
}
void frm_MainSelect::setEndProgram(std::function<void()> end) {
    m_endProgram = std::move(end);
}

QLabel* frm_MainSelect::addLabel(const char* name, const QString& text, QRect rect, const QFont& font,
                                 Qt::Alignment alignment) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    setColour(label, false);
    return label;
}

void frm_MainSelect::setColour(QLabel* label, bool highlight) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, highlight ? kHighlight : kNormal);
    label->setPalette(pal);
}

void frm_MainSelect::createControls() {
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(rect());
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Image1->setPixmap(art::selectBackground());

    // Holds the keyboard focus so that the screen receives Esc; out of sight.
    txt_Focus = new QLineEdit(QStringLiteral("Text1"), this);
    txt_Focus->setObjectName(QStringLiteral("txt_Focus"));
    txt_Focus->setGeometry(-200, -200, 20, 20);
    txt_Focus->installEventFilter(this);

    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
    lbl_Title = addLabel("lbl_Title", QStringLiteral("SKILLWRIGHT"), twips(3000, 150, 6000, 600),
                         art::captionFont(24, QFont::Bold), centred);
    lbl_Loading = addLabel("lbl_Loading", QStringLiteral("Loading Images."), twips(4500, 825, 3000, 300),
                           art::textFont(9, QFont::Bold), centred);

    for (std::size_t c = 0; c < m_classes.size(); ++c) {
        ClassSlot& slot = m_classes[c];
        const ClassText& t = kClassTexts[c];
        slot.id = kClassOrder[c];
        slot.key = QString::fromLatin1(t.key);
        slot.fileName = QString::fromLatin1(t.stem) + QStringLiteral("move.gif");
        slot.pictures =
            std::make_unique<PictureArray>(this, QStringLiteral("img_") + QString::fromLatin1(t.name),
                                           twips(kClassLefts[c], 1200, 2100, 3900), this);
        slot.pictures->element(0)->setPixmap(
            QPixmap(animations::classStillPath(QString::fromLatin1(t.stem))));
        slot.label =
            addLabel((std::string("lbl_") + t.name).c_str(), QString::fromLatin1(t.name),
                     twips(kClassLefts[c], 5250, 2100, 375), art::captionFont(13, QFont::Bold), centred);
        slot.timer = m_toolkit.createTimer();
        slot.timer->setCallback([this, c] { animationTick(static_cast<int>(c)); });
    }

    lbl_Random = addLabel("lbl_Random", QStringLiteral("Random"), twips(5040, 5775, 2100, 375),
                          art::captionFont(13, QFont::Bold), centred);

    lb_Info = new QListWidget(this);
    lb_Info->setObjectName(QStringLiteral("lb_Info"));
    lb_Info->setGeometry(twips(450, 6375, 5400, 2175));
    lb_Info->setFont(art::textFont(8));
    lb_Info->addItems(kInfoLines);
    lb_Info->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lb_Info->setStyleSheet(QStringLiteral("QListWidget { background: transparent; color: rgb(191, 133, 49);"
                                          " border: none; padding: 3px; }"
                                          "QListWidget::item:selected { background: rgb(96, 66, 25);"
                                          " color: rgb(234, 195, 92); }"));
    lb_Info->installEventFilter(this);

    const QFont small = art::textFont(8, QFont::Bold);
    Label1 = addLabel("Label1", QStringLiteral("Original By:"), twips(6150, 6375, 1350, 255), small, centred);
    img_Quennick = addLabel("img_Quennick", QString(), twips(6300, 6675, 1050, 1275), small, centred);
    Label2 = addLabel("Label2", QStringLiteral("Redesign By:"), twips(7650, 6375, 1350, 255), small, centred);
    img_Orrindel = addLabel("img_Orrindel", QString(), twips(7800, 6675, 1050, 1275), small, centred);
    img_Quennick->setPixmap(art::portrait(0));
    img_Orrindel->setPixmap(art::portrait(1));
    img_Quennick->setScaledContents(true);
    img_Orrindel->setScaledContents(true);

    lbl_ContactInfo = addLabel("lbl_ContactInfo", QString(), twips(9150, 6375, 2700, 1575), art::textFont(8),
                               Qt::AlignLeft | Qt::AlignTop);
    setColour(lbl_ContactInfo, true);
    lbl_ContactInfo->setMargin(4);
    Label3 = addLabel("Label3", QStringLiteral("Version 2.0.0"), twips(150, 8640, 2400, 255),
                      art::textFont(8), Qt::AlignLeft | Qt::AlignVCenter);

    Command1 = new QPushButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twips(11130, 8130, 600, 600));
    Command1->setFlat(true);
    Command1->setMouseTracking(true);
    Command1->installEventFilter(this);
    Command1->setIcon(art::generatorButton());
    Command1->setIconSize(Command1->size());
    connect(Command1, &QPushButton::clicked, this, [this] {
        if (m_openGenerator) {
            m_openGenerator(false);
        }
    });

    lbl_Close = addLabel("lbl_Close", QStringLiteral("X"), twips(11520, 60, 360, 375),
                         art::captionFont(14, QFont::Bold), centred);
}

PictureArray& frm_MainSelect::pictures(model::ClassId classId) {
    for (ClassSlot& slot : m_classes) {
        if (slot.id == classId) {
            return *slot.pictures;
        }
    }
    return *m_classes.front().pictures;
}

toolkit::Timer& frm_MainSelect::animationTimer(model::ClassId classId) {
    for (ClassSlot& slot : m_classes) {
        if (slot.id == classId) {
            return *slot.timer;
        }
    }
    return *m_classes.front().timer;
}

int frm_MainSelect::animationInterval(model::ClassId classId) const {
    for (const ClassSlot& slot : m_classes) {
        if (slot.id == classId) {
            return slot.interval;
        }
    }
    return 0;
}

void frm_MainSelect::Form_Load() {
    show();
    txt_Focus->setFocus();
    m_toolkit.processEvents();
    m_build.restoreNormalQuestCaptions();

    const QString folder = QString::fromStdString(m_toolkit.applicationFolder());
    for (std::size_t c = 0; c < m_classes.size(); ++c) {
        ClassSlot& slot = m_classes[c];
        if (LoadAnimatedGif(folder + QLatin1Char('/') + slot.fileName, *slot.pictures, m_toolkit)) {
            FrameIndex = 0;
            slot.interval = slot.pictures->delay(0);
            timerOff(static_cast<int>(c));
        }
        if (slot.id == model::ClassId::Amazon) {
            lbl_Loading->setText(QStringLiteral("Loading Images.."));
        } else if (slot.id == model::ClassId::Necromancer) {
            lbl_Loading->setText(QStringLiteral("Loading Images..."));
        } else if (slot.id == model::ClassId::Sorceress) {
            lbl_Loading->hide();
        }
    }
}

void frm_MainSelect::showStill(int slot) {
    // The frames are transparent around the figure. A frame left showing
    // above element 0 paints the piece of background art behind it first,
    // so that it covers the still instead of mixing with it.
    const PictureArray& p = *m_classes[static_cast<std::size_t>(slot)].pictures;
    for (int e = 1; e < p.count(); ++e) {
        if (p.element(e)->isVisibleTo(this)) {
            giveBackdrop(p.element(e));
        }
    }
    p.element(0)->show();
}

void frm_MainSelect::giveBackdrop(QLabel* element) {
    const QPixmap background = Image1->pixmap();
    if (background.isNull() || element->autoFillBackground()) {
        return;
    }
    QPalette pal = element->palette();
    pal.setBrush(QPalette::Window, QBrush(background.copy(element->geometry())));
    element->setPalette(pal);
    element->setAutoFillBackground(true);
}

// ---- Timers ----

void frm_MainSelect::timerOn(int slot) {
    ClassSlot& s = m_classes[static_cast<std::size_t>(slot)];
    s.enabled = true;
    s.timer->start(s.interval);
}

void frm_MainSelect::timerOff(int slot) {
    ClassSlot& s = m_classes[static_cast<std::size_t>(slot)];
    s.enabled = false;
    s.timer->stop();
}

void frm_MainSelect::animationTick(int slot) {
    ClassSlot& s = m_classes[static_cast<std::size_t>(slot)];
    PictureArray& p = *s.pictures;
    const int limit = p.count() - 1;
    if (FrameIndex >= limit) {
        FrameIndex = 0;
        for (int e = 1; e <= limit; ++e) {
            p.element(e)->hide();
        }
        p.element(0)->show();
        s.interval = p.delay(0);
    } else {
        if (QLabel* current = p.element(FrameIndex)) {
            current->hide();
        }
        ++FrameIndex;
        p.element(FrameIndex)->show();
        s.interval = p.delay(FrameIndex);
    }
    // A single-shot timer: run again with the interval of the frame now shown.
    if (s.enabled) {
        s.timer->start(s.interval);
    }
}

// ---- Hover and choice ----

void frm_MainSelect::classHover(int slot) {
    for (int c = 0; c < static_cast<int>(m_classes.size()); ++c) {
        if (c != slot) {
            timerOff(c);
        }
    }
    ClassSlot& s = m_classes[static_cast<std::size_t>(slot)];
    setColour(s.label, true);
    setColour(lbl_Random, false);
    lbl_ContactInfo->clear();
    if (HoverKey != s.key) {
        FrameIndex = 0;
        s.interval = s.pictures->delay(0);
        timerOn(slot);
        HoverKey = s.key;
    }
}

void frm_MainSelect::hoverReset(bool clearContact) {
    HoverKey = QStringLiteral("blank");
    for (int c = 0; c < static_cast<int>(m_classes.size()); ++c) {
        timerOff(c);
        showStill(c);
        setColour(m_classes[static_cast<std::size_t>(c)].label, false);
    }
    setColour(lbl_Close, false);
    setColour(lbl_Random, false);
    if (clearContact) {
        lbl_ContactInfo->clear();
    }
}

void frm_MainSelect::choose(int slot) {
    if (m_openClass) {
        m_openClass(m_classes[static_cast<std::size_t>(slot)].id);
    }
    hide();
}

void frm_MainSelect::endProgram() {
    if (m_endProgram) {
        m_endProgram();
    }
}

int frm_MainSelect::slotOfPicture(QObject* watched) const {
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

bool frm_MainSelect::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
            (watched == txt_Focus || watched == Command1 || watched == lb_Info)) {
            endProgram();
            return true;
        }
        return false;
    }
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) {
        return false;
    }
    const bool move = type == QEvent::MouseMove;
    const bool press = type == QEvent::MouseButtonPress;
    const auto* mouse = static_cast<QMouseEvent*>(event);

    if (const int slot = slotOfPicture(watched); slot >= 0) {
        if (move) {
            classHover(slot);
        } else if (press) {
            choose(slot);
            hoverReset(true);
        }
        return true;
    }
    for (int c = 0; c < static_cast<int>(m_classes.size()); ++c) {
        if (watched == m_classes[static_cast<std::size_t>(c)].label) {
            if (move) {
                classHover(c);
            } else if (press) {
                choose(c);
            }
            return true;
        }
    }
    const bool click = type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton &&
                       static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
    if (watched == lbl_Random) {
        if (move) {
            hoverReset(false);
            setColour(lbl_Random, true);
            lbl_Loading->hide();
            lbl_ContactInfo->setText(QStringLiteral("Generate a random character."));
        } else if (click) {
            hoverReset(false);
            if (m_openGenerator) {
                m_openGenerator(true);
            }
        }
        return true;
    }
    if (watched == lbl_Close) {
        if (move) {
            setColour(lbl_Close, true);
        } else if (click) {
            endProgram();
        }
        return true;
    }
    if (watched == Command1) {
        if (move) {
            hoverReset(true);
        }
        return false; // the button still clicks
    }
    if (watched == lbl_Title || watched == lbl_ContactInfo) {
        if (move) {
            hoverReset(false);
        }
        return true;
    }
    if (watched == img_Orrindel) {
        if (move) {
            lbl_Loading->hide();
            lbl_ContactInfo->setText(kOrrindelCard);
        } else if (press && m_popupContactMenu) {
            m_popupContactMenu(1, mouse->globalPosition().toPoint());
        }
        return true;
    }
    if (watched == img_Quennick) {
        if (move) {
            lbl_ContactInfo->setText(kQuennickCard);
        } else if (press) {
            lbl_Loading->hide();
            if (m_popupContactMenu) {
                m_popupContactMenu(0, mouse->globalPosition().toPoint());
            }
        }
        return true;
    }
    // Labels without handlers keep their events to themselves.
    return watched == Label1 || watched == Label2 || watched == Label3 || watched == lbl_Loading;
}

int frm_MainSelect::slotAt(QPoint pos) const {
    for (int c = 0; c < static_cast<int>(m_classes.size()); ++c) {
        if (m_classes[static_cast<std::size_t>(c)].pictures->element(0)->geometry().contains(pos)) {
            return c;
        }
    }
    return -1;
}

void frm_MainSelect::mouseMoveEvent(QMouseEvent* event) {
    // A frame smaller than its picture leaves part of the picture's place
    // bare; the pointer there is still over the class.
    if (const int slot = slotAt(event->position().toPoint()); slot >= 0) {
        classHover(slot);
    } else {
        hoverReset(true);
    }
    event->accept();
}

void frm_MainSelect::mousePressEvent(QMouseEvent* event) {
    if (const int slot = slotAt(event->position().toPoint()); slot >= 0) {
        choose(slot);
        hoverReset(true);
    }
    event->accept();
}

void frm_MainSelect::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        endProgram();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frm_MainSelect::closeEvent(QCloseEvent* event) {
    event->accept();
    endProgram();
}

} // namespace skillwright::screens

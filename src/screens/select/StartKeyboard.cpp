#include "StartKeyboard.h"

#include "StartScreen.h"

#include <screens/common/FocusRing.h>
#include <screens/common/ScreenKit.h>

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>

namespace skillwright::screens {

namespace {
constexpr std::array<const char*, 6> kStopNames{"lbl_Amazon",  "lbl_Barbarian", "lbl_Necromancer",
                                                "lbl_Paladin", "lbl_Sorceress", "lbl_Random"};
} // namespace

StartKeyboard::StartKeyboard(StartScreen& screen) : QObject(&screen), m_screen(screen) {
    setObjectName(QStringLiteral("keyboard"));
    for (std::size_t s = 0; s < m_stops.size(); ++s) {
        m_stops[s] = screen.findChild<QLabel*>(QLatin1String(kStopNames[s]));
        if (m_stops[s] != nullptr) {
            speakOfAsButton(m_stops[s], m_stops[s]->text());
            m_stops[s]->setAccessibleDescription(s == kRandom
                                                     ? QStringLiteral("Generate a random character.")
                                                     : QStringLiteral("Plan a character of this class"));
        }
    }
    m_focusHolder = screen.findChild<QWidget*>(QStringLiteral("txt_Focus"));
    if (m_focusHolder != nullptr) {
        m_focusHolder->installEventFilter(this);
        m_focusHolder->setAccessibleName(QStringLiteral("Choose a class"));
        m_focusHolder->setAccessibleDescription(QStringLiteral(
            "Arrow keys or Tab move over the classes and Random, Enter chooses, F1 lists the keys, "
            "Esc ends the program"));
    }
    // The other commands and the portraits, which show no words of their own.
    const struct {
        const char* control;
        const char* name;
    } spoken[] = {
        {"lbl_Close", "Close Skillwright"},
        {"Command1", "Random character generator"},
        {"cmd_OpenCharacter", "Open a saved character"},
        {"cmd_Continue", "Continue the last plan"},
        {"img_Quennick", "Quennick, the first planner: contact"},
        {"img_Orrindel", "Orrindel, the redesign: contact"},
    };
    for (const auto& s : spoken) {
        if (auto* button = screen.findChild<QAbstractButton*>(QLatin1String(s.control))) {
            button->setAccessibleName(QLatin1String(s.name));
        } else if (auto* control = screen.findChild<QWidget*>(QLatin1String(s.control))) {
            speakOfAsButton(control, QLatin1String(s.name));
        }
    }
    screen.installEventFilter(this);
    m_ring = new FocusRing(&screen, kBrightGold, 2);
}

bool StartKeyboard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || (watched != m_focusHolder && watched != &m_screen)) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const int current = m_marked < 0 ? -1 : m_marked;
    switch (key->key()) {
    case Qt::Key_Right:
    case Qt::Key_Tab:
        if (key->key() == Qt::Key_Tab && modifiers != Qt::NoModifier) {
            mark(current <= 0 ? kRandom : current - 1); // Shift+Tab
        } else {
            mark(current < 0 || current == kRandom ? 0 : current + 1);
        }
        return true;
    case Qt::Key_Left:
    case Qt::Key_Backtab:
        mark(current <= 0 ? kRandom : current - 1);
        return true;
    case Qt::Key_Down:
        mark(kRandom);
        return true;
    case Qt::Key_Up:
        mark(m_lastClass);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (m_marked < 0) {
            return false;
        }
        choose();
        return true;
    default:
        return false;
    }
}

void StartKeyboard::mark(int stop) {
    if (m_marked >= 0 && m_marked != stop && m_stops[static_cast<std::size_t>(m_marked)] != nullptr) {
        setTextColour(m_stops[static_cast<std::size_t>(m_marked)], kBronze);
    }
    m_marked = stop;
    if (stop != kRandom) {
        m_lastClass = stop;
    }
    QLabel* label = m_stops[static_cast<std::size_t>(stop)];
    if (label == nullptr) {
        return;
    }
    setTextColour(label, kBrightGold);
    m_ring->frame(label);
    if (m_focusHolder != nullptr) {
        m_focusHolder->setAccessibleName(label->text());
    }
}

void StartKeyboard::choose() {
    if (m_marked == kRandom) {
        emit m_screen.generatorRequested(true);
        return;
    }
    emit m_screen.classChosen(StartScreen::kClassOrder[static_cast<std::size_t>(m_marked)]);
    m_screen.hide();
}

} // namespace skillwright::screens

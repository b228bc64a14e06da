#include "KeySheet.h"

#include "ProgramCommands.h"
#include "ScreenKit.h"

#include <toolkit/WindowPlace.h>

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>

#include <art/Art.h>

namespace skillwright::screens {

namespace {

QLabel* cell(QWidget* parent, std::string_view text, const QFont& font, Rgb colour) {
    auto* label = new QLabel(qstring(text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    setTextColour(label, colour);
    return label;
}

} // namespace

std::vector<KeyLine> keySheetLines() {
    const auto placeName = [](std::uint8_t places) -> std::string_view {
        return places == Everywhere ? "Everywhere" : places == OnTreeScreens ? "Skill trees" : "Start screen";
    };
    std::vector<KeyLine> lines;
    for (const std::string_view where : {"Skill trees", "History", "Start screen", "Everywhere"}) {
        for (const KeyHelp& line : kKeyHelp) {
            if (line.where == where) {
                lines.push_back({std::string(where), std::string(line.keys), std::string(line.does)});
            }
        }
        for (const EntryCommandEntry& entry : kEntryCommands) {
            if (where == "History") {
                lines.push_back({std::string(where), entry.keyText, entry.does});
            }
        }
        for (const ProgramCommandEntry& entry : kProgramCommands) {
            const QList<QKeySequence> sequences = keysOf(entry);
            if (sequences.isEmpty() || placeName(entry.places) != where) {
                continue;
            }
            QStringList keys;
            for (const QKeySequence& sequence : sequences) {
                keys << sequence.toString(QKeySequence::NativeText);
            }
            lines.push_back({std::string(where), keys.join(QStringLiteral(" or ")).toStdString(),
                             std::string(entry.does)});
        }
    }
    return lines;
}

KeySheet::KeySheet(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("frm_Keys"));
    setWindowTitle(QStringLiteral("Keys"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, qcolor(kPanel));
    setPalette(colours);
    setAccessibleName(QStringLiteral("Keys"));
    setAccessibleDescription(QStringLiteral("Every key the planner answers to. Esc closes this window."));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 12, 16, 14);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(3);
    const QFont heading = art::captionFont(10, QFont::Bold);
    const QFont text = art::textFont(9);
    const QFont keys = art::textFont(9, QFont::Bold);
    int row = 0;
    std::string where;
    for (const KeyLine& line : keySheetLines()) {
        if (line.where != where) {
            where = line.where;
            QLabel* title = cell(this, where, heading, kBrightGold);
            if (row > 0) {
                title->setContentsMargins(0, 8, 0, 0);
            }
            grid->addWidget(title, row++, 0, 1, 2);
        }
        grid->addWidget(cell(this, line.keys, keys, kParchment), row, 0);
        grid->addWidget(cell(this, line.does, text, kParchment), row, 1);
        ++row;
    }
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

KeySheet* KeySheet::showOver(QWidget& window) {
    auto* sheet = window.findChild<KeySheet*>(QString(), Qt::FindDirectChildrenOnly);
    if (sheet == nullptr) {
        sheet = new KeySheet(&window);
        sheet->adjustSize();
        toolkit::placeCentred(*sheet, &window);
    }
    showWithKeyboard(*sheet);
    return sheet;
}

void KeySheet::closeEvent(QCloseEvent* event) {
    // The window beneath takes the keyboard back: with no window manager,
    // nothing else would hand it on, and that window's keys would stay dead.
    QWidget* over = parentWidget();
    if (over != nullptr && over->isVisible() &&
        (isActiveWindow() || QApplication::activeWindow() == nullptr)) {
        showWithKeyboard(*over);
    }
    QWidget::closeEvent(event);
}

void KeySheet::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F1) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace skillwright::screens

#include "QtToolkit.h"

#include "OutsideData.h"
#include "ProgramFolders.h"
#include "ShownText.h"
#include "WindowPlace.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QShowEvent>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace skillwright::toolkit {

namespace {

const QString kProgramTitle = QStringLiteral("Skillwright");

class QtTimer final : public Timer {
public:
    QtTimer() {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            if (m_callback) {
                m_callback();
            }
        });
    }
    void setCallback(std::function<void()> onTimeout) override { m_callback = std::move(onTimeout); }
    void start(int milliseconds) override {
        if (milliseconds <= 0) {
            m_timer.stop();
            return;
        }
        m_timer.start(milliseconds);
    }
    void stop() override { m_timer.stop(); }
    [[nodiscard]] bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
    std::function<void()> m_callback;
};

} // namespace

QtToolkit::QtToolkit()
    : m_random(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())) {}

namespace {

/// The most characters of a window title taken from outside.
constexpr std::size_t kMaxTitleCharacters = 80;

QString shownTitle(const std::string& title) {
    return title.empty() ? kProgramTitle : QString::fromStdString(shortenedText(title, kMaxTitleCharacters));
}

} // namespace

void prepareMessageBox(QMessageBox& box, const std::string& text, const std::string& title, Icon icon,
                       Buttons buttons) {
    box.setWindowTitle(shownTitle(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(boundedMessage(text)));
    // The icon's kind is read out as its name; Qt leaves it an unnamed picture.
    QString iconName;
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        iconName = QStringLiteral("Information");
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        iconName = QStringLiteral("Error");
        break;
    }
    if (auto* iconLabel = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"))) {
        iconLabel->setAccessibleName(iconName);
    }
    if (buttons == Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        return;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(buttons == Buttons::YesNo ? QMessageBox::Yes : QMessageBox::No); // Enter's answer
    box.setEscapeButton(QMessageBox::No);
}

void prepareInputDialog(QInputDialog& dialog, const std::string& prompt, const std::string& title,
                        const std::string& defaultText) {
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(shownTitle(title));
    dialog.setLabelText(QString::fromStdString(boundedMessage(prompt)));
    dialog.setTextValue(QString::fromStdString(defaultText));
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
    }
}

QWidget* dialogOwner() {
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    // None is active when an earlier window went away without anything
    // handing the keyboard on; each window still knows its focus widget.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = window->windowType();
        if (window->isVisible() && type != Qt::Popup && type != Qt::ToolTip &&
            window->focusWidget() != nullptr) {
            return window;
        }
    }
    return nullptr;
}

namespace {

/// Remembers the owner of a dialog about to open and, once the dialog is
/// gone, gives that window the keyboard again: when the dialog unmaps, the
/// X server puts the focus back on no window of ours, and with no window
/// manager nothing activates the owner, whose shortcuts then stay dead until
/// it is clicked.
class KeyboardComesBack {
public:
    KeyboardComesBack() : m_owner(dialogOwner()) {}
    KeyboardComesBack(const KeyboardComesBack&) = delete;
    KeyboardComesBack& operator=(const KeyboardComesBack&) = delete;
    ~KeyboardComesBack() {
        if (m_owner != nullptr && m_owner->isVisible()) {
            m_owner->raise();
            m_owner->activateWindow();
        }
    }
    [[nodiscard]] QWidget* owner() const { return m_owner; }

private:
    QPointer<QWidget> m_owner;
};

} // namespace

namespace {

/// A dialog that opens centred on its owner and inside the screen. A message
/// box takes its size only as it shows, after the dialog has placed itself
/// for the size it had before, so the place is taken again then; the window
/// is not on the screen yet, and opens there.
template <typename Dialog> class Placed final : public Dialog {
public:
    using Dialog::Dialog;

protected:
    void showEvent(QShowEvent* event) override {
        Dialog::showEvent(event);
        if (!event->spontaneous()) {
            placeCentred(*this, this->parentWidget() != nullptr ? this->parentWidget()->window() : nullptr);
        }
    }
};

} // namespace

Answer QtToolkit::messageBox(const std::string& text, const std::string& title, Icon icon, Buttons buttons) {
    const KeyboardComesBack keyboard;
    Placed<QMessageBox> box(keyboard.owner());
    prepareMessageBox(box, text, title, icon, buttons);
    const int chosen = box.exec();
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    return chosen == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::string QtToolkit::inputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    const KeyboardComesBack keyboard;
    Placed<QInputDialog> dialog(keyboard.owner());
    prepareInputDialog(dialog, prompt, title, defaultText);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue().toStdString() : std::string();
}

std::string QtToolkit::openFileName(const std::string& title, const std::string& folder,
                                    const std::string& filter) {
    const KeyboardComesBack keyboard;
    Placed<QFileDialog> dialog(keyboard.owner(), QString::fromStdString(title),
                               QString::fromStdString(folder), QString::fromStdString(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // The list of files in detail: each column as wide as what it shows.
    if (auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        files->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        files->header()->setStretchLastSection(false);
    }
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0).toStdString() : std::string();
}

ChosenFile QtToolkit::saveFileName(const std::string& title, const std::string& suggested,
                                   const std::vector<std::string>& filters) {
    const KeyboardComesBack keyboard;
    QStringList names;
    for (const std::string& filter : filters) {
        names.append(QString::fromStdString(filter));
    }
    Placed<QFileDialog> dialog(keyboard.owner(), QString::fromStdString(title),
                               QString::fromStdString(suggested), names.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(QString::fromStdString(suggested));
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const auto filter = names.indexOf(dialog.selectedNameFilter());
    return {dialog.selectedFiles().value(0).toStdString(),
            static_cast<std::size_t>(std::max<qsizetype>(0, filter))};
}

Printed QtToolkit::print(const std::string& title, const std::function<bool(QPagedPaintDevice&)>& drawPages) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(shownTitle(title));
    printer.setCreator(kProgramTitle);
    {
        const KeyboardComesBack keyboard;
        Placed<QPrintDialog> dialog(&printer, keyboard.owner());
        dialog.setWindowTitle(QStringLiteral("Print"));
        // One page, always whole: no range or selection to choose.
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
        if (dialog.exec() != QDialog::Accepted) {
            return Printed::Cancelled;
        }
    }
    const bool drawn = drawPages(printer);
    return drawn && printer.printerState() != QPrinter::Error ? Printed::Sent : Printed::Failed;
}

void QtToolkit::processEvents() {
    QCoreApplication::processEvents();
}

std::string QtToolkit::applicationFolder() {
    return QCoreApplication::applicationDirPath().toStdString();
}

namespace {

/// Asked afresh each time: a stick may be write-protected while the program runs.
ProgramFolders programFolders(QtToolkit& toolkit) {
    return ProgramFolders(toolkit.applicationFolder(),
                          QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString());
}

} // namespace

std::string QtToolkit::animationFolder() {
    return programFolders(*this).animationFolder();
}

std::string QtToolkit::reportFolder() {
    return programFolders(*this).reportFolder();
}

std::string QtToolkit::stateFolder() {
    return toolkit::stateFolder(qEnvironmentVariable("XDG_STATE_HOME").toStdString(),
                                qEnvironmentVariable("HOME").toStdString());
}

bool QtToolkit::moveToTrash(const std::string& path) {
    return QFile::moveToTrash(QString::fromStdString(path));
}

bool QtToolkit::openAddress(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(address), QUrl::TolerantMode));
}

std::optional<std::string> QtToolkit::clipboardText(std::size_t maxBytes) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* mime = clipboard->mimeData();
    if (mime == nullptr) {
        return std::nullopt;
    }
    // Another program's text is counted before it comes over; ours is here.
    const std::optional<Handover> outside =
        clipboard->ownsClipboard() ? std::nullopt : std::optional<Handover>(Handover::Clipboard);
    // The UTF-8 form when the owner names it, else plain text, which Qt and
    // the desktops hand over as UTF-8.
    for (const QString& format : {QStringLiteral("text/plain;charset=utf-8"), QStringLiteral("text/plain")}) {
        if (mime->hasFormat(format)) {
            const std::optional<QByteArray> bytes = boundedData(*mime, format, maxBytes, outside);
            return bytes ? std::optional<std::string>(bytes->toStdString()) : std::nullopt;
        }
    }
    return std::nullopt;
}

void QtToolkit::setClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void QtToolkit::setClipboardPicture(std::string_view png) {
    QImage picture;
    picture.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG");
    QGuiApplication::clipboard()->setImage(picture);
}

namespace {
QSettings programSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("skillwright"),
                     QStringLiteral("skillwright"));
}
} // namespace

std::string QtToolkit::setting(const std::string& key) {
    return programSettings().value(QString::fromStdString(key)).toString().toStdString();
}

void QtToolkit::setSetting(const std::string& key, const std::string& value) {
    QSettings settings = programSettings();
    settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
}

double QtToolkit::random() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_random);
}

std::unique_ptr<Timer> QtToolkit::createTimer() {
    return std::make_unique<QtTimer>();
}

} // namespace skillwright::toolkit

namespace skillwright::toolkit {

void QtToolkit::endProgram() {
    // At once, also from inside an operation that lets events run: nothing
    // of the program may act after this, so the process ends here.
    std::fflush(nullptr);
    std::quick_exit(0);
}

} // namespace skillwright::toolkit

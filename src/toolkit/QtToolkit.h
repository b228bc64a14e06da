#pragma once

#include <toolkit/Toolkit.h>

#include <random>

class QInputDialog;
class QMessageBox;
class QWidget;

namespace skillwright::toolkit {

/// Sets up `box` as messageBox shows it. Every text is plain text, never
/// markup (a report line may hold "<img src=...>"), and cut to lengths that
/// keep the box of a normal size, with a visible ellipsis.
void prepareMessageBox(QMessageBox& box, const std::string& text, const std::string& title, Icon icon,
                       Buttons buttons);
/// Sets up `dialog` as inputBox shows it, its texts plain too.
void prepareInputDialog(QInputDialog& dialog, const std::string& prompt, const std::string& title,
                        const std::string& defaultText);

/// The window a dialog opens over, centred on it, and gives the keyboard
/// back to when it closes: the active window or, when none is, the visible
/// window that has a focus widget; null when there is no such window.
QWidget* dialogOwner();

/// The toolkit on Qt Widgets: QMessageBox, QInputDialog, QTimer,
/// QDesktopServices, QClipboard, the application's own folder and the user's
/// documents.
class QtToolkit final : public Toolkit {
public:
    QtToolkit();

    Answer messageBox(const std::string& text, const std::string& title, Icon icon, Buttons buttons) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string openFileName(const std::string& title, const std::string& folder,
                             const std::string& filter) override;
    ChosenFile saveFileName(const std::string& title, const std::string& suggested,
                            const std::vector<std::string>& filters) override;
    Printed print(const std::string& title,
                  const std::function<bool(QPagedPaintDevice&)>& drawPages) override;
    void processEvents() override;
    std::string applicationFolder() override;
    std::string animationFolder() override;
    std::string reportFolder() override;
    std::string stateFolder() override;
    bool openAddress(const std::string& address) override;
    bool moveToTrash(const std::string& path) override;
    std::optional<std::string> clipboardText(std::size_t maxBytes) override;
    void setClipboardText(const std::string& text) override;
    void setClipboardPicture(std::string_view png) override;
    /// In the user's configuration folder, skillwright/skillwright.conf.
    std::string setting(const std::string& key) override;
    void setSetting(const std::string& key, const std::string& value) override;
    double random() override;
    std::unique_ptr<Timer> createTimer() override;
    void endProgram() override;

private:
    std::mt19937_64 m_random;
};

} // namespace skillwright::toolkit

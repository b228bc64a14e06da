#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The page a printer gives to draw on; only named here, so that this
// interface stays free of the platform's headers.
class QPagedPaintDevice;

namespace skillwright::toolkit {

enum class Icon { None, Information, Critical };
/// A box's buttons; Enter answers with the default (Yes for YesNo, No for
/// YesNoDefaultNo) and Esc with No.
enum class Buttons { Ok, YesNo, YesNoDefaultNo };
enum class Answer { Ok, Yes, No };

/// The file a save dialog was answered with: its path (empty when the player
/// cancelled) and which of the dialog's filters was chosen, the first 0.
struct ChosenFile {
    std::string path;
    std::size_t filter = 0;
};

/// How a print job went: sent to the printer, cancelled in the print dialog,
/// or refused by the printer (or the file it prints into).
enum class Printed { Sent, Cancelled, Failed };

/// A restartable single-shot timer. start() always counts the full interval
/// from now, also when the timer is already running; an interval of 0 never
/// fires.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setCallback(std::function<void()> onTimeout) = 0;
    virtual void start(int milliseconds) = 0;
    virtual void stop() = 0;
    [[nodiscard]] virtual bool isActive() const = 0;
};

/// Everything our code asks of the platform: modal dialogs, event handling,
/// the program's folders, opening addresses, the clipboard, random numbers,
/// timers and the end of the program.
/// Production code uses QtToolkit; tests use ScriptedToolkit.
class Toolkit {
public:
    virtual ~Toolkit() = default;

    /// Modal message box. An empty title means the program's own title.
    virtual Answer messageBox(const std::string& text, const std::string& title, Icon icon,
                              Buttons buttons) = 0;
    /// Modal input box; returns the typed text, or the empty text on Cancel.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    /// The platform's own file dialog for opening a file: its title, the folder
    /// it starts in, and a filter such as "Character reports (*.txt)". The
    /// chosen file's path, or the empty text when the player cancelled.
    virtual std::string openFileName(const std::string& title, const std::string& folder,
                                     const std::string& filter) = 0;
    /// The platform's own file dialog for saving a file: its title, the path
    /// it suggests, and its filters ("PNG picture (*.png)"), the first chosen
    /// at first. It asks before an existing file is replaced.
    virtual ChosenFile saveFileName(const std::string& title, const std::string& suggested,
                                    const std::vector<std::string>& filters) = 0;
    /// The platform's print dialog for a document titled `title`, where the
    /// player picks the printer, the page size and the margins; once it is
    /// answered, `drawPages` draws on the printer's page, whose size is the
    /// area within the margins, and says whether it could.
    virtual Printed print(const std::string& title,
                          const std::function<bool(QPagedPaintDevice&)>& drawPages) = 0;
    /// Lets pending window events (input, painting, timers) run, then returns.
    virtual void processEvents() = 0;
    /// The folder that holds the program's executable, without a trailing separator.
    virtual std::string applicationFolder() = 0;
    /// The folder the class animation files are read from.
    virtual std::string animationFolder() = 0;
    /// The folder SAVE writes reports into, and where looking for one starts;
    /// it may not exist yet, and the first save makes it.
    virtual std::string reportFolder() = 0;
    /// The folder the program keeps what it carries from one run to the next
    /// (the journal of plans); it may not exist yet. Empty: nothing is kept.
    virtual std::string stateFolder() = 0;
    /// Hands a web or mail address to the desktop's default handler.
    virtual bool openAddress(const std::string& address) = 0;
    /// Moves the file at `path` to the desktop's trash, where it can be
    /// restored; false when it cannot be.
    virtual bool moveToTrash(const std::string& path) = 0;
    /// The text on the clipboard as UTF-8, or nothing when it holds no text
    /// or more than `maxBytes` bytes of it. The size is looked at before the
    /// text is converted, so a clipboard of megabytes, or of a picture, is
    /// refused at once.
    virtual std::optional<std::string> clipboardText(std::size_t maxBytes) = 0;
    /// Puts `text` (UTF-8) on the clipboard, for this and every other program.
    virtual void setClipboardText(const std::string& text) = 0;
    /// Puts the picture `png` (a PNG file's bytes) on the clipboard.
    virtual void setClipboardPicture(std::string_view png) = 0;
    /// What the player chose last under `key` (the form "Copy for Forum"
    /// writes, say), kept from one run to the next; empty when nothing is kept.
    virtual std::string setting(const std::string& key) = 0;
    /// Keeps `value` under `key` for this run and the next.
    virtual void setSetting(const std::string& key, const std::string& value) = 0;
    /// A uniform random number r with 0 <= r < 1.
    virtual double random() = 0;
    /// A new stopped timer owned by the caller.
    virtual std::unique_ptr<Timer> createTimer() = 0;
    /// Ends the program at once: every window goes, nothing is asked or
    /// saved, and no further handler runs.
    virtual void endProgram() = 0;
};

} // namespace skillwright::toolkit

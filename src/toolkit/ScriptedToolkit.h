#pragma once

#include <toolkit/Toolkit.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace skillwright::toolkit {

/// The test double: answers modal dialogs from queues, records every prompt,
/// keeps a manual clock for its timers and hands out scripted random numbers.
/// Nothing ever blocks.
class ScriptedToolkit final : public Toolkit {
public:
    struct MessageRecord {
        std::string text;
        std::string title;
        Icon icon;
        Buttons buttons;
    };
    struct InputRecord {
        std::string prompt;
        std::string title;
        std::string defaultText;
    };

    ScriptedToolkit();
    ~ScriptedToolkit() override;

    Answer messageBox(const std::string& text, const std::string& title, Icon icon, Buttons buttons) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string openFileName(const std::string& title, const std::string& folder,
                             const std::string& filter) override;
    ChosenFile saveFileName(const std::string& title, const std::string& suggested,
                            const std::vector<std::string>& filters) override;
    /// Draws on `printer` when a test gives one (as if the player chose it
    /// in the dialog), else answers Cancel; `printerFails` makes the printer
    /// refuse the job.
    Printed print(const std::string& title,
                  const std::function<bool(QPagedPaintDevice&)>& drawPages) override;
    void processEvents() override;
    std::string applicationFolder() override { return folder; }
    /// One folder for everything, as in a build folder.
    std::string animationFolder() override { return folder; }
    std::string reportFolder() override { return folder; }
    /// `journalFolder`: by default none, so that a test keeps no plans
    /// unless it gives the journal a folder of its own.
    std::string stateFolder() override { return journalFolder; }
    bool openAddress(const std::string& address) override;
    /// Removes the file: the test's scratch folder is its trash.
    bool moveToTrash(const std::string& path) override;
    /// What `clipboard` holds, within the limit, as the Qt toolkit reads it.
    std::optional<std::string> clipboardText(std::size_t maxBytes) override;
    void setClipboardText(const std::string& text) override {
        clipboard = text;
        clipboardPicture.reset();
    }
    void setClipboardPicture(std::string_view png) override {
        clipboard.reset();
        clipboardPicture = std::string(png);
    }
    std::string setting(const std::string& key) override {
        const auto kept = settings.find(key);
        return kept == settings.end() ? std::string() : kept->second;
    }
    void setSetting(const std::string& key, const std::string& value) override { settings[key] = value; }
    double random() override;
    std::unique_ptr<Timer> createTimer() override;
    /// Records the request; the test goes on.
    void endProgram() override { ++programEnds; }

    /// Moves the manual clock on, firing every timer that falls due, in order.
    void advance(int milliseconds);
    [[nodiscard]] long long now() const { return m_now; }

    // Scripts: answers are taken from the front; when a queue is empty a
    // message box answers Ok (Yes for Yes/No) and an input box its default.
    std::deque<Answer> answers;
    std::deque<std::string> inputs;
    /// Files the open dialog picks, in turn; the empty text (Cancel) when none is left.
    std::deque<std::string> openFiles;
    /// Answers of the save dialog, in turn; Cancel (an empty path) when none is left.
    std::deque<ChosenFile> saveFiles;
    /// The page the print dialog hands out; none: the player cancels.
    QPagedPaintDevice* printer = nullptr;
    bool printerFails = false;
    std::deque<double> randoms;
    /// Answers random() once `randoms` is empty (0.0 when unset).
    std::function<double()> randomSource;
    std::string folder = ".";
    std::string journalFolder;
    /// The clipboard's text; nothing when it holds none (a picture, say).
    std::optional<std::string> clipboard;
    /// The clipboard's picture as PNG bytes, when it holds one.
    std::optional<std::string> clipboardPicture;
    /// What the program keeps from run to run, by key.
    std::map<std::string, std::string> settings;
    bool openAddressResult = true;

    // Records.
    std::vector<MessageRecord> messages;
    std::vector<InputRecord> inputPrompts;
    /// Title, folder and filter of every open dialog shown.
    std::vector<InputRecord> openDialogs;
    /// Title, suggested path and the first filter of every save dialog shown.
    std::vector<InputRecord> saveDialogs;
    /// The title of every print dialog shown.
    std::vector<std::string> printDialogs;
    std::vector<std::string> openedAddresses;
    std::vector<std::string> trashed;
    int processEventsCalls = 0;
    int programEnds = 0;
    /// Runs inside every processEvents call: a test's stand-in for what the
    /// player does while a long operation lets events run.
    std::function<void()> onProcessEvents;
    /// Runs as every message box shows, before it is answered.
    std::function<void(const MessageRecord&)> onMessage;

private:
    friend class ScriptedTimer;
    struct TimerSlot;
    std::vector<TimerSlot*> m_timers;
    long long m_now = 0;
};

} // namespace skillwright::toolkit

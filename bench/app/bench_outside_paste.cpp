// Ctrl+V with 400 MB of another program's text on the clipboard, on a real
// X display, to the start screen's "This is not a build code.": at most
// 100 ms and 16 MiB more memory at the peak. The owner hands the text over
// in pieces, as desktop programs do, on a connection and thread of its own;
// the program reads it through the Qt toolkit. Starts an Xvfb of its own,
// or says why it cannot and measures nothing.
//
// Measured: 0.6 ms, no growth to speak of, nothing of the text handed over.
// Through QMimeData::data(), which has Qt fetch the whole text before it can
// be counted: 5.2 s and 1.1 GiB more at the peak.
#include <model/BuildCode.h>
#include <toolkit/QtToolkit.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QTest>
#include <QtBenchMain.h>

#include <benchmark/benchmark.h>

#include <Program.h>
#include <X11SelectionOwner.h>
#include <art/Art.h>
#include <csignal>
#include <cstdio>
#include <document/PlanDocument.h>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace skillwright;

namespace {

/// The scripted toolkit's boxes, so that nothing waits for a hand, with the
/// Qt toolkit's clipboard.
class PastingToolkit final : public toolkit::Toolkit {
public:
    toolkit::ScriptedToolkit scripted;
    toolkit::QtToolkit qt;

    toolkit::Answer messageBox(const std::string& text, const std::string& title, toolkit::Icon icon,
                               toolkit::Buttons buttons) override {
        return scripted.messageBox(text, title, icon, buttons);
    }
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override {
        return scripted.inputBox(prompt, title, defaultText);
    }
    std::string openFileName(const std::string& title, const std::string& folder,
                             const std::string& filter) override {
        return scripted.openFileName(title, folder, filter);
    }
    toolkit::ChosenFile saveFileName(const std::string& title, const std::string& suggested,
                                     const std::vector<std::string>& filters) override {
        return scripted.saveFileName(title, suggested, filters);
    }
    toolkit::Printed print(const std::string& title,
                           const std::function<bool(QPagedPaintDevice&)>& drawPages) override {
        return scripted.print(title, drawPages);
    }
    void processEvents() override { qt.processEvents(); }
    std::string applicationFolder() override { return scripted.applicationFolder(); }
    std::string animationFolder() override { return scripted.animationFolder(); }
    std::string reportFolder() override { return scripted.reportFolder(); }
    std::string stateFolder() override { return scripted.stateFolder(); }
    bool openAddress(const std::string& address) override { return scripted.openAddress(address); }
    bool moveToTrash(const std::string& path) override { return scripted.moveToTrash(path); }
    std::optional<std::string> clipboardText(std::size_t maxBytes) override {
        return qt.clipboardText(maxBytes);
    }
    void setClipboardText(const std::string& text) override { qt.setClipboardText(text); }
    void setClipboardPicture(std::string_view png) override { qt.setClipboardPicture(png); }
    std::string setting(const std::string& key) override { return scripted.setting(key); }
    void setSetting(const std::string& key, const std::string& value) override {
        scripted.setSetting(key, value);
    }
    double random() override { return scripted.random(); }
    std::unique_ptr<toolkit::Timer> createTimer() override { return qt.createTimer(); }
    void endProgram() override { scripted.endProgram(); }
};

/// A line of /proc/self/status in KiB ("VmRSS:", "VmHWM:").
long statusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field)) {
            return std::stol(line.substr(field.size()));
        }
    }
    return 0;
}

/// Sets the peak of the resident memory back to what is resident now.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void PasteOf400MBOfAnotherProgramsText(benchmark::State& state) {
    const testing::X11SelectionOwner owner("CLIPBOARD", {"SW1", 400'000'000});
    if (!owner.owns()) {
        state.SkipWithError("the clipboard could not be taken");
        return;
    }
    PastingToolkit toolkit;
    document::PlanDocument document;
    app::Program program(document, toolkit);
    program.start();
    QWidget& start = program.startScreen();
    start.show();
    start.activateWindow();
    if (!QTest::qWaitForWindowActive(&start)) {
        state.SkipWithError("the start screen has not the keyboard");
        return;
    }
    const std::string refusal(model::codeRefusalText(model::CodeRefusal::NotACode));
    long mostGrowthKiB = 0;
    for (auto _ : state) {
        state.PauseTiming();
        toolkit.scripted.messages.clear();
        resetPeak();
        const long residentKiB = statusKiB("VmRSS:");
        state.ResumeTiming();
        QTest::keyClick(&start, Qt::Key_V, Qt::ControlModifier);
        state.PauseTiming();
        mostGrowthKiB = std::max(mostGrowthKiB, statusKiB("VmHWM:") - residentKiB);
        if (toolkit.scripted.messages.size() != 1 || toolkit.scripted.messages[0].text != refusal) {
            state.SkipWithError("the paste was not answered with its message");
            break;
        }
        state.ResumeTiming();
    }
    state.counters["peak_growth_MiB"] = static_cast<double>(mostGrowthKiB) / 1024.0;
    state.counters["handed_over_MiB"] = static_cast<double>(owner.handedOver()) / (1024.0 * 1024.0);
}
BENCHMARK(PasteOf400MBOfAnotherProgramsText)->Unit(benchmark::kMillisecond);

/// An Xvfb of this run's own, ended with it.
class PrivateDisplay {
public:
    PrivateDisplay() {
        int number[2];
        if (::pipe(number) != 0) {
            return;
        }
        m_server = ::fork();
        if (m_server == 0) {
            ::dup2(number[1], 3);
            ::execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(number[1]);
        // The number, then a line end in a write of its own: the pipe stays
        // open until the whole line has come, or the server fails to write it.
        std::string told;
        pollfd ready{number[0], POLLIN, 0};
        char byte = 0;
        while (m_server > 0 && told.find('\n') == std::string::npos && ::poll(&ready, 1, 10'000) == 1 &&
               ::read(number[0], &byte, 1) == 1) {
            told += byte;
        }
        ::close(number[0]);
        if (told.find('\n') != std::string::npos) {
            m_display = ":" + told.substr(0, told.find('\n'));
        }
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;
    ~PrivateDisplay() {
        if (m_server > 0) {
            ::kill(m_server, SIGTERM);
            ::waitpid(m_server, nullptr, 0);
        }
    }
    /// ":N", or empty when Xvfb did not start.
    [[nodiscard]] const std::string& name() const { return m_display; }

private:
    pid_t m_server = -1;
    std::string m_display;
};

} // namespace

int main(int argc, char** argv) {
    const PrivateDisplay display;
    if (display.name().empty()) {
        std::fprintf(stderr, "bench_outside_paste: measures nothing: Xvfb did not start (install it with "
                             "scripts/install-deps)\n");
        return 0;
    }
    qputenv("DISPLAY", QByteArray::fromStdString(display.name()));
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    return skillwright::bench::runWithQt(argc, argv);
}

#include "ScriptedToolkit.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace skillwright::toolkit {

struct ScriptedToolkit::TimerSlot {
    std::function<void()> callback;
    long long due = 0;
    bool active = false;
};

class ScriptedTimer final : public Timer {
public:
    ScriptedTimer(ScriptedToolkit& owner) : m_owner(owner) { m_owner.m_timers.push_back(&m_slot); }
    ~ScriptedTimer() override { std::erase(m_owner.m_timers, &m_slot); }
    ScriptedTimer(const ScriptedTimer&) = delete;
    ScriptedTimer& operator=(const ScriptedTimer&) = delete;

    void setCallback(std::function<void()> onTimeout) override { m_slot.callback = std::move(onTimeout); }
    void start(int milliseconds) override {
        m_slot.active = milliseconds > 0;
        m_slot.due = m_owner.m_now + milliseconds;
    }
    void stop() override { m_slot.active = false; }
    [[nodiscard]] bool isActive() const override { return m_slot.active; }

private:
    ScriptedToolkit& m_owner;
    ScriptedToolkit::TimerSlot m_slot;
};

ScriptedToolkit::ScriptedToolkit() = default;
ScriptedToolkit::~ScriptedToolkit() = default;

Answer ScriptedToolkit::messageBox(const std::string& text, const std::string& title, Icon icon,
                                   Buttons buttons) {
    messages.push_back({text, title, icon, buttons});
    if (onMessage) {
        onMessage(messages.back());
    }
    if (!answers.empty()) {
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == Buttons::YesNo            ? Answer::Yes
           : buttons == Buttons::YesNoDefaultNo ? Answer::No
                                                : Answer::Ok;
}

std::string ScriptedToolkit::inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
    inputPrompts.push_back({prompt, title, defaultText});
    if (!inputs.empty()) {
        std::string s = inputs.front();
        inputs.pop_front();
        return s;
    }
    return defaultText;
}

std::string ScriptedToolkit::openFileName(const std::string& title, const std::string& folder,
                                          const std::string& filter) {
    openDialogs.push_back({title, folder, filter});
    if (openFiles.empty()) {
        return {};
    }
    std::string path = openFiles.front();
    openFiles.pop_front();
    return path;
}

ChosenFile ScriptedToolkit::saveFileName(const std::string& title, const std::string& suggested,
                                         const std::vector<std::string>& filters) {
    saveDialogs.push_back({title, suggested, filters.empty() ? std::string() : filters.front()});
    if (saveFiles.empty()) {
        return {};
    }
    ChosenFile chosen = saveFiles.front();
    saveFiles.pop_front();
    return chosen;
}

Printed ScriptedToolkit::print(const std::string& title,
                               const std::function<bool(QPagedPaintDevice&)>& drawPages) {
    printDialogs.push_back(title);
    if (printer == nullptr) {
        return Printed::Cancelled;
    }
    return drawPages(*printer) && !printerFails ? Printed::Sent : Printed::Failed;
}

void ScriptedToolkit::processEvents() {
    ++processEventsCalls;
    if (onProcessEvents) {
        onProcessEvents();
    }
}

bool ScriptedToolkit::moveToTrash(const std::string& path) {
    trashed.push_back(path);
    return std::remove(path.c_str()) == 0;
}

bool ScriptedToolkit::openAddress(const std::string& address) {
    openedAddresses.push_back(address);
    return openAddressResult;
}

std::optional<std::string> ScriptedToolkit::clipboardText(std::size_t maxBytes) {
    if (!clipboard || clipboard->size() > maxBytes) {
        return std::nullopt;
    }
    return clipboard;
}

double ScriptedToolkit::random() {
    if (randoms.empty()) {
        return randomSource ? randomSource() : 0.0;
    }
    const double r = randoms.front();
    randoms.pop_front();
    return r;
}

std::unique_ptr<Timer> ScriptedToolkit::createTimer() {
    return std::make_unique<ScriptedTimer>(*this);
}

void ScriptedToolkit::advance(int milliseconds) {
    const long long end = m_now + milliseconds;
    for (;;) {
        // The earliest active timer that falls due by the end of the step.
        TimerSlot* next = nullptr;
        long long due = std::numeric_limits<long long>::max();
        for (TimerSlot* t : m_timers) {
            if (t->active && t->due <= end && t->due < due) {
                next = t;
                due = t->due;
            }
        }
        if (next == nullptr) {
            break;
        }
        m_now = due;
        next->active = false; // single shot: the callback may start it again
        if (next->callback) {
            next->callback();
        }
    }
    m_now = end;
}

} // namespace skillwright::toolkit

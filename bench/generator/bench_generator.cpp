// Speed of the random character generator: from the player's Yes to the
// closing message of a level-75 character, on a shown skill tree screen that
// lets the window events run twice per level as the player watches.
#include <generator/RandomFillRun.h>
#include <model/RandomGeneration.h>
#include <screens/tree/SkillTreeScreen.h>
#include <toolkit/ScriptedToolkit.h>

#include <QApplication>
#include <QtBenchMain.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <document/PlanDocument.h>
#include <random>

using namespace skillwright;

namespace {

/// The scripted toolkit's answers (Yes, then OK), with the real event loop
/// run where the fill lets events run, and the moment the closing message came.
class WatchedToolkit final : public toolkit::Toolkit {
public:
    toolkit::Answer messageBox(const std::string& text, const std::string& title, toolkit::Icon icon,
                               toolkit::Buttons buttons) override {
        if (title == "Generation Complete") {
            closedAt = std::chrono::steady_clock::now();
        }
        return m_scripted.messageBox(text, title, icon, buttons);
    }
    std::string inputBox(const std::string& p, const std::string& t, const std::string& d) override {
        return m_scripted.inputBox(p, t, d);
    }
    std::string openFileName(const std::string& t, const std::string& f, const std::string& k) override {
        return m_scripted.openFileName(t, f, k);
    }
    toolkit::ChosenFile saveFileName(const std::string& t, const std::string& s,
                                     const std::vector<std::string>& f) override {
        return m_scripted.saveFileName(t, s, f);
    }
    void processEvents() override { QApplication::processEvents(); }
    std::string applicationFolder() override { return m_scripted.applicationFolder(); }
    std::string stateFolder() override { return {}; }
    std::string animationFolder() override { return m_scripted.animationFolder(); }
    std::string reportFolder() override { return m_scripted.reportFolder(); }
    bool openAddress(const std::string& address) override { return m_scripted.openAddress(address); }
    bool moveToTrash(const std::string& path) override { return m_scripted.moveToTrash(path); }
    std::optional<std::string> clipboardText(std::size_t maxBytes) override {
        return m_scripted.clipboardText(maxBytes);
    }
    void setClipboardText(const std::string& text) override { m_scripted.setClipboardText(text); }
    void setClipboardPicture(std::string_view png) override { m_scripted.setClipboardPicture(png); }
    std::string setting(const std::string& key) override { return m_scripted.setting(key); }
    void setSetting(const std::string& key, const std::string& value) override {
        m_scripted.setSetting(key, value);
    }
    double random() override { return std::uniform_real_distribution<double>(0.0, 1.0)(m_random); }
    std::unique_ptr<toolkit::Timer> createTimer() override { return m_scripted.createTimer(); }
    void endProgram() override {}

    std::chrono::steady_clock::time_point closedAt;

private:
    toolkit::ScriptedToolkit m_scripted;
    std::mt19937 m_random{75};
};

void GenerateLevel75(benchmark::State& state) {
    WatchedToolkit toolkit;
    document::PlanDocument document;
    const auto classes = model::classes();
    std::size_t next = 0;
    for (auto _ : state) {
        const model::ClassInfo& c = classes[next++ % classes.size()];
        const auto yes = std::chrono::steady_clock::now();
        const model::GenerationPlan plan =
            model::drawGeneration({c.id, 75}, [&toolkit] { return toolkit.random(); });
        document.startNew(plan.classId, document::Origin::Generator);
        auto* screen = new screens::SkillTreeScreen(document, toolkit);
        screen->show();
        generator::fillRandomly(document, toolkit, plan.level);
        state.SetIterationTime(std::chrono::duration<double>(toolkit.closedAt - yes).count());
        delete screen;
        document.close();
    }
}
BENCHMARK(GenerateLevel75)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithQt(argc, argv);
}

#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <document/PlanDocument.h>

namespace skillwright::bench {

/// Left-clicks the Necromancer screen's tier-1 skills in turns, one click an
/// iteration, so that every click is accepted; the plan is RESET, untimed,
/// before the character nears level 99, and `restarted` runs then.
template <typename Restarted = void (*)()>
void clickTierOneSkillsInTurns(
    benchmark::State& state, document::PlanDocument& document, const QWidget& screen,
    Restarted restarted = [] {}) {
    std::array<QWidget*, 5> icons{};
    const std::array names{"img_NecroSummon(0)", "img_NecroSummon(1)", "img_NecroBonePoison(0)",
                           "img_NecroBonePoison(1)", "img_NecroCurse(0)"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        icons[i] = screen.findChild<QWidget*>(QLatin1String(names[i]));
        if (icons[i] == nullptr) {
            state.SkipWithError("a tier-1 icon is missing");
            return;
        }
    }
    std::size_t next = 0;
    for (auto _ : state) {
        QTest::mouseClick(icons[next++ % icons.size()], Qt::LeftButton);
        QApplication::processEvents();
        if (document.build().levelsGained() >= 90) {
            state.PauseTiming();
            document.reset();
            restarted();
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
}

} // namespace skillwright::bench

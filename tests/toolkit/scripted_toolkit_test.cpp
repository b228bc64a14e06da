// The test double keeps the promises of the real toolkit that the rules
// depend on: a restarted timer counts its full interval again, and a
// callback may restart its own timer.
#include <toolkit/ScriptedToolkit.h>

#include <gtest/gtest.h>

namespace skillwright::toolkit {
namespace {

TEST(ScriptedTimer, restartCountsTheFullIntervalFromNow) {
    ScriptedToolkit tk;
    auto timer = tk.createTimer();
    int fired = 0;
    timer->setCallback([&] { ++fired; });
    timer->start(5000);
    tk.advance(3000);
    timer->stop();
    timer->start(5000);
    tk.advance(4999);
    EXPECT_EQ(fired, 0);
    EXPECT_TRUE(timer->isActive());
    tk.advance(1);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(timer->isActive());
    tk.advance(100000);
    EXPECT_EQ(fired, 1) << "single shot";
}

TEST(ScriptedTimer, aCallbackMayRestartItsOwnTimer) {
    ScriptedToolkit tk;
    auto ticking = tk.createTimer();
    std::vector<long long> ticks;
    ticking->setCallback([&] {
        ticks.push_back(tk.now());
        ticking->start(100);
    });
    ticking->start(100);
    tk.advance(350);
    EXPECT_EQ(ticks, (std::vector<long long>{100, 200, 300}));
}

} // namespace
} // namespace skillwright::toolkit

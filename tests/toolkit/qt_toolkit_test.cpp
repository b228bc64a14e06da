#include <toolkit/QtToolkit.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Ending the program ends the process there and then, with nothing after it
// run: also before any event loop has started, and from inside a handler.
TEST(QtToolkitDeathTest, endProgramEndsTheProcessAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            skillwright::toolkit::QtToolkit toolkit;
            std::fputs("ending\n", stderr);
            toolkit.endProgram();
            std::fputs("went on\n", stderr);
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "ending\n$");
}

} // namespace

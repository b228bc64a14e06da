// A plan shared as a build code comes back as the same character: its code
// read back is the same plan, and replayed through the rules it saves to the
// very bytes of the original's report.
#include "PlanMaker.h"

#include <model/Build.h>
#include <model/BuildCode.h>
#include <report/ReportText.h>

#include <gtest/gtest.h>

#include <random>

namespace skillwright::report {
namespace {

TEST(CodeAndReport, randomPlansComeBackThroughTheirCodeToTheSameReportBytes) {
    std::mt19937 random(29);
    for (int n = 0; n < 2000; ++n) {
        const model::Plan plan = testing::randomPlan(random);
        const std::string code = model::encodeBuildCode(plan);
        const model::CodeReading reading = model::decodeBuildCode(code);
        ASSERT_TRUE(reading.plan) << code << ": " << model::codeRefusalText(reading.refusal);
        ASSERT_EQ(reading.plan->history, plan.history) << code;

        model::Build build;
        ASSERT_EQ(build.replay(*reading.plan), std::nullopt) << code;
        model::Plan opened = build.plan();
        opened.name = reading.plan->name;
        ASSERT_EQ(reportText(opened), reportText(plan)) << code;
    }
}

} // namespace
} // namespace skillwright::report

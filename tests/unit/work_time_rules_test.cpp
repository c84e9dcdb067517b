// The check the camera dialog makes on each work-time schedule.
#include "rules/WorkTimeRules.h"

#include <gtest/gtest.h>

using namespace halvorn::rules;

namespace {

TEST(WorkTimeRules, EqualTimesButMidnightThenNoDayRefusedUnlessSwitchedOff) {
    // clang-format off
    const struct { const char* what; WorkTimeValues s; Rule rule; } rows[] = {
        {"midnight to midnight, one day", {1, 0, 0, 0, 0, true}, Rule::None},
        {"equal times", {1, 8, 30, 8, 30, true}, Rule::WorkTimeStartStop},
        {"equal times past midnight", {1, 0, 30, 0, 30, true}, Rule::WorkTimeStartStop},
        {"equal times, no day: the times first", {1, 8, 30, 8, 30, false}, Rule::WorkTimeStartStop},
        {"across midnight", {1, 22, 0, 6, 0, true}, Rule::None},
        {"a minute apart", {1, 8, 30, 8, 31, true}, Rule::None},
        {"an hour apart", {1, 8, 30, 9, 30, true}, Rule::None},
        {"no day", {1, 6, 0, 18, 0, false}, Rule::WorkTimeNoDay},
        {"midnight, no day", {1, 0, 0, 0, 0, false}, Rule::WorkTimeNoDay},
        {"switched off", {0, 8, 30, 8, 30, false}, Rule::None},
        {"nothing chosen counts as on", {-1, 6, 0, 18, 0, false}, Rule::WorkTimeNoDay},
        {"a switch outside the list counts as on", {2, 5, 0, 5, 0, true}, Rule::WorkTimeStartStop}};
    // clang-format on
    for (const auto& r : rows)
        EXPECT_EQ(checkWorkTime(3, r.s), (Failure{r.rule, r.rule == Rule::None ? 0u : 3u})) << r.what;
}

} // namespace

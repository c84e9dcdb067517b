#pragma once
// The check the camera dialog's "OK" makes on each work-time schedule.

#include "rules/Failure.h"

#include <cstddef>

namespace halvorn::rules {

struct WorkTimeValues {
    int switchOn = 0; // 0 off; anything else is checked
    int startHour = 0;
    int startMinute = 0;
    int stopHour = 0;
    int stopMinute = 0;
    bool anyDay = false; // a day box (or the all-days box) is checked
};

// Schedule `slot`, unless switched off, must not start and stop at the same
// time (00:00 to 00:00 excepted) and must have a day.
Failure checkWorkTime(std::size_t slot, const WorkTimeValues& schedule);

} // namespace halvorn::rules

#pragma once
// One weekly work-time schedule of the camera: its working values, the rules
// between its day flags and its six-byte entry in the record (the check made
// on confirming is the core's). Free of widgets so the rules can be tested on their own.

#include "profile/ProfileRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace halvorn::ui {

// Positions of the eight day flags.
namespace day {
constexpr int all = 0;
constexpr int sunday = 1;
constexpr int monday = 2;
constexpr int tuesday = 3;
constexpr int wednesday = 4;
constexpr int thursday = 5;
constexpr int friday = 6;
constexpr int saturday = 7;
constexpr int count = 8;
} // namespace day

struct WorkTimeSchedule {
    int switchOn = 0; // list position: 0 "Off", 1 "On", -1 nothing chosen
    int startHour = 0;
    int startMinute = 0;
    int stopHour = 0;
    int stopMinute = 0;
    std::array<int, day::count> days{}; // 0 or 1; [0] is the all-days box

    bool operator==(const WorkTimeSchedule&) const = default;
};

using WorkTimeEntry = std::array<std::uint8_t, rec::workTimeSize>;

// The working values of a stored entry. Bit 7 of the mask is ignored: the
// switch comes from its own byte. The all-days flag is set when all seven days are.
WorkTimeSchedule unpackWorkTime(const WorkTimeEntry& entry);
// The entry to store: the low byte of each value; the mask carries the low
// bit of the switch in bit 7 and Sunday (bit 6) to Saturday (bit 0).
WorkTimeEntry packWorkTime(const WorkTimeSchedule& schedule);

// Schedule n (0 to 3) of the record.
WorkTimeSchedule loadWorkTime(const ProfileRecord& record, std::size_t n);
void storeWorkTime(ProfileRecord& record, std::size_t n, const WorkTimeSchedule& schedule);

// The day flags follow a click on box d (day::all to day::saturday).
void applyDayBox(WorkTimeSchedule& schedule, int box, bool checked);

// Switched off, 00:00 to 00:00, every box checked.
WorkTimeSchedule defaultWorkTime();

// Whether the times and day boxes of the schedule can be edited.
inline bool workTimeEditable(const WorkTimeSchedule& schedule) { return schedule.switchOn == 1; }

} // namespace halvorn::ui

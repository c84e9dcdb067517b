#include "ui/dialogs/WorkTimeSchedule.h"

#include <algorithm>

namespace halvorn::ui {

namespace {
// Mask bit of each day flag: Sunday bit 6 down to Saturday bit 0.
constexpr int maskBit(int d) { return day::saturday - d; }

bool allSevenDays(const WorkTimeSchedule& s) {
    return std::all_of(s.days.begin() + 1, s.days.end(), [](int f) { return f != 0; });
}
} // namespace

WorkTimeSchedule unpackWorkTime(const WorkTimeEntry& entry) {
    WorkTimeSchedule s;
    s.switchOn = entry[rec::wt::switchOn];
    s.startHour = entry[rec::wt::startHour];
    s.startMinute = entry[rec::wt::startMinute];
    s.stopHour = entry[rec::wt::stopHour];
    s.stopMinute = entry[rec::wt::stopMinute];
    const int mask = entry[rec::wt::weekMask];
    for (int d = day::sunday; d <= day::saturday; ++d)
        s.days[static_cast<std::size_t>(d)] = (mask >> maskBit(d)) & 1;
    s.days[day::all] = allSevenDays(s) ? 1 : 0;
    return s;
}

WorkTimeEntry packWorkTime(const WorkTimeSchedule& s) {
    WorkTimeEntry e{};
    e[rec::wt::switchOn] = lowByte(s.switchOn);
    e[rec::wt::startHour] = lowByte(s.startHour);
    e[rec::wt::startMinute] = lowByte(s.startMinute);
    e[rec::wt::stopHour] = lowByte(s.stopHour);
    e[rec::wt::stopMinute] = lowByte(s.stopMinute);
    unsigned mask = (e[rec::wt::switchOn] & 1u) << 7;
    for (int d = day::sunday; d <= day::saturday; ++d)
        if (s.days[static_cast<std::size_t>(d)] != 0) mask |= 1u << maskBit(d);
    e[rec::wt::weekMask] = static_cast<std::uint8_t>(mask);
    return e;
}

WorkTimeSchedule loadWorkTime(const ProfileRecord& record, std::size_t n) {
    WorkTimeEntry e{};
    const auto area = record.area(rec::workTimeAt(n), rec::workTimeSize);
    std::copy(area.begin(), area.end(), e.begin());
    return unpackWorkTime(e);
}

void storeWorkTime(ProfileRecord& record, std::size_t n, const WorkTimeSchedule& schedule) {
    const WorkTimeEntry e = packWorkTime(schedule);
    std::copy(e.begin(), e.end(), record.area(rec::workTimeAt(n), rec::workTimeSize).begin());
}

void applyDayBox(WorkTimeSchedule& s, int box, bool checked) {
    if (box < day::all || box > day::saturday) return;
    s.days[static_cast<std::size_t>(box)] = checked ? 1 : 0;
    if (!checked) {
        // Unchecking the all-days box leaves the seven days as they are.
        s.days[day::all] = 0;
    } else if (box == day::all) {
        s.days.fill(1);
    } else if (allSevenDays(s)) {
        s.days[day::all] = 1;
    }
}

WorkTimeSchedule defaultWorkTime() {
    WorkTimeSchedule s;
    s.days.fill(1);
    return s;
}

} // namespace halvorn::ui

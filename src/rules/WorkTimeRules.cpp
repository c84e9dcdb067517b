#include "rules/WorkTimeRules.h"

namespace halvorn::rules {

Failure checkWorkTime(std::size_t slot, const WorkTimeValues& s) {
    if (s.switchOn == 0) return kPass;
    const bool sameTime = s.startHour == s.stopHour && s.startMinute == s.stopMinute;
    const bool allZero = s.startHour == 0 && s.startMinute == 0 && s.stopHour == 0 && s.stopMinute == 0;
    if (sameTime && !allZero) return {Rule::WorkTimeStartStop, slot};
    if (!s.anyDay) return {Rule::WorkTimeNoDay, slot};
    return kPass;
}

} // namespace halvorn::rules

#pragma once
// Every confirm's rules over a stored record, as the windows would meet its
// values: the main window's "OK", the camera dialog's schedules and the mail
// account dialog's texts.

#include "catalog/Views.h"
#include "codec/TextCodec.h"
#include "profile/ProfileRecord.h"
#include "rules/Failure.h"

#include <cstddef>
#include <vector>

namespace halvorn::rules {

struct Finding {
    Failure failure;
    std::size_t offset = 0; // the record offset of the field at fault
    bool warning = false;   // a value the windows take but their typing cannot produce
};

// Each failure once, in the windows' order; `presets` places the stored preset index.
std::vector<Finding> checkRecord(const ProfileRecord& record, const TextCodec& codec, const MailPresetView& presets);

} // namespace halvorn::rules

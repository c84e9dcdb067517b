#pragma once
// The built-in default entries and the defaults routine.

#include "profile/ProfileRecord.h"

#include <string_view>

namespace halvorn {

// The version text the record and the frame's caption carry.
constexpr std::u16string_view kVersionText = u"V4.56J";

// Writes exactly the default bytes (version mark "V", 0; profile kind 1; the
// camera block; the sending block; the two default entries; zeroed recipients)
// and nothing else: bytes 2-15, 18-19, 60-71 and 88-89 keep their values.
void applyProfileDefaults(ProfileRecord& record);

// "SORACOM(docomo)" with its data-connection settings; first "Japan" operator.
const OperatorEntry& defaultOperatorEntry();
// The built-in relay account; row 0 of the mail presets.
const MailServerEntry& defaultMailEntry();

} // namespace halvorn

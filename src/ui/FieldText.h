#pragma once
// Texts of record fields in the windows: a field's text for a control, and
// the message that refuses a typed text the field cannot hold.

#include "codec/TextCodec.h"
#include "profile/ProfileRecord.h"
#include "profile/ProfileText.h"

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace halvorn::ui {

// The text up to the first zero byte of the area, converted from the code page.
QString fieldText(std::span<const std::uint8_t> area, const TextCodec& codec);

template <std::size_t N>
QString fieldText(const std::array<std::uint8_t, N>& entry, Field field, const TextCodec& codec) {
    return fieldText(fieldOf(entry, field), codec);
}

// "<label>に使用できない文字が含まれています" or "<label>が長すぎます"; empty for a stored text.
QString refusalText(TextStatus status, const QString& label);

} // namespace halvorn::ui

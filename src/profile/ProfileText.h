#pragma once
// Storing and loading the zero-terminated 8-bit texts of records and entries.

#include "codec/TextCodec.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace halvorn {

enum class TextStatus {
    Stored,          // converted bytes and a zero byte are in the area
    Unrepresentable, // the code page cannot represent a character; area untouched
    TooLong,         // bytes plus terminator do not fit the area; area untouched
};

// Checks whether the text can be stored in an area of `width` bytes.
TextStatus checkText(std::size_t width, std::u16string_view text, const TextCodec& codec);

// Converts the text and copies its bytes and one zero byte, verbatim, to the
// start of the area. The rest of the area is left as it is. Refuses (and writes
// nothing) when the text cannot be represented or does not fit with its terminator.
TextStatus storeText(std::span<std::uint8_t> area, std::u16string_view text, const TextCodec& codec);

// For derived texts: stores as many whole characters as fit with the terminator,
// and leaves out characters the code page cannot represent.
void storeTextCut(std::span<std::uint8_t> area, std::u16string_view text, const TextCodec& codec);

// Reads the bytes up to the first zero byte (or the end of the area) as text.
std::u16string loadText(std::span<const std::uint8_t> area, const TextCodec& codec);

// For built-in data, already 8-bit: copies the bytes to the start of the area,
// at most as many as leave room for the terminator. The rest is left as it is.
void putBuiltInText(std::span<std::uint8_t> area, std::string_view bytes);

} // namespace halvorn

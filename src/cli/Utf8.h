#pragma once
// UTF-8, the command line's text: to and from the record's wide texts, and
// escaped for a terminal.

#include <optional>
#include <string>
#include <string_view>

namespace halvorn::cli {

// A lone surrogate comes out as U+FFFD.
std::string utf8Of(std::u16string_view text);

// Nothing when the bytes are not well-formed UTF-8.
std::optional<std::u16string> utf16Of(std::string_view utf8);

// The control characters (C0, DEL, C1) as \xNN or \uNNNN, a byte that is not
// UTF-8 as \xNN and the backslash doubled, so that no text from a file or an
// argument acts on the terminal. Line breaks are kept when `lines` is set.
std::string escaped(std::string_view utf8, bool lines = false);

} // namespace halvorn::cli

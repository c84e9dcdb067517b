#pragma once
// Rules over the texts that travel in mail commands.

#include <string_view>

namespace halvorn::rules {

// A sender address, an account or a recipient goes into an SMTP command
// between "<" and ">". It may hold no control character (below 0x20), no DEL
// and neither "<" nor ">": any of them would let the rest of the text be read
// by the server as a command of its own. Checked on the typed text and on the
// 8-bit text of a record (no multi-byte code page uses these bytes inside a
// character).
bool fitsMailCommand(std::u16string_view text);
bool fitsMailCommand(std::string_view bytes);

} // namespace halvorn::rules

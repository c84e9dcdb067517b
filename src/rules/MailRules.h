#pragma once
// Rules over the texts that travel in mail commands.

#include "rules/Failure.h"

#include <optional>
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

// The checks of the mail account dialog's "OK", in its order; between the
// first and the second the dialog converts the server and port to the code page.
// An own server needs its name and port,
Failure checkServerGiven(std::u16string_view server, std::u16string_view port);
// a port of 0 to 65535 and an encryption chosen (-1: none).
Failure checkPortAndEncryption(std::u16string_view port, int encryption);
// Every account but the relay needs its address, account and password, and
// the address an "@"; the address and the account go into mail commands.
Failure checkSender(bool relay, std::u16string_view address, std::u16string_view account, std::u16string_view password);

// The port as the camera reads it: leading blanks, an optional sign, then
// decimal digits up to the first other character. Nothing when no digit
// follows the sign, or when the number lies outside 0 to 65535.
std::optional<int> readPort(std::u16string_view text);

} // namespace halvorn::rules

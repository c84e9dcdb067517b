#pragma once
// The test mail as it goes onto the wire, and what of a server's words may be shown.

#include "mail/MailExchange.h"

#include <ctime>
#include <string>
#include <string_view>

namespace halvorn::mail {

// The whole message: Message-ID (unique@the sender's domain), Date, From, To,
// the subject as RFC 2047 words, the body in base64; CRLF lines, none longer
// than 78 bytes.
std::string composeMessage(const MailRequest& request, std::time_t now, std::string_view unique);

// The EHLO name: an address literal of this end of the connection
// ("[192.0.2.1]", "[IPv6:2001:db8::1]"), never the bare host name.
std::string addressLiteral(const void* address);

// The text with the account and the password removed in every form this
// client sends them (as they are; base64 of each, as AUTH LOGIN sends them;
// base64 of "\0account\0password", as AUTH PLAIN does), in any case, and
// with control characters other than line ends turned into spaces.
std::string withoutSecrets(std::string text, std::string_view account, std::string_view password);

// A host name or an IP address, nothing that could change the URL or the commands.
bool isServerName(std::string_view server);

} // namespace halvorn::mail

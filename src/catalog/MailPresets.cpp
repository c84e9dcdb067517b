#include "catalog/MailPresets.h"

#include "BuildSettings.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileText.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace halvorn {

namespace {

constexpr std::uint8_t kNone = mail::secureTypeBase | 0;
constexpr std::uint8_t kSslTls = mail::secureTypeBase | 1;
constexpr std::uint8_t kStartTls = mail::secureTypeBase | 2;

// The fixed accounts must fit their fields with the terminator; a build with
// longer values does not compile.
static_assert(std::string_view(build::preset10Address).size() < mail::senderAddress.width);
static_assert(std::string_view(build::preset10Password).size() < mail::password.width);
static_assert(std::string_view(build::preset11Address).size() < mail::senderAddress.width);
static_assert(std::string_view(build::preset11Password).size() < mail::password.width);

void putText(MailServerEntry& entry, Field f, std::string_view text, const char* what) {
    if (text.size() >= f.width || text.find('\0') != std::string_view::npos)
        throw std::length_error(std::string("mail entry text does not fit its field: ") + what);
    putBuiltInText(fieldOf(entry, f), text);
}

SmsGatewayEntry makeGateway(std::string_view suffix, std::string_view carrier) {
    SmsGatewayEntry row{};
    putBuiltInText(fieldOf(row, gatewaySuffix), suffix);
    putBuiltInText(fieldOf(row, carrierName), carrier);
    return row;
}

// Length of the text at the start of a field, up to its first zero byte.
std::size_t textLength(const std::uint8_t* begin, std::size_t width) {
    return static_cast<std::size_t>(std::find(begin, begin + width, std::uint8_t{0}) - begin);
}

} // namespace

MailServerEntry makeMailEntry(std::string_view server, std::string_view port, std::uint8_t secureType,
                              std::string_view account, std::string_view password, std::string_view senderAddress) {
    MailServerEntry e{};
    putText(e, mail::smtpServer, server, "server");
    putText(e, mail::smtpPort, port, "port");
    e[mail::secureType] = secureType;
    e[mail::reserved71] = 0;
    putText(e, mail::account, account, "account");
    putText(e, mail::password, password, "password");
    putText(e, mail::senderAddress, senderAddress, "sender address");
    // The sender name is derived: the address before its first "@", empty
    // without one, cut to what the field holds.
    const std::size_t at = senderAddress.find('@');
    if (at != std::string_view::npos) putBuiltInText(fieldOf(e, mail::senderName), senderAddress.substr(0, at));
    return e;
}

MailPresets::MailPresets()
    : rows_{
          defaultMailEntry(),
          makeMailEntry("smtp.gmail.com", "465", kSslTls, "", "", ""),
          makeMailEntry("smtp.live.com", "25", kStartTls, "", "", ""),
          makeMailEntry("smtp.mail.yahoo.com", "465", kSslTls, "", "", ""),
          makeMailEntry("smtp.1und1.de", "465", kSslTls, "", "", ""),
          makeMailEntry("mail.o2online.de", "465", kSslTls, "", "", ""),
          // Revierwelt's host is not built in; the user types it.
          makeMailEntry("", "5025", kNone, "", "", ""),
          makeMailEntry("smtp.vodafonemail.de", "465", kSslTls, "", "", ""),
          makeMailEntry("mail.gmx.net", "587", kStartTls, "", "", ""),
          makeMailEntry("", "", kNone, "", "", ""),
          makeMailEntry("smtp.gmail.com", "465", kSslTls, build::preset10Address, build::preset10Password,
                        build::preset10Address),
          makeMailEntry("mail.kolumbus.fi", "465", kSslTls, build::preset11Address, build::preset11Password,
                        build::preset11Address),
      } {}

const std::array<SmsGatewayEntry, kSmsGatewayRows>& smsGateways() {
    static const std::array<SmsGatewayEntry, kSmsGatewayRows> rows{
        makeGateway("A@mms.att.net", "AT&T"),     makeGateway("S@pm.sprint.com", "Sprint"),
        makeGateway("T@tmomail.net", "T-mobile"), makeGateway("U@mms.uscc.net", "US Cellular"),
        makeGateway("V@vzwpix.com", "Verizon"),
        // rows 5 to 9 unused, all zero
    };
    return rows;
}

bool isValidGateway(const SmsGatewayEntry& row) {
    return row[gatewaySuffix.offset] != 0 && row[gatewaySuffix.offset + 1] == '@' && row[carrierName.offset] != 0;
}

std::vector<std::string_view> carrierList() {
    std::vector<std::string_view> names;
    for (const SmsGatewayEntry& row : smsGateways()) {
        if (!isValidGateway(row)) continue;
        const auto* begin = row.data() + carrierName.offset;
        names.emplace_back(reinterpret_cast<const char*>(begin), textLength(begin, carrierName.width));
    }
    return names;
}

} // namespace halvorn

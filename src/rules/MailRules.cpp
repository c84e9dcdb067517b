#include "rules/MailRules.h"

#include <algorithm>

namespace halvorn::rules {

namespace {
template <typename Char> bool fits(std::basic_string_view<Char> text) {
    return std::ranges::none_of(text, [](Char c) {
        const auto u = static_cast<unsigned>(static_cast<std::make_unsigned_t<Char>>(c));
        return u < 0x20 || u == 0x7F || u == '<' || u == '>';
    });
}
} // namespace

bool fitsMailCommand(std::u16string_view text) { return fits(text); }
bool fitsMailCommand(std::string_view bytes) { return fits(bytes); }

Failure checkServerGiven(std::u16string_view server, std::u16string_view port) {
    if (server.empty()) return {Rule::ServerMissing};
    if (port.empty()) return {Rule::PortMissing};
    return kPass;
}

Failure checkPortAndEncryption(std::u16string_view port, int encryption) {
    if (!readPort(port)) return {Rule::PortRange, 0, 65535};
    if (encryption < 0) return {Rule::EncryptionMissing};
    return kPass;
}

Failure checkSender(bool relay, std::u16string_view address, std::u16string_view account,
                    std::u16string_view password) {
    if (!relay) {
        if (account.empty() || address.empty() || password.empty()) return {Rule::AccountMissing};
        if (address.find(u'@') == std::u16string_view::npos) return {Rule::AddressNoAt};
    }
    if (!fitsMailCommand(address)) return {Rule::SenderUnfit};
    if (!fitsMailCommand(account)) return {Rule::AccountUnfit};
    return kPass;
}

std::optional<int> readPort(std::u16string_view text) {
    const auto blank = [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    std::size_t i = 0;
    while (i < text.size() && blank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i >= text.size() || text[i] < u'0' || text[i] > u'9') return std::nullopt;
    long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > 65535) return std::nullopt;
    }
    if (negative && value != 0) return std::nullopt;
    return static_cast<int>(value);
}

} // namespace halvorn::rules

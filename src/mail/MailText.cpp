#include "mail/MailText.h"

#include <algorithm>
#include <array>
#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

namespace halvorn::mail {

namespace {

// RFC 2047 words of at most 39 bytes of UTF-8 each (64 characters encoded), cut between characters.
std::string encodedWords(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        std::size_t n = std::min<std::size_t>(text.size(), 39);
        while (n < text.size() && n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
        if (!out.empty()) out += "\r\n ";
        out += "=?UTF-8?B?" + base64(text.substr(0, n)) + "?=";
        text.remove_prefix(n);
    }
    return out;
}

std::string lower(std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return out;
}

} // namespace

std::string composeMessage(const MailRequest& r, std::time_t now, std::string_view unique) {
    const auto at = r.sender.rfind('@');
    const std::string domain =
        at == std::string::npos || at + 1 == r.sender.size() ? "localhost" : r.sender.substr(at + 1);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now); // the universal C runtime's %z below is the offset, as RFC 5322 wants
#else
    localtime_r(&now, &local);
#endif
    std::array<char, 64> date{};
    std::strftime(date.data(), date.size(), "%a, %d %b %Y %H:%M:%S %z", &local);

    std::string m;
    m += "Message-ID: <" + std::string(unique) + "@" + domain + ">\r\n";
    m += "Date: " + std::string(date.data()) + "\r\n";
    m += "From: <" + r.sender + ">\r\n";
    m += "To: <" + r.recipient + ">\r\n";
    m += "Subject: " + encodedWords(r.subject) + "\r\n";
    m += "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n";
    const std::string body = base64(r.body);
    for (std::size_t i = 0; i < body.size(); i += 76)
        m += body.substr(i, 76) + "\r\n";
    return m;
}

std::string addressLiteral(const void* address) {
    std::array<char, INET6_ADDRSTRLEN> text{};
    const auto* a = static_cast<const sockaddr*>(address);
    if (a->sa_family == AF_INET6) {
        const auto* six = static_cast<const sockaddr_in6*>(address);
        inet_ntop(AF_INET6, &six->sin6_addr, text.data(), text.size());
        return "[IPv6:" + std::string(text.data()) + "]";
    }
    const auto* four = static_cast<const sockaddr_in*>(address);
    inet_ntop(AF_INET, &four->sin_addr, text.data(), text.size());
    return "[" + std::string(text.data()) + "]";
}

std::string withoutSecrets(std::string text, std::string_view account, std::string_view password) {
    std::string plain;
    plain.append(1, '\0').append(account).append(1, '\0').append(password);
    std::vector<std::string> forms = {std::string(account), std::string(password), base64(account), base64(password),
                                      base64(plain)};
    std::ranges::sort(forms, [](const auto& a, const auto& b) { return a.size() > b.size(); });
    for (const std::string& form : forms) {
        if (form.empty()) continue;
        const std::string needle = lower(form);
        for (std::size_t at = lower(text).find(needle); at != std::string::npos; at = lower(text).find(needle, at + 4))
            text.replace(at, form.size(), "****");
    }
    std::ranges::replace_if(
        text, [](char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F; }, ' ');
    return text;
}

bool isServerName(std::string_view s) {
    if (s.empty() || s.size() > 253) return false;
    const bool ipv6 = s.find(':') != std::string_view::npos;
    return std::ranges::all_of(s, [ipv6](char c) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (ipv6) return hex || c == ':' || c == '.';
        return hex || (c >= 'g' && c <= 'z') || (c >= 'G' && c <= 'Z') || c == '.' || c == '-' || c == '_';
    });
}

} // namespace halvorn::mail

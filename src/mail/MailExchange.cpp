#include "mail/MailExchange.h"

#include <array>
#include <charconv>
#include <vector>

namespace halvorn::mail {

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<std::string_view, 3> kSecurity = {"plain", "tls", "starttls"};
constexpr std::array<std::string_view, 3> kStages = {"connecting", "authenticating", "sending"};
// By the order of Failure, up to Other: the window's own failures never travel.
constexpr std::array<std::string_view, 13> kFailures = {
    "none",         "server-not-found", "connection-refused", "timed-out",
    "tls-failed",   "untrusted",        "starttls-missing",   "starttls-required",
    "auth-refused", "sender-refused",   "rcpt-refused",       "refused",
    "other"};

template <std::size_t N>
std::optional<std::size_t> indexOf(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] == name) return i;
    return std::nullopt;
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    for (std::size_t at = 0; at <= line.size();) {
        const std::size_t end = std::min(line.find(' ', at), line.size());
        out.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

std::string optionalBase64(std::string_view text) { return text.empty() ? "-" : base64(text); }
std::optional<std::string> fromOptionalBase64(std::string_view text) {
    return text == "-" ? std::optional<std::string>("") : fromBase64(text);
}

} // namespace

std::string base64(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const auto at = [&](std::size_t k) { return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0U; };
        const unsigned v = at(i) << 16 | at(i + 1) << 8 | at(i + 2);
        out += kAlphabet[v >> 18 & 63];
        out += kAlphabet[v >> 12 & 63];
        out += i + 1 < bytes.size() ? kAlphabet[v >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? kAlphabet[v & 63] : '=';
    }
    return out;
}

std::optional<std::string> fromBase64(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 4) {
        unsigned v = 0;
        int pad = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            const auto pos = kAlphabet.find(c);
            // Padding only at the very end, and at most two.
            if (c == '=' && i + 4 == text.size() && k >= 2 && (k == 3 || text[i + 3] == '=')) {
                ++pad, v <<= 6;
                continue;
            }
            if (pos == std::string_view::npos || pad > 0) return std::nullopt;
            v = v << 6 | static_cast<unsigned>(pos);
        }
        out += static_cast<char>(v >> 16 & 0xFF);
        if (pad < 2) out += static_cast<char>(v >> 8 & 0xFF);
        if (pad < 1) out += static_cast<char>(v & 0xFF);
    }
    return out;
}

std::string encodeRequest(const MailRequest& r) {
    std::string out;
    const auto put = [&out](std::string_view name, std::string_view value) {
        out.append(name).append(" ").append(base64(value)).append("\n");
    };
    put("server", r.server);
    put("port", std::to_string(r.port));
    put("security", kSecurity[static_cast<std::size_t>(r.security)]);
    put("account", r.account);
    put("password", r.password);
    put("sender", r.sender);
    put("recipient", r.recipient);
    put("subject", r.subject);
    put("body", r.body);
    put("ca", r.caFile);
    return out + "end\n";
}

std::optional<MailRequest> decodeRequest(std::string_view text) {
    if (text.size() > kLongestRequest) return std::nullopt;
    MailRequest r;
    std::optional<std::size_t> security;
    bool ended = false, portSeen = false;
    for (std::size_t at = 0; at < text.size() && !ended;) {
        const std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (line == "end") {
            ended = true;
            continue;
        }
        const auto w = words(line);
        const auto value = w.size() == 2 ? fromBase64(w[1]) : std::nullopt;
        if (!value) return std::nullopt;
        const std::string_view name = w[0];
        if (name == "server")
            r.server = *value;
        else if (name == "account")
            r.account = *value;
        else if (name == "password")
            r.password = *value;
        else if (name == "sender")
            r.sender = *value;
        else if (name == "recipient")
            r.recipient = *value;
        else if (name == "subject")
            r.subject = *value;
        else if (name == "body")
            r.body = *value;
        else if (name == "ca")
            r.caFile = *value;
        else if (name == "security")
            security = indexOf(kSecurity, *value);
        else if (name == "port") {
            const auto [stop, error] = std::from_chars(value->data(), value->data() + value->size(), r.port);
            portSeen = error == std::errc() && stop == value->data() + value->size();
        } else
            return std::nullopt;
    }
    if (!ended || !security || !portSeen) return std::nullopt;
    r.security = static_cast<Security>(*security);
    return r;
}

std::string stageLine(Stage stage) { return "stage " + std::string(kStages[static_cast<std::size_t>(stage)]) + "\n"; }

std::string resultLine(const MailOutcome& o) {
    const auto index = static_cast<std::size_t>(o.failure);
    const std::string_view name = index < kFailures.size() ? kFailures[index] : "other";
    return "result " + std::string(name) + (o.authenticated ? " 1 " : " 0 ") + optionalBase64(o.reply) + " " +
           optionalBase64(o.detail) + "\n";
}

std::optional<AnswerLine> decodeAnswerLine(std::string_view line) {
    const auto w = words(line);
    if (w.size() == 2 && w[0] == "stage") {
        const auto stage = indexOf(kStages, w[1]);
        if (!stage) return std::nullopt;
        return AnswerLine{static_cast<Stage>(*stage), std::nullopt};
    }
    if (w.size() != 5 || w[0] != "result" || (w[2] != "0" && w[2] != "1")) return std::nullopt;
    const auto failure = indexOf(kFailures, w[1]);
    auto reply = fromOptionalBase64(w[3]), detail = fromOptionalBase64(w[4]);
    if (!failure || !reply || !detail) return std::nullopt;
    return AnswerLine{std::nullopt,
                      MailOutcome{static_cast<Failure>(*failure), w[2] == "1", std::move(*reply), std::move(*detail)}};
}

} // namespace halvorn::mail

#include "cli/Utf8.h"

#include <cstdio>

namespace halvorn::cli {

namespace {

void append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The character at `at` and its length in bytes; length 0 when the bytes there are not UTF-8.
std::pair<char32_t, std::size_t> decodeAt(std::string_view s, std::size_t at) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[at + i]); };
    const unsigned char lead = b(0);
    const std::size_t n = lead < 0x80           ? 1
                          : (lead >> 5) == 0x6  ? 2
                          : (lead >> 4) == 0xE  ? 3
                          : (lead >> 3) == 0x1E ? 4
                                                : 0;
    if (n == 0 || at + n > s.size()) return {0, 0};
    char32_t c = n == 1 ? lead : lead & (0x7F >> n);
    for (std::size_t i = 1; i < n; ++i) {
        if ((b(i) & 0xC0) != 0x80) return {0, 0};
        c = (c << 6) | (b(i) & 0x3F);
    }
    constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < least[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {0, 0}; // overlong or no character
    return {c, n};
}

} // namespace

std::string utf8Of(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        append(out, c);
    }
    return out;
}

std::optional<std::u16string> utf16Of(std::string_view utf8) {
    std::u16string out;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto [c, n] = decodeAt(utf8, at);
        if (n == 0) return std::nullopt;
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        at += n;
    }
    return out;
}

std::string escaped(std::string_view utf8, bool lines) {
    std::string out;
    char code[8];
    for (std::size_t at = 0; at < utf8.size();) {
        const auto [c, n] = decodeAt(utf8, at);
        if (n == 0 || c < 0x20 || c == 0x7F) {
            if (lines && c == '\n' && n == 1) {
                out += '\n';
            } else {
                std::snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned char>(utf8[at]));
                out += code;
            }
            at += n == 0 ? 1 : n;
            continue;
        }
        if (c >= 0x80 && c < 0xA0) {
            std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
            out += code;
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out.append(utf8.substr(at, n));
        }
        at += n;
    }
    return out;
}

} // namespace halvorn::cli

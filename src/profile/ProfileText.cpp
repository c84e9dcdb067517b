#include "profile/ProfileText.h"

#include <algorithm>
#include <optional>

namespace halvorn {

namespace {

struct Checked {
    TextStatus status;
    std::string bytes;
};

Checked convert(std::size_t width, std::u16string_view text, const TextCodec& codec) {
    // A zero character cannot live inside a zero-terminated field.
    if (text.find(u'\0') != std::u16string_view::npos) return {TextStatus::Unrepresentable, {}};
    auto bytes = codec.encode(text);
    if (!bytes || bytes->find('\0') != std::string::npos) return {TextStatus::Unrepresentable, {}};
    if (bytes->size() + 1 > width) return {TextStatus::TooLong, {}};
    return {TextStatus::Stored, std::move(*bytes)};
}

// Length of the character (one UTF-16 unit, or a surrogate pair) at `i`.
std::size_t charLength(std::u16string_view text, std::size_t i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
        const char16_t d = text[i + 1];
        if (d >= 0xDC00 && d <= 0xDFFF) return 2;
    }
    return 1;
}

} // namespace

TextStatus checkText(std::size_t width, std::u16string_view text, const TextCodec& codec) {
    return convert(width, text, codec).status;
}

TextStatus storeText(std::span<std::uint8_t> area, std::u16string_view text, const TextCodec& codec) {
    auto checked = convert(area.size(), text, codec);
    if (checked.status != TextStatus::Stored) return checked.status;
    std::copy(checked.bytes.begin(), checked.bytes.end(), area.begin());
    area[checked.bytes.size()] = 0;
    return TextStatus::Stored;
}

void storeTextCut(std::span<std::uint8_t> area, std::u16string_view text, const TextCodec& codec) {
    if (area.empty()) return;
    // Convert character by character (the code pages are stateless), so the
    // cut always falls between whole characters.
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = charLength(text, i);
        const auto piece = text.substr(i, n);
        i += n;
        if (piece[0] == u'\0') continue;
        const auto bytes = codec.encode(piece);
        if (!bytes || bytes->empty() || bytes->find('\0') != std::string::npos) continue;
        if (out.size() + bytes->size() + 1 > area.size()) break;
        out += *bytes;
    }
    std::copy(out.begin(), out.end(), area.begin());
    area[out.size()] = 0;
}

std::u16string loadText(std::span<const std::uint8_t> area, const TextCodec& codec) {
    const auto end = std::find(area.begin(), area.end(), std::uint8_t{0});
    std::string bytes(area.begin(), end);
    if (bytes.empty()) return {};
    return codec.decode(bytes);
}

void putBuiltInText(std::span<std::uint8_t> area, std::string_view bytes) {
    if (area.empty()) return;
    std::copy_n(bytes.begin(), std::min(bytes.size(), area.size() - 1), area.begin());
}

} // namespace halvorn

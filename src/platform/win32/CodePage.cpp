// The code page on Windows: the system's ANSI code page, converted by the
// system. Encoding takes no best-fit substitutes and only a text that reads
// back unchanged; decoding replaces each byte sequence without a mapping.
#include "platform/CodePage.h"

#include <windows.h>

namespace halvorn::platform {

namespace {

class SystemCodec final : public TextCodec {
public:
    explicit SystemCodec(UINT codePage) : codePage_(codePage) {}

    int codePage() const override { return static_cast<int>(codePage_); }

    std::optional<std::string> encode(std::u16string_view text) const override {
        if (text.empty()) return std::string{};
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
        const int length = static_cast<int>(text.size());
        BOOL substituted = FALSE;
        const int size =
            ::WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, nullptr, &substituted);
        if (size <= 0 || substituted) return std::nullopt;
        std::string bytes(static_cast<std::size_t>(size), '\0');
        ::WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), size, nullptr, &substituted);
        if (substituted || decode(bytes) != text) return std::nullopt;
        return bytes;
    }

    std::u16string decode(std::string_view bytes) const override {
        std::u16string text;
        for (std::size_t at = 0; at < bytes.size();) {
            const auto lead = static_cast<BYTE>(bytes[at]);
            const std::size_t n = ::IsDBCSLeadByteEx(codePage_, lead) && at + 1 < bytes.size() ? 2 : 1;
            wchar_t wide[2] = {};
            const int got =
                ::MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, bytes.data() + at, static_cast<int>(n), wide, 2);
            if (got <= 0) {
                text += u'\uFFFD'; // no mapping: one byte replaced, the next read afresh
                ++at;
                continue;
            }
            text.append(reinterpret_cast<const char16_t*>(wide), static_cast<std::size_t>(got));
            at += n;
        }
        return text;
    }

private:
    UINT codePage_;
};

} // namespace

int systemCodePage() { return static_cast<int>(::GetACP()); }

std::unique_ptr<TextCodec> makeCodec(int codePage) {
    if (codePage <= 0 || codePage == CP_UTF8 || !::IsValidCodePage(static_cast<UINT>(codePage))) return nullptr;
    return std::make_unique<SystemCodec>(static_cast<UINT>(codePage));
}

} // namespace halvorn::platform

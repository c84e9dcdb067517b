#include "platform/CodePage.h"

#include <unicode/ucnv.h>

#include <cstdlib>
#include <string>

namespace halvorn::platform {

namespace {

// The names ICU knows the Windows code pages by.
const char* converterName(int codePage) {
    switch (codePage) {
    case 874:
        return "windows-874";
    case 932:
        return "windows-31j"; // Shift_JIS with the Microsoft extensions, as Windows uses it
    case 936:
        return "windows-936"; // GBK
    case 949:
        return "windows-949";
    case 950:
        return "windows-950";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1252:
        return "windows-1252";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    default:
        return nullptr;
    }
}

struct CloseConverter {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, CloseConverter>;

// A converter of its own for each call: a converter keeps state between calls and is not to be shared
// between threads; opening one that was opened before costs little (ICU keeps its tables).
Converter openConverter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(name, &status));
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

class IcuCodec final : public TextCodec {
public:
    IcuCodec(int codePage, const char* name) : codePage_(codePage), name_(name) {}

    int codePage() const override { return codePage_; }

    std::optional<std::string> encode(std::u16string_view text) const override {
        if (text.empty()) return std::string{};
        // A character without a mapping stops the conversion. Some tables map a
        // character one way only, so only a text that reads back unchanged counts
        // as represented.
        const Converter converter = openConverter(name_);
        if (!converter) return std::nullopt;
        UErrorCode status = U_ZERO_ERROR;
        ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        std::string bytes(text.size() * static_cast<std::size_t>(ucnv_getMaxCharSize(converter.get())), '\0');
        const int32_t length = ucnv_fromUChars(converter.get(), bytes.data(), static_cast<int32_t>(bytes.size()),
                                               text.data(), static_cast<int32_t>(text.size()), &status);
        if (U_FAILURE(status)) return std::nullopt;
        bytes.resize(static_cast<std::size_t>(length));
        if (decode(bytes) != text) return std::nullopt;
        return bytes;
    }

    std::u16string decode(std::string_view bytes) const override {
        // A byte without a mapping, and a double-byte character cut off at the
        // end, come out as replacement characters.
        if (bytes.empty()) return {};
        const Converter converter = openConverter(name_);
        if (!converter) return {};
        std::u16string text(2 * bytes.size(), u'\0'); // a byte gives at most two units
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length = ucnv_toUChars(converter.get(), text.data(), static_cast<int32_t>(text.size()),
                                             bytes.data(), static_cast<int32_t>(bytes.size()), &status);
        text.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
        return text;
    }

private:
    int codePage_;
    const char* name_;
};

} // namespace

int systemCodePage() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return codePageForLocale(value);
    }
    return codePageForLocale("C");
}

std::unique_ptr<TextCodec> makeCodec(int codePage) {
    const char* name = converterName(codePage);
    if (name == nullptr) return nullptr;
    if (!openConverter(name)) return nullptr;
    return std::make_unique<IcuCodec>(codePage, name);
}

} // namespace halvorn::platform

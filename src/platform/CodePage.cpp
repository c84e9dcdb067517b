#include "platform/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdlib>
#include <string>

namespace halvorn::platform {

namespace {

// The converter names of the toolkit (ICU) for the Windows code pages.
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

class QtCodec final : public TextCodec {
public:
    QtCodec(int codePage, const char* name) : codePage_(codePage), name_(name) {}

    int codePage() const override { return codePage_; }

    std::optional<std::string> encode(std::u16string_view text) const override {
        if (text.empty()) return std::string{};
        QStringEncoder encoder(name_);
        const QStringView view(text.data(), static_cast<qsizetype>(text.size()));
        const QByteArray bytes = encoder.encode(view);
        if (encoder.hasError()) return std::nullopt;
        // Some converters substitute a character silently: only a text that
        // reads back unchanged counts as represented.
        QStringDecoder decoder(name_);
        const QString back = decoder.decode(bytes);
        if (decoder.hasError() || QStringView(back) != view) return std::nullopt;
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }

    std::u16string decode(std::string_view bytes) const override {
        // A line feed after the bytes makes a cut-off double-byte character at
        // the end come out as a replacement character instead of being held
        // back as incomplete; the line feed itself is removed again.
        std::string padded(bytes);
        padded += '\n';
        QStringDecoder decoder(name_);
        QString text = decoder.decode(QByteArrayView(padded.data(), static_cast<qsizetype>(padded.size())));
        if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
        return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
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
    if (!QStringEncoder(name).isValid() || !QStringDecoder(name).isValid()) return nullptr;
    return std::make_unique<QtCodec>(codePage, name);
}

} // namespace halvorn::platform

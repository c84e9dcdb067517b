#include "platform/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string>

namespace halvorn::platform {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool oneOf(const std::string& value, std::initializer_list<std::string_view> set) {
    return std::find(set.begin(), set.end(), value) != set.end();
}

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

// Makes the codec of makeRunCodec on its first use and passes everything on to it.
class FirstUseCodec final : public TextCodec {
public:
    explicit FirstUseCodec(int codePage) : wanted_(codePage) {}

    int codePage() const override { return codec().codePage(); }
    std::optional<std::string> encode(std::u16string_view text) const override { return codec().encode(text); }
    std::u16string decode(std::string_view bytes) const override { return codec().decode(bytes); }

private:
    const TextCodec& codec() const {
        if (!codec_) codec_ = makeCodec(wanted_);
        if (!codec_) codec_ = makeCodec(1252);
        if (!codec_) std::abort(); // a toolkit without converters: no text could be read or written
        return *codec_;
    }

    int wanted_;
    mutable std::unique_ptr<TextCodec> codec_;
};

} // namespace

int codePageForLocale(std::string_view localeName) {
    // language[_territory][.codeset][@modifier]
    std::string_view modifier;
    if (const auto at = localeName.find('@'); at != std::string_view::npos) {
        modifier = localeName.substr(at + 1);
        localeName = localeName.substr(0, at);
    }
    if (const auto dot = localeName.find('.'); dot != std::string_view::npos) localeName = localeName.substr(0, dot);
    std::string_view territoryView;
    std::string_view languageView = localeName;
    if (const auto us = localeName.find_first_of("_-"); us != std::string_view::npos) {
        languageView = localeName.substr(0, us);
        territoryView = localeName.substr(us + 1);
    }
    const std::string language = lower(languageView);
    const std::string territory = lower(territoryView);
    const bool latinScript = lower(modifier) == "latin";

    if (language == "ja") return 932;
    if (language == "zh") return oneOf(territory, {"tw", "hk", "mo"}) ? 950 : 936;
    if (language == "ko") return 949;
    if (language == "sr") return latinScript ? 1250 : 1251;
    if (oneOf(language, {"ru", "uk", "be", "bg", "mk", "kk", "ky", "tt", "mn", "ba"})) return 1251;
    if (oneOf(language, {"pl", "cs", "sk", "hu", "sl", "hr", "ro", "bs", "sq"})) return 1250;
    if (language == "el") return 1253;
    if (oneOf(language, {"tr", "az", "uz"})) return 1254;
    if (oneOf(language, {"he", "iw", "yi"})) return 1255;
    if (oneOf(language, {"ar", "fa", "ur"})) return 1256;
    if (oneOf(language, {"lt", "lv", "et"})) return 1257;
    if (language == "vi") return 1258;
    if (language == "th") return 874;
    return 1252;
}

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

std::unique_ptr<TextCodec> makeRunCodec(int codePage) { return std::make_unique<FirstUseCodec>(codePage); }

} // namespace halvorn::platform

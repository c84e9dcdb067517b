// What both platforms share of the code page: the one a Windows program would run with, from a
// POSIX locale name, and the run's codec made on its first use.
#include "platform/CodePage.h"

#include <algorithm>
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
        if (!codec_) std::abort(); // no converters at all: no text could be read or written
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

std::unique_ptr<TextCodec> makeRunCodec(int codePage) { return std::make_unique<FirstUseCodec>(codePage); }

} // namespace halvorn::platform

#include "platform/CodePage.h"
#include <gtest/gtest.h>
#include <tuple>

using namespace halvorn;
using namespace halvorn::platform;

TEST(CodePage, OfTheLocale) {
    // clang-format off
    const std::pair<const char*, int> rows[] = {
        {"ja_JP.UTF-8", 932}, {"JA", 932}, {"jp_JP", 1252}, {"zh_CN", 936}, {"zh_SG", 936}, {"zh_TW.Big5", 950},
        {"zh_HK", 950}, {"ko_KR", 949}, {"ru_RU", 1251}, {"sr_RS", 1251}, {"sr_RS@latin", 1250}, {"pl_PL", 1250},
        {"el_GR", 1253}, {"tr_TR", 1254}, {"he_IL", 1255}, {"ar_EG", 1256}, {"lt_LT", 1257}, {"vi_VN", 1258},
        {"th_TH", 874}, {"C", 1252}, {"POSIX", 1252}, {"", 1252}, {"de_DE.UTF-8@euro", 1252}};
    // clang-format on
    for (const auto& [locale, codePage] : rows)
        EXPECT_EQ(codePageForLocale(locale), codePage) << locale;
}
// Conversions both ways and refusals; a code page without a codec runs with 1252.
TEST(CodePage, ConversionsBothWays) {
    const std::optional<std::string> none; // the code page cannot represent the text
    // clang-format off
    const std::tuple<int, std::u16string, std::optional<std::string>> rows[] = {
        {936, u"手動設定 2", "\xCA\xD6\x84\xD3\xD4\x4F\xB6\xA8 2"}, {932, u"カメラ", "\x83\x4A\x83\x81\x83\x89"},
        {932, u"ｶﾒﾗ～①", "\xB6\xD2\xD7\x81\x60\x87\x40"}, {1252, u"€é", "\x80\xE9"}, {1252, u"ab手", none},
        {932, u"カ\U0001F4F7", none}, {932, u"€", none}};
    // clang-format on
    for (const auto& [codePage, text, bytes] : rows) {
        EXPECT_EQ(makeCodec(codePage)->encode(text), bytes) << codePage;
        if (!bytes) continue;
        EXPECT_EQ(makeCodec(codePage)->decode(*bytes), text) << codePage;
    }
    for (const int codePage : {874, 949, 950, 1250, 1251, 1253, 1254, 1255, 1256, 1257, 1258})
        EXPECT_EQ(makeCodec(codePage)->encode(u"AZ09@.%"), "AZ09@.%") << codePage;
    EXPECT_EQ(std::pair(makeCodec(999) == nullptr, makeRunCodec(999)->encode(u"€é")),
              std::pair(true, std::optional<std::string>("\x80\xE9")));
}

#include "platform/CodePage.h"
#include "profile/ProfileText.h"
#include "support/FileHelpers.h"
#include <gtest/gtest.h>
#include <tuple>

using namespace halvorn;
using namespace halvorn::platform;
using enum TextStatus;
using Bytes = std::vector<std::uint8_t>;

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
    EXPECT_EQ(std::pair(makeCodec(437) == nullptr, makeRunCodec(437)->encode(u"€é")),
              std::pair(true, std::optional<std::string>("\x80\xE9")));
}
// A text is stored with one terminator when its bytes fit the area with it; the rest of the area stays.
TEST(ProfileText, StoreAtTheFieldsWidth) {
    const auto latin = makeCodec(1252), sjis = makeCodec(932);
    const Bytes untouched;
    // clang-format off
    const std::tuple<const TextCodec&, std::size_t, std::u16string, TextStatus, Bytes> rows[] = {
        {*latin, 8, u"a%1%d", Stored, {'a', '%', '1', '%', 'd', 0, 0xAA, 0xAA}}, {*latin, 6, u"123456", TooLong, untouched},
        {*latin, 6, u"12345", Stored, {'1', '2', '3', '4', '5', 0}}, {*sjis, 6, u"カメラ", TooLong, untouched},
        {*sjis, 7, u"カメラ", Stored, {0x83, 0x4A, 0x83, 0x81, 0x83, 0x89, 0}}, {*sjis, 0, u"", TooLong, untouched},
        {*sjis, 3, u"", Stored, {0, 0xAA, 0xAA}}, {*latin, 8, std::u16string(u"a\0b", 3), Unrepresentable, untouched},
        {*latin, 2, u"手動設定", Unrepresentable, untouched}}; // the real cause, not the length
    // clang-format on
    for (const auto& [codec, width, text, status, stored] : rows) {
        Bytes area(width, 0xAA);
        EXPECT_EQ(checkText(width, text, codec), status) << width;
        EXPECT_EQ(storeText(area, text, codec), status) << width;
        EXPECT_EQ(area, stored.empty() ? Bytes(width, 0xAA) : stored) << width;
        if (status != Stored) continue;
        EXPECT_EQ(loadText(area, codec), text);
    }
}
// A derived text keeps the whole characters that fit with the terminator and leaves out the unrepresentable.
TEST(ProfileText, CutAtACharacterBoundaryAndLoadToTheFirstZero) {
    const auto latin = makeCodec(1252), sjis = makeCodec(932);
    const std::tuple<const TextCodec&, std::u16string, Bytes> rows[] = {
        {*sjis, u"aカメb", {'a', 0x83, 0x4A, 0, 0xAA}},
        {*sjis, u"aカメ", {'a', 0x83, 0x4A, 0x83, 0x81, 0}},
        {*latin, u"a\U0001F600b手c", {'a', 'b', 'c', 0, 0xAA}},
        {*latin, u"abc", {0}}};
    for (const auto& [codec, text, stored] : rows) {
        Bytes area(stored.size(), 0xAA);
        storeTextCut(area, text, codec);
        EXPECT_EQ(area, stored);
    }
    EXPECT_EQ(loadText(Bytes{'a', 'b', 0, 'c'}, *latin), u"ab");
    EXPECT_EQ(loadText(Bytes{0x83, 0x4A, 0x83, 0x81}, *sjis), u"カメ"); // no terminator: up to the end
}

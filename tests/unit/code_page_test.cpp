#include "platform/CodePage.h"
#include "profile/ProfileText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace halvorn {
namespace {

using platform::codePageForLocale;
using platform::makeCodec;

std::vector<std::uint8_t> bytesOf(std::initializer_list<int> list) {
    std::vector<std::uint8_t> v;
    for (int b : list)
        v.push_back(static_cast<std::uint8_t>(b));
    return v;
}

TEST(CodePageForLocale, MapsLanguageAndTerritory) {
    const struct {
        const char* locale;
        int codePage;
    } table[] = {
        {"ja_JP.UTF-8", 932},
        {"ja", 932},
        {"zh_CN", 936},
        {"zh_SG", 936},
        {"zh_TW", 950},
        {"zh_HK", 950},
        {"zh_TW.Big5", 950},
        {"ko_KR", 949},
        {"ru_RU", 1251},
        {"uk_UA.UTF-8", 1251},
        {"bg_BG", 1251},
        {"sr_RS", 1251},
        {"sr_RS@latin", 1250},
        {"pl_PL", 1250},
        {"cs_CZ", 1250},
        {"hu_HU", 1250},
        {"el_GR", 1253},
        {"tr_TR", 1254},
        {"he_IL", 1255},
        {"ar_EG", 1256},
        {"lt_LT", 1257},
        {"lv_LV", 1257},
        {"et_EE", 1257},
        {"vi_VN", 1258},
        {"th_TH", 874},
        {"C", 1252},
        {"POSIX", 1252},
        {"C.UTF-8", 1252},
        {"", 1252},
        {"en_US", 1252},
        {"de_DE.UTF-8@euro", 1252},
        {"fr_FR", 1252},
        {"JA_JP", 932},
    };
    for (const auto& row : table)
        EXPECT_EQ(codePageForLocale(row.locale), row.codePage) << row.locale;
}

TEST(CodePageForLocale, SystemCodePageTakesFirstNonEmptyVariable) {
    const auto saved = [](const char* name) {
        const char* v = std::getenv(name);
        return v ? std::optional<std::string>(v) : std::nullopt;
    };
    const auto all = saved("LC_ALL"), ctype = saved("LC_CTYPE"), lang = saved("LANG");
    ::setenv("LC_ALL", "", 1);
    ::setenv("LC_CTYPE", "ko_KR.UTF-8", 1);
    ::setenv("LANG", "ja_JP.UTF-8", 1);
    EXPECT_EQ(platform::systemCodePage(), 949);
    ::setenv("LC_ALL", "ru_RU", 1);
    EXPECT_EQ(platform::systemCodePage(), 1251);
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_CTYPE");
    EXPECT_EQ(platform::systemCodePage(), 932);
    ::unsetenv("LANG");
    EXPECT_EQ(platform::systemCodePage(), 1252);
    const auto restore = [](const char* name, const std::optional<std::string>& v) {
        if (v)
            ::setenv(name, v->c_str(), 1);
        else
            ::unsetenv(name);
    };
    restore("LC_ALL", all);
    restore("LC_CTYPE", ctype);
    restore("LANG", lang);
}

TEST(MakeCodec, EveryMappedCodePageHasACodecAndUnknownOnesNone) {
    for (int cp : {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
        auto codec = makeCodec(cp);
        ASSERT_NE(codec, nullptr) << cp;
        EXPECT_EQ(codec->codePage(), cp);
        EXPECT_EQ(codec->encode(u"AZ09@.%"), std::string("AZ09@.%")) << cp;
    }
    EXPECT_EQ(makeCodec(0), nullptr);
    EXPECT_EQ(makeCodec(65001), nullptr);
    EXPECT_EQ(makeCodec(12345), nullptr);
}

TEST(MakeRunCodec, TakesTheCodePageOr1252AndConvertsLikeItsCodec) {
    const auto sjis = platform::makeRunCodec(932);
    ASSERT_NE(sjis, nullptr);
    EXPECT_EQ(sjis->encode(u"カ"), std::string("\x83\x4A"));
    EXPECT_EQ(sjis->decode(std::string("\xB6\xD2\xD7")), u"ｶﾒﾗ");
    EXPECT_EQ(sjis->encode(u"€"), std::nullopt);
    EXPECT_EQ(sjis->codePage(), 932);

    // Asked for its code page before any conversion.
    EXPECT_EQ(platform::makeRunCodec(1251)->codePage(), 1251);

    // No converter for the code page: the program runs with 1252.
    for (int cp : {0, 437, 65001}) {
        const auto fallback = platform::makeRunCodec(cp);
        ASSERT_NE(fallback, nullptr);
        EXPECT_EQ(fallback->encode(u"€é"), std::string("\x80\xE9")) << cp;
        EXPECT_EQ(fallback->decode(std::string("\x80\xE9")), u"€é") << cp;
        EXPECT_EQ(fallback->codePage(), 1252) << cp;
    }
}

TEST(MakeCodec, GbkNamesOfTheManualEntries) {
    auto gbk = makeCodec(936);
    ASSERT_NE(gbk, nullptr);
    const std::string manual("\xCA\xD6\x84\xD3\xD4\x4F\xB6\xA8", 8);
    EXPECT_EQ(gbk->decode(manual), u"手動設定");
    EXPECT_EQ(gbk->decode(manual + " 1"), u"手動設定 1");
    EXPECT_EQ(gbk->decode(manual + " 3"), u"手動設定 3");
    EXPECT_EQ(gbk->encode(u"手動設定 2"), manual + " 2");
}

TEST(MakeCodec, Cp932RoundTripsFullAndHalfWidthKatakana) {
    auto sjis = makeCodec(932);
    ASSERT_NE(sjis, nullptr);
    for (const std::u16string& text : {std::u16string(u"スマートフオン電話番号１"), std::u16string(u"ｶﾒﾗ"),
                                       std::u16string(u"撮影ごと＋定時に送信"), std::u16string(u"～①")}) {
        const auto bytes = sjis->encode(text);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(sjis->decode(*bytes), text);
    }
    // Half-width katakana are single bytes, full-width ones two.
    EXPECT_EQ(sjis->encode(u"ｶﾒﾗ"), std::string("\xB6\xD2\xD7"));
    EXPECT_EQ(sjis->encode(u"カ"), std::string("\x83\x4A"));
}

TEST(MakeCodec, RefusesUnrepresentableText) {
    auto latin = makeCodec(1252);
    auto sjis = makeCodec(932);
    EXPECT_EQ(latin->encode(u"手動"), std::nullopt);
    EXPECT_EQ(latin->encode(u"ab手"), std::nullopt);
    EXPECT_EQ(sjis->encode(u"カメラ\U0001F4F7"), std::nullopt);
    EXPECT_EQ(sjis->encode(u"€"), std::nullopt);
    EXPECT_EQ(latin->encode(u"€é"), std::string("\x80\xE9"));
}

TEST(MakeCodec, UndecodableBytesAreReplacedNotDropped) {
    auto sjis = makeCodec(932);
    const auto text = sjis->decode(std::string("A\x81", 2)); // a lead byte without its trail
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[0], u'A');
    EXPECT_NE(text[1], u'A');
    const auto middle = sjis->decode(std::string("A\x81 B", 4)); // a lead byte with an invalid trail
    ASSERT_GE(middle.size(), 3u);
    EXPECT_EQ(middle.front(), u'A');
    EXPECT_EQ(middle.back(), u'B');
    EXPECT_EQ(sjis->decode("ab\n"), u"ab\n");
}

class StoreTextTest : public ::testing::Test {
protected:
    std::unique_ptr<TextCodec> sjis = makeCodec(932);
    std::unique_ptr<TextCodec> latin = makeCodec(1252);
};

TEST_F(StoreTextTest, StoresBytesAndOneTerminatorLeavingTheRest) {
    std::vector<std::uint8_t> area(8, 0xAA);
    EXPECT_EQ(storeText(area, u"a%1%d", *latin), TextStatus::Stored);
    EXPECT_EQ(area, bytesOf({'a', '%', '1', '%', 'd', 0, 0xAA, 0xAA}));
    EXPECT_EQ(loadText(area, *latin), u"a%1%d");
}

TEST_F(StoreTextTest, FieldOfWidthWTakesWMinusOneBytes) {
    std::vector<std::uint8_t> area(6, 0xAA);
    EXPECT_EQ(storeText(area, u"12345", *latin), TextStatus::Stored);
    EXPECT_EQ(area, bytesOf({'1', '2', '3', '4', '5', 0}));

    std::vector<std::uint8_t> untouched(6, 0xAA);
    auto copy = untouched;
    EXPECT_EQ(storeText(untouched, u"123456", *latin), TextStatus::TooLong);
    EXPECT_EQ(untouched, copy);
    EXPECT_EQ(checkText(6, u"123456", *latin), TextStatus::TooLong);
    EXPECT_EQ(checkText(6, u"12345", *latin), TextStatus::Stored);
}

TEST_F(StoreTextTest, DoubleByteTextCountsBytes) {
    // "カメラ" is 6 bytes in CP932: fits width 7, not width 6.
    EXPECT_EQ(checkText(7, u"カメラ", *sjis), TextStatus::Stored);
    EXPECT_EQ(checkText(6, u"カメラ", *sjis), TextStatus::TooLong);
    // Five characters within a width of 6, but ten bytes.
    std::vector<std::uint8_t> area(6, 0xAA);
    EXPECT_EQ(storeText(area, u"スマートフ", *sjis), TextStatus::TooLong);
    EXPECT_EQ(area, std::vector<std::uint8_t>(6, 0xAA));
}

TEST_F(StoreTextTest, UnrepresentableTextWritesNothing) {
    std::vector<std::uint8_t> area(16, 0xAA);
    EXPECT_EQ(storeText(area, u"手動", *latin), TextStatus::Unrepresentable);
    EXPECT_EQ(storeText(area, u"ab\U0001F600", *sjis), TextStatus::Unrepresentable);
    EXPECT_EQ(storeText(area, std::u16string(u"a\0b", 3), *latin), TextStatus::Unrepresentable);
    EXPECT_EQ(area, std::vector<std::uint8_t>(16, 0xAA));
    // Unrepresentable wins over too long: the message must name the real cause.
    EXPECT_EQ(checkText(2, u"手動設定", *latin), TextStatus::Unrepresentable);
}

TEST_F(StoreTextTest, EmptyTextStoresTheTerminator) {
    std::vector<std::uint8_t> area(3, 0xAA);
    EXPECT_EQ(storeText(area, u"", *sjis), TextStatus::Stored);
    EXPECT_EQ(area, bytesOf({0, 0xAA, 0xAA}));
    std::vector<std::uint8_t> none;
    EXPECT_EQ(storeText(none, u"", *sjis), TextStatus::TooLong);
}

TEST_F(StoreTextTest, CutNeverSplitsADoubleByteCharacter) {
    // "aカメ": 1 + 2 + 2 bytes. Width 5 leaves 4 bytes: "aカ" (3 bytes), not half of "メ".
    std::vector<std::uint8_t> area(5, 0xAA);
    storeTextCut(area, u"aカメ", *sjis);
    EXPECT_EQ(area, bytesOf({'a', 0x83, 0x4A, 0, 0xAA}));
    std::vector<std::uint8_t> exact(6, 0xAA);
    storeTextCut(exact, u"aカメ", *sjis);
    EXPECT_EQ(loadText(exact, *sjis), u"aカメ");
    EXPECT_EQ(exact[5], 0);
}

TEST_F(StoreTextTest, CutKeepsSurrogatePairsWholeAndLeavesOutUnrepresentable) {
    std::vector<std::uint8_t> area(8, 0xAA);
    storeTextCut(area, u"a\U0001F600b手c", *latin);
    EXPECT_EQ(area, bytesOf({'a', 'b', 'c', 0, 0xAA, 0xAA, 0xAA, 0xAA}));
    std::vector<std::uint8_t> one(1, 0xAA);
    storeTextCut(one, u"abc", *latin);
    EXPECT_EQ(one, bytesOf({0}));
}

TEST_F(StoreTextTest, LoadReadsToFirstZeroOrAreaEnd) {
    const auto area = bytesOf({'a', 'b', 0, 'c'});
    EXPECT_EQ(loadText(area, *latin), u"ab");
    const auto full = bytesOf({0x83, 0x4A, 0x83, 0x81});
    EXPECT_EQ(loadText(full, *sjis), u"カメ");
    EXPECT_EQ(loadText(bytesOf({0, 'x'}), *sjis), u"");
}

} // namespace
} // namespace halvorn

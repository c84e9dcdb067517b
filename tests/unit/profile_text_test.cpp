#include "platform/CodePage.h"
#include "profile/ProfileText.h"
#include <gtest/gtest.h>
#include <tuple>

using namespace halvorn;
using namespace halvorn::platform;
using enum TextStatus;
using Bytes = std::vector<std::uint8_t>;

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

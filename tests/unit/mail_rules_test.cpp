// The rule for texts that go into mail commands, at the edges of what it refuses, on typed and on record text.
#include "rules/MailRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MailRules, RefusesControlCharactersDelAndAngleBrackets) {
    const struct {
        const char* what;
        std::u16string text;
        bool fits;
    } rows[] = {
        {"an address", u"cam@example.jp", true},
        {"a space and a tilde, the last characters either side", u"a ~b@c", true},
        {"Japanese", u"カメラ@例え.jp", true},
        {"0x1F", u"a\x1f@b", false},
        {"DEL", u"a\x7f@b", false},
        {"CR LF and a second command", u"a@b\r\nRCPT TO:x@y", false},
        {"<", u"a<b@c", false},
        {">", u"a@b>", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(halvorn::rules::fitsMailCommand(row.text), row.fits) << row.what;
        std::string bytes; // the same text as record bytes, a Shift-JIS pair standing in for the Japanese
        for (const char16_t c : row.text)
            bytes += c < 0x80 ? std::string(1, static_cast<char>(c)) : std::string("\x83\x4A");
        EXPECT_EQ(halvorn::rules::fitsMailCommand(std::string_view(bytes)), row.fits) << row.what;
    }
}

} // namespace

// The mail rules: texts that go into mail commands, on typed and on record text, and the mail account dialog's checks.
#include "rules/MailRules.h"

#include <gtest/gtest.h>

#include <string>

using namespace halvorn::rules;

namespace {

TEST(MailRules, RefusesControlCharactersDelAndAngleBrackets) {
    // clang-format off
    const struct { const char* what; std::u16string text; bool fits; } rows[] = {
        {"an address", u"cam@example.jp", true},
        {"a space and a tilde, the last characters either side", u"a ~b@c", true},
        {"Japanese", u"カメラ@例え.jp", true},
        {"0x1F", u"a\x1f@b", false},
        {"DEL", u"a\x7f@b", false},
        {"CR LF and a second command", u"a@b\r\nRCPT TO:x@y", false},
        {"<", u"a<b@c", false},
        {">", u"a@b>", false},
    };
    // clang-format on
    for (const auto& row : rows) {
        EXPECT_EQ(halvorn::rules::fitsMailCommand(row.text), row.fits) << row.what;
        std::string bytes; // the same text as record bytes, a Shift-JIS pair standing in for the Japanese
        for (const char16_t c : row.text)
            bytes += c < 0x80 ? std::string(1, static_cast<char>(c)) : std::string("\x83\x4A");
        EXPECT_EQ(halvorn::rules::fitsMailCommand(std::string_view(bytes)), row.fits) << row.what;
    }
}

TEST(MailRules, AnOwnServerNeedsItsNameThenItsPort) {
    EXPECT_EQ(checkServerGiven(u"", u"").rule, Rule::ServerMissing);
    EXPECT_EQ(checkServerGiven(u"s", u"").rule, Rule::PortMissing);
    EXPECT_EQ(checkServerGiven(u"s", u"25").rule, Rule::None);
}

TEST(MailRules, ThePortIsReadAsTheCameraReadsItThenAnEncryptionIsNeeded) {
    // clang-format off
    const struct { const char* what; std::u16string port; std::optional<int> read; } rows[] = {
        {"zero", u"0", 0},
        {"the largest", u"65535", 65535},
        {"one over", u"65536", std::nullopt},
        {"minus one", u"-1", std::nullopt},
        {"minus zero", u"-0", 0},
        {"blanks and a plus", u"\t\r +25", 25},
        {"a tail after the digits", u"25a", 25},
        {"no digit", u"+", std::nullopt},
        {"a blank after the sign", u"+ 25", std::nullopt},
        {"a letter first", u"a25", std::nullopt}};
    // clang-format on
    for (const auto& r : rows) {
        EXPECT_EQ(readPort(r.port), r.read) << r.what;
        EXPECT_EQ(checkPortAndEncryption(r.port, 0), (r.read ? Failure{} : Failure{Rule::PortRange, 0, 65535}))
            << r.what;
    }
    EXPECT_EQ(checkPortAndEncryption(u"25", -1).rule, Rule::EncryptionMissing);
    EXPECT_EQ(checkPortAndEncryption(u"x", -1).rule, Rule::PortRange); // the port first
}

TEST(MailRules, TheSenderNeedsItsTextsAnAtAndNothingForACommand) {
    // clang-format off
    const struct { const char* what; bool relay; std::u16string address, account, password; Rule rule; } rows[] = {
        {"complete", false, u"a@x", u"a", u"p", Rule::None},
        {"an @ alone", false, u"@", u"a", u"p", Rule::None},
        {"the relay, empty", true, u"", u"", u"", Rule::None},
        {"no address", false, u"", u"a", u"p", Rule::AccountMissing},
        {"no account", false, u"a@x", u"", u"p", Rule::AccountMissing},
        {"no password", false, u"a@x", u"a", u"", Rule::AccountMissing},
        {"no @", false, u"nobody", u"a", u"p", Rule::AddressNoAt},
        {"the relay takes no @", true, u"nobody", u"", u"", Rule::None},
        {"an address closing its command", false, u"a@x>", u"a", u"p", Rule::SenderUnfit},
        {"an account opening a command", false, u"a@x", u"a<b", u"p", Rule::AccountUnfit},
        {"the relay's texts are checked too", true, u"a@x", u"a\r\n", u"", Rule::AccountUnfit}};
    // clang-format on
    for (const auto& r : rows)
        EXPECT_EQ(checkSender(r.relay, r.address, r.account, r.password).rule, r.rule) << r.what;
}

} // namespace

// The main window's save checks, each at the edges of what it refuses.
#include "rules/SaveRules.h"

#include <gtest/gtest.h>

#include <string>

using namespace halvorn::rules;

namespace {
constexpr Rule kOk = Rule::None;

TEST(SaveRules, MaxSendCountIsZeroToNinetyNine) {
    // clang-format off
    const struct { const char* what; int count; Rule rule; } rows[] = {
        {"none", 0, kOk},
        {"the most", 99, kOk},
        {"one over", 100, Rule::MaxSendCount},
        {"below", -1, Rule::MaxSendCount}};
    // clang-format on
    for (const auto& r : rows) {
        EXPECT_EQ(checkMaxSendCount(r.count).rule, r.rule) << r.what;
        EXPECT_EQ(checkMaxSendCount(r.count).limit, r.rule == kOk ? 0 : 99) << r.what;
    }
}

TEST(SaveRules, AnOwnMailAccountNeedsEachOfItsFourFields) {
    // clang-format off
    const struct { const char* what; bool relay, sender, password, account, server; Rule rule; } rows[] = {
        {"complete", false, false, false, false, false, kOk},
        {"the relay, empty", true, true, true, true, true, kOk},
        {"no sender", false, true, false, false, false, Rule::MailAccountIncomplete},
        {"no password", false, false, true, false, false, Rule::MailAccountIncomplete},
        {"no account", false, false, false, true, false, Rule::MailAccountIncomplete},
        {"no server", false, false, false, false, true, Rule::MailAccountIncomplete}};
    // clang-format on
    for (const auto& r : rows)
        EXPECT_EQ(checkMailAccount(r.relay, r.sender, r.password, r.account, r.server).rule, r.rule) << r.what;
}

TEST(SaveRules, APhoneIsEmptyOrFourToFifteenAndPhoneOneIsTheSmsNumber) {
    // clang-format off
    const struct { const char* what; std::size_t slot, length; bool sms; Rule rule; } rows[] = {
        {"empty", 1, 0, false, kOk},
        {"shortest", 1, 4, false, kOk},
        {"longest", 3, 15, false, kOk},
        {"one short", 1, 3, false, Rule::PhoneLength},
        {"one long", 3, 16, false, Rule::PhoneLength},
        {"SMS on, phone 1 short", 0, 3, true, Rule::SmsPhoneLength},
        {"SMS on, phone 1 long", 0, 16, true, Rule::SmsPhoneLength},
        {"SMS on, phone 2 short", 1, 3, true, Rule::PhoneLength},
        {"SMS off, phone 1 short", 0, 3, false, Rule::PhoneLength}};
    // clang-format on
    for (const auto& r : rows) {
        const Failure f = checkPhone(r.slot, r.length, r.sms);
        EXPECT_EQ(f.rule, r.rule) << r.what;
        EXPECT_EQ(f.slot, r.rule == kOk ? 0 : r.slot) << r.what;
        EXPECT_EQ(phoneKept(r.length), r.length >= 4) << r.what;
    }
    EXPECT_EQ(checkSmsPhone(true, false).rule, Rule::SmsPhoneMissing);
    EXPECT_EQ(checkSmsPhone(true, true).rule, kOk);
    EXPECT_EQ(checkSmsPhone(false, false).rule, kOk);
}

TEST(SaveRules, AnAddressIsAtMost47WithAnAtAfterItsFirstCharacterAndFitsAMailCommand) {
    const std::u16string at47 = std::u16string(45, u'a') + u"@b";
    // clang-format off
    const struct { const char* what; std::u16string address; Rule rule; bool kept; } rows[] = {
        {"empty", u"", kOk, false},
        {"two characters, not kept", u"a@", kOk, false},
        {"two characters without @ ", u"ab", Rule::AddressMalformed, false},
        {"three characters, kept", u"a@b", kOk, true},
        {"the longest", at47, kOk, true},
        {"one over", u"a" + at47, Rule::AddressLength, false},
        {"one character", u"a", Rule::AddressMalformed, false},
        {"@ only first", u"@abc", Rule::AddressMalformed, false},
        {"a second command after CR LF", u"a@b\r\nRCPT TO:<e@f>", Rule::AddressMalformed, false},
        {"a closing bracket", u"a@b>", Rule::AddressMalformed, false}};
    // clang-format on
    for (const auto& r : rows) {
        EXPECT_EQ(checkAddress(2, r.address).rule, r.rule) << r.what;
        EXPECT_EQ(addressKept(r.address.size()) && r.rule == kOk, r.kept) << r.what;
    }
    EXPECT_EQ(checkAddress(2, u"a" + at47), (Failure{Rule::AddressLength, 2, 47}));
}

TEST(SaveRules, TheSendTargetNeedsItsRecipients) {
    // clang-format off
    const struct { const char* what; int target; bool phone, address; Rule rule; } rows[] = {
        {"phones, one given", 0, true, false, kOk},
        {"phones, none", 0, false, true, Rule::PhoneMissing},
        {"mail, one kept", 1, false, true, kOk},
        {"mail, none", 1, true, false, Rule::AddressMissing},
        {"both, both", 2, true, true, kOk},
        {"both, a phone only", 2, true, false, Rule::AddressMissing},
        {"both, an address only", 2, false, true, Rule::PhoneMissing},
        {"neither, outside the list", 3, false, false, kOk}};
    // clang-format on
    for (const auto& r : rows)
        EXPECT_EQ(checkTargets(r.target, r.phone, r.address).rule, r.rule) << r.what;
}

TEST(SaveRules, TheCameraNameIsDigitsAndLettersAndNeededWhenRenaming) {
    // clang-format off
    const struct { const char* what; std::u16string name; int rename; Rule rule; } rows[] = {
        {"the edges of the ranges", u"09AZaz", 0, kOk},
        {"empty, renaming off", u"", 0, kOk},
        {"empty, renaming on", u"", 1, Rule::CameraNameMissing},
        {"empty, renaming outside the list", u"", 2, kOk},
        {"small dotless i and long s, capitals I and S", u"\u0131\u017F", 1, kOk},
        {"before 0", u"A/", 1, Rule::CameraNameCharacter},
        {"after 9", u":9", 0, Rule::CameraNameCharacter},
        {"before A", u"@", 0, Rule::CameraNameCharacter},
        {"after Z", u"Z[", 0, Rule::CameraNameCharacter},
        {"before a", u"`", 0, Rule::CameraNameCharacter},
        {"after z", u"z{", 0, Rule::CameraNameCharacter},
        {"a dash", u"A-1", 1, Rule::CameraNameCharacter},
        {"a full-width capital", u"\uFF21", 0, Rule::CameraNameCharacter}};
    // clang-format on
    for (const auto& r : rows)
        EXPECT_EQ(checkCameraName(r.name, r.rename).rule, r.rule) << r.what;
}

} // namespace

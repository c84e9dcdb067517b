// The command line's show, build and check as functions; the program itself is tests/cli's.
#include "cli/ProfileJson.h"
#include "fixtures/reference/layout.h"
#include "platform/CodePage.h"
#include "profile/ProfileFormat.h"
#include "support/FileHelpers.h"
#include <cstring>
#include <gtest/gtest.h>
#include <random>

using namespace halvorn;
using namespace std::string_literals;
using Bytes = std::vector<std::uint8_t>;
using test::fixture;
namespace ref = test::ref;

namespace {
const std::unique_ptr<TextCodec> sjis = platform::makeCodec(932);

// The calls below that must succeed throw when they do not.
cli::ProfileFile load(const Bytes& bytes, std::string why = {}) { return cli::readProfileFile(bytes, why).value(); }
cli::ProfileFile recordFile(const Bytes& bytes) {
    cli::ProfileFile f;
    std::copy(bytes.begin(), bytes.end(), f.record.bytes().begin());
    return f;
}
std::string shown(const cli::ProfileFile& f) { return cli::showProfile(f, *sjis).dump(); }
Bytes built(const std::string& json, std::string why = {}) {
    return encodeProfileBin(cli::buildRecord(json, *sjis, why).value());
}
} // namespace

// Both reference files show as the reference encoder says they must, every field.
TEST(ProfileJson, ShowsTheReferenceFiles) {
    for (const std::string name : {"reference/PROFILE.BIN", "reference/setupV4.56J.bak"}) {
        const Bytes json = fixture(name + ".json");
        EXPECT_EQ(cli::showProfile(load(fixture(name)), *sjis), nlohmann::json::parse(json)) << name;
    }
}

// show then build gives back PROFILE.BIN byte for byte; what the JSON leaves out takes the defaults.
TEST(ProfileJson, ShowThenBuildRoundTrips) {
    const Bytes bin = fixture("reference/PROFILE.BIN");
    EXPECT_EQ(built(shown(load(bin))), bin);
    EXPECT_EQ(built(shown(load(fixture("reference/setupV4.56J.bak")))), bin);
    for (const unsigned seed : {1U, 2U, 3U}) {
        std::mt19937 random(seed);
        ProfileRecord foreign; // with runs of zero bytes, so that some texts are well formed
        std::generate(foreign.bytes().begin(), foreign.bytes().end(), [&] { return random() % 7 ? random() : 0; });
        for (const ref::At f : {ref::mailRecipients(0), ref::mailRecipients(1), ref::mailRecipients(2),
                                ref::mailRecipients(3), ref::mailServer(0, ref::mailEntry::senderAddress),
                                ref::mailServer(0, ref::mailEntry::account)}) // texts a mail command would refuse
            foreign.setU8(f.offset, 0);
        const Bytes file = encodeProfileBin(foreign);
        EXPECT_EQ(built(shown(load(file))), file) << seed;
    }
    // The defaults over a record filled with 0xA5; the mail entry is the build's relay account.
    const Bytes leftOut =
        built(R"({"reserved60": "a5a5a5a5a5a5a5a5a5a5a5a5", "smsStopHour": 165, "smsStartHour": 165})");
    Bytes defaults = encodeProfileBin(recordFile(fixture("reference/defaults.bin")).record);
    const auto mailWords =
        static_cast<std::ptrdiff_t>(ref::mailServer().offset - ref::cameraMode.offset); // in the file
    std::copy_n(leftOut.begin() + mailWords, 256, defaults.begin() + mailWords);
    EXPECT_EQ(leftOut, defaults);
}

// Every kind of bad JSON is refused naming the field (or line and column), and the card keeps its file.
TEST(ProfileJson, BadJsonIsRefusedAndNothingWritten) {
    const std::pair<const char*, const char*> rows[] = {
        {R"({"sendHour": 255, "sendTarget": 65535, "reserved106": 4294967295, "cameraName": "ABCDEFGHIJKLMNO"})", ""},
        {R"({"sendHour": 256})", "sendHour: not a whole number from 0 to 255"},
        {R"({"sendTarget": 65536})", "sendTarget:"},
        {R"({"reserved106": -1})", "reserved106:"},
        {R"({"workTime": [{}, {}, {"stopMinute": 1.5}, {}]})", "workTime[2].stopMinute:"},
        {R"({"phoneNumbers": ["123456789012345", "", "", ""], "operator": {"name": "試験"}})", ""},
        {R"({"cameraName": "ABCDEFGHIJKLMNOP"})", "cameraName: the text takes 16 bytes"},
        {R"({"phoneNumbers": ["1234567890123456", "", "", ""]})", "phoneNumbers[0]: the text takes 16 bytes"},
        {R"({"phoneNumbers": ["", "", ""]})", "phoneNumbers: not an array of 4"},
        {R"({"operator": {"name": "A€"}})", "operator.name: code page 932 cannot represent"},
        {R"({"mailServer": {"smtpHost": ""}})", "mailServer.smtpHost: not a field"},
        {R"({"customOperators": [{}, {"dataApn": 5}, {}]})", "customOperators[1].dataApn: not a text"},
        {R"({"reserved60": "f0f1"})", "reserved60: not 12 bytes in hex"},
        {"{\n  \"sendHour\": 1,\n  \"beep\" 1\n}", "line 3, column 10:"},
        {R"({"mailRecipients": ["", "a@b>\r\nRCPT TO:<e@f>", "", ""]})",
         "mailRecipients[1]: holds a control character"},
        {R"({"mailServer": {"account": "cam<"}})", "mailServer.account: holds a control character, \"<\" or \">\""},
    };
    const Bytes old = fixture("reference/PROFILE.BIN");
    for (const auto& [json, message] : rows) {
        SCOPED_TRACE(json);
        test::TempDir card;
        test::writeAll(card.path() / "PROFILE.BIN", old);
        std::string why;
        EXPECT_EQ(cli::buildProfileBin(json, card.path(), *sjis, why), *message != '\0' ? 2 : 0);
        EXPECT_EQ(why.substr(0, std::strlen(message)), message);
        EXPECT_EQ(test::readAll(card.path() / "PROFILE.BIN") == old, *message != '\0');
    }
}

// Check names the field of each value a window refuses and says the window's words (that they agree with the windows
// is shown with the windows); what the windows take but could not show or their typing could not make is a warning.
TEST(ProfileJson, CheckNamesTheFieldOfEachRefusalThenTheWarnings) {
    const std::tuple<const char*, ref::At, std::string, const char*> rows[] = {
        {"the reference is clean", ref::beep, "\0"s, ""},
        {"a refusal", ref::phoneNumbers(1, ref::phone::number), "123\0"s,
         "phoneNumbers[1]: 受信する電話番号が最大文字数を超えています"},
        {"a schedule by its entry", ref::workTime(2), "\x01\x07\x1e\x07\x1e\x01"s,
         "workTime[2]: Please check Work Time Start and Stop point."},
        {"the mail entry whole", ref::mailServer(0, ref::mailEntry::password), "\0"s,
         "mailServer: メールアドレスを確認し、設定してください"},
        {"a field of the mail entry", ref::mailServer(0, ref::mailEntry::senderAddress), "cam@x>\0"s,
         "mailServer.senderAddress: メールに使用できない文字 (制御文字、「<」または「>」) が含まれています"},
        {"a list's value past its end", ref::sendHour, "\x18"s, "warning: sendHour: 24 is not in its list (0 to 23)"},
        {"a schedule's list", ref::workTime(2, ref::schedule::stopHour), "\x18"s,
         "warning: workTime[2].stopHour: 24 is not in its list (0 to 23)"},
        {"a phone with a letter", ref::phoneNumbers(0, ref::phone::number), "12a45\0"s,
         "warning: phoneNumbers[0]: \"12a45\" holds a character other than 0-9"},
        {"a name in small letters", ref::cameraName, "zx81\0"s, "warning: cameraName: \"zx81\" holds small letters"}};
    for (const auto& [what, at, bytes, line] : rows) {
        cli::ProfileFile file = recordFile(fixture("reference/record.bin"));
        std::ranges::copy(bytes, file.record.bytes().begin() + static_cast<std::ptrdiff_t>(at.offset));
        cli::CheckReport report = cli::checkProfile(file, *sjis);
        report.refusals.insert(report.refusals.end(), report.warnings.begin(), report.warnings.end());
        EXPECT_EQ(report.refusals, std::vector<std::string>(*line ? 1 : 0, line)) << what;
    }
}

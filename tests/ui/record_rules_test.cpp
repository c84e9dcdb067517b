// `halvorn-profile check` and the windows' confirms over the same records: check refuses exactly what a confirm
// refuses, with the words the window shows.
#include "cli/ProfileJson.h"
#include "fixtures/reference/layout.h"
#include "support/DialogInput.h"
#include "support/FileHelpers.h"
#include "ui/dialogs/WorkTimePanel.h"
#include "ui/main/DlgGSM.h"

#include <cctype>

using namespace halvorn;
using namespace halvorn::test;
namespace ref = halvorn::test::ref;

namespace {

struct Row {
    const char* what;
    bool refused;
    std::vector<std::pair<ref::At, std::string>> changes; // bytes written over the reference record
};

// The reference record with the row's changes.
ProfileRecord changed(const Row& row) {
    ProfileRecord r;
    std::ranges::copy(fixture("reference/record.bin"), r.bytes().begin());
    for (const auto& [at, bytes] : row.changes)
        std::ranges::copy(bytes, r.area(at.offset, at.width).begin());
    return r;
}

using namespace std::string_literals;
constexpr auto phone = [](std::size_t i) { return ref::phoneNumbers(i, ref::phone::number); };
constexpr auto address = [](std::size_t i) { return ref::mailRecipients(i, ref::recipient::address); };
constexpr auto schedule = [](std::size_t i, ref::At f) { return ref::workTime(i, f); };
// clang-format off
const Row kRows[] = {
    {"the reference", false, {{ref::beep, "\0"s}}},
    {"phone 1 with a letter: typing makes none, the window takes it", false, {{phone(0), "12a45\0"s}}},
    {"camera name in small letters: the window takes it", false, {{ref::cameraName, "zx81\0"s}}},
    {"phone 2 of three digits", true, {{phone(1), "123\0"s}}},
    {"phone 1 of sixteen with SMS on", true, {{phone(0), "1234567890123456"s}}},
    {"a hundred photos", true, {{ref::maxSendCount, "\x64"s}}},
    {"recipient 1 with its @ first", true, {{address(0), "@ab\0"s}}},
    {"recipient 3 closing its mail command", true, {{address(2), "b@c>\0"s}}},
    {"recipient 2 of 48 characters", true, {{address(1), std::string(40, 'r') + "@example"}}},
    {"a dash in the camera name", true, {{ref::cameraName, "ZX-1\0"s}}},
    {"renaming on without a name", true, {{ref::cameraName, "\0"s}}},
    {"SMS on without phone 1", true, {{phone(0), "\0"s}}},
    {"an own account without its password", true, {{ref::mailServer(0, ref::mailEntry::password), "\0"s}}},
    {"the relay chosen, no account of its own", false, {{ref::mailPresetIndex, "\0"s}, {ref::mailServer(0, ref::mailEntry::account), "\0"s}}},
    {"to phones and mail, no phone", true, {{ref::smsSwitch, "\0\0"s}, {phone(0), "\0"s}, {phone(1), "\0"s}, {phone(2), "\0"s}, {phone(3), "\0"s}}},
    {"to mail, no recipient kept", true, {{ref::sendTarget, "\1\0"s}, {address(0), "a@\0"s}, {address(1), "\0"s}, {address(2), "\0"s}, {address(3), "\0"s}}},
    {"a camera name of nine", true, {{ref::cameraName, "ABCDEFGHI\0"s}}},
    {"schedule 3 switched on at equal times", true, {{ref::workTime(2), "\x01\x07\x1e\x07\x1e\x40"s}}},
    {"schedule 4 without a day", true, {{schedule(3, ref::schedule::weekMask), "\x80"s}}},
    {"schedule 3 switched off without a day", false, {{schedule(2, ref::schedule::weekMask), "\0"s}}},
};
// clang-format on

struct Agreement : ::testing::TestWithParam<Row> {
    TestContext t;
    FakeFrame frame;

    // The first refusal of check, as its window would show it (the text after the field's path).
    QString checkSays(const ProfileRecord& r) {
        cli::ProfileFile file;
        file.record = r;
        const auto refusals = cli::checkProfile(file, *t.codec).refusals;
        return refusals.empty() ? QString() : QString::fromStdString(refusals[0]).section(QStringLiteral(": "), 1);
    }
    // The message of the first confirm that refuses the record: the main window's, then the camera dialog's schedules.
    QString windowsSay(const ProfileRecord& r) {
        t.record = r;
        ui::DlgGSM window(t.ctx, frame);
        if (window.checkAndStore()) {
            ui::WorkTimePanel panel(
                nullptr, [] {}, [] {});
            panel.load(r);
            if (panel.validate(t.prompter, nullptr)) return {};
        }
        const auto shown = t.prompter.messages();
        return shown.empty() ? QStringLiteral("(no message)") : shown[0].text;
    }
};

TEST_P(Agreement, CheckRefusesWhatAConfirmRefusesInItsWords) {
    const ProfileRecord r = changed(GetParam());
    const QString said = windowsSay(r);
    EXPECT_EQ(checkSays(r), said) << said.toStdString();
    EXPECT_EQ(!said.isEmpty(), GetParam().refused);
}

INSTANTIATE_TEST_SUITE_P(Rows, Agreement, ::testing::ValuesIn(kRows), [](const auto& row) {
    std::string name;
    for (const char c : std::string_view(row.param.what))
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    return name;
});

} // namespace

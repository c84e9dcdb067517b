// The main window: its save checks step by step, what it shows and enables, the reset, the folder choice and quit.

#include "MainWindowFixture.h"

#include "fixtures/reference/layout.h"
#include "profile/ProfileDefaults.h"
#include "ui/FormControls.h"

#include <QPushButton>

#include <algorithm>

namespace halvorn::test {
namespace {

using Controls = ui::DlgGSM::Controls;
using Kind = Prompt::Kind;
using ui::MessageIcon;
namespace ref = test::ref;

// A form, the message of the first check it fails (none: it passes) and how many of the writing steps ran before that.
// Where each rule refuses is the core's table; here one row per message, the order of the checks, the steps written.
struct Check {
    const char* what;
    Form form;
    QString title{}, text{};
    std::size_t written = 6;
    ref::At blank{0, 0};                    // a mail account field emptied
    QLineEdit* Controls::*unread = nullptr; // the field readForm could not take
    int relay = kMailPresetRelay;           // the preset row stored as the relay account
};

TEST_F(MainWindowTest, ChecksStoreStepByStepAndStopAtTheFirstFailure) {
    // What each writing step stores, in the order of the checks.
    const std::vector<std::vector<ref::At>> steps{{ref::cameraMode},
                                                  {{ref::sendMinute.offset, 4}},
                                                  {ref::sendTarget, ref::sendCompression},
                                                  {ref::mailServer()},
                                                  {ref::smsSwitch, {ref::smsStopHour.offset, 2}},
                                                  {ref::renameSwitch, ref::cameraName}};
    const QString app = ui::applicationTitle(), to = "受信者設定", mail = "メール設定",
                  count = "最大枚数は0-99の範囲で設定してください";
    const QString account = "メールアドレスを確認し、設定してください",
                  needMail = "受信するメールアドレスを入力してください";
    const QString length = "受信する電話番号が最大文字数を超えています",
                  malformed = "無効なメールアドレスが入力されています";
    const QString a47 = QString(45, 'a') + "@b", p15 = QString(15, '9');
    t.views.country.rows[4] = kCountryFinland; // the relay follows the row a country position holds
    constexpr int kFinnishRelayRow = 11;       // the preset table's last row
    const std::vector<Check> checks{
        {"to both", {.count = "0", .target = 2, .phones = {"1234", p15}, .mails = {a47, "", "b@c"}}},
        {"names and path", {.mode = 3, .rename = 1, .name = "az09AZzA", .path = QString(128, 'p')}},
        {"own account complete", {.preset = 1}},
        {"Finland", {.country = 9}, {}, {}, 6, {}, nullptr, kFinnishRelayRow},
        {"a position holding Finland", {.country = 4}, {}, {}, 6, {}, nullptr, kFinnishRelayRow},
        {"after Finland", {.country = 10}},
        {"country outside the view", {.country = 27}},
        {"count 100, disabled by off", {.count = "100", .mode = 3}, "送信モード", count, 1},
        {"count empty", {.count = ""}, app, "Enter an integer.", 0, {}, &Controls::countField},
        // clang-format off
        {"path of 129", {.path = QString(129, 'p')}, app, "Enter no more than 128 characters.", 0, {}, &Controls::pathField},
        {"name of 9", {.rename = 1, .name = "ABCDEFGHI"}, app, "Enter no more than 8 characters.", 0, {}, &Controls::nameField},
        // clang-format on
        {"own account without sender", {.preset = 1}, mail, account, 3, ref::mailEntry::senderAddress},
        {"preset index outside the view", {.preset = 10}, mail, account, 3, ref::mailEntry::account},
        {"phone of 3", {.phones = {"123"}}, to, length, 5},
        {"SMS on, phone 1 of 3", {.sms = 1, .phones = {"123"}}, to, "SMS設定用電話番号が最大文字数を超えています", 5},
        {"SMS on, phone 1 empty", {.sms = 1, .phones = {"", "1234"}}, to, "SMS設定用電話番号を入力してください", 5},
        {"address of 48", {.mails = {"a" + a47}}, to, "メールアドレスが最大文字数を超えています", 5},
        {"'@' only first", {.mails = {"@abc"}}, to, malformed, 5},
        {"address of 2 is not stored", {.mails = {"a@"}}, to, needMail, 5},
        {"address 1 before phone 2", {.phones = {"", "123"}, .mails = {"@ab"}}, to, malformed, 5},
        {"phone 1 before address 1", {.phones = {"123"}, .mails = {"@ab"}}, to, length, 5},
        {"to phones, none", {.target = 0, .mails = {}}, to, "受信する電話番号を入力してください", 5},
        {"to mail, a phone only", {.phones = {"1234"}, .mails = {}}, to, needMail, 5},
        {"rename on, no name", {.rename = 1}, "名前変更", "名前変更欄を入力してください"},
        {"a dash in the name", {.name = "A-1"}, "名前変更", "名前変更欄に対応していない文字が入力されています"},
    };
    const ProfileRecord defaults = record();
    const auto held = [this](ref::At f) {
        return QString::fromLatin1(reinterpret_cast<const char*>(&record().bytes()[f.offset]), f.width);
    };
    for (const Check& k : checks) {
        SCOPED_TRACE(k.what);
        record() = defaults;
        fill(k.form);
        // Every byte the checks might write is marked, so that each write shows.
        std::fill(record().bytes().begin() + ref::cameraMode.offset, record().bytes().end(), 0xEE);
        record().setU8(ref::mailPresetIndex.offset, static_cast<std::uint8_t>(k.form.preset));
        if (k.blank.width > 0) record().setU8(ref::mailServer(0, k.blank).offset, 0);
        const ProfileRecord before = record();
        t.prompter.clear();
        const bool ok = k.text.isEmpty();
        EXPECT_EQ(window->checkAndStore(), ok);
        QStringList want;
        if (!ok) want << line(Kind::Message, k.title, k.text, k.unread ? MessageIcon::Warning : MessageIcon::Error);
        if (k.blank.width > 0) want << line(Kind::Dialog, {}, "DlgEmailSetting"); // after its message
        EXPECT_EQ(prompts(), want);
        // An unread field has the focus and its text selected; the later fields were not taken.
        EXPECT_TRUE(!k.unread || (window->focusWidget() == c().*k.unread && v().recipients[0].isEmpty() &&
                                  (c().*k.unread)->selectedText() == (c().*k.unread)->text()));
        for (std::size_t s = 0; s < steps.size(); ++s)
            for (const ref::At f : steps[s])
                EXPECT_EQ(!std::ranges::equal(record().area(f.offset, f.width), before.area(f.offset, f.width)),
                          s < k.written && (s != 3 || k.form.preset == 0))
                    << "step " << s << " at " << f.offset;
        // Phone slots then mail slots: each holds its text or nothing, never
        // what it held before, and after passing checks what the rules keep.
        for (std::size_t i = 0; i < 8; ++i) {
            const QString& in = i < 4 ? k.form.phones[i] : k.form.mails[i - 4];
            const bool kept = i < 4 ? in.size() >= 4 && in.size() <= 15 : in.size() > 2;
            const QString slot = held(i < 4 ? ref::phoneNumbers(i) : ref::mailRecipients(i - 4)),
                          text = in.leftJustified(48, QChar(0)), none(48, QChar(0));
            EXPECT_TRUE(ok ? slot == (kept ? text : none) : slot == text || slot == none) << "slot " << i;
        }
        if (!ok) continue;
        const auto& r = record();
        const auto u8 = [&r](ref::At f) { return int{r.u8(f.offset)}; };
        const auto u16 = [&r](ref::At f) { return int{r.u16(f.offset)}; };
        EXPECT_EQ((std::vector{u8(ref::cameraMode), u8(ref::sendMinute), u8(ref::sendHour), u8(ref::maxSendCount),
                               u8(ref::sendMode), u16(ref::sendTarget), u16(ref::sendCompression),
                               u16(ref::renameSwitch), u16(ref::smsSwitch), u16(ref::smsStopHour)}),
                  (std::vector{1, 30, 18, k.form.count.toInt(), k.form.mode, k.form.target, 2, k.form.rename,
                               k.form.sms, 0}));
        EXPECT_EQ(held(ref::cameraName), k.form.name.leftJustified(16, QChar(0)));
        EXPECT_EQ(r.mailServer(), k.form.preset == 0 ? t.mailPresets.row(k.relay) : before.mailServer());
        // A window opened on what was stored shows what the user's choices showed.
        c().pathField->clear();
        EXPECT_EQ(shown(ui::DlgGSM(t.ctx, frame)), shown(*window));
    }
}

TEST_F(MainWindowTest, OpeningShowsTheChoicesEnablesByThemAndKeepsTheBytesOfNone) {
    const struct {
        std::size_t at;
        bool word;
        int last; // the last position of the list or group
        int (*shown)(const Controls&);
    } fields[] = {
        {rec::sendMode, false, 3, [](const Controls& k) { return ui::checkedRadio(k.sendModeRadios); }},
        {rec::cameraMode, false, 1, [](const Controls& k) { return ui::checkedRadio(k.cameraModeRadios); }},
        {rec::sendCompression, true, 2, [](const Controls& k) { return ui::checkedRadio(k.compressionRadios); }},
        {rec::sendHour, false, 23, [](const Controls& k) { return k.hourList->currentIndex(); }},
        {rec::sendMinute, false, 59, [](const Controls& k) { return k.minuteList->currentIndex(); }},
        {rec::renameSwitch, true, 1, [](const Controls& k) { return k.renameList->currentIndex(); }},
        {rec::smsSwitch, true, 1, [](const Controls& k) { return k.smsList->currentIndex(); }},
    };
    const struct {
        std::array<int, 7> stored; // per field, above
        int target;
        const char* on; // count, time, phone fields, phone labels, mail fields, mail labels, name: all or none
    } rows[] = {{{0, 0, 0, 0, 0, 0, 0}, 1, "1000110"},   {{1, 1, 1, 12, 30, 1, 1}, 0, "0111001"},
                {{2, 0, 2, 23, 59, 0, 0}, 2, "1100110"}, {{3, 1, 1, 0, 0, 1, 1}, 3, "0011001"},
                {{4, 2, 3, 24, 60, 2, 2}, 0, "0011000"}, {{255, 255, 258, 255, 255, 257, 256}, 1, "0011110"}};
    fill({.phones = {"0801234567"}, .name = "N"}); // so that the checks pass whatever the switches
    ASSERT_TRUE(window->checkAndStore());
    for (const auto& k : rows) {
        SCOPED_TRACE(k.on);
        record().setU16(rec::sendTarget, static_cast<std::uint16_t>(k.target));
        for (std::size_t i = 0; i < 7; ++i)
            fields[i].word ? record().setU16(fields[i].at, static_cast<std::uint16_t>(k.stored[i]))
                           : record().setU8(fields[i].at, static_cast<std::uint8_t>(k.stored[i]));
        open();
        for (std::size_t i = 0; i < 7; ++i)
            EXPECT_EQ(fields[i].shown(c()), k.stored[i] <= fields[i].last ? k.stored[i] : -1) << i;
        const QList<QList<QWidget*>> groups{{c().countField, c().countNote},
                                            {c().hourList, c().timeSeparator, c().minuteList},
                                            {c().phoneFields.begin(), c().phoneFields.end()},
                                            {c().phoneLabels.begin(), c().phoneLabels.end()},
                                            {c().mailFields.begin(), c().mailFields.end()},
                                            {c().mailLabels.begin(), c().mailLabels.end()},
                                            {c().nameField, c().nameNote}};
        QString on;
        qsizetype off = 0;
        for (const auto& g : groups) {
            const auto n = std::ranges::count_if(g, [](const QWidget* w) { return w->isEnabled(); });
            on += n == g.size() ? '1' : n == 0 ? '0' : '?';
            off += g.size() - n;
        }
        EXPECT_EQ(on, k.on);
        const auto all = window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        EXPECT_EQ(std::ranges::count_if(all, [](const QWidget* w) { return !w->isEnabled(); }), off); // the rest: on
        ASSERT_TRUE(window->checkAndStore());
        for (std::size_t i = 0; i < 7; ++i)
            EXPECT_EQ(fields[i].word ? record().u16(fields[i].at) : record().u8(fields[i].at), k.stored[i]) << i;
    }
}

TEST_F(MainWindowTest, ResetAsksThenRestoresTheDefaults) {
    t.views.country.rows[15] = 3; // the reset takes the operator of view position 15
    const QString folder = ui::pathText(t.savePath());
    // From "Finland", the save took the relay copy that the reset stores.
    fill({.sms = 1, .rename = 1, .country = 9, .phones = {"1234"}, .name = "CAM", .path = folder});
    window->save();
    const ProfileRecord saved = record();
    const QStringList before = shown(*window);
    for (const bool yes : {false, true}) {
        t.prompter.clear();
        t.prompter.answers = {yes};
        c().resetButton->click();
        EXPECT_EQ(prompts(), QStringList{line(Kind::Question, "初期化", "設定を初期化してもよろしいですか？",
                                              MessageIcon::Question)});
        EXPECT_EQ(t.prompter.prompts.front().buttons, ui::Language::Japanese); // "はい" and "いいえ"
        EXPECT_EQ(std::filesystem::exists(t.tempPath() / kBackupName), !yes);
        EXPECT_EQ(record() == saved && shown(*window) == before, !yes);
    }
    ProfileRecord expected = saved;
    applyProfileDefaults(expected);
    expected.setOperatorEntry(t.catalog.country(3).operators.front());
    expected.setMailServer(t.mailPresets.row(kMailPresetFinnishRelay));
    EXPECT_EQ(record(), expected);
    EXPECT_EQ(v().countryIndex, 15);
    // The folder stays; the rest shows as a window opened on the defaults does.
    EXPECT_EQ(c().pathField->text(), folder);
    c().pathField->clear();
    EXPECT_EQ(shown(*window), shown(ui::DlgGSM(t.ctx, frame)));
}

TEST_F(MainWindowTest, TheFolderChoiceTakesAPickedFolderOnlyAndKeepsTheTyping) {
    using Choice = ui::FolderChoice::Kind;
    const QString deep = "/" + QString(200, 'f'); // longer than can be typed
    fill({.count = "12", .path = "/typed"});
    t.prompter.clear();
    t.prompter.folders = {{Choice::NotFileSystem, {}}, {Choice::Folder, deep}};
    c().browseButton->click(); // said so, and the typing stays
    EXPECT_EQ(prompts(), (QStringList{line(Kind::Folder, {}, "保存先を選択してください"),
                                      line(Kind::Message, "Save Path", "Select the Path Error")}));
    EXPECT_EQ(c().pathField->text(), "/typed");
    c().browseButton->click();
    EXPECT_EQ((QStringList{v().savePath, c().pathField->text(), c().countField->text()}),
              (QStringList{deep, deep, "12"}));
    // After a form that could not be read, the typing behind the failing field stays.
    fill({.mails = {"", "typed@example.jp"}, .name = "ABCDEFGHIJ"});
    t.prompter.folders = {{Choice::Folder, "/chosen"}};
    c().browseButton->click();
    EXPECT_EQ((QStringList{c().pathField->text(), c().mailFields[1]->text()}),
              (QStringList{"/chosen", "typed@example.jp"}));
    c().browseButton->click(); // the picker opens again on the folder last chosen; cancelled, it changes nothing
    EXPECT_EQ(std::pair(t.prompter.prompts.back().start, c().pathField->text()),
              std::pair(QString("/chosen"), QString("/chosen")));
}

} // namespace
} // namespace halvorn::test

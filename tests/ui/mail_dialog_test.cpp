// The mail account dialog: opening, control states, choice changes keeping the typing, and every confirm.
#include "support/DialogInput.h"
#include "ui/dialogs/DlgEmailSetting.h"

#include <QCheckBox>
#include <QPushButton>

using namespace halvorn;
using namespace halvorn::test;

namespace {

constexpr int kRelay = 0, kGmail = 1, kOther = 2;
const std::array kFields{mail::senderAddress, mail::account, mail::password, mail::smtpServer, mail::smtpPort};
const QString kNames = "メール|アカウント|パスワード|SMTPサーバー|SMTPポート";

struct MailDialog : ::testing::Test {
    TestContext t;
    ui::DlgEmailSetting dlg{t.ctx};

    int open(const std::function<void()>& act) { return openAndRun(t.prompter, dlg, act); }
    // A profile saved on `choice` with an account and server settings of its own.
    void saveProfile(int choice, const QString& address, std::uint8_t secure = 0x41) {
        MailServerEntry e{};
        put(e, kFields, address + "|acc|pw|smtp.profile.example|2525", *t.codec);
        e[mail::secureType] = secure;
        t.record.setMailServer(e);
        t.record.setU8(rec::mailPresetIndex, static_cast<std::uint8_t>(choice));
        t.record.setU8(rec::reserved110, 0x5A);
    }
    // Per field masked (*) or clear (.) and editable (+) or locked (-); whether the box, the encryption list
    // and the port can be used; whether the box is ticked.
    QString state() {
        QString v;
        for (const QString& n : kNames.split('|')) {
            const auto* e = named<QLineEdit>(&dlg, n);
            v += QString(e->echoMode() == QLineEdit::Password ? "*" : ".") + (e->isEnabled() ? "+" : "-");
        }
        return v + usable(&dlg, "パスワードを表示する|暗号化タイプ|SMTPポート") + shown(&dlg, "パスワードを表示する");
    }
};
// The control states by choice, with the show-password flag clear and set.
const QString kStates[3][2] = {
    {"*-*-*-.-.-0000", "*-*-*-.-.-0000"}, {".+.+*+.-.-1000", ".+.+.+.-.-1001"}, {".+.+*+.+.+1110", ".+.+.+.+.+1111"}};

TEST_F(MailDialog, OpeningTakesTheSavedChoiceOnlyWithAnAddressOfFourCharactersAndTheFlagIsKept) {
    const struct {
        int index;
        QString address;
        std::uint8_t secure;
        int choice, encryption;
    } cases[] = {{kGmail, "ab@c", 0x41, kGmail, 1},    {kGmail, "a@b", 0x41, kRelay, 0},
                 {kOther, "あい@う", 0x52, kOther, 2}, {kOther, "あ@う", 0x41, kRelay, 0},
                 {3, "me@x.jp", 0x41, kRelay, 0},      {kOther, "me@x.jp", 0x4F, kOther, -1}};
    int flag = 0; // the show-password flag, kept from one opening to the next
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address.toStdString() + " at " + std::to_string(c.index));
        saveProfile(c.index, c.address, c.secure);
        const MailServerEntry from = c.choice == kRelay ? t.mailPresets.row(kMailPresetRelay) : t.record.mailServer();
        open([&] {
            EXPECT_EQ(dlg.choiceList()->currentIndex(), c.choice);
            EXPECT_EQ(shown(&dlg, kNames), held(from, kFields, *t.codec));
            const int relayCode = from[mail::secureType] & 0x0F;
            EXPECT_EQ(dlg.encryptionList()->currentIndex(), c.choice == kRelay ? relayCode : c.encryption);
            EXPECT_EQ(state(), kStates[c.choice][flag]);
            toggleByAssistiveTool(dlg.showPasswordBox()); // as a screen reader does; no effect on the relay
            flag ^= c.choice != kRelay;
            EXPECT_EQ(state(), kStates[c.choice][flag]);
        });
    }
}

TEST_F(MailDialog, ChoiceChangesKeepTheTypingInThePresetRowsForTheRunAndEscapeWritesNothing) {
    MailServerEntry gmail = t.mailPresets.row(kMailPresetGmail), custom = t.mailPresets.row(kMailPresetCustom);
    const ProfileRecord before = t.record;
    open([&] {
        dlg.choiceList()->setCurrentIndex(kGmail);
        fill(&dlg, "メール", "");
        QTest::keyClicks(named(&dlg, "メール"), "m@"); // typing the address copies it into the account
        EXPECT_EQ(shown(&dlg, "アカウント"), "m@");
        fill(&dlg, kNames, "me@gmail.example|me-login|secret");
        dlg.choiceList()->setCurrentIndex(kOther);
        EXPECT_EQ(shown(&dlg, kNames), held(custom, kFields, *t.codec));
        fill(&dlg, kNames, "a-longer-address@mine.example|you|pw|smtp.mine.example|2587");
        dlg.encryptionList()->setCurrentIndex(2);
        dlg.choiceList()->setCurrentIndex(kGmail); // loading shows the row's account, not the address
        EXPECT_EQ(shown(&dlg, kNames),
                  "me@gmail.example|me-login|secret|" + held(gmail, kFields, *t.codec).section('|', 3));
        dlg.choiceList()->setCurrentIndex(kOther);
        EXPECT_EQ(shown(&dlg, kNames) + dlg.encryptionList()->currentText(),
                  "a-longer-address@mine.example|you|pw|smtp.mine.example|2587STARTTLS");
        fill(&dlg, "メール", "x@y"); // shorter: no tail of the old text may stay
        dlg.choiceList()->setCurrentIndex(kRelay);
        dlg.choiceList()->setCurrentIndex(kOther);
        fill(&dlg, "SMTPポート", "");
        QTest::keyClicks(named(&dlg, "SMTPポート"), "1234567"); // typing stops at the field's limit
        EXPECT_EQ(shown(&dlg, "SMTPポート"), "12345");
        QTest::keyClick(&dlg, Qt::Key_Escape);
    });
    EXPECT_EQ(diff(before, t.record), Offsets{});
    put(gmail, kFields, "me@gmail.example|me-login|secret", *t.codec); // server block, sender name untouched
    EXPECT_EQ(t.mailPresets.row(kMailPresetGmail), gmail);
    put(custom, kFields, "x@y|x@y|pw|smtp.mine.example|2587", *t.codec);
    custom[mail::secureType] = 0x42;
    EXPECT_EQ(t.mailPresets.row(kMailPresetCustom), custom);
    EXPECT_EQ(items(dlg.choiceList()) + '/' + items(dlg.encryptionList()),
              "Merrowindサーバー|gmail|その他/無し|SSL/TLS|STARTTLS");
}

// A confirm on a profile saved on "gmail": the choice, the typed values, then
// the message of the first failing check, or none and the sender name written.
struct Confirm {
    int choice;
    QString typed;
    int encryption;
    QString message, senderName = {};
};
struct MailConfirm : MailDialog, ::testing::WithParamInterface<Confirm> {};

TEST_P(MailConfirm, WritesExactlyTheMailEntryAndChoiceOrNothing) {
    const Confirm& c = GetParam();
    saveProfile(kGmail, "someone@example.org");
    ProfileRecord want = t.record;
    const int result = open([&] {
        dlg.choiceList()->setCurrentIndex(c.choice);
        if (c.choice != kRelay) fill(&dlg, kNames, c.typed);
        if (c.choice == kOther) dlg.encryptionList()->setCurrentIndex(c.encryption);
        dlg.okButton()->click();
    });
    if (c.message.isEmpty()) { // the relay's entry is row 0; a service keeps its row's server block
        MailServerEntry e = t.mailPresets.row(c.choice == kGmail ? kMailPresetGmail : kMailPresetRelay);
        if (c.choice != kRelay) {
            std::fill(e.begin() + (c.choice == kGmail ? mail::account.offset : 0), e.end(), std::uint8_t{0});
            e[mail::secureType] =
                static_cast<std::uint8_t>(c.choice == kOther ? 0x40 + c.encryption : e[mail::secureType]);
            put(e, kFields, c.typed, *t.codec);
            put(e, std::array{mail::senderName}, c.senderName, *t.codec);
        }
        want.setMailServer(e);
        want.setU8(rec::mailPresetIndex, static_cast<std::uint8_t>(c.choice));
    }
    const auto m = t.prompter.messages();
    EXPECT_EQ(m.size() == 1 ? m[0].title + '|' + m[0].text : "",
              c.message.isEmpty() ? "" : "送信メール設定|" + c.message);
    EXPECT_TRUE(m.empty() || m[0].icon == ui::MessageIcon::None);
    EXPECT_EQ(result, c.message.isEmpty() ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(diff(want, t.record), Offsets{}) << c.typed.toStdString();
}

const QString kEmpty = "メールアドレスまたはアカウント名を入力してください",
              kPort = "SMTPポートには0から65535までの数値を入力してください",
              kCommand = "に使用できない文字 (制御文字、「<」または「>」) が含まれています";
INSTANTIATE_TEST_SUITE_P(
    Cases, MailConfirm,
    ::testing::Values(Confirm{kOther, "||||", 0, "サーバー名を入力してください"},
                      Confirm{kOther, "|||s|", 0, "ポート番号を入力してください"},
                      Confirm{kOther, "a@x|a|p|s|25", -1, "暗号化タイプを選択してください"},
                      Confirm{kOther, "a@x|a|p|s|65536", 0, kPort},
                      Confirm{kOther, "nobody|a|p|s|25", 0, "メールアドレスが無効です"},
                      Confirm{kGmail, "a@x|a|", 0, kEmpty},
                      Confirm{kOther, "한@x|a|p|s|25", 0, "メールに使用できない文字が含まれています"},
                      Confirm{kOther, "a@x>|a|p|s|25", 0, "メール" + kCommand},
                      Confirm{kGmail, "a@x|a<b|p", 0, "アカウント" + kCommand},
                      Confirm{kOther, "a@x|a|p|" + QString(32, u'サ') + "|25", 0, "SMTPサーバーが長すぎます"},
                      Confirm{kRelay, "", 0, ""}, Confirm{kGmail, "cam@gmail.example|cam-login|p%d%s%%", 0, "", "cam"},
                      Confirm{kOther, "@|a|p|mail.own|0", 0, "", ""},
                      Confirm{kOther, "abc@|a|p|mail.own|65535", 1, "", "abc"},
                      Confirm{kOther, "a@b@c|a|p|mail.own|25a", 2, "", "a"},
                      Confirm{kGmail, QString(30, u'n') + "@x|a|p", 0, "", QString(23, u'n')}));

} // namespace

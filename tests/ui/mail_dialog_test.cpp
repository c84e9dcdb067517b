// The mail account dialog: opening, control states, choice changes keeping the
// typing in the preset rows, the account copy, the show-password flag and the
// confirm with its checks.
#include "profile/ProfileDefaults.h"
#include "profile/ProfileText.h"
#include "support/DialogInput.h"
#include "support/TestContext.h"
#include "ui/dialogs/DlgEmailSetting.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using halvorn::Field;
using halvorn::MailServerEntry;
using halvorn::ProfileRecord;
using halvorn::ui::DlgEmailSetting;
namespace mail = halvorn::mail;
namespace rec = halvorn::rec;

namespace {

constexpr int kRelay = 0, kGmail = 1, kOther = 2;

using halvorn::test::keyIn;

QLabel* labelOf(QWidget& dialog, QWidget* control) {
    for (QLabel* l : dialog.findChildren<QLabel*>())
        if (l->buddy() == control) return l;
    return nullptr;
}

class MailDialog : public ::testing::Test {
protected:
    halvorn::test::TestContext t;
    DlgEmailSetting dlg{t.ctx};

    // Opens the dialog and runs `act` inside it; returns the dialog's result.
    int open(const std::function<void()>& act = [] {}) { return halvorn::test::openAndRun(t.prompter, dlg, act); }

    QString recordText(Field f) const {
        return QString::fromStdU16String(halvorn::loadText(t.record.area(rec::mailServer, f), *t.codec));
    }
    QString rowText(int row, Field f) const {
        const MailServerEntry& e = t.mailPresets.row(row);
        return QString::fromStdU16String(halvorn::loadText({e.data() + f.offset, f.width}, *t.codec));
    }
    void putRecordText(Field f, const char16_t* text) {
        t.record.clear(rec::mailServer + f.offset, f.width);
        ASSERT_EQ(halvorn::storeText(t.record.area(rec::mailServer, f), text, *t.codec), halvorn::TextStatus::Stored);
    }
    // A profile saved on `choice` with its own server settings and account.
    void saveProfile(int choice, const char16_t* address) {
        putRecordText(mail::smtpServer, u"smtp.profile.example");
        putRecordText(mail::smtpPort, u"2525");
        t.record.setU8(rec::mailServer + mail::secureType, 0x41);
        putRecordText(mail::senderAddress, address);
        putRecordText(mail::account, u"profile-account");
        putRecordText(mail::password, u"profile-pass");
        t.record.setU8(rec::mailPresetIndex, static_cast<std::uint8_t>(choice));
    }
    void type(QLineEdit* edit, const QString& text) {
        edit->clear();
        keyIn(edit, text);
    }
    void fillAccount(const QString& address, const QString& account, const QString& password) {
        type(dlg.addressEdit(), address);
        type(dlg.accountEdit(), account);
        type(dlg.passwordEdit(), password);
    }
    void fillServer(const QString& server, const QString& port, int encryption) {
        type(dlg.serverEdit(), server);
        type(dlg.portEdit(), port);
        dlg.encryptionList()->setCurrentIndex(encryption);
    }
    QString confirmMessage() {
        dlg.okButton()->click();
        const auto m = t.prompter.messages();
        return m.empty() ? QString() : m.back().text;
    }
};

// --- Opening -------------------------------------------------------------

TEST_F(MailDialog, DefaultProfileOpensOnTheRelayWithRowZeroLockedAndOkClosesWithoutChecks) {
    const ProfileRecord before = t.record;
    const int result = open([&] {
        EXPECT_EQ(dlg.choiceList()->currentIndex(), kRelay);
        EXPECT_EQ(dlg.addressEdit()->text(), rowText(0, mail::senderAddress));
        EXPECT_EQ(dlg.accountEdit()->text(), rowText(0, mail::account));
        EXPECT_EQ(dlg.passwordEdit()->text(), rowText(0, mail::password));
        EXPECT_EQ(dlg.encryptionList()->currentText(), QStringLiteral("STARTTLS"));
        EXPECT_EQ(dlg.portEdit()->text(), QStringLiteral("587"));
        dlg.okButton()->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(t.prompter.messages().empty());
    EXPECT_EQ(t.record, before) << "the relay confirm writes a copy of row 0, which the defaults hold";
}

TEST_F(MailDialog, SavedChoiceNeedsAnAddressLongerThanThreeCharacters) {
    saveProfile(kGmail, u"a@b");
    open([&] {
        EXPECT_EQ(dlg.choiceList()->currentIndex(), kRelay);
        EXPECT_EQ(dlg.addressEdit()->text(), rowText(0, mail::senderAddress));
        EXPECT_EQ(dlg.serverEdit()->text(), rowText(0, mail::smtpServer));
    });

    saveProfile(kGmail, u"ab@c");
    open([&] {
        EXPECT_EQ(dlg.choiceList()->currentIndex(), kGmail);
        EXPECT_EQ(dlg.addressEdit()->text(), QStringLiteral("ab@c"));
        EXPECT_EQ(dlg.accountEdit()->text(), QStringLiteral("profile-account"));
        EXPECT_EQ(dlg.passwordEdit()->text(), QStringLiteral("profile-pass"));
        EXPECT_EQ(dlg.serverEdit()->text(), QStringLiteral("smtp.profile.example"));
        EXPECT_EQ(dlg.portEdit()->text(), QStringLiteral("2525"));
        EXPECT_EQ(dlg.encryptionList()->currentIndex(), 1);
        EXPECT_FALSE(dlg.serverEdit()->isEnabled());
    });
}

TEST_F(MailDialog, AddressLengthCountsCharactersNotBytes) {
    saveProfile(kOther, u"あい@う"); // 4 characters, 7 bytes
    open([&] { EXPECT_EQ(dlg.choiceList()->currentIndex(), kOther); });
    saveProfile(kOther, u"あ@う"); // 3 characters, 5 bytes
    open([&] { EXPECT_EQ(dlg.choiceList()->currentIndex(), kRelay); });
}

TEST_F(MailDialog, IndexOutsideTheListFromAForeignBackupOpensOnTheRelay) {
    for (int index : {3, 9, 200, 255}) {
        saveProfile(index, u"someone@example.org");
        open([&] {
            EXPECT_EQ(dlg.choiceList()->currentIndex(), kRelay) << index;
            EXPECT_EQ(dlg.addressEdit()->text(), rowText(0, mail::senderAddress)) << index;
            EXPECT_FALSE(dlg.addressEdit()->isEnabled());
        });
    }
}

TEST_F(MailDialog, UnknownEncryptionCodeShowsNoChoiceAndIsRefusedOnOther) {
    saveProfile(kOther, u"someone@example.org");
    t.record.setU8(rec::mailServer + mail::secureType, 0x4F);
    const ProfileRecord before = t.record;
    open([&] {
        EXPECT_EQ(dlg.encryptionList()->currentIndex(), -1);
        EXPECT_EQ(confirmMessage(), QStringLiteral("暗号化タイプを選択してください"));
    });
    EXPECT_EQ(t.record, before);
}

// --- Control states ------------------------------------------------------

TEST_F(MailDialog, ControlStatesFollowTheChoice) {
    open([&] {
        // Relay: masked with "*", locked, box unusable; server settings locked.
        for (QLineEdit* e : {dlg.addressEdit(), dlg.accountEdit(), dlg.passwordEdit()}) {
            EXPECT_EQ(e->echoMode(), QLineEdit::Password);
            EXPECT_FALSE(e->isEnabled());
            EXPECT_TRUE(e->styleSheet().contains(QStringLiteral("lineedit-password-character: 42")));
        }
        EXPECT_FALSE(dlg.showPasswordBox()->isEnabled());
        EXPECT_FALSE(dlg.showPasswordBox()->isChecked());
        EXPECT_FALSE(dlg.serverEdit()->isEnabled());
        EXPECT_FALSE(dlg.encryptionList()->isEnabled());
        EXPECT_FALSE(dlg.portEdit()->isEnabled());
        for (QWidget* w : std::initializer_list<QWidget*>{dlg.serverEdit(), dlg.encryptionList(), dlg.portEdit()}) {
            ASSERT_NE(labelOf(dlg, w), nullptr);
            EXPECT_FALSE(labelOf(dlg, w)->isEnabled());
        }

        // Service: credentials in clear and editable, password masked, server locked.
        dlg.choiceList()->setCurrentIndex(kGmail);
        EXPECT_EQ(dlg.addressEdit()->echoMode(), QLineEdit::Normal);
        EXPECT_EQ(dlg.accountEdit()->echoMode(), QLineEdit::Normal);
        EXPECT_EQ(dlg.passwordEdit()->echoMode(), QLineEdit::Password);
        for (QLineEdit* e : {dlg.addressEdit(), dlg.accountEdit(), dlg.passwordEdit()})
            EXPECT_TRUE(e->isEnabled());
        EXPECT_TRUE(dlg.showPasswordBox()->isEnabled());
        EXPECT_FALSE(dlg.serverEdit()->isEnabled());
        EXPECT_FALSE(dlg.portEdit()->isEnabled());
        EXPECT_EQ(dlg.serverEdit()->text(), rowText(1, mail::smtpServer));
        EXPECT_EQ(dlg.portEdit()->text(), QStringLiteral("465"));
        EXPECT_EQ(dlg.encryptionList()->currentText(), QStringLiteral("SSL/TLS"));

        // Other: everything editable.
        dlg.choiceList()->setCurrentIndex(kOther);
        for (QWidget* w : std::initializer_list<QWidget*>{dlg.addressEdit(), dlg.accountEdit(), dlg.passwordEdit(),
                                                          dlg.showPasswordBox(), dlg.serverEdit(), dlg.encryptionList(),
                                                          dlg.portEdit()})
            EXPECT_TRUE(w->isEnabled()) << w->accessibleName().toStdString();
        for (QWidget* w : std::initializer_list<QWidget*>{dlg.serverEdit(), dlg.encryptionList(), dlg.portEdit()})
            EXPECT_TRUE(labelOf(dlg, w)->isEnabled());
        EXPECT_EQ(dlg.encryptionList()->currentText(), QStringLiteral("無し"));
    });
}

// --- Choice changes ------------------------------------------------------

TEST_F(MailDialog, ChoiceChangeKeepsTheTypingInThePresetRowsForTheRun) {
    const auto gmailServerBlock = t.mailPresets.row(1);
    open([&] {
        dlg.choiceList()->setCurrentIndex(kGmail);
        fillAccount(QStringLiteral("me@gmail.example"), QStringLiteral("me-login"), QStringLiteral("secret"));
        dlg.choiceList()->setCurrentIndex(kOther);
        EXPECT_EQ(dlg.addressEdit()->text(), QString()); // row 9 starts empty
        fillAccount(QStringLiteral("you@mine.example"), QStringLiteral("you"), QStringLiteral("pw"));
        fillServer(QStringLiteral("smtp.mine.example"), QStringLiteral("2587"), 2);
        dlg.choiceList()->setCurrentIndex(kGmail);
        EXPECT_EQ(dlg.addressEdit()->text(), QStringLiteral("me@gmail.example"));
        EXPECT_EQ(dlg.accountEdit()->text(), QStringLiteral("me-login"));
        EXPECT_EQ(dlg.passwordEdit()->text(), QStringLiteral("secret"));
        dlg.choiceList()->setCurrentIndex(kOther);
        EXPECT_EQ(dlg.serverEdit()->text(), QStringLiteral("smtp.mine.example"));
        EXPECT_EQ(dlg.portEdit()->text(), QStringLiteral("2587"));
        EXPECT_EQ(dlg.encryptionList()->currentText(), QStringLiteral("STARTTLS"));
        EXPECT_EQ(dlg.accountEdit()->text(), QStringLiteral("you"));
        dlg.cancelButton()->click();
    });
    // The rows keep the typing after a cancel; the service row's server block and
    // the sender names are not touched.
    EXPECT_EQ(rowText(1, mail::senderAddress), QStringLiteral("me@gmail.example"));
    EXPECT_EQ(rowText(1, mail::senderName), QString());
    EXPECT_TRUE(std::equal(gmailServerBlock.begin(), gmailServerBlock.begin() + 72, t.mailPresets.row(1).begin()));
    EXPECT_EQ(rowText(9, mail::smtpServer), QStringLiteral("smtp.mine.example"));
    EXPECT_EQ(t.mailPresets.row(9)[mail::secureType], 0x42);
    // A later opening of a default profile still starts on the relay, and the
    // rows bring the typing back when chosen.
    open([&] {
        EXPECT_EQ(dlg.choiceList()->currentIndex(), kRelay);
        dlg.choiceList()->setCurrentIndex(kGmail);
        EXPECT_EQ(dlg.accountEdit()->text(), QStringLiteral("me-login"));
    });
}

TEST_F(MailDialog, ShorterTypingLeavesNoTailOfTheOldTextInTheRow) {
    open([&] {
        dlg.choiceList()->setCurrentIndex(kGmail);
        fillAccount(QStringLiteral("longer-name@example.org"), QStringLiteral("a"), QStringLiteral("b"));
        dlg.choiceList()->setCurrentIndex(kOther);
        dlg.choiceList()->setCurrentIndex(kGmail);
        type(dlg.addressEdit(), QStringLiteral("x@y"));
        dlg.choiceList()->setCurrentIndex(kOther);
    });
    const auto& row = t.mailPresets.row(1);
    for (std::size_t i = mail::senderAddress.offset + 3; i < mail::senderAddress.offset + mail::senderAddress.width;
         ++i)
        ASSERT_EQ(row[i], 0) << i;
}

TEST_F(MailDialog, ChoiceChangeWithATextTheRowCannotHoldStaysPut) {
    const auto row1 = t.mailPresets.row(1);
    open([&] {
        dlg.choiceList()->setCurrentIndex(kGmail);
        fillAccount(QString(30, QChar(u'あ')), QStringLiteral("a"), QStringLiteral("b")); // 60 bytes
        dlg.choiceList()->setCurrentIndex(kOther);
        EXPECT_EQ(dlg.choiceList()->currentIndex(), kGmail);
        EXPECT_EQ(dlg.addressEdit()->text(), QString(30, QChar(u'あ')));
    });
    EXPECT_EQ(t.prompter.onlyMessage().text, QStringLiteral("メールが長すぎます"));
    EXPECT_EQ(t.prompter.onlyMessage().title, QStringLiteral("送信メール設定"));
    EXPECT_EQ(t.mailPresets.row(1), row1);
}

// --- Account copy and show password --------------------------------------

TEST_F(MailDialog, TypingTheAddressCopiesItIntoTheAccountButLoadingKeepsTheLoadedAccount) {
    saveProfile(kGmail, u"someone@example.org");
    open([&] {
        EXPECT_EQ(dlg.accountEdit()->text(), QStringLiteral("profile-account"));
        dlg.addressEdit()->clear();
        EXPECT_EQ(dlg.accountEdit()->text(), QString());
        keyIn(dlg.addressEdit(), QStringLiteral("k"));
        EXPECT_EQ(dlg.accountEdit()->text(), QStringLiteral("k"));
        keyIn(dlg.addressEdit(), QStringLiteral("@x"));
        EXPECT_EQ(dlg.accountEdit()->text(), QStringLiteral("k@x"));
    });
}

TEST_F(MailDialog, ShowPasswordFlagSurvivesChoicesAndOpenings) {
    open([&] {
        dlg.choiceList()->setCurrentIndex(kGmail);
        type(dlg.passwordEdit(), QStringLiteral("pw"));
        dlg.showPasswordBox()->click();
        EXPECT_EQ(dlg.passwordEdit()->echoMode(), QLineEdit::Normal);
        EXPECT_EQ(dlg.passwordEdit()->text(), QStringLiteral("pw"));
        dlg.choiceList()->setCurrentIndex(kRelay);
        EXPECT_FALSE(dlg.showPasswordBox()->isChecked());
        EXPECT_EQ(dlg.passwordEdit()->echoMode(), QLineEdit::Password);
        EXPECT_TRUE(dlg.showPasswordFlag());
        dlg.choiceList()->setCurrentIndex(kGmail);
        EXPECT_TRUE(dlg.showPasswordBox()->isChecked());
        EXPECT_EQ(dlg.passwordEdit()->echoMode(), QLineEdit::Normal);
    });
    open([&] {
        EXPECT_FALSE(dlg.showPasswordBox()->isChecked()); // the relay again
        dlg.choiceList()->setCurrentIndex(kOther);
        EXPECT_TRUE(dlg.showPasswordBox()->isChecked());
        EXPECT_EQ(dlg.passwordEdit()->echoMode(), QLineEdit::Normal);
        dlg.showPasswordBox()->click();
        EXPECT_EQ(dlg.passwordEdit()->echoMode(), QLineEdit::Password);
    });
    EXPECT_FALSE(dlg.showPasswordFlag());
}

// --- Confirm -------------------------------------------------------------

TEST_F(MailDialog, ConfirmMessagesInTheirOrder) {
    open([&] {
        dlg.choiceList()->setCurrentIndex(kOther);
        EXPECT_EQ(confirmMessage(), QStringLiteral("サーバー名を入力してください"));
        EXPECT_EQ(t.prompter.messages().size(), 1u);
        type(dlg.serverEdit(), QStringLiteral("smtp.x"));
        EXPECT_EQ(confirmMessage(), QStringLiteral("ポート番号を入力してください"));
        type(dlg.portEdit(), QStringLiteral("25"));
        EXPECT_EQ(confirmMessage(), QStringLiteral("メールアドレスまたはアカウント名を入力してください"));

        dlg.choiceList()->setCurrentIndex(kGmail);
        fillAccount(QStringLiteral("nobody"), QStringLiteral("nobody"), QStringLiteral("pw"));
        EXPECT_EQ(confirmMessage(), QStringLiteral("メールアドレスが無効です"));
        dlg.accountEdit()->clear();
        EXPECT_EQ(confirmMessage(), QStringLiteral("メールアドレスまたはアカウント名を入力してください"));
        type(dlg.accountEdit(), QStringLiteral("a"));
        dlg.passwordEdit()->clear();
        EXPECT_EQ(confirmMessage(), QStringLiteral("メールアドレスまたはアカウント名を入力してください"));
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    });
    for (const auto& m : t.prompter.messages()) {
        EXPECT_EQ(m.title, QStringLiteral("送信メール設定"));
        EXPECT_EQ(m.icon, halvorn::ui::MessageIcon::None);
    }
}

TEST_F(MailDialog, ServiceConfirmCopiesTheRowsServerBlockAndWritesTheAccount) {
    t.record.setU8(rec::reserved110, 0x5A);
    const int result = open([&] {
        dlg.choiceList()->setCurrentIndex(kGmail);
        fillAccount(QStringLiteral("cam@gmail.example"), QStringLiteral("cam-login"), QStringLiteral("p%d%s%%"));
        dlg.okButton()->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    const auto entry = t.record.mailServer();
    EXPECT_TRUE(std::equal(entry.begin(), entry.begin() + 72, t.mailPresets.row(1).begin()));
    EXPECT_EQ(recordText(mail::senderAddress), QStringLiteral("cam@gmail.example"));
    EXPECT_EQ(recordText(mail::account), QStringLiteral("cam-login"));
    EXPECT_EQ(recordText(mail::password), QStringLiteral("p%d%s%%"));
    EXPECT_EQ(recordText(mail::senderName), QStringLiteral("cam"));
    EXPECT_EQ(t.record.u8(rec::mailPresetIndex), kGmail);
    EXPECT_EQ(t.record.u8(rec::reserved110), 0x5A);
    // Nothing behind the texts' terminators.
    for (std::size_t i = mail::account.offset + 10; i < mail::account.offset + mail::account.width; ++i)
        ASSERT_EQ(entry[i], 0);
}

TEST_F(MailDialog, OtherConfirmWritesServerPortAndEncryptionCode) {
    open([&] {
        dlg.choiceList()->setCurrentIndex(kOther);
        fillAccount(QStringLiteral("me@own.example"), QStringLiteral("me"), QStringLiteral("pw"));
        fillServer(QStringLiteral("mail.own.example"), QStringLiteral("465"), 1);
        dlg.okButton()->click();
    });
    EXPECT_TRUE(t.prompter.messages().empty());
    EXPECT_EQ(recordText(mail::smtpServer), QStringLiteral("mail.own.example"));
    EXPECT_EQ(recordText(mail::smtpPort), QStringLiteral("465"));
    EXPECT_EQ(t.record.u8(rec::mailServer + mail::secureType), 0x41);
    EXPECT_EQ(t.record.u8(rec::mailServer + mail::reserved71), 0);
    EXPECT_EQ(t.record.u8(rec::mailPresetIndex), kOther);
}

TEST_F(MailDialog, PortBoundaries) {
    struct Case {
        QString port;
        bool accepted;
    };
    const Case cases[] = {
        {QStringLiteral("0"), true},   {QStringLiteral("65535"), true}, {QStringLiteral("65536"), false},
        {QStringLiteral("-1"), false}, {QStringLiteral("25a"), true},   {QStringLiteral("abc"), false},
        {QStringLiteral(" 25"), true}, {QStringLiteral("+25"), true},   {QStringLiteral("-0"), true},
        {QStringLiteral("-"), false},  {QStringLiteral("99999"), false}};
    for (const Case& c : cases) {
        halvorn::test::TestContext fresh;
        DlgEmailSetting d(fresh.ctx);
        const ProfileRecord before = fresh.record;
        fresh.prompter.dialogs.push_back([&](QDialog&) {
            d.choiceList()->setCurrentIndex(kOther);
            d.addressEdit()->setText(QStringLiteral("me@own.example"));
            d.passwordEdit()->setText(QStringLiteral("pw"));
            d.serverEdit()->setText(QStringLiteral("mail.own.example"));
            d.portEdit()->setText(c.port);
            d.okButton()->click();
            return d.result();
        });
        const int result = d.openModal();
        const auto port = c.port.toStdString();
        if (c.accepted) {
            EXPECT_EQ(result, QDialog::Accepted) << port;
            EXPECT_TRUE(fresh.prompter.messages().empty()) << port;
            EXPECT_EQ(QString::fromStdU16String(
                          halvorn::loadText(fresh.record.area(rec::mailServer, mail::smtpPort), *fresh.codec)),
                      c.port)
                << "the port text is stored as typed: " << port;
        } else {
            EXPECT_NE(result, QDialog::Accepted) << port;
            EXPECT_EQ(fresh.prompter.onlyMessage().text,
                      QStringLiteral("SMTPポートには0から65535までの数値を入力してください"))
                << port;
            EXPECT_EQ(fresh.record, before) << port;
        }
    }
}

TEST_F(MailDialog, SenderNameIsThePartBeforeTheFirstAt) {
    const struct {
        QString address;
        QString name;
    } cases[] = {{QStringLiteral("@"), QString()},
                 {QStringLiteral("abc@"), QStringLiteral("abc")},
                 {QStringLiteral("a@b@c"), QStringLiteral("a")},
                 // 30 letters before "@": the name keeps what its field holds.
                 {QString(30, QChar(u'n')) + QStringLiteral("@x.jp"), QString(23, QChar(u'n'))},
                 // Double-byte letters are cut between characters: 11 of them make 22 bytes.
                 {QString(15, QChar(u'あ')) + QStringLiteral("@x"), QString(11, QChar(u'あ'))}};
    for (const auto& c : cases) {
        open([&] {
            dlg.choiceList()->setCurrentIndex(kGmail);
            fillAccount(c.address, QStringLiteral("acc"), QStringLiteral("pw"));
            dlg.okButton()->click();
            EXPECT_EQ(dlg.result(), QDialog::Accepted) << c.address.toStdString();
        });
        EXPECT_EQ(recordText(mail::senderAddress), c.address);
        EXPECT_EQ(recordText(mail::senderName), c.name) << c.address.toStdString();
    }
}

TEST_F(MailDialog, FailedConfirmLeavesTheProfileAsItWas) {
    saveProfile(kGmail, u"someone@example.org");
    const ProfileRecord before = t.record;
    open([&] {
        // Fails after the server checks have passed.
        dlg.choiceList()->setCurrentIndex(kOther);
        fillAccount(QStringLiteral("no-at-sign"), QStringLiteral("acc"), QStringLiteral("pw"));
        fillServer(QStringLiteral("smtp.x"), QStringLiteral("25"), 0);
        EXPECT_EQ(confirmMessage(), QStringLiteral("メールアドレスが無効です"));
        EXPECT_EQ(t.record, before);
        dlg.cancelButton()->click();
    });
    EXPECT_EQ(t.record, before);
}

TEST_F(MailDialog, TextsTheFieldsCannotHoldAreRefusedNamingTheField) {
    const ProfileRecord before = t.record;
    const struct {
        QString address, account, password, server;
        QString message;
    } cases[] = {
        {QStringLiteral("한@x"), QStringLiteral("a"), QStringLiteral("p"), QStringLiteral("s"),
         QStringLiteral("メールに使用できない文字が含まれています")},
        {QStringLiteral("a@x"), QString(24, QChar(u'あ')), QStringLiteral("p"), QStringLiteral("s"),
         QStringLiteral("アカウントが長すぎます")},
        {QStringLiteral("a@x"), QStringLiteral("a"), QString(32, QChar(u'ア')), QStringLiteral("s"),
         QStringLiteral("パスワードが長すぎます")},
        {QStringLiteral("a@x"), QStringLiteral("a"), QStringLiteral("p"), QString(32, QChar(u'サ')),
         QStringLiteral("SMTPサーバーが長すぎます")},
    };
    for (const auto& c : cases) {
        t.prompter.clear();
        open([&] {
            dlg.choiceList()->setCurrentIndex(kOther);
            fillAccount(c.address, c.account, c.password);
            fillServer(c.server, QStringLiteral("25"), 0);
            EXPECT_EQ(confirmMessage(), c.message);
            EXPECT_EQ(dlg.result(), QDialog::Rejected);
        });
        EXPECT_EQ(t.record, before) << c.message.toStdString();
    }
}

TEST_F(MailDialog, TextLongerThanTheLimitGetsTheStandardMessage) {
    const ProfileRecord before = t.record;
    open([&] {
        dlg.choiceList()->setCurrentIndex(kGmail);
        dlg.addressEdit()->setText(QString(48, QChar(u'a')) + QStringLiteral("@x")); // put in, not typed
        type(dlg.passwordEdit(), QStringLiteral("pw"));
        EXPECT_EQ(confirmMessage(), QStringLiteral("Enter no more than 47 characters."));
    });
    EXPECT_EQ(t.record, before);
}

TEST_F(MailDialog, TypingStopsAtTheLimits) {
    open([&] {
        dlg.choiceList()->setCurrentIndex(kOther);
        keyIn(dlg.portEdit(), QStringLiteral("1234567"));
        EXPECT_EQ(dlg.portEdit()->text(), QStringLiteral("12345"));
        keyIn(dlg.addressEdit(), QString(50, QChar(u'a')));
        EXPECT_EQ(dlg.addressEdit()->text().size(), 47);
    });
}

TEST_F(MailDialog, EscapeAndCancelWriteNothing) {
    saveProfile(kGmail, u"someone@example.org");
    const ProfileRecord before = t.record;
    const int result = open([&] {
        type(dlg.addressEdit(), QStringLiteral("changed@x"));
        QTest::keyClick(&dlg, Qt::Key_Escape);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(t.record, before);
}

TEST_F(MailDialog, ControlsAreNamedByTheirLabels) {
    open([&] {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("送信メール設定"));
        EXPECT_EQ(dlg.choiceList()->accessibleName(), QStringLiteral("メール選択"));
        EXPECT_EQ(dlg.choiceList()->accessibleDescription(), QStringLiteral("メール選択"));
        EXPECT_EQ(dlg.encryptionList()->accessibleDescription(), QStringLiteral("暗号化タイプ"));
        EXPECT_EQ(dlg.addressEdit()->accessibleName(), QStringLiteral("メール"));
        EXPECT_EQ(dlg.accountEdit()->accessibleName(), QStringLiteral("アカウント"));
        EXPECT_EQ(dlg.passwordEdit()->accessibleName(), QStringLiteral("パスワード"));
        EXPECT_EQ(dlg.showPasswordBox()->accessibleName(), QStringLiteral("パスワードを表示する"));
        EXPECT_EQ(dlg.serverEdit()->accessibleName(), QStringLiteral("SMTPサーバー"));
        EXPECT_EQ(dlg.portEdit()->accessibleName(), QStringLiteral("SMTPポート"));
        EXPECT_EQ(dlg.okButton()->text(), QStringLiteral("OK"));
        EXPECT_EQ(dlg.cancelButton()->text(), QStringLiteral("キャンセル"));
        QStringList items;
        for (int i = 0; i < dlg.choiceList()->count(); ++i)
            items << dlg.choiceList()->itemText(i);
        EXPECT_EQ(items, (QStringList{QStringLiteral("Merrowindサーバー"), QStringLiteral("gmail"),
                                      QStringLiteral("その他")}));
        // Every label is the buddy of its control.
        for (QWidget* w :
             std::initializer_list<QWidget*>{dlg.choiceList(), dlg.addressEdit(), dlg.accountEdit(), dlg.passwordEdit(),
                                             dlg.serverEdit(), dlg.encryptionList(), dlg.portEdit()}) {
            QLabel* l = labelOf(dlg, w);
            ASSERT_NE(l, nullptr) << w->accessibleName().toStdString();
            EXPECT_EQ(l->text(), w->accessibleName());
        }
    });
}

} // namespace

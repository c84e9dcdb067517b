// The main window's save checks, the save itself, the folder choice and the reset.

#include "MainWindowFixture.h"

#include "catalog/MailPresets.h"
#include "catalog/OperatorCatalog.h"

#include <QFile>
#include <QValidator>

#include <sys/stat.h>
#include <unistd.h>

namespace halvorn::test {
namespace {

using ui::MessageIcon;

const QString kRecipients = QStringLiteral("受信者設定");
const QString kRename = QStringLiteral("名前変更");

class MainChecksTest : public MainWindowTest {
protected:
    // Runs the checks and expects them to fail with exactly this message.
    void expectFailure(const QString& title, const QString& text) {
        t.prompter.clear();
        EXPECT_FALSE(gsm().checkAndStore());
        expectOnlyMessage(title, text, MessageIcon::Error);
    }
    void expectSuccess() {
        t.prompter.clear();
        EXPECT_TRUE(gsm().checkAndStore());
        EXPECT_TRUE(t.prompter.messages().empty()) << t.prompter.messages().front().text.toStdString();
    }
    void smsOn() { pick(c().smsList, 1); }
};

TEST_F(MainChecksTest, CountRange) {
    setMail(1, QStringLiteral("a@b"));
    for (const char* count : {"0", "99"}) {
        c().countField->setText(QString::fromLatin1(count));
        expectSuccess();
        EXPECT_EQ(record().u8(rec::maxSendCount), QString::fromLatin1(count).toInt());
    }
    c().countField->setText(QStringLiteral("100"));
    expectFailure(QStringLiteral("送信モード"), QStringLiteral("最大枚数は0-99の範囲で設定してください"));
    EXPECT_EQ(record().u8(rec::maxSendCount), 99);

    // Disabled by the send mode, still checked.
    for (int mode : {1, 3}) {
        c().sendModeRadios[mode]->click();
        ASSERT_FALSE(c().countField->isEnabled());
        expectFailure(QStringLiteral("送信モード"), QStringLiteral("最大枚数は0-99の範囲で設定してください"));
    }
    c().countField->setText(QStringLiteral("99"));
    expectSuccess();
    EXPECT_EQ(record().u8(rec::sendMode), 3);
}

TEST_F(MainChecksTest, StoresTheTimingAsOneValue) {
    setMail(1, QStringLiteral("a@b"));
    c().sendModeRadios[2]->click();
    pick(c().hourList, 18);
    pick(c().minuteList, 30);
    c().countField->setText(QStringLiteral("25"));
    c().cameraModeRadios[1]->click();
    c().compressionRadios[2]->click();
    expectSuccess();
    EXPECT_EQ(record().u32(rec::sendMinute), 30u | (18u << 8) | (25u << 16) | (2u << 24));
    EXPECT_EQ(record().u8(rec::cameraMode), 1);
    EXPECT_EQ(record().u16(rec::sendCompression), 2);
    EXPECT_EQ(record().u16(rec::sendTarget), 1);
}

TEST_F(MainChecksTest, PhoneNumberLengths) {
    setMail(1, QStringLiteral("a@b"));
    const QString sms = QStringLiteral("SMS設定用電話番号が最大文字数を超えています");
    const QString other = QStringLiteral("受信する電話番号が最大文字数を超えています");
    struct Case {
        int digits;
        bool ok;
    };
    for (const bool on : {false, true}) {
        if (on) smsOn();
        for (const int slot : {1, 2, 4}) {
            for (const Case k : {Case{3, false}, Case{4, true}, Case{15, true}, Case{16, false}}) {
                SCOPED_TRACE(testing::Message() << "sms " << on << " slot " << slot << " digits " << k.digits);
                for (int n = 1; n <= 4; ++n)
                    setPhone(n, QString());
                if (on && slot != 1) setPhone(1, QStringLiteral("0901234567"));
                const QString number(k.digits, u'7');
                setPhone(slot, number);
                if (k.ok) {
                    expectSuccess();
                    EXPECT_EQ(text(rec::phoneText(static_cast<std::size_t>(slot - 1))), number.toStdU16String());
                } else {
                    expectFailure(kRecipients, on && slot == 1 ? sms : other);
                    EXPECT_EQ(record().u8(rec::phoneText(static_cast<std::size_t>(slot - 1)).offset), 0);
                }
            }
        }
    }
}

TEST_F(MainChecksTest, SmsNeedsTheFirstPhoneNumber) {
    setMail(1, QStringLiteral("a@b"));
    smsOn();
    setPhone(2, QStringLiteral("0901234567"));
    expectFailure(kRecipients, QStringLiteral("SMS設定用電話番号を入力してください"));
    // Phone 2 is checked after the SMS rule, so nothing of it is stored.
    EXPECT_EQ(record().u8(rec::phoneText(1).offset), 0);
    setPhone(1, QStringLiteral("0801234567"));
    expectSuccess();
    EXPECT_EQ(record().u16(rec::smsSwitch), 1);
}

TEST_F(MainChecksTest, RecipientAddressForms) {
    const QString malformed = QStringLiteral("無効なメールアドレスが入力されています");
    setMail(2, QStringLiteral("ok@example.jp"));
    for (const char* bad : {"@example.jp", "a", "ab", "abc", "@a"}) {
        SCOPED_TRACE(bad);
        setMail(1, QString::fromLatin1(bad));
        expectFailure(kRecipients, malformed);
    }
    // Two characters with "@": passes, but is not stored.
    setMail(1, QStringLiteral("a@"));
    expectSuccess();
    EXPECT_EQ(record().u8(rec::recipientSlot(0).offset), 0);
    EXPECT_EQ(text(rec::recipientSlot(1)), u"ok@example.jp");
    setMail(1, QStringLiteral("a@b"));
    expectSuccess();
    EXPECT_EQ(text(rec::recipientSlot(0)), u"a@b");
}

TEST_F(MainChecksTest, TwoCharacterAddressDoesNotCountAsRecipient) {
    setMail(1, QStringLiteral("x@"));
    expectFailure(kRecipients, QStringLiteral("受信するメールアドレスを入力してください"));
}

TEST_F(MainChecksTest, AddressLengthLimit) {
    const QString at47 = QString(40, u'a') + QStringLiteral("@ex.com"); // 47
    ASSERT_EQ(at47.size(), 47);
    setMail(4, at47);
    expectSuccess();
    EXPECT_EQ(text(rec::recipientSlot(3)), at47.toStdU16String());
    EXPECT_EQ(record().u8(rec::recipientSlot(3).offset + 47), 0);
    setMail(4, QStringLiteral("b") + at47);
    expectFailure(kRecipients, QStringLiteral("メールアドレスが最大文字数を超えています"));
    EXPECT_EQ(record().u8(rec::recipientSlot(3).offset), 0);
}

TEST_F(MainChecksTest, SlotsAreCheckedInOrder) {
    smsOn();
    setPhone(1, QStringLiteral("0901234567"));
    setPhone(2, QStringLiteral("123"));
    setMail(1, QStringLiteral("@bad"));
    expectFailure(kRecipients, QStringLiteral("無効なメールアドレスが入力されています"));
    EXPECT_EQ(text(rec::phoneText(0)), u"0901234567"); // stored before the address failed
    setMail(1, QStringLiteral("good@example.jp"));
    expectFailure(kRecipients, QStringLiteral("受信する電話番号が最大文字数を超えています"));
    EXPECT_EQ(text(rec::recipientSlot(0)), u"good@example.jp");
}

TEST_F(MainChecksTest, TargetNeedsItsRecipients) {
    const QString needPhone = QStringLiteral("受信する電話番号を入力してください");
    const QString needMail = QStringLiteral("受信するメールアドレスを入力してください");
    struct Case {
        int target;
        bool phone;
        bool mail;
        const QString* message; // nullptr: passes
    };
    const Case cases[] = {
        {0, false, false, &needPhone}, {0, true, false, nullptr},    {0, false, true, &needPhone},
        {1, false, false, &needMail},  {1, true, false, &needMail},  {1, false, true, nullptr},
        {2, true, false, &needMail},   {2, false, true, &needPhone}, {2, true, true, nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "target " << k.target << " phone " << k.phone << " mail " << k.mail);
        record().setU16(rec::sendTarget, static_cast<std::uint16_t>(k.target));
        open();
        EXPECT_EQ(c().mailFields[0]->isEnabled(), k.target != 0);
        // With SMS off the phone field is disabled but still counts.
        setPhone(3, k.phone ? QStringLiteral("09011112222") : QString());
        setMail(2, k.mail ? QStringLiteral("me@example.jp") : QString());
        if (k.message)
            expectFailure(kRecipients, *k.message);
        else
            expectSuccess();
        EXPECT_EQ(record().u16(rec::sendTarget), k.target);
    }
}

TEST_F(MainChecksTest, CameraName) {
    setMail(1, QStringLiteral("a@b"));
    const QString bad = QStringLiteral("名前変更欄に対応していない文字が入力されています");
    // Small letters pass the test on the upper-cased copy and are stored as held.
    putText(rec::cameraName, u"cam9");
    open();
    setMail(1, QStringLiteral("a@b"));
    EXPECT_EQ(c().nameField->text(), QStringLiteral("cam9"));
    expectSuccess();
    EXPECT_EQ(text(rec::cameraName), u"cam9");

    for (const char* name : {"CAM-1", "CAM 1", "-ABC"}) {
        SCOPED_TRACE(name);
        c().nameField->setText(QString::fromLatin1(name));
        expectFailure(kRename, bad); // rename is off: checked all the same
    }
    // An empty name clears the field.
    c().nameField->clear();
    expectSuccess();
    EXPECT_EQ(record().u8(rec::cameraName.offset), 0);

    pick(c().renameList, 1);
    expectFailure(kRename, QStringLiteral("名前変更欄を入力してください"));
    EXPECT_EQ(record().u16(rec::renameSwitch), 1);
    c().nameField->setText(QStringLiteral("Z9"));
    expectSuccess();
    EXPECT_EQ(text(rec::cameraName), u"Z9");
}

TEST_F(MainChecksTest, NameFieldIsClearedBeforeStoring) {
    setMail(1, QStringLiteral("a@b"));
    putText(rec::cameraName, u"LONGNAME12345");
    open();
    setMail(1, QStringLiteral("a@b"));
    c().nameField->setText(QStringLiteral("AB"));
    expectSuccess();
    const auto area = record().area(rec::cameraName);
    EXPECT_EQ(area[0], 'A');
    EXPECT_EQ(area[1], 'B');
    for (std::size_t i = 2; i < area.size(); ++i)
        EXPECT_EQ(area[i], 0) << i;
}

TEST_F(MainChecksTest, RelayPresetOverwritesTheMailEntryOnEverySave) {
    setMail(1, QStringLiteral("a@b"));
    record().area(rec::mailServer, mail::account)[0] = 'Q';
    record().area(rec::mailServer, mail::smtpServer)[3] = 'Q';
    expectSuccess();
    EXPECT_EQ(record().mailServer(), t.mailPresets.row(kMailPresetRelay));
    record().area(rec::mailServer, mail::password)[0] = 0;
    expectSuccess();
    EXPECT_EQ(record().mailServer(), t.mailPresets.row(kMailPresetRelay));
}

TEST_F(MainChecksTest, FinlandTakesTheFinnishRelay) {
    // A view position that maps to the "Finland" row.
    t.views.country.rows[4] = kCountryFinland;
    record().setU8(rec::countryIndex, 4);
    open();
    setMail(1, QStringLiteral("a@b"));
    expectSuccess();
    EXPECT_EQ(record().mailServer(), t.mailPresets.row(kMailPresetFinnishRelay));
    EXPECT_EQ(v().relayCopy, t.mailPresets.row(kMailPresetFinnishRelay));
}

TEST_F(MainChecksTest, FinlandThroughTheIdentityView) {
    t.views.country = CountryView::identity();
    record().setU8(rec::countryIndex, kCountryFinland);
    open();
    setMail(1, QStringLiteral("a@b"));
    expectSuccess();
    EXPECT_EQ(record().mailServer(), t.mailPresets.row(kMailPresetFinnishRelay));

    // With the narrowed view position 9 is still row 9.
    t.views.narrow();
    expectSuccess();
    EXPECT_EQ(record().mailServer(), t.mailPresets.row(kMailPresetFinnishRelay));
}

TEST_F(MainChecksTest, CountryIndexOutsideTheViewIsNotFinland) {
    t.views.country.rows.fill(kCountryFinland);
    record().setU8(rec::countryIndex, 200);
    open();
    setMail(1, QStringLiteral("a@b"));
    expectSuccess();
    EXPECT_EQ(record().mailServer(), t.mailPresets.row(kMailPresetRelay));
}

TEST_F(MainChecksTest, IncompleteMailAccountOpensTheMailDialog) {
    const QString text = QStringLiteral("メールアドレスを確認し、設定してください");
    struct Case {
        int presetIndex;
        Field emptied;
    };
    // Gmail, the custom choice, and an index outside the view.
    for (const Case k : {Case{1, mail::account}, Case{2, mail::smtpServer}, Case{50, mail::account},
                         Case{255, mail::senderAddress}, Case{1, mail::password}}) {
        SCOPED_TRACE(testing::Message() << "index " << k.presetIndex << " field " << k.emptied.offset);
        record().setMailServer(t.mailPresets.row(kMailPresetRelay)); // every field filled
        record().setU8(rec::mailPresetIndex, static_cast<std::uint8_t>(k.presetIndex));
        record().area(rec::mailServer, k.emptied)[0] = 0;
        record().setU16(rec::smsSwitch, 0x3);
        setMail(1, QStringLiteral("a@b"));
        t.prompter.clear();
        EXPECT_FALSE(gsm().checkAndStore());
        ASSERT_EQ(t.prompter.prompts.size(), 2u);
        EXPECT_EQ(t.prompter.prompts[0].kind, Prompt::Kind::Message);
        EXPECT_EQ(t.prompter.prompts[0].title, QStringLiteral("メール設定"));
        EXPECT_EQ(t.prompter.prompts[0].text, text);
        EXPECT_EQ(t.prompter.prompts[0].icon, MessageIcon::Error);
        EXPECT_EQ(t.prompter.prompts[1].kind, Prompt::Kind::Dialog);
        EXPECT_EQ(t.prompter.prompts[1].text, QStringLiteral("DlgEmailSetting"));
        // The mail entry was not replaced, and the later steps wrote nothing.
        EXPECT_EQ(record().area(rec::mailServer, k.emptied)[0], 0);
        EXPECT_EQ(record().u16(rec::smsSwitch), 0x3);
    }
}

TEST_F(MainChecksTest, CompleteOwnAccountIsKept) {
    MailServerEntry own = makeMailEntry("smtp.example.jp", "465", 0x41, "me", "secret", "me@example.jp");
    record().setMailServer(own);
    record().setU8(rec::mailPresetIndex, 50);
    setMail(1, QStringLiteral("a@b"));
    expectSuccess();
    EXPECT_EQ(record().mailServer(), own);
}

TEST_F(MainChecksTest, FailedPhoneCheckLeavesTheEarlierStepsWritten) {
    record().setU32(rec::sendMinute, 0xEEEEEEEE);
    record().setU16(rec::renameSwitch, 0xEEEE);
    putText(rec::cameraName, u"OLD");
    putText(rec::recipientSlot(3), u"left@over.jp");
    record().setU16(rec::smsStopHour, 0x0506);
    open();
    pick(c().minuteList, 5);
    pick(c().hourList, 6);
    c().countField->setText(QStringLiteral("7"));
    setPhone(2, QStringLiteral("12"));
    setMail(1, QStringLiteral("first@example.jp"));
    expectFailure(kRecipients, QStringLiteral("受信する電話番号が最大文字数を超えています"));
    // The send mode 0xEE has no radio: its byte is kept.
    EXPECT_EQ(record().u32(rec::sendMinute), 5u | (6u << 8) | (7u << 16) | (0xEEu << 24));
    EXPECT_EQ(record().u16(rec::smsStopHour), 0); // step 8 ran
    EXPECT_EQ(text(rec::recipientSlot(0)), u"first@example.jp");
    EXPECT_EQ(record().u8(rec::recipientSlot(3).offset), 0); // cleared in step 1
    EXPECT_EQ(record().u16(rec::renameSwitch), 0xEEEE);      // step 12 not reached
    EXPECT_EQ(text(rec::cameraName), u"OLD");
}

TEST_F(MainChecksTest, FailedCountCheckWritesOnlyTheCameraMode) {
    record().setU32(rec::sendMinute, 0x01020304);
    record().setU16(rec::sendTarget, 2);
    putText(rec::phoneText(0), u"0901234567");
    open();
    record().setU16(rec::sendTarget, 0x77);
    c().cameraModeRadios[1]->click();
    c().countField->setText(QStringLiteral("100"));
    expectFailure(QStringLiteral("送信モード"), QStringLiteral("最大枚数は0-99の範囲で設定してください"));
    EXPECT_EQ(record().u8(rec::cameraMode), 1);
    EXPECT_EQ(record().u32(rec::sendMinute), 0x01020304u);
    EXPECT_EQ(record().u16(rec::sendTarget), 0x77);
    EXPECT_EQ(record().u8(rec::phoneText(0).offset), 0);
}

TEST_F(MainChecksTest, ValuesWithoutSelectionKeepTheirStoredBytes) {
    record().setU8(rec::cameraMode, 2); // "Picture+Video" of the camera dialog
    record().setU8(rec::sendHour, 30);
    record().setU16(rec::sendCompression, 9);
    open();
    setMail(1, QStringLiteral("a@b"));
    expectSuccess();
    EXPECT_EQ(record().u8(rec::cameraMode), 2);
    EXPECT_EQ(record().u8(rec::sendHour), 30);
    EXPECT_EQ(record().u16(rec::sendCompression), 9);
}

TEST_F(MainChecksTest, TextsTheCodePageCannotHoldAreRefused) {
    struct Case {
        int slot;
        bool phone;
        QString value;
        QString field;
    };
    const QString euro = QStringLiteral("a\u20ac@example.jp"); // CP932 has no euro sign
    const QString emoji = QStringLiteral("\U0001F600@example.jp");
    const QString wide = QString(15, QChar(0xFF11));                        // full-width digits: 30 bytes
    const QString kanji47 = QString(41, u'a') + QStringLiteral("@例え.jp"); // 47 characters, 49 bytes
    ASSERT_EQ(kanji47.size(), 47);
    const Case cases[] = {
        {1, false, euro, QStringLiteral("受信メール  1")},
        {2, false, emoji, QStringLiteral("受信メール  2")},
        {4, false, kanji47, QStringLiteral("受信メール  4")},
        {1, true, wide, QStringLiteral("スマートフオン電話番号1")},
        {3, true, QStringLiteral("12\u20ac4"), QStringLiteral("スマートフオン電話番号3")},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.field.toStdString());
        for (int n = 1; n <= 4; ++n) {
            setPhone(n, QString());
            setMail(n, QString());
        }
        setMail(3, QStringLiteral("ok@example.jp"));
        if (k.phone)
            setPhone(k.slot, k.value);
        else
            setMail(k.slot, k.value);
        expectFailure(kRecipients, k.field + QStringLiteral(" に保存できない文字が含まれているか、長すぎます"));
        const Field f = k.phone ? rec::phoneSlot(static_cast<std::size_t>(k.slot - 1))
                                : rec::recipientSlot(static_cast<std::size_t>(k.slot - 1));
        for (const std::uint8_t b : record().area(f))
            EXPECT_EQ(b, 0);
    }
    // A full-width number that fits is stored as its code page bytes.
    for (int n = 1; n <= 4; ++n)
        setPhone(n, QString());
    setPhone(1, QString(7, QChar(0xFF11)));
    expectSuccess();
    EXPECT_EQ(text(rec::phoneText(0)), QString(7, QChar(0xFF11)).toStdU16String());
}

TEST_F(MainChecksTest, NameTheCodePageCannotHoldIsRefused) {
    setMail(1, QStringLiteral("a@b"));
    // A dotless i upper-cases to "I", so it passes the character test.
    QLineEdit* name = c().nameField;
    const QValidator* typing = name->validator();
    name->setValidator(nullptr);
    name->setText(QStringLiteral("CAM\u0131"));
    name->setValidator(typing);
    expectFailure(kRename, QStringLiteral("名前変更欄に保存できない文字が含まれているか、長すぎます"));
    EXPECT_EQ(record().u8(rec::cameraName.offset), 0);
}

// The save: checks, folder tests, files and messages.
class MainSaveTest : public MainChecksTest {
protected:
    void fillEverything() {
        c().sendModeRadios[2]->click();
        c().countField->setText(QStringLiteral("42"));
        pick(c().hourList, 21);
        pick(c().minuteList, 15);
        c().cameraModeRadios[1]->click();
        c().compressionRadios[1]->click();
        pick(c().renameList, 1);
        c().nameField->setText(QStringLiteral("TRAIL7"));
        smsOn();
        for (int n = 1; n <= 4; ++n) {
            setPhone(n, QStringLiteral("090000000") + QString::number(n));
            setMail(n, QStringLiteral("user%1@example.jp").arg(n));
        }
    }
    void setPath(const QString& path) { c().pathField->setText(path); }
    QString saveFolder() const { return QString::fromStdString(t.savePath().string()); }
};

TEST_F(MainSaveTest, SavesBothFilesAndReportsTheFolder) {
    fillEverything();
    record().setU16(rec::profileKind, 1);
    setPath(saveFolder());
    gsm().save();
    expectOnlyMessage(QStringLiteral("保存先"),
                      QStringLiteral("設定ファイルは次の場所に保存されました ") + saveFolder(), MessageIcon::None);
    EXPECT_EQ(record().u16(rec::profileKind), 2);
    const auto bin = readFile(profileBinPath());
    ASSERT_TRUE(bin);
    ASSERT_EQ(bin->size(), kProfileBinSize);
    EXPECT_EQ(*bin, encodeProfileBin(record()));
    EXPECT_EQ(decodeProfileBin(*bin), recordTail(record()));
    const auto backup = readFile(backupPath());
    ASSERT_TRUE(backup);
    ProfileRecord restored;
    CustomOperators custom{};
    ASSERT_EQ(decodeBackup(*backup, restored, custom), BackupVerdict::Accepted);
    EXPECT_EQ(restored, record());

    // What the files carry, field by field.
    EXPECT_EQ(record().u32(rec::sendMinute), 15u | (21u << 8) | (42u << 16) | (2u << 24));
    EXPECT_EQ(record().u8(rec::cameraMode), 1);
    EXPECT_EQ(record().u16(rec::sendCompression), 1);
    EXPECT_EQ(record().u16(rec::renameSwitch), 1);
    EXPECT_EQ(text(rec::cameraName), u"TRAIL7");
    EXPECT_EQ(record().u16(rec::smsSwitch), 1);
    EXPECT_EQ(text(rec::phoneText(3)), u"0900000004");
    EXPECT_EQ(text(rec::recipientSlot(2)), u"user3@example.jp");

    // The window stays as it was, and a second window on the record shows the same.
    EXPECT_EQ(c().nameField->text(), QStringLiteral("TRAIL7"));
    ui::DlgGSM again(t.ctx, frame);
    EXPECT_EQ(again.controls().nameField->text(), QStringLiteral("TRAIL7"));
    EXPECT_EQ(again.controls().hourList->currentIndex(), 21);
    EXPECT_EQ(again.controls().mailFields[3]->text(), QStringLiteral("user4@example.jp"));
}

TEST_F(MainSaveTest, FailingCheckWritesProfileKindButNoFile) {
    record().setU16(rec::profileKind, 1);
    setPath(saveFolder());
    c().countField->setText(QStringLiteral("100"));
    gsm().save();
    expectOnlyMessage(QStringLiteral("送信モード"), QStringLiteral("最大枚数は0-99の範囲で設定してください"),
                      MessageIcon::Error);
    EXPECT_EQ(record().u16(rec::profileKind), 2);
    EXPECT_FALSE(std::filesystem::exists(profileBinPath()));
    EXPECT_FALSE(std::filesystem::exists(backupPath()));
}

TEST_F(MainSaveTest, EmptyPath) {
    setMail(1, QStringLiteral("a@b"));
    gsm().save();
    expectOnlyMessage(QStringLiteral("保存先"), QStringLiteral("設定ファイルの保存先を選択してください"),
                      MessageIcon::None);
    EXPECT_FALSE(std::filesystem::exists(backupPath()));
}

TEST_F(MainSaveTest, MissingFolder) {
    setMail(1, QStringLiteral("a@b"));
    setPath(saveFolder() + QStringLiteral("/gone"));
    gsm().save();
    expectOnlyMessage(ui::applicationTitle(), QStringLiteral("保存先が見つかりません"), MessageIcon::None);
    EXPECT_FALSE(std::filesystem::exists(backupPath()));
}

TEST_F(MainSaveTest, PathNamingAFile) {
    const auto file = t.savePath() / "not-a-folder";
    { std::ofstream(file) << "x"; }
    setMail(1, QStringLiteral("a@b"));
    setPath(QString::fromStdString(file.string()));
    gsm().save();
    const Prompt m = t.prompter.onlyMessage();
    EXPECT_EQ(m.title, ui::applicationTitle());
    EXPECT_EQ(m.icon, MessageIcon::Error);
    EXPECT_TRUE(m.text.contains(QStringLiteral("PROFILE.BIN"))) << m.text.toStdString();
    EXPECT_FALSE(m.text.contains(QStringLiteral("保存されました")));
    EXPECT_FALSE(std::filesystem::exists(backupPath()));
}

TEST_F(MainSaveTest, ReadOnlyFolder) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    const auto folder = t.savePath() / "locked";
    std::filesystem::create_directory(folder);
    ::chmod(folder.c_str(), 0555);
    setMail(1, QStringLiteral("a@b"));
    setPath(QString::fromStdString(folder.string()));
    gsm().save();
    ::chmod(folder.c_str(), 0755);
    const Prompt m = t.prompter.onlyMessage();
    EXPECT_EQ(m.icon, MessageIcon::Error);
    EXPECT_TRUE(m.text.contains(QStringLiteral("PROFILE.BIN"))) << m.text.toStdString();
    EXPECT_FALSE(std::filesystem::exists(folder / kProfileBinName));
}

TEST_F(MainSaveTest, ChooseFolder) {
    setPath(QStringLiteral("/typed"));
    c().countField->setText(QStringLiteral("12"));

    // Cancelled: nothing changes.
    gsm().chooseFolder();
    ASSERT_EQ(t.prompter.prompts.size(), 1u);
    EXPECT_EQ(t.prompter.prompts[0].kind, Prompt::Kind::Folder);
    EXPECT_EQ(t.prompter.prompts[0].text, QStringLiteral("保存先を選択してください"));
    EXPECT_EQ(c().pathField->text(), QStringLiteral("/typed"));

    // No file-system path.
    t.prompter.clear();
    t.prompter.folders.push_back({ui::FolderChoice::Kind::NotFileSystem, {}});
    gsm().chooseFolder();
    expectOnlyMessage(QStringLiteral("Save Path"), QStringLiteral("Select the Path Error"), MessageIcon::None);
    EXPECT_EQ(v().savePath, QStringLiteral("/typed"));
    EXPECT_EQ(c().pathField->text(), QStringLiteral("/typed"));

    // A folder.
    t.prompter.clear();
    t.prompter.folders.push_back({ui::FolderChoice::Kind::Folder, saveFolder()});
    gsm().chooseFolder();
    EXPECT_TRUE(t.prompter.messages().empty());
    EXPECT_EQ(v().savePath, saveFolder());
    EXPECT_EQ(c().pathField->text(), saveFolder());
    EXPECT_EQ(c().countField->text(), QStringLiteral("12"));
}

TEST_F(MainSaveTest, LongChosenFolderIsShownWholeAndRefusedBySave) {
    const QString deep = QStringLiteral("/") + QString(200, u'f');
    t.prompter.folders.push_back({ui::FolderChoice::Kind::Folder, deep});
    gsm().chooseFolder();
    EXPECT_EQ(c().pathField->text(), deep);
    t.prompter.clear();
    setMail(1, QStringLiteral("a@b"));
    gsm().save();
    expectOnlyMessage(ui::applicationTitle(), QStringLiteral("Enter no more than 128 characters."),
                      MessageIcon::Warning);
}

TEST_F(MainSaveTest, ChoosingAFolderKeepsTypingBehindAnUnreadableField) {
    // The name from the record is too long for the form, so the form stops there.
    putText(rec::cameraName, u"ABCDEFGHIJ");
    open();
    setMail(2, QStringLiteral("typed@example.jp"));
    t.prompter.folders.push_back({ui::FolderChoice::Kind::Folder, saveFolder()});
    gsm().chooseFolder();
    EXPECT_EQ(c().pathField->text(), saveFolder());
    EXPECT_EQ(c().mailFields[1]->text(), QStringLiteral("typed@example.jp"));
}

TEST_F(MainSaveTest, ResetThenSaveWritesTheDefaults) {
    fillEverything();
    setPath(saveFolder());
    gsm().save();
    ASSERT_TRUE(std::filesystem::exists(backupPath()));
    t.prompter.clear();

    c().resetButton->click();
    ASSERT_FALSE(t.prompter.prompts.empty());
    EXPECT_EQ(t.prompter.prompts[0].kind, Prompt::Kind::Question);
    EXPECT_EQ(t.prompter.prompts[0].title, QStringLiteral("初期化"));
    EXPECT_EQ(t.prompter.prompts[0].text, QStringLiteral("設定を初期化してもよろしいですか？"));
    EXPECT_EQ(t.prompter.prompts.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(backupPath()));

    // The form shows the defaults, the folder stays.
    EXPECT_EQ(c().pathField->text(), saveFolder());
    EXPECT_EQ(c().countField->text(), QStringLiteral("10"));
    EXPECT_TRUE(c().sendModeRadios[0]->isChecked());
    EXPECT_TRUE(c().cameraModeRadios[0]->isChecked());
    EXPECT_TRUE(c().compressionRadios[0]->isChecked());
    EXPECT_EQ(c().hourList->currentIndex(), 0);
    EXPECT_EQ(c().renameList->currentIndex(), 0);
    EXPECT_FALSE(c().nameField->isEnabled());
    EXPECT_TRUE(c().nameField->text().isEmpty());
    EXPECT_EQ(c().smsList->currentIndex(), 0);
    EXPECT_FALSE(c().phoneFields[0]->isEnabled());
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(c().phoneFields[i]->text().isEmpty());
        EXPECT_TRUE(c().mailFields[i]->text().isEmpty());
    }
    EXPECT_EQ(v().countryIndex, 15);
    EXPECT_EQ(record().operatorEntry(), defaultOperatorEntry());
    EXPECT_EQ(record().u16(rec::profileKind), 1);

    // A save needs a recipient again; with one it writes the defaults.
    t.prompter.clear();
    gsm().save();
    expectOnlyMessage(kRecipients, QStringLiteral("受信するメールアドレスを入力してください"), MessageIcon::Error);
    t.prompter.clear();
    setMail(1, QStringLiteral("a@b"));
    gsm().save();
    ASSERT_EQ(t.prompter.messages().size(), 1u);
    ProfileRecord defaults;
    applyProfileDefaults(defaults);
    ASSERT_TRUE(halvorn::storeText(defaults.area(rec::recipientSlot(0)), u"a@b", *t.codec) == TextStatus::Stored);
    const auto bin = readFile(profileBinPath());
    ASSERT_TRUE(bin);
    EXPECT_EQ(*bin, encodeProfileBin(defaults));
}

TEST_F(MainSaveTest, ResetAnsweredNoChangesNothing) {
    fillEverything();
    setPath(saveFolder());
    gsm().save();
    const ProfileRecord before = record();
    const auto valuesBefore = v().phones;
    t.prompter.clear();
    t.prompter.answers.push_back(false);
    gsm().reset();
    ASSERT_EQ(t.prompter.prompts.size(), 1u);
    EXPECT_EQ(record(), before);
    EXPECT_TRUE(std::filesystem::exists(backupPath()));
    EXPECT_EQ(v().phones, valuesBefore);
    EXPECT_EQ(c().nameField->text(), QStringLiteral("TRAIL7"));
    EXPECT_TRUE(c().nameField->isEnabled());
}

TEST_F(MainSaveTest, ResetKeepsATypedFolderAndTheSmsHoursOfTheRecord) {
    record().setU16(rec::smsStopHour, 0x0A0B);
    open();
    setPath(QStringLiteral("/typed/folder"));
    gsm().reset();
    EXPECT_EQ(c().pathField->text(), QStringLiteral("/typed/folder"));
    EXPECT_EQ(v().savePath, QStringLiteral("/typed/folder"));
    EXPECT_EQ(record().u16(rec::smsStopHour), 0x0A0B); // the defaults leave them
    EXPECT_EQ(record().u8(rec::variantCode), 0);
}

TEST_F(MainSaveTest, ResetTakesTheOperatorOfViewPosition15) {
    t.views.country.rows[15] = 3; // "Canada"
    gsm().reset();
    const CountryEntry canada = t.catalog.country(3);
    ASSERT_FALSE(canada.operators.empty());
    EXPECT_EQ(record().operatorEntry(), canada.operators.front());

    // A row the catalog does not have leaves the defaults' operator.
    t.views.country.rows[15] = 99;
    gsm().reset();
    EXPECT_EQ(record().operatorEntry(), defaultOperatorEntry());
}

TEST_F(MainSaveTest, ResetPutsTheRelayCopyIntoTheMailEntry) {
    t.views.country.rows[3] = kCountryFinland;
    record().setU8(rec::countryIndex, 3);
    open();
    setMail(1, QStringLiteral("a@b"));
    ASSERT_TRUE(gsm().checkAndStore());
    gsm().reset();
    // The relay copy became the Finnish preset on the save.
    EXPECT_EQ(record().mailServer(), t.mailPresets.row(kMailPresetFinnishRelay));
    EXPECT_EQ(v().countryIndex, 15);
}

} // namespace
} // namespace halvorn::test

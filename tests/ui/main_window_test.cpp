// The main window's form: what it shows, its enable rules, readForm and its
// messages, typing rules, the detail dialogs and the accessible names.

#include "MainWindowFixture.h"

#include "ui/DialogUnits.h"
#include "ui/dialogs/DlgEmailSetting.h"
#include "ui/dialogs/DlgOperator.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace halvorn::test {
namespace {

QStringList items(QComboBox* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

int checkedIndex(const QList<QRadioButton*>& radios) {
    int found = -1;
    for (int i = 0; i < radios.size(); ++i)
        if (radios[i]->isChecked()) {
            EXPECT_EQ(found, -1) << "two buttons of one group checked";
            found = i;
        }
    return found;
}

TEST_F(MainWindowTest, FreshStartShowsTheDefaults) {
    open();
    EXPECT_EQ(checkedIndex(c().sendModeRadios), 0);
    EXPECT_EQ(c().countField->text(), QStringLiteral("10"));
    EXPECT_TRUE(c().countField->isEnabled());
    EXPECT_TRUE(c().countNote->isEnabled());
    EXPECT_EQ(c().hourList->currentText(), QStringLiteral("00"));
    EXPECT_EQ(c().minuteList->currentText(), QStringLiteral("00"));
    EXPECT_FALSE(c().hourList->isEnabled());
    EXPECT_FALSE(c().minuteList->isEnabled());
    EXPECT_FALSE(c().timeSeparator->isEnabled());
    EXPECT_EQ(checkedIndex(c().cameraModeRadios), 0);
    EXPECT_EQ(checkedIndex(c().compressionRadios), 0);
    EXPECT_EQ(c().renameList->currentText(), QStringLiteral("オフ"));
    EXPECT_FALSE(c().nameField->isEnabled());
    EXPECT_FALSE(c().nameNote->isEnabled());
    EXPECT_EQ(c().smsList->currentText(), QStringLiteral("オフ"));
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_FALSE(c().phoneFields[i]->isEnabled());
        EXPECT_FALSE(c().phoneLabels[i]->isEnabled());
        EXPECT_TRUE(c().mailFields[i]->isEnabled());
        EXPECT_TRUE(c().mailLabels[i]->isEnabled());
        EXPECT_TRUE(c().phoneFields[i]->text().isEmpty());
        EXPECT_TRUE(c().mailFields[i]->text().isEmpty());
    }
    EXPECT_TRUE(c().pathField->text().isEmpty());
    EXPECT_TRUE(v().savePath.isEmpty());
    EXPECT_EQ(v().sendTarget, 1);
    EXPECT_EQ(v().countryIndex, 15);
    EXPECT_EQ(v().relayCopy, defaultMailEntry());
    EXPECT_TRUE(t.prompter.prompts.empty());
}

TEST_F(MainWindowTest, ListsHoldTheirItemsInOrder) {
    QStringList hours, minutes;
    for (int k = 0; k < 24; ++k)
        hours << QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0'));
    for (int k = 0; k < 60; ++k)
        minutes << QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(items(c().hourList), hours);
    EXPECT_EQ(items(c().minuteList), minutes);
    EXPECT_EQ(items(c().renameList), (QStringList{QStringLiteral("オフ"), QStringLiteral("オン")}));
    EXPECT_EQ(items(c().smsList), (QStringList{QStringLiteral("オフ"), QStringLiteral("オン")}));
    for (QComboBox* l : {c().hourList, c().minuteList, c().renameList, c().smsList})
        EXPECT_FALSE(l->isEditable());
}

TEST_F(MainWindowTest, ShowsTheRecordsSendingSettings) {
    record().setU8(rec::cameraMode, 1);
    record().setU8(rec::sendMode, 2);
    record().setU8(rec::maxSendCount, 0);
    record().setU8(rec::sendHour, 23);
    record().setU8(rec::sendMinute, 59);
    record().setU16(rec::sendCompression, 2);
    record().setU16(rec::renameSwitch, 1);
    putText(rec::cameraName, u"CAM01");
    record().setU16(rec::smsSwitch, 1);
    record().setU8(rec::smsStopHour, 7);
    record().setU8(rec::smsStartHour, 9);
    putText(rec::phoneText(0), u"09012345678");
    putText(rec::phoneText(3), u"0312345678");
    putText(rec::recipientSlot(1), u"someone@example.jp");
    record().setU16(rec::sendTarget, 0);
    open();

    EXPECT_EQ(checkedIndex(c().sendModeRadios), 2);
    EXPECT_EQ(c().countField->text(), QStringLiteral("0"));
    EXPECT_TRUE(c().countField->isEnabled());
    EXPECT_TRUE(c().hourList->isEnabled());
    EXPECT_EQ(c().hourList->currentText(), QStringLiteral("23"));
    EXPECT_EQ(c().minuteList->currentText(), QStringLiteral("59"));
    EXPECT_EQ(checkedIndex(c().cameraModeRadios), 1);
    EXPECT_EQ(checkedIndex(c().compressionRadios), 2);
    EXPECT_EQ(c().renameList->currentIndex(), 1);
    EXPECT_TRUE(c().nameField->isEnabled());
    EXPECT_EQ(c().nameField->text(), QStringLiteral("CAM01"));
    EXPECT_EQ(c().smsList->currentIndex(), 1);
    EXPECT_TRUE(c().phoneFields[0]->isEnabled());
    EXPECT_EQ(c().phoneFields[0]->text(), QStringLiteral("09012345678"));
    EXPECT_EQ(c().phoneFields[3]->text(), QStringLiteral("0312345678"));
    EXPECT_EQ(c().mailFields[1]->text(), QStringLiteral("someone@example.jp"));
    // sendTarget 0: phones only, the mail fields are off.
    EXPECT_FALSE(c().mailFields[1]->isEnabled());
    EXPECT_FALSE(c().mailLabels[1]->isEnabled());
    // The SMS work time of the record is not carried over.
    EXPECT_EQ(v().smsStartHour, 0);
    EXPECT_EQ(v().smsStopHour, 0);
}

TEST_F(MainWindowTest, PhoneNumbersWithSmsOffShowInDisabledFields) {
    putText(rec::phoneText(1), u"0801234567");
    open();
    EXPECT_EQ(c().phoneFields[1]->text(), QStringLiteral("0801234567"));
    EXPECT_FALSE(c().phoneFields[1]->isEnabled());
}

TEST_F(MainWindowTest, ValuesOutsideTheListsLeaveNothingSelected) {
    record().setU8(rec::sendMode, 4);
    record().setU8(rec::sendHour, 24);
    record().setU8(rec::sendMinute, 60);
    record().setU8(rec::cameraMode, 2);
    record().setU16(rec::sendCompression, 3);
    record().setU16(rec::renameSwitch, 2);
    record().setU16(rec::smsSwitch, 0x100);
    open();
    EXPECT_EQ(checkedIndex(c().sendModeRadios), -1);
    EXPECT_EQ(c().hourList->currentIndex(), -1);
    EXPECT_EQ(c().minuteList->currentIndex(), -1);
    EXPECT_EQ(checkedIndex(c().cameraModeRadios), -1);
    EXPECT_EQ(checkedIndex(c().compressionRadios), -1);
    EXPECT_EQ(c().renameList->currentIndex(), -1);
    EXPECT_EQ(c().smsList->currentIndex(), -1);
    // Send mode 4 is neither a count nor a time mode.
    EXPECT_FALSE(c().countField->isEnabled());
    EXPECT_FALSE(c().hourList->isEnabled());
    EXPECT_FALSE(c().nameField->isEnabled());

    ASSERT_TRUE(gsm().readForm());
    EXPECT_EQ(v().sendMode, -1);
    EXPECT_EQ(v().sendHour, -1);
    EXPECT_EQ(v().cameraMode, -1);
    EXPECT_EQ(v().renameSwitch, -1);
    EXPECT_EQ(v().smsSwitch, -1);

    // A choice of the user selects again, and excludes the others.
    c().sendModeRadios[1]->click();
    EXPECT_EQ(checkedIndex(c().sendModeRadios), 1);
    c().sendModeRadios[3]->click();
    EXPECT_EQ(checkedIndex(c().sendModeRadios), 3);
    EXPECT_EQ(v().sendMode, 3);
}

TEST_F(MainWindowTest, SendModeEnablesCountAndTime) {
    struct Case {
        int radio;
        bool count;
        bool time;
    };
    for (const Case k : {Case{1, false, true}, Case{2, true, true}, Case{3, false, false}, Case{0, true, false}}) {
        SCOPED_TRACE(k.radio);
        c().sendModeRadios[k.radio]->click();
        EXPECT_EQ(v().sendMode, k.radio);
        EXPECT_EQ(checkedIndex(c().sendModeRadios), k.radio);
        EXPECT_EQ(c().countField->isEnabled(), k.count);
        EXPECT_EQ(c().countNote->isEnabled(), k.count);
        EXPECT_EQ(c().hourList->isEnabled(), k.time);
        EXPECT_EQ(c().timeSeparator->isEnabled(), k.time);
        EXPECT_EQ(c().minuteList->isEnabled(), k.time);
    }
    EXPECT_TRUE(t.prompter.prompts.empty());
}

TEST_F(MainWindowTest, RadioToggledByAnAssistiveToolReacts) {
    c().sendModeRadios[1]->toggle();
    EXPECT_EQ(v().sendMode, 1);
    EXPECT_TRUE(c().hourList->isEnabled());
    EXPECT_FALSE(c().countField->isEnabled());
}

TEST_F(MainWindowTest, ShowFormRunsNoReaction) {
    c().sendModeRadios[2]->click();
    v().cameraName = QStringLiteral("ABCDEFGHI"); // shown before the radios; readForm would refuse it
    v().sendMode = 3;
    v().cameraMode = 1;
    gsm().showForm();
    EXPECT_TRUE(t.prompter.prompts.empty());
    EXPECT_EQ(checkedIndex(c().sendModeRadios), 3);
    EXPECT_EQ(checkedIndex(c().cameraModeRadios), 1);
    EXPECT_TRUE(c().countField->isEnabled()); // enable rules run only when asked
}

TEST_F(MainWindowTest, ReactionsTakeTheWholeForm) {
    c().countField->setText(QStringLiteral("42"));
    c().mailFields[2]->setText(QStringLiteral("x@y.z"));
    c().cameraModeRadios[1]->click();
    EXPECT_EQ(v().cameraMode, 1);
    EXPECT_EQ(v().maxSendCount, 42);
    EXPECT_EQ(v().recipients[2], QStringLiteral("x@y.z"));
    c().compressionRadios[1]->click();
    EXPECT_EQ(v().sendCompression, 1);
    // Each group excludes within itself only.
    EXPECT_EQ(checkedIndex(c().sendModeRadios), 0);
    EXPECT_EQ(checkedIndex(c().cameraModeRadios), 1);
    EXPECT_EQ(checkedIndex(c().compressionRadios), 1);
    c().compressionRadios[1]->click(); // clicking the checked one keeps it
    EXPECT_EQ(checkedIndex(c().compressionRadios), 1);
    pick(c().hourList, 13);
    pick(c().minuteList, 45);
    EXPECT_EQ(v().sendHour, 13);
    EXPECT_EQ(v().sendMinute, 45);
}

TEST_F(MainWindowTest, RenameListEnablesTheNameField) {
    pick(c().renameList, 1);
    EXPECT_EQ(v().renameSwitch, 1);
    EXPECT_TRUE(c().nameField->isEnabled());
    EXPECT_TRUE(c().nameNote->isEnabled());
    c().nameField->setText(QStringLiteral("CAM7"));
    pick(c().renameList, 0);
    EXPECT_EQ(v().renameSwitch, 0);
    EXPECT_FALSE(c().nameField->isEnabled());
    EXPECT_FALSE(c().nameNote->isEnabled());
    // The disabled field keeps and still yields its text.
    EXPECT_EQ(c().nameField->text(), QStringLiteral("CAM7"));
    ASSERT_TRUE(gsm().readForm());
    EXPECT_EQ(v().cameraName, QStringLiteral("CAM7"));
}

TEST_F(MainWindowTest, SmsSwitchEnablesThePhoneFieldsAndKeepsTheirTexts) {
    v().smsStartHour = 5;
    v().smsStopHour = 6;
    pick(c().smsList, 1);
    EXPECT_EQ(v().smsSwitch, 1);
    EXPECT_EQ(v().smsStartHour, 0);
    EXPECT_EQ(v().smsStopHour, 0);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(c().phoneFields[i]->isEnabled());
        EXPECT_TRUE(c().phoneLabels[i]->isEnabled());
    }
    setPhone(3, QStringLiteral("0451234567"));
    pick(c().smsList, 0);
    EXPECT_EQ(v().smsSwitch, 0);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_FALSE(c().phoneFields[i]->isEnabled());
        EXPECT_FALSE(c().phoneLabels[i]->isEnabled());
        EXPECT_TRUE(c().mailFields[i]->isEnabled()); // sendTarget 1
    }
    EXPECT_EQ(c().phoneFields[2]->text(), QStringLiteral("0451234567"));
    EXPECT_EQ(v().phones[2], QStringLiteral("0451234567"));
}

// readForm failures: the message, the focus with the text selected, and the
// later fields keeping their previous working values.
class MainReadFormTest : public MainWindowTest {
protected:
    void showActive() {
        gsm().show();
        gsm().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&gsm()));
    }
    void expectFocusOn(QLineEdit* edit) {
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), edit);
        EXPECT_EQ(edit->selectedText(), edit->text());
    }
};

TEST_F(MainReadFormTest, PathOver128Characters) {
    showActive();
    const QString longPath = QStringLiteral("/") + QString(128, u'p');
    c().pathField->setText(longPath);
    c().countField->setText(QStringLiteral("7"));
    EXPECT_FALSE(gsm().readForm());
    expectOnlyMessage(ui::applicationTitle(), QStringLiteral("Enter no more than 128 characters."),
                      ui::MessageIcon::Warning);
    expectFocusOn(c().pathField);
    EXPECT_EQ(c().pathField->text(), longPath); // kept whole
    EXPECT_EQ(v().maxSendCount, 10);            // not taken
    EXPECT_TRUE(v().savePath.isEmpty());

    t.prompter.clear();
    c().pathField->setText(QString(128, u'p'));
    EXPECT_TRUE(gsm().readForm());
    EXPECT_EQ(v().maxSendCount, 7);
    EXPECT_TRUE(t.prompter.prompts.empty());
}

TEST_F(MainReadFormTest, EmptyCount) {
    showActive();
    c().countField->clear();
    pick(c().renameList, 1); // the reaction goes on after the message
    expectOnlyMessage(ui::applicationTitle(), QStringLiteral("Enter an integer."), ui::MessageIcon::Warning);
    expectFocusOn(c().countField);
    EXPECT_EQ(v().maxSendCount, 10);
    EXPECT_EQ(v().renameSwitch, 1);
    EXPECT_TRUE(c().nameField->isEnabled());
}

TEST_F(MainReadFormTest, NameOfNineCharactersFromTheRecord) {
    putText(rec::cameraName, u"ABCDEFGHI");
    record().setU16(rec::renameSwitch, 1);
    showActive();
    EXPECT_EQ(c().nameField->text(), QStringLiteral("ABCDEFGHI"));
    setPhone(1, QStringLiteral("0901234567"));
    gsm().save();
    expectOnlyMessage(ui::applicationTitle(), QStringLiteral("Enter no more than 8 characters."),
                      ui::MessageIcon::Warning);
    expectFocusOn(c().nameField);
    EXPECT_EQ(v().phones[0], QString()); // behind the name: not taken
    EXPECT_FALSE(std::filesystem::exists(profileBinPath()));
}

TEST_F(MainWindowTest, TypingRules) {
    QTest::keyClicks(c().countField, QStringLiteral("1a2-"));
    EXPECT_EQ(c().countField->text(), QStringLiteral("10") + QStringLiteral("12"));
    c().phoneFields[0]->setEnabled(true);
    QTest::keyClicks(c().phoneFields[0], QStringLiteral("090x12"));
    EXPECT_EQ(c().phoneFields[0]->text(), QStringLiteral("09012"));
    c().nameField->setEnabled(true);
    QTest::keyClicks(c().nameField, QStringLiteral("cam0123456"));
    EXPECT_EQ(c().nameField->text(), QStringLiteral("CAM01234"));
    QTest::keyClicks(c().pathField, QString(130, u'd'));
    EXPECT_EQ(c().pathField->text().size(), 128);
    QTest::keyClicks(c().mailFields[0], QStringLiteral("Mixed.Case@Example.JP"));
    EXPECT_EQ(c().mailFields[0]->text(), QStringLiteral("Mixed.Case@Example.JP"));
}

TEST_F(MainWindowTest, DetailDialogsOpenAfterReadingTheForm) {
    c().countField->setText(QStringLiteral("33"));
    c().mailButton->click();
    ASSERT_EQ(t.prompter.prompts.size(), 1u);
    EXPECT_EQ(t.prompter.prompts[0].kind, Prompt::Kind::Dialog);
    EXPECT_EQ(t.prompter.prompts[0].text, QStringLiteral("DlgEmailSetting"));
    EXPECT_EQ(v().maxSendCount, 33);

    c().countField->setText(QStringLiteral("34"));
    c().apnButton->click();
    ASSERT_EQ(t.prompter.prompts.size(), 2u);
    EXPECT_EQ(t.prompter.prompts[1].text, QStringLiteral("DlgOperator"));
    EXPECT_EQ(v().maxSendCount, 34);
    // Nothing refreshed afterwards.
    EXPECT_EQ(c().countField->text(), QStringLiteral("34"));
    EXPECT_EQ(static_cast<QDialog*>(&gsm().mailDialog()), gsm().findChild<QDialog*>(QStringLiteral("DlgEmailSetting")));
    EXPECT_EQ(static_cast<QDialog*>(&gsm().apnDialog()), gsm().findChild<QDialog*>(QStringLiteral("DlgOperator")));
}

TEST_F(MainWindowTest, HiddenCameraButtonRunsTheCameraCommand) {
    gsm().show();
    EXPECT_FALSE(c().cameraButton->isVisible());
    EXPECT_EQ(c().cameraButton->text(), QStringLiteral("CAM Setting"));
    int runs = 0;
    c().cameraButton->click(); // no command yet: nothing happens
    gsm().setCameraCommand([&runs] { ++runs; });
    c().cameraButton->click();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(c().cameraButton->isVisible());
}

TEST_F(MainWindowTest, QuitEndsTheFrameWithoutWriting) {
    const ProfileRecord before = record();
    c().countField->setText(QStringLiteral("55"));
    c().cancelButton->click();
    EXPECT_EQ(frame.cancels, 1);
    EXPECT_EQ(record(), before);
    EXPECT_TRUE(t.prompter.prompts.empty());
    EXPECT_FALSE(std::filesystem::exists(backupPath()));
}

TEST_F(MainWindowTest, AccessibleNamesAndLabels) {
    struct Named {
        QWidget* control;
        const char16_t* name;
    };
    const auto& k = c();
    std::vector<Named> named{
        {k.sendModeRadios[0], u"撮影ごとに送信"},
        {k.sendModeRadios[1], u"定時に送信"},
        {k.sendModeRadios[2], u"撮影ごと＋定時に送信"},
        {k.sendModeRadios[3], u"オフ"},
        {k.cameraModeRadios[0], u"静止画"},
        {k.cameraModeRadios[1], u"動画"},
        {k.compressionRadios[0], u"圧縮なし"},
        {k.compressionRadios[1], u"圧縮あり"},
        {k.compressionRadios[2], u"添付しない"},
        {k.countField, u"最大枚数"},
        {k.hourList, u"送信時刻(時)"},
        {k.minuteList, u"送信時刻(分)"},
        {k.renameList, u"名前変更"},
        {k.nameField, u"カメラ名"},
        {k.smsList, u"スイッチ"},
        {k.mailButton, u"メール設定"},
        {k.apnButton, u"APN設定"},
        {k.resetButton, u"初期化"},
        {k.pathField, u"保存先を選択してください"},
        {k.browseButton, u"..."},
        {k.okButton, u"OK"},
        {k.cancelButton, u"キャンセル"},
        {k.cameraButton, u"CAM Setting"},
    };
    for (std::size_t i = 0; i < 4; ++i) {
        named.push_back({k.phoneFields[i], i == 0   ? u"スマートフオン電話番号1"
                                           : i == 1 ? u"スマートフオン電話番号2"
                                           : i == 2 ? u"スマートフオン電話番号3"
                                                    : u"スマートフオン電話番号4"});
        named.push_back({k.mailFields[i], i == 0   ? u"受信メール  1"
                                          : i == 1 ? u"受信メール  2"
                                          : i == 2 ? u"受信メール  3"
                                                   : u"受信メール  4"});
    }
    for (const Named& n : named) {
        const QString name = QString::fromUtf16(n.name);
        EXPECT_EQ(n.control->accessibleName(), name) << n.control->objectName().toStdString();
        if (qobject_cast<QComboBox*>(n.control)) {
            EXPECT_EQ(n.control->accessibleDescription(), name);
        }
    }
    // Radio buttons are reported as such.
    for (const auto* group : {&k.sendModeRadios, &k.cameraModeRadios, &k.compressionRadios})
        for (QRadioButton* r : *group) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(r);
            ASSERT_NE(iface, nullptr);
            EXPECT_EQ(iface->role(), QAccessible::RadioButton) << r->objectName().toStdString();
        }
    // Labels are the buddies of their controls.
    EXPECT_EQ(k.renameLabel->buddy(), k.renameList);
    EXPECT_EQ(k.switchLabel->buddy(), k.smsList);
    EXPECT_EQ(k.pathLabel->buddy(), k.pathField);
    EXPECT_EQ(k.countNote->buddy(), k.countField);
    EXPECT_EQ(k.nameNote->buddy(), k.nameField);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(k.phoneLabels[i]->buddy(), k.phoneFields[i]);
        EXPECT_EQ(k.mailLabels[i]->buddy(), k.mailFields[i]);
    }
    // Every control can be found by a stable object name.
    for (QWidget* w : gsm().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!qobject_cast<QDialog*>(w)) {
            EXPECT_FALSE(w->objectName().isEmpty());
        }
}

TEST_F(MainWindowTest, TextsFitTheirControls) {
    gsm().show();
    std::vector<QWidget*> texts;
    for (QLabel* l : gsm().findChildren<QLabel*>())
        texts.push_back(l);
    for (QRadioButton* r : gsm().findChildren<QRadioButton*>())
        texts.push_back(r);
    for (QWidget* w : texts)
        EXPECT_LE(w->sizeHint().width(), w->width()) << w->objectName().toStdString();
    // Push buttons ask for a minimum width of the style; their text needs less.
    for (QPushButton* b : gsm().findChildren<QPushButton*>())
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 8, b->width()) << b->objectName().toStdString();
}

TEST_F(MainWindowTest, LayoutFollowsTheDialogUnits) {
    const ui::DialogUnits du(ui::dialogFont());
    EXPECT_EQ(gsm().size(), du.size(420, 310));
    EXPECT_EQ(c().sendModeGroup->geometry(), du.rect(10, 10, 185, 87));
    EXPECT_EQ(c().sendModeGroup->title(), QStringLiteral("送信モード"));
    EXPECT_EQ(c().renameGroup->title(), QString());
    EXPECT_EQ(c().resetGroup->title(), QString());
    EXPECT_EQ(c().smsGroup->geometry(), du.rect(200, 10, 210, 105));
    EXPECT_EQ(c().phoneFields[3]->geometry(), du.rect(312, 92, 90, 12));
    EXPECT_EQ(c().mailFields[0]->geometry(), du.rect(265, 137, 135, 12));
    EXPECT_EQ(c().pathField->geometry(), du.rect(115, 258, 237, 15));
    EXPECT_EQ(c().okButton->geometry(), du.rect(100, 282, 52, 15));
    EXPECT_EQ(c().cancelButton->geometry(), du.rect(244, 282, 52, 15));
    EXPECT_EQ(c().compressionRadios[2]->geometry(), du.rect(132, 193, 56, 10));
    EXPECT_EQ(c().hourList->geometry().topLeft(), du.rect(103, 40, 30, 100).topLeft());
    EXPECT_EQ(c().countField->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_EQ(c().mailLabels[1]->text(), QStringLiteral("受信メール  2"));
    EXPECT_EQ(c().phoneLabels[2]->text(), QStringLiteral("スマートフオン電話番号3"));
}

} // namespace
} // namespace halvorn::test

// The APN dialog: the SIM choices, loading from the record whatever the choice,
// the locked data fields, the choice changes, the hidden MMS fields passing
// through and the confirm.
#include "profile/ProfileText.h"
#include "support/DialogInput.h"
#include "support/TestContext.h"
#include "ui/dialogs/DlgOperator.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

using halvorn::Field;
using halvorn::OperatorEntry;
using halvorn::ProfileRecord;
using halvorn::ui::DlgOperator;
namespace op = halvorn::op;
namespace rec = halvorn::rec;

namespace {

using halvorn::test::keyIn;

class ApnDialog : public ::testing::Test {
protected:
    halvorn::test::TestContext t;
    DlgOperator dlg{t.ctx};

    int open(const std::function<void()>& act = [] {}) { return halvorn::test::openAndRun(t.prompter, dlg, act); }
    int other() const { return static_cast<int>(t.catalog.japan().size()); }
    QString text(const OperatorEntry& e, Field f) const {
        return QString::fromStdU16String(halvorn::loadText({e.data() + f.offset, f.width}, *t.codec));
    }
    QString recordText(Field f) const { return text(t.record.operatorEntry(), f); }
    void putRecordText(Field f, const char16_t* value) {
        t.record.clear(rec::operatorEntry + f.offset, f.width);
        ASSERT_EQ(halvorn::storeText(t.record.area(rec::operatorEntry, f), value, *t.codec),
                  halvorn::TextStatus::Stored);
    }
    void saveOnOther() {
        putRecordText(op::dataApn, u"own.apn.example");
        putRecordText(op::dataUser, u"own-user");
        putRecordText(op::dataPassword, u"own-pass");
        t.record.setU8(rec::simIndex, static_cast<std::uint8_t>(other()));
    }
    void expectDataFields(const QString& apn, const QString& user, const QString& password) {
        EXPECT_EQ(dlg.apnEdit()->text(), apn);
        EXPECT_EQ(dlg.userEdit()->text(), user);
        EXPECT_EQ(dlg.passwordEdit()->text(), password);
    }
    void expectLocked(bool locked) {
        for (QLineEdit* e : {dlg.apnEdit(), dlg.userEdit(), dlg.passwordEdit()})
            EXPECT_EQ(e->isEnabled(), !locked) << e->accessibleName().toStdString();
    }
};

TEST_F(ApnDialog, DefaultProfileOpensOnTheFirstJapanOperatorLocked) {
    open([&] {
        QStringList items;
        for (int i = 0; i < dlg.simList()->count(); ++i)
            items << dlg.simList()->itemText(i);
        QStringList expected;
        for (const auto& row : t.catalog.japan())
            expected << text(row, op::name);
        expected << QStringLiteral("その他");
        EXPECT_EQ(items, expected);
        EXPECT_EQ(items.front(), QStringLiteral("SORACOM(docomo)"));
        EXPECT_EQ(dlg.simList()->currentIndex(), 0);
        EXPECT_EQ(dlg.simList()->currentText(), QStringLiteral("SORACOM(docomo)"));
        expectDataFields(recordText(op::dataApn), recordText(op::dataUser), recordText(op::dataPassword));
        EXPECT_FALSE(dlg.apnEdit()->text().isEmpty());
        expectLocked(true);
        EXPECT_EQ(dlg.passwordEdit()->echoMode(), QLineEdit::Password);
        EXPECT_FALSE(dlg.mmsPanel()->isVisibleTo(&dlg));
    });
}

TEST_F(ApnDialog, OpeningLoadsTheRecordWhateverTheChoice) {
    putRecordText(op::dataApn, u"not.the.catalog");
    t.record.setU8(rec::simIndex, 1);
    open([&] {
        EXPECT_EQ(dlg.simList()->currentIndex(), 1);
        EXPECT_EQ(dlg.apnEdit()->text(), QStringLiteral("not.the.catalog"));
        expectLocked(true);
    });
    saveOnOther();
    open([&] {
        EXPECT_EQ(dlg.simList()->currentText(), QStringLiteral("その他"));
        expectDataFields(QStringLiteral("own.apn.example"), QStringLiteral("own-user"), QStringLiteral("own-pass"));
        expectLocked(false);
    });
}

TEST_F(ApnDialog, ChoosingACatalogRowAndConfirmingKeepsTheNameAndCountry) {
    t.record.setU8(rec::countryIndex, 7);
    const int result = open([&] {
        dlg.simList()->setCurrentIndex(2);
        EXPECT_EQ(dlg.simList()->currentText(), QStringLiteral("IIJ(KKDI)"));
        const auto& iij = t.catalog.japan()[2];
        expectDataFields(text(iij, op::dataApn), text(iij, op::dataUser), text(iij, op::dataPassword));
        expectLocked(true);
        dlg.okButton()->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    const auto& iij = t.catalog.japan()[2];
    EXPECT_EQ(recordText(op::dataApn), text(iij, op::dataApn));
    EXPECT_EQ(recordText(op::dataUser), text(iij, op::dataUser));
    EXPECT_EQ(recordText(op::dataPassword), text(iij, op::dataPassword));
    EXPECT_EQ(recordText(op::name), QStringLiteral("SORACOM(docomo)"));
    EXPECT_EQ(t.record.u8(rec::simIndex), 2);
    EXPECT_EQ(t.record.u8(rec::countryIndex), 7);
}

TEST_F(ApnDialog, OtherAfterACatalogChoiceStartsEmptyEveryTime) {
    open([&] {
        dlg.simList()->setCurrentIndex(other());
        expectDataFields({}, {}, {});
        expectLocked(false);
        keyIn(dlg.apnEdit(), QStringLiteral("typed.apn"));
        dlg.simList()->setCurrentIndex(1);
        expectLocked(true);
        EXPECT_EQ(dlg.apnEdit()->text(), text(t.catalog.japan()[1], op::dataApn));
        dlg.simList()->setCurrentIndex(other());
        expectDataFields({}, {}, {});
    });
}

TEST_F(ApnDialog, OtherBringsBackTheRecordsValuesWhenItWasSavedOnOther) {
    saveOnOther();
    open([&] {
        dlg.simList()->setCurrentIndex(0);
        expectLocked(true);
        dlg.simList()->setCurrentIndex(other());
        expectDataFields(QStringLiteral("own.apn.example"), QStringLiteral("own-user"), QStringLiteral("own-pass"));
        expectLocked(false);
    });
}

TEST_F(ApnDialog, TypedValuesUnderOtherAreWritten) {
    open([&] {
        dlg.simList()->setCurrentIndex(other());
        keyIn(dlg.apnEdit(), QStringLiteral("my.apn%d"));
        keyIn(dlg.userEdit(), QStringLiteral("me"));
        keyIn(dlg.passwordEdit(), QStringLiteral("pw"));
        dlg.okButton()->click();
    });
    EXPECT_EQ(recordText(op::dataApn), QStringLiteral("my.apn%d"));
    EXPECT_EQ(recordText(op::dataUser), QStringLiteral("me"));
    EXPECT_EQ(recordText(op::dataPassword), QStringLiteral("pw"));
    EXPECT_EQ(t.record.u8(rec::simIndex), other());
}

TEST_F(ApnDialog, TypingStopsAtTheFieldLimits) {
    open([&] {
        dlg.simList()->setCurrentIndex(other());
        keyIn(dlg.apnEdit(), QString(40, QChar(u'a')));
        keyIn(dlg.userEdit(), QString(40, QChar(u'u')));
        keyIn(dlg.passwordEdit(), QString(40, QChar(u'p')));
        EXPECT_EQ(dlg.apnEdit()->text().size(), 31);
        EXPECT_EQ(dlg.userEdit()->text().size(), 23);
        EXPECT_EQ(dlg.passwordEdit()->text().size(), 15);
    });
}

TEST_F(ApnDialog, DoubleByteTextTooLongForItsFieldIsRefused) {
    const ProfileRecord before = t.record;
    open([&] {
        dlg.simList()->setCurrentIndex(other());
        keyIn(dlg.apnEdit(), QString(16, QChar(u'あ'))); // 32 bytes in a 32-byte field
        dlg.okButton()->click();
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        dlg.apnEdit()->clear();
        keyIn(dlg.userEdit(), QStringLiteral("한"));
        dlg.okButton()->click();
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    });
    ASSERT_EQ(t.prompter.messages().size(), 2u);
    EXPECT_EQ(t.prompter.messages()[0].text, QStringLiteral("APNが長すぎます"));
    EXPECT_EQ(t.prompter.messages()[1].text, QStringLiteral("ユーザー名に使用できない文字が含まれています"));
    EXPECT_EQ(t.prompter.messages()[0].title, QStringLiteral("APN設定"));
    EXPECT_EQ(t.record, before);
}

// --- Hidden MMS fields ---------------------------------------------------

struct MmsCase {
    const char16_t* gateway;
    const char16_t* port;
    QString gatewayOut;
    QString portOut;
};

class ApnMms : public ApnDialog, public ::testing::WithParamInterface<MmsCase> {};

TEST_P(ApnMms, GatewayAndPortAreWrittenBackNormalised) {
    const MmsCase& c = GetParam();
    putRecordText(op::mmsGateway, c.gateway);
    putRecordText(op::mmsPort, c.port);
    putRecordText(op::mmsUrl, u"http://mms.example/%s");
    putRecordText(op::mmsApn, u"mms.apn");
    putRecordText(op::mmsUser, u"mu");
    putRecordText(op::mmsPassword, u"mp");
    const OperatorEntry before = t.record.operatorEntry();
    open([&] {
        dlg.simList()->setCurrentIndex(3);
        dlg.okButton()->click();
    });
    const OperatorEntry after = t.record.operatorEntry();
    EXPECT_EQ(text(after, op::mmsGateway), c.gatewayOut);
    EXPECT_EQ(text(after, op::mmsPort), c.portOut);
    for (Field f : {op::mmsUrl, op::mmsApn, op::mmsUser, op::mmsPassword})
        EXPECT_TRUE(std::equal(before.begin() + static_cast<std::ptrdiff_t>(f.offset),
                               before.begin() + static_cast<std::ptrdiff_t>(f.offset + f.width),
                               after.begin() + static_cast<std::ptrdiff_t>(f.offset)))
            << "MMS field at " << f.offset << " passes through";
    // Behind the normalised texts the fields are zero.
    const std::size_t end = op::mmsGateway.offset + static_cast<std::size_t>(c.gatewayOut.size());
    for (std::size_t i = end; i < op::mmsGateway.offset + op::mmsGateway.width; ++i)
        ASSERT_EQ(after[i], 0) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApnMms,
    ::testing::Values(MmsCase{u"0.0.0.0", u"0", QStringLiteral("0.0.0.0"), QStringLiteral("0")},
                      MmsCase{u"010.001.000.099", u"08080", QStringLiteral("10.1.0.99"), QStringLiteral("8080")},
                      MmsCase{u"255.255.255.255", u"65535", QStringLiteral("255.255.255.255"), QStringLiteral("65535")},
                      MmsCase{u"mms.example.com", u"abc", QStringLiteral("0.0.0.0"), QStringLiteral("0")},
                      MmsCase{u"256.1.1.1", u"65536", QStringLiteral("0.0.0.0"), QStringLiteral("0")},
                      MmsCase{u"1.2.3", u"-1", QStringLiteral("0.0.0.0"), QStringLiteral("0")},
                      MmsCase{u"1.2.3.4.5", u"8o", QStringLiteral("0.0.0.0"), QStringLiteral("0")},
                      MmsCase{u"1..3.4", u" 80 ", QStringLiteral("0.0.0.0"), QStringLiteral("80")},
                      MmsCase{u"", u"", QStringLiteral("0.0.0.0"), QStringLiteral("0")}));

// --- Out-of-range index, the typable text part, cancel --------------------

TEST_F(ApnDialog, IndexOutsideTheListFromAForeignBackupSelectsNothingAndKeepsTheIndex) {
    for (int index : {6, 200, 255}) {
        t.record.setU8(rec::simIndex, static_cast<std::uint8_t>(index));
        open([&] {
            EXPECT_EQ(dlg.simList()->currentIndex(), -1);
            EXPECT_EQ(dlg.apnEdit()->text(), recordText(op::dataApn));
            expectLocked(true);
            dlg.okButton()->click();
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
        });
        EXPECT_EQ(t.record.u8(rec::simIndex), index);
    }
    // A choice made afterwards is written.
    open([&] {
        dlg.simList()->setCurrentIndex(4);
        dlg.okButton()->click();
    });
    EXPECT_EQ(t.record.u8(rec::simIndex), 4);
}

TEST_F(ApnDialog, TypingInTheSimTextPartChangesNothing) {
    const QString apn = recordText(op::dataApn);
    open([&] {
        QLineEdit* part = dlg.simList()->lineEdit();
        ASSERT_NE(part, nullptr);
        part->selectAll();
        keyIn(part, QStringLiteral("IIJ(KKDI)"));
        emit part->editingFinished();
        EXPECT_EQ(dlg.simList()->currentIndex(), 0);
        EXPECT_EQ(dlg.simList()->currentText(), QStringLiteral("SORACOM(docomo)"));
        EXPECT_EQ(dlg.simList()->count(), other() + 1);
        expectLocked(true);
        dlg.okButton()->click();
    });
    EXPECT_EQ(t.record.u8(rec::simIndex), 0);
    EXPECT_EQ(recordText(op::dataApn), apn);
}

TEST_F(ApnDialog, CancelAfterTypingChangesNothing) {
    saveOnOther();
    const ProfileRecord before = t.record;
    const int result = open([&] {
        keyIn(dlg.apnEdit(), QStringLiteral("more"));
        dlg.simList()->setCurrentIndex(1);
        dlg.cancelButton()->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(t.record, before);
}

TEST_F(ApnDialog, ControlsAreNamedByTheirLabels) {
    open([&] {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("APN設定"));
        EXPECT_EQ(dlg.simList()->accessibleName(), QStringLiteral("SIMカード\u00a0"));
        EXPECT_EQ(dlg.simList()->accessibleDescription(), QStringLiteral("SIMカード\u00a0"));
        EXPECT_EQ(dlg.apnEdit()->accessibleName(), QStringLiteral("APN"));
        EXPECT_EQ(dlg.userEdit()->accessibleName(), QStringLiteral("ユーザー名"));
        EXPECT_EQ(dlg.passwordEdit()->accessibleName(), QStringLiteral("パスワード"));
        QStringList frames;
        for (QGroupBox* g : dlg.findChildren<QGroupBox*>())
            frames << g->title();
        EXPECT_TRUE(frames.contains(QStringLiteral("SIMカード\u00a0")));
        EXPECT_TRUE(frames.contains(QStringLiteral("APN設定")));
        for (QLineEdit* e : {dlg.apnEdit(), dlg.userEdit(), dlg.passwordEdit()}) {
            QLabel* buddyOf = nullptr;
            for (QLabel* l : dlg.findChildren<QLabel*>())
                if (l->buddy() == e) buddyOf = l;
            ASSERT_NE(buddyOf, nullptr);
            EXPECT_EQ(buddyOf->text(), e->accessibleName());
        }
        EXPECT_EQ(dlg.okButton()->text(), QStringLiteral("OK"));
        EXPECT_EQ(dlg.cancelButton()->text(), QStringLiteral("キャンセル"));
    });
}

} // namespace

// The APN dialog: the SIM choices, loading the record whatever the choice, the locked data fields, choice changes,
// and what a confirm writes.
#include "support/DialogInput.h"
#include "ui/dialogs/DlgOperator.h"

#include <QPushButton>

using namespace halvorn;
using namespace halvorn::test;

namespace {

const std::array kData{op::dataApn, op::dataUser, op::dataPassword};
const std::array kSaved{op::dataApn, op::dataUser,    op::dataPassword, op::mmsUrl, op::mmsApn,
                        op::mmsUser, op::mmsPassword, op::mmsGateway,   op::mmsPort};
const QString kNames = "APN|ユーザー名|パスワード", kOwn = "own.apn|own-user|own-pw";

struct ApnDialog : ::testing::Test {
    TestContext t;
    ui::DlgOperator dlg{t.ctx};
    const int other = static_cast<int>(t.catalog.japan().size());

    int open(const std::function<void()>& act) { return openAndRun(t.prompter, dlg, act); }
    QString row(int sim) const { return held(t.catalog.japan()[static_cast<std::size_t>(sim)], kData, *t.codec); }
    // The data fields as shown, and how many of them can be edited.
    QString form() {
        const int editable = dlg.apnEdit()->isEnabled() + dlg.userEdit()->isEnabled() + dlg.passwordEdit()->isEnabled();
        return shown(&dlg, kNames) + QString::number(editable);
    }
    // A profile saved on `sim` with data and MMS settings of its own, in country 7.
    void save(int sim, const QString& gateway = "0.0.0.0", const QString& port = "0") {
        OperatorEntry e = t.record.operatorEntry();
        put(e, kSaved, kOwn + "|http://mms/%s|mms.apn|mu|mp|" + gateway + '|' + port, *t.codec);
        t.record.setOperatorEntry(e);
        t.record.setU8(rec::simIndex, static_cast<std::uint8_t>(sim));
        t.record.setU8(rec::countryIndex, 7);
    }
};

TEST_F(ApnDialog, OpeningLoadsTheRecordWhateverTheSimChangesShowTheRowOrEmptyOrTheRecordAndEscapeWritesNothing) {
    QStringList names;
    for (const OperatorEntry& e : t.catalog.japan())
        names << held(e, std::array{op::name}, *t.codec);
    for (const int saved : {0, 2, other, other + 1, 255}) {
        save(saved);
        const ProfileRecord before = t.record;
        open([&] {
            SCOPED_TRACE(saved);
            EXPECT_EQ(items(dlg.simList()), names.join('|') + "|その他");
            EXPECT_EQ(dlg.simList()->currentIndex(), saved <= other ? saved : -1);
            EXPECT_EQ(form(), kOwn + (saved == other ? "3" : "0"));
            EXPECT_FALSE(dlg.mmsPanel()->isVisibleTo(&dlg));
            EXPECT_EQ(dlg.passwordEdit()->echoMode(), QLineEdit::Password);
            for (const int sim : {3, other, 2, 0, other}) {
                fill(&dlg, "APN", "typed"); // dropped by the change
                dlg.simList()->setCurrentIndex(sim);
                EXPECT_EQ(form(), sim < other ? row(sim) + "0" : (saved == other ? kOwn : "||") + "3") << sim;
            }
            fill(&dlg, "パスワード", "");
            QTest::keyClicks(dlg.passwordEdit(), QString(17, u'x')); // typing stops at the field's limit
            QTest::keyClicks(dlg.simList()->lineEdit(), "IIJ");      // typing in the choice's text part changes nothing
            emit dlg.simList()->lineEdit()->editingFinished();
            EXPECT_EQ(dlg.simList()->currentText() + shown(&dlg, "パスワード"), "その他" + QString(15, u'x'));
            QTest::keyClick(&dlg, Qt::Key_Escape);
        });
        EXPECT_EQ(diff(before, t.record), Offsets{});
    }
}

// A confirm: the saved SIM (-1 "その他") with its MMS gateway and port, the choice made (-1 "その他", -2 none) and
// the data typed; then the gateway and port written back, or the message.
struct Confirm {
    int saved, choice;
    QString typed, gateway, port, written, message = {};
};
struct ApnConfirm : ApnDialog, ::testing::WithParamInterface<Confirm> {};

TEST_P(ApnConfirm, WritesTheEntryPastItsNameAndTheSimIndexButNotTheCountry) {
    const Confirm& c = GetParam();
    const int saved = c.saved < 0 ? other : c.saved, choice = c.choice == -2 ? saved : c.choice < 0 ? other : c.choice;
    save(saved, c.gateway, c.port);
    ProfileRecord want = t.record;
    open([&] {
        if (c.choice != -2) dlg.simList()->setCurrentIndex(choice);
        if (!c.typed.isEmpty()) fill(&dlg, kNames, c.typed);
        dlg.okButton()->click();
        EXPECT_EQ(dlg.result(), c.message.isEmpty() ? QDialog::Accepted : QDialog::Rejected);
    });
    if (c.message.isEmpty()) {
        OperatorEntry e = want.operatorEntry();
        const QString data = choice < other       ? row(choice)
                             : !c.typed.isEmpty() ? c.typed
                             : choice == saved    ? kOwn
                                                  : "||";
        put(e, std::array{op::mmsGateway, op::mmsPort}, c.written, *t.codec);
        put(e, kData, data, *t.codec);
        want.setOperatorEntry(e);
        want.setU8(rec::simIndex, static_cast<std::uint8_t>(choice));
    }
    EXPECT_EQ(diff(want, t.record), Offsets{});
    const auto m = t.prompter.messages();
    EXPECT_EQ(m.empty() ? "" : m[0].title + m[0].text, c.message.isEmpty() ? "" : "APN設定" + c.message);
}

INSTANTIATE_TEST_SUITE_P(Cases, ApnConfirm,
                         ::testing::Values(Confirm{0, 2, "", "0.0.0.0", "0", "0.0.0.0|0"},
                                           Confirm{0, 3, "", "010.001.000.099", "08080", "10.1.0.99|8080"},
                                           Confirm{-1, 0, "", "255.255.255.255", "65535", "255.255.255.255|65535"},
                                           Confirm{0, -1, "my.apn%d|me|pw", "256.1.1.1", "65536", "0.0.0.0|0"},
                                           Confirm{-1, -1, "", "1.2.3", "-1", "0.0.0.0|0"},
                                           Confirm{0, 4, "", "1.2.3.4.5", " 80 ", "0.0.0.0|80"},
                                           Confirm{200, -2, "", "1..3.4", "8o", "0.0.0.0|0"},
                                           Confirm{0, -1, QString(16, u'あ') + "||", "", "", "", "APNが長すぎます"}));

} // namespace

// The mail account dialog on each kind of choice, and the APN dialog on a
// "Japan" SIM and on "その他".
#include "Screenshots.h"

#include "support/TestContext.h"
#include "ui/dialogs/DlgEmailSetting.h"
#include "ui/dialogs/DlgOperator.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

using halvorn::test::TestContext;
using halvorn::ui::DlgEmailSetting;
using halvorn::ui::DlgOperator;

// Opens the mail dialog, picks the choice, fills what the choice lets the user type and saves the picture.
void shootMail(const QString& out, int choice, const QString& name) {
    TestContext t;
    DlgEmailSetting dlg(t.ctx);
    t.prompter.dialogs.push_back([&](QDialog&) {
        dlg.choiceList()->setCurrentIndex(choice);
        if (choice > 0) {
            dlg.addressEdit()->setText(QStringLiteral("trailcam@example.jp"));
            dlg.passwordEdit()->setText(QStringLiteral("password"));
        }
        if (choice == 2) {
            dlg.serverEdit()->setText(QStringLiteral("smtp.example.jp"));
            dlg.portEdit()->setText(QStringLiteral("587"));
        }
        halvorn::shots::save(dlg, out, name);
        return 0;
    });
    dlg.openModal();
}

void shootApn(const QString& out, int choice, const QString& name) {
    TestContext t;
    DlgOperator dlg(t.ctx);
    t.prompter.dialogs.push_back([&](QDialog&) {
        dlg.simList()->setCurrentIndex(choice);
        if (choice == dlg.otherPosition()) {
            dlg.apnEdit()->setText(QStringLiteral("internet.example.jp"));
            dlg.userEdit()->setText(QStringLiteral("user"));
            dlg.passwordEdit()->setText(QStringLiteral("pass"));
        }
        halvorn::shots::save(dlg, out, name);
        return 0;
    });
    dlg.openModal();
}

const halvorn::shots::Register mailRelay("mail-relay",
                                         [](const QString& out) { shootMail(out, 0, QStringLiteral("mail-relay")); });
const halvorn::shots::Register mailGmail("mail-gmail",
                                         [](const QString& out) { shootMail(out, 1, QStringLiteral("mail-gmail")); });
const halvorn::shots::Register mailOther("mail-other",
                                         [](const QString& out) { shootMail(out, 2, QStringLiteral("mail-other")); });
const halvorn::shots::Register apnJapan("apn-japan",
                                        [](const QString& out) { shootApn(out, 2, QStringLiteral("apn-japan")); });
const halvorn::shots::Register apnOther("apn-other", [](const QString& out) {
    TestContext t;
    DlgOperator probe(t.ctx);
    shootApn(out, probe.otherPosition(), QStringLiteral("apn-other"));
});

} // namespace

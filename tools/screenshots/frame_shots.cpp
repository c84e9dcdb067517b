// The frame with the main window: on the defaults, with its file menu open,
// and on a profile with every control filled in.
#include "Screenshots.h"

#include "app/TarnvaleSetupDlg.h"
#include "profile/ProfileText.h"
#include "support/TestContext.h"
#include "ui/main/DlgGSM.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace {

void putText(halvorn::test::TestContext& t, halvorn::Field field, const std::u16string& text) {
    t.record.clear(field.offset, field.width);
    halvorn::storeText(t.record.area(field), text, *t.codec);
}

const halvorn::shots::Register frameDefaults("frame-defaults", [](const QString& out) {
    halvorn::test::TestContext t;
    halvorn::app::TarnvaleSetupDlg frame(t.ctx);
    frame.setAppIcon(halvorn::app::appIcon());
    frame.setUpFrame();
    halvorn::shots::save(frame, out, QStringLiteral("main-window-defaults"));
});

const halvorn::shots::Register frameMenu("frame-file-menu", [](const QString& out) {
    halvorn::test::TestContext t;
    halvorn::app::TarnvaleSetupDlg frame(t.ctx);
    frame.setAppIcon(halvorn::app::appIcon());
    frame.setUpFrame();
    QMenu* menu = frame.menuBar()->actions().front()->menu();
    frame.show();
    menu->popup(frame.menuBar()->mapToGlobal(frame.menuBar()->actionGeometry(menu->menuAction()).bottomLeft()));
    halvorn::shots::saveWithMenu(frame, *menu, out, QStringLiteral("main-window-file-menu"));
});

const halvorn::shots::Register frameFilled("frame-filled", [](const QString& out) {
    using namespace halvorn;
    test::TestContext t;
    ProfileRecord& r = t.record;
    r.setU8(rec::sendMode, 2);
    r.setU8(rec::maxSendCount, 99);
    r.setU8(rec::sendHour, 23);
    r.setU8(rec::sendMinute, 45);
    r.setU8(rec::cameraMode, 1);
    r.setU16(rec::sendCompression, 2);
    r.setU16(rec::renameSwitch, 1);
    putText(t, rec::cameraName, u"TRAIL007");
    r.setU16(rec::smsSwitch, 1);
    r.setU16(rec::sendTarget, 2);
    const std::u16string phones[] = {u"090123456789012", u"08011112222", u"0312345678", u"0120444444"};
    const std::u16string mails[] = {u"someone.with.a.long.name@example.co.jp", u"ranger@example.jp", u"hut@example.org",
                                    u"x@y"};
    for (std::size_t i = 0; i < 4; ++i) {
        putText(t, rec::phoneText(i), phones[i]);
        putText(t, rec::recipientSlot(i), mails[i]);
    }
    app::TarnvaleSetupDlg frame(t.ctx);
    frame.setAppIcon(app::appIcon());
    frame.setUpFrame();
    frame.mainWindow()->controls().pathField->setText(QStringLiteral("/media/halvorn/SDCARD/DCIM"));
    shots::save(frame, out, QStringLiteral("main-window-filled"));
});

} // namespace

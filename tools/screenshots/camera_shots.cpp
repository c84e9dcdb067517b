// The camera settings dialog and the scene customization dialog.
#include "Screenshots.h"

#include "support/TestContext.h"
#include "ui/dialogs/DlgCAM.h"
#include "ui/dialogs/DlgCamPro.h"

#include <QDialog>

namespace {
using halvorn::test::TestContext;

const halvorn::shots::Register cameraDefaults("camera-defaults", [](const QString& out) {
    TestContext t;
    halvorn::ui::DlgCAM dlg(t.ctx);
    t.prompter.dialogs.push_back([&](QDialog&) {
        halvorn::shots::save(dlg, out, QStringLiteral("camera-settings-defaults"));
        return int(QDialog::Rejected);
    });
    dlg.openModal();
});

// Video mode, both triggers and two schedules switched on: the other enable states.
const halvorn::shots::Register cameraBusy("camera-busy", [](const QString& out) {
    TestContext t;
    t.record.setU8(halvorn::rec::cameraMode, 1);
    t.record.setU8(halvorn::rec::triggerMode, 2);
    const std::uint8_t first[] = {1, 6, 0, 18, 30, 162};
    const std::uint8_t fourth[] = {1, 22, 0, 6, 0, 127};
    for (std::size_t i = 0; i < 6; ++i) {
        t.record.setU8(halvorn::rec::workTimeAt(0) + i, first[i]);
        t.record.setU8(halvorn::rec::workTimeAt(3) + i, fourth[i]);
    }
    halvorn::ui::DlgCAM dlg(t.ctx);
    t.prompter.dialogs.push_back([&](QDialog&) {
        halvorn::shots::save(dlg, out, QStringLiteral("camera-settings-video-schedules"));
        return int(QDialog::Rejected);
    });
    dlg.openModal();
});

const halvorn::shots::Register sceneDefaults("scene-defaults", [](const QString& out) {
    TestContext t;
    halvorn::ui::DlgCamPro dlg(t.ctx);
    halvorn::ui::SceneTriple triple{1, 2, 0};
    t.prompter.dialogs.push_back([&](QDialog&) {
        halvorn::shots::save(dlg, out, QStringLiteral("scene-customization-defaults"));
        return int(QDialog::Rejected);
    });
    dlg.openModal(triple);
});
} // namespace

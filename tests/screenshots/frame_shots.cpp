// The frame with the main window.
#include "Screenshots.h"

#include "app/TarnvaleSetupDlg.h"
#include "support/TestContext.h"

namespace {
const halvorn::shots::Register frameDefaults("frame-defaults", [](const QString& out) {
    halvorn::test::TestContext t;
    halvorn::app::TarnvaleSetupDlg frame(t.ctx);
    frame.setAppIcon(halvorn::app::appIcon());
    frame.setUpFrame();
    halvorn::shots::save(frame, out, QStringLiteral("main-window-defaults"));
});
} // namespace

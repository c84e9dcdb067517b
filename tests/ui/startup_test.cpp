// Start-up: the record once the backup is loaded, the layout variant, the narrowed views, and the frame that hosts the
// main window.

#include "app/TarnvaleSetupApp.h"
#include "app/TarnvaleSetupDlg.h"
#include "platform/CodePage.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileFormat.h"
#include "support/FileHelpers.h"
#include "support/ScriptedPrompter.h"
#include "ui/DialogUnits.h"
#include "ui/main/DlgGSM.h"

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace halvorn::test {
namespace {

TEST(StartUp, LoadsTheBackupOrTheDefaultsThenFramesTheMainWindow) {
    ProfileRecord initial, defaults, saved;
    applyProfileDefaults(defaults);
    applyProfileDefaults(saved);
    saved.setU8(rec::maxSendCount, 42);
    for (const int variant : {0, 31, 33, 255, -1, -2}) { // -1: no backup, -2: no temporary folder
        SCOPED_TRACE(variant);
        const QTemporaryDir temp;
        const std::filesystem::path folder = temp.path().toStdString();
        saved.setU8(rec::variantCode, static_cast<std::uint8_t>(variant));
        if (variant != -1) writeAll(folder / kBackupName, encodeBackup(saved, CustomOperators::builtIn()));
        app::RunState state([&]() { return variant == -2 ? std::nullopt : std::optional(folder); },
                            platform::makeCodec(932), std::make_unique<ScriptedPrompter>());
        state.prepare();
        ProfileRecord expected = variant >= 0 ? saved : variant == -1 ? defaults : initial;
        expected.setU8(rec::variantCode, 32);
        EXPECT_EQ(state.record, expected);
        EXPECT_EQ(std::tuple(state.layoutVariant, state.views.country.count, state.views.mailPreset.count),
                  std::tuple(32, 1, 3));
        // The narrowed views: the rows their positions hold, and no row outside them.
        const std::tuple<int, std::optional<int>, std::optional<int>> rows[] = {
            {-1, {}, {}}, {0, 26, 0}, {1, 1, 1}, {2, 2, 9}, {9, 9, 9}, {10, 10, {}}, {15, 15, {}}, {27, {}, {}}};
        for (const auto& [at, country, mail] : rows)
            EXPECT_EQ(std::pair(state.views.country.rowAt(at), state.views.mailPreset.rowAt(at)),
                      std::pair(country, mail))
                << at;
        if (variant != -1) continue;

        app::TarnvaleSetupDlg frame(state.ctx);
        frame.setAppIcon(app::appIcon());
        EXPECT_EQ(frame.pageCode(), 0);
        ASSERT_TRUE(frame.setUpFrame());
        EXPECT_EQ(frame.windowTitle(), "Halvorn Setup V4.56J");
        EXPECT_EQ(frame.pageCode(), 2);
        EXPECT_EQ(frame.windowIcon().availableSizes(), (QList<QSize>{{48, 48}})); // the installed drawing
        ui::DlgGSM* main = frame.mainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(main->parentWidget(), &frame);
        // The menu bar on top, the panel below it as laid out, the frame around both.
        const QMenuBar* bar = frame.menuBar();
        EXPECT_EQ(std::tuple(bar->geometry(), main->geometry(), frame.size()),
                  std::tuple(QRect(0, 0, main->width(), bar->sizeHint().height()),
                             QRect(QPoint(0, bar->height()), ui::DialogUnits(ui::dialogFont()).size(420, 310)),
                             QSize(main->width(), bar->height() + main->height())));
        QStringList menu;
        for (const QAction* top : bar->actions()) {
            menu << top->text();
            for (const QAction* a : top->menu()->actions())
                menu << a->text();
        }
        EXPECT_EQ(menu.join('|'),
                  "ファイル|カードから読み込む...|設定をファイルに書き出す...|設定をファイルから読み込む...||終了");
        // The hidden camera command opens the one camera settings dialog; "終了" ends the frame.
        main->controls().cameraButton->click();
        main->controls().cameraButton->click();
        const auto& prompts = static_cast<ScriptedPrompter&>(*state.prompter).prompts;
        EXPECT_EQ(prompts.size() == 2 ? prompts[1].text : QString(), "DlgCAM");
        EXPECT_EQ(frame.findChildren<QDialog*>("DlgCAM").size(), 1);
        frame.show();
        QApplication::setActiveWindow(&frame);
        QTest::keyClick(&frame, Qt::Key_F10); // the menu from the keyboard
        EXPECT_EQ(bar->activeAction(), bar->actions().front());
        bar->activeAction()->menu()->hide();
        frame.setResult(QDialog::Accepted);
        bar->actions().front()->menu()->actions().back()->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(frame.result(), QDialog::Rejected);
        EXPECT_FALSE(frame.isVisible());
    }
}

} // namespace
} // namespace halvorn::test

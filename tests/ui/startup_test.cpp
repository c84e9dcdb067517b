// Start-up: the record once the backup is loaded, and the frame that hosts the main window.

#include "app/TarnvaleSetupApp.h"
#include "app/TarnvaleSetupDlg.h"
#include "platform/CodePage.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileFormat.h"
#include "support/FileHelpers.h"
#include "support/ScriptedPrompter.h"
#include "ui/main/DlgGSM.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

namespace halvorn::test {
namespace {

// A start on a temporary folder holding a backup whose layout variant is `variant`; -1 no backup, -2 no folder.
struct Start {
    QTemporaryDir temp;
    app::RunState state;
    explicit Start(int variant, ProfileRecord saved = {})
        : state([this, variant] { return variant == -2 ? std::nullopt : std::optional(folder()); },
                platform::makeCodec(932), std::make_unique<ScriptedPrompter>()) {
        saved.setU8(rec::variantCode, static_cast<std::uint8_t>(variant));
        if (variant >= 0) writeAll(folder() / kBackupName, encodeBackup(saved, CustomOperators::builtIn()));
        state.prepare();
    }
    std::filesystem::path folder() const { return temp.path().toStdU16String(); }
};

TEST(StartUp, TakesTheBackupWhateverItsVariantElseTheDefaultsAndNarrowsTheViews) {
    ProfileRecord initial, defaults, saved;
    applyProfileDefaults(defaults);
    applyProfileDefaults(saved);
    saved.setU8(rec::maxSendCount, 42);
    for (const int variant : {0, 31, 33, 255, -1, -2}) {
        const Start start(variant, saved);
        ProfileRecord expected = variant >= 0 ? saved : variant == -1 ? defaults : initial;
        expected.setU8(rec::variantCode, 32);
        EXPECT_EQ(start.state.record, expected) << variant;
        EXPECT_EQ(std::tuple(start.state.layoutVariant, start.state.views.mailPreset.count), std::tuple(32, 3));
    }
}

struct Frame : ::testing::Test {
    Start start{-1};
    app::TarnvaleSetupDlg frame{start.state.ctx};
    QMenuBar* bar = nullptr;
    void SetUp() override {
        ASSERT_EQ(frame.pageCode(), 0);
        ASSERT_TRUE(frame.setUpFrame());
        bar = frame.menuBar();
    }
};

TEST_F(Frame, ItsFileMenuOpensFromTheKeyboardAndItsLastCommandEndsTheFrame) {
    QStringList menu;
    for (const QAction* top : bar->actions()) {
        menu << top->text();
        for (const QAction* a : top->menu()->actions())
            menu << a->text();
    }
    EXPECT_EQ(menu.join('|'),
              "ファイル|カードから読み込む...|設定をファイルに書き出す...|設定をファイルから読み込む...||終了");
    frame.show();
    QApplication::setActiveWindow(&frame);
    QTest::keyClick(&frame, Qt::Key_F10);
    EXPECT_EQ(bar->activeAction(), bar->actions().front());
    bar->activeAction()->menu()->hide();
    frame.setResult(QDialog::Accepted);
    bar->actions().front()->menu()->actions().back()->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(std::pair(frame.result(), frame.isVisible()), std::pair(int(QDialog::Rejected), false));
}

TEST_F(Frame, TheHiddenCameraCommandOpensTheOneCameraDialog) {
    frame.mainWindow()->controls().cameraButton->click();
    frame.mainWindow()->controls().cameraButton->click();
    const auto& prompts = static_cast<ScriptedPrompter&>(*start.state.prompter).prompts;
    EXPECT_EQ(prompts.size() == 2 ? prompts[1].text : QString(), "DlgCAM");
    EXPECT_EQ(frame.findChildren<QDialog*>("DlgCAM").size(), 1);
}

} // namespace
} // namespace halvorn::test

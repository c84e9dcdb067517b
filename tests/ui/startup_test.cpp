// Start-up: the record after loading, the layout variant, the narrowed views,
// and the frame that hosts the main window.
#include "app/TarnvaleSetupApp.h"
#include "app/TarnvaleSetupDlg.h"
#include "platform/CodePage.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileFormat.h"
#include "support/ScriptedPrompter.h"
#include "ui/DialogUnits.h"
#include "ui/dialogs/DlgCAM.h"
#include "ui/dialogs/DlgEmailSetting.h"
#include "ui/dialogs/DlgOperator.h"
#include "ui/main/DlgGSM.h"

#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

using namespace halvorn;

namespace {

class StartUp : public ::testing::Test {
protected:
    QTemporaryDir temp;
    bool haveTemp = true;

    std::unique_ptr<app::RunState> makeState() {
        return std::make_unique<app::RunState>(
            [this]() -> std::optional<std::filesystem::path> {
                if (!haveTemp) return std::nullopt;
                return std::filesystem::path(temp.path().toStdString());
            },
            platform::makeCodec(932), std::make_unique<test::ScriptedPrompter>());
    }

    void writeBackup(const ProfileRecord& record) {
        const auto bytes = encodeBackup(record, CustomOperators::builtIn());
        const auto path = std::filesystem::path(temp.path().toStdString()) / "setupV4.56J.bak";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    }
};

TEST_F(StartUp, VariantIs32WhateverTheBackupHeld) {
    for (const int stored : {0, 7, 32, 255}) {
        ProfileRecord saved;
        applyProfileDefaults(saved);
        saved.setU8(rec::variantCode, static_cast<std::uint8_t>(stored));
        saved.setU8(rec::maxSendCount, 42);
        writeBackup(saved);

        auto state = makeState();
        state->prepare();
        EXPECT_EQ(state->record.u8(rec::variantCode), 32) << "stored " << stored;
        EXPECT_EQ(state->record.u8(rec::maxSendCount), 42) << "the backup was not taken";
        EXPECT_EQ(state->layoutVariant, kLayoutVariant);
    }
}

TEST_F(StartUp, WithoutBackupTheDefaultsKeepTheVersionTail) {
    auto state = makeState();
    state->prepare();
    ProfileRecord expected;
    applyProfileDefaults(expected);
    expected.setU8(rec::variantCode, 32);
    EXPECT_EQ(state->record, expected);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(state->record.bytes().data()) + 2, 4), ".56J");
}

TEST_F(StartUp, WithoutTemporaryFolderTheRecordKeepsItsInitialContents) {
    haveTemp = false;
    auto state = makeState();
    state->prepare();
    ProfileRecord expected;
    expected.setU8(rec::variantCode, 32);
    EXPECT_EQ(state->record, expected);
}

TEST_F(StartUp, ViewsAreNarrowed) {
    auto state = makeState();
    state->prepare();
    const Views& v = state->views;
    EXPECT_EQ(v.country.count, 1);
    EXPECT_EQ(v.country.rowAt(0), kCountryCustomer);
    EXPECT_EQ(v.country.rowAt(15), kCountryJapan);
    EXPECT_EQ(v.country.rowAt(26), 26);
    EXPECT_EQ(v.country.rowAt(27), std::nullopt);
    EXPECT_EQ(v.mailPreset.count, 3);
    EXPECT_EQ(v.mailPreset.rowAt(0), 0);
    EXPECT_EQ(v.mailPreset.rowAt(1), 1);
    EXPECT_EQ(v.mailPreset.rowAt(2), 9);
    EXPECT_EQ(v.mailPreset.rowAt(3), 3);
    EXPECT_EQ(v.mailPreset.rowAt(10), std::nullopt);
    // The default country index still means "Japan".
    EXPECT_EQ(v.country.rowAt(state->record.u8(rec::countryIndex)), kCountryJapan);
}

TEST_F(StartUp, FrameTakesTheMainWindowsSizeAndCaption) {
    auto state = makeState();
    state->prepare();
    app::TarnvaleSetupDlg frame(state->ctx);
    EXPECT_EQ(frame.pageCode(), 0);
    frame.setAppIcon(app::appIcon());
    ASSERT_TRUE(frame.setUpFrame());

    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Halvorn Setup V4.56J"));
    EXPECT_EQ(frame.pageCode(), 2);
    EXPECT_FALSE(frame.windowIcon().isNull());

    ui::DlgGSM* main = frame.mainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->parentWidget(), &frame);
    EXPECT_EQ(main->pos(), QPoint(0, 0));
    const ui::DialogUnits du(ui::dialogFont());
    EXPECT_EQ(main->size(), du.size(ui::DlgGSM::kWidthUnits, ui::DlgGSM::kHeightUnits));
    // The frame's client area ends where the main window ends.
    EXPECT_EQ(frame.size(), main->size());
    EXPECT_NE(frame.cameraDialog(), nullptr);
}

TEST_F(StartUp, DetailDialogsAreBuiltOnFirstUseAndKept) {
    auto state = makeState();
    state->prepare();
    app::TarnvaleSetupDlg frame(state->ctx);
    ASSERT_TRUE(frame.setUpFrame());
    ui::DlgGSM* main = frame.mainWindow();
    ASSERT_NE(main, nullptr);
    // Nothing but the main window is built before the frame shows.
    EXPECT_TRUE(frame.findChildren<QDialog*>(QStringLiteral("DlgCAM")).isEmpty());
    EXPECT_TRUE(frame.findChildren<QDialog*>(QStringLiteral("DlgCamPro")).isEmpty());
    EXPECT_TRUE(main->findChildren<QDialog*>(QStringLiteral("DlgEmailSetting")).isEmpty());
    EXPECT_TRUE(main->findChildren<QDialog*>(QStringLiteral("DlgOperator")).isEmpty());

    // The hidden camera command builds the camera dialog, and later requests get the same one.
    auto& prompter = static_cast<test::ScriptedPrompter&>(*state->prompter);
    main->controls().cameraButton->click();
    ASSERT_EQ(prompter.prompts.size(), 1u);
    EXPECT_EQ(prompter.prompts[0].text, QStringLiteral("DlgCAM"));
    ui::DlgCAM* camera = frame.cameraDialog();
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(frame.findChildren<QDialog*>(QStringLiteral("DlgCAM")), QList<QDialog*>{static_cast<QDialog*>(camera)});
    main->controls().cameraButton->click();
    EXPECT_EQ(frame.cameraDialog(), camera);
    EXPECT_EQ(frame.findChildren<QDialog*>(QStringLiteral("DlgCAM")).size(), 1);

    ui::DlgEmailSetting& mail = main->mailDialog();
    EXPECT_EQ(&main->mailDialog(), &mail);
    EXPECT_EQ(main->findChildren<QDialog*>(QStringLiteral("DlgEmailSetting")),
              QList<QDialog*>{static_cast<QDialog*>(&mail)});
    ui::DlgOperator& apn = main->apnDialog();
    EXPECT_EQ(&main->apnDialog(), &apn);
    EXPECT_EQ(main->findChildren<QDialog*>(QStringLiteral("DlgOperator")),
              QList<QDialog*>{static_cast<QDialog*>(&apn)});
}

TEST(DialogUnitsTest, ConvertsWithTheFontsBaseUnits) {
    const ui::DialogUnits du(ui::dialogFont());
    ASSERT_GT(du.baseX(), 0);
    ASSERT_GT(du.baseY(), 0);
    EXPECT_EQ(du.x(4), du.baseX());
    EXPECT_EQ(du.y(8), du.baseY());
    // Adjacent rectangles share their edge: no gap or overlap from rounding.
    const QRect a = du.rect(10, 10, 33, 7);
    const QRect b = du.rect(43, 17, 20, 9);
    EXPECT_EQ(a.x() + a.width(), b.x());
    EXPECT_EQ(a.y() + a.height(), b.y());
}

} // namespace

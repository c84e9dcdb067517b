// Fuzz target: the start-up path after the backup, without a display.
//
// The bytes are the backup file in a private temporary folder. The start-up
// preparation loads it, then the frame builds the main window, which loads
// the record into its form, and every dialog is opened on the loaded record.
// Modal runs end at once: with "Cancel", or with "OK" when the control byte
// asks for it, so that the dialogs' confirms run on foreign values too.
//
// Bytes past the backup's end are never read by the program; the first of
// them (when present) chooses the code page and whether dialogs are confirmed.

#include "app/TarnvaleSetupApp.h"
#include "app/TarnvaleSetupDlg.h"
#include "platform/CodePage.h"
#include "profile/ProfileFormat.h"
#include "ui/DialogUnits.h"
#include "ui/dialogs/DlgCAM.h"
#include "ui/dialogs/DlgCamPro.h"
#include "ui/dialogs/DlgEmailSetting.h"
#include "ui/dialogs/DlgOperator.h"
#include "ui/main/DlgGSM.h"

#include "fuzz/FuzzSupport.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>

#include <array>
#include <cstdint>
#include <memory>

using namespace halvorn;

namespace {

// Answers every prompt at once; a modal run ends with "Cancel", or with the
// dialog's "OK" button pressed when asked to.
class ImmediatePrompter : public ui::Prompter {
public:
    explicit ImmediatePrompter(bool pressOk) : pressOk_(pressOk) {}
    void message(QWidget*, const QString&, const QString&, ui::MessageIcon) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return true; }
    ui::FolderChoice chooseFolder(QWidget*, const QString&) override { return {}; }
    int runModal(QDialog& dialog) override {
        if (!pressOk_ || depth_ > 0) return QDialog::Rejected;
        ++depth_;
        for (auto* button : dialog.findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("OK") && button->parent() == &dialog) {
                button->click();
                break;
            }
        --depth_;
        return dialog.result();
    }

private:
    bool pressOk_;
    int depth_ = 0;
};

constexpr std::array<int, 6> kCodePages{932, 1252, 936, 949, 950, 1251};

} // namespace

// NOLINTNEXTLINE(readability-non-const-parameter): the signature libFuzzer calls
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    QApplication::setFont(ui::dialogFont());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::uint8_t control = size > kBackupSize ? bytes[kBackupSize] : 0;
    const int codePage = kCodePages[control % kCodePages.size()];
    const bool pressOk = (control & 0x80) != 0;

    const auto& folder = fuzz::privateFolder();
    fuzz::writeBackupFile(folder, bytes);

    auto codec = platform::makeCodec(codePage);
    fuzz::require(codec != nullptr, "no codec for a code page the program supports");
    app::RunState state([&folder]() -> std::optional<std::filesystem::path> { return folder; }, std::move(codec),
                        std::make_unique<ImmediatePrompter>(pressOk));
    state.prepare();
    fuzz::require(state.record.u8(rec::variantCode) == 32, "start-up did not write the layout variant");

    app::TarnvaleSetupDlg frame(state.ctx);
    frame.setUpFrame();
    ui::DlgGSM& main = *frame.mainWindow();
    main.readForm();
    main.showForm();

    main.openMailSettings();
    main.openApnSettings();
    ui::DlgCAM& camera = *frame.cameraDialog();
    camera.openModal();
    ui::SceneTriple triple = camera.values().scene;
    camera.sceneDialog().openModal(triple);

    // The save's checks on whatever the form now holds; no folder is set, so
    // nothing is written.
    main.checkAndStore();
    fuzz::require(state.record.bytes().size() == kRecordSize, "record size changed");
    return 0;
}

// Fuzz target: start-up on any bytes as the backup, the frame, every dialog and the save's checks. The byte past the
// backup (which the program never reads) picks the code page and whether dialogs end with "OK". Without libFuzzer,
// main() replays the files of the folders it is given.

#include "app/TarnvaleSetupApp.h"
#include "app/TarnvaleSetupDlg.h"
#include "platform/CodePage.h"
#include "profile/ProfileFormat.h"
#include "ui/dialogs/DlgCAM.h"
#include "ui/dialogs/DlgCamPro.h"
#include "ui/main/DlgGSM.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>

using namespace halvorn;

namespace {
struct ImmediatePrompter : ui::Prompter {
    explicit ImmediatePrompter(bool ok) : pressOk(ok) {}
    bool pressOk, inside = false;
    void message(QWidget*, const QString&, const QString&, ui::MessageIcon) override {}
    bool askYesNo(QWidget*, const QString&, const QString&, ui::Language) override { return true; }
    ui::FolderChoice chooseFolder(QWidget*, const QString&, const QString&, const QStringList&) override { return {}; }
    QString chooseFile(QWidget*, const QString&, ui::FileUse, const QString&) override { return {}; }
    int runModal(QDialog& dialog) override {
        if (!pressOk || inside) return QDialog::Rejected; // a dialog opened from a confirm is cancelled
        inside = true;
        for (auto* button : dialog.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
            if (button->text() == QStringLiteral("OK")) button->click();
        inside = false;
        return dialog.result();
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 0;
    [[maybe_unused]] static const QApplication app(argc, nullptr); // on the platform QT_QPA_PLATFORM names
    static const QTemporaryDir folder;                             // this process's own temporary folder
    const std::filesystem::path path = folder.path().toStdU16String();
    std::ofstream(path / kBackupName, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::uint8_t control = size > kBackupSize ? data[kBackupSize] : 0;
    auto codec = platform::makeCodec(std::array{932, 1252, 936, 949, 950, 1251}[control % 6]);
    app::RunState state([&] { return std::optional(path); }, std::move(codec),
                        std::make_unique<ImmediatePrompter>(control >= 0x80));
    state.prepare();
    if (state.record.u8(rec::variantCode) != 32) std::abort(); // start-up must write the layout variant
    app::TarnvaleSetupDlg frame(state.ctx);
    frame.setUpFrame();
    frame.mainWindow()->openMailSettings();
    frame.mainWindow()->openApnSettings();
    frame.cameraDialog()->openModal();
    ui::SceneTriple triple = frame.cameraDialog()->values().scene;
    frame.cameraDialog()->sceneDialog().openModal(triple);
    frame.mainWindow()->checkAndStore(); // no folder is set, so nothing is written
    return 0;
}

#ifndef HALVORN_LIBFUZZER
int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i)
        for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
            inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    for (const auto& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::fprintf(stderr, "%s (%zu bytes)\n", input.filename().c_str(), bytes.size());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return inputs.empty() ? 2 : 0;
}
#endif

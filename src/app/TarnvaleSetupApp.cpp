#include "app/TarnvaleSetupApp.h"

#include "BuildSettings.h"
#include "app/TarnvaleSetupDlg.h"
#include "platform/CodePage.h"
#include "platform/TempFolder.h"
#include "ui/DialogUnits.h"

#include <QLibraryInfo>

#include <cstring>
#include <utility>

namespace halvorn::app {

RunState::RunState(platform::TempFolderSource tempFolder, std::unique_ptr<TextCodec> textCodec,
                   std::unique_ptr<ui::Prompter> prompterImpl)
    : codec(std::move(textCodec)), prompter(std::move(prompterImpl)), files(record, custom, std::move(tempFolder)),
      catalog(custom), ctx{record, *codec, *prompter, files, custom, catalog, mailPresets, views} {}

void RunState::prepare() {
    files.loadBackup();
    layoutVariant = kLayoutVariant;
    views.narrow();
    record.setU8(rec::variantCode, static_cast<std::uint8_t>(kLayoutVariant));
}

bool ToolkitJapanese::loadFromQt() {
    return load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QString ToolkitJapanese::translate(const char* context, const char* sourceText, const char* disambiguation,
                                   int n) const {
    static const std::pair<const char*, const char*> folderCommands[] = {
        {"&New Folder", "新しいフォルダー(&N)"},
        {"New Folder", "新しいフォルダー"},
        {"Create New Folder", "新しいフォルダーの作成"},
        {"Create a New Folder", "新しいフォルダーを作成します"},
    };
    if (std::strcmp(context, "QFileDialog") == 0)
        for (const auto& [source, text] : folderCommands)
            if (std::strcmp(sourceText, source) == 0) return QString::fromUtf8(text);
    return QTranslator::translate(context, sourceText, disambiguation, n);
}

TarnvaleSetupApp::TarnvaleSetupApp(int& argc, char** argv) : QApplication(argc, argv) {
    if (toolkitTexts_.loadFromQt()) installTranslator(&toolkitTexts_);
}

TarnvaleSetupApp::~TarnvaleSetupApp() = default;

bool TarnvaleSetupApp::runStartUp() {
    // The framework's place for per-user settings; the program stores nothing there.
    setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    setApplicationName(QStringLiteral("Halvorn Setup"));
    setDesktopFileName(QString::fromLatin1(build::appId)); // desktops match the window to its menu entry
    setFont(ui::dialogFont());

    state_ = std::make_unique<RunState>(platform::userTempFolder, platform::makeRunCodec(platform::systemCodePage()),
                                        std::make_unique<ui::QtPrompter>());
    state_->prepare();

    {
        TarnvaleSetupDlg frame(state_->ctx);
        const QIcon icon = appIcon(); // loaded once for the frame and the application
        frame.setAppIcon(icon);
        setWindowIcon(icon);
        frame.setUpFrame();
        frame.exec();
    }
    return false;
}

} // namespace halvorn::app

#pragma once
// The application object: owns everything of the run and runs the start-up
// sequence once.

#include "catalog/MailPresets.h"
#include "catalog/OperatorCatalog.h"
#include "catalog/Views.h"
#include "profile/CustomOperators.h"
#include "profile/ProfileRecord.h"
#include "store/ProfileFiles.h"
#include "ui/AppContext.h"
#include "ui/Prompter.h"

#include <QApplication>
#include <QTranslator>

#include <memory>

namespace halvorn::app {

// The state of one run, in the order it must be built.
struct RunState {
    explicit RunState(platform::TempFolderSource tempFolder, std::unique_ptr<TextCodec> textCodec,
                      std::unique_ptr<ui::Prompter> prompterImpl);

    ProfileRecord record;
    CustomOperators custom = CustomOperators::builtIn();
    std::unique_ptr<TextCodec> codec;
    std::unique_ptr<ui::Prompter> prompter;
    ProfileFiles files;
    OperatorCatalog catalog;
    MailPresets mailPresets;
    Views views;
    int layoutVariant = 0;
    ui::AppContext ctx;

    // What start-up does before the frame opens: load the backup (or the
    // defaults), set the layout variant, narrow the views, and write the
    // variant into the record.
    void prepare();
};

// Qt's own Japanese texts (buttons, the folder picker, the fields' context
// menus) from Qt's translations folder, with the picker's folder commands
// worded as the desktop names them ("新しいフォルダー").
class ToolkitJapanese : public QTranslator {
public:
    bool loadFromQt(); // false when Qt's translation is missing
    QString translate(const char* context, const char* sourceText, const char* disambiguation, int n) const override;
};

class TarnvaleSetupApp : public QApplication {
    Q_OBJECT
public:
    TarnvaleSetupApp(int& argc, char** argv);
    ~TarnvaleSetupApp() override;

    // The start-up sequence; returns false so that the program ends when the frame closes.
    bool runStartUp();

private:
    ToolkitJapanese toolkitTexts_; // whatever the locale: the windows that use them speak Japanese
    std::unique_ptr<RunState> state_;
};

} // namespace halvorn::app

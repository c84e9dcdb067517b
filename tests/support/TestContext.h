#pragma once
// Everything a window needs, built for one test: a record with the defaults applied (as after a fresh start), the views
// narrowed as start-up does, a CP932 codec, a private temporary folder for the backup and a scripted prompter.

#include "support/ScriptedPrompter.h"
#include "ui/AppContext.h"
#include "ui/PathText.h"

#include <QTemporaryDir>

#include <memory>

namespace halvorn::test {

class TestContext {
public:
    explicit TestContext(int codePage = 932);

    ProfileRecord record;
    CustomOperators custom = CustomOperators::builtIn();
    std::unique_ptr<TextCodec> codec;
    ScriptedPrompter prompter;
    QTemporaryDir tempDir; // the "user's temporary folder"
    QTemporaryDir saveDir; // a folder to save PROFILE.BIN into
    // The operating-system calls the profile files make: the real ones until a
    // test replaces an entry, which takes effect at once (files calls through this).
    platform::SysCalls sysCalls = platform::SysCalls::real();
    ProfileFiles files;
    OperatorCatalog catalog;
    MailPresets mailPresets;
    Views views;
    ui::AppContext ctx;

    std::filesystem::path tempPath() const { return ui::toPath(tempDir.path()); }
    std::filesystem::path savePath() const { return ui::toPath(saveDir.path()); }
};

// A FrameAccess that records the quit.
class FakeFrame : public ui::FrameAccess {
public:
    int pageCode() const override { return 2; }
    void endWithCancel() override { ++cancels; }
    int cancels = 0;
};

} // namespace halvorn::test

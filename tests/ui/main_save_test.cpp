// The save: the page code, the path messages, the files, and the one report of a file that cannot be written
// (its words are the file error texts' own table).

#include "MainWindowFixture.h"

#include "profile/ProfileFormat.h"
#include "support/FileHelpers.h"
#include "ui/FileErrorText.h"

#include <cerrno>
#include <fcntl.h>

namespace halvorn::test {
namespace {

TEST_F(MainWindowTest, SaveWritesThePageCodeChecksThePathAndReports) {
    namespace fs = std::filesystem;
    const fs::path card = t.savePath() / u"カード 日本", bin = card / kProfileBinName, // a folder outside ASCII
        backup = t.tempPath() / kBackupName;
    fs::create_directory(card);
    const QString folder = ui::pathText(card), file = folder + "/file", app = ui::applicationTitle();
    writeAll(ui::toPath(file), {1}); // it passes the existence test, and is no folder to write into
    const auto report = [](platform::WriteStep step, int error, const fs::path& path) {
        return ui::fileErrorText(platform::FileError{step, error, path});
    };
    const struct {
        Form form;
        QString title, text;
        ui::MessageIcon icon;
        int files = 0;  // 1: PROFILE.BIN only, 2: with the backup
        int failed = 0; // the file whose creation fails: 1 PROFILE.BIN, 2 the backup
    } rows[] = {
        // clang-format off
        {{.count = "100", .path = folder}, "送信モード", "最大枚数は0-99の範囲で設定してください", ui::MessageIcon::Error},
        {{}, "保存先", "設定ファイルの保存先を選択してください", ui::MessageIcon::None},
        {{.path = folder + "/gone"}, app, "保存先が見つかりません", ui::MessageIcon::None},
        {{.path = file}, app, report(platform::WriteStep::OpenFolder, ENOTDIR, ui::toPath(file + "/PROFILE.BIN")), ui::MessageIcon::Error},
        {{.path = folder}, app, report(platform::WriteStep::Create, EACCES, bin), ui::MessageIcon::Error, 0, 1},
        {{.path = folder}, app, report(platform::WriteStep::Create, EACCES, backup), ui::MessageIcon::Error, 1, 2},
        {{.path = folder}, "保存先", "設定ファイルは次の場所に保存されました " + folder, ui::MessageIcon::None, 2},
        // clang-format on
    };
    const auto real = platform::SysCalls::real();
    for (const auto& k : rows) {
        SCOPED_TRACE(k.text.toStdString());
        int created = 0;
        t.sysCalls.openat = [&](int dir, const char* name, int flags, mode_t mode) {
            if ((flags & O_CREAT) != 0 && ++created == k.failed) return errno = EACCES, -1;
            return real.openat(dir, name, flags, mode);
        };
        record().setU16(rec::profileKind, 1);
        fill(k.form);
        const QStringList before = shown(*window);
        t.prompter.clear();
        window->save();
        EXPECT_EQ(prompts(), QStringList{line(Prompt::Kind::Message, k.title, k.text, k.icon)});
        EXPECT_EQ(record().u16(rec::profileKind), 2);
        EXPECT_EQ(shown(*window), before); // the window stays as it was
        EXPECT_EQ((std::vector{fs::exists(bin), fs::exists(backup)}), (std::vector{k.files > 0, k.files > 1}));
        if (k.files < 2) fs::remove(bin);
    }
    EXPECT_EQ(readAll(bin), encodeProfileBin(record()));
    EXPECT_EQ(readAll(backup), encodeBackup(record(), t.custom));
    t.sysCalls = real;
}

} // namespace
} // namespace halvorn::test

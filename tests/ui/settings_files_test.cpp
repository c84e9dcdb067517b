// The file menu's commands: a card read back into the window, and the settings carried in a file.

#include "MainWindowFixture.h"

#include "profile/ProfileDefaults.h"
#include "profile/ProfileFormat.h"
#include "support/FileHelpers.h"

#include <QDir>

namespace halvorn::test {
namespace {

namespace fs = std::filesystem;
using Kind = Prompt::Kind;

QString text(const fs::path& p) { return ui::pathText(p); }

TEST_F(MainWindowTest, ACardReadBackShowsWhatWasSavedAndTheNextOkWritesItAgain) {
    const QString card = text(t.savePath());
    const fs::path bin = t.savePath() / kProfileBinName;
    // clang-format off
    fill({.count = "7", .mode = 1, .sms = 1, .rename = 1, .target = 2, .phones = {"0801234567"}, .name = "CAM7", .path = card});
    // clang-format on
    window->save();
    const std::vector<std::uint8_t> written = readAll(bin);
    const QStringList saved = shown(*window);
    ProfileRecord fresh; // a later start on the defaults
    applyProfileDefaults(fresh);
    fresh.bytes()[5] = 0x77;
    record() = fresh;
    open();
    t.prompter.folders = {{ui::FolderChoice::Kind::Cancelled, {}}, {ui::FolderChoice::Kind::Folder, card}};
    window->loadFromCard(); // cancelled: nothing happens
    EXPECT_EQ(record(), fresh);
    window->loadFromCard();
    EXPECT_EQ(shown(*window), saved);
    EXPECT_TRUE(std::ranges::equal(record().area(0, kProfileBinOffset), fresh.area(0, kProfileBinOffset)));
    window->save();
    EXPECT_EQ(readAll(bin), written);
    // Cards whose PROFILE.BIN is too short, too long, missing or not a file (a pipe) change nothing.
    const std::pair<std::ptrdiff_t, QString> refused[] = {
        {995, "995 バイト"}, {997, "996 バイトより大きな"}, {-1, "見つかりません"}, {-2, "はファイルではありません"}};
    for (const auto& [size, reason] : refused) {
        SCOPED_TRACE(reason.toStdString());
        fs::remove(bin);
        if (size > 0) writeAll(bin, {written.begin(), written.begin() + size});
        EXPECT_TRUE(size != -2 || ::mkfifo(bin.c_str(), 0600) == 0);
        const auto before = std::pair(record(), shown(*window));
        t.prompter.clear();
        t.prompter.folders = {{ui::FolderChoice::Kind::Folder, card}};
        window->loadFromCard();
        EXPECT_EQ(t.prompter.prompts.front().start, card); // the picker opens on the card last read
        const auto m = t.prompter.messages();
        ASSERT_EQ(m.size(), 1u);
        EXPECT_EQ(m[0].title, "カードから読み込む");
        EXPECT_TRUE(m[0].text.startsWith(text(bin)) && m[0].text.contains(reason)) << m[0].text.toStdString();
        EXPECT_EQ(std::pair(record(), shown(*window)), before);
    }
}

TEST_F(MainWindowTest, SettingsExportedToAFileAreTakenBackWholeOnAFreshStart) {
    const fs::path file = t.savePath() / "CAM7.halvorn";
    fill({.count = "100"}); // a refused check: no file is asked for or written
    t.prompter.files = {text(file)};
    window->exportSettings();
    EXPECT_EQ(prompts(), QStringList{line(Kind::Message, "送信モード", "最大枚数は0-99の範囲で設定してください",
                                          ui::MessageIcon::Error)});
    EXPECT_FALSE(fs::exists(file));
    fill({.count = "7", .rename = 1, .phones = {"0801234567"}, .name = "CAM7"});
    t.custom.list[1][0] = 'Q';
    t.custom.manual[3] = 'M';
    t.prompter.clear();
    window->exportSettings();
    EXPECT_EQ(prompts(),
              (QStringList{line(Kind::File, "設定をファイルに書き出す", {}),
                           line(Kind::Message, "保存先", "設定ファイルは次の場所に保存されました " + text(file))}));
    EXPECT_EQ(t.prompter.prompts.front().start, QDir::home().filePath("CAM7.halvorn"));
    EXPECT_EQ(modeOf(file), S_IFREG | 0600u);

    TestContext other; // another computer
    ui::DlgGSM there(other.ctx, frame);
    const std::vector<std::uint8_t> exported = readAll(file);
    auto foreign = exported;
    foreign[0] ^= 0x10; // the version mark no longer reads "V"
    const std::tuple<std::vector<std::uint8_t>, QString, bool> files[] = {
        {{exported.begin(), exported.begin() + 1015}, "1015 バイト", false},
        {foreign, "バージョン", false},
        {exported, "", true}};
    for (const auto& [bytes, reason, taken] : files) {
        const fs::path imported = other.savePath() / "in.halvorn";
        writeAll(imported, bytes);
        const auto before = std::pair(other.record, other.custom);
        other.prompter.clear();
        other.prompter.files = {text(imported)};
        there.importSettings();
        EXPECT_EQ(std::pair(other.record, other.custom), taken ? std::pair(t.record, t.custom) : before);
        EXPECT_EQ(other.prompter.messages().size(), taken ? 0u : 1u);
        for (const Prompt& m : other.prompter.messages())
            EXPECT_TRUE(m.title == "設定をファイルから読み込む" && m.text.startsWith(text(imported)) &&
                        m.text.contains(reason));
    }
    c().pathField->clear();
    EXPECT_EQ(shown(there), shown(*window));
}

} // namespace
} // namespace halvorn::test

// A file that could not be written, in Japanese words by its cause, naming the file.
#include "ui/FileErrorText.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using namespace halvorn;
using enum platform::WriteStep;

TEST(FileErrorText, EachCauseInWordsWithTheFile) {
    const QString cannot = "/card/PROFILE.BIN に書き込めません。",
                  unconfirmed = "新しい設定は /card/PROFILE.BIN に書き込まれましたが、正しく保存されたことを"
                                "確認できませんでした。カードを使う前に確認してください。";
    // clang-format off
    const struct { const char* what; platform::WriteStep step; int error; QString text; } rows[] = {
        {"write-protected", Write, EROFS, cannot + "カードが書き込み禁止になっています。"},
        {"full", Write, ENOSPC, cannot + "カードの空き容量が不足しています。"},
        {"over the quota", Close, EDQUOT, cannot + "カードの空き容量が不足しています。"},
        {"denied", Create, EACCES, "/card/PROFILE.BIN へのアクセスが拒否されました。"},
        {"not permitted", Create, EPERM, "/card/PROFILE.BIN へのアクセスが拒否されました。"},
        {"a file in the path", OpenFolder, ENOTDIR, cannot + "パスの途中にフォルダーではなくファイルがあります。"},
        {"the card removed", OpenFolder, ENOENT, cannot + "フォルダーが見つかりません。カードが取り出された可能性があります。"},
        {"no device", Write, ENXIO, cannot + "フォルダーが見つかりません。カードが取り出された可能性があります。"},
        {"unreadable", Sync, EIO, cannot + "カードを読み取れません。カードが壊れているか、正しく挿入されていない可能性があります。"},
        {"unconfirmed after the rename", SyncFolder, EIO, unconfirmed},
        {"read back different", ReadBack, 0, unconfirmed},
        {"another window saving", Lock, EWOULDBLOCK, cannot + "このプログラムの別のウィンドウが保存中です。しばらくしてから、もう一度保存してください。"},
        {"anything else, by its code", Write, EMFILE, cannot + "予期しないエラーが発生しました (エラー コード 24)。"}};
    // clang-format on
    for (const auto& r : rows)
        EXPECT_EQ(ui::fileErrorText({r.step, r.error, "/card/PROFILE.BIN"}), r.text) << r.what;
}

} // namespace

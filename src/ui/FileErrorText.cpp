#include "ui/FileErrorText.h"

#include "profile/ProfileFormat.h"
#include "ui/PathText.h"

#include <cerrno>

namespace halvorn::ui {

QString fileErrorText(const platform::FileError& error) {
    const QString path = pathText(error.path);
    // After the rename the new file is in place; what failed is only the proof that it reached the card.
    if (error.replaced())
        return QStringLiteral("新しい設定は %1 に書き込まれましたが、正しく保存されたことを確認できませんでした。"
                              "カードを使う前に確認してください。")
            .arg(path);
    if (error.step == platform::WriteStep::Lock && error.error == EWOULDBLOCK)
        return QStringLiteral("%1 に書き込めません。このプログラムの別のウィンドウが保存中です。"
                              "しばらくしてから、もう一度保存してください。")
            .arg(path);
    switch (error.error) {
    case EROFS:
        return QStringLiteral("%1 に書き込めません。カードが書き込み禁止になっています。").arg(path);
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("%1 に書き込めません。カードの空き容量が不足しています。").arg(path);
    case EACCES:
    case EPERM:
        return QStringLiteral("%1 へのアクセスが拒否されました。").arg(path);
    case ENOTDIR:
    case EEXIST:
        return QStringLiteral("%1 に書き込めません。パスの途中にフォルダーではなくファイルがあります。").arg(path);
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return QStringLiteral("%1 に書き込めません。フォルダーが見つかりません。カードが取り出された可能性があります。")
            .arg(path);
    case EIO:
        return QStringLiteral(
                   "%1 に書き込めません。カードを読み取れません。カードが壊れているか、正しく挿入されていない"
                   "可能性があります。")
            .arg(path);
    default:
        return QStringLiteral("%1 に書き込めません。予期しないエラーが発生しました (エラー コード %2)。")
            .arg(path, QString::number(error.error));
    }
}

QString loadErrorText(const LoadResult& result) {
    using Kind = LoadResult::Kind;
    const QString path = pathText(result.path), size = QString::number(result.size);
    switch (result.kind) {
    case Kind::Loaded:
        return {};
    case Kind::WrongSize:
        return result.size < kProfileBinSize
                   ? QStringLiteral(
                         "%1 はカメラの設定ファイルではありません。996 バイトのはずが %2 バイトしかありません。")
                         .arg(path, size)
                   : QStringLiteral("%1 はカメラの設定ファイルではありません。996 バイトより大きなファイルです。")
                         .arg(path);
    case Kind::TooShort:
        return QStringLiteral("%1 はこのプログラムの設定ファイルではありません。1016 バイトに足りません (%2 バイト)。")
            .arg(path, size);
    case Kind::WrongVersion:
        return QStringLiteral("%1 はこのプログラムの設定ファイルではありません。バージョンの印がありません。")
            .arg(path);
    case Kind::Unreadable:
        break;
    }
    switch (result.error) {
    case ENOENT:
        return QStringLiteral("%1 が見つかりません。").arg(path);
    case EACCES:
    case EPERM:
        return QStringLiteral("%1 へのアクセスが拒否されました。").arg(path);
    case EISDIR:
    case EINVAL:
        return QStringLiteral("%1 はファイルではありません。").arg(path);
    case EIO:
        return QStringLiteral("%1 を読み込めません。カードが壊れているか、正しく挿入されていない可能性があります。")
            .arg(path);
    default:
        return QStringLiteral("%1 を読み込めません。予期しないエラーが発生しました (エラー コード %2)。")
            .arg(path, QString::number(result.error));
    }
}

} // namespace halvorn::ui

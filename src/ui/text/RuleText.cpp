#include "ui/text/RuleText.h"

namespace halvorn::ui {

QString unfitForMailText(const QString& field) {
    return QStringLiteral("%1に使用できない文字 (制御文字、「<」または「>」) が含まれています").arg(field.trimmed());
}

RuleText ruleText(const rules::Failure& failure) {
    using rules::Rule;
    const QString recipients = QStringLiteral("受信者設定"), rename = QStringLiteral("名前変更"),
                  workTime = QStringLiteral("Work Time Setting"), mail = QStringLiteral("メール設定"),
                  account = QStringLiteral("送信メール設定");
    switch (failure.rule) {
    case Rule::None:
    case Rule::PhoneCharacter: // the windows take these without a word
    case Rule::CameraNameSmallLetter:
        break;
    case Rule::MaxSendCount:
        return {QStringLiteral("送信モード"), QStringLiteral("最大枚数は0-99の範囲で設定してください")};
    case Rule::MailAccountIncomplete:
        return {mail, QStringLiteral("メールアドレスを確認し、設定してください")};
    case Rule::PhoneLength:
        return {recipients, QStringLiteral("受信する電話番号が最大文字数を超えています")};
    case Rule::SmsPhoneLength:
        return {recipients, QStringLiteral("SMS設定用電話番号が最大文字数を超えています")};
    case Rule::SmsPhoneMissing:
        return {recipients, QStringLiteral("SMS設定用電話番号を入力してください")};
    case Rule::AddressLength:
        return {recipients, QStringLiteral("メールアドレスが最大文字数を超えています")};
    case Rule::AddressMalformed:
        return {recipients, QStringLiteral("無効なメールアドレスが入力されています")};
    case Rule::PhoneMissing:
        return {recipients, QStringLiteral("受信する電話番号を入力してください")};
    case Rule::AddressMissing:
        return {recipients, QStringLiteral("受信するメールアドレスを入力してください")};
    case Rule::CameraNameCharacter:
        return {rename, QStringLiteral("名前変更欄に対応していない文字が入力されています")};
    case Rule::CameraNameMissing:
        return {rename, QStringLiteral("名前変更欄を入力してください")};
    case Rule::CameraNameLength:
        return {QString(), QStringLiteral("Enter no more than %1 characters.").arg(failure.limit)};
    case Rule::WorkTimeStartStop:
        return {workTime, QStringLiteral("Please check Work Time Start and Stop point.")};
    case Rule::WorkTimeNoDay:
        return {workTime, QStringLiteral("Please check Work Time Week CheckBox.")};
    case Rule::ServerMissing:
        return {account, QStringLiteral("サーバー名を入力してください")};
    case Rule::PortMissing:
        return {account, QStringLiteral("ポート番号を入力してください")};
    case Rule::PortRange:
        return {account, QStringLiteral("SMTPポートには0から65535までの数値を入力してください")};
    case Rule::EncryptionMissing:
        return {account, QStringLiteral("暗号化タイプを選択してください")};
    case Rule::AccountMissing:
        return {account, QStringLiteral("メールアドレスまたはアカウント名を入力してください")};
    case Rule::AddressNoAt:
        return {account, QStringLiteral("メールアドレスが無効です")};
    case Rule::SenderUnfit:
        return {account, unfitForMailText(QStringLiteral("メール"))};
    case Rule::AccountUnfit:
        return {account, unfitForMailText(QStringLiteral("アカウント"))};
    }
    return {};
}

} // namespace halvorn::ui

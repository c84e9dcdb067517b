#include "ui/text/RuleText.h"

namespace halvorn::ui {

std::string unfitForMailText(std::string_view field) {
    const auto first = field.find_first_not_of(" \t"), last = field.find_last_not_of(" \t");
    const std::string_view name = first == std::string_view::npos ? "" : field.substr(first, last - first + 1);
    return std::string(name) + "に使用できない文字 (制御文字、「<」または「>」) が含まれています";
}

RuleText ruleText(const rules::Failure& failure) {
    using rules::Rule;
    const std::string recipients = "受信者設定", rename = "名前変更", workTime = "Work Time Setting",
                      mail = "メール設定", account = "送信メール設定";
    switch (failure.rule) {
    case Rule::None:
    case Rule::PhoneCharacter: // the windows take these without a word
    case Rule::CameraNameSmallLetter:
        break;
    case Rule::MaxSendCount:
        return {"送信モード", "最大枚数は0-99の範囲で設定してください"};
    case Rule::MailAccountIncomplete:
        return {mail, "メールアドレスを確認し、設定してください"};
    case Rule::PhoneLength:
        return {recipients, "受信する電話番号が最大文字数を超えています"};
    case Rule::SmsPhoneLength:
        return {recipients, "SMS設定用電話番号が最大文字数を超えています"};
    case Rule::SmsPhoneMissing:
        return {recipients, "SMS設定用電話番号を入力してください"};
    case Rule::AddressLength:
        return {recipients, "メールアドレスが最大文字数を超えています"};
    case Rule::AddressMalformed:
        return {recipients, "無効なメールアドレスが入力されています"};
    case Rule::PhoneMissing:
        return {recipients, "受信する電話番号を入力してください"};
    case Rule::AddressMissing:
        return {recipients, "受信するメールアドレスを入力してください"};
    case Rule::CameraNameCharacter:
        return {rename, "名前変更欄に対応していない文字が入力されています"};
    case Rule::CameraNameMissing:
        return {rename, "名前変更欄を入力してください"};
    case Rule::CameraNameLength:
        return {{}, "Enter no more than " + std::to_string(failure.limit) + " characters."};
    case Rule::WorkTimeStartStop:
        return {workTime, "Please check Work Time Start and Stop point."};
    case Rule::WorkTimeNoDay:
        return {workTime, "Please check Work Time Week CheckBox."};
    case Rule::ServerMissing:
        return {account, "サーバー名を入力してください"};
    case Rule::PortMissing:
        return {account, "ポート番号を入力してください"};
    case Rule::PortRange:
        return {account, "SMTPポートには0から65535までの数値を入力してください"};
    case Rule::EncryptionMissing:
        return {account, "暗号化タイプを選択してください"};
    case Rule::AccountMissing:
        return {account, "メールアドレスまたはアカウント名を入力してください"};
    case Rule::AddressNoAt:
        return {account, "メールアドレスが無効です"};
    case Rule::SenderUnfit:
        return {account, unfitForMailText("メール")};
    case Rule::AccountUnfit:
        return {account, unfitForMailText("アカウント")};
    }
    return {};
}

} // namespace halvorn::ui

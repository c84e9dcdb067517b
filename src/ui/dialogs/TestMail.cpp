#include "ui/dialogs/TestMail.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace halvorn::ui {

namespace {
// The sender ends on its own within 30 s; this is the window's own limit, should it not.
constexpr int kDeadlineMs = 33'000;

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
} // namespace

QString testMailProgram() {
    const QString dir = QCoreApplication::applicationDirPath();
#ifdef Q_OS_WIN
    return dir + QStringLiteral("/halvorn-mail.exe"); // installed beside the program
#else
    QString beside = dir + QStringLiteral("/halvorn-mail");
    if (QFileInfo(beside).isExecutable()) return beside;
    return dir + QStringLiteral("/../libexec/halvorn-setup/halvorn-mail");
#endif
}

TestMailRun::TestMailRun(QString program, QObject* parent) : QObject(parent), program_(std::move(program)) {
    process_.setStandardErrorFile(QProcess::nullDevice());
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        end({mail::Failure::TimedOut, false, {}, "no result within 30 s"});
    });
    connect(&process_, &QProcess::readyReadStandardOutput, this, &TestMailRun::readAnswer);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            end({mail::Failure::SenderFailed, false, {}, process_.errorString().toStdString()});
    });
    connect(&process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        readAnswer();
        end({mail::Failure::SenderFailed,
             false,
             {},
             status == QProcess::CrashExit ? "it stopped unexpectedly"
                                           : "it ended without a result, code " + std::to_string(code)});
    });
}

TestMailRun::~TestMailRun() { cancel(); }

void TestMailRun::start(const mail::MailRequest& request) {
    emit stageChanged(mail::Stage::Connecting);
    deadline_.start(kDeadlineMs);
    // The request, password included, goes through the pipe only: never the command line or the environment.
    process_.start(program_, {}, QIODevice::ReadWrite);
    const std::string text = mail::encodeRequest(request);
    process_.write(text.data(), qint64(text.size()));
    process_.closeWriteChannel();
}

void TestMailRun::cancel() {
    over_ = true;
    deadline_.stop();
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(1000); // a killed process is gone at once
    }
}

void TestMailRun::readAnswer() {
    if (over_) return;
    answer_ += process_.read(qint64(mail::kLongestAnswer) + 1 - answer_.size());
    if (answer_.size() > qsizetype(mail::kLongestAnswer)) {
        end({mail::Failure::SenderFailed, false, {}, "its answer was too long"});
        return;
    }
    for (qsizetype at = answer_.indexOf('\n'); at >= 0 && !over_; at = answer_.indexOf('\n')) {
        const QByteArray line = answer_.left(at);
        answer_.remove(0, at + 1);
        const auto said = mail::decodeAnswerLine(std::string_view(line.constData(), std::size_t(line.size())));
        if (!said)
            end({mail::Failure::SenderFailed, false, {}, "it answered something else"});
        else if (said->stage)
            emit stageChanged(*said->stage);
        else
            end(*said->result);
    }
}

void TestMailRun::end(const mail::MailOutcome& outcome) {
    if (over_) return;
    cancel(); // once the result is in, the sender's goodbye to the server is not waited for
    emit finished(outcome);
}

QString testMailSubject(const QString& cameraName) {
    return QStringLiteral("テスト送信 / Test mail: %1").arg(cameraName);
}

QString testMailBody(const QString& cameraName, const QString& time) {
    return QStringLiteral("カメラ %1 のメール設定からのテストメールです (%2)。\r\n"
                          "このメールが届いていれば、カメラはこのアカウントで送信できます。\r\n\r\n"
                          "This is a test mail from the mail settings of camera %1 (%2).\r\n"
                          "If it has arrived, the camera can send through this account.\r\n")
        .arg(cameraName, time);
}

QString testMailResultText(const mail::MailRequest& r, const mail::MailOutcome& outcome) {
    const QString server = fromUtf8(r.server), port = QString::number(r.port);
    const QString detail = fromUtf8(outcome.detail);
    const QString reply =
        outcome.reply.empty() ? QString() : QStringLiteral("\nサーバーの応答: ") + fromUtf8(outcome.reply);
    switch (outcome.failure) {
    case mail::Failure::None:
        if (!outcome.authenticated)
            return QStringLiteral("テストメールを %1 に送信しましたが、サーバーはパスワードを確認しませんでした。"
                                  "アカウントとパスワードが正しいかどうかは確かめられていません。")
                .arg(fromUtf8(r.recipient));
        return QStringLiteral("テストメールを %1 に送信しました。届いたことを確認してください。")
            .arg(fromUtf8(r.recipient));
    case mail::Failure::Cancelled:
        return {};
    case mail::Failure::ServerNotFound:
        return QStringLiteral("SMTPサーバー「%1」が見つかりません。サーバー名を確認してください。").arg(server);
    case mail::Failure::ConnectionRefused:
        return QStringLiteral("SMTPサーバー %1 のポート %2 に接続できません (接続が拒否されました)。"
                              "ポート番号と暗号化タイプを確認してください。")
            .arg(server, port);
    case mail::Failure::TimedOut:
        return QStringLiteral("SMTPサーバー %1 のポート %2 から時間内に応答がありません。"
                              "ポート番号と暗号化タイプを確認してください。")
            .arg(server, port);
    case mail::Failure::TlsFailed:
        return QStringLiteral("SMTPサーバー %1 との暗号化通信 (TLS) を開始できません。"
                              "暗号化タイプとポート番号を確認してください。(%2)")
            .arg(server, detail);
    case mail::Failure::CertificateUntrusted:
        return QStringLiteral("SMTPサーバー %1 の証明書を信頼できません。サーバー名を確認してください。(%2)")
            .arg(server, detail);
    case mail::Failure::StartTlsMissing:
        return QStringLiteral("SMTPサーバー %1 は STARTTLS に対応していません。暗号化タイプを確認してください。")
            .arg(server);
    case mail::Failure::StartTlsRequired:
        return QStringLiteral(
                   "SMTPサーバー %1 は STARTTLS を要求しています。暗号化タイプを「STARTTLS」にしてください。")
                   .arg(server) +
               reply;
    case mail::Failure::AuthenticationRefused: {
        QString text =
            QStringLiteral("SMTPサーバーが認証を拒否しました。アカウントとパスワードを確認してください。") + reply;
        if (server.contains(QStringLiteral("gmail"), Qt::CaseInsensitive) ||
            fromUtf8(r.sender).endsWith(QStringLiteral("@gmail.com"), Qt::CaseInsensitive))
            text += QStringLiteral("\nGmail では Google アカウントのアプリ パスワードが必要です: "
                                   "https://myaccount.google.com/apppasswords");
        return text;
    }
    case mail::Failure::SenderRefused:
        return QStringLiteral("SMTPサーバーが送信元アドレス %1 を拒否しました。").arg(fromUtf8(r.sender)) + reply;
    case mail::Failure::RecipientRefused:
        return QStringLiteral("SMTPサーバーが宛先 %1 を拒否しました。").arg(fromUtf8(r.recipient)) + reply;
    case mail::Failure::Refused:
        return QStringLiteral("送信元アドレス、アカウント、宛先またはSMTPサーバー名に、メールの送信に使えない文字が"
                              "含まれています。");
    case mail::Failure::SenderFailed:
        return QStringLiteral("テスト送信のプログラムが正しく動作しませんでした (%1)。").arg(detail);
    case mail::Failure::Other:
        break;
    }
    return QStringLiteral("テストメールを送信できませんでした: %1").arg(detail) + reply;
}

} // namespace halvorn::ui

#include "mail/TestMail.h"

#include <QByteArray>
#include <QDateTime>
#include <QMetaObject>

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace halvorn::mail {

namespace {

constexpr long kConnectTimeoutMs = 10'000;
constexpr long kTotalTimeoutMs = 30'000;
constexpr int kPollMs = 50; // how soon a cancel is seen

// The SMTP command the client sent last, as far as the failures need it.
enum class Command { None, Auth, MailFrom, RcptTo, Data };

// What the worker keeps while libcurl runs. It never holds a copy of an
// outgoing line: an AUTH line carries the password.
struct Transfer {
    std::string message;
    std::size_t sent = 0;
    Command last = Command::None;
    std::string reply;
    std::function<void(Stage)> stage;
};

std::size_t readMessage(char* buffer, std::size_t size, std::size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const std::size_t n = std::min(size * count, t->message.size() - t->sent);
    std::copy_n(t->message.data() + t->sent, n, buffer);
    t->sent += n;
    return n;
}

// Ends the transfer as failed once the attempt is cancelled: libcurl then drops the connection without
// ending the message, so no part of it can be delivered, and without waiting for an answer to QUIT.
int stopWhenCancelled(void* cancelled, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<const std::atomic<bool>*>(cancelled)->load() ? 1 : 0;
}

int watchProtocol(CURL*, curl_infotype type, char* data, std::size_t size, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const std::string_view line(data, size);
    if (type == CURLINFO_HEADER_IN) {
        t->reply = line.substr(0, line.find_first_of("\r\n"));
    } else if (type == CURLINFO_HEADER_OUT) {
        const auto is = [&](std::string_view command) { return line.substr(0, command.size()) == command; };
        if (is("AUTH") && t->last != Command::Auth) t->stage(Stage::Authenticating);
        if (is("MAIL FROM")) t->stage(Stage::Sending);
        if (is("AUTH")) t->last = Command::Auth;
        if (is("MAIL FROM")) t->last = Command::MailFrom;
        if (is("RCPT TO")) t->last = Command::RcptTo;
        if (is("DATA")) t->last = Command::Data;
    }
    return 0;
}

Failure failureOf(CURLcode code, Command last) {
    switch (code) {
    case CURLE_OK:
        return Failure::None;
    case CURLE_COULDNT_RESOLVE_HOST:
        return Failure::ServerNotFound;
    case CURLE_COULDNT_CONNECT:
        return Failure::ConnectionRefused;
    case CURLE_OPERATION_TIMEDOUT:
        return Failure::TimedOut;
    case CURLE_USE_SSL_FAILED:
        return Failure::StartTlsMissing;
    case CURLE_PEER_FAILED_VERIFICATION:
        return Failure::CertificateUntrusted;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
        return Failure::TlsFailed;
    case CURLE_LOGIN_DENIED:
        return Failure::AuthenticationRefused;
    default:
        break;
    }
    if (last == Command::MailFrom) return Failure::SenderRefused;
    if (last == Command::RcptTo) return Failure::RecipientRefused;
    return Failure::Other;
}

QByteArray base64Lines(const QByteArray& bytes) {
    const QByteArray all = bytes.toBase64();
    QByteArray out;
    for (qsizetype at = 0; at < all.size(); at += 76)
        out += all.mid(at, 76) + "\r\n";
    return out;
}

std::string messageOf(const TestMailRequest& r) {
    QByteArray m;
    m += "Date: " + QDateTime::currentDateTime().toString(Qt::RFC2822Date).toUtf8() + "\r\n";
    m += "From: <" + r.sender.toUtf8() + ">\r\n";
    m += "To: <" + r.recipient.toUtf8() + ">\r\n";
    m += "Subject: =?UTF-8?B?" + r.subject.toUtf8().toBase64() + "?=\r\n";
    m += "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n";
    m += base64Lines(r.body.toUtf8());
    return m.toStdString();
}

TestMailResult send(const TestMailRequest& r, const std::atomic<bool>& cancelled,
                    const std::function<void(Stage)>& stage) {
    static std::once_flag global;
    std::call_once(global, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    Transfer t{messageOf(r), 0, Command::None, {}, stage};
    const std::string scheme = r.security == Security::Tls ? "smtps://" : "smtp://";
    const std::string host = r.server.contains(u':') ? "[" + r.server.toStdString() + "]" : r.server.toStdString();
    const std::string url = scheme + host + ":" + std::to_string(r.port);
    const std::string from = "<" + r.sender.toStdString() + ">", to = "<" + r.recipient.toStdString() + ">";
    const std::string user = r.account.toStdString(), password = r.password.toStdString();
    const std::string caFile = r.caFile.toStdString();
    char error[CURL_ERROR_SIZE] = {};

    CURL* easy = curl_easy_init();
    curl_slist* recipients = curl_slist_append(nullptr, to.c_str());
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, kTotalTimeoutMs);
    // The certificate and the host name are always checked.
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!caFile.empty()) curl_easy_setopt(easy, CURLOPT_CAINFO, caFile.c_str());
    if (r.security == Security::StartTls) curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    if (!user.empty()) {
        curl_easy_setopt(easy, CURLOPT_USERNAME, user.c_str());
        curl_easy_setopt(easy, CURLOPT_PASSWORD, password.c_str());
    }
    curl_easy_setopt(easy, CURLOPT_MAIL_FROM, from.c_str());
    curl_easy_setopt(easy, CURLOPT_MAIL_RCPT, recipients);
    curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(easy, CURLOPT_READFUNCTION, readMessage);
    curl_easy_setopt(easy, CURLOPT_READDATA, &t);
    curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, watchProtocol);
    curl_easy_setopt(easy, CURLOPT_DEBUGDATA, &t);
    curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, stopWhenCancelled);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(&cancelled));

    CURLM* multi = curl_multi_init();
    curl_multi_add_handle(multi, easy);
    CURLcode code = CURLE_OK;
    // A cancel ends the transfer at the next call into libcurl; should it not, the loop gives up after a second.
    std::optional<std::chrono::steady_clock::time_point> giveUp;
    for (int running = 1; running != 0;) {
        if (curl_multi_perform(multi, &running) != CURLM_OK) break;
        if (running != 0) curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr);
        const auto now = std::chrono::steady_clock::now();
        if (cancelled.load() && !giveUp) giveUp = now + std::chrono::seconds(1);
        if (giveUp && now > *giveUp) break;
    }
    // With the time over, libcurl does not wait for the server when the handle is removed.
    if (cancelled.load()) curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, 1L);
    int left = 0;
    while (const CURLMsg* m = curl_multi_info_read(multi, &left))
        if (m->msg == CURLMSG_DONE) code = m->data.result;
    curl_multi_remove_handle(multi, easy);
    curl_multi_cleanup(multi);
    curl_easy_cleanup(easy);
    curl_slist_free_all(recipients);

    if (cancelled.load()) return {Failure::Cancelled, {}, {}};
    const QString detail = code == CURLE_OK ? QString() : QString::fromUtf8(*error ? error : curl_easy_strerror(code));
    return {failureOf(code, t.last), detail, QString::fromUtf8(t.reply)};
}

} // namespace

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

QString testMailResultText(const TestMailRequest& r, const TestMailResult& result) {
    const QString port = QString::number(r.port);
    const QString reply =
        result.serverReply.isEmpty() ? QString() : QStringLiteral("\nサーバーの応答: ") + result.serverReply;
    QString text;
    switch (result.failure) {
    case Failure::None:
        return QStringLiteral("テストメールを %1 に送信しました。届いたことを確認してください。").arg(r.recipient);
    case Failure::Cancelled:
        return {};
    case Failure::ServerNotFound:
        text = QStringLiteral("SMTPサーバー「%1」が見つかりません。サーバー名を確認してください。").arg(r.server);
        break;
    case Failure::ConnectionRefused:
        text = QStringLiteral("SMTPサーバー %1 のポート %2 に接続できません (接続が拒否されました)。"
                              "ポート番号と暗号化タイプを確認してください。")
                   .arg(r.server, port);
        break;
    case Failure::TimedOut:
        text = QStringLiteral("SMTPサーバー %1 のポート %2 から時間内に応答がありません。"
                              "ポート番号と暗号化タイプを確認してください。")
                   .arg(r.server, port);
        break;
    case Failure::TlsFailed:
        text = QStringLiteral("SMTPサーバー %1 との暗号化通信 (TLS) を開始できません。"
                              "暗号化タイプとポート番号を確認してください。(%2)")
                   .arg(r.server, result.detail);
        break;
    case Failure::CertificateUntrusted:
        text = QStringLiteral("SMTPサーバー %1 の証明書を信頼できません。サーバー名を確認してください。(%2)")
                   .arg(r.server, result.detail);
        break;
    case Failure::StartTlsMissing:
        text = QStringLiteral("SMTPサーバー %1 は STARTTLS に対応していません。暗号化タイプを確認してください。")
                   .arg(r.server);
        break;
    case Failure::AuthenticationRefused:
        text = QStringLiteral("SMTPサーバーが認証を拒否しました。アカウントとパスワードを確認してください。") + reply;
        if (r.server.contains(QStringLiteral("gmail"), Qt::CaseInsensitive) ||
            r.sender.endsWith(QStringLiteral("@gmail.com"), Qt::CaseInsensitive))
            text += QStringLiteral("\nGmail では Google アカウントのアプリ パスワードが必要です: "
                                   "https://myaccount.google.com/apppasswords");
        break;
    case Failure::SenderRefused:
        text = QStringLiteral("SMTPサーバーが送信元アドレス %1 を拒否しました。").arg(r.sender) + reply;
        break;
    case Failure::RecipientRefused:
        text = QStringLiteral("SMTPサーバーが宛先 %1 を拒否しました。").arg(r.recipient) + reply;
        break;
    case Failure::Other:
        text = QStringLiteral("テストメールを送信できませんでした: %1").arg(result.detail) + reply;
        break;
    }
    // A server may echo what it was sent; the password is never shown.
    if (!r.password.isEmpty()) text.replace(r.password, QStringLiteral("****"));
    return text;
}

TestMailSender::TestMailSender(QObject* parent) : QObject(parent) {}

TestMailSender::~TestMailSender() {
    cancel();
    if (worker_.joinable()) worker_.join();
}

void TestMailSender::start(TestMailRequest request) {
    cancel();
    if (worker_.joinable()) worker_.join();
    cancelled_ = std::make_shared<std::atomic<bool>>(false);
    const auto flag = cancelled_;
    // Posted to this object's thread; dropped once the attempt is cancelled or this object is gone.
    const auto post = [this, flag](auto emitIt) {
        QMetaObject::invokeMethod(
            this,
            [flag, emitIt] {
                if (!flag->load()) emitIt();
            },
            Qt::QueuedConnection);
    };
    emit stageChanged(Stage::Connecting);
    worker_ = std::thread([this, flag, post, request = std::move(request)] {
        const TestMailResult result = send(request, *flag, [&](Stage s) { post([this, s] { emit stageChanged(s); }); });
        post([this, result] { emit finished(result); });
    });
}

void TestMailSender::cancel() { cancelled_->store(true); }

} // namespace halvorn::mail

#pragma once
// One test mail through the camera's SMTP account, sent by libcurl on a worker
// thread so that the window never waits on the network. The worker only
// touches its own copy of the request; what it learns reaches the sender's
// thread as queued calls.

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <thread>

namespace halvorn::mail {

// How the connection is secured, by the encryption code of the mail entry
// (0x40 none, 0x41 SSL/TLS from the first byte, 0x42 STARTTLS required).
enum class Security { Plain, Tls, StartTls };

struct TestMailRequest {
    QString server;
    int port = 0;
    Security security = Security::StartTls;
    QString account, password;
    QString sender, recipient;
    QString subject, body;
    QString caFile; // certificates to trust; empty: the system's store
};

enum class Stage { Connecting, Authenticating, Sending };

enum class Failure {
    None,
    ServerNotFound,
    ConnectionRefused,
    TimedOut,
    TlsFailed,
    CertificateUntrusted,
    StartTlsMissing,
    AuthenticationRefused,
    SenderRefused,
    RecipientRefused,
    Cancelled,
    Other
};

struct TestMailResult {
    Failure failure = Failure::None;
    QString detail;      // libcurl's own description of the failure
    QString serverReply; // the server's last reply line, when it gave one
};

// The mail itself, in Japanese and English, naming the camera and the time.
QString testMailSubject(const QString& cameraName);
QString testMailBody(const QString& cameraName, const QString& time);

// What the user reads under "テスト送信" after an attempt (nothing for a cancelled one).
QString testMailResultText(const TestMailRequest& request, const TestMailResult& result);

class TestMailSender : public QObject {
    Q_OBJECT
public:
    explicit TestMailSender(QObject* parent = nullptr);
    ~TestMailSender() override; // ends a running attempt and waits for its thread

    // Starts one attempt; stageChanged and then finished follow on this object's thread.
    void start(TestMailRequest request);
    // Ends the attempt at once; finished is not emitted after it.
    void cancel();

signals:
    void stageChanged(halvorn::mail::Stage stage);
    void finished(const halvorn::mail::TestMailResult& result);

private:
    std::shared_ptr<std::atomic<bool>> cancelled_ = std::make_shared<std::atomic<bool>>(false);
    std::thread worker_;
};

} // namespace halvorn::mail

// The test mail against SMTP servers of the test's own on 127.0.0.1 (tests/mail/smtp_server.py), and the
// dialog's "テスト送信", which sends and writes nothing.
#include "mail/TestMail.h"
#include "support/DialogInput.h"
#include "support/FileHelpers.h"
#include "ui/dialogs/DlgEmailSetting.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

using namespace halvorn;
using namespace halvorn::test;
using mail::Failure;

namespace {

mail::TestMailRequest request(int port, const QString& password, const QString& caFile) {
    mail::TestMailRequest r;
    r.server = "127.0.0.1", r.port = port, r.account = "cam", r.password = password, r.caFile = caFile;
    r.sender = "cam@example.jp", r.recipient = "office@example.jp";
    r.subject = mail::testMailSubject("CAM7"), r.body = mail::testMailBody("CAM7", "2026-12-07 09:00");
    return r;
}

// One attempt, ended by its result, or cancelled after `cancelMs`; the time the cancel took comes back too.
std::pair<mail::TestMailResult, qint64> attempt(const mail::TestMailRequest& r, int cancelMs = -1) {
    mail::TestMailResult result{Failure::Cancelled, {}, {}};
    QElapsedTimer cancelled;
    {
        mail::TestMailSender sender;
        QEventLoop loop;
        QObject::connect(&sender, &mail::TestMailSender::finished, [&](const mail::TestMailResult& got) {
            result = got;
            loop.quit();
        });
        if (cancelMs >= 0)
            QTimer::singleShot(cancelMs, &loop, [&] { cancelled.start(), sender.cancel(), loop.quit(); });
        QTimer::singleShot(40000, &loop, &QEventLoop::quit);
        sender.start(r);
        loop.exec();
    } // the sender's thread has ended here
    return {result, cancelled.isValid() ? cancelled.elapsed() : -1};
}

TEST(TestMail, EachOutcomeInWordsAgainstLocalServers) {
    const QTemporaryDir dir;
    QProcess servers; // the authority's certificate; the STARTTLS, plain, stalled and closed ports
    servers.setProcessChannelMode(QProcess::ForwardedErrorChannel); // its complaints in the test's output
    servers.start("/usr/bin/python3", {QT_TESTCASE_SOURCEDIR "/mail/smtp_server.py", dir.path()});
    while (!servers.canReadLine() && servers.waitForReadyRead(20000)) {
    }
    const QStringList ready = QString(servers.readLine()).trimmed().split(' ');
    ASSERT_EQ(ready.size(), 5);
    const QString ca = ready[0];
    const int tls = ready[1].toInt(), plain = ready[2].toInt(), stalled = ready[3].toInt(), closed = ready[4].toInt();
    const struct {
        mail::TestMailRequest r;
        Failure failure;
        QString words;
    } rows[] = {
        {request(tls, "secret", ca), Failure::None, "office@example.jp に送信しました"},
        {request(tls, "wrong-secret", ca), Failure::AuthenticationRefused, "認証を拒否しました"},
        {request(closed, "secret", ca), Failure::ConnectionRefused, QString("ポート %1 に接続できません").arg(closed)},
        {request(plain, "secret", ca), Failure::StartTlsMissing, "STARTTLS に対応していません"},
        {request(tls, "secret", {}), Failure::CertificateUntrusted, "証明書を信頼できません"}};
    for (const auto& [r, failure, words] : rows) {
        SCOPED_TRACE(words.toStdString());
        const auto result = attempt(r).first;
        EXPECT_EQ(result.failure, failure);
        const QString text = mail::testMailResultText(r, result);
        EXPECT_TRUE(text.contains(words)) << text.toStdString();
        EXPECT_FALSE(text.contains(r.password)) << text.toStdString();
    }
    // The one mail that arrived: its sender, recipient and subject.
    const auto mail = readAll(dir.path().toStdString() + "/mail-0.txt");
    const QString got = QString::fromUtf8(reinterpret_cast<const char*>(mail.data()), qsizetype(mail.size()));
    EXPECT_TRUE(got.startsWith("cam@example.jp\noffice@example.jp\n")) << got.toStdString();
    EXPECT_TRUE(got.contains("Subject: =?UTF-8?B?" + mail::testMailSubject("CAM7").toUtf8().toBase64() + "?="));
    const auto [result, cancelMs] = attempt(request(stalled, "secret", ca), 300);
    EXPECT_EQ(result.failure, Failure::Cancelled);
    EXPECT_LT(cancelMs, 1000);

    // From the dialog: the account as typed on "その他", to the first stored recipient, the record untouched.
    TestContext t;
    ui::DlgEmailSetting dlg(t.ctx);
    dlg.setTestMailCaFile(ca);
    std::ranges::copy(std::string_view("office@example.jp"), t.record.area(rec::recipientSlot(1)).begin());
    const ProfileRecord before = t.record;
    openAndRun(t.prompter, dlg, [&] {
        dlg.choiceList()->setCurrentIndex(2);
        fill(&dlg, "メール|アカウント|パスワード|SMTPサーバー|SMTPポート",
             "cam@example.jp|cam|secret|127.0.0.1|" + QString::number(tls));
        dlg.encryptionList()->setCurrentIndex(2);
        t.prompter.dialogs.push_back([](QDialog& progress) { // runs until the attempt ends
            QEventLoop loop;
            QObject::connect(&progress, &QDialog::finished, &loop, &QEventLoop::quit);
            loop.exec();
            return progress.result();
        });
        press(&dlg, "テスト送信");
    });
    const auto m = t.prompter.messages();
    EXPECT_EQ(m.size() == 1 ? m[0].title + '|' + m[0].text.section(u'。', 0, 0) : "",
              "テスト送信|テストメールを office@example.jp に送信しました");
    EXPECT_EQ(diff(before, t.record), Offsets{});
    servers.closeWriteChannel();
    servers.waitForFinished(5000);
}

} // namespace

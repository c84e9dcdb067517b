// "テスト送信" in the mail account dialog: what each outcome says, what the request carries, and a window that
// never waits on the sender. The sender here is a script standing in for halvorn-mail (which has tests of its own
// against servers): it keeps the request it was given and answers as the test says.
#include "support/DialogInput.h"
#include "ui/Prompter.h"
#include "ui/dialogs/DlgEmailSetting.h"
#include "ui/dialogs/TestMail.h"
#include "ui/main/DlgGSM.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include <csignal>

using namespace halvorn;
using namespace halvorn::test;
using mail::Failure;

namespace {

TEST(TestMail, EachOutcomeInWords) {
    mail::MailRequest r;
    r.server = "mail.example.jp", r.port = 587, r.sender = "cam@gmail.com", r.recipient = "office@example.jp";
    const struct {
        const char* what;
        mail::MailOutcome outcome;
        QString words;
    } rows[] = {
        // clang-format off
        {"sent, password checked", {Failure::None, true, {}, {}}, "テストメールを office@example.jp に送信しました。"},
        {"sent, password never asked", {Failure::None, false, {}, {}}, "パスワードを確認しませんでした"},
        {"refused recipient, with the reply", {Failure::RecipientRefused, false, "550 5.1.1 unknown", {}}, "宛先 office@example.jp を拒否しました。\nサーバーの応答: 550 5.1.1 unknown"},
        {"refused sender, with the reply", {Failure::SenderRefused, false, "553 no", {}}, "送信元アドレス cam@gmail.com を拒否しました。\nサーバーの応答: 553 no"},
        {"STARTTLS required", {Failure::StartTlsRequired, false, "530 5.7.0 STARTTLS first", {}}, "STARTTLS を要求しています"},
        {"password refused, Gmail's hint", {Failure::AuthenticationRefused, false, "535 no", {}}, "認証を拒否しました。アカウントとパスワードを確認してください。\nサーバーの応答: 535 no\nGmail では"},
        {"no answer in time", {Failure::TimedOut, false, {}, {}}, "mail.example.jp のポート 587 から時間内に応答がありません"},
        {"cancelled: nothing", {Failure::Cancelled, false, {}, {}}, ""},
        // clang-format on
    };
    for (const auto& row : rows) {
        const QString text = ui::testMailResultText(r, row.outcome);
        EXPECT_TRUE(row.words.isEmpty() ? text.isEmpty() : text.contains(row.words))
            << row.what << ": " << text.toStdString();
    }
}

// The main window with a local account typed into its mail dialog on "その他"; the sender is a stand-in script.
struct TestSend : ::testing::Test {
    TestContext t;
    FakeFrame frame;
    ui::DlgGSM window{t.ctx, frame};
    QString program = t.tempDir.filePath("halvorn-mail");

    // Presses "テスト送信" with `script` as the sender; `whileRunning` runs in the progress window, which is then
    // waited for to close.
    void send(const QByteArray& script, const std::function<void(QDialog&)>& whileRunning = {}) {
        QFile f(program);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + script + "\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        onNextDialog(t.prompter, [&] {
            auto* dlg = window.findChild<ui::DlgEmailSetting*>();
            dlg->setTestMailProgram(program);
            dlg->choiceList()->setCurrentIndex(2);
            fill(dlg, "メール|アカウント|パスワード|SMTPサーバー|SMTPポート", "cam@example.jp|cam|pw|127.0.0.1|25");
            dlg->encryptionList()->setCurrentIndex(2);
            t.prompter.dialogs.push_back([&](QDialog& progress) {
                EXPECT_EQ(progress.findChild<QLabel*>()->textFormat(), Qt::PlainText);
                QEventLoop loop;
                QObject::connect(&progress, &QDialog::finished, &loop, &QEventLoop::quit);
                if (whileRunning) whileRunning(progress);
                loop.exec();
                return progress.result();
            });
            press(dlg, "テスト送信");
        });
        window.controls().mailButton->click();
    }
    QStringList messages() {
        QStringList out;
        for (const Prompt& p : t.prompter.messages())
            out << p.title + '|' + p.text;
        return out;
    }
};

TEST_F(TestSend, GoesToWhatTheMainWindowShowsAndWritesNothing) {
    std::ranges::copy(std::string_view("stored@example.jp"), t.record.area(rec::recipientSlot(0)).begin());
    window.controls().mailFields[0]->clear(); // typed, not saved
    window.controls().mailFields[1]->setText("typed@example.jp");
    window.controls().nameField->setText("CAM9");
    const ProfileRecord before = t.record;
    send("cat > \"$0.request\"; echo 'stage authenticating'; echo 'result none 1 - -'");
    QFile f(program + ".request");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    const auto r = mail::decodeRequest(std::string_view(text.constData(), std::size_t(text.size())));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->recipient + '|' + r->subject + '|' + r->sender + '|' + r->password,
              "typed@example.jp|テスト送信 / Test mail: CAM9|cam@example.jp|pw");
    EXPECT_EQ(messages(),
              QStringList{"テスト送信|テストメールを typed@example.jp に送信しました。届いたことを確認してください。"});
    EXPECT_EQ(diff(before, t.record), Offsets{});
}

TEST_F(TestSend, ARecipientThatWouldInjectACommandIsRefusedBeforeTheSenderStarts) {
    window.controls().mailFields[0]->setText("a@b.example>\r\nRCPT TO:<evil@attacker.example");
    send("touch \"$0.started\"; echo 'result none 1 - -'");
    EXPECT_EQ(messages(),
              QStringList{"テスト送信|受信メール  1に使用できない文字 (制御文字、「<」または「>」) が含まれています"});
    EXPECT_FALSE(QFile::exists(program + ".started"));
}

TEST_F(TestSend, TheWindowAnswersWhileItRunsAndAtOnceAfterCancel) {
    int ticks = 0;
    QElapsedTimer cancelled;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    send("echo $$ > \"$0.pid\"; exec sleep 60", [&](QDialog& progress) {
        tick.start(10);
        QTimer::singleShot(300, &progress, [&] { cancelled.start(), press(&progress, "キャンセル"); });
    });
    EXPECT_LT(cancelled.elapsed(), 100);
    EXPECT_GE(ticks, 15); // of about 30 in the 300 ms the attempt ran
    QFile pid(program + ".pid");
    ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
    EXPECT_EQ(::kill(pid.readAll().trimmed().toInt(), 0), -1); // the sender is gone
    EXPECT_EQ(messages(), QStringList{});
}

TEST_F(TestSend, ASenderThatCrashesIsAFailureInWords) {
    send("kill -SEGV $$");
    EXPECT_EQ(messages(),
              QStringList{"テスト送信|テスト送信のプログラムが正しく動作しませんでした (it stopped unexpectedly)。"});
}

} // namespace

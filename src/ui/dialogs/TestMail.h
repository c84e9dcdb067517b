#pragma once
// The window's side of a test mail: the sender program halvorn-mail, started
// for one attempt, fed the request on its standard input and read on its
// standard output. The window never waits on it: its answer arrives as
// signals, and a cancel kills it.

#include "mail/MailExchange.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

namespace halvorn::ui {

// Where the sender is: beside the window's program (a build tree), else in
// ../libexec/halvorn-setup/ from it (an installation).
QString testMailProgram();

class TestMailRun : public QObject {
    Q_OBJECT
public:
    explicit TestMailRun(QString program, QObject* parent = nullptr);
    ~TestMailRun() override; // kills a sender still running

    // Starts one attempt; stageChanged and then finished follow.
    void start(const mail::MailRequest& request);
    // Ends the attempt at once; finished is not emitted after it.
    void cancel();

signals:
    void stageChanged(halvorn::mail::Stage stage);
    void finished(const halvorn::mail::MailOutcome& outcome);

private:
    void readAnswer();
    void end(const mail::MailOutcome& outcome);

    QString program_;
    QProcess process_;
    QTimer deadline_;
    QByteArray answer_;
    bool over_ = false;
};

// The mail itself, in Japanese and English, naming the camera and the time.
QString testMailSubject(const QString& cameraName);
QString testMailBody(const QString& cameraName, const QString& time);

// What the user reads under "テスト送信" after an attempt (nothing for a cancelled one).
QString testMailResultText(const mail::MailRequest& request, const mail::MailOutcome& outcome);

} // namespace halvorn::ui

#pragma once
// Driving dialogs in widget tests: typing key by key, and running code while
// a dialog is open.

#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

#include <functional>

namespace halvorn::test {

// Types the text key by key (any characters, not only ASCII), through the
// widget's typing rules.
inline void keyIn(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

// Opens the dialog through its openModal() and runs `act` while it is open;
// returns the dialog's result.
template <class Dialog> int openAndRun(ScriptedPrompter& prompter, Dialog& dialog, const std::function<void()>& act) {
    prompter.dialogs.push_back([act](QDialog& d) {
        d.setResult(QDialog::Rejected);
        act();
        return d.result();
    });
    return dialog.openModal();
}

} // namespace halvorn::test

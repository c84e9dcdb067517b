#include "ui/Prompter.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace halvorn::ui {

QString applicationTitle() { return QStringLiteral("Halvorn Setup"); }

namespace {
QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void QtPrompter::message(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) {
    QMessageBox box(toQt(icon), title.isEmpty() ? applicationTitle() : title, text, QMessageBox::Ok, owner);
    box.setAccessibleName(box.windowTitle());
    box.exec();
}

bool QtPrompter::askYesNo(QWidget* owner, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title.isEmpty() ? applicationTitle() : title, text,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setAccessibleName(box.windowTitle());
    return box.exec() != QMessageBox::No;
}

FolderChoice QtPrompter::chooseFolder(QWidget* owner, const QString& prompt) {
    const QUrl url = QFileDialog::getExistingDirectoryUrl(owner, prompt, QUrl(), QFileDialog::ShowDirsOnly,
                                                          {QStringLiteral("file")});
    if (url.isEmpty()) return {FolderChoice::Kind::Cancelled, {}};
    if (!url.isLocalFile() || url.toLocalFile().isEmpty()) return {FolderChoice::Kind::NotFileSystem, {}};
    return {FolderChoice::Kind::Folder, url.toLocalFile()};
}

int QtPrompter::runModal(QDialog& dialog) { return dialog.exec(); }

} // namespace halvorn::ui

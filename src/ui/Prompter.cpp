#include "ui/Prompter.h"

#include "store/ProfileFiles.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
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
    box.setTextFormat(Qt::PlainText); // texts may quote a file, a server or a certificate: never markup
    box.exec();
}

bool QtPrompter::askYesNo(QWidget* owner, const QString& title, const QString& text, Language buttons) {
    QMessageBox box(QMessageBox::Question, title.isEmpty() ? applicationTitle() : title, text,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setAccessibleName(box.windowTitle());
    box.setTextFormat(Qt::PlainText);
    // Named here rather than by the toolkit's translation, which serves the Japanese windows only.
    const bool japanese = buttons == Language::Japanese;
    box.button(QMessageBox::Yes)->setText(japanese ? QStringLiteral("はい") : QStringLiteral("&Yes"));
    box.button(QMessageBox::No)->setText(japanese ? QStringLiteral("いいえ") : QStringLiteral("&No"));
    return box.exec() != QMessageBox::No;
}

FolderChoice QtPrompter::chooseFolder(QWidget* owner, const QString& prompt, const QString& start,
                                      const QStringList& volumes) {
    // Qt's own picker rather than the desktop's, so that it speaks the window's Japanese.
    QFileDialog dialog(owner, prompt, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    dialog.setSupportedSchemes({QStringLiteral("file")});
    QList<QUrl> places = dialog.sidebarUrls();
    for (const QString& volume : volumes)
        places << QUrl::fromLocalFile(volume);
    dialog.setSidebarUrls(places);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedUrls().isEmpty())
        return {FolderChoice::Kind::Cancelled, {}};
    const QUrl url = dialog.selectedUrls().front();
    if (!url.isLocalFile() || url.toLocalFile().isEmpty()) return {FolderChoice::Kind::NotFileSystem, {}};
    return {FolderChoice::Kind::Folder, url.toLocalFile()};
}

QString QtPrompter::chooseFile(QWidget* owner, const QString& title, FileUse use, const QString& start) {
    QFileDialog dialog(owner, title, start,
                       QStringLiteral("設定ファイル (*%1);;すべてのファイル (*)").arg(QLatin1String(kSettingsSuffix)));
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    dialog.setSupportedSchemes({QStringLiteral("file")});
    if (use == FileUse::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QString::fromLatin1(kSettingsSuffix).mid(1));
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

int QtPrompter::runModal(QDialog& dialog) { return dialog.exec(); }

} // namespace halvorn::ui

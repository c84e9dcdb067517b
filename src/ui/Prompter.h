#pragma once
// Every message box, question, folder picker and modal sub-dialog of the
// program goes through one Prompter, owned by the application. The Qt one
// shows the real dialogs; tests hand windows one that records and answers.

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace halvorn::ui {

enum class MessageIcon { None, Error, Warning, Question };

// The language of a window, for the texts of the buttons the toolkit draws.
enum class Language { Japanese, English };

struct FolderChoice {
    enum class Kind { Cancelled, Folder, NotFileSystem };
    Kind kind = Kind::Cancelled;
    QString path; // the folder's full path when kind is Folder
};

// What a file picker asks for: a name to write to, or an existing file to read.
enum class FileUse { Save, Open };

// The application's name: the title of message boxes that have none of their own.
QString applicationTitle();

class Prompter {
public:
    virtual ~Prompter() = default;
    // A message box with a single OK button. An empty title means the application's name.
    virtual void message(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) = 0;
    // A Yes/No question with the question icon, its buttons in the asking
    // window's language; true unless the answer is No.
    virtual bool askYesNo(QWidget* owner, const QString& title, const QString& text, Language buttons) = 0;
    // A folder picker showing the prompt, limited to folders, opening on start,
    // with the removable volumes in its side panel.
    virtual FolderChoice chooseFolder(QWidget* owner, const QString& prompt, const QString& start,
                                      const QStringList& volumes) = 0;
    // A picker of the program's settings files, titled `title`, opening on
    // `start` (a folder, or for Save a suggested file). Empty when cancelled.
    virtual QString chooseFile(QWidget* owner, const QString& title, FileUse use, const QString& start) = 0;
    // Runs an already prepared dialog modally and returns its result code.
    virtual int runModal(QDialog& dialog) = 0;
};

class QtPrompter : public Prompter {
public:
    void message(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override;
    bool askYesNo(QWidget* owner, const QString& title, const QString& text, Language buttons) override;
    FolderChoice chooseFolder(QWidget* owner, const QString& prompt, const QString& start,
                              const QStringList& volumes) override;
    QString chooseFile(QWidget* owner, const QString& title, FileUse use, const QString& start) override;
    int runModal(QDialog& dialog) override;
};

} // namespace halvorn::ui

#pragma once
// A Prompter for widget tests: records every prompt and answers from a script.

#include "ui/Prompter.h"

#include <deque>
#include <functional>
#include <vector>

namespace halvorn::test {

struct Prompt {
    enum class Kind { Message, Question, Folder, Dialog, File };
    Kind kind;
    QString title;
    QString text; // a dialog's object name
    ui::MessageIcon icon = ui::MessageIcon::None;
    ui::Language buttons = ui::Language::Japanese; // a question's
    QString start{};                               // where a folder or file picker opens
};

class ScriptedPrompter : public ui::Prompter {
public:
    void message(QWidget* owner, const QString& title, const QString& text, ui::MessageIcon icon) override;
    bool askYesNo(QWidget* owner, const QString& title, const QString& text, ui::Language buttons) override;
    ui::FolderChoice chooseFolder(QWidget* owner, const QString& prompt, const QString& start,
                                  const QStringList& volumes) override;
    QString chooseFile(QWidget* owner, const QString& title, ui::FileUse use, const QString& start) override;
    int runModal(QDialog& dialog) override; // the next scripted dialog handler, or rejected unseen

    std::vector<Prompt> prompts;
    std::deque<bool> answers;                         // for askYesNo; Yes when empty
    std::deque<ui::FolderChoice> folders;             // for chooseFolder; Cancelled when empty
    std::deque<QString> files;                        // for chooseFile; cancelled when empty
    std::deque<std::function<int(QDialog&)>> dialogs; // for runModal

    std::vector<Prompt> messages() const; // messages only: no questions, folders or dialogs
    void clear() { prompts.clear(); }
};

} // namespace halvorn::test

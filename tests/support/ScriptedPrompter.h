#pragma once
// A Prompter for widget tests: records every prompt and answers from a script.

#include "ui/Prompter.h"

#include <QString>

#include <deque>
#include <functional>
#include <vector>

namespace halvorn::test {

struct Prompt {
    enum class Kind { Message, Question, Folder, Dialog };
    Kind kind;
    QString title;
    QString text;
    ui::MessageIcon icon = ui::MessageIcon::None;
};

class ScriptedPrompter : public ui::Prompter {
public:
    void message(QWidget* owner, const QString& title, const QString& text, ui::MessageIcon icon) override;
    bool askYesNo(QWidget* owner, const QString& title, const QString& text) override;
    ui::FolderChoice chooseFolder(QWidget* owner, const QString& prompt) override;
    // Calls the next scripted dialog handler, or rejects the dialog unseen.
    int runModal(QDialog& dialog) override;

    std::vector<Prompt> prompts;
    std::deque<bool> answers;                         // for askYesNo; Yes when empty
    std::deque<ui::FolderChoice> folders;             // for chooseFolder; Cancelled when empty
    std::deque<std::function<int(QDialog&)>> dialogs; // for runModal

    // Messages only (no questions, folders or dialogs).
    std::vector<Prompt> messages() const;
    // The only message shown; fails the test when there is not exactly one.
    Prompt onlyMessage() const;
    void clear() { prompts.clear(); }
};

} // namespace halvorn::test

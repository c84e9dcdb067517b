#include "support/ScriptedPrompter.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace halvorn::test {

void ScriptedPrompter::message(QWidget*, const QString& title, const QString& text, ui::MessageIcon icon) {
    prompts.push_back({Prompt::Kind::Message, title.isEmpty() ? ui::applicationTitle() : title, text, icon});
}

bool ScriptedPrompter::askYesNo(QWidget*, const QString& title, const QString& text, ui::Language buttons) {
    prompts.push_back({Prompt::Kind::Question, title, text, ui::MessageIcon::Question, buttons});
    const bool yes = answers.empty() || answers.front();
    if (!answers.empty()) answers.pop_front();
    return yes;
}

ui::FolderChoice ScriptedPrompter::chooseFolder(QWidget*, const QString& prompt, const QString& start,
                                                const QStringList&) {
    prompts.push_back({Prompt::Kind::Folder, QString(), prompt, ui::MessageIcon::None, {}, start});
    ui::FolderChoice choice = folders.empty() ? ui::FolderChoice{} : folders.front();
    if (!folders.empty()) folders.pop_front();
    return choice;
}

QString ScriptedPrompter::chooseFile(QWidget*, const QString& title, ui::FileUse, const QString& start) {
    prompts.push_back({Prompt::Kind::File, title, {}, ui::MessageIcon::None, {}, start});
    QString file = files.empty() ? QString() : files.front();
    if (!files.empty()) files.pop_front();
    return file;
}

int ScriptedPrompter::runModal(QDialog& dialog) {
    prompts.push_back({Prompt::Kind::Dialog, dialog.windowTitle(), dialog.objectName(), ui::MessageIcon::None});
    if (dialogs.empty()) return QDialog::Rejected;
    const auto handler = std::move(dialogs.front());
    dialogs.pop_front();
    return handler(dialog);
}

std::vector<Prompt> ScriptedPrompter::messages() const {
    std::vector<Prompt> out;
    for (const auto& p : prompts)
        if (p.kind == Prompt::Kind::Message) out.push_back(p);
    return out;
}

Prompt ScriptedPrompter::onlyMessage() const {
    const auto m = messages();
    EXPECT_EQ(m.size(), 1u) << "expected exactly one message";
    return m.empty() ? Prompt{Prompt::Kind::Message, {}, {}, ui::MessageIcon::None} : m.front();
}

} // namespace halvorn::test

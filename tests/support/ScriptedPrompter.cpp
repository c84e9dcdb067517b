#include "support/ScriptedPrompter.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace halvorn::test {

void ScriptedPrompter::message(QWidget*, const QString& title, const QString& text, ui::MessageIcon icon) {
    prompts.push_back({Prompt::Kind::Message, title.isEmpty() ? ui::applicationTitle() : title, text, icon});
}

bool ScriptedPrompter::askYesNo(QWidget*, const QString& title, const QString& text) {
    prompts.push_back({Prompt::Kind::Question, title, text, ui::MessageIcon::Question});
    if (answers.empty()) return true;
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

ui::FolderChoice ScriptedPrompter::chooseFolder(QWidget*, const QString& prompt) {
    prompts.push_back({Prompt::Kind::Folder, QString(), prompt, ui::MessageIcon::None});
    if (folders.empty()) return {};
    auto f = folders.front();
    folders.pop_front();
    return f;
}

int ScriptedPrompter::runModal(QDialog& dialog) {
    prompts.push_back({Prompt::Kind::Dialog, dialog.windowTitle(), dialog.objectName(), ui::MessageIcon::None});
    if (dialogs.empty()) return QDialog::Rejected;
    auto handler = std::move(dialogs.front());
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
    if (m.empty()) return {Prompt::Kind::Message, {}, {}, ui::MessageIcon::None};
    return m.front();
}

} // namespace halvorn::test

#include "support/ScriptedPrompter.h"

#include <QDialog>

namespace halvorn::test {

namespace {
// The next scripted answer, or `none` when the script has run out.
template <class T> T nextAnswer(std::deque<T>& script, T none) {
    if (script.empty()) return none;
    T answer = std::move(script.front());
    script.pop_front();
    return answer;
}
} // namespace

void ScriptedPrompter::message(QWidget*, const QString& title, const QString& text, ui::MessageIcon icon) {
    prompts.push_back({Prompt::Kind::Message, title.isEmpty() ? ui::applicationTitle() : title, text, icon});
}

bool ScriptedPrompter::askYesNo(QWidget*, const QString& title, const QString& text, ui::Language buttons) {
    prompts.push_back({Prompt::Kind::Question, title, text, ui::MessageIcon::Question, buttons});
    return nextAnswer(answers, true);
}

ui::FolderChoice ScriptedPrompter::chooseFolder(QWidget*, const QString& prompt, const QString& start,
                                                const QStringList&) {
    prompts.push_back({Prompt::Kind::Folder, QString(), prompt, ui::MessageIcon::None, {}, start});
    return nextAnswer(folders, ui::FolderChoice{});
}

QString ScriptedPrompter::chooseFile(QWidget*, const QString& title, ui::FileUse, const QString& start) {
    prompts.push_back({Prompt::Kind::File, title, {}, ui::MessageIcon::None, {}, start});
    return nextAnswer(files, QString());
}

int ScriptedPrompter::runModal(QDialog& dialog) {
    prompts.push_back({Prompt::Kind::Dialog, dialog.windowTitle(), dialog.objectName(), ui::MessageIcon::None});
    const auto handler = nextAnswer(dialogs, {});
    return handler ? handler(dialog) : QDialog::Rejected;
}

std::vector<Prompt> ScriptedPrompter::messages() const {
    std::vector<Prompt> out;
    for (const auto& p : prompts)
        if (p.kind == Prompt::Kind::Message) out.push_back(p);
    return out;
}

} // namespace halvorn::test

// The prompts as the user sees them: a question's buttons in the asking window's language, texts never as markup.
#include "ui/Prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace halvorn;

// Runs `act` on the message box that the next prompt opens, once it shows.
void onTheBox(const std::function<void(QMessageBox&)>& act) {
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(*box);
    });
}

TEST(QtPrompter, AQuestionsButtonsSpeakTheAskingWindowsLanguage) {
    for (const ui::Language language : {ui::Language::Japanese, ui::Language::English}) {
        const bool english = language == ui::Language::English;
        QStringList shown;
        onTheBox([&](QMessageBox& box) {
            for (const QAbstractButton* b : box.buttons())
                shown << QString(b->text()).remove('&');
            box.button(english ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(ui::QtPrompter().askYesNo(nullptr, "title", "question", language), english);
        EXPECT_EQ(shown.join('/'), english ? "Yes/No" : "はい/いいえ");
    }
}

// A certificate's or server's text shows as it is, never as markup.
TEST(QtPrompter, AMessageIsPlainText) {
    Qt::TextFormat format = Qt::RichText;
    onTheBox([&](QMessageBox& box) { format = box.textFormat(), box.accept(); });
    ui::QtPrompter().message(nullptr, "テスト送信", "CN=<b>x</b><a href='https://example.com'>y</a>",
                             ui::MessageIcon::Error);
    EXPECT_EQ(format, Qt::PlainText);
}

} // namespace

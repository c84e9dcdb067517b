// The texts Qt draws: in Japanese for the Japanese windows (the fields'
// context menus), and a question's buttons in the asking window's language.

#include "app/TarnvaleSetupApp.h"

#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

namespace halvorn::test {
namespace {

TEST(ToolkitTexts, MenusInJapaneseQuestionButtonsInTheWindowsLanguage) {
    app::ToolkitJapanese japanese;
    ASSERT_TRUE(japanese.loadFromQt());
    QApplication::installTranslator(&japanese);
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    const QRegularExpression kana("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]");
    for (const QAction* a : menu->actions())
        EXPECT_TRUE(a->isSeparator() || a->text().contains(kana)) << a->text().toStdString();
    const struct {
        ui::Language language;
        QStringList buttons;
        QMessageBox::StandardButton pressed;
    } rows[] = {{ui::Language::Japanese, {"はい", "いいえ"}, QMessageBox::No},
                {ui::Language::English, {"Yes", "No"}, QMessageBox::Yes}};
    for (const auto& k : rows) {
        SCOPED_TRACE(k.buttons.join('/').toStdString());
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (const QAbstractButton* b : box->buttons())
                shown << QString(b->text()).remove('&');
            box->button(k.pressed)->click();
        });
        EXPECT_EQ(ui::QtPrompter().askYesNo(nullptr, "title", "question", k.language), k.pressed == QMessageBox::Yes);
        EXPECT_EQ(shown, k.buttons);
    }
    QApplication::removeTranslator(&japanese);
}

} // namespace
} // namespace halvorn::test

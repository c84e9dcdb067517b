// The toolkit's floor for the start-up benchmark: a QApplication with one
// empty QDialog, the same font set-up as the program and the same start-up
// probe (ShowProbe.h).
//
// With --label the dialog shows one line of Japanese text: an empty dialog
// never loads the CJK font, so this is the floor of any window that shows
// Japanese in the program's font.

#include "ShowProbe.h"
#include "ui/DialogUnits.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>

#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setFont(halvorn::ui::dialogFont());
    halvorn::bench::installShowProbe();
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
        auto* label = new QLabel(QStringLiteral("設定ファイルの保存先を選択してください"), &dialog);
        label->move(10, 10);
    }
    dialog.exec();
    return 0;
}

// The toolkit's floor for the start-up benchmark: a QApplication with one
// empty QDialog, the same font set-up as the program and the same measurement
// hook (HALVORN_BENCH_EXIT_AFTER_SHOW, see app/ShowProbe.h).

#include "app/ShowProbe.h"
#include "ui/DialogUnits.h"

#include <QApplication>
#include <QDialog>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setFont(halvorn::ui::dialogFont());
    halvorn::app::installShowProbeIfAsked();
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    dialog.exec();
    return 0;
}

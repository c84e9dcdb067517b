#include "ui/dialogs/DlgOperator.h"

namespace halvorn::ui {

DlgOperator::DlgOperator(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("DlgOperator"));
    setWindowTitle(QStringLiteral("APN設定"));
}

int DlgOperator::openModal() { return ctx_.prompter.runModal(*this); }

} // namespace halvorn::ui

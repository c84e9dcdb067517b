#include "ui/dialogs/DlgCAM.h"

namespace halvorn::ui {

DlgCAM::DlgCAM(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("DlgCAM"));
    setWindowTitle(QStringLiteral("Camera Parameter Setting"));
}

int DlgCAM::openModal() { return ctx_.prompter.runModal(*this); }

} // namespace halvorn::ui

#include "ui/dialogs/DlgEmailSetting.h"

namespace halvorn::ui {

DlgEmailSetting::DlgEmailSetting(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("DlgEmailSetting"));
    setWindowTitle(QStringLiteral("送信メール設定"));
}

int DlgEmailSetting::openModal() { return ctx_.prompter.runModal(*this); }

} // namespace halvorn::ui

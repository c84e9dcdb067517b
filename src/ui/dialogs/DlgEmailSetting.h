#pragma once
// Mail account dialog: the SMTP account the camera sends through (mail preset choice, server block and account block of the record's mail entry).

#include "ui/AppContext.h"

#include <QDialog>

namespace halvorn::ui {

class DlgEmailSetting : public QDialog {
    Q_OBJECT
public:
    explicit DlgEmailSetting(AppContext& ctx, QWidget* parent = nullptr);
    // Loads the record into the form and runs the dialog modally.
    int openModal();

private:
    AppContext& ctx_;
};

} // namespace halvorn::ui

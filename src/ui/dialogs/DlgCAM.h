#pragma once
// Camera settings dialog "Camera Parameter Setting": works on the record's
// camera block (bytes 20 to 58).

#include "ui/AppContext.h"

#include <QDialog>

namespace halvorn::ui {

class DlgCAM : public QDialog {
    Q_OBJECT
public:
    explicit DlgCAM(AppContext& ctx, QWidget* parent = nullptr);
    // Loads the record into the form and runs the dialog modally.
    int openModal();

private:
    AppContext& ctx_;
};

} // namespace halvorn::ui

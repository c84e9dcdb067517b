#pragma once
// APN dialog: the SIM card and its data-connection settings (the record's operator entry and simIndex).

#include "ui/AppContext.h"

#include <QDialog>

namespace halvorn::ui {

class DlgOperator : public QDialog {
    Q_OBJECT
public:
    explicit DlgOperator(AppContext& ctx, QWidget* parent = nullptr);
    // Loads the record into the form and runs the dialog modally.
    int openModal();

private:
    AppContext& ctx_;
};

} // namespace halvorn::ui

#pragma once
// The main window: a borderless panel of 420 x 310 dialog units that the frame
// hosts, with the sending settings and the save, folder, reset and quit commands.

#include "ui/AppContext.h"
#include "ui/DialogUnits.h"

#include <QWidget>

namespace halvorn::ui {

class DlgGSM : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidthUnits = 420;
    static constexpr int kHeightUnits = 310;

    DlgGSM(AppContext& ctx, FrameAccess& frame, QWidget* parent = nullptr);

private:
    AppContext& ctx_;
    FrameAccess& frame_;
    DialogUnits units_;
};

} // namespace halvorn::ui

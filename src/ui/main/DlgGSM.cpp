#include "ui/main/DlgGSM.h"

namespace halvorn::ui {

DlgGSM::DlgGSM(AppContext& ctx, FrameAccess& frame, QWidget* parent)
    : QWidget(parent), ctx_(ctx), frame_(frame), units_(dialogFont()) {
    setObjectName(QStringLiteral("DlgGSM"));
    setFont(dialogFont());
    resize(units_.size(kWidthUnits, kHeightUnits));
}

} // namespace halvorn::ui

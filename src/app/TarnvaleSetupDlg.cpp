#include "app/TarnvaleSetupDlg.h"

#include "profile/ProfileDefaults.h"
#include "ui/DialogUnits.h"
#include "ui/dialogs/DlgCAM.h"
#include "ui/main/DlgGSM.h"

namespace halvorn::app {

TarnvaleSetupDlg::TarnvaleSetupDlg(ui::AppContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ctx_(ctx) {
    setObjectName(QStringLiteral("TarnvaleSetupDlg"));
    setFont(ui::dialogFont());
}

TarnvaleSetupDlg::~TarnvaleSetupDlg() = default;

ui::DlgCAM* TarnvaleSetupDlg::cameraDialog() {
    if (camera_ == nullptr) camera_ = new ui::DlgCAM(ctx_, this);
    return camera_;
}

QString TarnvaleSetupDlg::caption() {
    return QStringLiteral("Halvorn Setup ") + QString::fromStdU16String(std::u16string(kVersionText));
}

bool TarnvaleSetupDlg::setUpFrame() {
    if (!icon_.isNull()) setWindowIcon(icon_);
    setWindowTitle(caption());
    setAccessibleName(caption());
    pageCode_ = 2;

    main_ = new ui::DlgGSM(ctx_, *this, this);
    main_->setCameraCommand([this] { cameraDialog()->openModal(); });
    main_->move(0, 0);
    main_->show();
    setFixedSize(main_->size());
    return true;
}

QIcon appIcon() {
    // The icon the desktop entry installs, built into the program at the sizes drawn for it.
    QIcon icon;
    for (const char* size : {"48", "256"})
        icon.addFile(QStringLiteral(":/icons/halvorn-setup-%1.png").arg(QLatin1String(size)));
    return icon;
}

} // namespace halvorn::app

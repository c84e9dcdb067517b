#include "app/TarnvaleSetupDlg.h"

#include "profile/ProfileDefaults.h"
#include "ui/DialogUnits.h"
#include "ui/dialogs/DlgCAM.h"
#include "ui/main/DlgGSM.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

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
    // A trail camera: a dark green body with a lens and a motion-sensor window.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 64.0, size / 64.0);
        QLinearGradient body(0, 6, 0, 58);
        body.setColorAt(0, QColor(0x5b, 0x73, 0x3f));
        body.setColorAt(1, QColor(0x2f, 0x3d, 0x20));
        p.setPen(QPen(QColor(0x1c, 0x24, 0x12), 2));
        p.setBrush(body);
        p.drawRoundedRect(QRectF(10, 6, 44, 52), 8, 8);
        p.setBrush(QColor(0x11, 0x11, 0x11));
        p.drawEllipse(QPointF(32, 24), 11, 11);
        p.setBrush(QColor(0x3a, 0x7b, 0xc8));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(32, 24), 6, 6);
        p.setBrush(QColor(0xe8, 0xe0, 0xc8));
        p.drawRoundedRect(QRectF(22, 41, 20, 9), 4, 4);
        p.setBrush(QColor(0xd0, 0x30, 0x20));
        p.drawEllipse(QPointF(46, 12), 2.5, 2.5);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace halvorn::app

#include "app/TarnvaleSetupDlg.h"

#include "profile/ProfileDefaults.h"
#include "ui/DialogUnits.h"
#include "ui/dialogs/DlgCAM.h"
#include "ui/main/DlgGSM.h"

#include <QImageReader>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QShortcut>

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
    buildMenu();
    const int menuHeight = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, main_->width(), menuHeight);
    main_->move(0, menuHeight);
    main_->show();
    setFixedSize(main_->width(), menuHeight + main_->height());
    return true;
}

void TarnvaleSetupDlg::buildMenu() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("menuBar"));
    menuBar_->setNativeMenuBar(false); // part of the frame, as the panel is laid out below it
    QMenu* file = menuBar_->addMenu(QStringLiteral("ファイル"));
    file->setObjectName(QStringLiteral("fileMenu"));
    const auto item = [&](const QString& text, void (ui::DlgGSM::*command)()) {
        // Queued: the menu has closed, and an assistive tool's action call has
        // returned, before the command opens its dialog.
        connect(file->addAction(text), &QAction::triggered, main_, command, Qt::QueuedConnection);
    };
    item(QStringLiteral("カードから読み込む..."), &ui::DlgGSM::loadFromCard);
    item(QStringLiteral("設定をファイルに書き出す..."), &ui::DlgGSM::exportSettings);
    item(QStringLiteral("設定をファイルから読み込む..."), &ui::DlgGSM::importSettings);
    file->addSeparator();
    item(QStringLiteral("終了"), &ui::DlgGSM::quit);
    // F10 and Alt+F open the menu from the keyboard.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_F10), QKeySequence(Qt::ALT | Qt::Key_F)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                [this, file] { menuBar_->setActiveAction(file->menuAction()); });
}

QIcon appIcon() {
    // The icon the desktop entry installs, as drawn for 48 pixels: the window's own size of it. Desktops
    // take larger ones from the installed theme through the entry. Read by the built-in PNG reader
    // alone, so that no image plugin is loaded to guess the format.
    QImageReader reader(QStringLiteral(":/icons/halvorn-setup-48.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImageReader(&reader));
}

} // namespace halvorn::app

#pragma once
// The frame: the program's only top-level window. Its menu bar runs along the
// top; the main window is a child panel below it, and the frame takes the
// panel's size plus the menu bar's height.

#include "ui/AppContext.h"

#include <QDialog>
#include <QIcon>

class QMenuBar;

namespace halvorn::ui {
class DlgGSM;
class DlgCAM;
} // namespace halvorn::ui

namespace halvorn::app {

class TarnvaleSetupDlg : public QDialog, public ui::FrameAccess {
    Q_OBJECT
public:
    explicit TarnvaleSetupDlg(ui::AppContext& ctx, QWidget* parent = nullptr);
    ~TarnvaleSetupDlg() override;

    // Builds the frame: icon, caption, the main window, the size.
    bool setUpFrame();

    int pageCode() const override { return pageCode_; }
    void endWithCancel() override { reject(); }

    ui::DlgGSM* mainWindow() const { return main_; }
    QMenuBar* menuBar() const { return menuBar_; }
    // The camera settings dialog, built on first use and kept for the rest of the run.
    ui::DlgCAM* cameraDialog();
    void setAppIcon(const QIcon& icon) { icon_ = icon; }

    // "Halvorn Setup " followed by the version text.
    static QString caption();

private:
    ui::AppContext& ctx_;
    void buildMenu();

    ui::DlgGSM* main_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    ui::DlgCAM* camera_ = nullptr;
    QIcon icon_;
    int pageCode_ = 0;
};

// The application icon: the trail camera of the desktop entry.
QIcon appIcon();

} // namespace halvorn::app

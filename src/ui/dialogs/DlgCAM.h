#pragma once
// Camera settings dialog "Camera Parameter Setting": works on the record's
// camera block (bytes 20 to 58), with the four work-time schedules in its
// lower half and the scene customization dialog behind "Customize".

#include "ui/AppContext.h"
#include "ui/dialogs/DlgCamPro.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;

namespace halvorn::ui {

class WorkTimePanel;

// The working values of the dialog: list positions, -1 when nothing is chosen.
struct CameraValues {
    int cameraMode = 0;
    int cameraScene = 0;
    int videoSize = 0;
    int videoLength = 0;
    int triggerMode = 0;
    int pirSensitivity = 0;
    int pirInterval = 0;
    int timeLapse = 0;
    int language = 0;
    int rfSwitch = 0;
    int overwrite = 0;
    int beep = 0;
    SceneTriple scene; // edited only by the scene customization dialog
};

// Items of the three time lists, in stored order.
QStringList videoLengthItems();
QStringList pirIntervalItems();
QStringList timeLapseItems();

class DlgCAM : public QDialog {
    Q_OBJECT
public:
    explicit DlgCAM(AppContext& ctx, QWidget* parent = nullptr);
    // Loads the record into the form and runs the dialog modally.
    int openModal();

    void readForm();
    void showForm();
    const CameraValues& values() const { return values_; }
    DlgCamPro& sceneDialog() { return *scene_; }

private:
    void applyCameraModeRule();
    void applyTriggerRule();
    void onCameraModeChanged();
    void onSceneChanged();
    void onTriggerModeChanged();
    void onVideoLengthChanged();
    void onDefault();
    void onOk();

    AppContext& ctx_;
    CameraValues values_;
    DlgCamPro* scene_ = nullptr;
    WorkTimePanel* workTimes_ = nullptr;

    QLabel* cameraModeLabel_ = nullptr;
    QComboBox* cameraMode_ = nullptr;
    QLabel* cameraSceneLabel_ = nullptr;
    QComboBox* cameraScene_ = nullptr;
    QLabel* videoSizeLabel_ = nullptr;
    QComboBox* videoSize_ = nullptr;
    QLabel* videoLengthLabel_ = nullptr;
    QComboBox* videoLength_ = nullptr;
    QLabel* triggerModeLabel_ = nullptr;
    QComboBox* triggerMode_ = nullptr;
    QLabel* pirSensitivityLabel_ = nullptr;
    QComboBox* pirSensitivity_ = nullptr;
    QLabel* pirIntervalLabel_ = nullptr;
    QComboBox* pirInterval_ = nullptr;
    QLabel* timeLapseLabel_ = nullptr;
    QComboBox* timeLapse_ = nullptr;
    QLabel* languageLabel_ = nullptr;
    QComboBox* language_ = nullptr;
    QLabel* overwriteLabel_ = nullptr;
    QComboBox* overwrite_ = nullptr;
    QLabel* beepLabel_ = nullptr;
    QComboBox* beep_ = nullptr;
    QLabel* rfSwitchLabel_ = nullptr;
    QComboBox* rfSwitch_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* default_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace halvorn::ui

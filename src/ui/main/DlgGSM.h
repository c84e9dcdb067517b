#pragma once
// The main window: a borderless panel of 420 x 310 dialog units that the frame
// hosts, with the sending settings and the save, folder, reset and quit commands.

#include "profile/ProfileFields.h"
#include "profile/ProfileRecord.h"
#include "rules/Failure.h"
#include "ui/AppContext.h"
#include "ui/DialogUnits.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace halvorn::ui {

class DlgEmailSetting;
class DlgOperator;

class DlgGSM : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidthUnits = 420;
    static constexpr int kHeightUnits = 310;
    static constexpr int kPathLimit = 128;
    static constexpr int kNameLimit = limits::longestCameraName;
    static constexpr int kSlots = 4;

    // One working value per control, plus the values without a control.
    // A list or radio group with nothing selected holds -1.
    struct Values {
        QString savePath;
        int sendMode = 0;
        int maxSendCount = 10;
        int sendHour = 0;
        int sendMinute = 0;
        int cameraMode = 0;
        int sendCompression = 0;
        int renameSwitch = 0;
        QString cameraName;
        int smsSwitch = 0;
        std::array<QString, kSlots> phones;
        std::array<QString, kSlots> recipients;
        int sendTarget = 1;
        int smsStartHour = 0;
        int smsStopHour = 0;
        int countryIndex = 0;
        MailServerEntry relayCopy{};
    };

    // Every control of the panel.
    struct Controls {
        QGroupBox* sendModeGroup = nullptr;
        QList<QRadioButton*> sendModeRadios; // per shot, fixed time, both, off
        QLineEdit* countField = nullptr;
        QLabel* countNote = nullptr;
        QComboBox* hourList = nullptr;
        QLabel* timeSeparator = nullptr;
        QComboBox* minuteList = nullptr;
        QGroupBox* mailGroup = nullptr;
        QPushButton* mailButton = nullptr;
        QGroupBox* apnGroup = nullptr;
        QPushButton* apnButton = nullptr;
        QGroupBox* sendDataGroup = nullptr;
        QList<QRadioButton*> cameraModeRadios; // still image, video
        QGroupBox* compressionGroup = nullptr;
        QList<QRadioButton*> compressionRadios; // none, compressed, no attachment
        QGroupBox* renameGroup = nullptr;
        QLabel* renameLabel = nullptr;
        QComboBox* renameList = nullptr;
        QLineEdit* nameField = nullptr;
        QLabel* nameNote = nullptr;
        QGroupBox* smsGroup = nullptr;
        QLabel* switchLabel = nullptr;
        QComboBox* smsList = nullptr;
        std::array<QLabel*, kSlots> phoneLabels{};
        std::array<QLineEdit*, kSlots> phoneFields{};
        QGroupBox* recipientsGroup = nullptr;
        std::array<QLabel*, kSlots> mailLabels{};
        std::array<QLineEdit*, kSlots> mailFields{};
        QGroupBox* resetGroup = nullptr;
        QPushButton* resetButton = nullptr;
        QLabel* pathLabel = nullptr;
        QLineEdit* pathField = nullptr;
        QPushButton* browseButton = nullptr;
        QPushButton* okButton = nullptr;
        QPushButton* cancelButton = nullptr;
        QPushButton* cameraButton = nullptr; // "CAM Setting", never shown
    };

    DlgGSM(AppContext& ctx, FrameAccess& frame, QWidget* parent = nullptr);
    ~DlgGSM() override;

    Values& values() { return values_; }
    const Values& values() const { return values_; }
    const Controls& controls() const { return c_; }
    // The mail account and APN dialogs, built on first use and kept (with what
    // they remember between openings) for as long as the panel lives.
    DlgEmailSetting& mailDialog();
    DlgOperator& apnDialog();

    // What the hidden "CAM Setting" button runs.
    void setCameraCommand(std::function<void()> command) { cameraCommand_ = std::move(command); }

    void loadFromRecord();
    // Takes every control's value in the fixed order; false after showing the
    // message of the first field it could not take.
    bool readForm();
    void showForm();
    void updateSendModeState();
    void updateRecipientState();

    // Checks the working values and stores them into the record step by step;
    // false after showing the message of the first failing check.
    bool checkAndStore();
    // The commands of the buttons.
    void save();
    void chooseFolder();
    // The frame's file menu: PROFILE.BIN read back from a card folder, and the
    // whole settings written to and read from a file of the user's choice.
    void loadFromCard();
    void exportSettings();
    void importSettings();
    void reset();
    void quit();
    void openMailSettings();
    void openApnSettings();

private:
    FolderChoice pickFolder(const QString& prompt);
    void showLoaded();
    QString fileStart() const;
    void buildControls();
    void buildGroups();
    void buildSendMode();
    void buildSendData();
    void buildRecipients();
    void buildCommands();
    void connectReactions();
    void updateRenameState();
    // Shows the message of a failed rule; true when it failed.
    bool refused(const rules::Failure& failure);
    bool storeSendMode();
    bool storeMailAccount();
    bool storeRecipients();
    bool storePhone(std::size_t i, bool& phoneSeen);
    bool storeAddress(std::size_t i, bool& mailStored);
    bool storeCameraName();
    bool storeChecked(Field field, const QString& text, const QString& title, const QString& fieldName);
    void fail(const QString& title, const QString& text);

    AppContext& ctx_;
    FrameAccess& frame_;
    DialogUnits units_;
    Values values_;
    Controls c_;
    QButtonGroup* sendModeButtons_ = nullptr;
    QButtonGroup* cameraModeButtons_ = nullptr;
    QButtonGroup* compressionButtons_ = nullptr;
    DlgEmailSetting* mailDialog_ = nullptr;
    DlgOperator* apnDialog_ = nullptr;
    std::function<void()> cameraCommand_;
    bool settingForm_ = false; // showForm is putting values into the controls
    QString lastChosenFolder_; // the picker opens there again
    QString lastFileFolder_;   // where the last settings file was written or read
};

} // namespace halvorn::ui

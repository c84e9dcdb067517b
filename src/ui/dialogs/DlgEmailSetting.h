#pragma once
// Mail account dialog "送信メール設定": the SMTP account the camera sends
// through. It edits the server block and the account block of the record's
// mail entry and mailPresetIndex; the mail preset rows serve as the scratch
// store of each choice for the rest of the run.

#include "profile/ProfileRecord.h"
#include "ui/AppContext.h"
#include "ui/DialogUnits.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace halvorn::ui {

class DlgEmailSetting : public QDialog {
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("送信メール設定");
    static constexpr int kAddressChars = 47;
    static constexpr int kAccountChars = 47;
    static constexpr int kPasswordChars = 63;
    static constexpr int kServerChars = 63;
    static constexpr int kPortChars = 5;

    explicit DlgEmailSetting(AppContext& ctx, QWidget* parent = nullptr);
    // Loads the record into the form and runs the dialog modally.
    int openModal();

    // Working values, one per control.
    struct Values {
        int choice = 0;
        QString address;
        QString account;
        QString password;
        int showPassword = 0;
        QString server;
        int encryption = 0;
        QString port;
    };
    // Takes the controls' values; false (after the standard message) when one cannot be taken.
    bool readForm();
    void showForm();
    const Values& values() const { return values_; }

    QComboBox* choiceList() const { return choice_; }
    QLineEdit* addressEdit() const { return address_; }
    QLineEdit* accountEdit() const { return account_; }
    QLineEdit* passwordEdit() const { return password_; }
    QCheckBox* showPasswordBox() const { return showPassword_; }
    QLineEdit* serverEdit() const { return server_; }
    QComboBox* encryptionList() const { return encryption_; }
    QLineEdit* portEdit() const { return port_; }
    QPushButton* testButton() const { return test_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    bool showPasswordFlag() const { return showPasswordFlag_; }
    // What the test mail takes from the main window as it stands, saved or not: the first
    // recipient typed (with its field's name) and the camera name.
    struct TestMailTarget {
        QString recipient;
        QString recipientField;
        QString cameraName;
    };
    void setTestMailTarget(std::function<TestMailTarget()> source) { testMailTarget_ = std::move(source); }
    // Certificates the test mail trusts instead of the system's store (a test's own authority).
    void setTestMailCaFile(const QString& file) { testMailCaFile_ = file; }
    // The sender program, when not the installed one.
    void setTestMailProgram(const QString& program) { testMailProgram_ = program; }

private:
    void build();
    void openForm();
    void onChoiceChanged(int position);
    // The show-password box changed, by mouse, keyboard or an assistive tool.
    void onShowPasswordToggled(bool checked);
    void confirm();
    // The mail entry as a confirm would store it, after the confirm's checks and their messages.
    std::optional<MailServerEntry> entryFromForm();
    // "テスト送信": one mail through the account the form shows, nothing written to the record.
    void sendTestMail();
    void applyControlState();
    void loadFromEntry(const MailServerEntry& entry);
    MailServerEntry* presetRow(int position);
    bool isRelay(int position) const;
    bool isCustom(int position) const;
    // Converts a typed text for its field; shows a message naming the field and
    // returns nothing when it cannot be stored.
    std::optional<std::string> encodeFor(Field field, const QString& text, const QString& label);
    void say(const QString& text);

    AppContext& ctx_;
    DialogUnits units_;
    Values values_;
    int current_ = 0;
    bool showPasswordFlag_ = false;
    bool settingState_ = false; // applyControlState is setting the box
    bool changingChoice_ = false;

    QComboBox* choice_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLineEdit* account_ = nullptr;
    QLineEdit* password_ = nullptr;
    QCheckBox* showPassword_ = nullptr;
    QLabel* serverLabel_ = nullptr;
    QLineEdit* server_ = nullptr;
    QLabel* encryptionLabel_ = nullptr;
    QComboBox* encryption_ = nullptr;
    QLabel* portLabel_ = nullptr;
    QLineEdit* port_ = nullptr;
    QPushButton* test_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::function<TestMailTarget()> testMailTarget_;
    QString testMailCaFile_;
    QString testMailProgram_;
};

} // namespace halvorn::ui

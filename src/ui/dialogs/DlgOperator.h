#pragma once
// APN dialog "APN設定": the SIM card in the camera and the APN settings of its
// data connection (the record's operator entry and simIndex). The MMS part of
// the entry passes through hidden fields, its gateway and port normalised.

#include "profile/ProfileRecord.h"
#include "ui/AppContext.h"
#include "ui/DialogUnits.h"

#include <QDialog>
#include <QString>

#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace halvorn::ui {

class DlgOperator : public QDialog {
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("APN設定");
    static constexpr int kApnChars = 31;
    static constexpr int kUserChars = 23;
    static constexpr int kPasswordChars = 15;
    static constexpr int kMmsUrlChars = 63;
    static constexpr int kMmsApnChars = 31;
    static constexpr int kMmsUserChars = 23;
    static constexpr int kMmsPasswordChars = 15;

    explicit DlgOperator(AppContext& ctx, QWidget* parent = nullptr);
    // Loads the record into the form and runs the dialog modally.
    int openModal();

    // Working values, one per control.
    struct Values {
        int sim = -1;
        QString dataApn;
        QString dataUser;
        QString dataPassword;
        QString mmsUrl;
        std::array<int, 4> mmsGateway{};
        int mmsPort = 0;
        QString mmsApn;
        QString mmsUser;
        QString mmsPassword;
    };
    bool readForm();
    void showForm();
    const Values& values() const { return values_; }

    // Four dot-separated decimal numbers from 0 to 255; 0.0.0.0 for anything else.
    static std::array<int, 4> readGateway(const QString& text);
    // A decimal number from 0 to 65535, blanks around it allowed; 0 for anything else.
    static int readMmsPort(const QString& text);

    QComboBox* simList() const { return sim_; }
    QLineEdit* apnEdit() const { return dataApn_; }
    QLineEdit* userEdit() const { return dataUser_; }
    QLineEdit* passwordEdit() const { return dataPassword_; }
    QWidget* mmsPanel() const { return mmsPanel_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    // Position of the "その他" choice.
    int otherPosition() const;

private:
    void build();
    void openForm();
    void onSimChanged(int position);
    void restoreSimText();
    void applyLock();
    void loadDataFields(const OperatorEntry& entry);
    void confirm();

    AppContext& ctx_;
    DialogUnits units_;
    Values values_;
    int current_ = -1;

    QComboBox* sim_ = nullptr;
    QLineEdit* dataApn_ = nullptr;
    QLineEdit* dataUser_ = nullptr;
    QLineEdit* dataPassword_ = nullptr;
    QWidget* mmsPanel_ = nullptr;
    QLineEdit* mmsUrl_ = nullptr;
    QLineEdit* mmsGateway_ = nullptr;
    QSpinBox* mmsPort_ = nullptr;
    QLineEdit* mmsApn_ = nullptr;
    QLineEdit* mmsUser_ = nullptr;
    QLineEdit* mmsPassword_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace halvorn::ui

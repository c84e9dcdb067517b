#pragma once
// Scene customization dialog "Camera Scene Customer Setting": photo size,
// flash power and photo burst of the "Customize" camera scene. It edits the
// camera settings dialog's working values, never the record.

#include "ui/AppContext.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace halvorn::ui {

// The three values of the customized scene, in the order the dialog shows them.
struct SceneTriple {
    int photoSize = 0;  // "1.3MP" ... "12MP"
    int flashPower = 0; // "Low", "Medium", "High"
    int photoBurst = 0; // "1 Photo" ... "10 Photos"

    bool operator==(const SceneTriple&) const = default;
};

class DlgCamPro : public QDialog {
    Q_OBJECT
public:
    explicit DlgCamPro(AppContext& ctx, QWidget* parent = nullptr);
    // Shows the triple and runs the dialog modally; "OK" writes the choices
    // back into the triple, any other way out leaves it as it was.
    int openModal(SceneTriple& triple);

    void readForm();
    void showForm();
    const SceneTriple& values() const { return values_; }

private:
    void onOk();

    AppContext& ctx_;
    SceneTriple* triple_ = nullptr;
    SceneTriple values_;

    QComboBox* photoSize_ = nullptr;
    QComboBox* flashPower_ = nullptr;
    QComboBox* photoBurst_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace halvorn::ui

#pragma once
// What every window does with its controls: accessible names, label buddies,
// typing rules, and the readForm/showForm transfer of working values with the
// two standard messages.

#include "ui/DialogUnits.h"
#include "ui/Prompter.h"

#include <QLabel>
#include <QRect>

#include <QList>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace halvorn::ui {

// The accessible name; for a drop-down list also its accessible description,
// since Qt reports a list's current item as its name.
void nameControl(QWidget* control, const QString& name);
// Makes the label the control's buddy (the labelled-by relation) and names the control after it.
void labelControl(QLabel* label, QWidget* control, const QString& name = {});

// Typing rules of an edit field. The limit applies to typing only, as on
// Windows: a longer text put in by the program stays whole (and readForm then
// refuses it). 0 means no limit.
enum class Typing { Any, Digits, Capitals };
void setTypingRules(QLineEdit* edit, Typing typing, int maxChars = 0);
// A masked field shows every character as "*", whatever the style's own mask character.
void maskWithStars(QLineEdit* edit);

// A control and its label on one row, both placed in dialog units (x, y, w, h);
// the label becomes the control's buddy and names it.
template <class Control>
Control* addLabelled(QWidget* parent, const DialogUnits& du, const QString& label, QRect labelAt, QRect controlAt,
                     QLabel** labelOut = nullptr) {
    auto* l = new QLabel(label, parent);
    du.place(l, labelAt.x(), labelAt.y(), labelAt.width(), labelAt.height());
    auto* control = new Control(parent);
    du.place(control, controlAt.x(), controlAt.y(), controlAt.width(), controlAt.height());
    labelControl(l, control);
    if (labelOut) *labelOut = l;
    return control;
}

void fillList(QComboBox* list, const QStringList& items);
// Selects the position, or nothing when it lies outside the list.
void selectPosition(QComboBox* list, int position);
// The two-digit text of n (0 to 60), and the items "00" up to count - 1 of the time lists.
QString twoDigitText(int n);
QStringList twoDigitItems(int count);
// The position of the checked button, -1 when none is checked.
int checkedRadio(const QList<QRadioButton*>& group);

// readForm: takes the controls in order and stops at the first one it cannot
// take, after showing "Enter an integer." or "Enter no more than %1
// characters." and giving that field the focus with its text selected.
class FormReader {
public:
    FormReader(Prompter& prompter, QWidget* owner) : prompter_(prompter), owner_(owner) {}
    bool ok() const { return ok_; }

    // Text of at most maxChars characters.
    void text(QLineEdit* edit, QString& value, int maxChars);
    // An integer, blanks around it allowed.
    void integer(QLineEdit* edit, int& value);
    void list(QComboBox* list, int& value);
    void check(QCheckBox* box, int& value);
    void radios(const QList<QRadioButton*>& group, int& value);

private:
    void fail(QLineEdit* edit, const QString& text);
    Prompter& prompter_;
    QWidget* owner_;
    bool ok_ = true;
};

// showForm for a text field: the text, whole, and its typing limit.
void showText(QLineEdit* edit, const QString& value, int maxChars);

} // namespace halvorn::ui

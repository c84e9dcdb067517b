#include "ui/FormControls.h"

#include "catalog/TwoDigitTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QValidator>

namespace halvorn::ui {

void nameControl(QWidget* control, const QString& name) {
    control->setAccessibleName(name);
    if (qobject_cast<QComboBox*>(control)) control->setAccessibleDescription(name);
}

void labelControl(QLabel* label, QWidget* control, const QString& name) {
    label->setBuddy(control);
    nameControl(control, name.isEmpty() ? label->text() : name);
}

namespace {
// Judges typed text only: QLineEdit::setText bypasses validators.
class TypingValidator : public QValidator {
public:
    TypingValidator(QLineEdit* edit, Typing typing, int maxChars)
        : QValidator(edit), typing_(typing), maxChars_(maxChars), lastLength_(edit->text().size()) {
        // While validate() runs the field already holds the new text, so the
        // length before the change is remembered here.
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& t) { lastLength_ = t.size(); });
    }
    void setLimit(int maxChars) { maxChars_ = maxChars; }

    State validate(QString& input, int&) const override {
        if (typing_ == Typing::Capitals) input = input.toUpper();
        if (typing_ == Typing::Digits) {
            for (const QChar c : input)
                if (c < u'0' || c > u'9') return Invalid;
        }
        // Growing past the limit is refused; shortening a longer text is not.
        if (maxChars_ > 0 && input.size() > maxChars_ && input.size() > lastLength_) return Invalid;
        return Acceptable;
    }

private:
    Typing typing_;
    int maxChars_;
    qsizetype lastLength_;
};
} // namespace

void setTypingRules(QLineEdit* edit, Typing typing, int maxChars) {
    edit->setMaxLength(32767);
    edit->setValidator(new TypingValidator(edit, typing, maxChars));
}

void maskWithStars(QLineEdit* edit) {
    edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
}

void fillList(QComboBox* list, const QStringList& items) {
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
}

void selectPosition(QComboBox* list, int position) {
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

QString twoDigitText(int n) { return QString::fromStdU16String(twoDigitTexts()[static_cast<std::size_t>(n)]); }

QStringList twoDigitItems(int count) {
    QStringList items;
    for (int n = 0; n < count; ++n)
        items << twoDigitText(n);
    return items;
}

int checkedRadio(const QList<QRadioButton*>& group) {
    for (int i = 0; i < group.size(); ++i)
        if (group[i]->isChecked()) return i;
    return -1;
}

void FormReader::fail(QLineEdit* edit, const QString& text) {
    ok_ = false;
    prompter_.message(owner_, QString(), text, MessageIcon::Warning);
    edit->setFocus();
    edit->selectAll();
}

void FormReader::text(QLineEdit* edit, QString& value, int maxChars) {
    if (!ok_) return;
    const QString t = edit->text();
    if (t.size() > maxChars) {
        fail(edit, QStringLiteral("Enter no more than %1 characters.").arg(maxChars));
        return;
    }
    value = t;
}

void FormReader::integer(QLineEdit* edit, int& value) {
    if (!ok_) return;
    bool parsed = false;
    const int v = edit->text().trimmed().toInt(&parsed, 10);
    if (!parsed) {
        fail(edit, QStringLiteral("Enter an integer."));
        return;
    }
    value = v;
}

void FormReader::list(QComboBox* list, int& value) {
    if (ok_) value = list->currentIndex();
}

void FormReader::check(QCheckBox* box, int& value) {
    if (ok_) value = box->isChecked() ? 1 : 0;
}

void FormReader::radios(const QList<QRadioButton*>& group, int& value) {
    if (ok_) value = checkedRadio(group);
}

void showText(QLineEdit* edit, const QString& value, int maxChars) {
    if (auto* v = const_cast<TypingValidator*>(dynamic_cast<const TypingValidator*>(edit->validator())))
        v->setLimit(maxChars);
    else
        setTypingRules(edit, Typing::Any, maxChars);
    edit->setText(value);
}

} // namespace halvorn::ui

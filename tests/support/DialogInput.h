#pragma once
// Driving the detail dialogs as a user does, and the texts they show and store.

#include "profile/ProfileText.h"
#include "support/TestContext.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace halvorn::test {

// A user's choice: the selection changes and the list reports it as activated.
inline void choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// The control of type T with this accessible name in root's window (when several, the one shown).
template <class T = QWidget> T* named(QWidget* root, const QString& name) {
    QList<T*> found = root->findChildren<T*>();
    found.removeIf([&](T* w) { return w->window() != root->window() || w->accessibleName() != name; });
    if (found.size() > 1) found.removeIf([&](T* w) { return !w->isVisibleTo(root); });
    EXPECT_EQ(found.size(), 1) << name.toStdString();
    return found.value(0);
}
inline void press(QWidget* root, const QString& text) { named<QAbstractButton>(root, text)->click(); }
// A box toggled as a screen reader or test robot toggles it: through its accessible action, no click.
inline void toggleByAssistiveTool(QWidget* box) {
    QAccessible::queryAccessibleInterface(box)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}
inline QLabel* labelOf(QWidget* control) {
    for (QLabel* l : control->window()->findChildren<QLabel*>())
        if (l->buddy() == control) return l;
    return nullptr;
}

// For the controls named in "a|b|...": each one's item, text or tick (1 or 0), joined the same way; whether
// each is usable (1 or 0; ? when its label differs); and their texts set from such a text. A list's items.
inline QString shown(QWidget* root, const QString& names) {
    QStringList v;
    for (const QString& n : names.split('|')) {
        QWidget* w = named(root, n);
        const auto* list = qobject_cast<QComboBox*>(w);
        const auto* box = qobject_cast<QCheckBox*>(w);
        v << (list ? list->currentText() : box ? QString::number(box->isChecked()) : w->property("text").toString());
    }
    return v.join('|');
}
inline QString usable(QWidget* root, const QString& names) {
    QString v;
    for (const QString& n : names.split('|')) {
        QWidget* w = named(root, n);
        const QLabel* l = labelOf(w);
        v += l && l->isEnabled() != w->isEnabled() ? '?' : w->isEnabled() ? '1' : '0';
    }
    return v;
}
inline QString items(const QComboBox* list) {
    QStringList v;
    for (int i = 0; i < list->count(); ++i)
        v << list->itemText(i);
    return v.join('|');
}
inline void fill(QWidget* root, const QString& names, const QString& values) {
    for (int i = 0; i <= values.count('|'); ++i)
        named<QLineEdit>(root, names.section('|', i, i))->setText(values.section('|', i, i));
}

// Runs `act` inside the next dialog run, or opens the dialog and runs it there; the dialog's result comes back.
inline void onNextDialog(ScriptedPrompter& p, const std::function<void()>& act) {
    p.dialogs.push_back([act](QDialog& d) {
        d.setResult(QDialog::Rejected);
        act();
        return d.result();
    });
}
template <class Dialog> int openAndRun(ScriptedPrompter& p, Dialog& dialog, const std::function<void()>& act) {
    onNextDialog(p, act);
    return dialog.openModal();
}

// An entry's fields as "a|b|...", and stored from such a text, each field cleared first.
template <class Entry, std::size_t N> QString held(const Entry& e, const std::array<Field, N>& fs, const TextCodec& c) {
    QStringList v;
    for (const Field f : fs)
        v << QString::fromStdU16String(loadText({e.data() + f.offset, f.width}, c));
    return v.join('|');
}
template <class Entry, std::size_t N>
void put(Entry& e, const std::array<Field, N>& fs, const QString& values, const TextCodec& c) {
    for (int i = 0; i <= values.count('|'); ++i) {
        const Field f = fs[static_cast<std::size_t>(i)];
        std::fill_n(e.data() + f.offset, f.width, std::uint8_t{0});
        EXPECT_EQ(storeText({e.data() + f.offset, f.width}, values.section('|', i, i).toStdU16String(), c),
                  TextStatus::Stored);
    }
}

// The offsets at which two records differ.
using Offsets = std::vector<std::size_t>;
inline Offsets diff(const ProfileRecord& want, const ProfileRecord& got) {
    Offsets out;
    for (std::size_t i = 0; i < kRecordSize; ++i)
        if (want.u8(i) != got.u8(i)) out.push_back(i);
    return out;
}

} // namespace halvorn::test

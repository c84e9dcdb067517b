#pragma once
// Helpers of the camera dialog tests: finding controls by their accessible
// names, choosing list items the way a user does, running the dialogs.

#include "support/TestContext.h"
#include "ui/dialogs/DlgCAM.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace halvorn::test {

// The one control of type T with this accessible name in the root's window
// (not in the dialogs it owns); fails the test otherwise.
template <class T> T* named(QWidget* root, const QString& name) {
    T* found = nullptr;
    int count = 0;
    for (T* w : root->findChildren<T*>())
        if (w->window() == root->window() && w->accessibleName() == name) {
            found = w;
            ++count;
        }
    EXPECT_EQ(count, 1) << "controls named " << name.toStdString();
    return found;
}

inline QComboBox* list(QWidget* root, const QString& name) { return named<QComboBox>(root, name); }
inline QAbstractButton* button(QWidget* root, const QString& name) { return named<QAbstractButton>(root, name); }

// The label whose buddy the control is.
inline QLabel* labelOf(QWidget* root, QWidget* control) {
    for (QLabel* l : root->findChildren<QLabel*>())
        if (l->buddy() == control) return l;
    ADD_FAILURE() << "no label for " << control->accessibleName().toStdString();
    return nullptr;
}

// Chooses an item with the keyboard, as a user does: the list reports the
// choice as the user's (QComboBox::activated), unlike a programmatic selection.
inline void choose(QComboBox* combo, int index) {
    ASSERT_GE(combo->count(), 2);
    if (index > 0) {
        combo->setCurrentIndex(index - 1);
        QTest::keyClick(combo, Qt::Key_Down);
    } else {
        combo->setCurrentIndex(1);
        QTest::keyClick(combo, Qt::Key_Up);
    }
    ASSERT_EQ(combo->currentIndex(), index) << combo->accessibleName().toStdString();
}

inline QStringList itemsOf(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// Opens the camera dialog and runs `inside` while it is open; returns the dialog's result.
inline int runCamera(TestContext& t, ui::DlgCAM& dlg, const std::function<int(ui::DlgCAM&)>& inside) {
    t.prompter.dialogs.push_back([&dlg, inside](QDialog& d) {
        EXPECT_EQ(&d, &dlg);
        return inside(dlg);
    });
    return dlg.openModal();
}

// Scripts the next scene customization dialog.
inline void onSceneDialog(TestContext& t, const std::function<int(QDialog&)>& inside) {
    t.prompter.dialogs.push_back(inside);
}

inline int press(QDialog& d, const QString& buttonText) {
    QAbstractButton* b = button(&d, buttonText);
    if (b) b->click();
    return d.result();
}

inline std::vector<Prompt> promptsOf(const TestContext& t, Prompt::Kind kind) {
    std::vector<Prompt> out;
    for (const Prompt& p : t.prompter.prompts)
        if (p.kind == kind) out.push_back(p);
    return out;
}

} // namespace halvorn::test

#pragma once
// A main window on a test context, and what a user does with its form.

#include "support/DialogInput.h"
#include "ui/main/DlgGSM.h"

#include <QRadioButton>

#include <memory>
#include <string>

namespace halvorn::test {

// A form as the user leaves it before "OK"; the send target, the mail preset and country indexes and the name go into
// the record before the window opens.
struct Form {
    QString count = "25";
    int mode = 2, sms = 0, rename = 0, target = 1, preset = 0, country = 15;
    std::array<QString, 4> phones{}, mails{"a@b"};
    QString name{}, path{};
};

class MainWindowTest : public ::testing::Test {
protected:
    TestContext t;
    FakeFrame frame;
    std::unique_ptr<ui::DlgGSM> window = std::make_unique<ui::DlgGSM>(t.ctx, frame);

    void open() { window = std::make_unique<ui::DlgGSM>(t.ctx, frame); } // again, on the record as it is now
    const ui::DlgGSM::Controls& c() { return window->controls(); }
    ui::DlgGSM::Values& v() { return window->values(); }
    ProfileRecord& record() { return t.record; }
    // Opens the window and enters the form, with 18:30, "動画" and "添付しない".
    void fill(const Form& f) {
        for (const auto& [at, value] : {std::pair{rec::mailPresetIndex, f.preset}, {rec::countryIndex, f.country}})
            record().setU8(at, static_cast<std::uint8_t>(value));
        record().setU16(rec::sendTarget, static_cast<std::uint16_t>(f.target));
        ASSERT_EQ(storeText(record().area(rec::cameraName), f.name.toStdU16String(), *t.codec), TextStatus::Stored);
        open();
        for (auto* radio : {c().sendModeRadios[f.mode], c().cameraModeRadios[1], c().compressionRadios[2]})
            radio->click();
        for (auto [list, at] :
             {std::pair{c().hourList, 18}, {c().minuteList, 30}, {c().smsList, f.sms}, {c().renameList, f.rename}})
            choose(list, at);
        c().countField->setText(f.count); // texts last: the reactions above read the form
        c().pathField->setText(f.path);
        for (std::size_t i = 0; i < 4; ++i) {
            c().phoneFields[i]->setText(f.phones[i]);
            c().mailFields[i]->setText(f.mails[i]);
        }
    }
    // The prompts shown so far, one line each; a dialog by its object name.
    static QString line(Prompt::Kind kind, const QString& title, const QString& text,
                        ui::MessageIcon icon = ui::MessageIcon::None) {
        return QString("%1 %2|%3|%4").arg(static_cast<int>(kind)).arg(title, text).arg(static_cast<int>(icon));
    }
    QStringList prompts() const {
        QStringList out;
        for (const Prompt& p : t.prompter.prompts)
            out << line(p.kind, p.kind == Prompt::Kind::Dialog ? QString() : p.title, p.text, p.icon);
        return out;
    }
    // What a window shows: each control's text, position or check, and whether it is enabled.
    static QStringList shown(const ui::DlgGSM& w) {
        QStringList out;
        for (const QWidget* x : w.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            QString s = x->objectName() + (x->isEnabled() ? "=" : " (off)=");
            if (const auto* e = qobject_cast<const QLineEdit*>(x)) s += e->text();
            if (const auto* l = qobject_cast<const QComboBox*>(x)) s += QString::number(l->currentIndex());
            if (const auto* b = qobject_cast<const QAbstractButton*>(x)) s += b->isChecked() ? "x" : "";
            if (!x->isWindow()) out << s;
        }
        return out;
    }
};

} // namespace halvorn::test

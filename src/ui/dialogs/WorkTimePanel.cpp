#include "ui/dialogs/WorkTimePanel.h"

#include "rules/WorkTimeRules.h"
#include "ui/DialogUnits.h"
#include "ui/FormControls.h"
#include "ui/text/RuleText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QScopedValueRollback>

#include <algorithm>

namespace halvorn::ui {

namespace {
// Where each day box sits: two columns of four rows.
struct DayPlace {
    int flag;
    int column;
    int row;
    const char* text;
    const char* name;
};
constexpr DayPlace kDayPlaces[] = {
    {day::all, 0, 0, nullptr, nullptr},       {day::monday, 1, 0, "Mon", "Monday"},
    {day::tuesday, 0, 1, "Tue", "Tuesday"},   {day::wednesday, 1, 1, "Wed", "Wednesday"},
    {day::thursday, 0, 2, "Thu", "Thursday"}, {day::friday, 1, 2, "Fri", "Friday"},
    {day::saturday, 0, 3, "Sat", "Saturday"}, {day::sunday, 1, 3, "Sun", "Sunday"},
};

constexpr int kGroupWidth = 206;
constexpr int kGroupHeight = 74;
} // namespace

WorkTimePanel::WorkTimePanel(QWidget* parent, std::function<void()> readForm, std::function<void()> showForm)
    : QWidget(parent), ownerReadForm_(std::move(readForm)), ownerShowForm_(std::move(showForm)) {
    setObjectName(QStringLiteral("WorkTimePanel"));
    for (int k = 0; k < kSchedules; ++k)
        build(k);
    for (auto& s : values_)
        s = defaultWorkTime();
}

void WorkTimePanel::build(int k) {
    const DialogUnits du(font());
    Group& g = groups_[static_cast<std::size_t>(k)];
    const QString prefix = QStringLiteral("Work Time %1 ").arg(k + 1);

    g.box = new QGroupBox(QStringLiteral("Work Time %1").arg(k + 1), this);
    du.place(g.box, 7 + (k % 2) * (kGroupWidth + 14), (k / 2) * (kGroupHeight + 4), kGroupWidth, kGroupHeight);

    auto timeList = [&](const QString& name) {
        auto* list = new QComboBox(g.box);
        list->setMaxVisibleItems(12);
        nameControl(list, prefix + name);
        return list;
    };

    g.switchLabel = new QLabel(QStringLiteral("Switch"), g.box);
    g.switchList = new QComboBox(g.box);
    fillList(g.switchList, {QStringLiteral("Off"), QStringLiteral("On")});
    labelControl(g.switchLabel, g.switchList, prefix + QStringLiteral("Switch"));
    du.place(g.switchLabel, 8, 15, 26, 9);
    du.place(g.switchList, 36, 13, 36, 13);

    g.startLabel = new QLabel(QStringLiteral("Start"), g.box);
    g.startHour = timeList(QStringLiteral("Start hour"));
    g.startColon = new QLabel(QStringLiteral(":"), g.box);
    g.startMinute = timeList(QStringLiteral("Start minute"));
    g.startLabel->setBuddy(g.startHour);
    du.place(g.startLabel, 8, 34, 26, 9);
    du.place(g.startHour, 36, 32, 30, 13);
    du.place(g.startColon, 67, 34, 4, 9);
    du.place(g.startMinute, 72, 32, 30, 13);

    g.stopLabel = new QLabel(QStringLiteral("Stop"), g.box);
    g.stopHour = timeList(QStringLiteral("Stop hour"));
    g.stopColon = new QLabel(QStringLiteral(":"), g.box);
    g.stopMinute = timeList(QStringLiteral("Stop minute"));
    g.stopLabel->setBuddy(g.stopHour);
    du.place(g.stopLabel, 8, 53, 26, 9);
    du.place(g.stopHour, 36, 51, 30, 13);
    du.place(g.stopColon, 67, 53, 4, 9);
    du.place(g.stopMinute, 72, 51, 30, 13);

    // The all-days box reads "ALL" in the left-hand schedules and "All" in the right-hand ones.
    const QString allText = k % 2 == 0 ? QStringLiteral("ALL") : QStringLiteral("All");
    for (const DayPlace& p : kDayPlaces) {
        const QString text = p.text ? QString::fromLatin1(p.text) : allText;
        auto* box = new QCheckBox(text, g.box);
        // The text stands to the left of the box.
        box->setLayoutDirection(Qt::RightToLeft);
        nameControl(box, prefix + (p.name ? QString::fromLatin1(p.name) : allText));
        du.place(box, 112 + p.column * 46, 11 + p.row * 14, 40, 12);
        g.days[static_cast<std::size_t>(p.flag)] = box;
        connect(box, &QCheckBox::toggled, this, [this, k, flag = p.flag](bool checked) {
            if (!showing_) onDayToggled(k, flag, checked);
        });
    }

    connect(g.switchList, &QComboBox::activated, this, [this, k](int) { onSwitchChanged(k); });
}

void WorkTimePanel::load(const ProfileRecord& record) {
    const QStringList hours = twoDigitItems(24);
    const QStringList minutes = twoDigitItems(60);
    for (int k = 0; k < kSchedules; ++k) {
        values_[static_cast<std::size_t>(k)] = loadWorkTime(record, static_cast<std::size_t>(k));
        Group& g = groups_[static_cast<std::size_t>(k)];
        fillList(g.startHour, hours);
        fillList(g.stopHour, hours);
        fillList(g.startMinute, minutes);
        fillList(g.stopMinute, minutes);
        const WorkTimeSchedule& s = values_[static_cast<std::size_t>(k)];
        selectPosition(g.startHour, s.startHour);
        selectPosition(g.startMinute, s.startMinute);
        selectPosition(g.stopHour, s.stopHour);
        selectPosition(g.stopMinute, s.stopMinute);
    }
    for (int k = 0; k < kSchedules; ++k)
        applyEnabling(k);
}

void WorkTimePanel::reset() {
    for (auto& s : values_)
        s = defaultWorkTime();
    for (int k = 0; k < kSchedules; ++k)
        applyEnabling(k);
}

bool WorkTimePanel::validate(Prompter& prompter, QWidget* owner) const {
    for (std::size_t k = 0; k < values_.size(); ++k) {
        const WorkTimeSchedule& s = values_[k];
        const bool anyDay = std::ranges::any_of(s.days, [](int f) { return f != 0; });
        const rules::Failure failure =
            rules::checkWorkTime(k, {s.switchOn, s.startHour, s.startMinute, s.stopHour, s.stopMinute, anyDay});
        if (failure) {
            const RuleText said = ruleText(failure);
            prompter.message(owner, QString::fromStdString(said.title), QString::fromStdString(said.text),
                             MessageIcon::None);
            return false;
        }
    }
    return true;
}

void WorkTimePanel::store(ProfileRecord& record) const {
    for (int k = 0; k < kSchedules; ++k)
        storeWorkTime(record, static_cast<std::size_t>(k), values_[static_cast<std::size_t>(k)]);
}

void WorkTimePanel::readForm() {
    for (int k = 0; k < kSchedules; ++k) {
        const Group& g = groups_[static_cast<std::size_t>(k)];
        WorkTimeSchedule& s = values_[static_cast<std::size_t>(k)];
        s.switchOn = g.switchList->currentIndex();
        s.startHour = g.startHour->currentIndex();
        s.startMinute = g.startMinute->currentIndex();
        s.stopHour = g.stopHour->currentIndex();
        s.stopMinute = g.stopMinute->currentIndex();
        for (std::size_t d = 0; d < g.days.size(); ++d)
            s.days[d] = g.days[d]->isChecked() ? 1 : 0;
    }
}

void WorkTimePanel::showForm() {
    const QScopedValueRollback<bool> showing(showing_, true);
    for (int k = 0; k < kSchedules; ++k) {
        const Group& g = groups_[static_cast<std::size_t>(k)];
        const WorkTimeSchedule& s = values_[static_cast<std::size_t>(k)];
        selectPosition(g.switchList, s.switchOn);
        selectPosition(g.startHour, s.startHour);
        selectPosition(g.startMinute, s.startMinute);
        selectPosition(g.stopHour, s.stopHour);
        selectPosition(g.stopMinute, s.stopMinute);
        for (std::size_t d = 0; d < g.days.size(); ++d)
            g.days[d]->setChecked(s.days[d] != 0);
    }
}

void WorkTimePanel::applyEnabling(int k) {
    const Group& g = groups_[static_cast<std::size_t>(k)];
    const bool on = workTimeEditable(values_[static_cast<std::size_t>(k)]);
    for (QWidget* w : std::initializer_list<QWidget*>{g.startLabel, g.startHour, g.startColon, g.startMinute,
                                                      g.stopLabel, g.stopHour, g.stopColon, g.stopMinute})
        w->setEnabled(on);
    for (QCheckBox* box : g.days)
        box->setEnabled(on);
}

void WorkTimePanel::onSwitchChanged(int k) {
    ownerReadForm_();
    applyEnabling(k);
}

void WorkTimePanel::onDayToggled(int k, int box, bool checked) {
    ownerReadForm_();
    applyDayBox(values_[static_cast<std::size_t>(k)], box, checked);
    ownerShowForm_();
}

} // namespace halvorn::ui

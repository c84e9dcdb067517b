#pragma once
// The four weekly work-time schedules in the lower half of the camera
// settings dialog. The panel has no window of its own: its controls take part
// in the owner's readForm and showForm, and its change handlers call them.

#include "profile/ProfileRecord.h"
#include "ui/Prompter.h"
#include "ui/dialogs/WorkTimeSchedule.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace halvorn::ui {

class WorkTimePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSchedules = static_cast<int>(rec::workTimeCount);
    // Size of the panel in dialog units.
    static constexpr int kWidthUnits = 440;
    static constexpr int kHeightUnits = 152;

    // readForm and showForm are the owner's: the handlers take and show the whole form.
    WorkTimePanel(QWidget* parent, std::function<void()> readForm, std::function<void()> showForm);

    // Reads the four entries, fills the time lists and applies each schedule's enabling rule.
    void load(const ProfileRecord& record);
    // Every schedule off, 00:00 to 00:00, all boxes checked; then the enabling rules.
    void reset();
    // Checks schedules 1 to 4 in order; the first failure is shown under
    // "Work Time Setting" and ends the check.
    bool validate(Prompter& prompter, QWidget* owner) const;
    // Packs the four schedules into the record's work-time entries.
    void store(ProfileRecord& record) const;

    void readForm();
    void showForm();

    const std::array<WorkTimeSchedule, kSchedules>& schedules() const { return values_; }

private:
    struct Group {
        QGroupBox* box = nullptr;
        QLabel* switchLabel = nullptr;
        QComboBox* switchList = nullptr;
        QLabel* startLabel = nullptr;
        QComboBox* startHour = nullptr;
        QLabel* startColon = nullptr;
        QComboBox* startMinute = nullptr;
        QLabel* stopLabel = nullptr;
        QComboBox* stopHour = nullptr;
        QLabel* stopColon = nullptr;
        QComboBox* stopMinute = nullptr;
        std::array<QCheckBox*, day::count> days{};
    };

    void build(int k);
    void applyEnabling(int k);
    void onSwitchChanged(int k);
    // A day box changed, by mouse, keyboard or an assistive tool's toggle.
    void onDayToggled(int k, int box, bool checked);

    std::function<void()> ownerReadForm_;
    std::function<void()> ownerShowForm_;
    std::array<Group, kSchedules> groups_;
    std::array<WorkTimeSchedule, kSchedules> values_;
    bool showing_ = false; // showForm is setting the boxes: not the user's change
};

} // namespace halvorn::ui

// The work-time schedules: packing into the record's six bytes, the check
// made on confirming, the day-box rule, and the schedule groups of the camera
// settings dialog with their enabling rule.
#include "CameraTestHelpers.h"

#include "ui/dialogs/WorkTimePanel.h"
#include "ui/dialogs/WorkTimeSchedule.h"

#include <QCheckBox>
#include <QGroupBox>

using namespace halvorn;
using namespace halvorn::test;
using ui::WorkTimeEntry;
using ui::WorkTimeProblem;
using ui::WorkTimeSchedule;
namespace day = ui::day;

namespace {

WorkTimeSchedule schedule(int on, int h1, int m1, int h2, int m2, std::initializer_list<int> days) {
    WorkTimeSchedule s;
    s.switchOn = on;
    s.startHour = h1;
    s.startMinute = m1;
    s.stopHour = h2;
    s.stopMinute = m2;
    for (int d : days)
        s.days[static_cast<std::size_t>(d)] = 1;
    return s;
}

const std::initializer_list<int> kEveryDay = {day::all,       day::sunday,   day::monday, day::tuesday,
                                              day::wednesday, day::thursday, day::friday, day::saturday};

// ---- Packing -------------------------------------------------------------

TEST(WorkTimePacking, MondayAndFridayFromSixToHalfPastSix) {
    const auto s = schedule(1, 6, 0, 18, 30, {day::monday, day::friday});
    EXPECT_EQ(ui::packWorkTime(s), (WorkTimeEntry{1, 6, 0, 18, 30, 162}));
    EXPECT_EQ(ui::unpackWorkTime({1, 6, 0, 18, 30, 162}), s);
}

TEST(WorkTimePacking, EachDayHasItsOwnBit) {
    const std::pair<int, std::uint8_t> bits[] = {{day::sunday, 0x40},    {day::monday, 0x20},   {day::tuesday, 0x10},
                                                 {day::wednesday, 0x08}, {day::thursday, 0x04}, {day::friday, 0x02},
                                                 {day::saturday, 0x01}};
    for (const auto& [d, bit] : bits) {
        EXPECT_EQ(ui::packWorkTime(schedule(0, 0, 0, 0, 0, {d}))[5], bit) << d;
        const WorkTimeSchedule back = ui::unpackWorkTime({0, 0, 0, 0, 0, bit});
        for (int other = day::sunday; other <= day::saturday; ++other)
            EXPECT_EQ(back.days[static_cast<std::size_t>(other)], other == d ? 1 : 0) << d << " " << other;
        EXPECT_EQ(back.days[day::all], 0);
    }
}

TEST(WorkTimePacking, SwitchIsCopiedIntoBitSevenAndIgnoredOnLoad) {
    EXPECT_EQ(ui::packWorkTime(schedule(1, 0, 0, 0, 0, {}))[5], 0x80);
    EXPECT_EQ(ui::packWorkTime(schedule(0, 0, 0, 0, 0, {}))[5], 0x00);
    // Switched off: stored like a switched-on one, times and days included.
    EXPECT_EQ(ui::packWorkTime(schedule(0, 22, 15, 6, 45, {day::sunday})), (WorkTimeEntry{0, 22, 15, 6, 45, 0x40}));
    // Only the switch byte counts on loading.
    EXPECT_EQ(ui::unpackWorkTime({0, 0, 0, 0, 0, 0xA0}).switchOn, 0);
    EXPECT_EQ(ui::unpackWorkTime({1, 0, 0, 0, 0, 0x20}).switchOn, 1);
}

TEST(WorkTimePacking, AllDaysFlagIsDerivedOnLoad) {
    const WorkTimeSchedule every = ui::unpackWorkTime({1, 0, 0, 0, 0, 127});
    EXPECT_EQ(every.switchOn, 1);
    for (std::size_t d = 0; d < day::count; ++d)
        EXPECT_EQ(every.days[d], 1) << d;
    // The profile defaults: off, all mask bits set; stored again with bit 7 clear.
    const WorkTimeSchedule defaults = ui::unpackWorkTime({0, 0, 0, 0, 0, 255});
    EXPECT_EQ(defaults, ui::defaultWorkTime());
    EXPECT_EQ(ui::packWorkTime(defaults), (WorkTimeEntry{0, 0, 0, 0, 0, 127}));
    EXPECT_EQ(ui::unpackWorkTime({1, 0, 0, 0, 0, 0x7E}).days[day::all], 0);
}

TEST(WorkTimePacking, NothingChosenIsStoredAsTheLowByte) {
    EXPECT_EQ(ui::packWorkTime(schedule(-1, -1, 0, 23, -1, {})), (WorkTimeEntry{255, 255, 0, 23, 255, 0x80}));
}

TEST(WorkTimePacking, RecordEntriesLieSixBytesApartFromByte31) {
    ProfileRecord r;
    ui::storeWorkTime(r, 3, schedule(1, 6, 0, 18, 30, {day::monday, day::friday}));
    const std::uint8_t expected[] = {1, 6, 0, 18, 30, 162};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(r.u8(49 + i), expected[i]) << i;
    EXPECT_EQ(r.u8(48), 0);
    EXPECT_EQ(r.u8(55), 0);
    EXPECT_EQ(ui::loadWorkTime(r, 3), schedule(1, 6, 0, 18, 30, {day::monday, day::friday}));
}

// ---- Check ---------------------------------------------------------------

TEST(WorkTimeCheck, StartAndStopPoint) {
    EXPECT_EQ(ui::checkWorkTime(schedule(1, 0, 0, 0, 0, {day::tuesday})), WorkTimeProblem::None);
    EXPECT_EQ(ui::checkWorkTime(schedule(1, 8, 30, 8, 30, kEveryDay)), WorkTimeProblem::StartStop);
    EXPECT_EQ(ui::checkWorkTime(schedule(1, 0, 30, 0, 30, kEveryDay)), WorkTimeProblem::StartStop);
    EXPECT_EQ(ui::checkWorkTime(schedule(1, 5, 0, 5, 0, kEveryDay)), WorkTimeProblem::StartStop);
    EXPECT_EQ(ui::checkWorkTime(schedule(1, 22, 0, 6, 0, {day::sunday})), WorkTimeProblem::None);
    EXPECT_EQ(ui::checkWorkTime(schedule(1, 8, 30, 8, 31, {day::sunday})), WorkTimeProblem::None);
    // The time check comes first.
    EXPECT_EQ(ui::checkWorkTime(schedule(1, 8, 30, 8, 30, {})), WorkTimeProblem::StartStop);
}

TEST(WorkTimeCheck, WeekBoxes) {
    EXPECT_EQ(ui::checkWorkTime(schedule(1, 6, 0, 18, 0, {})), WorkTimeProblem::WeekDays);
    EXPECT_EQ(ui::checkWorkTime(schedule(1, 0, 0, 0, 0, {})), WorkTimeProblem::WeekDays);
    EXPECT_EQ(ui::checkWorkTime(schedule(1, 6, 0, 18, 0, {day::saturday})), WorkTimeProblem::None);
    EXPECT_EQ(ui::checkWorkTime(schedule(1, 6, 0, 18, 0, {day::all})), WorkTimeProblem::None);
}

TEST(WorkTimeCheck, OnlyASwitchedOffScheduleIsExempt) {
    EXPECT_EQ(ui::checkWorkTime(schedule(0, 8, 30, 8, 30, {})), WorkTimeProblem::None);
    // Nothing chosen in the switch list is not "Off".
    EXPECT_EQ(ui::checkWorkTime(schedule(-1, 6, 0, 18, 0, {})), WorkTimeProblem::WeekDays);
    EXPECT_TRUE(ui::workTimeEditable(schedule(1, 0, 0, 0, 0, {})));
    EXPECT_FALSE(ui::workTimeEditable(schedule(-1, 0, 0, 0, 0, {})));
    EXPECT_FALSE(ui::workTimeEditable(schedule(2, 0, 0, 0, 0, {})));
}

// ---- Day-box rule --------------------------------------------------------

TEST(WorkTimeDayBoxes, CheckingAllChecksEveryDay) {
    auto s = schedule(1, 0, 0, 0, 0, {day::monday});
    ui::applyDayBox(s, day::all, true);
    EXPECT_EQ(s, schedule(1, 0, 0, 0, 0, kEveryDay));
}

TEST(WorkTimeDayBoxes, UncheckingAllLeavesTheDays) {
    auto s = schedule(1, 0, 0, 0, 0, kEveryDay);
    ui::applyDayBox(s, day::all, false);
    EXPECT_EQ(s, schedule(1, 0, 0, 0, 0,
                          {day::sunday, day::monday, day::tuesday, day::wednesday, day::thursday, day::friday,
                           day::saturday}));
}

TEST(WorkTimeDayBoxes, TheSeventhDayChecksAllAndAnyUncheckClearsIt) {
    auto s =
        schedule(1, 0, 0, 0, 0, {day::sunday, day::monday, day::tuesday, day::wednesday, day::thursday, day::friday});
    ui::applyDayBox(s, day::saturday, true);
    EXPECT_EQ(s.days[day::all], 1);
    ui::applyDayBox(s, day::wednesday, false);
    EXPECT_EQ(s.days[day::all], 0);
    EXPECT_EQ(s.days[day::wednesday], 0);
    EXPECT_EQ(s.days[day::saturday], 1);
    // Six days checked is not all.
    ui::applyDayBox(s, day::monday, true);
    EXPECT_EQ(s.days[day::all], 0);
}

// ---- The schedule groups in the camera settings dialog -------------------

struct WorkTimeDialogTest : ::testing::Test {
    TestContext t;
    ui::DlgCAM dlg{t.ctx};

    QComboBox* L(int n, const char* what) { return list(&dlg, QStringLiteral("Work Time %1 %2").arg(n).arg(what)); }
    QCheckBox* box(int n, const char* what) {
        return named<QCheckBox>(&dlg, QStringLiteral("Work Time %1 %2").arg(n).arg(what));
    }
    QCheckBox* allBox(int n) { return box(n, n % 2 == 1 ? "ALL" : "All"); }
    void setTimes(int n, int h1, int m1, int h2, int m2) {
        L(n, "Start hour")->setCurrentIndex(h1);
        L(n, "Start minute")->setCurrentIndex(m1);
        L(n, "Stop hour")->setCurrentIndex(h2);
        L(n, "Stop minute")->setCurrentIndex(m2);
    }
    std::vector<std::uint8_t> entry(int n) const {
        const auto a = t.record.area(rec::workTimeAt(static_cast<std::size_t>(n - 1)), rec::workTimeSize);
        return {a.begin(), a.end()};
    }
    void setEntry(int n, std::vector<std::uint8_t> bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            t.record.setU8(rec::workTimeAt(static_cast<std::size_t>(n - 1)) + i, bytes[i]);
    }
};

const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

TEST_F(WorkTimeDialogTest, GroupsAndTheirControls) {
    for (int n = 1; n <= 4; ++n) {
        QComboBox* sw = L(n, "Switch");
        ASSERT_NE(sw, nullptr);
        EXPECT_EQ(itemsOf(sw), (QStringList{"Off", "On"}));
        EXPECT_EQ(labelOf(&dlg, sw)->text(), "Switch");
        auto* group = qobject_cast<QGroupBox*>(sw->parentWidget());
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->title(), QStringLiteral("Work Time %1").arg(n));
        for (const char* name : {"Start hour", "Start minute", "Stop hour", "Stop minute"}) {
            QComboBox* c = L(n, name);
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(c->accessibleDescription(), c->accessibleName());
        }
        EXPECT_EQ(allBox(n)->text(), n % 2 == 1 ? "ALL" : "All");
        for (const char* d : kDays) {
            QCheckBox* b = box(n, d);
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(b->text(), QString::fromLatin1(d).left(3));
            EXPECT_EQ(b->layoutDirection(), Qt::RightToLeft) << "text left of the box";
        }
        // Two columns of four rows: ALL/Mon, Tue/Wed, Thu/Fri, Sat/Sun.
        EXPECT_LT(allBox(n)->x(), box(n, "Monday")->x());
        EXPECT_EQ(allBox(n)->y(), box(n, "Monday")->y());
        EXPECT_EQ(box(n, "Tuesday")->x(), allBox(n)->x());
        EXPECT_LT(allBox(n)->y(), box(n, "Tuesday")->y());
        EXPECT_LT(box(n, "Thursday")->y(), box(n, "Saturday")->y());
        EXPECT_EQ(box(n, "Sunday")->y(), box(n, "Saturday")->y());
        EXPECT_GT(box(n, "Sunday")->x(), box(n, "Saturday")->x());
    }
    // Schedules 1 and 2 side by side above 3 and 4.
    auto groupOf = [&](int n) { return L(n, "Switch")->parentWidget()->geometry(); };
    EXPECT_EQ(groupOf(1).y(), groupOf(2).y());
    EXPECT_LT(groupOf(1).x(), groupOf(2).x());
    EXPECT_LT(groupOf(1).bottom(), groupOf(3).top());
    EXPECT_EQ(groupOf(3).x(), groupOf(1).x());
    EXPECT_EQ(groupOf(4).y(), groupOf(3).y());
}

TEST_F(WorkTimeDialogTest, TimeListsHoldHoursAndMinutes) {
    runCamera(t, dlg, [&](ui::DlgCAM&) {
        for (const char* name : {"Start hour", "Stop hour"}) {
            QComboBox* c = L(3, name);
            EXPECT_EQ(c->count(), 24);
            EXPECT_EQ(c->itemText(0), "00");
            EXPECT_EQ(c->itemText(23), "23");
        }
        for (const char* name : {"Start minute", "Stop minute"}) {
            QComboBox* c = L(4, name);
            EXPECT_EQ(c->count(), 60);
            EXPECT_EQ(c->itemText(9), "09");
            EXPECT_EQ(c->itemText(59), "59");
        }
        return QDialog::Rejected;
    });
}

TEST_F(WorkTimeDialogTest, DefaultsOpenSwitchedOffWithEveryDay) {
    runCamera(t, dlg, [&](ui::DlgCAM&) {
        for (int n = 1; n <= 4; ++n) {
            EXPECT_EQ(L(n, "Switch")->currentText(), "Off");
            EXPECT_TRUE(L(n, "Switch")->isEnabled());
            EXPECT_FALSE(L(n, "Start hour")->isEnabled());
            EXPECT_EQ(L(n, "Start hour")->currentText(), "00");
            EXPECT_EQ(L(n, "Stop minute")->currentText(), "00");
            EXPECT_TRUE(allBox(n)->isChecked());
            EXPECT_FALSE(allBox(n)->isEnabled());
            for (const char* d : kDays)
                EXPECT_TRUE(box(n, d)->isChecked()) << n << d;
        }
        return QDialog::Rejected;
    });
}

TEST_F(WorkTimeDialogTest, SwitchEnablesAndDisablesItsScheduleAtOnce) {
    runCamera(t, dlg, [&](ui::DlgCAM&) {
        choose(L(2, "Switch"), 1);
        QList<QWidget*> controls{L(2, "Start hour"), L(2, "Start minute"), L(2, "Stop hour"), L(2, "Stop minute"),
                                 allBox(2)};
        for (const char* d : kDays)
            controls << box(2, d);
        controls << labelOf(&dlg, L(2, "Start hour")) << labelOf(&dlg, L(2, "Stop hour"));
        int colons = 0;
        for (QLabel* l : L(2, "Switch")->parentWidget()->findChildren<QLabel*>())
            if (l->text() == ":") {
                controls << l;
                ++colons;
            }
        EXPECT_EQ(colons, 2);
        for (QWidget* w : controls)
            EXPECT_TRUE(w->isEnabled()) << w->accessibleName().toStdString();
        EXPECT_FALSE(L(1, "Start hour")->isEnabled()) << "other schedules keep their state";
        choose(L(2, "Switch"), 0);
        for (QWidget* w : controls)
            EXPECT_FALSE(w->isEnabled()) << w->accessibleName().toStdString();
        EXPECT_TRUE(L(2, "Switch")->isEnabled());
        EXPECT_TRUE(labelOf(&dlg, L(2, "Switch"))->isEnabled());
        return QDialog::Rejected;
    });
}

TEST_F(WorkTimeDialogTest, StoredMask127WithSwitchOnLoadsAsEveryDay) {
    setEntry(3, {1, 7, 15, 19, 45, 127});
    runCamera(t, dlg, [&](ui::DlgCAM&) {
        EXPECT_EQ(L(3, "Switch")->currentText(), "On");
        EXPECT_TRUE(L(3, "Start hour")->isEnabled());
        EXPECT_TRUE(allBox(3)->isEnabled());
        EXPECT_TRUE(allBox(3)->isChecked());
        for (const char* d : kDays)
            EXPECT_TRUE(box(3, d)->isChecked()) << d;
        EXPECT_EQ(L(3, "Start minute")->currentText(), "15");
        EXPECT_EQ(L(3, "Stop hour")->currentText(), "19");
        return QDialog::Rejected;
    });
}

TEST_F(WorkTimeDialogTest, AllBoxChecksEveryDayAndUncheckingItLeavesThem) {
    setEntry(1, {1, 6, 0, 18, 0, 0x20});
    runCamera(t, dlg, [&](ui::DlgCAM& d) {
        allBox(1)->click();
        EXPECT_TRUE(allBox(1)->isChecked());
        for (const char* day : kDays)
            EXPECT_TRUE(box(1, day)->isChecked()) << day;
        allBox(1)->click();
        EXPECT_FALSE(allBox(1)->isChecked());
        for (const char* day : kDays)
            EXPECT_TRUE(box(1, day)->isChecked()) << day;
        return press(d, "OK");
    });
    EXPECT_EQ(entry(1), (std::vector<std::uint8_t>{1, 6, 0, 18, 0, 0xFF}));
    // The all-days box is derived afresh on the next opening.
    runCamera(t, dlg, [&](ui::DlgCAM&) {
        EXPECT_TRUE(allBox(1)->isChecked());
        return QDialog::Rejected;
    });
}

TEST_F(WorkTimeDialogTest, SeventhDayChecksAllAndUncheckingADayClearsIt) {
    setEntry(4, {1, 6, 0, 18, 0, 0x7E}); // every day but Saturday
    runCamera(t, dlg, [&](ui::DlgCAM&) {
        EXPECT_FALSE(allBox(4)->isChecked());
        box(4, "Saturday")->click();
        EXPECT_TRUE(allBox(4)->isChecked());
        box(4, "Tuesday")->click();
        EXPECT_FALSE(allBox(4)->isChecked());
        EXPECT_FALSE(box(4, "Tuesday")->isChecked());
        EXPECT_TRUE(box(4, "Saturday")->isChecked());
        return QDialog::Rejected;
    });
}

TEST_F(WorkTimeDialogTest, MondayAndFridayStoredAsMask162) {
    runCamera(t, dlg, [&](ui::DlgCAM& d) {
        choose(L(2, "Switch"), 1);
        allBox(2)->click(); // uncheck ALL, the days stay
        for (const char* day : {"Sunday", "Tuesday", "Wednesday", "Thursday", "Saturday"})
            box(2, day)->click();
        setTimes(2, 6, 0, 18, 30);
        return press(d, "OK");
    });
    EXPECT_TRUE(t.prompter.messages().empty());
    EXPECT_EQ(entry(2), (std::vector<std::uint8_t>{1, 6, 0, 18, 30, 162}));
    EXPECT_EQ(entry(1), (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 127}));
}

TEST_F(WorkTimeDialogTest, AcceptedTimes) {
    runCamera(t, dlg, [&](ui::DlgCAM& d) {
        choose(L(1, "Switch"), 1); // 00:00 to 00:00
        choose(L(3, "Switch"), 1);
        setTimes(3, 22, 0, 6, 0); // over midnight
        return press(d, "OK");
    });
    EXPECT_TRUE(t.prompter.messages().empty());
    EXPECT_EQ(entry(1), (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 255}));
    EXPECT_EQ(entry(3), (std::vector<std::uint8_t>{1, 22, 0, 6, 0, 255}));
}

TEST_F(WorkTimeDialogTest, NoDayIsRefusedUnlessSwitchedOff) {
    setEntry(4, {1, 6, 0, 18, 0, 0x80});
    const ProfileRecord before = t.record;
    runCamera(t, dlg, [&](ui::DlgCAM& d) {
        EXPECT_EQ(press(d, "OK"), QDialog::Rejected);
        const Prompt m = t.prompter.onlyMessage();
        EXPECT_EQ(m.title, "Work Time Setting");
        EXPECT_EQ(m.text, "Please check Work Time Week CheckBox.");
        EXPECT_EQ(m.icon, ui::MessageIcon::None);
        EXPECT_EQ(t.record, before);
        choose(L(4, "Switch"), 0);
        return press(d, "OK");
    });
    EXPECT_EQ(t.prompter.messages().size(), 1u);
    EXPECT_EQ(entry(4), (std::vector<std::uint8_t>{0, 6, 0, 18, 0, 0}));
}

TEST_F(WorkTimeDialogTest, OnlyTheFirstFailingScheduleIsReported) {
    setEntry(1, {1, 8, 30, 8, 30, 0x7F});
    setEntry(3, {1, 6, 0, 18, 0, 0x00});
    runCamera(t, dlg, [&](ui::DlgCAM& d) { return press(d, "OK"); });
    EXPECT_EQ(t.prompter.onlyMessage().text, "Please check Work Time Start and Stop point.");

    t.prompter.clear();
    setEntry(1, {1, 6, 0, 18, 0, 0x00});
    setEntry(3, {1, 8, 30, 8, 30, 0x7F});
    const ProfileRecord before = t.record;
    runCamera(t, dlg, [&](ui::DlgCAM& d) { return press(d, "OK"); });
    EXPECT_EQ(t.prompter.onlyMessage().text, "Please check Work Time Week CheckBox.");
    EXPECT_EQ(t.record, before);
}

TEST_F(WorkTimeDialogTest, OutOfRangeTimesShowNothingAndStore255) {
    setEntry(2, {0, 30, 75, 12, 0, 0x00});
    runCamera(t, dlg, [&](ui::DlgCAM& d) {
        EXPECT_EQ(L(2, "Start hour")->currentIndex(), -1);
        EXPECT_EQ(L(2, "Start minute")->currentIndex(), -1);
        EXPECT_EQ(L(2, "Stop hour")->currentText(), "12");
        return press(d, "OK");
    });
    EXPECT_EQ(entry(2), (std::vector<std::uint8_t>{0, 255, 255, 12, 0, 0}));
}

TEST_F(WorkTimeDialogTest, DefaultResetsEverySchedule) {
    setEntry(1, {1, 6, 0, 18, 30, 162});
    setEntry(4, {1, 1, 2, 3, 4, 0x01});
    runCamera(t, dlg, [&](ui::DlgCAM& d) {
        press(d, "Default");
        for (int n = 1; n <= 4; ++n) {
            EXPECT_EQ(L(n, "Switch")->currentText(), "Off");
            EXPECT_FALSE(L(n, "Stop hour")->isEnabled());
            EXPECT_EQ(L(n, "Start hour")->currentText(), "00");
            EXPECT_EQ(L(n, "Stop minute")->currentText(), "00");
            EXPECT_TRUE(allBox(n)->isChecked());
            for (const char* day : kDays)
                EXPECT_TRUE(box(n, day)->isChecked());
        }
        return press(d, "OK");
    });
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(entry(n), (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 127})) << n;
}

} // namespace

// The work-time schedules: the day-box rule, and the schedule groups in the camera settings dialog with the order of
// their messages and the entries they store (the confirm's check is the core's, tested there).
#include "support/DialogInput.h"
#include "ui/dialogs/DlgCAM.h"
#include "ui/dialogs/WorkTimeSchedule.h"

#include <QCheckBox>

using namespace halvorn;
using namespace halvorn::test;

namespace {

// A schedule: switch, start, stop, and the eight day flags as digits: the all-days box, then Sunday to Saturday.
ui::WorkTimeSchedule S(int on, int h1, int m1, int h2, int m2, const char* days) {
    ui::WorkTimeSchedule s{on, h1, m1, h2, m2, {}};
    for (std::size_t d = 0; d < 8; ++d)
        s.days[d] = days[d] - '0';
    return s;
}

// The day boxes follow the all-days box, and it follows them.
TEST(WorkTimeSchedule, DayBoxesFollowAllAndAllFollowsTheDays) {
    // The boxes before, the box clicked and its new state, the boxes after.
    const std::tuple<const char*, int, bool, const char*> clicks[] = {
        {"00100000", 0, true, "11111111"}, {"11111111", 0, false, "01111111"}, {"01111110", 7, true, "11111111"},
        {"00111111", 1, true, "11111111"}, {"11111111", 4, false, "01110111"}, {"00111110", 1, true, "01111110"},
        {"01111110", 1, false, "00111110"}};
    for (const auto& [before, box, checked, after] : clicks) {
        ui::WorkTimeSchedule s = S(1, 0, 0, 0, 0, before);
        ui::applyDayBox(s, box, checked);
        EXPECT_EQ(s, S(1, 0, 0, 0, 0, after)) << before << ' ' << box;
    }
}

struct WorkTimePanel : ::testing::Test {
    TestContext t;
    ui::DlgCAM dlg{t.ctx};

    QComboBox* W(int n, const QString& what) {
        return named<QComboBox>(&dlg, QString("Work Time %1 %2").arg(n).arg(what));
    }
    QCheckBox* box(int n, int d) {
        const QStringList days = {n % 2 ? "ALL" : "All", "Sunday",   "Monday", "Tuesday",
                                  "Wednesday",           "Thursday", "Friday", "Saturday"};
        return named<QCheckBox>(&dlg, QString("Work Time %1 %2").arg(n).arg(days[d]));
    }
    // Schedule n's boxes in flag order, then whether its times, labels and boxes are enabled (? mixed).
    QString state(int n) {
        QString v;
        for (int d = 0; d < 8; ++d)
            v += box(n, d)->isChecked() ? '1' : '0';
        const auto ws = W(n, "Switch")->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        const auto on = std::count_if(ws.begin(), ws.end(), [](QWidget* w) { return w->isEnabled(); });
        return v + (on == ws.size() ? " on/" : on == 2 ? " off/" : " ?/"); // the switch and its label always are
    }
    QString entries() const {
        QStringList v;
        for (const std::uint8_t b : t.record.area(rec::workTime, 24))
            v << QString::number(b);
        return v.join(',');
    }
};

TEST_F(WorkTimePanel, OkStopsAtTheFirstFailingScheduleAndStoresWhatTheSwitchesBoxesAndListsShow) {
    const std::uint8_t stored[] = {1, 8, 30, 8, 30, 127, 0, 30, 75, 12, 0, 0, 1, 6, 0, 18, 0, 0, 1, 7, 15, 19, 45, 127};
    std::ranges::copy(stored, t.record.area(rec::workTime, 24).begin());
    const ProfileRecord before = t.record;
    openAndRun(t.prompter, dlg, [&] {
        EXPECT_EQ(state(1) + state(2) + state(3) + state(4), "11111111 on/00000000 off/00000000 on/11111111 on/");
        toggleByAssistiveTool(box(4, 2)); // Monday, as a screen reader unticks it: "ALL" goes with it
        choose(named<QComboBox>(&dlg, "Camera Mode"), 1);
        press(&dlg, "OK");                       // schedule 1 starts and stops at 08:30
        box(1, 0)->click();                      // unticking ALL leaves the days
        W(1, "Start hour")->setCurrentIndex(22); // 22:30 to 06:30 passes
        W(1, "Stop hour")->setCurrentIndex(6);
        press(&dlg, "OK");                                                       // schedule 3 has no day
        EXPECT_EQ(diff(before, t.record), Offsets{});                            // refusals write nothing
        EXPECT_EQ(shown(&dlg, "Camera Mode|Work Time 2 Stop hour"), "Video|12"); // and keep the input
        for (const int d : {1, 3})                                               // Sunday and Tuesday
            box(3, d)->click();
        choose(W(2, "Switch"), 1);
        EXPECT_EQ(state(1) + state(2) + state(3) + state(4), "01111111 on/00000000 on/01010000 on/01011111 on/");
        choose(W(2, "Switch"), 0);
        EXPECT_EQ(state(2), "00000000 off/");
        press(&dlg, "OK");
    });
    QStringList shown;
    for (const Prompt& m : t.prompter.messages())
        shown << m.title + '|' + m.text + '|' + QString::number(int(m.icon == ui::MessageIcon::None));
    EXPECT_EQ(shown.join('/'), "Work Time Setting|Please check Work Time Start and Stop point.|1/"
                               "Work Time Setting|Please check Work Time Week CheckBox.|1");
    EXPECT_EQ(entries(), "1,22,30,6,30,255,0,255,255,12,0,0,1,6,0,18,0,208,1,7,15,19,45,223");
    EXPECT_EQ(t.record.u8(rec::cameraMode), 1);
    openAndRun(t.prompter, dlg, [&] { EXPECT_EQ(state(1), "11111111 on/"); }); // ALL is derived afresh
}

} // namespace

// The camera settings dialog with its scene customization dialog: opening, the enabling rules, the warning, the scene
// triple, "Default" and what "OK" writes.
#include "support/DialogInput.h"
#include "ui/dialogs/DlgCAM.h"

using namespace halvorn;
using namespace halvorn::test;

namespace {

const QStringList kLists = {"Camera Mode",  "Camera Scene",    "Video Size",   "Video Length",
                            "Trigger Mode", "PIR Sensitivity", "PIR Interval", "Time Lapse",
                            "Language",     "Overwrite",       "Beep",         "RF Switch",
                            "Photo Size",   "Flash Power",     "Photo Burst"};
const std::size_t kBytes[] = {rec::cameraMode,     rec::cameraScene, rec::videoSize, rec::videoLength, rec::triggerMode,
                              rec::pirSensitivity, rec::pirInterval, rec::timeLapse, rec::language,    rec::overwrite,
                              rec::beep,           rec::rfSwitch,    rec::photoSize, rec::flashPower,  rec::photoBurst};
const QString kCamera = kLists.mid(0, 12).join('|'), kTriple = kLists.mid(12).join('|');
const QString kDefaults = "Photo|Auto|720P|10 Sec|PIR Trigger|Auto|01 Min|04 Hour|Deustch|On|On|Off";

struct CameraDialog : ::testing::Test {
    TestContext t;
    ui::DlgCAM dlg{t.ctx};
    QWidget* scene = &dlg.sceneDialog();

    int open(const std::function<void()>& act) { return openAndRun(t.prompter, dlg, act); }
    QComboBox* L(const QString& name) { return named<QComboBox>(kLists.indexOf(name) < 12 ? &dlg : scene, name); }
};

TEST_F(CameraDialog, CameraModeAndTriggerRulesOnOpeningAndOnChoosing) {
    const QString mode = "Camera Mode|Camera Scene|Video Size|Video Length",
                  trigger = "Trigger Mode|PIR Sensitivity|PIR Interval|Time Lapse";
    const std::tuple<QString, int, QString> rules[] = {
        {mode, 0, "1100"},    {mode, 1, "1011"},    {mode, 2, "1000"},    {mode, 3, "1000"},    {mode, 255, "1000"},
        {trigger, 0, "1110"}, {trigger, 1, "1001"}, {trigger, 2, "1111"}, {trigger, 3, "1111"}, {trigger, 255, "1111"}};
    for (const auto& rule : rules)
        for (const bool chosen : {false, true}) {
            const QString lists = std::get<0>(rule), want = std::get<2>(rule), list = lists.section('|', 0, 0);
            const int value = std::get<1>(rule), stored = chosen ? (value + 1) % 3 : value;
            t.record.setU8(kBytes[kLists.indexOf(list)], static_cast<std::uint8_t>(stored));
            if (!chosen || value <= 2)
                open([&] { // on opening, and on choosing the value
                    if (chosen) choose(L(list), value);
                    EXPECT_EQ(usable(&dlg, lists), want) << list.toStdString() << value << chosen;
                });
        }
}

// The stored triple (size, flash, burst), whether "Default" comes first, what the scene dialog shows, the picks made
// there (-1 none), how both dialogs end, and the triple stored after.
struct Scene {
    std::array<int, 3> stored;
    bool reset;
    QString shown;
    std::array<int, 3> pick;
    QString sceneExit, cameraExit;
    std::array<int, 3> want;
};
struct SceneTriple : CameraDialog, ::testing::WithParamInterface<Scene> {};

TEST_P(SceneTriple, OpensOnlyOnChoosingCustomizeAndReachesTheRecordOnlyThroughBothOks) {
    const Scene& c = GetParam();
    t.record.setU8(rec::cameraScene, 7); // a stored "Customize" does not open the scene dialog
    for (std::size_t i = 0; i < 3; ++i)
        t.record.setU8(kBytes[12 + i], static_cast<std::uint8_t>(c.stored[i]));
    ProfileRecord want = t.record;
    open([&] {
        if (c.reset) press(&dlg, "Default");
        onNextDialog(t.prompter, [&] {
            EXPECT_EQ(scene->windowTitle() + '|' + shown(scene, kTriple), "Camera Scene Customer Setting|" + c.shown);
            for (int i = 0; i < 3; ++i)
                if (c.pick[i] >= 0) choose(L(kTriple.section('|', i, i)), c.pick[i]);
            c.sceneExit == "Escape" ? QTest::keyClick(scene, Qt::Key_Escape) : press(scene, c.sceneExit);
        });
        for (const int s : {0, 7, 1}) // the triple is stored whatever the scene
            choose(L("Camera Scene"), s);
        press(&dlg, c.cameraExit);
    });
    EXPECT_EQ(t.prompter.prompts.size(), 2u + c.reset); // the camera dialog, the question, the scene dialog
    if (c.cameraExit == "OK") {
        want = t.record;
        for (std::size_t i = 0; i < 3; ++i)
            want.setU8(kBytes[12 + i], static_cast<std::uint8_t>(c.want[i]));
    }
    EXPECT_EQ(diff(want, t.record), Offsets{});
    EXPECT_EQ(t.record.u8(rec::cameraScene), c.cameraExit == "OK" ? 1 : 7);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SceneTriple,
    ::testing::Values(Scene{{3, 0, 5}, false, "10MP|Low|6 Photos", {4, 2, 9}, "OK", "OK", {4, 2, 9}},
                      Scene{{3, 0, 5}, false, "10MP|Low|6 Photos", {0, 1, 4}, "Cancel", "OK", {3, 0, 5}},
                      Scene{{3, 0, 5}, false, "10MP|Low|6 Photos", {2, -1, -1}, "Escape", "OK", {3, 0, 5}},
                      Scene{{1, 2, 0}, false, "3MP|High|1 Photo", {2, 1, 3}, "OK", "Cancel", {}},
                      Scene{{5, 3, 10}, false, "||", {-1, 1, -1}, "OK", "OK", {255, 1, 255}},
                      Scene{{4, 0, 6}, true, "3MP|High|1 Photo", {-1, -1, -1}, "Cancel", "OK", {1, 2, 0}}));

// Every byte outside the camera block marked; what "OK" writes on the defaults (the schedules' days stored again
// with bit 7 clear).
struct CameraOk : CameraDialog {
    ProfileRecord defaults, want;
    void SetUp() override {
        for (std::size_t i = 0; i < kRecordSize; ++i)
            if (i < rec::cameraMode || i > rec::beep) t.record.setU8(i, static_cast<std::uint8_t>(0xA5 ^ i));
        defaults = t.record;
        for (std::size_t n = 0; n < rec::workTimeCount; ++n)
            defaults.setU8(rec::workTimeAt(n) + rec::wt::weekMask, 127);
    }
};

TEST_F(CameraOk, WritesEachListIntoItsByteDisabledOrNotAndPassesTheRfSwitchThrough) {
    want = defaults;
    for (ProfileRecord* r : {&t.record, &want}) // schedule 3 switched on keeps bit 7
        r->setU8(rec::rfSwitch, 2), r->setU8(rec::workTimeAt(2), 1), r->setU8(rec::pirInterval, 255);
    want.setU8(rec::workTimeAt(2) + rec::wt::weekMask, 255);
    t.record.setU8(rec::pirInterval, 28); // outside its list: shown as no choice, stored as 255
    const std::pair<QString, int> script[] = {{"Camera Scene", 6}, {"Camera Mode", 1},     {"Video Size", 0},
                                              {"Video Length", 0}, {"Camera Mode", 2},     {"Trigger Mode", 2},
                                              {"Time Lapse", 37},  {"PIR Sensitivity", 2}, {"Trigger Mode", 1},
                                              {"Language", 0},     {"Overwrite", 0},       {"Beep", 0}};
    open([&] {
        EXPECT_EQ(L("RF Switch")->currentText(), "On");
        EXPECT_TRUE(L("RF Switch")->isHidden() && labelOf(L("RF Switch"))->isHidden());
        for (const auto& [name, index] : script) {
            choose(L(name), index);
            want.setU8(kBytes[kLists.indexOf(name)], static_cast<std::uint8_t>(index));
        }
        press(&dlg, "OK");
    });
    EXPECT_EQ(diff(want, t.record), Offsets{});
}

TEST_F(CameraDialog, VideosLongerThan20SecondsWarn) {
    open([&] {
        for (const int length : {3, 4, 11, 0}) // 20, 25, 60 and 10 seconds
            choose(L("Video Length"), length);
    });
    const QString warning = "Video Length Setting|For saving flash power at night,it's suggested to set video length "
                            "within 20s.";
    QStringList shown;
    for (const Prompt& m : t.prompter.messages())
        shown << m.title + '|' + m.text + '|' + QString::number(int(m.icon));
    EXPECT_EQ(shown, QStringList({warning + "|2", warning + "|2"}));
}

TEST_F(CameraOk, DefaultAsksThenResetsTheFormWhichOkWrites) {
    t.record.setU8(rec::beep, 0);
    const ProfileRecord before = t.record;
    t.prompter.answers = {false, true, true};
    open([&] {
        press(&dlg, "Default"); // answered No
        EXPECT_EQ(shown(&dlg, "Beep"), "Off");
        press(&dlg, "Default");
        EXPECT_EQ(shown(&dlg, kCamera) + usable(&dlg, kCamera), kDefaults + "110011101111");
        QTest::keyClick(&dlg, Qt::Key_Escape);
    });
    EXPECT_EQ(diff(before, t.record), Offsets{});
    EXPECT_EQ(t.prompter.prompts[1].title + '|' + t.prompter.prompts[1].text,
              "Camera Default Setting|You'll restore the default camera setting,\nAre you sure?");
    EXPECT_EQ(t.prompter.prompts[1].buttons, ui::Language::English); // "Yes" and "No"
    open([&] {
        EXPECT_EQ(shown(&dlg, "Beep"), "Off"); // nothing of the cancelled reset stays
        press(&dlg, "Default");
        press(&dlg, "OK");
    });
    EXPECT_EQ(diff(defaults, t.record), Offsets{});
}

} // namespace

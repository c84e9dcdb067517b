// The camera settings dialog: opening, the enable rules, the warning, the
// scene customization, the reset, and what "OK" writes into the record.
#include "CameraTestHelpers.h"

#include "profile/ProfileDefaults.h"
#include "ui/dialogs/WorkTimePanel.h"

#include <QGroupBox>
#include <QPushButton>

using namespace halvorn;
using namespace halvorn::test;
using ui::DlgCAM;

namespace {

const QString kCustomizeTitle = QStringLiteral("Camera Scene Customer Setting");

struct CameraDialogTest : ::testing::Test {
    TestContext t;
    DlgCAM dlg{t.ctx};

    QComboBox* L(const char* name) { return list(&dlg, QString::fromLatin1(name)); }
    bool labelledEnabled(const char* name) {
        QComboBox* c = L(name);
        QLabel* l = labelOf(&dlg, c);
        EXPECT_EQ(c->isEnabled(), l->isEnabled()) << name;
        return c->isEnabled();
    }
    std::vector<Prompt> sceneDialogs() const {
        std::vector<Prompt> out;
        for (const Prompt& p : promptsOf(t, Prompt::Kind::Dialog))
            if (p.title == kCustomizeTitle) out.push_back(p);
        return out;
    }
};

TEST_F(CameraDialogTest, OpensOnTheProfileDefaults) {
    runCamera(t, dlg, [&](DlgCAM& d) {
        EXPECT_EQ(d.windowTitle(), "Camera Parameter Setting");
        const std::pair<const char*, const char*> shown[] = {
            {"Camera Mode", "Photo"},
            {"Camera Scene", "Auto"},
            {"Video Size", "720P"},
            {"Video Length", "10 Sec"},
            {"Trigger Mode", "PIR Trigger"},
            {"PIR Sensitivity", "Auto"},
            {"PIR Interval", "01 Min"},
            {"Time Lapse", "04 Hour"},
            {"Language", "Deustch"},
            {"Overwrite", "On"},
            {"Beep", "On"},
            {"RF Switch", "Off"},
        };
        for (const auto& [name, text] : shown)
            EXPECT_EQ(L(name)->currentText(), text) << name;

        EXPECT_TRUE(labelledEnabled("Camera Mode"));
        EXPECT_TRUE(labelledEnabled("Camera Scene"));
        EXPECT_FALSE(labelledEnabled("Video Size"));
        EXPECT_FALSE(labelledEnabled("Video Length"));
        EXPECT_TRUE(labelledEnabled("Trigger Mode"));
        EXPECT_TRUE(labelledEnabled("PIR Sensitivity"));
        EXPECT_TRUE(labelledEnabled("PIR Interval"));
        EXPECT_FALSE(labelledEnabled("Time Lapse"));
        for (const char* name : {"Language", "Overwrite", "Beep"})
            EXPECT_TRUE(labelledEnabled(name));

        // The RF switch is there but never shown.
        EXPECT_TRUE(L("RF Switch")->isHidden());
        EXPECT_TRUE(labelOf(&d, L("RF Switch"))->isHidden());

        const ui::CameraValues& v = d.values();
        EXPECT_EQ(v.scene, (ui::SceneTriple{1, 2, 0}));
        return QDialog::Rejected;
    });
    EXPECT_TRUE(t.prompter.messages().empty());
    EXPECT_TRUE(sceneDialogs().empty());
}

TEST_F(CameraDialogTest, LayoutHasTheHeadingGroupsAndButtonsWithoutADefault) {
    QStringList groups;
    for (QGroupBox* g : dlg.findChildren<QGroupBox*>())
        if (!g->title().isEmpty()) groups << g->title();
    for (const char* title : {"CAM", "PIR", "SYS", "Work Time 1", "Work Time 2", "Work Time 3", "Work Time 4"})
        EXPECT_TRUE(groups.contains(QString::fromLatin1(title))) << title;
    bool heading = false;
    for (QLabel* l : dlg.findChildren<QLabel*>())
        heading = heading || l->text() == " Camera Setting";
    EXPECT_TRUE(heading);

    const QList<QPushButton*> buttons = dlg.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
    QStringList texts;
    for (QPushButton* b : buttons) {
        texts << b->text();
        EXPECT_FALSE(b->isDefault()) << b->text().toStdString();
        EXPECT_FALSE(b->autoDefault()) << b->text().toStdString();
    }
    ASSERT_EQ(texts, (QStringList{"OK", "Default", "Cancel"}));
    EXPECT_LT(buttons[0]->x(), buttons[1]->x());
    EXPECT_LT(buttons[1]->x(), buttons[2]->x());
}

TEST_F(CameraDialogTest, EveryListIsNamedAndDescribed) {
    for (const char* name :
         {"Camera Mode", "Camera Scene", "Video Size", "Video Length", "Trigger Mode", "PIR Sensitivity",
          "PIR Interval", "Time Lapse", "Language", "Overwrite", "Beep", "RF Switch"}) {
        QComboBox* c = L(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(c->accessibleDescription(), name);
        EXPECT_EQ(labelOf(&dlg, c)->text(), name);
    }
}

TEST_F(CameraDialogTest, ListItemsInStoredOrder) {
    runCamera(t, dlg, [&](DlgCAM&) {
        EXPECT_EQ(itemsOf(L("Camera Mode")), (QStringList{"Photo", "Video", "Picture+Video"}));
        EXPECT_EQ(itemsOf(L("Camera Scene")),
                  (QStringList{"Auto", "Close Object", "Moving Object", "Still Object", "2 Bursts(N+M)", "3 Bursts(N)",
                               "Chasing Photo", "Customize"}));
        EXPECT_EQ(itemsOf(L("Video Size")), (QStringList{"1080P", "720P", "WVGA"}));
        EXPECT_EQ(itemsOf(L("Trigger Mode")), (QStringList{"PIR Trigger", "Time Lapse", "Both"}));
        EXPECT_EQ(itemsOf(L("PIR Sensitivity")), (QStringList{"Low", "Auto", "High"}));
        EXPECT_EQ(itemsOf(L("Language")), (QStringList{"English", "Deustch"}));
        EXPECT_EQ(itemsOf(L("Overwrite")), (QStringList{"Off", "On"}));
        EXPECT_EQ(itemsOf(L("Beep")), (QStringList{"Off", "On"}));
        EXPECT_EQ(itemsOf(L("RF Switch")), (QStringList{"Off", "Trigger", "On"}));
        return QDialog::Rejected;
    });
}

TEST_F(CameraDialogTest, TimeListsAtTheirBoundaries) {
    runCamera(t, dlg, [&](DlgCAM&) {
        QComboBox* video = L("Video Length");
        EXPECT_EQ(video->count(), 12);
        const std::pair<int, const char*> videoItems[] = {
            {0, "05 Sec"}, {1, "10 Sec"}, {3, "20 Sec"}, {4, "25 Sec"}, {11, "60 Sec"}};
        for (const auto& [i, text] : videoItems)
            EXPECT_EQ(video->itemText(i), text) << i;

        QComboBox* pir = L("PIR Interval");
        EXPECT_EQ(pir->count(), 28);
        const std::pair<int, const char*> pirItems[] = {{0, "00 Sec"},  {1, "05 Sec"},  {11, "55 Sec"}, {12, "01 Min"},
                                                        {16, "05 Min"}, {17, "10 Min"}, {26, "55 Min"}, {27, "60 Min"}};
        for (const auto& [i, text] : pirItems)
            EXPECT_EQ(pir->itemText(i), text) << i;

        QComboBox* lapse = L("Time Lapse");
        EXPECT_EQ(lapse->count(), 38);
        const std::pair<int, const char*> lapseItems[] = {
            {0, "05 Sec"},   {10, "55 Sec"},  {11, "01 Min"},  {15, "05 Min"},  {16, "10 Min"},  {25, "55 Min"},
            {26, "01 Hour"}, {29, "04 Hour"}, {33, "08 Hour"}, {34, "12 Hour"}, {35, "16 Hour"}, {37, "24 Hour"}};
        for (const auto& [i, text] : lapseItems)
            EXPECT_EQ(lapse->itemText(i), text) << i;
        return QDialog::Rejected;
    });
    // Reopening builds the lists afresh instead of appending to them.
    runCamera(t, dlg, [&](DlgCAM&) {
        EXPECT_EQ(L("Video Length")->count(), 12);
        EXPECT_EQ(L("PIR Interval")->count(), 28);
        EXPECT_EQ(L("Time Lapse")->count(), 38);
        return QDialog::Rejected;
    });
}

// Camera mode as stored: which of scene and video settings are offered.
struct ModeCase {
    std::uint8_t mode;
    bool scene;
    bool video;
};
class CameraModeRule : public CameraDialogTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(CameraModeRule, OnOpening) {
    const ModeCase c = GetParam();
    t.record.setU8(rec::cameraMode, c.mode);
    runCamera(t, dlg, [&](DlgCAM&) {
        EXPECT_TRUE(labelledEnabled("Camera Mode"));
        EXPECT_EQ(labelledEnabled("Camera Scene"), c.scene);
        EXPECT_EQ(labelledEnabled("Video Size"), c.video);
        EXPECT_EQ(labelledEnabled("Video Length"), c.video);
        EXPECT_EQ(L("Camera Mode")->currentIndex(), c.mode < 3 ? c.mode : -1);
        return QDialog::Rejected;
    });
}
INSTANTIATE_TEST_SUITE_P(Modes, CameraModeRule,
                         ::testing::Values(ModeCase{0, true, false}, ModeCase{1, false, true},
                                           ModeCase{2, false, false}, ModeCase{3, false, false},
                                           ModeCase{255, false, false}));

TEST_F(CameraDialogTest, CameraModeRuleFollowsTheUsersChoice) {
    runCamera(t, dlg, [&](DlgCAM&) {
        choose(L("Camera Mode"), 2);
        EXPECT_FALSE(labelledEnabled("Camera Scene"));
        EXPECT_FALSE(labelledEnabled("Video Size"));
        EXPECT_FALSE(labelledEnabled("Video Length"));
        choose(L("Camera Mode"), 1);
        EXPECT_FALSE(labelledEnabled("Camera Scene"));
        EXPECT_TRUE(labelledEnabled("Video Size"));
        EXPECT_TRUE(labelledEnabled("Video Length"));
        choose(L("Camera Mode"), 0);
        EXPECT_TRUE(labelledEnabled("Camera Scene"));
        EXPECT_FALSE(labelledEnabled("Video Size"));
        EXPECT_TRUE(labelledEnabled("Camera Mode"));
        // Disabled lists keep their values.
        EXPECT_EQ(L("Video Size")->currentText(), "720P");
        return QDialog::Rejected;
    });
}

struct TriggerCase {
    std::uint8_t mode;
    bool sensor;
    bool lapse;
};
class TriggerRule : public CameraDialogTest, public ::testing::WithParamInterface<TriggerCase> {};

TEST_P(TriggerRule, OnOpening) {
    const TriggerCase c = GetParam();
    t.record.setU8(rec::triggerMode, c.mode);
    runCamera(t, dlg, [&](DlgCAM&) {
        EXPECT_TRUE(labelledEnabled("Trigger Mode"));
        EXPECT_EQ(labelledEnabled("PIR Sensitivity"), c.sensor);
        EXPECT_EQ(labelledEnabled("PIR Interval"), c.sensor);
        EXPECT_EQ(labelledEnabled("Time Lapse"), c.lapse);
        return QDialog::Rejected;
    });
}
INSTANTIATE_TEST_SUITE_P(Modes, TriggerRule,
                         ::testing::Values(TriggerCase{0, true, false}, TriggerCase{1, false, true},
                                           TriggerCase{2, true, true}, TriggerCase{3, true, true},
                                           TriggerCase{255, true, true}));

TEST_F(CameraDialogTest, TriggerRuleFollowsTheUsersChoice) {
    runCamera(t, dlg, [&](DlgCAM&) {
        choose(L("Trigger Mode"), 1);
        EXPECT_FALSE(labelledEnabled("PIR Sensitivity"));
        EXPECT_FALSE(labelledEnabled("PIR Interval"));
        EXPECT_TRUE(labelledEnabled("Time Lapse"));
        choose(L("Trigger Mode"), 2);
        EXPECT_TRUE(labelledEnabled("PIR Sensitivity"));
        EXPECT_TRUE(labelledEnabled("PIR Interval"));
        EXPECT_TRUE(labelledEnabled("Time Lapse"));
        choose(L("Trigger Mode"), 0);
        EXPECT_TRUE(labelledEnabled("PIR Interval"));
        EXPECT_FALSE(labelledEnabled("Time Lapse"));
        return QDialog::Rejected;
    });
}

TEST_F(CameraDialogTest, LongVideoWarnsOnEveryChoiceFromTwentyFiveSeconds) {
    runCamera(t, dlg, [&](DlgCAM&) {
        choose(L("Camera Mode"), 1);
        QComboBox* video = L("Video Length");
        choose(video, 3); // 20 Sec
        EXPECT_TRUE(t.prompter.messages().empty());
        choose(video, 4); // 25 Sec
        const Prompt warning = t.prompter.onlyMessage();
        EXPECT_EQ(warning.title, "Video Length Setting");
        EXPECT_EQ(warning.text, "For saving flash power at night,it's suggested to set video length within 20s.");
        EXPECT_EQ(warning.icon, ui::MessageIcon::Warning);
        EXPECT_EQ(video->currentText(), "25 Sec");
        choose(video, 11); // 60 Sec, straight after another long one
        EXPECT_EQ(t.prompter.messages().size(), 2u);
        choose(video, 0);
        EXPECT_EQ(t.prompter.messages().size(), 2u);
        EXPECT_EQ(press(dlg, "OK"), QDialog::Accepted);
        return dlg.result();
    });
    EXPECT_EQ(t.record.u8(rec::videoLength), 0);
    EXPECT_EQ(t.record.u8(rec::cameraMode), 1);
}

TEST_F(CameraDialogTest, NoWarningWhenALongVideoLengthIsLoaded) {
    t.record.setU8(rec::cameraMode, 1);
    t.record.setU8(rec::videoLength, 11);
    runCamera(t, dlg, [&](DlgCAM&) {
        EXPECT_EQ(L("Video Length")->currentText(), "60 Sec");
        return QDialog::Rejected;
    });
    EXPECT_TRUE(t.prompter.messages().empty());
}

TEST_F(CameraDialogTest, CustomizeOpensTheSceneDialogOnlyWhenTheUserChoosesIt) {
    t.record.setU8(rec::cameraScene, 7);
    runCamera(t, dlg, [&](DlgCAM&) {
        EXPECT_EQ(L("Camera Scene")->currentText(), "Customize");
        EXPECT_TRUE(sceneDialogs().empty());
        choose(L("Camera Scene"), 6);
        EXPECT_TRUE(sceneDialogs().empty());
        choose(L("Camera Scene"), 0);
        EXPECT_TRUE(sceneDialogs().empty());
        choose(L("Camera Scene"), 7);
        EXPECT_EQ(sceneDialogs().size(), 1u);
        return QDialog::Rejected;
    });
    EXPECT_TRUE(sceneDialogs().size() == 1u);
    EXPECT_EQ(t.prompter.prompts.back().title, kCustomizeTitle);
}

TEST_F(CameraDialogTest, SceneDialogOpensOnTheTripleFromTheRecord) {
    t.record.setU8(rec::photoSize, 3);
    t.record.setU8(rec::photoBurst, 5);
    t.record.setU8(rec::flashPower, 0);
    runCamera(t, dlg, [&](DlgCAM&) {
        onSceneDialog(t, [](QDialog& s) {
            EXPECT_EQ(list(&s, "Photo Size")->currentText(), "10MP");
            EXPECT_EQ(list(&s, "Flash Power")->currentText(), "Low");
            EXPECT_EQ(list(&s, "Photo Burst")->currentText(), "6 Photos");
            return press(s, "Cancel");
        });
        choose(L("Camera Scene"), 7);
        return QDialog::Rejected;
    });
    EXPECT_TRUE(t.prompter.dialogs.empty());
}

TEST_F(CameraDialogTest, TripleIsWrittenWhateverTheScene) {
    runCamera(t, dlg, [&](DlgCAM&) {
        onSceneDialog(t, [](QDialog& s) {
            list(&s, "Photo Size")->setCurrentIndex(4);  // 12MP
            list(&s, "Flash Power")->setCurrentIndex(0); // Low
            list(&s, "Photo Burst")->setCurrentIndex(9); // 10 Photos
            return press(s, "OK");
        });
        choose(L("Camera Scene"), 7);
        choose(L("Camera Scene"), 1); // then another scene
        EXPECT_EQ(dlg.values().scene, (ui::SceneTriple{4, 0, 9}));
        return press(dlg, "OK");
    });
    EXPECT_EQ(t.record.u8(rec::cameraScene), 1);
    EXPECT_EQ(t.record.u8(rec::photoSize), 4);
    EXPECT_EQ(t.record.u8(rec::photoBurst), 9);
    EXPECT_EQ(t.record.u8(rec::flashPower), 0);
}

TEST_F(CameraDialogTest, SceneDialogOkThenCameraCancelLeavesTheRecord) {
    const ProfileRecord before = t.record;
    runCamera(t, dlg, [&](DlgCAM&) {
        onSceneDialog(t, [](QDialog& s) {
            list(&s, "Photo Size")->setCurrentIndex(2);
            list(&s, "Photo Burst")->setCurrentIndex(3);
            return press(s, "OK");
        });
        choose(L("Camera Scene"), 7);
        return press(dlg, "Cancel");
    });
    EXPECT_EQ(t.record, before);
}

TEST_F(CameraDialogTest, SceneDialogCancelThenCameraOkKeepsTheTriple) {
    runCamera(t, dlg, [&](DlgCAM&) {
        onSceneDialog(t, [](QDialog& s) {
            list(&s, "Photo Size")->setCurrentIndex(2);
            list(&s, "Flash Power")->setCurrentIndex(1);
            list(&s, "Photo Burst")->setCurrentIndex(3);
            return press(s, "Cancel");
        });
        choose(L("Camera Scene"), 7);
        return press(dlg, "OK");
    });
    EXPECT_EQ(t.record.u8(rec::cameraScene), 7);
    EXPECT_EQ(t.record.u8(rec::photoSize), 1);
    EXPECT_EQ(t.record.u8(rec::photoBurst), 0);
    EXPECT_EQ(t.record.u8(rec::flashPower), 2);
}

TEST_F(CameraDialogTest, TenPhotosIsStoredAsNine) {
    runCamera(t, dlg, [&](DlgCAM&) {
        onSceneDialog(t, [](QDialog& s) {
            QComboBox* burst = list(&s, "Photo Burst");
            choose(burst, 9);
            EXPECT_EQ(burst->currentText(), "10 Photos");
            return press(s, "OK");
        });
        choose(L("Camera Scene"), 7);
        return press(dlg, "OK");
    });
    EXPECT_EQ(t.record.u8(rec::photoBurst), 9);
}

// A record away from the defaults in every byte the dialog edits.
void scramble(ProfileRecord& r) {
    const std::uint8_t camera[] = {2, 5, 3, 7, 0, 2, 9, 1, 2, 20, 35};
    for (std::size_t i = 0; i < std::size(camera); ++i)
        r.setU8(rec::cameraMode + i, camera[i]);
    const std::uint8_t schedule[] = {1, 6, 0, 18, 30, 162};
    for (std::size_t i = 0; i < std::size(schedule); ++i)
        r.setU8(rec::workTimeAt(2) + i, schedule[i]);
    r.setU8(rec::language, 0);
    r.setU8(rec::rfSwitch, 1);
    r.setU8(rec::overwrite, 0);
    r.setU8(rec::beep, 0);
}

TEST_F(CameraDialogTest, DefaultAsksThenResetsTheFormOnly) {
    scramble(t.record);
    const ProfileRecord before = t.record;
    runCamera(t, dlg, [&](DlgCAM& d) {
        press(d, "Default");
        const auto questions = promptsOf(t, Prompt::Kind::Question);
        EXPECT_EQ(questions.size(), 1u);
        if (!questions.empty()) {
            EXPECT_EQ(questions[0].title, "Camera Default Setting");
            EXPECT_EQ(questions[0].text, "You'll restore the default camera setting,\nAre you sure?");
        }
        EXPECT_EQ(L("Camera Mode")->currentText(), "Photo");
        EXPECT_EQ(L("Camera Scene")->currentText(), "Auto");
        EXPECT_TRUE(labelledEnabled("Camera Scene"));
        EXPECT_FALSE(labelledEnabled("Video Size"));
        EXPECT_EQ(L("Video Length")->currentText(), "10 Sec");
        EXPECT_EQ(L("Trigger Mode")->currentText(), "PIR Trigger");
        EXPECT_FALSE(labelledEnabled("Time Lapse"));
        EXPECT_EQ(L("PIR Interval")->currentText(), "01 Min");
        EXPECT_EQ(L("Time Lapse")->currentText(), "04 Hour");
        EXPECT_EQ(L("Language")->currentText(), "Deustch");
        EXPECT_EQ(L("RF Switch")->currentText(), "Off");
        EXPECT_EQ(d.values().scene, (ui::SceneTriple{1, 2, 0}));
        EXPECT_EQ(list(&d, "Work Time 3 Switch")->currentText(), "Off");
        EXPECT_EQ(t.record, before);
        return press(d, "Cancel");
    });
    EXPECT_EQ(t.record, before);
}

TEST_F(CameraDialogTest, DefaultAnsweredNoChangesNothing) {
    scramble(t.record);
    t.prompter.answers.push_back(false);
    runCamera(t, dlg, [&](DlgCAM& d) {
        const ui::CameraValues shown = d.values();
        press(d, "Default");
        EXPECT_EQ(L("Camera Mode")->currentText(), "Picture+Video");
        EXPECT_EQ(L("Language")->currentText(), "English");
        EXPECT_EQ(d.values().scene, shown.scene);
        return press(d, "OK");
    });
    EXPECT_EQ(t.record.u8(rec::cameraMode), 2);
    EXPECT_EQ(t.record.u8(rec::photoSize), 3);
}

TEST_F(CameraDialogTest, DefaultThenOkStoresTheProfileDefaults) {
    ProfileRecord expected = t.record;
    scramble(t.record);
    runCamera(t, dlg, [&](DlgCAM& d) {
        press(d, "Default");
        return press(d, "OK");
    });
    // The defaults' schedules are stored with mask 127: bit 7 follows the switch.
    for (std::size_t n = 0; n < rec::workTimeCount; ++n)
        expected.setU8(rec::workTimeAt(n) + rec::wt::weekMask, 127);
    EXPECT_EQ(t.record, expected);
}

TEST_F(CameraDialogTest, EscapeAndCancelWriteNothing) {
    scramble(t.record);
    const ProfileRecord before = t.record;
    const int escaped = runCamera(t, dlg, [&](DlgCAM& d) {
        choose(L("Language"), 1);
        choose(L("Camera Mode"), 0);
        QTest::keyClick(&d, Qt::Key_Escape);
        return d.result();
    });
    EXPECT_EQ(escaped, QDialog::Rejected);
    EXPECT_EQ(t.record, before);
}

TEST_F(CameraDialogTest, HiddenRfSwitchSurvivesAndOnlyDefaultClearsIt) {
    t.record.setU8(rec::rfSwitch, 2);
    for (int i = 0; i < 3; ++i) {
        runCamera(t, dlg, [&](DlgCAM& d) {
            EXPECT_EQ(L("RF Switch")->currentText(), "On");
            return press(d, "OK");
        });
        EXPECT_EQ(t.record.u8(rec::rfSwitch), 2);
    }
    runCamera(t, dlg, [&](DlgCAM& d) {
        press(d, "Default");
        return press(d, "OK");
    });
    EXPECT_EQ(t.record.u8(rec::rfSwitch), 0);
}

TEST_F(CameraDialogTest, HiddenRfSwitchKeepsEvenAValueOutsideItsList) {
    t.record.setU8(rec::rfSwitch, 7);
    runCamera(t, dlg, [&](DlgCAM& d) {
        EXPECT_EQ(L("RF Switch")->currentIndex(), -1);
        return press(d, "OK");
    });
    EXPECT_EQ(t.record.u8(rec::rfSwitch), 7);
}

TEST_F(CameraDialogTest, OutOfRangeByteShowsNoSelectionAndStores255) {
    t.record.setU8(rec::videoLength, 40);
    t.record.setU8(rec::cameraMode, 1);
    ProfileRecord expected = t.record;
    runCamera(t, dlg, [&](DlgCAM& d) {
        EXPECT_EQ(L("Video Length")->currentIndex(), -1);
        EXPECT_TRUE(L("Video Length")->currentText().isEmpty());
        return press(d, "OK");
    });
    expected.setU8(rec::videoLength, 255);
    for (std::size_t n = 0; n < rec::workTimeCount; ++n)
        expected.setU8(rec::workTimeAt(n) + rec::wt::weekMask, 127);
    EXPECT_EQ(t.record, expected);
}

TEST_F(CameraDialogTest, OkWritesExactlyTheCameraBlock) {
    // Mark every byte outside the camera block so any stray write shows.
    for (std::size_t i = 0; i < kRecordSize; ++i)
        if (i < rec::cameraMode || i > rec::beep) t.record.setU8(i, static_cast<std::uint8_t>(0xA5 ^ i));
    ProfileRecord expected = t.record;
    runCamera(t, dlg, [&](DlgCAM& d) {
        choose(L("Camera Mode"), 1);
        choose(L("Video Size"), 0);
        choose(L("Video Length"), 2);
        choose(L("Trigger Mode"), 2);
        choose(L("PIR Sensitivity"), 2);
        choose(L("PIR Interval"), 27);
        choose(L("Time Lapse"), 37);
        choose(L("Language"), 0);
        choose(L("Overwrite"), 0);
        choose(L("Beep"), 0);
        return press(d, "OK");
    });
    const std::uint8_t camera[] = {1, 0, 1, 0, 2, 0, 2, 2, 2, 27, 37};
    for (std::size_t i = 0; i < std::size(camera); ++i)
        expected.setU8(rec::cameraMode + i, camera[i]);
    for (std::size_t n = 0; n < rec::workTimeCount; ++n)
        expected.setU8(rec::workTimeAt(n) + rec::wt::weekMask, 127);
    expected.setU8(rec::language, 0);
    expected.setU8(rec::rfSwitch, 0);
    expected.setU8(rec::overwrite, 0);
    expected.setU8(rec::beep, 0);
    EXPECT_EQ(t.record, expected);
    EXPECT_TRUE(t.prompter.messages().empty());
}

TEST_F(CameraDialogTest, RefusedOkWritesNothingAndCancelKeepsTheRecord) {
    const ProfileRecord before = t.record;
    runCamera(t, dlg, [&](DlgCAM& d) {
        choose(L("Camera Mode"), 1);
        choose(L("Language"), 0);
        choose(list(&d, "Work Time 1 Switch"), 1);
        list(&d, "Work Time 1 Start hour")->setCurrentIndex(8);
        list(&d, "Work Time 1 Start minute")->setCurrentIndex(30);
        list(&d, "Work Time 1 Stop hour")->setCurrentIndex(8);
        list(&d, "Work Time 1 Stop minute")->setCurrentIndex(30);
        EXPECT_EQ(press(d, "OK"), QDialog::Rejected);
        const Prompt m = t.prompter.onlyMessage();
        EXPECT_EQ(m.title, "Work Time Setting");
        EXPECT_EQ(m.text, "Please check Work Time Start and Stop point.");
        EXPECT_EQ(m.icon, ui::MessageIcon::None);
        EXPECT_EQ(t.record, before);
        // The input stays as typed.
        EXPECT_EQ(L("Camera Mode")->currentText(), "Video");
        EXPECT_EQ(list(&d, "Work Time 1 Stop minute")->currentText(), "30");
        return press(d, "Cancel");
    });
    EXPECT_EQ(t.record, before);
}

TEST_F(CameraDialogTest, CorrectedScheduleIsThenAccepted) {
    runCamera(t, dlg, [&](DlgCAM& d) {
        choose(list(&d, "Work Time 1 Switch"), 1);
        list(&d, "Work Time 1 Start hour")->setCurrentIndex(8);
        list(&d, "Work Time 1 Stop hour")->setCurrentIndex(8);
        EXPECT_EQ(press(d, "OK"), QDialog::Rejected);
        list(&d, "Work Time 1 Stop hour")->setCurrentIndex(17);
        return press(d, "OK");
    });
    EXPECT_EQ(t.prompter.messages().size(), 1u);
    EXPECT_EQ(t.record.u8(rec::workTimeAt(0) + rec::wt::switchOn), 1);
    EXPECT_EQ(t.record.u8(rec::workTimeAt(0) + rec::wt::stopHour), 17);
    EXPECT_EQ(t.record.u8(rec::workTimeAt(0) + rec::wt::weekMask), 255);
}

TEST_F(CameraDialogTest, EachOpeningReadsTheRecordAfresh) {
    runCamera(t, dlg, [&](DlgCAM& d) {
        choose(L("Beep"), 0);
        onSceneDialog(t, [](QDialog& s) {
            list(&s, "Photo Size")->setCurrentIndex(0);
            return press(s, "OK");
        });
        choose(L("Camera Scene"), 7);
        return press(d, "Cancel");
    });
    t.record.setU8(rec::overwrite, 0);
    runCamera(t, dlg, [&](DlgCAM& d) {
        EXPECT_EQ(L("Beep")->currentText(), "On");
        EXPECT_EQ(L("Overwrite")->currentText(), "Off");
        EXPECT_EQ(d.values().scene.photoSize, 1);
        return QDialog::Rejected;
    });
}

} // namespace

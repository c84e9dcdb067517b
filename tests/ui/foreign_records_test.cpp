// Every window on records it did not write: a few hundred records of random
// bytes (fixed seed) with a valid version mark, as a foreign or damaged
// backup would give them. Nothing may crash or read outside a table (the
// sanitizer build runs this too), a list whose stored position lies outside
// it shows no selection, and each dialog's "OK" writes only its own bytes.

#include "support/TestContext.h"
#include "ui/dialogs/DlgCAM.h"
#include "ui/dialogs/DlgCamPro.h"
#include "ui/dialogs/DlgEmailSetting.h"
#include "ui/dialogs/DlgOperator.h"
#include "ui/main/DlgGSM.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace halvorn::test {
namespace {

constexpr int kRecords = 300;

struct ByteRange {
    std::size_t first;
    std::size_t last; // inclusive
};

class ForeignRecordsTest : public ::testing::Test {
protected:
    // The next random record, as start-up leaves it: a valid mark, the layout variant written.
    ProfileRecord nextRecord() {
        ProfileRecord r;
        for (auto& b : r.bytes())
            b = static_cast<std::uint8_t>(byte(random));
        r.setU8(rec::versionMark, 'V');
        r.setU8(rec::versionMark + 1, 0);
        r.setU8(rec::variantCode, static_cast<std::uint8_t>(kLayoutVariant));
        return r;
    }
    // The custom operators a foreign backup's tail gives.
    CustomOperators nextCustom() {
        CustomOperators c{};
        for (auto& entry : c.list)
            for (auto& b : entry)
                b = static_cast<std::uint8_t>(byte(random));
        for (auto& b : c.manual)
            b = static_cast<std::uint8_t>(byte(random));
        return c;
    }
    // Every text field holding a short run of printable ASCII, so that the
    // dialogs' confirms get past their text checks and store.
    void plausibleTexts(ProfileRecord& r) {
        std::vector<Field> fields{rec::cameraName};
        for (const Field f : {op::name, op::mmsUrl, op::mmsGateway, op::mmsPort, op::mmsApn, op::mmsUser,
                              op::mmsPassword, op::dataApn, op::dataUser, op::dataPassword})
            fields.push_back({rec::operatorEntry + f.offset, f.width});
        for (const Field f :
             {mail::smtpServer, mail::smtpPort, mail::account, mail::password, mail::senderAddress, mail::senderName})
            fields.push_back({rec::mailServer + f.offset, f.width});
        for (std::size_t n = 0; n < rec::slotCount; ++n) {
            fields.push_back(rec::phoneText(n));
            fields.push_back(rec::recipientSlot(n));
        }
        std::uniform_int_distribution<int> printable(0x21, 0x7e);
        for (const Field f : fields) {
            r.clear(f.offset, f.width);
            const auto length = static_cast<std::size_t>(byte(random)) % f.width;
            for (std::size_t k = 0; k < length; ++k)
                r.bytes()[f.offset + k] = static_cast<std::uint8_t>(printable(random));
        }
    }

    // Odd records carry readable texts; even ones random bytes throughout.
    void loadNext(int i) {
        SCOPED_TRACE(i);
        t.record = nextRecord();
        if (i % 2 == 1) plausibleTexts(t.record);
        t.custom = nextCustom();
        t.prompter.clear();
        t.prompter.dialogs.clear();
    }

    // The next modal run presses the dialog's "OK" and ends with its result.
    void pressOkOnNextDialog() {
        t.prompter.dialogs.push_back([](QDialog& dialog) {
            for (auto* button : dialog.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
                if (button->text() == QStringLiteral("OK")) {
                    button->click();
                    break;
                }
            return dialog.result();
        });
    }

    // Every byte outside the allowed ranges is as it was.
    static void expectOnlyWritten(const ProfileRecord& before, const ProfileRecord& after,
                                  const std::vector<ByteRange>& allowed, int i) {
        for (std::size_t k = 0; k < kRecordSize; ++k) {
            bool inside = false;
            for (const auto& r : allowed)
                inside = inside || (k >= r.first && k <= r.last);
            if (!inside && before.bytes()[k] != after.bytes()[k]) {
                ADD_FAILURE() << "record " << i << ": byte " << k << " changed from " << int(before.bytes()[k])
                              << " to " << int(after.bytes()[k]);
                return;
            }
        }
    }

    // The list shows the stored position when it lies inside, else nothing.
    static void expectSelection(const QComboBox* list, int stored, const char* what, int i) {
        const int expected = stored >= 0 && stored < list->count() ? stored : -1;
        EXPECT_EQ(list->currentIndex(), expected) << what << ", record " << i << ", stored " << stored;
    }
    static void expectRadio(const QList<QRadioButton*>& group, int stored, const char* what, int i) {
        for (int k = 0; k < group.size(); ++k)
            EXPECT_EQ(group[k]->isChecked(), k == stored) << what << " button " << k << ", record " << i;
    }

    TestContext t;
    FakeFrame frame;
    std::mt19937 random{0x5eed};
    std::uniform_int_distribution<int> byte{0, 255};
};

TEST_F(ForeignRecordsTest, MainWindowOpensOnAnyRecordWithoutWriting) {
    int outOfRange = 0;
    for (int i = 0; i < kRecords; ++i) {
        loadNext(i);
        const ProfileRecord before = t.record;
        ui::DlgGSM window(t.ctx, frame);
        EXPECT_EQ(t.record, before) << "opening wrote into record " << i;
        EXPECT_TRUE(t.prompter.prompts.empty()) << "opening prompted on record " << i;

        const auto& c = window.controls();
        expectSelection(c.hourList, before.u8(rec::sendHour), "hour", i);
        expectSelection(c.minuteList, before.u8(rec::sendMinute), "minute", i);
        expectSelection(c.renameList, before.u16(rec::renameSwitch), "rename", i);
        expectSelection(c.smsList, before.u16(rec::smsSwitch), "SMS", i);
        expectRadio(c.sendModeRadios, before.u8(rec::sendMode), "send mode", i);
        expectRadio(c.cameraModeRadios, before.u8(rec::cameraMode), "camera mode", i);
        expectRadio(c.compressionRadios, before.u16(rec::sendCompression), "compression", i);
        outOfRange += before.u8(rec::sendHour) >= 24 ? 1 : 0;

        // The save's checks on whatever was loaded store only the main window's fields.
        window.checkAndStore();
        expectOnlyWritten(before, t.record,
                          {{rec::cameraMode, rec::cameraMode},
                           {rec::sendMinute, rec::sendMode},
                           {rec::sendTarget, rec::sendTarget + 1},
                           {rec::sendCompression, rec::cameraName.offset + rec::cameraName.width - 1},
                           {rec::mailServer, rec::recipientsEnd - 1}},
                          i);
    }
    EXPECT_GT(outOfRange, kRecords / 2); // the records did exercise positions outside the lists
}

TEST_F(ForeignRecordsTest, CameraDialogOkStoresOnlyTheCameraBlock) {
    ui::DlgCAM camera(t.ctx);
    const int lengths = static_cast<int>(ui::videoLengthItems().size());
    const int intervals = static_cast<int>(ui::pirIntervalItems().size());
    const int lapses = static_cast<int>(ui::timeLapseItems().size());
    int stored = 0;
    for (int i = 0; i < kRecords; ++i) {
        loadNext(i);
        const ProfileRecord before = t.record;

        // Opened and left with "Cancel": nothing is written.
        camera.openModal();
        EXPECT_EQ(t.record, before) << "cancel wrote into record " << i;
        camera.readForm();
        if (before.u8(rec::videoLength) >= lengths) {
            EXPECT_EQ(camera.values().videoLength, -1) << i;
        }
        if (before.u8(rec::pirInterval) >= intervals) {
            EXPECT_EQ(camera.values().pirInterval, -1) << i;
        }
        if (before.u8(rec::timeLapse) >= lapses) {
            EXPECT_EQ(camera.values().timeLapse, -1) << i;
        }

        // The scene dialog edits the camera dialog's values only.
        ui::SceneTriple triple = camera.values().scene;
        pressOkOnNextDialog();
        camera.sceneDialog().openModal(triple);
        EXPECT_EQ(t.record, before) << "the scene dialog wrote into record " << i;

        t.prompter.clear();
        pressOkOnNextDialog();
        camera.openModal();
        expectOnlyWritten(before, t.record, {{rec::cameraMode, rec::beep}}, i);
        stored += t.record != before ? 1 : 0;
    }
    std::printf("camera dialog: OK stored into %d of %d records\n", stored, kRecords);
    EXPECT_GT(stored, 0);
}

TEST_F(ForeignRecordsTest, MailDialogOkStoresOnlyTheChoiceAndTheMailEntry) {
    ui::DlgEmailSetting mail(t.ctx);
    int stored = 0;
    for (int i = 0; i < kRecords; ++i) {
        loadNext(i);
        const ProfileRecord before = t.record;
        mail.openModal();
        EXPECT_EQ(t.record, before) << "cancel wrote into record " << i;
        EXPECT_GE(mail.choiceList()->currentIndex(), 0) << "the mail dialog always shows a choice, record " << i;
        mail.readForm();

        pressOkOnNextDialog();
        mail.openModal();
        expectOnlyWritten(before, t.record,
                          {{rec::mailPresetIndex, rec::mailPresetIndex},
                           {rec::mailServer, rec::mailServer + kMailServerEntrySize - 1}},
                          i);
        stored += t.record != before ? 1 : 0;
    }
    std::printf("mail dialog: OK stored into %d of %d records\n", stored, kRecords);
    EXPECT_GT(stored, 0);
}

TEST_F(ForeignRecordsTest, ApnDialogOkStoresOnlyTheSimAndTheOperatorEntry) {
    ui::DlgOperator apn(t.ctx);
    int withoutSelection = 0;
    int stored = 0;
    for (int i = 0; i < kRecords; ++i) {
        loadNext(i);
        const ProfileRecord before = t.record;
        apn.openModal();
        EXPECT_EQ(t.record, before) << "cancel wrote into record " << i;
        expectSelection(apn.simList(), before.u8(rec::simIndex), "SIM", i);
        withoutSelection += apn.simList()->currentIndex() == -1 ? 1 : 0;
        apn.readForm();

        pressOkOnNextDialog();
        apn.openModal();
        expectOnlyWritten(
            before, t.record,
            {{rec::simIndex, rec::simIndex}, {rec::operatorEntry, rec::operatorEntry + kOperatorEntrySize - 1}}, i);
        stored += t.record != before ? 1 : 0;
    }
    std::printf("APN dialog: OK stored into %d of %d records\n", stored, kRecords);
    EXPECT_GT(stored, 0);
    EXPECT_GT(withoutSelection, kRecords / 2);
}

} // namespace
} // namespace halvorn::test

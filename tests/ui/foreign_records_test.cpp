// Every window on records it did not write: random bytes (fixed seed) with a
// valid version mark, as a foreign or damaged backup gives them; in every
// other record the texts are short printable runs, so that checks pass and
// store. Nothing may crash or read outside a table (the sanitizer build runs
// this too), a stored position outside a list shows no choice, and a window
// writes only its own bytes: the main window in its checks, a dialog with "OK".

#include "MainWindowFixture.h"

#include "ui/dialogs/DlgCAM.h"
#include "ui/dialogs/DlgEmailSetting.h"
#include "ui/dialogs/DlgOperator.h"

#include <QPushButton>

#include <random>

namespace halvorn::test {
namespace {

using Ranges = std::vector<std::pair<std::size_t, std::size_t>>; // first and last byte a window may write

class ForeignRecordsTest : public MainWindowTest {
protected:
    void forEachRecord(const Ranges& own, const std::function<void(const ProfileRecord&)>& run) {
        std::mt19937 random{0x5eed};
        for (int i = 0; i < 300; ++i) {
            SCOPED_TRACE(i);
            for (std::size_t k = 0; k < kRecordSize; ++k)
                record().bytes()[k] = static_cast<std::uint8_t>(i % 2 == 0 || k < rec::cameraName.offset ? random()
                                                                : random() % 6 ? 0x21 + random() % 94
                                                                               : 0);
            for (auto* entry : {&t.custom.list[0], &t.custom.list[1], &t.custom.list[2], &t.custom.manual})
                std::ranges::generate(*entry, [&random] { return static_cast<std::uint8_t>(random()); });
            record().setU16(rec::versionMark, 'V');
            record().setU8(rec::variantCode, static_cast<std::uint8_t>(kLayoutVariant));
            t.prompter.clear();
            const ProfileRecord before = record();
            run(before);
            for (std::size_t k = 0; k < kRecordSize; ++k)
                if (before.bytes()[k] != record().bytes()[k] &&
                    std::ranges::none_of(own, [k](auto r) { return k >= r.first && k <= r.second; }))
                    return ADD_FAILURE() << "byte " << k << " changed";
        }
    }
};

TEST_F(ForeignRecordsTest, MainWindowShowsNoChoiceOutsideItsListsAndStoresOnlyItsFields) {
    forEachRecord({{20, 20}, {72, 75}, {78, 79}, {82, 105}, {376, 1015}}, [this](const ProfileRecord& before) {
        open();
        EXPECT_EQ(record(), before);
        EXPECT_EQ(prompts(), QStringList{});
        for (const auto& [list, stored] : {std::pair<QComboBox*, int>{c().hourList, before.u8(73)},
                                           {c().minuteList, before.u8(72)},
                                           {c().renameList, before.u16(84)},
                                           {c().smsList, before.u16(86)}})
            EXPECT_EQ(list->currentIndex(), stored < list->count() ? stored : -1);
        for (const auto& [group, stored] : {std::pair{&c().sendModeRadios, int{before.u8(75)}},
                                            {&c().cameraModeRadios, before.u8(20)},
                                            {&c().compressionRadios, before.u16(82)}})
            for (int k = 0; k < group->size(); ++k)
                EXPECT_EQ((*group)[k]->isChecked(), k == stored);
        window->checkAndStore();
    });
}

TEST_F(ForeignRecordsTest, DialogsCancelWritingNothingAndOkWritingOnlyTheirOwnBytes) {
    ui::DlgCAM camera(t.ctx);
    ui::DlgEmailSetting mail(t.ctx);
    ui::DlgOperator apn(t.ctx);
    const std::pair<std::function<int()>, Ranges> dialogs[] = {
        {[&] { return camera.openModal(); }, {{20, 58}}},
        {[&] { return mail.openModal(); }, {{111, 111}, {376, 631}}},
        {[&] { return apn.openModal(); }, {{80, 80}, {112, 375}}}};
    for (const auto& [open, own] : dialogs) {
        int stored = 0;
        forEachRecord(own, [&](const ProfileRecord& before) {
            open(); // left unseen: cancelled
            EXPECT_EQ(record(), before);
            t.prompter.dialogs.push_back([](QDialog& dialog) {
                for (auto* button : dialog.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
                    if (button->text() == "OK") button->click();
                return dialog.result();
            });
            open();
            stored += record() != before ? 1 : 0;
        });
        EXPECT_GT(stored, 0);
    }
}

} // namespace
} // namespace halvorn::test

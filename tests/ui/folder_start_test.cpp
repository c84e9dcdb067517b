// Where the folder picker opens, and which volumes its side panel adds.

#include "ui/FolderStart.h"

#include <gtest/gtest.h>

namespace halvorn::test {
namespace {

TEST(FolderStart, LastChosenElseTheUsersFirstRemovableVolumeElseHome) {
    const struct {
        QString last;
        QStringList mounts;
        QString start;
        QStringList volumes;
    } rows[] = {
        {"/media/me/CARD/DCIM", {"/", "/media/me/CARD"}, "/media/me/CARD/DCIM", {"/media/me/CARD"}},
        {"",
         {"/", "/boot", "/run/media/me/SD", "/media/me/CARD"},
         "/run/media/me/SD",
         {"/run/media/me/SD", "/media/me/CARD"}},
        {"", {"/", "/media/other/CARD", "/media/me", "/media/me/", "/media/meg/CARD", "/mnt/me/CARD"}, "/home/me", {}},
        {"", {}, "/home/me", {}},
    };
    for (const auto& k : rows) {
        SCOPED_TRACE(k.start.toStdString());
        const ui::PickerPlaces places = ui::pickerPlaces(k.last, k.mounts, "me", "/home/me");
        EXPECT_EQ(places.start, k.start);
        EXPECT_EQ(places.volumes, k.volumes);
    }
    EXPECT_EQ(ui::pickerPlaces("", {"/media//CARD"}, "", "/home/me").start, "/home/me"); // no user name known
}

} // namespace
} // namespace halvorn::test

// Where the folder picker opens and which volumes it offers.
#include "ui/FolderStart.h"

#include <gtest/gtest.h>

namespace {

using namespace halvorn;

TEST(FolderStart, LastChosenElseTheUsersFirstRemovableVolumeElseHome) {
    const QString card = "/media/me/CARD", sd = "/run/media/me/SD";
    const std::tuple<QString, QStringList, QString, QStringList> rows[] = {
        {card + "/DCIM", {"/", card}, card + "/DCIM", {card}},
        {"", {"/", "/boot", sd, card}, sd, {sd, card}},
        {"", {"/", "/media/other/CARD", "/media/me", "/media/me/", "/media/meg/CARD", "/mnt/me/CARD"}, "/home/me", {}},
        {"", {}, "/home/me", {}}};
    for (const auto& [last, mounts, start, volumes] : rows) {
        const ui::PickerPlaces places = ui::pickerPlaces(last, mounts, "me", "/home/me");
        EXPECT_EQ(std::pair(places.start, places.volumes), std::pair(start, volumes)) << start.toStdString();
    }
    EXPECT_EQ(ui::pickerPlaces("", {"/media//CARD"}, "", "/home/me").start, "/home/me"); // no user name known
}

} // namespace

// The views narrowed as start-up narrows them: the row each position holds, none outside them.
#include "catalog/Views.h"

#include <gtest/gtest.h>

using namespace halvorn;

TEST(Views, NarrowedPositionsHoldTheirRowsAndNoneOutside) {
    Views views;
    views.narrow();
    EXPECT_EQ(std::pair(views.country.count, views.mailPreset.count), std::pair(1, 3));
    // clang-format off
    const struct { const char* what; int at; std::optional<int> country, mail; } rows[] = {
        {"before the first", -1, {}, {}},
        {"the first: the customer's country, the relay", 0, 26, 0},
        {"second: Gmail", 1, 1, 1},
        {"third: the own account's row", 2, 2, 9},
        {"the last mail position", 9, 9, 9},
        {"past the mail positions", 10, 10, {}},
        {"the last country position", 26, 26, {}},
        {"past the countries", 27, {}, {}}};
    // clang-format on
    for (const auto& r : rows)
        EXPECT_EQ(std::pair(views.country.rowAt(r.at), views.mailPreset.rowAt(r.at)), std::pair(r.country, r.mail))
            << r.what;
}

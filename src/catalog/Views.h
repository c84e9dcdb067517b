#pragma once
// The country view and the mail preset view: positions holding row numbers of
// the operator catalog and of the mail preset table, with a count. A stored
// index is looked up at its position whatever the count; a position outside
// the view has no row.

#include <array>
#include <cstddef>
#include <optional>

namespace halvorn {

template <std::size_t N> struct IndexView {
    std::array<int, N> rows{};
    int count = static_cast<int>(N);

    // The row at a position, or nothing when the position lies outside the view.
    std::optional<int> rowAt(int position) const {
        if (position < 0 || position >= static_cast<int>(N)) return std::nullopt;
        return rows[static_cast<std::size_t>(position)];
    }
    // Built in: position i holds row i.
    static IndexView identity() {
        IndexView v;
        for (std::size_t i = 0; i < N; ++i)
            v.rows[i] = static_cast<int>(i);
        return v;
    }
};

using CountryView = IndexView<27>;
using MailPresetView = IndexView<10>;

struct Views {
    CountryView country = CountryView::identity();
    MailPresetView mailPreset = MailPresetView::identity();
    // Start-up's narrowing for layout variant 32: country position 0 -> row 26
    // ("Customer"), count 1; mail positions 0..2 -> rows 0, 1, 9, count 3.
    void narrow();
};

constexpr int kLayoutVariant = 32;

} // namespace halvorn

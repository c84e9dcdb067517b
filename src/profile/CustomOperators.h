#pragma once
// Operator records that only the backup carries: the custom operator list
// (shown as the operators of the catalog's "Customer" row) and the
// manual-setting entry. They live for the whole run.

#include "profile/ProfileRecord.h"

#include <array>
#include <cstddef>

namespace halvorn {

struct CustomOperators {
    static constexpr std::size_t kCount = 3;
    std::array<OperatorEntry, kCount> list{};
    OperatorEntry manual{};

    // "手動設定 1" to "手動設定 3" and "手動設定" as GBK bytes, gateway "0.0.0.0", port "0".
    static CustomOperators builtIn();
    bool operator==(const CustomOperators&) const = default;
};

} // namespace halvorn

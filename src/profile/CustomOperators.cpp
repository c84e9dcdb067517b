#include "profile/CustomOperators.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

namespace halvorn {

namespace {

void put(OperatorEntry& entry, Field field, std::initializer_list<std::uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), entry.begin() + static_cast<std::ptrdiff_t>(field.offset));
}

void put(OperatorEntry& entry, Field field, std::string_view text) {
    std::copy(text.begin(), text.end(), entry.begin() + static_cast<std::ptrdiff_t>(field.offset));
}

// "手動設定" in GBK, followed by " " and the digit when `digit` is not zero.
OperatorEntry manualEntry(std::uint8_t digit) {
    OperatorEntry e{};
    put(e, op::name, {0xCA, 0xD6, 0x84, 0xD3, 0xD4, 0x4F, 0xB6, 0xA8});
    if (digit != 0) put(e, Field{op::name.offset + 8, 2}, {0x20, digit});
    put(e, op::mmsGateway, "0.0.0.0");
    put(e, op::mmsPort, "0");
    return e;
}

} // namespace

CustomOperators CustomOperators::builtIn() {
    CustomOperators c;
    for (std::size_t i = 0; i < kCount; ++i)
        c.list[i] = manualEntry(static_cast<std::uint8_t>('1' + i));
    c.manual = manualEntry(0);
    return c;
}

} // namespace halvorn

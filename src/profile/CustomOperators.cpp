#include "profile/CustomOperators.h"

#include "profile/ProfileText.h"

#include <string>

namespace halvorn {

namespace {

// "手動設定" in GBK, followed by " " and the digit when `digit` is not zero.
OperatorEntry manualEntry(char digit) {
    OperatorEntry e{};
    std::string name = "\xCA\xD6\x84\xD3\xD4\x4F\xB6\xA8";
    if (digit != 0) name += {' ', digit};
    putBuiltInText(fieldOf(e, op::name), name);
    putBuiltInText(fieldOf(e, op::mmsGateway), "0.0.0.0");
    putBuiltInText(fieldOf(e, op::mmsPort), "0");
    return e;
}

} // namespace

CustomOperators CustomOperators::builtIn() {
    CustomOperators c;
    for (std::size_t i = 0; i < kCount; ++i)
        c.list[i] = manualEntry(static_cast<char>('1' + i));
    c.manual = manualEntry(0);
    return c;
}

} // namespace halvorn

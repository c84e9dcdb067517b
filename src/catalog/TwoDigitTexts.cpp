#include "catalog/TwoDigitTexts.h"

namespace halvorn {

const std::array<std::u16string, 61>& twoDigitTexts() {
    static const std::array<std::u16string, 61> texts = [] {
        std::array<std::u16string, 61> t;
        for (int k = 0; k < 61; ++k)
            t[static_cast<std::size_t>(k)] = {static_cast<char16_t>(u'0' + k / 10),
                                              static_cast<char16_t>(u'0' + k % 10)};
        return t;
    }();
    return texts;
}

} // namespace halvorn

#pragma once
// The 61 texts "00" to "60" the time lists are built from.

#include <array>
#include <string>

namespace halvorn {

const std::array<std::u16string, 61>& twoDigitTexts();

} // namespace halvorn

#include "rules/MailRules.h"

#include <algorithm>

namespace halvorn::rules {

namespace {
template <typename Char> bool fits(std::basic_string_view<Char> text) {
    return std::ranges::none_of(text, [](Char c) {
        const auto u = static_cast<unsigned>(static_cast<std::make_unsigned_t<Char>>(c));
        return u < 0x20 || u == 0x7F || u == '<' || u == '>';
    });
}
} // namespace

bool fitsMailCommand(std::u16string_view text) { return fits(text); }
bool fitsMailCommand(std::string_view bytes) { return fits(bytes); }

} // namespace halvorn::rules

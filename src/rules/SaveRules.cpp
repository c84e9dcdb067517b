#include "rules/SaveRules.h"

#include "profile/ProfileFields.h"
#include "profile/ProfileRecord.h"
#include "rules/MailRules.h"

namespace halvorn::rules {

namespace {
// The capital a character has in the windows' toolkit, where that capital is
// 0-9 or A-Z: the small letters, the dotless i and the long s.
char16_t upperCase(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - u'a' + u'A');
    if (c == u'\u0131') return u'I';
    if (c == u'\u017F') return u'S';
    return c;
}
} // namespace

Failure checkMaxSendCount(int count) {
    if (count < 0 || count > limits::maxSendCount) return {Rule::MaxSendCount, 0, limits::maxSendCount};
    return kPass;
}

Failure checkMailAccount(bool relay, bool noSender, bool noPassword, bool noAccount, bool noServer) {
    if (!relay && (noSender || noPassword || noAccount || noServer)) return {Rule::MailAccountIncomplete};
    return kPass;
}

Failure checkPhone(std::size_t slot, std::size_t length, bool smsOn) {
    const auto shortest = static_cast<std::size_t>(limits::shortestPhone);
    const auto longest = static_cast<std::size_t>(limits::longestPhone);
    if (length > longest || (length >= 1 && length < shortest))
        return {smsOn && slot == 0 ? Rule::SmsPhoneLength : Rule::PhoneLength, slot, limits::longestPhone};
    return kPass;
}

bool phoneKept(std::size_t length) { return length >= static_cast<std::size_t>(limits::shortestPhone); }

Failure checkSmsPhone(bool smsOn, bool phoneGiven) {
    if (smsOn && !phoneGiven) return {Rule::SmsPhoneMissing};
    return kPass;
}

Failure checkAddress(std::size_t slot, std::u16string_view address) {
    const std::size_t chars = address.size();
    if (chars > static_cast<std::size_t>(limits::longestAddress))
        return {Rule::AddressLength, slot, limits::longestAddress};
    if (chars == 1 || (chars >= 2 && address.find(u'@', 1) == std::u16string_view::npos) || !fitsMailCommand(address))
        return {Rule::AddressMalformed, slot};
    return kPass;
}

bool addressKept(std::size_t length) { return length > 2; }

Failure checkTargets(int target, bool phoneGiven, bool anyAddressKept) {
    if ((target == choice::toPhone || target == choice::toPhoneAndMail) && !phoneGiven) return {Rule::PhoneMissing};
    if ((target == choice::toMail || target == choice::toPhoneAndMail) && !anyAddressKept)
        return {Rule::AddressMissing};
    return kPass;
}

Failure checkCameraName(std::u16string_view name, int renameSwitch) {
    // Tested one character at a time, from the last to the first, upper-cased.
    for (std::size_t i = name.size(); i-- > 0;) {
        const char16_t up = upperCase(name[i]);
        if (!((up >= u'0' && up <= u'9') || (up >= u'A' && up <= u'Z'))) return {Rule::CameraNameCharacter};
    }
    if (renameSwitch == 1 && name.empty()) return {Rule::CameraNameMissing};
    return kPass;
}

} // namespace halvorn::rules

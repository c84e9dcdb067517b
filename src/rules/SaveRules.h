#pragma once
// The checks of the main window's "OK", one function a step, over the typed
// values. The window runs them in its order, storing between them; a failure
// names the rule and no text.

#include "rules/Failure.h"

#include <cstddef>
#include <string_view>

namespace halvorn::rules {

// The count of photos sent: 0 to 99.
Failure checkMaxSendCount(int count);

// An own mail account (not the relay) needs its sender address, password,
// account and server; each flag says whether that field is empty.
Failure checkMailAccount(bool relay, bool noSender, bool noPassword, bool noAccount, bool noServer);

// Phone `slot` of `length` characters: empty, or 4 to 15. With SMS on, phone 1
// is the SMS number and its failure says so.
Failure checkPhone(std::size_t slot, std::size_t length, bool smsOn);
// A phone number that passed is stored when it is not empty.
bool phoneKept(std::size_t length);
// With SMS on, phone 1 must have been given (checked after phone 1).
Failure checkSmsPhone(bool smsOn, bool phoneGiven);

// Recipient `slot`: at most 47 characters; then not one character alone,
// an "@" after the first character, and nothing no mail command can carry.
Failure checkAddress(std::size_t slot, std::u16string_view address);
// An address that passed is stored when it has more than two characters.
bool addressKept(std::size_t length);

// The send target (0 phones, 1 mail, 2 both) needs a phone or a kept address.
Failure checkTargets(int target, bool phoneGiven, bool anyAddressKept);

// The camera's new name: 0-9 and A-Z once upper-cased; renaming on needs one.
Failure checkCameraName(std::u16string_view name, int renameSwitch);

} // namespace halvorn::rules

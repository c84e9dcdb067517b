#pragma once
// What a rule refuses: which rule, which slot of a repeated field, which limit.
// No text: each window words a failure in its own language.

#include <cstddef>

namespace halvorn::rules {

enum class Rule {
    None,
    // The main window's "OK", in the order it checks.
    MaxSendCount,          // limit: the largest count
    MailAccountIncomplete, // an own account without its address, password, account or server
    PhoneLength,           // slot; limit: the longest number
    SmsPhoneLength,        // phone 1 while SMS is on
    SmsPhoneMissing,
    AddressLength,       // slot; limit: the longest address
    AddressMalformed,    // slot: one character, no "@" after the first, or unfit for a mail command
    PhoneMissing,        // the photos go to phones and none is given
    AddressMissing,      // the photos go to addresses and none is kept
    CameraNameCharacter, // a character other than 0-9 and A-Z (after upper-casing)
    CameraNameMissing,   // renaming is on without a name
    CameraNameLength,    // limit: the longest name the field takes
    // The camera dialog's work-time schedules; slot: the schedule.
    WorkTimeStartStop,
    WorkTimeNoDay,
    // The mail account dialog.
    ServerMissing,
    PortMissing,
    PortRange, // limit: the largest port
    EncryptionMissing,
    AccountMissing, // address, account or password empty
    AddressNoAt,    // the sender address holds no "@"
    SenderUnfit,    // the sender address cannot go into a mail command
    AccountUnfit,   // the account cannot go into a mail command
    // What the windows' typing cannot produce, though their "OK" takes it.
    PhoneCharacter,        // slot: a phone holding more than digits
    CameraNameSmallLetter, // a name in small letters
};

struct Failure {
    Rule rule = Rule::None;
    std::size_t slot = 0;
    int limit = 0;

    explicit operator bool() const { return rule != Rule::None; }
    bool operator==(const Failure&) const = default;
};

inline constexpr Failure kPass{};

} // namespace halvorn::rules

#pragma once
// The 1016-byte settings block the whole program edits. Its byte layout is the
// file format: bytes 20 to 1015 are what the camera reads from PROFILE.BIN.
// Fields are addressed through the named offsets below and read and written
// little-endian; the record is never reinterpreted as a struct.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace halvorn {

// A fixed-width area inside a record or an entry.
struct Field {
    std::size_t offset;
    std::size_t width;
};

constexpr std::size_t kRecordSize = 1016;
constexpr std::size_t kOperatorEntrySize = 264;
constexpr std::size_t kMailServerEntrySize = 256;

using OperatorEntry = std::array<std::uint8_t, kOperatorEntrySize>;
using MailServerEntry = std::array<std::uint8_t, kMailServerEntrySize>;

// Offsets of the record's fields.
namespace rec {
constexpr std::size_t versionMark = 0;  // 16 bytes, tool only
constexpr std::size_t profileKind = 16; // 16-bit
constexpr std::size_t reserved18 = 18;  // 16-bit, never written
constexpr std::size_t cameraMode = 20;
constexpr std::size_t cameraScene = 21;
constexpr std::size_t photoSize = 22;
constexpr std::size_t photoBurst = 23;
constexpr std::size_t flashPower = 24;
constexpr std::size_t videoSize = 25;
constexpr std::size_t videoLength = 26;
constexpr std::size_t triggerMode = 27;
constexpr std::size_t pirSensitivity = 28;
constexpr std::size_t pirInterval = 29;
constexpr std::size_t timeLapse = 30;
constexpr std::size_t workTime = 31; // four schedules of 6 bytes
constexpr std::size_t workTimeSize = 6;
constexpr std::size_t workTimeCount = 4;
constexpr std::size_t language = 55;
constexpr std::size_t rfSwitch = 56;
constexpr std::size_t overwrite = 57;
constexpr std::size_t beep = 58;
constexpr std::size_t variantCode = 59;
constexpr std::size_t reserved60 = 60; // 12 bytes, never written
constexpr std::size_t sendMinute = 72;
constexpr std::size_t sendHour = 73;
constexpr std::size_t maxSendCount = 74;
constexpr std::size_t sendMode = 75;
constexpr std::size_t reserved76 = 76; // 16-bit
constexpr std::size_t sendTarget = 78; // 16-bit
constexpr std::size_t simIndex = 80;
constexpr std::size_t countryIndex = 81;
constexpr std::size_t sendCompression = 82; // 16-bit
constexpr std::size_t renameSwitch = 84;    // 16-bit
constexpr std::size_t smsSwitch = 86;       // 16-bit
constexpr std::size_t smsStopHour = 88;
constexpr std::size_t smsStartHour = 89;
constexpr Field cameraName{90, 16};
constexpr std::size_t reserved106 = 106; // 32-bit
constexpr std::size_t reserved110 = 110;
constexpr std::size_t mailPresetIndex = 111;
constexpr std::size_t operatorEntry = 112;  // OperatorEntry, 264 bytes
constexpr std::size_t mailServer = 376;     // MailServerEntry, 256 bytes
constexpr std::size_t phoneNumbers = 632;   // four slots of 48 bytes
constexpr std::size_t mailRecipients = 824; // four slots of 48 bytes
constexpr std::size_t slotSize = 48;
constexpr std::size_t slotCount = 4;
constexpr std::size_t phoneTextWidth = 16; // text part of a phone slot
constexpr std::size_t recipientsEnd = 1016;

// Work-time schedule bytes, relative to the schedule.
namespace wt {
constexpr std::size_t switchOn = 0;
constexpr std::size_t startHour = 1;
constexpr std::size_t startMinute = 2;
constexpr std::size_t stopHour = 3;
constexpr std::size_t stopMinute = 4;
constexpr std::size_t weekMask = 5;
} // namespace wt

constexpr std::size_t workTimeAt(std::size_t schedule) { return workTime + schedule * workTimeSize; }
constexpr Field phoneSlot(std::size_t n) { return {phoneNumbers + n * slotSize, slotSize}; }
constexpr Field phoneText(std::size_t n) { return {phoneNumbers + n * slotSize, phoneTextWidth}; }
constexpr Field recipientSlot(std::size_t n) { return {mailRecipients + n * slotSize, slotSize}; }
} // namespace rec

// Text fields of an OperatorEntry, relative to the entry.
namespace op {
constexpr Field name{0, 32};
constexpr Field mmsUrl{32, 64};
constexpr Field mmsGateway{96, 16};
constexpr Field mmsPort{112, 8};
constexpr Field mmsApn{120, 32};
constexpr Field mmsUser{152, 24};
constexpr Field mmsPassword{176, 16};
constexpr Field dataApn{192, 32};
constexpr Field dataUser{224, 24};
constexpr Field dataPassword{248, 16};
} // namespace op

// Fields of a MailServerEntry, relative to the entry.
namespace mail {
constexpr Field smtpServer{0, 64};
constexpr Field smtpPort{64, 6};
constexpr std::size_t secureType = 70;
constexpr std::size_t reserved71 = 71;
constexpr Field account{72, 48};
constexpr Field password{120, 64};
constexpr Field senderAddress{184, 48};
constexpr Field senderName{232, 24};
constexpr Field serverBlock{0, 72};
constexpr Field accountBlock{72, 184};
constexpr std::uint8_t secureTypeBase = 0x40;
} // namespace mail

// Stored values of the choices that the program's rules and defaults name.
namespace choice {
constexpr int sendPerShot = 0; // sendMode
constexpr int sendAtFixedTime = 1;
constexpr int sendBoth = 2;
constexpr int toPhone = 0; // sendTarget
constexpr int toMail = 1;
constexpr int toPhoneAndMail = 2;
constexpr int uncompressed = 0; // sendCompression
constexpr int photoMode = 0;    // cameraMode
constexpr int videoMode = 1;
constexpr int triggerPir = 0; // triggerMode
constexpr int triggerTimeLapse = 1;
} // namespace choice

class ProfileRecord {
public:
    // Initial contents: "V4.56J", then zeros.
    ProfileRecord();

    std::span<std::uint8_t, kRecordSize> bytes() { return bytes_; }
    std::span<const std::uint8_t, kRecordSize> bytes() const { return bytes_; }

    std::uint8_t u8(std::size_t offset) const;
    void setU8(std::size_t offset, std::uint8_t value);
    std::uint16_t u16(std::size_t offset) const;
    void setU16(std::size_t offset, std::uint16_t value);
    std::uint32_t u32(std::size_t offset) const;
    void setU32(std::size_t offset, std::uint32_t value);

    std::span<std::uint8_t> area(std::size_t offset, std::size_t width);
    std::span<const std::uint8_t> area(std::size_t offset, std::size_t width) const;
    std::span<std::uint8_t> area(Field f) { return area(f.offset, f.width); }
    std::span<const std::uint8_t> area(Field f) const { return area(f.offset, f.width); }
    // A field of an embedded entry: the entry's record offset plus the field.
    std::span<std::uint8_t> area(std::size_t entryOffset, Field f) { return area(entryOffset + f.offset, f.width); }
    std::span<const std::uint8_t> area(std::size_t entryOffset, Field f) const {
        return area(entryOffset + f.offset, f.width);
    }
    void clear(std::size_t offset, std::size_t width);

    OperatorEntry operatorEntry() const;
    void setOperatorEntry(const OperatorEntry& entry);
    MailServerEntry mailServer() const;
    void setMailServer(const MailServerEntry& entry);

    bool operator==(const ProfileRecord&) const = default;

private:
    std::array<std::uint8_t, kRecordSize> bytes_{};
};

// Little-endian access into any byte area (entries, file buffers).
std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t offset);
void writeU16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value);

// The bytes of a field of an entry (or of any fixed-size block).
template <std::size_t N> std::span<std::uint8_t> fieldOf(std::array<std::uint8_t, N>& entry, Field f) {
    return std::span<std::uint8_t>(entry).subspan(f.offset, f.width);
}
template <std::size_t N> std::span<const std::uint8_t> fieldOf(const std::array<std::uint8_t, N>& entry, Field f) {
    return std::span<const std::uint8_t>(entry).subspan(f.offset, f.width);
}

// A working value as the record stores it: its low 8 or 16 bits.
constexpr std::uint8_t lowByte(int value) { return static_cast<std::uint8_t>(value & 0xFF); }
constexpr std::uint16_t lowWord(int value) { return static_cast<std::uint16_t>(value & 0xFFFF); }

} // namespace halvorn

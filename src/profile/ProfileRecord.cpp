#include "profile/ProfileRecord.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace halvorn {

namespace {

// Every access is checked against the area it addresses: a wrong offset is a
// programming error and must never write past the record.
void checkRange(std::size_t size, std::size_t offset, std::size_t width) {
    if (offset > size || width > size - offset)
        throw std::out_of_range("byte area " + std::to_string(offset) + "+" + std::to_string(width) + " outside " +
                                std::to_string(size) + " bytes");
}

} // namespace

ProfileRecord::ProfileRecord() {
    constexpr char initial[] = "V4.56J";
    for (std::size_t i = 0; i + 1 < sizeof initial; ++i)
        bytes_[i] = static_cast<std::uint8_t>(initial[i]);
}

std::uint8_t ProfileRecord::u8(std::size_t offset) const {
    checkRange(kRecordSize, offset, 1);
    return bytes_[offset];
}

void ProfileRecord::setU8(std::size_t offset, std::uint8_t value) {
    checkRange(kRecordSize, offset, 1);
    bytes_[offset] = value;
}

std::uint16_t ProfileRecord::u16(std::size_t offset) const { return readU16(bytes_, offset); }

void ProfileRecord::setU16(std::size_t offset, std::uint16_t value) { writeU16(bytes_, offset, value); }

std::uint32_t ProfileRecord::u32(std::size_t offset) const {
    checkRange(kRecordSize, offset, 4);
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(bytes_[offset + i]) << (8 * i);
    return v;
}

void ProfileRecord::setU32(std::size_t offset, std::uint32_t value) {
    checkRange(kRecordSize, offset, 4);
    for (std::size_t i = 0; i < 4; ++i)
        bytes_[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::span<std::uint8_t> ProfileRecord::area(std::size_t offset, std::size_t width) {
    checkRange(kRecordSize, offset, width);
    return std::span<std::uint8_t>(bytes_).subspan(offset, width);
}

std::span<const std::uint8_t> ProfileRecord::area(std::size_t offset, std::size_t width) const {
    checkRange(kRecordSize, offset, width);
    return std::span<const std::uint8_t>(bytes_).subspan(offset, width);
}

void ProfileRecord::clear(std::size_t offset, std::size_t width) {
    for (auto& b : area(offset, width))
        b = 0;
}

OperatorEntry ProfileRecord::operatorEntry() const {
    OperatorEntry e{};
    auto src = area(rec::operatorEntry, kOperatorEntrySize);
    std::copy(src.begin(), src.end(), e.begin());
    return e;
}

void ProfileRecord::setOperatorEntry(const OperatorEntry& entry) {
    auto dst = area(rec::operatorEntry, kOperatorEntrySize);
    std::copy(entry.begin(), entry.end(), dst.begin());
}

MailServerEntry ProfileRecord::mailServer() const {
    MailServerEntry e{};
    auto src = area(rec::mailServer, kMailServerEntrySize);
    std::copy(src.begin(), src.end(), e.begin());
    return e;
}

void ProfileRecord::setMailServer(const MailServerEntry& entry) {
    auto dst = area(rec::mailServer, kMailServerEntrySize);
    std::copy(entry.begin(), entry.end(), dst.begin());
}

std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    checkRange(bytes.size(), offset, 2);
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

void writeU16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
    checkRange(bytes.size(), offset, 2);
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

} // namespace halvorn

#pragma once
// The record's fields by name: one table that the command-line companion's
// show, build and check walk. Every offset comes from the named layout
// constants, so the layout is written once.

#include "profile/ProfileRecord.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace halvorn {

// The main window's limits on what it stores.
namespace limits {
constexpr int maxSendCount = 99;
constexpr int shortestPhone = 4; // a shorter phone number that is not empty is refused
constexpr int longestPhone = 15;
constexpr int longestAddress = 47;
constexpr int longestCameraName = 8;
} // namespace limits

enum class FieldKind {
    Number, // unsigned little-endian, 1, 2 or 4 bytes
    Text,   // zero-terminated 8-bit text; the rest of the area is zero
    Hex,    // bytes carried as they are
    Entry,  // a block of its own fields
};

struct FieldSpec {
    std::string_view name;
    std::size_t offset; // from the start of the enclosing block
    std::size_t width;  // bytes of one element
    FieldKind kind;
    int choices = 0;                     // Number: how many values its list holds; 0 when any value is shown
    std::size_t textWidth = 0;           // Text: the bytes that text and terminator may take; 0 for the whole width
    std::span<const FieldSpec> fields{}; // Entry: the block's fields
    std::size_t count = 0;               // 0: one value; n: an array of n elements `width` bytes apart

    std::size_t textRoom() const { return textWidth != 0 ? textWidth : width; }
};

// The 1016-byte record, in the order of its bytes.
std::span<const FieldSpec> recordFields();
// An OperatorEntry, a MailServerEntry and a work-time schedule.
std::span<const FieldSpec> operatorFields();
std::span<const FieldSpec> mailServerFields();
std::span<const FieldSpec> workTimeFields();
// The part of a backup after the record: the custom operator list and the manual-setting entry.
std::span<const FieldSpec> backupTailFields();

} // namespace halvorn

#pragma once
// The twelve SMTP account presets, and the carrier mail-to-phone gateways.
// Preset rows are the mail dialog's scratch store for the run, so they are
// mutable; each instance starts from the built-in data.

#include "profile/ProfileRecord.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace halvorn {

constexpr int kMailPresetRows = 12;
constexpr int kMailPresetRelay = 0;
constexpr int kMailPresetGmail = 1;
constexpr int kMailPresetCustom = 9;
constexpr int kMailPresetFinnishRelay = 11;

class MailPresets {
public:
    MailPresets(); // built-in rows
    MailServerEntry& row(int r) { return rows_.at(static_cast<std::size_t>(r)); }
    const MailServerEntry& row(int r) const { return rows_.at(static_cast<std::size_t>(r)); }

private:
    std::array<MailServerEntry, kMailPresetRows> rows_;
};

// Builds a MailServerEntry from ASCII texts (zero-filled; senderName derived
// from the address before its first "@").
MailServerEntry makeMailEntry(std::string_view server, std::string_view port, std::uint8_t secureType,
                              std::string_view account, std::string_view password, std::string_view senderAddress);

constexpr std::size_t kSmsGatewayEntrySize = 49;
constexpr std::size_t kSmsGatewayRows = 10;
using SmsGatewayEntry = std::array<std::uint8_t, kSmsGatewayEntrySize>;
constexpr Field gatewaySuffix{0, 33};
constexpr Field carrierName{33, 16};

const std::array<SmsGatewayEntry, kSmsGatewayRows>& smsGateways();
// A row is valid when its first byte is not zero, its second is "@" and its carrier name is not empty.
bool isValidGateway(const SmsGatewayEntry& row);
// Carrier names of the valid rows, in row order.
std::vector<std::string_view> carrierList();

} // namespace halvorn

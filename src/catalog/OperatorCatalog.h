#pragma once
// The built-in operators by country. Row 26 ("Customer") shows the custom
// operator list the backup carries, not a copy of it.

#include "catalog/Views.h"
#include "profile/CustomOperators.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileRecord.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace halvorn {

constexpr int kCountryCount = 27;
constexpr int kOperatorRowCount = 87;
constexpr int kCountryFinland = 9;
// kCountryJapan (row 15) is declared with the profile defaults, which name it.
constexpr int kCountryCustomer = 26;

struct CountryEntry {
    std::string_view countryName; // ASCII, at most 15 characters
    std::span<const OperatorEntry> operators;
    std::uint16_t operatorCount;
};

class OperatorCatalog {
public:
    explicit OperatorCatalog(const CustomOperators& custom);

    // Row 0 to 26; the "Customer" row reflects the custom list as it is now.
    CountryEntry country(int row) const;
    // The "Japan" operators: the APN dialog's SIM choices.
    std::span<const OperatorEntry> japan() const { return country(kCountryJapan).operators; }

    // The country row a view position maps to; nothing when the position lies
    // outside the view or maps to no catalog row.
    std::optional<CountryEntry> countryAt(const CountryView& view, int position) const;
    // The first operator of that country; nothing also when it has no operators.
    std::optional<OperatorEntry> firstOperatorAt(const CountryView& view, int position) const;

private:
    const CustomOperators& custom_;
};

} // namespace halvorn

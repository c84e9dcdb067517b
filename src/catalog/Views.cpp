#include "catalog/Views.h"

#include "catalog/MailPresets.h"
#include "catalog/OperatorCatalog.h"

namespace halvorn {

void Views::narrow() {
    country.rows[0] = kCountryCustomer;
    country.count = 1;
    mailPreset.rows[0] = kMailPresetRelay;
    mailPreset.rows[1] = kMailPresetGmail;
    mailPreset.rows[2] = kMailPresetCustom;
    mailPreset.count = 3;
}

} // namespace halvorn

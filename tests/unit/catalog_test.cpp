#include "catalog/MailPresets.h"
#include "catalog/OperatorCatalog.h"
#include "platform/CodePage.h"
#include "profile/ProfileDefaults.h"
#include "support/FileHelpers.h"
#include <QString>
#include <gtest/gtest.h>

using namespace halvorn;
using Lines = std::vector<std::string>;

// A text field's text, or "(bad: ...)" when the field breaks the form of a zero-filled text.
static std::string textOf(std::span<const std::uint8_t> entry, Field f) {
    const auto field = entry.subspan(f.offset, f.width);
    const auto end = std::find(field.begin(), field.end(), 0);
    if (end == field.end()) return "(bad: unterminated)";
    if (std::any_of(end, field.end(), [](std::uint8_t b) { return b != 0; })) return "(bad: not zero-filled)";
    return {field.begin(), end};
}
static std::string joined(const Lines& fields) {
    std::string line;
    for (const std::string& f : fields)
        line += (line.empty() ? "" : "\t") + f;
    return line;
}
// The built-in catalogs written out in the form of the file transcribed from their description:
// operator names read in code page 936, encryption by name, lengths of the account block's texts.
static Lines catalogsAsText() {
    const CustomOperators custom = CustomOperators::builtIn();
    const OperatorCatalog catalog(custom);
    const auto gbk = platform::makeCodec(936);
    Lines lines;
    for (int row = 0; row < kCountryCount; ++row) {
        const CountryEntry c = catalog.country(row);
        Lines fields{"country", std::to_string(row), std::string(c.countryName)};
        for (const OperatorEntry& e : c.operators.first(c.operatorCount))
            fields.push_back(QString::fromStdU16String(gbk->decode(textOf(e, op::name))).toStdString());
        lines.push_back(joined(fields));
    }
    for (const OperatorEntry& e : catalog.japan())
        lines.push_back(joined({"japan", textOf(e, op::name), textOf(e, op::dataApn), textOf(e, op::dataUser),
                                textOf(e, op::dataPassword)}));
    const MailPresets presets;
    for (int row = 0; row < kMailPresetRows; ++row) {
        const MailServerEntry& e = presets.row(row);
        const std::uint8_t code = e[mail::secureType];
        lines.push_back(
            joined({"preset", std::to_string(row), textOf(e, mail::smtpPort),
                    code >= 0x40 && code <= 0x42 ? Lines{"none", "SSL/TLS", "STARTTLS"}[code - 0x40] : "?",
                    std::to_string(textOf(e, mail::account).size()), std::to_string(textOf(e, mail::password).size()),
                    std::to_string(textOf(e, mail::senderAddress).size())}));
    }
    Lines carriers{"carriers"};
    for (const std::string_view name : carrierList())
        carriers.emplace_back(name);
    lines.push_back(joined(carriers));
    return lines;
}
TEST(Catalogs, AreAsTranscribed) {
    const Lines transcribed = test::fixtureLines("reference/catalog.txt"), built = catalogsAsText();
    ASSERT_EQ(std::pair(built.size(), transcribed.size()), std::pair(transcribed.size(), std::size_t{27 + 5 + 12 + 1}));
    for (std::size_t i = 0; i < built.size(); ++i)
        EXPECT_EQ(built[i], transcribed[i]);
}

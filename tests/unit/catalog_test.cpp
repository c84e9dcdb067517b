// The operator catalog, the mail presets, the carrier gateways and the two views.

#include "BuildSettings.h"
#include "catalog/MailPresets.h"
#include "catalog/OperatorCatalog.h"
#include "catalog/Views.h"
#include "profile/CustomOperators.h"
#include "profile/ProfileDefaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace halvorn {
namespace {

// The text at the start of a field, up to its first zero byte.
std::string textOf(std::span<const std::uint8_t> entry, Field f) {
    const auto* begin = entry.data() + f.offset;
    const auto* end = std::find(begin, begin + f.width, std::uint8_t{0});
    return std::string(begin, end);
}

// True when the field holds a terminator and only zeros after it.
bool terminatedAndZeroFilled(std::span<const std::uint8_t> entry, Field f) {
    const auto field = entry.subspan(f.offset, f.width);
    const auto zero = std::find(field.begin(), field.end(), std::uint8_t{0});
    if (zero == field.end()) return false;
    return std::all_of(zero, field.end(), [](std::uint8_t b) { return b == 0; });
}

bool allZero(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

bool isDottedIpv4(const std::string& s) {
    int parts = 0;
    std::size_t i = 0;
    while (true) {
        std::size_t digits = 0;
        int value = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            value = value * 10 + (s[i] - '0');
            ++digits;
            ++i;
        }
        if (digits == 0 || digits > 3 || value > 255) return false;
        ++parts;
        if (i == s.size()) return parts == 4;
        if (s[i] != '.' || parts == 4) return false;
        ++i;
    }
}

constexpr std::array<Field, 10> kOperatorFields{op::name,     op::mmsUrl,      op::mmsGateway,  op::mmsPort,
                                                op::mmsApn,   op::mmsUser,     op::mmsPassword, op::dataApn,
                                                op::dataUser, op::dataPassword};

std::vector<std::string> operatorNames(const CountryEntry& c) {
    std::vector<std::string> names;
    for (const OperatorEntry& e : c.operators)
        names.push_back(textOf(e, op::name));
    return names;
}

class OperatorCatalogTest : public ::testing::Test {
protected:
    CustomOperators custom = CustomOperators::builtIn();
    OperatorCatalog catalog{custom};
};

TEST_F(OperatorCatalogTest, CountriesComeInTheirFixedOrderWithEightySevenOperators) {
    const std::array<std::string_view, kCountryCount> expected{
        "Auto",     "Australia", "Austria",    "Canada",         "China",         "Cyprus",    "Czech Repblic",
        "Danmark",  "Estonia",   "Finland",    "France",         "Germany",       "Hong Kong", "Israel",
        "Italy",    "Japan",     "Netherland", "New Zealand",    "Norge",         "Norway",    "Russia",
        "Slovakia", "Sweden",    "Swiss",      "United Kingdom", "United States", "Customer"};
    int total = 0;
    for (int row = 0; row < kCountryCount; ++row) {
        const CountryEntry c = catalog.country(row);
        EXPECT_EQ(c.countryName, expected[static_cast<std::size_t>(row)]) << "row " << row;
        EXPECT_LE(c.countryName.size(), 15u);
        EXPECT_EQ(c.operators.size(), c.operatorCount) << "row " << row;
        EXPECT_GT(c.operatorCount, 0) << "row " << row;
        total += c.operatorCount;
    }
    EXPECT_EQ(total, kOperatorRowCount);
    EXPECT_EQ(catalog.country(kCountryFinland).countryName, "Finland");
    EXPECT_EQ(catalog.country(kCountryJapan).countryName, "Japan");
    EXPECT_EQ(catalog.country(kCountryCustomer).countryName, "Customer");
}

TEST_F(OperatorCatalogTest, RowsOutsideTheCatalogAreRefused) {
    EXPECT_THROW(catalog.country(-1), std::out_of_range);
    EXPECT_THROW(catalog.country(kCountryCount), std::out_of_range);
}

TEST_F(OperatorCatalogTest, OperatorNamesAreStoredExactlyAndInOrder) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(operatorNames(catalog.country(1)), Names{"Telstra"});
    EXPECT_EQ(operatorNames(catalog.country(3)), (Names{"Rogers", "Bell", "Telus"}));
    EXPECT_EQ(operatorNames(catalog.country(6)), (Names{"O2", "T-mobile", "Vodafone"}));
    EXPECT_EQ(operatorNames(catalog.country(7)), (Names{"3.", "4Recon", "4Recon1", "4Recon2", "callme", "Cbb",
                                                        "Greentel", "M1", "TDC", "Telenor", "Telia", "Telmore"}));
    EXPECT_EQ(operatorNames(catalog.country(9)),
              (Names{"DNA", "ELISA", "Saunalahti", "Saunalahti PrePaid", "Sonera", "TeleFinland"}));
    EXPECT_EQ(operatorNames(catalog.country(11)), (Names{"1&1", "E-Plus", "O2 Prepaid", "O2 with Contract",
                                                         "Revierwelt", "T-Mobile", "T-Mobile2", "Vodafone"}));
    EXPECT_EQ(operatorNames(catalog.country(13)),
              (Names{"Cellcom", "Golantelecom", "Hot mobile", "Orange", "youphone"}));
    EXPECT_EQ(operatorNames(catalog.country(15)), (Names{"SORACOM(docomo)", "SORACOM(KKDI)", "IIJ(KKDI)",
                                                         "nuro mobile(SoftBank)", "LINE MOBILE(SoftBank)"}));
    EXPECT_EQ(operatorNames(catalog.country(18)), (Names{"Netcom", "Tele2", "telenor"}));
    EXPECT_EQ(operatorNames(catalog.country(19)),
              (Names{"Chess", "Netcom", "OneCall", "Talkmore", "Tele2", "Telenor"}));
    EXPECT_EQ(operatorNames(catalog.country(21)), (Names{"O2", "Orange", "T-mobile"}));
    EXPECT_EQ(operatorNames(catalog.country(24)), (Names{"Vodafone", "Vodafone(Contract)", "Vodafone(Prepay)"}));
    EXPECT_EQ(operatorNames(catalog.country(25)), (Names{"AT&T/Cingular", "T-Mobile"}));
    // Edges of the remaining single-operator and short rows.
    EXPECT_EQ(operatorNames(catalog.country(2)), Names{"A1"});
    EXPECT_EQ(operatorNames(catalog.country(4)), Names{"China Unicom"});
    EXPECT_EQ(operatorNames(catalog.country(5)), Names{"MTN"});
    EXPECT_EQ(operatorNames(catalog.country(8)), Names{"EMT PrePaid"});
    EXPECT_EQ(operatorNames(catalog.country(10)), (Names{"Orange", "Bouygues", "SFR"}));
    EXPECT_EQ(operatorNames(catalog.country(12)), (Names{"CSL", "Peoples", "SmartOne"}));
    EXPECT_EQ(operatorNames(catalog.country(14)), (Names{"TIM", "Vodafone", "WIND"}));
    EXPECT_EQ(operatorNames(catalog.country(16)), Names{"KPN"});
    EXPECT_EQ(operatorNames(catalog.country(17)), (Names{"2Degrees", "Vodafone"}));
    EXPECT_EQ(operatorNames(catalog.country(20)), (Names{"Beeline", "Megafon", "MTS"}));
    EXPECT_EQ(operatorNames(catalog.country(22)), (Names{"Tele2", "Telia"}));
    EXPECT_EQ(operatorNames(catalog.country(23)), (Names{"Orange", "Swisscom"}));
}

TEST_F(OperatorCatalogTest, AutoOperatorIsTheGbkNameAndNothingElse) {
    const CountryEntry c = catalog.country(0);
    ASSERT_EQ(c.operatorCount, 1);
    const OperatorEntry& e = c.operators[0];
    const std::array<std::uint8_t, 4> gbk{0xD7, 0xD4, 0x84, 0xD3};
    EXPECT_TRUE(std::equal(gbk.begin(), gbk.end(), e.begin()));
    EXPECT_TRUE(allZero(std::span<const std::uint8_t>(e).subspan(4)));
}

TEST_F(OperatorCatalogTest, JapanRowsCarryOnlyDataConnectionSettings) {
    const auto japan = catalog.japan();
    ASSERT_EQ(japan.size(), 5u);
    for (const OperatorEntry& e : japan) {
        const std::string name = textOf(e, op::name);
        EXPECT_FALSE(textOf(e, op::dataApn).empty()) << name;
        EXPECT_FALSE(textOf(e, op::dataUser).empty()) << name;
        EXPECT_FALSE(textOf(e, op::dataPassword).empty()) << name;
        // mmsUrl to mmsPassword: bytes 32 to 191.
        EXPECT_TRUE(allZero(
            std::span<const std::uint8_t>(e).subspan(op::mmsUrl.offset, op::dataApn.offset - op::mmsUrl.offset)))
            << name;
    }
    EXPECT_EQ(textOf(japan[2], op::dataApn), "iijmobile.biz");
    EXPECT_EQ(textOf(japan[2], op::dataUser), "mobile@iij");
    EXPECT_EQ(textOf(japan[2], op::dataPassword), "iij");
    EXPECT_EQ(textOf(japan[4], op::dataApn), "line.me");
    EXPECT_EQ(textOf(japan[4], op::dataUser), "line@line");
    EXPECT_EQ(textOf(japan[4], op::dataPassword), "line");
}

TEST_F(OperatorCatalogTest, FirstJapanOperatorIsTheDefaultOperatorEntry) {
    const OperatorEntry& first = catalog.japan()[0];
    EXPECT_EQ(first, defaultOperatorEntry());
    EXPECT_EQ(textOf(first, op::name), "SORACOM(docomo)");
    EXPECT_EQ(textOf(first, op::dataApn), "soracom.io");
    EXPECT_EQ(textOf(first, op::dataUser), "sora");
    EXPECT_EQ(textOf(first, op::dataPassword), "sora");
    EXPECT_TRUE(terminatedAndZeroFilled(first, op::name));
}

TEST_F(OperatorCatalogTest, CustomerRowShowsTheCustomListAsItIsNow) {
    CountryEntry c = catalog.country(kCountryCustomer);
    EXPECT_EQ(c.operatorCount, 3);
    ASSERT_EQ(c.operators.size(), 3u);
    EXPECT_EQ(c.operators.data(), custom.list.data());
    EXPECT_EQ(c.operators[0], custom.list[0]);

    // A change of one entry shows through without asking the catalog again.
    custom.list[2] = OperatorEntry{};
    custom.list[2][0] = 'Z';
    EXPECT_EQ(c.operators[2][0], 'Z');

    // Replacing the whole list, as loading a backup does, shows too.
    CustomOperators loaded{};
    loaded.list[1][0] = 'Q';
    custom = loaded;
    c = catalog.country(kCountryCustomer);
    EXPECT_EQ(c.operators[1][0], 'Q');
    EXPECT_EQ(c.operators[0], OperatorEntry{});
    EXPECT_EQ(c.operatorCount, 3);
}

TEST_F(OperatorCatalogTest, EveryBuiltInTextKeepsItsWidthAndForm) {
    int hostNameGateways = 0;
    for (int row = 0; row < kCountryCustomer; ++row) {
        const CountryEntry c = catalog.country(row);
        for (const OperatorEntry& e : c.operators) {
            const std::string name = textOf(e, op::name);
            EXPECT_FALSE(name.empty()) << c.countryName;
            for (const Field& f : kOperatorFields)
                EXPECT_TRUE(terminatedAndZeroFilled(e, f)) << c.countryName << " " << name << " @" << f.offset;
            EXPECT_LE(textOf(e, op::mmsUrl).size(), 42u) << name;
            EXPECT_LE(textOf(e, op::dataApn).size(), 28u) << name;
            EXPECT_LE(textOf(e, op::mmsApn).size(), 25u) << name;
            const std::string gateway = textOf(e, op::mmsGateway);
            if (!gateway.empty() && !isDottedIpv4(gateway)) ++hostNameGateways;
            const std::string port = textOf(e, op::mmsPort);
            EXPECT_TRUE(std::all_of(port.begin(), port.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
                << name << " port " << port;
            // A gateway without a port (or the reverse) would leave the MMS settings half made.
            EXPECT_EQ(gateway.empty(), port.empty()) << name;
        }
    }
    EXPECT_LE(hostNameGateways, 1);
}

TEST_F(OperatorCatalogTest, RevierweltCarriesOnlyADataApn) {
    const CountryEntry germany = catalog.country(11);
    const OperatorEntry& e = germany.operators[4];
    ASSERT_EQ(textOf(e, op::name), "Revierwelt");
    EXPECT_FALSE(textOf(e, op::dataApn).empty());
    for (const Field& f : kOperatorFields) {
        if (f.offset != op::name.offset && f.offset != op::dataApn.offset) {
            EXPECT_TRUE(allZero(std::span<const std::uint8_t>(e).subspan(f.offset, f.width))) << f.offset;
        }
    }
}

TEST_F(OperatorCatalogTest, PublishedApnsOfWellKnownOperators) {
    EXPECT_EQ(textOf(catalog.country(1).operators[0], op::dataApn), "telstra.internet");
    EXPECT_EQ(textOf(catalog.country(3).operators[0], op::dataApn), "ltemobile.apn");
    EXPECT_EQ(textOf(catalog.country(25).operators[1], op::dataApn), "fast.t-mobile.com");
}

// --- Views ---

TEST(ViewsTest, CountryViewAfterNarrowing) {
    CustomOperators custom = CustomOperators::builtIn();
    const OperatorCatalog catalog(custom);
    Views views;
    views.narrow();
    EXPECT_EQ(views.country.count, 1);

    const auto customer = catalog.countryAt(views.country, 0);
    ASSERT_TRUE(customer.has_value());
    EXPECT_EQ(customer->countryName, "Customer");
    EXPECT_EQ(customer->operators.data(), custom.list.data());

    // A stored index is looked up at its position whatever the count.
    const auto japan = catalog.countryAt(views.country, 15);
    ASSERT_TRUE(japan.has_value());
    EXPECT_EQ(japan->countryName, "Japan");
    const auto finland = catalog.countryAt(views.country, 9);
    ASSERT_TRUE(finland.has_value());
    EXPECT_EQ(finland->countryName, "Finland");

    const auto first = catalog.firstOperatorAt(views.country, 15);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(*first, defaultOperatorEntry());
    const auto firstCustom = catalog.firstOperatorAt(views.country, 0);
    ASSERT_TRUE(firstCustom.has_value());
    EXPECT_EQ(*firstCustom, custom.list[0]);

    for (int position : {-1, 27, 255}) {
        EXPECT_FALSE(views.country.rowAt(position).has_value()) << position;
        EXPECT_FALSE(catalog.countryAt(views.country, position).has_value()) << position;
        EXPECT_FALSE(catalog.firstOperatorAt(views.country, position).has_value()) << position;
    }
    EXPECT_TRUE(catalog.countryAt(views.country, 26).has_value());
}

TEST(ViewsTest, PositionMappedToNoCatalogRowGivesNothing) {
    CustomOperators custom{};
    const OperatorCatalog catalog(custom);
    CountryView view = CountryView::identity();
    view.rows[3] = 27;
    view.rows[4] = -1;
    EXPECT_FALSE(catalog.countryAt(view, 3).has_value());
    EXPECT_FALSE(catalog.firstOperatorAt(view, 4).has_value());
    EXPECT_TRUE(catalog.firstOperatorAt(view, 5).has_value());
}

TEST(ViewsTest, MailPresetViewAfterNarrowing) {
    Views views;
    EXPECT_EQ(views.mailPreset.count, 10);
    views.narrow();
    EXPECT_EQ(views.mailPreset.count, 3);
    EXPECT_EQ(views.mailPreset.rowAt(0), kMailPresetRelay);
    EXPECT_EQ(views.mailPreset.rowAt(1), kMailPresetGmail);
    EXPECT_EQ(views.mailPreset.rowAt(2), kMailPresetCustom);
    EXPECT_EQ(views.mailPreset.rowAt(2), 9);
    EXPECT_EQ(views.mailPreset.rowAt(5), 5); // untouched positions keep their rows
    EXPECT_FALSE(views.mailPreset.rowAt(-1).has_value());
    EXPECT_FALSE(views.mailPreset.rowAt(10).has_value());
}

// --- Mail presets ---

struct PresetExpectation {
    const char* server;
    const char* port;
    std::uint8_t secureType;
};

TEST(MailPresetsTest, RowZeroIsTheDefaultMailEntry) {
    const MailPresets presets;
    EXPECT_EQ(presets.row(kMailPresetRelay), defaultMailEntry());
}

TEST(MailPresetsTest, ServerBlocksOfAllRows) {
    const MailPresets presets;
    const std::array<PresetExpectation, kMailPresetRows> expected{{
        {build::relaySmtpServer, "587", 0x42},
        {"smtp.gmail.com", "465", 0x41},
        {"smtp.live.com", "25", 0x42},
        {"smtp.mail.yahoo.com", "465", 0x41},
        {"smtp.1und1.de", "465", 0x41},
        {"mail.o2online.de", "465", 0x41},
        {nullptr, "5025", 0x40}, // Revierwelt: host not fixed here
        {"smtp.vodafonemail.de", "465", 0x41},
        {"mail.gmx.net", "587", 0x42},
        {"", "", 0x40},
        {"smtp.gmail.com", "465", 0x41},
        {nullptr, "465", 0x41}, // Finnish provider
    }};
    for (int r = 0; r < kMailPresetRows; ++r) {
        const MailServerEntry& e = presets.row(r);
        const PresetExpectation& x = expected[static_cast<std::size_t>(r)];
        if (x.server != nullptr) {
            EXPECT_EQ(textOf(e, mail::smtpServer), x.server) << "row " << r;
        }
        EXPECT_EQ(textOf(e, mail::smtpPort), x.port) << "row " << r;
        EXPECT_EQ(e[mail::secureType], x.secureType) << "row " << r;
        EXPECT_EQ(e[mail::reserved71], 0) << "row " << r;
        for (const Field& f :
             {mail::smtpServer, mail::smtpPort, mail::account, mail::password, mail::senderAddress, mail::senderName})
            EXPECT_TRUE(terminatedAndZeroFilled(e, f)) << "row " << r << " @" << f.offset;
    }
    EXPECT_FALSE(textOf(presets.row(kMailPresetFinnishRelay), mail::smtpServer).empty());
}

TEST(MailPresetsTest, OnlyRelayTypeAndAccountPresetsCarryAnAccount) {
    const MailPresets presets;
    for (int r = 1; r <= 9; ++r)
        EXPECT_TRUE(allZero(
            std::span<const std::uint8_t>(presets.row(r)).subspan(mail::accountBlock.offset, mail::accountBlock.width)))
            << "row " << r;
    EXPECT_FALSE(textOf(presets.row(0), mail::account).empty());
}

TEST(MailPresetsTest, FixedAccountsOfRowsTenAndEleven) {
    const MailPresets presets;
    struct Fixed {
        int row;
        const char* address;
        const char* password;
        std::size_t addressLength;
    };
    for (const Fixed& f : {Fixed{10, build::preset10Address, build::preset10Password, 25},
                           Fixed{kMailPresetFinnishRelay, build::preset11Address, build::preset11Password, 30}}) {
        const MailServerEntry& e = presets.row(f.row);
        const std::string address = textOf(e, mail::senderAddress);
        EXPECT_EQ(address, f.address) << "row " << f.row;
        EXPECT_EQ(address.size(), f.addressLength) << "row " << f.row;
        EXPECT_EQ(textOf(e, mail::account), address) << "row " << f.row;
        EXPECT_EQ(textOf(e, mail::password), f.password) << "row " << f.row;
        EXPECT_EQ(textOf(e, mail::password).size(), 8u) << "row " << f.row;
        const std::size_t at = address.find('@');
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(textOf(e, mail::senderName), address.substr(0, at)) << "row " << f.row;
    }
}

TEST(MailPresetsTest, RowsAreAScratchStorePerInstance) {
    MailPresets presets;
    const MailServerEntry typed = makeMailEntry("smtp.example.org", "2525", 0x41, "", "", "");
    presets.row(kMailPresetCustom) = typed;
    EXPECT_EQ(presets.row(kMailPresetCustom), typed);
    const MailPresets fresh;
    EXPECT_TRUE(textOf(fresh.row(kMailPresetCustom), mail::smtpServer).empty());
    EXPECT_THROW(presets.row(kMailPresetRows), std::out_of_range);
    EXPECT_THROW(presets.row(-1), std::out_of_range);
}

TEST(MakeMailEntryTest, SenderNameIsDerivedFromTheAddress) {
    const MailServerEntry e = makeMailEntry("smtp.example.org", "587", 0x42, "login", "secret", "camera@example.org");
    EXPECT_EQ(textOf(e, mail::smtpServer), "smtp.example.org");
    EXPECT_EQ(textOf(e, mail::smtpPort), "587");
    EXPECT_EQ(e[mail::secureType], 0x42);
    EXPECT_EQ(e[mail::reserved71], 0);
    EXPECT_EQ(textOf(e, mail::account), "login");
    EXPECT_EQ(textOf(e, mail::password), "secret");
    EXPECT_EQ(textOf(e, mail::senderName), "camera");

    const MailServerEntry noAt = makeMailEntry("", "", 0x40, "", "", "camera.example.org");
    EXPECT_EQ(textOf(noAt, mail::senderAddress), "camera.example.org");
    EXPECT_TRUE(allZero(std::span<const std::uint8_t>(noAt).subspan(mail::senderName.offset, mail::senderName.width)));

    const MailServerEntry firstAt = makeMailEntry("", "", 0x40, "", "", "a@b@c");
    EXPECT_EQ(textOf(firstAt, mail::senderName), "a");
    const MailServerEntry leadingAt = makeMailEntry("", "", 0x40, "", "", "@example.org");
    EXPECT_EQ(textOf(leadingAt, mail::senderName), "");
}

TEST(MakeMailEntryTest, LongSenderNameIsCutToItsField) {
    const std::string local23(23, 'n');
    const MailServerEntry exact = makeMailEntry("", "", 0x40, "", "", local23 + "@x.org");
    EXPECT_EQ(textOf(exact, mail::senderName), local23);

    const std::string local40(40, 'n');
    const MailServerEntry cut = makeMailEntry("", "", 0x40, "", "", local40 + "@x.org");
    EXPECT_EQ(textOf(cut, mail::senderName), local23);
    EXPECT_TRUE(terminatedAndZeroFilled(cut, mail::senderName));
}

TEST(MakeMailEntryTest, TextsThatDoNotFitTheirFieldAreRefused) {
    EXPECT_NO_THROW(makeMailEntry(std::string(63, 's'), "65535", 0x40, std::string(47, 'a'), std::string(63, 'p'),
                                  std::string(47, 'm')));
    EXPECT_THROW(makeMailEntry(std::string(64, 's'), "", 0x40, "", "", ""), std::length_error);
    EXPECT_THROW(makeMailEntry("", "123456", 0x40, "", "", ""), std::length_error);
    EXPECT_THROW(makeMailEntry("", "", 0x40, std::string(48, 'a'), "", ""), std::length_error);
    EXPECT_THROW(makeMailEntry("", "", 0x40, "", std::string(64, 'p'), ""), std::length_error);
    EXPECT_THROW(makeMailEntry("", "", 0x40, "", "", std::string(48, 'm')), std::length_error);
}

// --- Carrier gateways ---

SmsGatewayEntry gatewayRow(std::string_view suffix, std::string_view carrier) {
    SmsGatewayEntry row{};
    std::memcpy(row.data() + gatewaySuffix.offset, suffix.data(), suffix.size());
    std::memcpy(row.data() + carrierName.offset, carrier.data(), carrier.size());
    return row;
}

TEST(SmsGatewaysTest, FiveCarriersThenEmptyRows) {
    const auto& rows = smsGateways();
    const std::array<std::pair<std::string_view, std::string_view>, 5> expected{{{"A@mms.att.net", "AT&T"},
                                                                                 {"S@pm.sprint.com", "Sprint"},
                                                                                 {"T@tmomail.net", "T-mobile"},
                                                                                 {"U@mms.uscc.net", "US Cellular"},
                                                                                 {"V@vzwpix.com", "Verizon"}}};
    for (std::size_t r = 0; r < kSmsGatewayRows; ++r) {
        const SmsGatewayEntry& row = rows[r];
        if (r < expected.size()) {
            EXPECT_EQ(textOf(row, gatewaySuffix), expected[r].first) << "row " << r;
            EXPECT_EQ(textOf(row, carrierName), expected[r].second) << "row " << r;
            EXPECT_TRUE(terminatedAndZeroFilled(row, gatewaySuffix)) << "row " << r;
            EXPECT_TRUE(terminatedAndZeroFilled(row, carrierName)) << "row " << r;
            EXPECT_TRUE(isValidGateway(row)) << "row " << r;
        } else {
            EXPECT_TRUE(allZero(row)) << "row " << r;
            EXPECT_FALSE(isValidGateway(row)) << "row " << r;
        }
    }
    const std::vector<std::string_view> carriers = carrierList();
    EXPECT_EQ(carriers, (std::vector<std::string_view>{"AT&T", "Sprint", "T-mobile", "US Cellular", "Verizon"}));
}

TEST(SmsGatewaysTest, ValidityOfCraftedRows) {
    EXPECT_TRUE(isValidGateway(gatewayRow("X@example.net", "Carrier")));
    EXPECT_FALSE(isValidGateway(gatewayRow("Xexample.net", "Carrier")));   // no "@" second
    EXPECT_FALSE(isValidGateway(gatewayRow("XY@example.net", "Carrier"))); // "@" not second
    EXPECT_FALSE(isValidGateway(gatewayRow("X@example.net", "")));         // no carrier name
    SmsGatewayEntry noKey = gatewayRow("X@example.net", "Carrier");
    noKey[0] = 0;
    EXPECT_FALSE(isValidGateway(noKey));
    EXPECT_TRUE(isValidGateway(gatewayRow("X@", "C"))); // the shortest valid row
}

} // namespace
} // namespace halvorn

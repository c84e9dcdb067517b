#include "catalog/OperatorCatalog.h"

#include "profile/ProfileDefaults.h"
#include "profile/ProfileText.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>

namespace halvorn {

namespace {

// The ASCII texts of one built-in operator, in entry order. Empty texts leave
// their field zero.
struct OperatorTexts {
    std::string_view name;
    std::string_view mmsUrl;
    std::string_view mmsGateway;
    std::string_view mmsPort;
    std::string_view mmsApn;
    std::string_view mmsUser;
    std::string_view mmsPassword;
    std::string_view dataApn;
    std::string_view dataUser;
    std::string_view dataPassword;
};

// An operator of which only the name is built in.
constexpr OperatorTexts nameOnly(std::string_view name) { return {name, "", "", "", "", "", "", "", "", ""}; }

// An operator with data-connection settings only.
constexpr OperatorTexts dataOnly(std::string_view name, std::string_view apn, std::string_view user = "",
                                 std::string_view password = "") {
    return {name, "", "", "", "", "", "", apn, user, password};
}

// An operator with MMS and data-connection settings; the user name and password
// apply to both connections.
constexpr OperatorTexts withMms(std::string_view name, std::string_view url, std::string_view gateway,
                                std::string_view port, std::string_view mmsApn, std::string_view dataApn,
                                std::string_view user = "", std::string_view password = "") {
    return {name, url, gateway, port, mmsApn, user, password, dataApn, user, password};
}

struct CountryTexts {
    std::string_view name;
    std::size_t operatorCount;
};

// Rows 0 to 25; row 26 ("Customer") is the custom operator list.
constexpr std::array<CountryTexts, kCountryCount - 1> kCountries{{
    {"Auto", 1},           {"Australia", 1},     {"Austria", 1}, {"Canada", 3},   {"China", 1},      {"Cyprus", 1},
    {"Czech Repblic", 3},  {"Danmark", 12},      {"Estonia", 1}, {"Finland", 6},  {"France", 3},     {"Germany", 8},
    {"Hong Kong", 3},      {"Israel", 5},        {"Italy", 3},   {"Japan", 5},    {"Netherland", 1}, {"New Zealand", 2},
    {"Norge", 3},          {"Norway", 6},        {"Russia", 3},  {"Slovakia", 3}, {"Sweden", 2},     {"Swiss", 2},
    {"United Kingdom", 3}, {"United States", 2},
}};

constexpr std::string_view kCustomerName = "Customer";

// "自動" in GBK (code page 936).
constexpr std::string_view kAutoName = "\xD7\xD4\x84\xD3";

constexpr std::size_t kBuiltInOperatorCount = kOperatorRowCount - CustomOperators::kCount;

// The operators of rows 0 to 25, one country after the other.
constexpr std::array<OperatorTexts, kBuiltInOperatorCount> kOperators{{
    // Auto
    nameOnly(kAutoName),
    // Australia
    withMms("Telstra", "http://mmsc.telstra.com:8002", "10.1.1.180", "80", "telstra.mms", "telstra.internet"),
    // Austria
    dataOnly("A1", "A1.net", "ppp@a1plus.at", "ppp"),
    // Canada
    withMms("Rogers", "http://mms.gprs.rogers.com", "10.128.1.69", "80", "ltemobile.apn", "ltemobile.apn"),
    // Bell publishes its MMS proxy as a host name longer than the gateway field holds.
    dataOnly("Bell", "pda.bell.ca"),
    withMms("Telus", "http://aliasredirect.net/proxy/mmsc", "74.49.0.18", "80", "sp.telus.com", "sp.telus.com"),
    // China
    withMms("China Unicom", "http://mmsc.myuni.com.cn", "10.0.0.172", "80", "3gwap", "3gnet"),
    // Cyprus
    nameOnly("MTN"),
    // Czech Repblic
    withMms("O2", "http://mms.o2active.cz:8002", "160.218.160.218", "8080", "mms", "internet"),
    withMms("T-mobile", "http://mms", "10.0.0.10", "80", "mms.t-mobile.cz", "internet.t-mobile.cz"),
    dataOnly("Vodafone", "internet"),
    // Danmark
    dataOnly("3.", "data.tre.dk"),
    nameOnly("4Recon"),
    nameOnly("4Recon1"),
    nameOnly("4Recon2"),
    nameOnly("callme"),
    nameOnly("Cbb"),
    nameOnly("Greentel"),
    nameOnly("M1"),
    withMms("TDC", "http://mmsc.tdc.dk:8002", "194.182.251.15", "8080", "mms", "internet"),
    dataOnly("Telenor", "internet"),
    dataOnly("Telia", "www.internet.mtelia.dk"),
    nameOnly("Telmore"),
    // Estonia
    dataOnly("EMT PrePaid", "internet.emt.ee"),
    // Finland
    dataOnly("DNA", "internet"),
    withMms("ELISA", "http://mms.elisa.fi", "213.161.41.57", "80", "mms", "internet"),
    withMms("Saunalahti", "http://mms.elisa.fi", "213.161.41.57", "80", "mms.saunalahti.fi", "internet.saunalahti"),
    withMms("Saunalahti PrePaid", "http://mms.elisa.fi", "213.161.41.57", "80", "mms.saunalahti.fi",
            "internet.saunalahti"),
    dataOnly("Sonera", "internet"),
    dataOnly("TeleFinland", "internet"),
    // France
    withMms("Orange", "http://mms.orange.fr", "192.168.10.200", "8080", "orange.acte", "orange.fr", "orange", "orange"),
    withMms("Bouygues", "http://mms.bouyguestelecom.fr/mms/wapenc", "62.201.129.226", "8080", "mmsbouygtel.com",
            "mmsbouygtel.com"),
    withMms("SFR", "http://mms1", "10.151.0.1", "8080", "sl2sfr", "sl2sfr"),
    // Germany
    nameOnly("1&1"),
    OperatorTexts{"E-Plus", "http://mms/eplus", "212.23.97.153", "5080", "mms.eplus.de", "mms", "eplus",
                  "internet.eplus.de", "eplus", "gprs"},
    withMms("O2 Prepaid", "http://10.81.0.7:8002", "82.113.100.5", "8080", "internet", "pinternet.interkom.de"),
    withMms("O2 with Contract", "http://10.81.0.7:8002", "82.113.100.5", "8080", "internet", "internet"),
    dataOnly("Revierwelt", "internet"),
    withMms("T-Mobile", "http://mms.t-mobile.de/servlets/mms", "172.28.23.131", "8008", "internet.t-mobile",
            "internet.t-mobile", "t-mobile", "tm"),
    dataOnly("T-Mobile2", "internet.telekom"),
    withMms("Vodafone", "http://139.7.24.1/servlets/mms", "139.7.29.17", "80", "event.vodafone.de", "web.vodafone.de"),
    // Hong Kong
    nameOnly("CSL"),
    nameOnly("Peoples"),
    nameOnly("SmartOne"),
    // Israel
    nameOnly("Cellcom"),
    nameOnly("Golantelecom"),
    nameOnly("Hot mobile"),
    dataOnly("Orange", "uinternet"),
    nameOnly("youphone"),
    // Italy
    withMms("TIM", "http://mms.tim.it/servlets/mms", "213.230.130.89", "80", "unico.tim.it", "ibox.tim.it"),
    withMms("Vodafone", "http://mms.vodafone.it/servlets/mms", "10.128.224.10", "80", "mms.vodafone.it",
            "mobile.vodafone.it"),
    withMms("WIND", "http://mms.wind.it", "212.245.244.100", "8080", "mms.wind", "internet.wind"),
    // Japan: row 0 is replaced by the default operator entry when the table is built.
    dataOnly("SORACOM(docomo)", "soracom.io", "sora", "sora"),
    dataOnly("SORACOM(KKDI)", "soracom.io", "sora", "sora"),
    dataOnly("IIJ(KKDI)", "iijmobile.biz", "mobile@iij", "iij"),
    dataOnly("nuro mobile(SoftBank)", "so-net.jp", "nuro", "nuro"),
    dataOnly("LINE MOBILE(SoftBank)", "line.me", "line@line", "line"),
    // Netherland
    withMms("KPN", "http://mp.mobiel.kpn/mmsc", "10.10.100.20", "5080", "portalmmm.nl", "portalmmm.nl"),
    // New Zealand
    withMms("2Degrees", "http://mms.2degreesmobile.net.nz:48090", "118.148.1.118", "8080", "mms", "internet"),
    withMms("Vodafone", "http://pxt.vodafone.net.nz/pxtsend", "172.30.38.3", "8080", "live.vodafone.com",
            "www.vodafone.net.nz"),
    // Norge
    withMms("Netcom", "http://mms.netcom.no", "212.169.66.4", "8080", "mms.netcom.no", "internet.netcom.no"),
    withMms("Tele2", "http://mmsc.tele2.no", "193.12.40.66", "8080", "mms.tele2.no", "internet.tele2.no"),
    withMms("telenor", "http://mmsc", "10.10.10.11", "8080", "telenor", "telenor"),
    // Norway
    nameOnly("Chess"),
    withMms("Netcom", "http://mms.netcom.no", "212.169.66.4", "8080", "mms.netcom.no", "internet.netcom.no"),
    nameOnly("OneCall"),
    nameOnly("Talkmore"),
    withMms("Tele2", "http://mmsc.tele2.no", "193.12.40.66", "8080", "mms.tele2.no", "internet.tele2.no"),
    withMms("Telenor", "http://mmsc", "10.10.10.11", "8080", "telenor", "telenor"),
    // Russia
    withMms("Beeline", "http://mms/", "192.168.94.23", "8080", "mms.beeline.ru", "internet.beeline.ru", "beeline",
            "beeline"),
    withMms("Megafon", "http://mmsc:8002", "10.10.10.10", "8080", "mms", "internet", "gdata", "gdata"),
    withMms("MTS", "http://mmsc", "192.168.192.192", "8080", "mms.mts.ru", "internet.mts.ru", "mts", "mts"),
    // Slovakia
    withMms("O2", "http://mms.o2world.sk:8002", "10.97.1.11", "8080", "o2mms", "o2internet"),
    dataOnly("Orange", "internet"),
    dataOnly("T-mobile", "internet"),
    // Sweden
    withMms("Tele2", "http://mmsc.tele2.se", "130.244.202.30", "8080", "4g.tele2.se", "4g.tele2.se"),
    withMms("Telia", "http://mmss/", "193.209.134.132", "8080", "mms.telia.se", "online.telia.se"),
    // Swiss
    withMms("Orange", "http://mms.orange.ch", "192.168.151.2", "8080", "mms", "internet"),
    withMms("Swisscom", "http://mms.natel.ch:8079", "192.168.210.2", "8080", "event.swisscom.ch", "gprs.swisscom.ch"),
    // United Kingdom
    OperatorTexts{"Vodafone", "http://mms.vodafone.co.uk/servlets/mms", "212.183.137.12", "8799", "wap.vodafone.co.uk",
                  "wap", "wap", "internet", "web", "web"},
    withMms("Vodafone(Contract)", "http://mms.vodafone.co.uk/servlets/mms", "212.183.137.12", "8799",
            "wap.vodafone.co.uk", "wap.vodafone.co.uk", "wap", "wap"),
    withMms("Vodafone(Prepay)", "http://mms.vodafone.co.uk/servlets/mms", "212.183.137.12", "8799", "pp.vodafone.co.uk",
            "pp.vodafone.co.uk", "wap", "wap"),
    // United States: T-Mobile's MMS centre is reached without a proxy.
    withMms("AT&T/Cingular", "http://mmsc.mobile.att.net", "172.26.39.1", "80", "phone", "broadband"),
    withMms("T-Mobile", "http://mms.msg.eng.t-mobile.com/mms/wapenc", "", "", "fast.t-mobile.com", "fast.t-mobile.com"),
}};

constexpr std::size_t countryStart(std::size_t row) {
    std::size_t start = 0;
    for (std::size_t r = 0; r < row; ++r)
        start += kCountries[r].operatorCount;
    return start;
}

constexpr std::size_t kJapanStart = countryStart(kCountryJapan);

// --- Checks of the built-in data, done by the compiler ---

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool isDottedIpv4(std::string_view s) {
    int parts = 0;
    std::size_t i = 0;
    while (true) {
        std::size_t digits = 0;
        unsigned value = 0;
        while (i < s.size() && isDigit(s[i])) {
            value = value * 10 + static_cast<unsigned>(s[i] - '0');
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

constexpr bool isDecimal(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return isDigit(c); });
}

constexpr bool fits(std::string_view text, Field f) {
    return text.size() < f.width && text.find('\0') == std::string_view::npos;
}

constexpr bool builtInDataIsWellFormed() {
    std::size_t total = 0;
    for (const CountryTexts& c : kCountries) {
        if (c.name.empty() || c.name.size() > 15 || c.operatorCount == 0) return false;
        total += c.operatorCount;
    }
    if (total != kBuiltInOperatorCount) return false;
    std::size_t hostNameGateways = 0;
    for (const OperatorTexts& o : kOperators) {
        if (o.name.empty() || !fits(o.name, op::name)) return false;
        if (o.mmsUrl.size() > 42 || o.dataApn.size() > 28 || o.mmsApn.size() > 25) return false;
        if (!fits(o.mmsUrl, op::mmsUrl) || !fits(o.mmsGateway, op::mmsGateway) || !fits(o.mmsPort, op::mmsPort) ||
            !fits(o.mmsApn, op::mmsApn) || !fits(o.mmsUser, op::mmsUser) || !fits(o.mmsPassword, op::mmsPassword) ||
            !fits(o.dataApn, op::dataApn) || !fits(o.dataUser, op::dataUser) || !fits(o.dataPassword, op::dataPassword))
            return false;
        if (!o.mmsGateway.empty() && !isDottedIpv4(o.mmsGateway)) ++hostNameGateways;
        if (!o.mmsPort.empty() && !isDecimal(o.mmsPort)) return false;
    }
    if (hostNameGateways > 1) return false;
    for (std::size_t i = kJapanStart; i < kJapanStart + kCountries[kCountryJapan].operatorCount; ++i) {
        const OperatorTexts& o = kOperators[i];
        if (o.dataApn.empty() || o.dataUser.empty() || o.dataPassword.empty()) return false;
        if (!o.mmsUrl.empty() || !o.mmsGateway.empty() || !o.mmsPort.empty() || !o.mmsApn.empty() ||
            !o.mmsUser.empty() || !o.mmsPassword.empty())
            return false;
    }
    return true;
}

static_assert(kCountries[kCountryFinland].name == "Finland");
static_assert(kCountries[kCountryJapan].name == "Japan");
static_assert(builtInDataIsWellFormed(), "a built-in operator text does not keep its field's form");

void putText(OperatorEntry& entry, Field f, std::string_view text) { putBuiltInText(fieldOf(entry, f), text); }

OperatorEntry makeEntry(const OperatorTexts& o) {
    OperatorEntry e{};
    putText(e, op::name, o.name);
    putText(e, op::mmsUrl, o.mmsUrl);
    putText(e, op::mmsGateway, o.mmsGateway);
    putText(e, op::mmsPort, o.mmsPort);
    putText(e, op::mmsApn, o.mmsApn);
    putText(e, op::mmsUser, o.mmsUser);
    putText(e, op::mmsPassword, o.mmsPassword);
    putText(e, op::dataApn, o.dataApn);
    putText(e, op::dataUser, o.dataUser);
    putText(e, op::dataPassword, o.dataPassword);
    return e;
}

// Built on first use, so that the default operator entry exists by then.
const std::array<OperatorEntry, kBuiltInOperatorCount>& builtInOperators() {
    static const std::array<OperatorEntry, kBuiltInOperatorCount> entries = [] {
        std::array<OperatorEntry, kBuiltInOperatorCount> a{};
        for (std::size_t i = 0; i < kBuiltInOperatorCount; ++i)
            a[i] = makeEntry(kOperators[i]);
        a[kJapanStart] = defaultOperatorEntry();
        return a;
    }();
    return entries;
}

} // namespace

OperatorCatalog::OperatorCatalog(const CustomOperators& custom) : custom_(custom) {}

CountryEntry OperatorCatalog::country(int row) const {
    if (row < 0 || row >= kCountryCount) throw std::out_of_range("operator catalog row out of range");
    if (row == kCountryCustomer)
        return {kCustomerName, std::span<const OperatorEntry>(custom_.list),
                static_cast<std::uint16_t>(custom_.list.size())};
    const auto r = static_cast<std::size_t>(row);
    const CountryTexts& c = kCountries[r];
    return {c.name, std::span<const OperatorEntry>(builtInOperators()).subspan(countryStart(r), c.operatorCount),
            static_cast<std::uint16_t>(c.operatorCount)};
}

std::optional<CountryEntry> OperatorCatalog::countryAt(const CountryView& view, int position) const {
    const std::optional<int> row = view.rowAt(position);
    if (!row || *row < 0 || *row >= kCountryCount) return std::nullopt;
    return country(*row);
}

std::optional<OperatorEntry> OperatorCatalog::firstOperatorAt(const CountryView& view, int position) const {
    const std::optional<CountryEntry> c = countryAt(view, position);
    if (!c || c->operatorCount == 0 || c->operators.empty()) return std::nullopt;
    return c->operators.front();
}

} // namespace halvorn

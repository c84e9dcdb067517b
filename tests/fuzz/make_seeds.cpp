// Writes the seed corpus of the fuzz targets into a folder:
//   make_seeds tests/fixtures/fuzz/backup_reader
// The seeds are stored in the repository; this program documents and
// reproduces them (fixed random seed).

#include "profile/CustomOperators.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileFormat.h"
#include "profile/ProfileRecord.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace halvorn;
using Bytes = std::vector<std::uint8_t>;

namespace {

void put(const std::filesystem::path& folder, const std::string& name, const Bytes& bytes) {
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes defaultsBackup() {
    ProfileRecord record;
    applyProfileDefaults(record);
    return encodeBackup(record, CustomOperators::builtIn());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);

    const Bytes defaults = defaultsBackup();
    put(folder, "defaults.bak", defaults);
    put(folder, "record-only-1016.bak", Bytes(defaults.begin(), defaults.begin() + kRecordSize));
    put(folder, "truncated-1015.bak", Bytes(defaults.begin(), defaults.begin() + kRecordSize - 1));
    put(folder, "truncated-tail-1500.bak", Bytes(defaults.begin(), defaults.begin() + 1500));
    put(folder, "truncated-2.bak", Bytes(defaults.begin(), defaults.begin() + 2));
    put(folder, "empty.bak", Bytes{});
    Bytes longer = defaults;
    longer.resize(3000, 0xA5);
    put(folder, "longer-3000.bak", longer);

    // The mark "V4": refused.
    {
        ProfileRecord record;
        applyProfileDefaults(record);
        record.setU8(1, '4');
        put(folder, "mark-v4.bak", encodeBackup(record, CustomOperators::builtIn()));
    }

    // Random records with a valid mark; some followed by a control byte
    // (code page and "OK" choice of the start-up target).
    std::mt19937 random(20260);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 6; ++i) {
        ProfileRecord record;
        for (auto& b : record.bytes())
            b = static_cast<std::uint8_t>(byte(random));
        record.setU8(0, 'V');
        record.setU8(1, 0);
        CustomOperators custom{};
        for (auto& entry : custom.list)
            for (auto& b : entry)
                b = static_cast<std::uint8_t>(byte(random));
        Bytes file = encodeBackup(record, custom);
        if (i >= 2) file.push_back(static_cast<std::uint8_t>((i - 2) | (i % 2 == 0 ? 0x80 : 0)));
        put(folder, "random-valid-" + std::to_string(i) + ".bak", file);
    }
    // Random bytes of random lengths, mostly refused.
    std::uniform_int_distribution<int> length(0, 2200);
    for (int i = 0; i < 4; ++i) {
        Bytes file(static_cast<std::size_t>(length(random)));
        for (auto& b : file)
            b = static_cast<std::uint8_t>(byte(random));
        put(folder, "random-" + std::to_string(i) + ".bak", file);
    }
    return 0;
}

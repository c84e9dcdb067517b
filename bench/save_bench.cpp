// Times ProfileFiles::saveProfileFiles: PROFILE.BIN and the backup written
// into fresh folders, with and without the device flush. Prints the median,
// the 10th and the 90th percentile of each mode in microseconds.
//
// usage: save_bench [folder-to-work-in] [repetitions]

#include "profile/CustomOperators.h"
#include "profile/ProfileDefaults.h"
#include "profile/ProfileRecord.h"
#include "store/ProfileFiles.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace halvorn;

namespace {

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(std::lround(p * static_cast<double>(v.size() - 1)));
    return v[i];
}

std::vector<double> timeSaves(const fs::path& root, bool sync, int repetitions) {
    const fs::path card = root / (sync ? "card-sync" : "card-nosync");
    const fs::path temp = root / (sync ? "temp-sync" : "temp-nosync");
    fs::create_directories(card);
    fs::create_directories(temp);
    ProfileRecord record;
    applyProfileDefaults(record);
    CustomOperators custom = CustomOperators::builtIn();
    ProfileFiles files(record, custom, [temp]() -> std::optional<fs::path> { return temp; });
    files.setSyncToDevice(sync);

    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(repetitions));
    for (int i = 0; i < repetitions; ++i) {
        record.setU8(rec::maxSendCount, static_cast<std::uint8_t>(i % 100)); // a different file each time
        const auto start = std::chrono::steady_clock::now();
        const auto error = files.saveProfileFiles(card);
        const auto end = std::chrono::steady_clock::now();
        if (error) {
            std::fprintf(stderr, "save failed: %s\n", error->describe().c_str());
            std::exit(1);
        }
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    return micros;
}

} // namespace

int main(int argc, char** argv) {
    fs::path root = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const int repetitions = argc > 2 ? std::max(1, static_cast<int>(std::strtol(argv[2], nullptr, 10))) : 200;
    std::string templ = (root / "halvorn-save-bench-XXXXXX").string();
    if (::mkdtemp(templ.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    root = templ;

    // Alternating blocks, so that both modes see the same state of the machine.
    std::vector<double> without;
    std::vector<double> with;
    for (int block = 0; block < 10; ++block) {
        auto a = timeSaves(root, false, repetitions / 10 + 1);
        auto b = timeSaves(root, true, repetitions / 10 + 1);
        without.insert(without.end(), a.begin(), a.end());
        with.insert(with.end(), b.begin(), b.end());
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);

    std::printf("save_without_sync_us median %.1f p10 %.1f p90 %.1f n %zu\n", percentile(without, 0.5),
                percentile(without, 0.1), percentile(without, 0.9), without.size());
    std::printf("save_with_sync_us median %.1f p10 %.1f p90 %.1f n %zu\n", percentile(with, 0.5), percentile(with, 0.1),
                percentile(with, 0.9), with.size());
    return 0;
}

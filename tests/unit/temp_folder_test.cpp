#include "platform/TempFolder.h"
#include "support/FileHelpers.h"
#include <gtest/gtest.h>

using namespace halvorn;
using namespace halvorn::test;
namespace fs = std::filesystem;

// TMPDIR when it names a folder by an absolute path, else the cache folder, made owner-only.
TEST(UserTempFolder, FromTheEnvironment) {
    const TempDir root;
    const fs::path cwd = fs::current_path(), tmp = root.path() / "tmp", xdg = root.path() / "xdg",
                   home = root.path() / "home", own = xdg / "halvorn-setup";
    fs::current_path(root.path());
    fs::create_directories("relative"); // a relative TMPDIR or cache folder that exists here
    fs::create_directories(tmp);
    putEnv("HOME", home.string());
    enum Plant { None, Link, File, Open };
    using Env = std::optional<std::string>;
    // clang-format off
    const std::tuple<Env, Env, Plant, std::optional<fs::path>> rows[] = {
        {tmp, xdg, None, tmp}, {"relative", xdg, None, own}, {root.path() / "missing", xdg, None, own},
        {{}, "relative", None, home / ".cache" / "halvorn-setup"}, {{}, xdg, Link, {}}, {{}, xdg, File, {}},
        {{}, xdg, Open, own}};
    // clang-format on
    const mode_t umask = ::umask(022);
    for (const auto& [tmpdir, cache, plant, want] : rows) {
        fs::remove_all(home);
        fs::remove_all(xdg);
        fs::create_directories(xdg);
        if (plant == Link) fs::create_directory_symlink(tmp, own);
        if (plant == File) writeAll(own, {1});
        if (plant == Open) fs::create_directory(own); // made 0755 by the umask
        putEnv("TMPDIR", tmpdir);
        putEnv("XDG_CACHE_HOME", cache);
        const auto folder = platform::userTempFolder();
        EXPECT_EQ(folder, want) << tmpdir.value_or("-") << " " << cache.value_or("-") << " " << plant;
        if (!folder || folder == tmp) continue;
        EXPECT_EQ(modeOf(*folder), S_IFDIR | 0700u);
    }
    ::umask(umask);
    fs::current_path(cwd);
}
// The cache folder's own folder held by another user is refused; planting one needs root rights.
TEST(UserTempFolder, AFolderOfAnotherUserIsRefused) {
    const TempDir cache;
    const fs::path own = cache.path() / "halvorn-setup";
    fs::create_directory(own);
    if (::chown(own.c_str(), 65534, 65534) != 0) GTEST_SKIP() << "giving a folder to another user needs root rights";
    putEnv("TMPDIR", std::nullopt);
    putEnv("XDG_CACHE_HOME", cache.path().string());
    EXPECT_EQ(platform::userTempFolder(), std::nullopt);
}

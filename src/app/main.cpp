#include "app/TarnvaleSetupApp.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

// What the program says before any window exists: the options that only
// print, and why it does not start when there is no screen to open on.

constexpr std::string_view kUsage = "Usage: halvorn-setup [-h | --help | -v | --version]\n"
                                    "Opens the settings of a Halvorn trail camera in a window and writes them as\n"
                                    "PROFILE.BIN into a folder you pick, usually the camera's memory card.\n"
                                    "\n"
                                    "  -h, --help     show this help and exit\n"
                                    "  -v, --version  show the version and exit\n"
                                    "\n"
                                    "The backup of all settings is setupV4.56J.bak in $TMPDIR, or else in\n"
                                    "halvorn-setup/ of $XDG_CACHE_HOME or ~/.cache. See halvorn-setup(1).\n";

std::string_view env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The whole text on standard output, flushed: 0, or 1 with the reason on standard error.
int print(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0) return 0;
    std::fprintf(stderr, "halvorn-setup: standard output: %s\n", std::strerror(errno));
    return 1;
}

// The messages' language as the C library chooses it: the first of LC_ALL,
// LC_MESSAGES and LANG that is set.
bool japanese() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string_view value = env(name);
        if (!value.empty()) return value.substr(0, 2) == "ja";
    }
    return false;
}

// Whether Qt has a screen on the platforms asked for (Qt's -platform option,
// else QT_QPA_PLATFORM): X11 with DISPLAY, Wayland with WAYLAND_DISPLAY, or a
// platform that needs no display server (offscreen, minimal, vnc, eglfs...).
// The platforms may be several ("wayland;xcb"), each with options after ':'.
bool hasScreen(std::string_view platforms) {
    const bool x11 = !env("DISPLAY").empty();
    const bool wayland = !env("WAYLAND_DISPLAY").empty();
    if (platforms.empty()) return x11 || wayland;
    while (!platforms.empty()) {
        const std::size_t end = platforms.find(';');
        const std::string_view entry = platforms.substr(0, end);
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (name == "xcb" ? x11 : name.substr(0, 7) == "wayland" ? wayland : !name.empty()) return true;
        platforms = end == std::string_view::npos ? std::string_view() : platforms.substr(end + 1);
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    std::string_view platforms = env("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help") return print(kUsage);
        if (arg == "-v" || arg == "--version") return print("halvorn-setup " HALVORN_VERSION "\n");
        if (arg == "-platform" && i + 1 < argc) platforms = argv[i + 1];
    }
    // Windows always has its desktop; elsewhere a display server or a platform without one is needed.
#ifdef _WIN32
    (void)platforms;
#else
    if (!hasScreen(platforms)) {
        std::fputs(japanese() ? "halvorn-setup: グラフィカルセッションが必要です（ディスプレイが見つかりません）\n"
                              : "halvorn-setup: needs a graphical session (no display found)\n",
                   stderr);
        return 1;
    }
#endif
    halvorn::app::TarnvaleSetupApp app(argc, argv);
    app.runStartUp();
    return 0;
}

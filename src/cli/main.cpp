// halvorn-profile: a card's settings from the command line. Standard C++ with
// header-only JSON and argument libraries, so that it builds for Windows too.

#include "cli/ProfileJson.h"
#include "cli/Utf8.h"
#include "platform/CodePage.h"
#include "platform/TempFolder.h"
#include "store/ProfileFiles.h"
#include "store/SaveLock.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

namespace {

using namespace halvorn;

// More than any settings file or JSON object of this program holds.
constexpr std::size_t kInputLimit = std::size_t{64} * 1024;

constexpr std::string_view kHelp = R"(Usage: halvorn-profile [options] command [ARGS...]
Shows, builds and checks the settings file of a Halvorn trail camera.

Commands:
  show FILE           print a PROFILE.BIN or a backup as one JSON object
  build JSON FOLDER   write FOLDER/PROFILE.BIN from a JSON object (JSON may be -)
  check FILE          list the values the settings windows would not accept

Options:
  -h, --help          Displays help on commandline options.
  -v, --version       Displays version information.
  --code-page <N>     Convert texts through code page <N> instead of the locale's.
)";

int fail(std::string_view text) {
    std::fprintf(stderr, "halvorn-profile: %s\n", cli::escaped(text).c_str());
    return cli::kFailed;
}

// The errno of the first write to standard output that failed; main() reports it.
int outputError = 0;

// Writes to standard output; false when the write failed, which ends the command.
bool put(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size()) return true;
    outputError = errno;
    return false;
}

// JSON escapes every control character but DEL and the C1 ones; those only occur inside strings.
std::string forTerminal(std::string json) {
    std::string out;
    char code[8];
    for (std::size_t i = 0; i < json.size(); ++i) {
        const auto c = static_cast<unsigned char>(json[i]);
        const auto next = i + 1 < json.size() ? static_cast<unsigned char>(json[i + 1]) : 0;
        if (c == 0x7F) {
            out += "\\u007f";
        } else if (c == 0xC2 && next >= 0x80 && next < 0xA0) { // U+0080 to U+009F in UTF-8
            std::snprintf(code, sizeof code, "\\u%04x", next);
            out += code;
            ++i;
        } else {
            out += json[i];
        }
    }
    return out;
}

// A path from an argument's UTF-8, never through the locale's 8-bit code page.
std::filesystem::path pathOf(const std::string& utf8) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#else
    return {utf8};
#endif
}

// The file's bytes (standard input for "-"), or nothing after the reason is on
// standard error. No more than one byte past the limit is read.
std::optional<std::string> readInput(const std::string& name) {
#ifdef _WIN32
    std::FILE* file = name == "-" ? stdin : ::_wfopen(pathOf(name).c_str(), L"rb");
#else
    std::FILE* file = name == "-" ? stdin : std::fopen(name.c_str(), "rb");
#endif
    if (file == nullptr) {
        fail(name + ": " + std::strerror(errno));
        return std::nullopt;
    }
    std::string bytes;
    char buffer[4096];
    int error = 0;
    while (bytes.size() <= kInputLimit) {
        const std::size_t n = std::fread(buffer, 1, std::min(sizeof buffer, kInputLimit + 1 - bytes.size()), file);
        if (n == 0) {
            if (std::ferror(file) != 0) error = errno != 0 ? errno : EIO;
            break;
        }
        bytes.append(buffer, n);
    }
    if (file != stdin) std::fclose(file);
    if (error != 0) {
        fail(name + ": " + std::strerror(error));
        return std::nullopt;
    }
    if (bytes.size() > kInputLimit) {
        fail(name + ": too large (more than " + std::to_string(kInputLimit) + " bytes)");
        return std::nullopt;
    }
    return bytes;
}

std::optional<cli::ProfileFile> readProfile(const std::string& name) {
    const auto bytes = readInput(name);
    if (!bytes) return std::nullopt;
    std::string why;
    auto file = cli::readProfileFile(
        {reinterpret_cast<const std::uint8_t*>(bytes->data()), static_cast<std::size_t>(bytes->size())}, why);
    if (!file) fail(name + ": " + why);
    return file;
}

int run(std::vector<std::string> arguments) {
    CLI::App app;
    app.set_help_flag(); // the program's own help, below
    bool help = false, version = false;
    std::string codePage;
    std::vector<std::string> args;
    app.add_flag("-h,--help", help);
    app.add_flag("-v,--version", version);
    app.add_option("--code-page", codePage);
    app.add_option("command", args);
    app.allow_extras(false);
    app.allow_windows_style_options(false);           // "/cards/07" is a path, on Windows too
    std::reverse(arguments.begin(), arguments.end()); // as the parser takes them
    try {
        app.parse(arguments);
    } catch (const CLI::ParseError& e) {
        return fail(e.what());
    }
    if (help) return put(cli::escaped(kHelp, true)) ? 0 : cli::kFailed;
    if (version) return put("halvorn-profile " HALVORN_VERSION "\n") ? 0 : cli::kFailed;

    std::unique_ptr<TextCodec> codec;
    if (app.count("--code-page") != 0) {
        int page = 0;
        const auto [end, error] = std::from_chars(codePage.data(), codePage.data() + codePage.size(), page);
        if (error == std::errc() && end == codePage.data() + codePage.size()) codec = platform::makeCodec(page);
        if (!codec) return fail("no converter for code page " + codePage);
    } else {
        codec = platform::makeRunCodec(platform::systemCodePage());
    }

    const std::string command = args.empty() ? std::string() : args[0];
    if ((command == "show" || command == "check") && args.size() == 2) {
        const auto file = readProfile(args[1]);
        if (!file) return cli::kFailed;
        if (command == "show")
            return put(forTerminal(
                       cli::showProfile(*file, *codec).dump(4, ' ', false, nlohmann::json::error_handler_t::replace) +
                       '\n'))
                       ? 0
                       : cli::kFailed;
        const cli::CheckReport report = cli::checkProfile(*file, *codec);
        for (const auto* lines : {&report.refusals, &report.warnings})
            for (const std::string& line : *lines)
                if (!put(cli::escaped(line) + '\n')) return cli::kFailed;
        return report.refusals.empty() ? 0 : 1;
    }
    if (command == "build" && args.size() == 3) {
        if (args[2].empty()) return fail("build: the folder is empty (\".\" is the current one)");
        const auto json = readInput(args[1]);
        if (!json) return cli::kFailed;
        const std::filesystem::path folder = pathOf(args[2]);
        // Writes take turns with the windows' saves: the same lock, waited for as long.
        const SaveLock turn(platform::userTempFolder());
        if (const auto refused = turn.refusal(folder / kProfileBinName)) return fail(refused->describe());
        std::string why;
        const int status = cli::buildProfileBin(*json, folder, *codec, why);
        if (status != 0) fail(args[1] + ": " + why);
        return status;
    }
    return fail("usage: halvorn-profile show FILE | build JSON FOLDER | check FILE (see --help)");
}

// The arguments after the program's name, in UTF-8 (on Windows from the wide command line).
std::vector<std::string> argumentsOf(int argc, char* argv[]) {
    std::vector<std::string> out;
#ifdef _WIN32
    (void)argc, (void)argv;
    int n = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &n);
    for (int i = 1; wide != nullptr && i < n; ++i) {
        const std::u8string utf8 = std::filesystem::path(wide[i]).u8string();
        out.emplace_back(utf8.begin(), utf8.end());
    }
    ::LocalFree(wide);
#else
    for (int i = 1; i < argc; ++i)
        out.emplace_back(argv[i]);
#endif
    return out;
}

} // namespace

int main(int argc, char* argv[]) {
#ifdef _WIN32
    // Bytes in and out as they are: no line-end translation, no end at a byte 0x1A.
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
#endif
    const int status = run(argumentsOf(argc, argv));
    // What is still buffered goes out now; output that did not all go out fails the command.
    if (outputError == 0 && std::fflush(stdout) != 0) outputError = errno;
    if (outputError != 0) return fail(std::string("standard output: ") + std::strerror(outputError));
    return status;
}

#include "platform/DurableFile.h"
#include "support/FileHelpers.h"
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

using namespace halvorn::platform;
using namespace halvorn::test;
using enum WriteStep;
using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

class DurableFileTest : public ::testing::Test {
protected:
    TempDir dir;
    const std::filesystem::path target = dir.path() / "PROFILE.BIN";
    const Bytes oldBytes = Bytes(3000, 0x5A), newBytes = Bytes(996, 0xC3);
};
// Every fault: the step and the cause it is reported with, and whether the old file stays (up to the
// rename it does); no new file is ever left beside it. No message: the write succeeds.
TEST_F(DurableFileTest, EachFaultIsReportedWithItsCauseAndFile) {
    const std::string gone = "%1 could not be written: the folder was not found; the card may have been removed.",
                      io = "%1 could not be written: the card is unreadable (input/output error).",
                      denied = "Access to %1 was denied.", full = "Disk full while accessing %1.",
                      file = "%1 could not be written: a part of the path is a file, not a folder.",
                      generic = "%1 could not be written: " + std::string(std::strerror(EISDIR)) + ".",
                      busy = "%1 could not be written: " + std::string(std::strerror(EBUSY)) + ".",
                      protect = "%1 could not be written: the card is write-protected.";
    const auto after = [](int error) { // once the new file has replaced the old one
        return "The new settings were written to %1, but could not be confirmed (" +
               std::string(error != 0 ? std::strerror(error) : "what was read back differs") +
               "). Check the card before using it.";
    };
    using enum Fault::How;
    // clang-format off
#ifdef _WIN32
    const std::tuple<Fault, int, std::string, bool> rows[] = {
        {{Fail, Create, ERROR_ACCESS_DENIED}, EACCES, denied, true}, {{Fail, Create, ERROR_WRITE_PROTECT}, EROFS, protect, true},
        {{Fail, Write, ERROR_DISK_FULL}, ENOSPC, full, true},  {{Fail, Write, ERROR_HANDLE_DISK_FULL}, ENOSPC, full, true},
        {{ZeroWrite, Write, 0}, ENOSPC, full, true},           {{Fail, Write, ERROR_CRC}, EIO, io, true},
        {{Fail, Sync, ERROR_IO_DEVICE}, EIO, io, true},        {{Fail, Close, ERROR_GEN_FAILURE}, EIO, io, true},
        {{Fail, Rename, ERROR_NOT_READY}, ENOENT, gone, true}, {{Fail, Rename, ERROR_PATH_NOT_FOUND}, ENOENT, gone, true},
        {{Fail, Rename, ERROR_DEVICE_NOT_CONNECTED}, ENOENT, gone, true},
        {{Fail, Rename, ERROR_SHARING_VIOLATION}, EBUSY, busy, true}, {{Fail, Rename, ERROR_SHARING_VIOLATION, 0, 3}, 0, "", false},
        {{Fail, ReadBack, ERROR_DEVICE_NOT_CONNECTED}, ENOENT, after(ENOENT), false},
        {{CorruptRead, ReadBack, 0}, 0, after(0), false},      {{Irregular, Write, 0}, 0, "", false}};
#else
    const std::tuple<Fault, int, std::string, bool> rows[] = {
        {{Fail, OpenFolder, ENOENT}, ENOENT, gone, true}, {{Fail, OpenFolder, ENOTDIR}, ENOTDIR, file, true},
        {{Fail, Create, EACCES}, EACCES, denied, true},   {{Fail, Create, EPERM}, EPERM, denied, true},
        {{Fail, Write, ENOSPC}, ENOSPC, full, true},      {{ZeroWrite, Write, 0}, ENOSPC, full, true},
        {{Fail, Write, EIO}, EIO, io, true},              {{Fail, Sync, EIO}, EIO, io, true},
        {{Fail, Close, EDQUOT}, EDQUOT, full, true},      {{Fail, Rename, EISDIR}, EISDIR, generic, true},
        {{Fail, Rename, EROFS}, EROFS, "%1 could not be written: the card is write-protected.", true},
        {{Fail, SyncFolder, EIO}, EIO, after(EIO), false}, {{Fail, ReadBack, ENXIO}, ENXIO, after(ENXIO), false},
        {{CorruptRead, ReadBack, 0}, 0, after(0), false},  {{Fail, SyncFolder, EINVAL}, 0, "", false},
        {{Irregular, Write, 0}, 0, "", false}};
#endif
    // clang-format on
    for (const auto& [fault, error, message, oldKept] : rows) {
        writeAll(target, oldBytes);
        const auto got = writeFileDurably(target, newBytes, {}, faultySys(fault));
        std::string want = message;
        if (!want.empty()) want.replace(want.find("%1"), 2, target.string());
        EXPECT_EQ(readAll(target), oldKept ? oldBytes : newBytes) << want;
        EXPECT_EQ(namesIn(dir.path()), Names{"PROFILE.BIN"}) << want;
        EXPECT_EQ(got.has_value(), !want.empty()) << want;
        if (!got) continue;
        EXPECT_EQ(std::tuple(got->step, got->error, got->describe(), got->path),
                  std::tuple(fault.step, error, want, target));
    }
}
// A PROFILE.BIN without write permission (as a card's read-only attribute shows) is refused, not replaced,
// even where the folder would let an ordinary user replace it.
TEST_F(DurableFileTest, ReadOnlyTargetIsRefused) {
    writeAll(target, oldBytes);
    const auto refused = [&] {
        const auto error = writeFileDurably(target, newBytes);
        return error && std::tuple(error->step, error->describe()) ==
                            std::tuple(Create, "Access to " + target.string() + " was denied.");
    };
#ifdef _WIN32
    ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(refused());
#else
    ASSERT_EQ(::chmod(target.c_str(), 0444) | ::chmod(dir.path().c_str(), 0777), 0);
    EXPECT_TRUE(asOrdinaryUser(refused));
#endif
    EXPECT_EQ(std::pair(readAll(target), namesIn(dir.path())), std::pair(oldBytes, Names{"PROFILE.BIN"}));
}

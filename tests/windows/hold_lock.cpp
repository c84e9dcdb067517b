// Holds the windows' save lock for the milliseconds given, as a save in another window does; says "held" once it
// has it. The command line's tests take turns with it on Windows.
#include "platform/TempFolder.h"
#include "store/SaveLock.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const halvorn::SaveLock lock(halvorn::platform::userTempFolder(), 0);
    if (argc != 2 || lock.refusal("PROFILE.BIN")) return 1;
    std::puts("held");
    std::fflush(stdout);
    ::Sleep(static_cast<DWORD>(std::atoi(argv[1])));
    return 0;
}

#pragma once
// Start-up measurement. When HALVORN_BENCH_EXIT_AFTER_SHOW=1 is in the
// environment, the program prints the CLOCK_MONOTONIC time in nanoseconds
// ("shown <ns>") on standard output once its first top-level window has been
// exposed and painted, and then quits. The benchmark compares that time with
// the moment it started the process. Without the variable nothing happens.

namespace halvorn::app {

// Call after the application object exists and before the first window is shown.
void installShowProbeIfAsked();

} // namespace halvorn::app

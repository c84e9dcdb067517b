#pragma once
// Start-up measurement for the benchmark programs: once the first top-level
// window has been exposed and painted, prints the CLOCK_MONOTONIC time in
// nanoseconds ("shown <ns>") on standard output and quits. The benchmark
// compares that time with the moment it started the process.

namespace halvorn::bench {

// Call after the application object exists and before the first window is shown.
void installShowProbe();

} // namespace halvorn::bench

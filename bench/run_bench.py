#!/usr/bin/python3
"""Start-up time and peak memory of halvorn-setup against a bare Qt dialog,
and the time of one save. Run by `make bench`.

Both programs run alternately under a private Xvfb, each built with the
start-up probe (bench/ShowProbe.h; halvorn-setup as bench/halvorn-setup-bench):
each prints the CLOCK_MONOTONIC time at which its first window was exposed and
painted, and quits. Start-up is that time minus the time just before the
process was started; peak memory is the process's maximum resident set size as
wait4() reports it.

usage: run_bench.py BUILD_DIR [RUNS]
"""

import os
import platform
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def machine():
    cpu = "unknown"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    with open("/proc/meminfo") as f:
        mem_kib = int(f.readline().split()[1])
    return f"{os.cpu_count()} CPUs ({cpu}), {mem_kib / 1024 / 1024:.1f} GiB memory, {platform.platform()}"


def start_xvfb():
    for display in range(90, 140):
        if os.path.exists(f"/tmp/.X11-unix/X{display}") or os.path.exists(f"/tmp/.X{display}-lock"):
            continue
        proc = subprocess.Popen(["Xvfb", f":{display}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.exists(f"/tmp/.X11-unix/X{display}"):
                return proc, f":{display}"
            if proc.poll() is not None:
                break
            time.sleep(0.05)
        proc.kill()
        proc.wait()
    sys.exit("cannot start Xvfb")


def run_once(command, env):
    binary = command[0]
    start = time.monotonic_ns()
    proc = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    out = proc.stdout.read().decode()
    _, status, usage = os.wait4(proc.pid, 0)
    proc.returncode = os.waitstatus_to_exitcode(status)
    if proc.returncode != 0:
        sys.exit(f"{binary} ended with {proc.returncode}")
    shown = [line for line in out.splitlines() if line.startswith("shown ")]
    if not shown:
        sys.exit(f"{binary} printed no show time")
    return (int(shown[0].split()[1]) - start) / 1e6, usage.ru_maxrss / 1024, (usage.ru_utime + usage.ru_stime) * 1000


def main():
    build = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    programs = {
        "halvorn-setup": [os.path.join(build, "bench/halvorn-setup-bench")],
        "bare dialog": [os.path.join(build, "bench/bare_dialog")],
        "bare dialog + Japanese label": [os.path.join(build, "bench/bare_dialog"), "--label"],
    }
    xvfb, display = start_xvfb()
    home = tempfile.mkdtemp(prefix="halvorn-bench-")
    try:
        env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": home,
            "TMPDIR": home,  # the backup folder: empty, so the program starts with the defaults
            "DISPLAY": display,
            "LANG": "ja_JP.UTF-8",
            "QT_QPA_PLATFORM": "xcb",
        }
        # One unmeasured run each, so that both start from a warm file cache.
        for binary in programs.values():
            run_once(binary, env)
        times = {name: [] for name in programs}
        rss = {name: [] for name in programs}
        cpu = {name: [] for name in programs}
        for _ in range(runs):
            for name, binary in programs.items():
                ms, mib, cpu_ms = run_once(binary, env)
                times[name].append(ms)
                rss[name].append(mib)
                cpu[name].append(cpu_ms)
    finally:
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(home, ignore_errors=True)

    save = subprocess.run([os.path.join(build, "bench/save_bench"), tempfile.gettempdir(), "400"],
                          check=True, capture_output=True, text=True).stdout

    print(f"Machine: {machine()}")
    print(f"Runs: {runs} of each program, alternating\n")
    # CPU time (user + system, the whole process) does not grow with the machine's load as the wall clock does.
    print("| Program | start-up median (ms) | min | max | CPU time median (ms) | peak RSS median (MiB) |")
    print("|---|---|---|---|---|---|")
    for name in programs:
        print(f"| {name} | {statistics.median(times[name]):.1f} | {min(times[name]):.1f} | "
              f"{max(times[name]):.1f} | {statistics.median(cpu[name]):.1f} | {statistics.median(rss[name]):.1f} |")
    app = "halvorn-setup"
    print()
    for floor in ("bare dialog", "bare dialog + Japanese label"):
        print(f"Start-up ratio to {floor}: {statistics.median(times[app]) / statistics.median(times[floor]):.3f}")
        print(f"Peak memory ratio to {floor}: {statistics.median(rss[app]) / statistics.median(rss[floor]):.3f}")
        print(f"CPU time ratio to {floor}: {statistics.median(cpu[app]) / statistics.median(cpu[floor]):.3f}")
    print()
    print(save.strip())


if __name__ == "__main__":
    main()

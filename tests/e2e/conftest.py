"""Fixtures that run the real program on a private X server with a session bus
and the accessibility bus, each test with a temporary folder of its own."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import pytest

sys.path.insert(0, os.path.dirname(__file__))

CAPTION = "Halvorn Setup V4.56J"


def _start_desktop():
    """Xvfb, a session bus and the AT-SPI bus; returns the processes to stop."""
    procs = []
    r, w = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1600x1200x24", "-nolisten", "tcp", "-noreset"],
                            pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(w)
    procs.append(xvfb)
    display = b""
    with os.fdopen(r, "rb") as f:
        display = f.readline().strip()
    if not display:
        raise RuntimeError("Xvfb did not start")
    os.environ["DISPLAY"] = ":" + display.decode()
    # The server announces its number before it is sure to take connections.
    end = time.monotonic() + 15
    while subprocess.run(["xdpyinfo"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode != 0:
        if time.monotonic() > end:
            raise RuntimeError("Xvfb does not take connections")
        time.sleep(0.1)

    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    procs.append(bus)
    address = bus.stdout.readline().decode().strip()
    if not address:
        raise RuntimeError("dbus-daemon did not start")
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = address

    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    procs.append(launcher)
    # The accessibility bus is ready when the launcher answers on the session bus.
    end = time.monotonic() + 15
    while time.monotonic() < end:
        res = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                              "org.a11y.Bus.GetAddress"], capture_output=True)
        if res.returncode == 0:
            break
        time.sleep(0.1)
    else:
        raise RuntimeError("the accessibility bus did not start")
    return procs


def _stop(procs):
    for p in reversed(procs):
        if p.poll() is None:
            p.terminate()
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()


@pytest.fixture(scope="session")
def desktop():
    procs = _start_desktop()
    try:
        yield os.environ["DISPLAY"]
    finally:
        _stop(procs)


@pytest.fixture(scope="session")
def binary():
    path = os.environ.get("HALVORN_BIN")
    if not path or not os.path.exists(path):
        pytest.fail("HALVORN_BIN must name the built halvorn-setup program")
    return path


class Program:
    """One run of the real program."""

    def __init__(self, proc, app_acc):
        self.proc = proc
        self.app = app_acc

    @property
    def frame(self):
        import atspi_util as u
        import pyatspi
        return u.find(self.app, role=pyatspi.ROLE_DIALOG, name=CAPTION, showing=True)

    def wait_exit(self, timeout=10):
        return self.proc.wait(timeout=timeout)

    def running(self):
        return self.proc.poll() is None


class Session:
    """A test's own folders: the temporary folder the backup lives in, a folder
    to save PROFILE.BIN into, and the runs of the program it started."""

    def __init__(self, binary, root):
        self.binary = binary
        self.root = root
        self.tmpdir = os.path.join(root, "tmp")
        self.cards = os.path.join(root, "card")
        os.makedirs(self.tmpdir, mode=0o700)
        os.makedirs(self.cards)
        # Qt keeps its runtime files here rather than in the temporary folder.
        self.runtime = os.path.join(root, "runtime")
        os.makedirs(self.runtime, mode=0o700)
        self.runs = []

    @property
    def backup(self):
        return os.path.join(self.tmpdir, "setupV4.56J.bak")

    def profile_bin(self, folder=None):
        return os.path.join(folder or self.cards, "PROFILE.BIN")

    def start(self, extra_env=None, read_only_mount=None):
        """Starts the program. With read_only_mount, the program runs in a
        mount namespace of its own in which that folder is a read-only file
        system, like a write-protected card (needs root)."""
        import atspi_util as u
        import pyatspi
        env = dict(os.environ)
        env.update({
            "TMPDIR": self.tmpdir,
            "HOME": self.root,
            "XDG_CACHE_HOME": os.path.join(self.root, "cache"),
            "XDG_RUNTIME_DIR": self.runtime,
            "LANG": "ja_JP.UTF-8",
            "LC_ALL": "ja_JP.UTF-8",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_ACCESSIBILITY": "1",
            "QT_QPA_PLATFORM": "xcb",
            "NO_AT_BRIDGE": "0",
        })
        env.update(extra_env or {})
        log_path = os.path.join(self.root, "run-%d.log" % len(self.runs))
        with open(log_path, "wb") as log:
            command = [self.binary]
            if read_only_mount:
                # unshare and sh exec in place, so the pid stays the program's.
                command = ["unshare", "--mount", "--propagation", "private", "sh", "-c",
                           'mount -t tmpfs -o ro,size=64k tmpfs "$1" && exec "$0"', self.binary, read_only_mount]
            proc = subprocess.Popen(command, env=env, stdout=log, stderr=subprocess.STDOUT)
        self.runs.append(proc)

        def output():
            with open(log_path, "rb") as f:
                return f.read().decode(errors="replace")

        def find_app():
            if proc.poll() is not None:
                raise RuntimeError("the program ended at start (exit %s): %s" % (proc.returncode, output()))
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                a = desktop.getChildAtIndex(i)
                try:
                    if a is not None and a.get_process_id() == proc.pid:
                        return a
                except Exception:
                    continue
            return None

        app = u.wait_for(find_app, timeout=30, what="the program on the accessibility bus")
        program = Program(proc, app)
        u.wait_for(lambda: program.frame, timeout=30, what="the frame window")
        return program

    def stop_all(self):
        for p in self.runs:
            if p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()


@pytest.fixture
def session(desktop, binary):
    root = tempfile.mkdtemp(prefix="halvorn-e2e-")
    s = Session(binary, root)
    try:
        yield s
    finally:
        s.stop_all()
        shutil.rmtree(root, ignore_errors=True)

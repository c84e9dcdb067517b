"""The real program on a private X server with a session bus and the
accessibility bus, driven as a screen reader would: controls found by role
and accessible name through AT-SPI."""

import os
import subprocess
import time

import pyatspi as R


def wait_for(predicate, what, timeout=15.0):
    end, error = time.monotonic() + timeout, None
    while time.monotonic() < end:
        try:
            value = predicate()
            if value:
                return value
        except Exception as e:  # the tree changes while windows open and close
            error = e
        time.sleep(0.05)
    raise TimeoutError("no %s after %.0f s (%s)" % (what, timeout, error))


def has(acc, state):
    return acc.getState().contains(state)


def find_all(root, role, name=None, description=None):
    roles, found, stack = role if isinstance(role, tuple) else (role,), [], [root]
    while stack:
        acc = stack.pop()
        stack.extend(filter(None, map(acc.getChildAtIndex, range(acc.childCount))))
        if (acc.getRole() in roles and name in (None, acc.name) and description in (None, acc.description)
                and has(acc, R.STATE_SHOWING)):
            found.append(acc)
    return found


def find(root, role, name=None, description=None):
    return wait_for(lambda: next(iter(find_all(root, role, name, description)), None), repr(name or description))


def field(root, name):
    return find(root, (R.ROLE_TEXT, R.ROLE_PASSWORD_TEXT), name)


def put(acc, value):
    acc.queryEditableText().setTextContents(value)
    wait_for(lambda: acc.queryText().characterCount == len(value), "%r in %s" % (value, acc.name))


def press(acc):
    action = acc.queryAction()
    action.doAction(next(i for i in range(action.nActions) if action.getName(i).lower() in ("press", "toggle", "showmenu")))


def alert(app, title):
    box = find(app, R.ROLE_ALERT, title)
    return [label.name for label in find_all(box, R.ROLE_LABEL) if label.name], box


def close(window):
    press(find(window, R.ROLE_PUSH_BUTTON, "OK"))
    wait_for(lambda: not has(window, R.STATE_SHOWING), "%r to close" % window.name)


def _until(command, what):
    wait_for(lambda: subprocess.run(command, capture_output=True).returncode == 0, what)


def start_desktop(procs):
    """Xvfb (kept as it is when its last client leaves), a session bus and the accessibility bus."""
    r, w = os.pipe()
    procs.append(subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                                   "-noreset"], pass_fds=(w,), stderr=subprocess.DEVNULL))
    os.close(w)
    with os.fdopen(r) as f:
        os.environ["DISPLAY"] = ":" + f.readline().strip()
    _until(["xdpyinfo"], "the X server")  # it names its display before it takes connections
    procs.append(subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL))
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = procs[-1].stdout.readline().decode().strip()
    procs.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"]))
    _until(["dbus-send", "--session", "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
           "the accessibility bus")


class Session:
    """A temporary folder for the backup, a card folder, one run at a time."""

    def __init__(self, root):
        self.root, self.tmp, self.card = root, os.path.join(root, "tmp"), os.path.join(root, "card")
        for folder in (self.tmp, self.card, os.path.join(root, "run")):
            os.makedirs(folder, mode=0o700)
        self.backup, self.proc = os.path.join(self.tmp, "setupV4.56J.bak"), None

    def start(self):
        env = dict(os.environ, TMPDIR=self.tmp, HOME=self.root, XDG_RUNTIME_DIR=os.path.join(self.root, "run"),
                   LC_ALL="ja_JP.UTF-8", QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        proc = self.proc = subprocess.Popen([os.environ["HALVORN_BIN"]], env=env, stdout=subprocess.DEVNULL)

        def app():
            assert proc.poll() is None, "the program ended at start"
            desk = R.Registry.getDesktop(0)
            return next((a for a in map(desk.getChildAtIndex, range(desk.childCount))
                         if a and a.get_process_id() == proc.pid), None)
        self.app = wait_for(app, "program on the accessibility bus", timeout=30)
        self.frame = find(self.app, R.ROLE_DIALOG, "Halvorn Setup V4.56J")

    def quit(self):
        press(find(self.frame, R.ROLE_PUSH_BUTTON, "キャンセル"))
        assert self.proc.wait(timeout=10) == 0

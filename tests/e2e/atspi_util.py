"""Driving the program through the accessibility layer, as a screen reader or
a test robot would: find controls by role and name, set texts, press buttons,
pick list items, read message boxes."""

import subprocess
import time

import pyatspi

DEFAULT_TIMEOUT = 15.0


def wait_for(predicate, timeout=DEFAULT_TIMEOUT, interval=0.1, what="condition"):
    end = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < end:
        try:
            value = predicate()
            if value:
                return value
        except Exception as e:  # the tree changes under us while windows open and close
            last_error = e
        time.sleep(interval)
    raise TimeoutError("timed out waiting for %s%s" % (what, " (%s)" % last_error if last_error else ""))


def _matches(acc, role, name, description):
    if acc is None:
        return False
    if role is not None and acc.getRole() != role:
        return False
    if name is not None and acc.name != name:
        return False
    if description is not None and acc.description != description:
        return False
    return True


def find_all(root, role=None, name=None, description=None, showing=None):
    out = []
    stack = [root]
    while stack:
        acc = stack.pop()
        try:
            n = acc.childCount
        except Exception:
            continue
        for i in range(n - 1, -1, -1):
            try:
                child = acc.getChildAtIndex(i)
            except Exception:
                continue
            if child is None:
                continue
            stack.append(child)
        if acc is not root and _matches(acc, role, name, description):
            if showing is None or is_showing(acc) == showing:
                out.append(acc)
    return out


def find(root, role=None, name=None, description=None, showing=None, timeout=DEFAULT_TIMEOUT):
    what = "role=%s name=%r description=%r" % (role, name, description)
    return wait_for(lambda: next(iter(find_all(root, role, name, description, showing)), None),
                    timeout=timeout, what=what)


def state(acc, s):
    return acc.getState().contains(s)


def is_enabled(acc):
    return state(acc, pyatspi.STATE_ENABLED)


def is_showing(acc):
    return state(acc, pyatspi.STATE_SHOWING)


def is_checked(acc):
    return state(acc, pyatspi.STATE_CHECKED)


def get_text(acc):
    t = acc.queryText()
    return t.getText(0, t.characterCount)


def set_text(acc, value):
    acc.queryEditableText().setTextContents(value)
    wait_for(lambda: get_text(acc) == value, what="text %r in %s" % (value, acc.name))


def do_action(acc, names):
    action = acc.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in names:
            action.doAction(i)
            return
    raise AssertionError("%s has no action among %s" % (acc.name, names))


def press(acc):
    do_action(acc, ("Press", "press", "click"))


def toggle(acc):
    do_action(acc, ("Toggle", "toggle", "Press", "press", "click"))


def set_checked(acc, checked):
    if is_checked(acc) != checked:
        toggle(acc)
        wait_for(lambda: is_checked(acc) == checked, what="%s checked=%s" % (acc.name, checked))


def click_radio(acc):
    if not is_checked(acc):
        toggle(acc)
        wait_for(lambda: is_checked(acc), what="radio %s checked" % acc.name)


def center(acc):
    x, y, w, h = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return x + w // 2, y + h // 2


def xdotool(*args):
    subprocess.run(["xdotool", *[str(a) for a in args]], check=True)


def combo(root, label, timeout=DEFAULT_TIMEOUT):
    """A drop-down list found by its label (accessible description)."""
    return find(root, role=pyatspi.ROLE_COMBO_BOX, description=label, timeout=timeout)


def combo_items(acc):
    """The item texts of a drop-down list, from its list child."""
    for lst in find_all(acc, role=pyatspi.ROLE_LIST):
        return [lst.getChildAtIndex(i).name for i in range(lst.childCount)]
    return []


def pick(acc, index, expected=None):
    """Opens the list with a click and picks the item by keyboard."""
    x, y = center(acc)
    xdotool("mousemove", x, y, "click", "1")
    time.sleep(0.3)
    xdotool("key", "Home")
    for _ in range(index):
        xdotool("key", "Down")
    xdotool("key", "Return")
    if expected is not None:
        wait_for(lambda: acc.name == expected, what="list %s showing %r" % (acc.description, expected))


def type_keys(text):
    xdotool("type", "--delay", "20", text)


class Alert:
    def __init__(self, acc):
        self.acc = acc
        self.title = acc.name
        labels = [l.name for l in find_all(acc, role=pyatspi.ROLE_LABEL) if l.name]
        self.texts = labels
        self.text = "\n".join(labels)
        self.buttons = {b.name: b for b in find_all(acc, role=pyatspi.ROLE_PUSH_BUTTON)}

    def press(self, button="OK"):
        names = [button] + {"OK": ["&OK", "Ok"], "Yes": ["&Yes"], "No": ["&No"]}.get(button, [])
        for n in names:
            if n in self.buttons:
                press(self.buttons[n])
                wait_for(lambda: not is_showing(self.acc) or self.acc.getRole() == pyatspi.ROLE_INVALID,
                         what="message box %r to close" % self.title, timeout=5)
                return
        raise AssertionError("message box %r has no button %r (has %s)" % (self.title, button, list(self.buttons)))

    def __repr__(self):
        return "Alert(%r, %r)" % (self.title, self.text)


def alerts(app_acc):
    return [a for a in find_all(app_acc, role=pyatspi.ROLE_ALERT) if is_showing(a)]


def wait_alert(app_acc, title=None, timeout=DEFAULT_TIMEOUT):
    def get():
        for a in alerts(app_acc):
            if title is None or a.name == title:
                return a
        return None
    return Alert(wait_for(get, timeout=timeout, what="message box %r" % title))


def no_alert(app_acc, settle=1.0):
    """True when no message box shows up within the settle time."""
    time.sleep(settle)
    return not alerts(app_acc)


def dialog(app_acc, title, timeout=DEFAULT_TIMEOUT):
    return find(app_acc, role=pyatspi.ROLE_DIALOG, name=title, showing=True, timeout=timeout)

"""The real program: a change saved, checked byte for byte and shown after a restart; a card read back
through the file menu (Japanese question and picker), its window of the class its desktop entry names."""

import os
import re
import shutil
import sys
import subprocess
from pathlib import Path

import pytest

import harness as d
from harness import R

sys.path.insert(0, str(Path(__file__).parents[2] / "tools" / "fixtures"))
import reference as ref  # noqa: E402  the independent encoder's layout and scramble

REFERENCE = Path(__file__).parent.parent / "fixtures" / "reference"
PATH_LABEL = "保存先を選択してください"


def unscramble(data):
    return ref.words(data, ref.unscramble_word)


def expect(**fields):
    """The reference record with these fields changed, named by the reference layout; the SMS work time is never
    kept."""
    record = bytearray((REFERENCE / "record.bin").read_bytes())
    ref.put(record, 0, ref.RECORD, dict(smsStopHour=0, smsStartHour=0, **fields))
    return bytes(record)


@pytest.fixture(scope="module")
def desktop():
    procs = []
    try:
        yield d.start_desktop(procs)
    finally:
        for p in reversed(procs):
            p.terminate()
            p.wait()


@pytest.fixture
def session(desktop, tmp_path):
    s = d.Session(str(tmp_path))
    yield s
    if s.proc and s.proc.poll() is None:
        s.proc.kill()
        s.proc.wait()


def start_on_reference(session):
    shutil.copyfile(REFERENCE / "setupV4.56J.bak", session.backup)
    session.start()


def choose(root, name):
    d.press(d.find(root, R.ROLE_RADIO_BUTTON, name))
    d.wait_for(lambda: d.has(d.find(root, R.ROLE_RADIO_BUTTON, name), R.STATE_CHECKED), "%r chosen" % name)


def save(session):
    d.put(d.field(session.frame, PATH_LABEL), session.card)
    d.press(d.find(session.frame, R.ROLE_PUSH_BUTTON, "OK"))


def test_a_change_is_saved_and_shown_after_a_restart(session):
    want = expect(cameraMode=1, sendMode=1)
    start_on_reference(session)
    assert "libcurl" not in Path("/proc/%d/maps" % session.proc.pid).read_text()  # only the mail sender loads it
    choose(session.frame, "定時に送信")
    choose(session.frame, "動画")
    save(session)
    texts, box = d.alert(session.app, "保存先")
    assert "設定ファイルは次の場所に保存されました " + session.card in texts
    d.close(box)
    assert unscramble(Path(session.card, "PROFILE.BIN").read_bytes()) == want[20:]
    assert unscramble(Path(session.backup).read_bytes()[:1016]) == want
    session.quit()

    session.start()
    for name in ("定時に送信", "動画"):
        assert d.has(d.find(session.frame, R.ROLE_RADIO_BUTTON, name), R.STATE_CHECKED), name
    session.quit()


def test_card_read_back_through_the_menu_then_saved(session):
    shutil.copyfile(REFERENCE / "PROFILE.BIN", os.path.join(session.card, "PROFILE.BIN"))
    session.start()  # on the defaults: no backup
    # A window of the class the desktop entry names (the installed entry, when the program is installed).
    entry = Path(os.environ["HALVORN_BIN"]).parents[1] / "share/applications/io.github.halvorn.Setup.desktop"
    entry = entry if entry.exists() else Path(__file__).parents[2] / "data/io.github.halvorn.Setup.desktop"
    wm_class = "^%s$" % re.search(r"^StartupWMClass=(.*)$", entry.read_text(), re.M)[1]
    assert subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(session.proc.pid), "--class",
                           wm_class], capture_output=True).stdout.split(), wm_class
    d.press(d.find(session.frame, R.ROLE_MENU_ITEM, "ファイル"))
    d.press(d.find(session.app, R.ROLE_MENU_ITEM, "カードから読み込む..."))
    picker = d.find(session.app, R.ROLE_DIALOG, "読み込むカードのフォルダーを選択してください")
    d.find(picker, R.ROLE_COMBO_BOX, session.root)  # the home folder (no card mounted), not the working folder
    texts = [a.name for a in d.find_all(picker, (R.ROLE_PUSH_BUTTON, R.ROLE_LABEL, R.ROLE_TABLE_COLUMN_HEADER))]
    assert {"キャンセル", "新しいフォルダーの作成"} <= set(texts), texts  # Qt's own texts in Japanese
    assert not [t for t in texts if re.search("[A-Za-z]{2}", t)], texts
    d.put(d.field(picker, "ディレクトリ:"), session.card)
    d.press(d.find(picker, R.ROLE_PUSH_BUTTON, "選択(C)"))
    path = d.field(session.frame, PATH_LABEL)
    d.wait_for(lambda: path.queryText().getText(0, -1) == session.card, "the card's folder as the path")
    d.press(d.find(session.frame, R.ROLE_PUSH_BUTTON, "OK"))
    d.close(d.alert(session.app, "保存先")[1])
    assert unscramble(Path(session.card, "PROFILE.BIN").read_bytes()) == expect()[20:]
    session.quit()

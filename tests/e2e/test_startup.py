"""Start-up: the program opens with the last saved profile, and leaving it
writes nothing."""

import hashlib
import os

import pyatspi

import atspi_util as u
import profile_decoder as pd
from conftest import CAPTION


def _backup_with_name(name):
    rec = pd.Record(bytearray(pd.RECORD_SIZE))
    rec.b[0:2] = b"V\0"
    rec.b[20:31] = bytes([0, 0, 1, 0, 2, 1, 1, 0, 1, 12, 29])
    rec.b[59] = 7  # any variant; start-up writes its own
    rec.b[74] = 42
    rec.b[78] = 1
    rec.b[84] = 1  # rename on
    pd.put_text(rec.b, 90, 16, name)
    return pd.encode_backup(rec, pd.gbk_manual_entries())


def _digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def test_frame_opens_with_the_backup_and_quitting_writes_nothing(session):
    with open(session.backup, "wb") as f:
        f.write(_backup_with_name("TRAIL01"))
    os.chmod(session.backup, 0o600)
    before = _digest(session.backup)
    mtime = os.stat(session.backup).st_mtime_ns

    program = session.start()
    frame = program.frame
    assert frame.name == CAPTION

    # The main window shows what the backup held.
    name_field = u.find(frame, role=pyatspi.ROLE_TEXT, name="カメラ名")
    assert u.get_text(name_field) == "TRAIL01"
    count_field = u.find(frame, role=pyatspi.ROLE_TEXT, name="最大枚数")
    assert u.get_text(count_field) == "42"

    u.press(u.find(frame, role=pyatspi.ROLE_PUSH_BUTTON, name="キャンセル"))
    assert program.wait_exit() == 0

    assert _digest(session.backup) == before
    assert os.stat(session.backup).st_mtime_ns == mtime
    assert sorted(os.listdir(session.tmpdir)) == ["setupV4.56J.bak"]
    assert os.listdir(session.cards) == []


def test_a_backup_from_another_version_is_not_taken(session):
    data = bytearray(_backup_with_name("OTHER"))
    # "V4" in the version mark: the backup is refused and the defaults are shown.
    data[0:2] = pd.scramble(b"V4")
    with open(session.backup, "wb") as f:
        f.write(data)
    os.chmod(session.backup, 0o600)

    program = session.start()
    frame = program.frame
    assert u.get_text(u.find(frame, role=pyatspi.ROLE_TEXT, name="カメラ名")) == ""
    assert u.get_text(u.find(frame, role=pyatspi.ROLE_TEXT, name="最大枚数")) == "10"
    u.press(u.find(frame, role=pyatspi.ROLE_PUSH_BUTTON, name="キャンセル"))
    assert program.wait_exit() == 0
    # Leaving does not touch the refused backup either.
    assert open(session.backup, "rb").read() == bytes(data)

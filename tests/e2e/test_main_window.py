"""The main window through the accessibility layer: what it shows, what a save
writes, the messages of its checks and of the save folder, the reset and quitting."""

import os
import subprocess
import stat

import pyatspi
import pytest

import atspi_util as u
import profile_decoder as pd

APP_TITLE = "Halvorn Setup"
SAVED = "設定ファイルは次の場所に保存されました "


def text_field(frame, name):
    return u.find(frame, role=pyatspi.ROLE_TEXT, name=name)


def radio(frame, name):
    return u.find(frame, role=pyatspi.ROLE_RADIO_BUTTON, name=name)


def button(frame, name):
    return u.find(frame, role=pyatspi.ROLE_PUSH_BUTTON, name=name)


def phone(frame, n):
    return text_field(frame, "スマートフオン電話番号%d" % n)


def mail(frame, n):
    return text_field(frame, "受信メール  %d" % n)


def press_ok_expect(program, title, text=None, prefix=None):
    """Presses "OK" of the main window and answers the one message box it shows."""
    u.press(button(program.frame, "OK"))
    alert = u.wait_alert(program.app, title)
    if text is not None:
        assert text in alert.texts, alert
    if prefix is not None:
        assert any(t.startswith(prefix) for t in alert.texts), alert
    alert.press("OK")
    assert u.no_alert(program.app, settle=0.5), "a second message box appeared"
    return alert


def quit_program(program):
    u.press(button(program.frame, "キャンセル"))
    assert program.wait_exit() == 0


def fill_everything(frame, folder):
    u.click_radio(radio(frame, "撮影ごと＋定時に送信"))
    u.set_text(text_field(frame, "最大枚数"), "42")
    u.pick(u.combo(frame, "送信時刻(時)"), 21, "21")
    u.pick(u.combo(frame, "送信時刻(分)"), 15, "15")
    u.click_radio(radio(frame, "動画"))
    u.click_radio(radio(frame, "圧縮あり"))
    u.pick(u.combo(frame, "名前変更"), 1, "オン")
    u.set_text(text_field(frame, "カメラ名"), "TRAIL7")
    u.pick(u.combo(frame, "スイッチ"), 1, "オン")
    for n in range(1, 5):
        u.set_text(phone(frame, n), "090000000%d" % n)
        u.set_text(mail(frame, n), "user%d@example.jp" % n)
    u.set_text(text_field(frame, "保存先を選択してください"), folder)


def test_fresh_start_shows_the_defaults(session):
    program = session.start()
    frame = program.frame
    assert u.is_checked(radio(frame, "撮影ごとに送信"))
    count = text_field(frame, "最大枚数")
    assert u.get_text(count) == "10" and u.is_enabled(count)
    for label in ("送信時刻(時)", "送信時刻(分)"):
        lst = u.combo(frame, label)
        assert lst.name == "00" and not u.is_enabled(lst)
    assert u.combo_items(u.combo(frame, "送信時刻(時)"))[-1] == "23"
    assert u.is_checked(radio(frame, "静止画"))
    assert u.is_checked(radio(frame, "圧縮なし"))
    assert u.combo(frame, "名前変更").name == "オフ"
    assert not u.is_enabled(text_field(frame, "カメラ名"))
    assert u.combo(frame, "スイッチ").name == "オフ"
    for n in range(1, 5):
        assert not u.is_enabled(phone(frame, n)) and u.get_text(phone(frame, n)) == ""
        assert u.is_enabled(mail(frame, n)) and u.get_text(mail(frame, n)) == ""
    assert u.get_text(text_field(frame, "保存先を選択してください")) == ""
    for name in ("メール設定", "APN設定", "初期化", "...", "OK", "キャンセル"):
        assert u.is_showing(button(frame, name)), name
    # Present in the layout, never shown.
    cam = u.find(frame, role=pyatspi.ROLE_PUSH_BUTTON, name="CAM Setting")
    assert not u.is_showing(cam)
    quit_program(program)


def test_save_writes_every_value_and_a_restart_shows_them(session):
    program = session.start()
    frame = program.frame
    fill_everything(frame, session.cards)
    press_ok_expect(program, "保存先", text=SAVED + session.cards)

    rec = pd.read_profile_bin(session.profile_bin())
    backup, entries = pd.read_backup(session.backup)
    assert os.path.getsize(session.backup) == pd.BACKUP_SIZE
    assert bytes(backup.b[20:]) == bytes(rec.b[20:])
    assert backup.u16(16) == 2  # profileKind: the frame's page code
    assert entries == pd.gbk_manual_entries()
    f = rec.fields()
    assert (f["sendMinute"], f["sendHour"], f["maxSendCount"], f["sendMode"]) == (15, 21, 42, 2)
    assert f["cameraMode"] == 1
    assert f["sendCompression"] == 1
    assert f["renameSwitch"] == 1 and f["cameraName"] == "TRAIL7"
    assert f["smsSwitch"] == 1 and (f["smsStopHour"], f["smsStartHour"]) == (0, 0)
    assert f["sendTarget"] == 1
    assert f["phones"] == ["090000000%d" % n for n in range(1, 5)]
    assert f["recipients"] == ["user%d@example.jp" % n for n in range(1, 5)]
    assert f["variantCode"] == 32
    # The relay account is in use, so the mail entry is the relay preset's.
    assert rec.mail()["smtpPort"] == "587" and rec.mail()["secureType"] == 0x42
    quit_program(program)

    program = session.start()
    frame = program.frame
    assert u.is_checked(radio(frame, "撮影ごと＋定時に送信"))
    assert u.get_text(text_field(frame, "最大枚数")) == "42"
    assert u.combo(frame, "送信時刻(時)").name == "21"
    assert u.combo(frame, "送信時刻(分)").name == "15"
    assert u.is_checked(radio(frame, "動画"))
    assert u.is_checked(radio(frame, "圧縮あり"))
    assert u.combo(frame, "名前変更").name == "オン"
    assert u.get_text(text_field(frame, "カメラ名")) == "TRAIL7"
    assert u.combo(frame, "スイッチ").name == "オン"
    for n in range(1, 5):
        assert u.is_enabled(phone(frame, n))
        assert u.get_text(phone(frame, n)) == "090000000%d" % n
        assert u.get_text(mail(frame, n)) == "user%d@example.jp" % n
    # The folder is never stored.
    assert u.get_text(text_field(frame, "保存先を選択してください")) == ""
    quit_program(program)


def test_failing_checks_show_their_messages_and_write_nothing(session):
    program = session.start()
    frame = program.frame
    u.set_text(text_field(frame, "保存先を選択してください"), session.cards)
    u.set_text(mail(frame, 1), "me@example.jp")

    count = text_field(frame, "最大枚数")
    u.set_text(count, "")
    press_ok_expect(program, APP_TITLE, text="Enter an integer.")
    u.set_text(count, "100")
    press_ok_expect(program, "送信モード", text="最大枚数は0-99の範囲で設定してください")
    u.set_text(count, "99")

    u.pick(u.combo(frame, "スイッチ"), 1, "オン")
    u.set_text(phone(frame, 2), "0901234567")
    press_ok_expect(program, "受信者設定", text="SMS設定用電話番号を入力してください")
    u.set_text(phone(frame, 1), "123")
    press_ok_expect(program, "受信者設定", text="SMS設定用電話番号が最大文字数を超えています")
    u.set_text(phone(frame, 1), "0801234567")
    u.set_text(mail(frame, 2), "@example.jp")
    press_ok_expect(program, "受信者設定", text="無効なメールアドレスが入力されています")
    u.set_text(mail(frame, 2), "例" * 24 + "@b")
    press_ok_expect(program, "受信者設定", prefix="受信メール  2 ")
    u.set_text(mail(frame, 2), "")

    u.pick(u.combo(frame, "名前変更"), 1, "オン")
    press_ok_expect(program, "名前変更", text="名前変更欄を入力してください")
    u.set_text(text_field(frame, "カメラ名"), "CAM-1")
    press_ok_expect(program, "名前変更", text="名前変更欄に対応していない文字が入力されています")

    assert os.listdir(session.cards) == []
    assert not os.path.exists(session.backup)

    u.set_text(text_field(frame, "カメラ名"), "CAM1")
    press_ok_expect(program, "保存先", text=SAVED + session.cards)
    assert pd.read_profile_bin(session.profile_bin()).fields()["cameraName"] == "CAM1"
    quit_program(program)


def test_incomplete_mail_account_opens_the_mail_dialog(session):
    rec = pd.Record(bytearray(pd.RECORD_SIZE))
    rec.b[0:2] = b"V\0"
    rec.b[74] = 10
    rec.b[78] = 1
    rec.b[111] = 1  # "gmail", with no account
    pd.put_text(rec.b, 376, 64, "smtp.gmail.com")
    with open(session.backup, "wb") as f:
        f.write(pd.encode_backup(rec, pd.gbk_manual_entries()))
    os.chmod(session.backup, 0o600)

    program = session.start()
    frame = program.frame
    u.set_text(mail(frame, 1), "me@example.jp")
    u.set_text(text_field(frame, "保存先を選択してください"), session.cards)
    u.press(button(frame, "OK"))
    alert = u.wait_alert(program.app, "メール設定")
    assert "メールアドレスを確認し、設定してください" in alert.texts
    alert.press("OK")
    # The mail account dialog opens over the window.
    dialogs = u.wait_for(lambda: [d for d in u.find_all(program.app, role=pyatspi.ROLE_DIALOG, showing=True)
                                  if d.name != frame.name], what="the mail account dialog")
    u.xdotool("key", "Escape")
    u.wait_for(lambda: not u.is_showing(dialogs[0]), what="the mail account dialog to close")
    assert not os.path.exists(session.profile_bin())
    quit_program(program)


def _save_to(program, folder):
    u.set_text(text_field(program.frame, "保存先を選択してください"), folder)
    u.press(button(program.frame, "OK"))


def test_save_folder_problems(session):
    program = session.start()
    frame = program.frame
    u.set_text(mail(frame, 1), "me@example.jp")

    _save_to(program, "")
    alert = u.wait_alert(program.app, "保存先")
    assert "設定ファイルの保存先を選択してください" in alert.texts
    alert.press("OK")

    _save_to(program, os.path.join(session.cards, "missing"))
    alert = u.wait_alert(program.app, APP_TITLE)
    assert "保存先が見つかりません" in alert.texts
    alert.press("OK")
    assert u.no_alert(program.app, settle=0.5)

    a_file = os.path.join(session.cards, "not-a-folder")
    with open(a_file, "w") as f:
        f.write("x")
    _save_to(program, a_file)
    alert = u.wait_alert(program.app, APP_TITLE)
    assert "PROFILE.BIN" in alert.text, alert
    alert.press("OK")
    assert u.no_alert(program.app, settle=0.5), "a success message followed the error"
    assert not os.path.exists(session.backup)
    assert os.listdir(session.cards) == ["not-a-folder"]
    quit_program(program)


def _can_mount_privately():
    return os.geteuid() == 0 and subprocess.run(
        ["unshare", "--mount", "--propagation", "private", "true"], capture_output=True).returncode == 0


def test_write_protected_card(session):
    if not _can_mount_privately():
        pytest.skip("mounting a read-only card needs root and a private mount namespace")
    card = os.path.join(session.cards, "protected")
    os.mkdir(card)
    program = session.start(read_only_mount=card)
    u.set_text(mail(program.frame, 1), "me@example.jp")
    _save_to(program, card)
    alert = u.wait_alert(program.app, APP_TITLE)
    assert "PROFILE.BIN" in alert.text and "write-protected" in alert.text, alert
    alert.press("OK")
    assert u.no_alert(program.app, settle=0.5), "a success message followed the error"
    assert not os.path.exists(session.backup)
    quit_program(program)
    # The mount lived in the program's namespace only.
    assert os.listdir(card) == []


def test_read_only_folder(session):
    if os.geteuid() == 0:
        pytest.skip("root may write into a read-only folder; see test_write_protected_card")
    locked = os.path.join(session.cards, "locked")
    os.mkdir(locked)
    os.chmod(locked, stat.S_IRUSR | stat.S_IXUSR)
    try:
        program = session.start()
        u.set_text(mail(program.frame, 1), "me@example.jp")
        _save_to(program, locked)
        alert = u.wait_alert(program.app, APP_TITLE)
        assert "PROFILE.BIN" in alert.text, alert
        alert.press("OK")
        assert u.no_alert(program.app, settle=0.5)
        assert os.listdir(locked) == []
        quit_program(program)
    finally:
        os.chmod(locked, stat.S_IRWXU)


def test_reset_then_ok_saves_the_defaults(session):
    program = session.start()
    frame = program.frame
    path = text_field(frame, "保存先を選択してください")

    # The defaults with one recipient, as a fresh start saves them.
    u.set_text(mail(frame, 1), "me@example.jp")
    _save_to(program, session.cards)
    u.wait_alert(program.app, "保存先").press("OK")
    fresh = open(session.profile_bin(), "rb").read()

    fill_everything(frame, session.cards)
    press_ok_expect(program, "保存先", text=SAVED + session.cards)
    assert open(session.profile_bin(), "rb").read() != fresh

    u.press(button(frame, "初期化"))
    question = u.wait_alert(program.app, "初期化")
    assert "設定を初期化してもよろしいですか？" in question.texts
    question.press("Yes")
    u.wait_for(lambda: u.get_text(text_field(frame, "最大枚数")) == "10", what="the defaults shown")
    assert not os.path.exists(session.backup)
    assert u.get_text(path) == session.cards
    assert u.is_checked(radio(frame, "撮影ごとに送信"))
    assert u.get_text(mail(frame, 1)) == ""
    assert not u.is_enabled(text_field(frame, "カメラ名"))
    # Nothing is written until the next "OK".
    assert os.listdir(session.cards) == ["PROFILE.BIN"]

    u.set_text(mail(frame, 1), "me@example.jp")
    press_ok_expect(program, "保存先", text=SAVED + session.cards)
    after = pd.read_profile_bin(session.profile_bin())
    before = pd.Record(b"\0" * 20 + pd.unscramble(fresh))
    # The reset's defaults write variant code 0 where start-up wrote 32.
    assert before.u8(59) == 32 and after.u8(59) == 0
    before.b[59] = 0
    assert after.b == before.b
    expected = pd.default_record(bytes(after.b[376:632]), bytes(after.b[112:376]))
    assert after.operator_text("dataApn") != ""
    assert bytes(after.b[112:144]).split(b"\0")[0] == b"SORACOM(docomo)"
    fields = after.fields()
    for key in ("cameraMode", "sendMinute", "sendHour", "maxSendCount", "sendMode", "sendTarget",
                "countryIndex", "sendCompression", "renameSwitch", "smsSwitch", "cameraName", "phones"):
        assert fields[key] == expected.fields()[key], key
    assert fields["recipients"] == ["me@example.jp", "", "", ""]
    quit_program(program)


def test_reset_answered_no_changes_nothing(session):
    program = session.start()
    frame = program.frame
    u.set_text(text_field(frame, "最大枚数"), "55")
    u.press(button(frame, "初期化"))
    u.wait_alert(program.app, "初期化").press("No")
    assert u.get_text(text_field(frame, "最大枚数")) == "55"
    quit_program(program)


def test_cancel_ends_the_program_and_writes_nothing(session):
    program = session.start()
    frame = program.frame
    fill_everything(frame, session.cards)
    quit_program(program)
    assert os.listdir(session.cards) == []
    assert not os.path.exists(session.backup)

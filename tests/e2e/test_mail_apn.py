"""The mail account dialog and the APN dialog, driven from the main window
through the accessibility layer: what they confirm reaches PROFILE.BIN."""

import os
import time

import pyatspi

import atspi_util as u
import profile_decoder as pd

MAIL_TITLE = "送信メール設定"
APN_TITLE = "APN設定"
SIM_LABEL = "SIMカード\u00a0"
TEXT_ROLES = (pyatspi.ROLE_TEXT, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_ENTRY)


def field(root, name):
    """A showing text field by its label, masked or not."""
    def get():
        for acc in u.find_all(root, name=name, showing=True):
            if acc.getRole() in TEXT_ROLES:
                return acc
        return None
    return u.wait_for(get, what="text field %r" % name)


def put(acc, value):
    """Sets a field's text; a masked field is checked by its length only."""
    acc.queryEditableText().setTextContents(value)
    u.wait_for(lambda: acc.queryText().characterCount == len(value), what="text in %s" % acc.name)


def button(root, name):
    return u.find(root, role=pyatspi.ROLE_PUSH_BUTTON, name=name, showing=True)


def closed(acc):
    try:
        return not u.is_showing(acc)
    except Exception:
        return True


def open_dialog(program, group, title):
    u.press(button(program.frame, group))
    return u.dialog(program.app, title)


def confirm(dlg):
    u.press(button(dlg, "OK"))
    u.wait_for(lambda: closed(dlg), what="the dialog to close")


def save(session, program):
    frame = program.frame
    put(field(frame, "保存先を選択してください"), session.cards)
    recipient = field(frame, "受信メール  1")
    if not u.get_text(recipient):
        put(recipient, "owner@example.jp")
    u.press(button(frame, "OK"))
    alert = u.wait_alert(program.app, "保存先")
    assert "設定ファイルは次の場所に保存されました" in alert.text
    alert.press("OK")
    return pd.read_profile_bin(session.profile_bin())


def pick_sim(dlg, index, expected):
    """The SIM list has a typable text part: it takes Up and Down there."""
    sim = u.combo(dlg, SIM_LABEL)
    x, y = u.center(sim)
    u.xdotool("mousemove", x - 20, y, "click", "1")
    time.sleep(0.3)
    for _ in range(10):
        u.xdotool("key", "Up")
    for _ in range(index):
        u.xdotool("key", "Down")
    u.wait_for(lambda: sim.name == expected, what="SIM card %r" % expected)
    return sim


def test_gmail_account_reaches_the_profile(session):
    program = session.start()
    dlg = open_dialog(program, "メール設定", MAIL_TITLE)
    u.pick(u.combo(dlg, "メール選択"), 1, "gmail")
    assert not u.is_enabled(field(dlg, "SMTPサーバー"))
    put(field(dlg, "メール"), "trail.cam@example.jp")
    assert u.get_text(field(dlg, "アカウント")) == "trail.cam@example.jp"
    put(field(dlg, "アカウント"), "trail.login")
    put(field(dlg, "パスワード"), "pa%ss")
    confirm(dlg)

    rec = save(session, program)
    m = rec.mail()
    assert rec.u8(111) == 1
    assert m["senderAddress"] == "trail.cam@example.jp"
    assert m["account"] == "trail.login"
    assert m["password"] == "pa%ss"
    assert m["senderName"] == "trail.cam"
    assert m["smtpPort"] == "465"
    assert m["secureType"] == 0x41
    assert m["smtpServer"]


def test_own_server_reaches_the_profile(session):
    program = session.start()
    dlg = open_dialog(program, "メール設定", MAIL_TITLE)
    u.pick(u.combo(dlg, "メール選択"), 2, "その他")
    put(field(dlg, "メール"), "cam@own.example")
    put(field(dlg, "パスワード"), "secret")
    put(field(dlg, "SMTPサーバー"), "mail.own.example")
    port = field(dlg, "SMTPポート")
    put(port, "70000")
    u.press(button(dlg, "OK"))
    alert = u.wait_alert(program.app, MAIL_TITLE)
    assert alert.text == "SMTPポートには0から65535までの数値を入力してください"
    alert.press("OK")
    put(port, "2525")
    u.pick(u.combo(dlg, "暗号化タイプ"), 2, "STARTTLS")
    confirm(dlg)

    rec = save(session, program)
    m = rec.mail()
    assert rec.u8(111) == 2
    assert (m["smtpServer"], m["smtpPort"], m["secureType"]) == ("mail.own.example", "2525", 0x42)
    assert (m["senderAddress"], m["account"], m["password"]) == ("cam@own.example", "cam@own.example", "secret")
    assert m["senderName"] == "cam"


def test_catalog_sim_keeps_the_operator_name(session):
    program = session.start()
    dlg = open_dialog(program, "APN設定", APN_TITLE)
    pick_sim(dlg, 2, "IIJ(KKDI)")
    apn = field(dlg, "APN")
    assert not u.is_enabled(apn)
    shown = (u.get_text(apn), u.get_text(field(dlg, "ユーザー名")))
    assert shown[0]
    confirm(dlg)

    rec = save(session, program)
    op = rec.operator()
    assert (op["dataApn"], op["dataUser"]) == shown
    assert op["dataPassword"]
    assert op["name"] == b"SORACOM(docomo)"
    assert rec.u8(80) == 2
    assert rec.u8(81) == 15
    assert (op["mmsGateway"], op["mmsPort"]) == ("0.0.0.0", "0")


def test_typed_apn_under_other(session):
    program = session.start()
    dlg = open_dialog(program, "APN設定", APN_TITLE)
    items = u.combo_items(u.combo(dlg, SIM_LABEL))
    other = items.index("その他") if items else 5
    pick_sim(dlg, other, "その他")
    apn = field(dlg, "APN")
    u.wait_for(lambda: u.is_enabled(apn), what="APN unlocked")
    assert u.get_text(apn) == ""
    put(apn, "internet.example.jp")
    put(field(dlg, "ユーザー名"), "user")
    put(field(dlg, "パスワード"), "pass")
    confirm(dlg)

    rec = save(session, program)
    op = rec.operator()
    assert (op["dataApn"], op["dataUser"], op["dataPassword"]) == ("internet.example.jp", "user", "pass")
    assert rec.u8(80) == other


def _entry(fields, size):
    e = bytearray(size)
    for off, width, value in fields:
        pd.put_text(e, off, width, value)
    return e


def test_incomplete_account_in_backup_opens_the_mail_dialog_on_save(session):
    mail = _entry([(0, 64, "smtp.gmail.com"), (64, 6, "465"), (72, 48, "someone@example.jp"),
                   (184, 48, "someone@example.jp"), (232, 24, "someone")], 256)
    mail[70] = 0x41  # password left empty: the account is incomplete
    operator = _entry([(0, 32, "SORACOM(docomo)"), (192, 32, "soracom.io"), (224, 24, "sora"),
                       (248, 16, "sora")], 264)
    rec = pd.default_record(bytes(mail), bytes(operator))
    rec.b[111] = 1
    pd.put_text(rec.b, 824, 48, "owner@example.jp")
    with open(session.backup, "wb") as f:
        f.write(pd.encode_backup(rec, pd.gbk_manual_entries()))
    os.chmod(session.backup, 0o600)

    program = session.start()
    frame = program.frame
    put(field(frame, "保存先を選択してください"), session.cards)
    u.press(button(frame, "OK"))
    alert = u.wait_alert(program.app, "メール設定")
    assert alert.text == "メールアドレスを確認し、設定してください"
    alert.press("OK")

    dlg = u.dialog(program.app, MAIL_TITLE)
    assert u.combo(dlg, "メール選択").name == "gmail"
    assert u.get_text(field(dlg, "メール")) == "someone@example.jp"
    put(field(dlg, "パスワード"), "now-set")
    confirm(dlg)
    assert not os.path.exists(session.profile_bin())

    rec = save(session, program)
    m = rec.mail()
    assert (m["senderAddress"], m["password"], m["senderName"]) == ("someone@example.jp", "now-set", "someone")
    assert rec.u8(111) == 1

"""halvorn-profile run as a user runs it (on Windows through Wine): show, build and check against the reference
files and records made by the independent encoder; and at its edges: input read with a bound, standard output
checked, texts from files and arguments escaped, the folder required, the windows' save lock awaited. Only a build
that exits 0 writes. (That check refuses what the windows refuse, in their words, is shown with the windows.)"""

import json
import os
import random
import subprocess
import sys
import threading
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).parents[2] / "tools" / "fixtures"))
import reference as ref  # noqa: E402  the independent encoder's layout and scramble

PROGRAM = os.environ.get("HALVORN_RUNNER", "").split() + [os.environ["HALVORN_PROFILE"]]
WINDOWS = PROGRAM[-1].endswith(".exe")
REF = Path(__file__).parents[1] / "fixtures" / "reference"
BAK = (REF / "setupV4.56J.bak").read_bytes()
ODD = "\x1b[2J\x7f\x81\\"
NAME = "no\x1b.bin"


def offset(path, layout=ref.RECORD):
    """A field's offset in the record by its path in show's names: "mailServer.account", "workTime[2].stopHour"."""
    name, _, rest = path.partition(".")
    name, _, index = name.partition("[")
    _, at, _, kind = next(field for field in layout if field[0] == name)
    if isinstance(kind, tuple):
        at += int(index.rstrip("]") or 0) * kind[1]
        return at + offset(rest, kind[0]) if rest else at
    return at


def card(base=bytes(ref.RECORD_SIZE), **fields):
    """PROFILE.BIN of a record (of zeros unless given) with these fields' bytes written over it."""
    record = bytearray(base)
    for path, data in fields.items():
        record[offset(path):offset(path) + len(data)] = data
    return ref.words(bytes(record), ref.scramble_word)[20:]


def halvorn_profile(*args, stdin=b""):
    """Exit status, standard output and standard error of a run in code page 932."""
    done = subprocess.run(PROGRAM + ["--code-page", "932", *map(str, args)], input=stdin, capture_output=True,
                          timeout=60)
    return done.returncode, done.stdout, done.stderr.decode(errors="replace")


def test_show_gives_every_field_of_both_reference_files():
    for name in ("PROFILE.BIN", "setupV4.56J.bak"):
        status, shown, _ = halvorn_profile("show", (REF / name).as_posix())
        assert (status, json.loads(shown)) == (0, json.loads((REF / (name + ".json")).read_bytes())), name


def test_show_then_build_gives_the_file_back(tmp_path):
    def rebuilt(file):
        status, shown, said = halvorn_profile("show", "-", stdin=file)
        assert status == 0, said
        assert halvorn_profile("build", "-", tmp_path.as_posix(), stdin=shown)[::2] == (0, "")
        return (tmp_path / "PROFILE.BIN").read_bytes()
    assert rebuilt(BAK) == rebuilt((REF / "PROFILE.BIN").read_bytes()) == (REF / "PROFILE.BIN").read_bytes()
    for seed in (1, 2, 3):  # foreign records, with runs of zero bytes so that some texts are well formed
        draw = random.Random(seed)
        record = bytearray(draw.randrange(256) if draw.randrange(7) else 0 for _ in range(ref.RECORD_SIZE))
        for path in ("mailRecipients[0]", "mailRecipients[1]", "mailRecipients[2]", "mailRecipients[3]",
                     "mailServer.senderAddress", "mailServer.account"):  # texts a mail command would refuse
            record[offset(path)] = 0
        assert rebuilt(card(record)) == card(record), seed
    # What the JSON leaves out takes the defaults, over a record filled with 0xA5; the mail entry is the build's
    # relay account.
    halvorn_profile("build", "-", tmp_path.as_posix(),
                    stdin=b'{"reserved60": "a5a5a5a5a5a5a5a5a5a5a5a5", "smsStopHour": 165, "smsStartHour": 165}')
    built, defaults = (tmp_path / "PROFILE.BIN").read_bytes(), bytearray(card((REF / "defaults.bin").read_bytes()))
    mail = slice(offset("mailServer") - 20, offset("phoneNumbers") - 20)
    defaults[mail] = built[mail]
    assert built == defaults


BAD_JSON = {  # what build is given, and the start of what it says (nothing: it writes)
    "the largest numbers, a name of 15": (
        '{"sendHour": 255, "sendTarget": 65535, "reserved106": 4294967295, "cameraName": "ABCDEFGHIJKLMNO"}', ""),
    "a phone of 15, an operator name in Japanese": (
        '{"phoneNumbers": ["123456789012345", "", "", ""], "operator": {"name": "試験"}}', ""),
    "a byte of 256": ('{"sendHour": 256}', "sendHour: not a whole number from 0 to 255"),
    "a word of 65536": ('{"sendTarget": 65536}', "sendTarget:"),
    "a negative double word": ('{"reserved106": -1}', "reserved106:"),
    "a fraction in a schedule": ('{"workTime": [{}, {}, {"stopMinute": 1.5}, {}]}', "workTime[2].stopMinute:"),
    "a name of 16": ('{"cameraName": "ABCDEFGHIJKLMNOP"}', "cameraName: the text takes 16 bytes"),
    "a phone of 16": ('{"phoneNumbers": ["1234567890123456", "", "", ""]}', "phoneNumbers[0]: the text takes 16"),
    "three phones": ('{"phoneNumbers": ["", "", ""]}', "phoneNumbers: not an array of 4"),
    "a euro sign": ('{"operator": {"name": "A€"}}', "operator.name: code page 932 cannot represent"),
    "an unknown field": ('{"mailServer": {"smtpHost": ""}}', "mailServer.smtpHost: not a field"),
    "a number for a text": ('{"customOperators": [{}, {"dataApn": 5}, {}]}', "customOperators[1].dataApn: not a text"),
    "hex of 2 bytes for 12": ('{"reserved60": "f0f1"}', "reserved60: not 12 bytes in hex"),
    "a missing colon": ('{\n  "sendHour": 1,\n  "beep" 1\n}', "line 3, column 10:"),
    "a second mail command": ('{"mailRecipients": ["", "a@b>\\r\\nRCPT TO:<e@f>", "", ""]}',
                              "mailRecipients[1]: holds a control character"),
    "a bracket in the account": ('{"mailServer": {"account": "cam<"}}',
                                 'mailServer.account: holds a control character, "<" or ">"'),
}


@pytest.mark.parametrize("name", BAD_JSON)
def test_build_refuses_bad_json_naming_the_field_and_the_card_keeps_its_file(name, tmp_path):
    text, says = BAD_JSON[name]
    old = (REF / "PROFILE.BIN").read_bytes()
    (tmp_path / "PROFILE.BIN").write_bytes(old)
    (tmp_path / "j.json").write_text(text, encoding="utf-8")
    status, _, said = halvorn_profile("build", (tmp_path / "j.json").as_posix(), tmp_path.as_posix())
    assert (status, f"j.json: {says}" in said) == ((2, True) if says else (0, False)), said
    assert ((tmp_path / "PROFILE.BIN").read_bytes() == old) == bool(says)


CHECKS = {  # bytes written over the reference record, and the line check says (a refusal, or a warning)
    "the reference is clean": ("beep", b"\0", ""),
    "a refusal": ("phoneNumbers[1]", b"123\0", "phoneNumbers[1]: 受信する電話番号が最大文字数を超えています"),
    "a schedule by its entry": ("workTime[2]", b"\x01\x07\x1e\x07\x1e\x01",
                                "workTime[2]: Please check Work Time Start and Stop point."),
    "the mail entry whole": ("mailServer.password", b"\0", "mailServer: メールアドレスを確認し、設定してください"),
    "a field of the mail entry": ("mailServer.senderAddress", b"cam@x>\0", "mailServer.senderAddress: メールに使用できない"
                                  "文字 (制御文字、「<」または「>」) が含まれています"),
    "a list's value past its end": ("sendHour", b"\x18", "warning: sendHour: 24 is not in its list (0 to 23)"),
    "a schedule's list": ("workTime[2].stopHour", b"\x18",
                          "warning: workTime[2].stopHour: 24 is not in its list (0 to 23)"),
    "a phone with a letter": ("phoneNumbers[0]", b"12a45\0",
                              'warning: phoneNumbers[0]: "12a45" holds a character other than 0-9'),
    "a name in small letters": ("cameraName", b"zx81\0", 'warning: cameraName: "zx81" holds small letters'),
}


def test_check_names_the_field_of_each_refusal_then_the_warnings(tmp_path):
    for name, (path, data, says) in CHECKS.items():
        (tmp_path / "c.bin").write_bytes(card((REF / "record.bin").read_bytes(), **{path: data}))
        status, out, _ = halvorn_profile("check", (tmp_path / "c.bin").as_posix())
        refused = bool(says) and not says.startswith("warning")
        assert (out.decode().splitlines(), status) == ([says] if says else [], int(refused)), name


def files():
    json = b"{}" + b" " * (64 * 1024 - 2)
    return {"64k.json": json, "64k+1.json": json + b" ", "bak": BAK, "bak+1": BAK + b" ",
            "odd.bin": card(phoneNumbers=ODD.encode("latin-1")),  # phone 1 holds control characters
            "refused.bin": card(maxSendCount=b"\x64"), "key.json": b'{"x\\u001b": 0}'}


ROWS = {  # arguments, standard input and output, how long a save holds the lock (s), exit status, what is said
    "64 KiB of JSON is read": ("build 64k.json .", None, None, 0, 0, ""),
    "a byte more is too large": ("build 64k+1.json .", None, None, 0, 2, "64k+1.json: too large"),
    "endless input stops at the bound": ("build - .", "/dev/zero", None, 0, 2, "-: too large"),
    "a whole backup is shown": ("show bak", None, None, 0, 0, '"manualEntry"'),
    "a file by its absolute path": ("show {folder}/bak", None, None, 0, 0, '"manualEntry"'),
    "a backup through standard input, every byte": ("show -", "bak", None, 0, 0, '"manualEntry"'),
    "a byte after its tail": ("show bak+1", None, None, 0, 2, "2073 bytes: neither a PROFILE.BIN"),
    "standard output full": ("check odd.bin", None, "/dev/full", 0, 2, "standard output: "),
    "check escapes": ("--code-page 1252 check odd.bin", None, None, 0, 0, r'"\x1b[2J\x7f\u0081\\" holds'),
    "show escapes": ("--code-page 1252 show odd.bin", None, None, 0, 0, r'"\u001b[2J\u007f\u0081\\"'),
    "an unknown key escaped": ("build key.json .", None, None, 0, 2, r"x\x1b: not a field"),
    "a file name escaped": (f"show {NAME}", None, None, 0, 2, r"no\x1b.bin: "),
    "an empty folder": ("build 64k.json ", None, None, 0, 2, "build: the folder is empty"),
    "a folder outside ASCII": ("build 64k.json カード", None, None, 0, 0, ""),
    "check exits 1 on a refusal": ("check refused.bin", None, None, 0, 1, "maxSendCount: 最大枚数は0-99"),
    "an unknown command": ("frob", None, None, 0, 2, "usage: halvorn-profile show FILE"),
    "build waits for a save": ("build 64k.json .", None, None, 1, 0, ""),
    "as long as the windows": ("build 64k.json .", None, None, 9, 2, "another save of Halvorn Setup"),
}


@pytest.mark.parametrize("name", ROWS)
def test_the_program_at_its_edges(name, tmp_path):
    args, stdin, stdout, lock, status, says = ROWS[name]
    if os.name == "nt" and any(f and f.startswith("/dev/") for f in (stdin, stdout)):
        pytest.skip("no endless or full device here")
    for file, data in files().items():
        (tmp_path / file).write_bytes(data)
    (tmp_path / "カード").mkdir()
    if lock and WINDOWS:  # another save, for as long as the row says: a Windows program's
        holder = subprocess.Popen(PROGRAM[:-1] + [os.environ["HALVORN_LOCK_HOLDER"], str(lock * 1000)],
                                  stdout=subprocess.PIPE)
        assert holder.stdout.readline().strip() == b"held"
    elif lock:
        import fcntl
        lock_file = open(tmp_path / "halvorn-setup.lock", "w")
        fcntl.flock(lock_file, fcntl.LOCK_EX)
        threading.Timer(lock, fcntl.flock, (lock_file, fcntl.LOCK_UN)).start()
    with open(tmp_path / stdin if stdin and "/" not in stdin else stdin or os.devnull, "rb") as i, \
            open(stdout or tmp_path / "out", "wb") as o:
        run = subprocess.run(PROGRAM + args.replace("{folder}", tmp_path.as_posix()).split(" "), cwd=tmp_path, stdin=i, stdout=o, stderr=subprocess.PIPE,
                             env=os.environ if WINDOWS else dict(os.environ, TMPDIR=str(tmp_path)), timeout=60)
    said = ((b"" if stdout else (tmp_path / "out").read_bytes()) + run.stderr).decode(errors="replace")
    assert (run.returncode, says in said) == (status, True), said
    assert not any(c < "\xa0" and not c.isprintable() and c != "\n" for c in said.replace("\r\n", "\n")), said
    built = [p for p in tmp_path.rglob("PROFILE.BIN")]
    assert bool(built) == (status == 0 and args.startswith("build")), built

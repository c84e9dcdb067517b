"""halvorn-profile at its edges, run as a user runs it (on Windows through Wine): input read with a bound, standard
output checked, texts from files and arguments escaped, the folder required, the windows' save lock awaited. Only a
build that exits 0 writes."""

import os
import subprocess
import sys
import threading
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).parents[2] / "tools" / "fixtures"))
import reference as ref  # noqa: E402  the independent encoder's layout and scramble

PROGRAM = os.environ.get("HALVORN_RUNNER", "").split() + [os.environ["HALVORN_PROFILE"]]
WINDOWS = PROGRAM[-1].endswith(".exe")
BAK = (Path(__file__).parents[1] / "fixtures" / "reference" / "setupV4.56J.bak").read_bytes()
ODD = "\x1b[2J\x7f\x81\\"
NAME = "no\x1b.bin"


def card(**fields):
    """PROFILE.BIN of a record of zeros but for these fields, as bytes."""
    record = bytearray(len(BAK) - len(ref.entries(ref.REFERENCE_CUSTOM)))
    for name, data in fields.items():
        at = next(offset for field, offset, *_ in ref.RECORD if field == name)
        record[at:at + len(data)] = data
    return ref.words(bytes(record), ref.scramble_word)[20:]


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

"""halvorn-mail on its own, against SMTP servers of the test's own on 127.0.0.1: aiosmtpd with STARTTLS and a
certificate of an authority made here, and small scripted servers for what aiosmtpd will not do."""

import base64
import os
import socket
import ssl
import subprocess
import threading
import time

import pytest
from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

SENDER = os.environ["HALVORN_MAIL"]
STALLED_RESOLVER = os.environ["HALVORN_STALLED_RESOLVER"]
USER, SECRET = "cam-user", "s3cret-Pw"
B64 = {s: base64.b64encode(s.encode()).decode() for s in (USER, SECRET, f"\0{USER}\0{SECRET}")}
FORMS = [USER, SECRET, *B64.values()]


def request(port, security="starttls", password=SECRET, ca="", server="127.0.0.1"):
    fields = dict(server=server, port=str(port), security=security, account=USER, password=password,
                  sender="cam@example.jp", recipient="office@example.jp", subject="テスト送信 / Test mail: CAM7",
                  body="テスト\r\n", ca=ca)
    return "".join(f"{k} {base64.b64encode(v.encode()).decode()}\n" for k, v in fields.items()) + "end\n"


def start(req, env=None):
    p = subprocess.Popen([SENDER], stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                         env={**os.environ, **(env or {})})
    p.stdin.write(req.encode())
    p.stdin.close()
    return p


def result(p):
    """The result line: failure, password checked, reply and detail decoded; and all the sender wrote."""
    out = p.stdout.read().decode()
    p.wait(30)
    words = out.splitlines()[-1].split(" ")
    assert words[0] == "result", out
    reply, detail = (base64.b64decode(w).decode() if w != "-" else "" for w in words[3:])
    return words[1], words[2] == "1", reply, detail, out


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


@pytest.fixture(scope="module")
def tls(tmp_path_factory):
    """The authority's certificate, aiosmtpd servers requiring STARTTLS (before AUTH, and not), the mails taken."""
    folder = tmp_path_factory.mktemp("tls")

    def openssl(*args):
        subprocess.run(["openssl", *args], cwd=folder, check=True, capture_output=True)
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem", "-days", "2",
            "-subj", "/CN=Halvorn test authority")
    openssl("req", "-newkey", "rsa:2048", "-nodes", "-keyout", "s.key", "-out", "s.csr", "-subj", "/CN=localhost")
    (folder / "san.ext").write_text("subjectAltName=IP:127.0.0.1\n")
    openssl("x509", "-req", "-in", "s.csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial", "-days", "2",
            "-extfile", "san.ext", "-out", "s.pem")
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(folder / "s.pem", folder / "s.key")
    mails = []

    class Mailbox:
        async def handle_EHLO(self, server, session, envelope, hostname, responses):
            session.host_name = hostname
            return responses

        async def handle_DATA(self, server, session, envelope):
            mails.append((session.host_name, envelope.rcpt_tos, envelope.original_content.decode()))
            return "250 OK"

    def login(server, session, envelope, mechanism, data):
        return AuthResult(success=isinstance(data, LoginPassword) and data.password == SECRET.encode(), handled=False)

    servers = [Controller(Mailbox(), hostname="127.0.0.1", port=free_port(), tls_context=context,
                          require_starttls=True, authenticator=login),
               Controller(Mailbox(), hostname="127.0.0.1", port=free_port(), authenticator=login)]
    for s in servers:
        s.start()
    yield str(folder / "ca.pem"), servers[0].port, servers[1].port, mails
    for s in servers:
        s.stop()


def test_each_outcome_against_aiosmtpd(tls):
    ca, port, plain, mails = tls
    rows = {
        "sent, the password checked": (request(port, ca=ca), "none", True),
        "wrong password": (request(port, password="wrong", ca=ca), "auth-refused", False),
        "closed port": (request(free_port(), ca=ca), "connection-refused", False),
        "STARTTLS asked of a server without it": (request(plain, ca=ca), "starttls-missing", False),
        "no STARTTLS where the server requires it": (request(port, "plain", ca=ca), "starttls-required", False),
        "certificate of an unknown authority": (request(port), "untrusted", False),
    }
    for name, (req, failure, checked) in rows.items():
        got = result(start(req))
        assert got[:2] == (failure, checked), (name, got)
    ehlo, recipients, mail = mails[0]
    assert len(mails) == 1 and recipients == ["office@example.jp"]
    assert ehlo == "[127.0.0.1]"  # an address literal, never the bare host name
    head = dict(line.split(": ", 1) for line in mail.split("\r\n\r\n")[0].replace("\r\n ", " ").split("\r\n"))
    assert head["Message-ID"].startswith("<") and head["Message-ID"].endswith("@example.jp>")
    assert head["Date"] and head["From"] == "<cam@example.jp>" and head["To"] == "<office@example.jp>"
    assert head["Subject"].startswith("=?UTF-8?B?")
    assert all(len(line) <= 78 for line in mail.split("\r\n")) and "\n" not in mail.replace("\r\n", "")


class Scripted(threading.Thread):
    """An SMTP server on 127.0.0.1 that answers each command from a table (by its verb, or "AUTH-" and the whole
    line for the lines of an AUTH exchange); anything else gets 250, and a reply of None is never sent. Unless the
    table says otherwise, EHLO offers no AUTH."""

    def __init__(self, replies):
        super().__init__(daemon=True)
        self.replies = {"EHLO": "250 localhost", "DATA": "354 go on", **replies}
        self.listener = socket.create_server(("127.0.0.1", 0))
        self.port = self.listener.getsockname()[1]
        self.start()

    def run(self):
        connection, _ = self.listener.accept()
        with connection, connection.makefile("rb") as lines:
            connection.sendall(b"220 scripted\r\n")
            in_data = False
            for raw in lines:
                line = raw.decode().rstrip("\r\n")
                if in_data and line != ".":
                    continue
                in_data = line.upper() == "DATA"
                verb = line.split(" ")[0].split(":")[0].upper()
                reply = self.replies.get("AUTH-" + line, self.replies.get(verb, "250 ok"))
                if reply is None:
                    time.sleep(60)
                connection.sendall((reply + "\r\n").encode())


def test_server_replies_in_words_and_without_secrets():
    plain, user, password = B64[f"\0{USER}\0{SECRET}"], B64[USER], B64[SECRET]
    rows = {
        "a refused recipient names its 550": (
            {"RCPT": "550 5.1.1 <office@example.jp>: Recipient address rejected", "QUIT": "221 2.0.0 Bye"},
            "rcpt-refused", "550 5.1.1 <office@example.jp>: Recipient address rejected"),
        "a refused sender names its 553": ({"MAIL": "553 5.7.1 Sender address rejected"}, "sender-refused",
                                           "553 5.7.1 Sender address rejected"),
        "no AUTH offered: sent, the password not checked": ({}, "none", ""),
        "AUTH PLAIN echoed": ({"EHLO": "250 AUTH PLAIN LOGIN", "AUTH": "334 ", "AUTH-" + plain: f"535 5.7.8 no: {plain} {USER.upper()} {SECRET}"},
                              "auth-refused", "535 5.7.8 no: **** **** ****"),
        "AUTH LOGIN echoed": ({"EHLO": "250-localhost\r\n250 AUTH LOGIN", "AUTH": "334 VXNlcm5hbWU6",
                               "AUTH-" + user: f"334 {user.lower()} UGFzc3dvcmQ6",
                               "AUTH-" + password: f"535 {user} {password} {SECRET.upper()}"},
                              "auth-refused", "535 **** **** ****"),
    }
    for name, (replies, failure, reply) in rows.items():
        failed, checked, got, detail, everything = result(start(request(Scripted(replies).port, "plain")))
        assert (failed, checked, got) == (failure, False, reply), name
        assert not any(f.lower() in (got + detail + everything).lower() for f in FORMS), name


def test_a_request_it_cannot_read_is_refused_at_once():
    for name, source in [("endless", "/dev/zero"), ("empty", "/dev/null")] * 3:  # an exit that hangs does not always
        with open(source, "rb") as stdin:
            done = subprocess.run([SENDER], stdin=stdin, capture_output=True, timeout=5)
        assert done.stdout.startswith(b"result refused 0 -") and done.returncode == 1, name


def test_an_attempt_ends_at_a_kill_at_once_and_on_its_own_within_30_s():
    def stalled_quit():
        return request(Scripted({"QUIT": None}).port, "plain")
    unanswered, silent = request(25, "plain", server="mail.example.jp"), {"LD_PRELOAD": STALLED_RESOLVER}
    for req, env in ((stalled_quit(), None), (unanswered, silent)):
        p = start(req, env)
        time.sleep(0.3)
        killed = time.monotonic()
        p.kill()
        p.wait(1)
        assert time.monotonic() - killed < 0.1
    began = time.monotonic()
    quits, lookup = start(stalled_quit()), start(unanswered, silent)
    assert result(quits)[:2] == ("none", False)  # the mail went; the goodbye is not waited for long
    assert result(lookup)[0] == "server-not-found"
    assert time.monotonic() - began < 30

"""SMTP servers on 127.0.0.1 for the test mail, until the input closes: one that requires STARTTLS (certificate
of an authority made here) before AUTH as "cam", "secret", one without STARTTLS, a port that never answers and
a closed one. Prints "<ca file> <ports>"; each mail taken goes into FOLDER."""

import socket
import ssl
import subprocess
import sys
from pathlib import Path

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

folder = Path(sys.argv[1])


def openssl(*args):
    subprocess.run(["openssl", *args], cwd=folder, check=True, capture_output=True)


openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem", "-days", "2",
        "-subj", "/CN=Halvorn test authority")
openssl("req", "-newkey", "rsa:2048", "-nodes", "-keyout", "server.key", "-out", "server.csr", "-subj", "/CN=localhost")
(folder / "san.ext").write_text("subjectAltName=IP:127.0.0.1,DNS:localhost\n")
openssl("x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial", "-days", "2",
        "-extfile", "san.ext", "-out", "server.pem")
tls = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
tls.load_cert_chain(folder / "server.pem", folder / "server.key")


class Mailbox:
    async def handle_DATA(self, server, session, envelope):
        name = "mail-%d.txt" % len(list(folder.glob("mail-*.txt")))
        (folder / name).write_bytes(b"%s\n%s\n" % (envelope.mail_from.encode(), ",".join(envelope.rcpt_tos).encode())
                                    + envelope.original_content)
        return "250 OK"


def login(server, session, envelope, mechanism, data):
    ok = isinstance(data, LoginPassword) and (data.login, data.password) == (b"cam", b"secret")
    return AuthResult(success=ok, handled=False)  # on failure the server answers 535


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


servers = [Controller(Mailbox(), hostname="127.0.0.1", port=free_port(), tls_context=tls, require_starttls=True,
                      authenticator=login),
           Controller(Mailbox(), hostname="127.0.0.1", port=free_port(), authenticator=login)]
for s in servers:
    s.start()
stalled = socket.create_server(("127.0.0.1", 0))
print(folder / "ca.pem", *(s.port for s in servers), stalled.getsockname()[1], free_port(), flush=True)
sys.stdin.read()
for s in servers:
    s.stop()

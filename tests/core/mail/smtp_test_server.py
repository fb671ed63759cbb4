#!/usr/bin/python3
"""A real SMTP server on 127.0.0.1 for the mail tests (aiosmtpd).

It picks a free port, prints it on a line of its own and serves until its
standard input closes. AUTH is required and checked against --user and
--password; --cert/--key offer STARTTLS (--implicit-tls: TLS from the first
byte instead); --plain allows AUTH without TLS. Recipients that start with
"refused" are refused with 550. Every accepted message is written to --out as
N.txt: lines "from=", "to=", "tls=0|1", "auth=0|1", an empty line, then the
data as received.
"""
import argparse
import warnings
import os
import socket
import ssl
import sys

warnings.simplefilter("ignore")

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class Handler:
    def __init__(self, out):
        self.out = out
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.startswith("refused"):
            return "550 5.1.1 Recipient address rejected"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        tls = session.ssl is not None or server.transport.get_extra_info("ssl_object") is not None
        head = (f"from={envelope.mail_from}\nto={','.join(envelope.rcpt_tos)}\n"
                f"tls={int(tls)}\nauth={int(bool(session.authenticated))}\n\n")
        path = os.path.join(self.out, f"{self.count}.txt")
        with open(path + ".tmp", "wb") as f:
            f.write(head.encode() + envelope.original_content)
        os.replace(path + ".tmp", path)
        return "250 Message accepted"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--out", required=True)
    p.add_argument("--user", required=True)
    p.add_argument("--password", required=True)
    p.add_argument("--cert")
    p.add_argument("--key")
    p.add_argument("--implicit-tls", action="store_true")
    p.add_argument("--plain", action="store_true")
    a = p.parse_args()

    def authenticator(server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword)
              and auth_data.login == a.user.encode()
              and auth_data.password == a.password.encode())
        return AuthResult(success=ok, handled=False)

    context = None
    if a.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(a.cert, a.key)
    # aiosmtpd only counts STARTTLS as TLS for AUTH; an implicit TLS session
    # is encrypted from its first byte.
    params = dict(auth_required=True, auth_require_tls=not (a.plain or a.implicit_tls),
                  authenticator=authenticator)
    if context and not a.implicit_tls:
        params["tls_context"] = context
    controller = Controller(Handler(a.out), hostname="127.0.0.1", port=free_port(),
                            ssl_context=context if a.implicit_tls else None,
                            server_hostname="127.0.0.1", **params)
    controller.start()
    print(controller.port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()

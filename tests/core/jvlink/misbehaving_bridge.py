#!/usr/bin/python3
"""A JV-Link bridge that breaks the protocol on purpose, for the client's tests.

    misbehaving_bridge.py PIDFILE MODE [WORD [VALUE]]

It writes its process id to PIDFILE, then answers like a well-behaved bridge
until the request WORD (or at once, for the modes without one), where MODE
decides what goes wrong:
    silent          no greeting; waits for ever
    trickle         the greeting one byte every 0.2 s
    garbage         bytes that are no message, then waits
    refuse          "ERROR" in place of the greeting (no component)
    huge-greeting   a greeting announcing texts far beyond any limit
    stall WORD      no reply to WORD; waits for ever
    stall-text WORD a reply to WORD whose announced text never comes
    exit WORD       ends without replying to WORD
    reply WORD TEXT replies to WORD with the header line TEXT (its texts
                    follow as "#L" says, made of "x")
"""

import os
import sys
import time

out = sys.stdout.buffer
inp = sys.stdin.buffer


def send(data):
    out.write(data)
    out.flush()


def forever():
    while True:
        time.sleep(60)


def read_request():
    line = inp.readline()
    if not line:
        sys.exit(0)
    words = line.rstrip(b"\n").split(b" ")
    for w in words[1:]:
        if w.startswith(b"#"):
            inp.read(int(w[1:]))
    return words[0].decode()


NORMAL = {
    "VERSION": b"R 0 #4\n0490",
    "OPEN": b"R 0 2 0 #14\n20250105120000",
    "READ": b"R 6 6 #6 #8\nRA1\r\n\x00RA01.jvd",
}


def send_with_texts(header):
    """The header line, then its texts as "x"s (at most 4 MiB of each: the
    client has given up long before)."""
    send(header.encode() + b"\n")
    for w in header.split(" ")[1:]:
        if w.startswith("#"):
            send(b"x" * min(int(w[1:]), 4 << 20))


def main():
    with open(sys.argv[1], "w") as f:
        f.write(str(os.getpid()))
    mode = sys.argv[2]
    word = sys.argv[3] if len(sys.argv) > 3 else None
    if mode == "silent":
        forever()
    if mode == "trickle":
        for b in b"QUINDLE-JVLINK-BRIDGE 1 #0\n":
            send(bytes([b]))
            time.sleep(0.2)
        forever()
    if mode == "garbage":
        send(b"\x00\xff\x81\x40 \x1b[2J" * 300)
        forever()
    if mode == "refuse":
        reason = "JV-Link (JVDTLab.JVLink) cannot be created: no component\x1b[31m\xff".encode(
            "latin-1")
        send(b"ERROR #%d\n" % len(reason) + reason)
        sys.exit(1)
    if mode == "huge-greeting":
        send(b"QUINDLE-JVLINK-BRIDGE 1" + b" #1000000" * 60 + b"\n")
        forever()
    send(b"QUINDLE-JVLINK-BRIDGE 1 #12\n202501051200")
    while True:
        request = read_request()
        if request == word:
            if mode == "stall":
                forever()
            if mode == "stall-text":
                send(b"R 0 #100\nxx")
                forever()
            if mode == "exit":
                sys.exit(3)
            if mode == "reply":
                send_with_texts(sys.argv[4])
                continue
        send(NORMAL.get(request, b"R 0\n"))
        if request == "QUIT":
            sys.exit(0)


try:
    main()
except BrokenPipeError:
    pass  # the client gave up on this bridge, as it should

#!/usr/bin/env python3
"""A serial device server's Telnet port that misbehaves, for the tests.

    rfc2217_babbler.py PORT_FILE MODE

Listens on 127.0.0.1 (a port of the system's choice, written to PORT_FILE
once it listens) and serves one connection after another until it is ended
(SIGTERM). No unit is behind it: it never sends a byte of the line.

MODE:
  mute    never takes up the com-port option; sends Telnet NOPs without a
          pause from the moment a client connects
  chatter takes up the com-port option and confirms 9600 baud, 8 data bits,
          even parity, 1 stop bit, then sends NOPs and line-state and
          modem-state notifications without a pause
  wrong   takes up the option but confirms no parity and 2 stop bits

The simulator is the unit on its line, not the device server in front of
it; the Telnet layer is the server's, which the tests otherwise get from
Debian's ser2net, whose misbehaviour cannot be switched on. So this stands
in for a server that gets Telnet wrong.
"""
import os
import signal
import socket
import sys

IAC, DONT, DO, WONT, WILL, SB, SE, NOP = 255, 254, 253, 252, 251, 250, 240, 241
COM_PORT = 44
SET_BAUDRATE, SET_DATASIZE, SET_PARITY, SET_STOPSIZE = 1, 2, 3, 4
NOTIFY_LINESTATE, NOTIFY_MODEMSTATE = 106, 107


def sub(command, value):
    return bytes([IAC, SB, COM_PORT, command]) + value + bytes([IAC, SE])


def confirmations(parity, stop):
    return (sub(100 + SET_BAUDRATE, (9600).to_bytes(4, "big")) +
            sub(100 + SET_DATASIZE, bytes([8])) +
            sub(100 + SET_PARITY, bytes([parity])) +
            sub(100 + SET_STOPSIZE, bytes([stop])))


CHATTER = (bytes([IAC, NOP]) * 64 + sub(NOTIFY_LINESTATE, bytes([0x60])) +
           sub(NOTIFY_MODEMSTATE, bytes([0x30]))) * 16


def serve(conn, mode):
    conn.setblocking(True)
    if mode == "mute":
        while True:
            conn.sendall(bytes([IAC, NOP]) * 4096)
    received = b""
    while bytes([IAC, WILL, COM_PORT]) not in received:
        chunk = conn.recv(4096)
        if not chunk:
            return
        received += chunk
    conn.sendall(bytes([IAC, DO, COM_PORT]))
    while received.count(bytes([IAC, SE])) < 4:
        chunk = conn.recv(4096)
        if not chunk:
            return
        received += chunk
    if mode == "wrong":
        conn.sendall(confirmations(1, 2))
        while conn.recv(4096):
            pass
        return
    conn.sendall(confirmations(3, 1))
    while True:
        conn.sendall(CHATTER)


def main(argv):
    if len(argv) != 2 or argv[1] not in ("mute", "chatter", "wrong"):
        sys.exit(__doc__)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(4)
    with open(argv[0] + ".new", "w") as f:
        f.write(str(listener.getsockname()[1]))
    os.rename(argv[0] + ".new", argv[0])
    while True:
        conn, _ = listener.accept()
        try:
            serve(conn, argv[1])
        except OSError:
            pass
        conn.close()


if __name__ == "__main__":
    main(sys.argv[1:])

#!/usr/bin/env python3
"""A device that answers every line it receives with the same bytes.

    fixed_answer_unit.py LINK HEX

Creates a pseudo-terminal and makes LINK a symbolic link to it (like
korvex7-sim --pty). Every line received (up to LF) is answered with the
bytes HEX stands for (e.g. "fffe0d0a": 0xFF 0xFE CR LF). Stands for a unit
or a line that brings bytes no unit sends. Ends on SIGTERM.
"""
import os
import pty
import select
import signal
import sys
import tty


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__)
    link, answer = argv[0], bytes.fromhex(argv[1])
    master, slave = pty.openpty()
    tty.setraw(slave)
    tty.setraw(master)
    if os.path.lexists(link):
        os.unlink(link)
    os.symlink(os.ttyname(slave), link)
    signal.signal(signal.SIGTERM, lambda *_: (os.unlink(link), sys.exit(0)))
    pending = b""
    while True:
        select.select([master], [], [])
        try:
            pending += os.read(master, 4096)
        except OSError:
            continue
        while b"\n" in pending:
            _, pending = pending.split(b"\n", 1)
            os.write(master, answer)


if __name__ == "__main__":
    main(sys.argv[1:])

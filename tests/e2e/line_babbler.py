#!/usr/bin/env python3
"""A device that keeps sending lines nobody asked for, for the end-to-end cases.

    line_babbler.py LINK LINE PERIOD_MS COUNT

Creates a pseudo-terminal and makes LINK a symbolic link to it (like
korvex7-sim --pty). On SIGUSR1 it writes LINE followed by CR LF COUNT times,
one every PERIOD_MS milliseconds, then prints "sent COUNT"; before and
afterwards it stays silent, with the line open, until it is ended (SIGTERM). What it receives is read and
dropped. Stands for a wrong device on the port, or a unit that repeats a
status line on its own.
"""
import os
import pty
import signal
import sys
import time
import tty


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    link, line = argv[0], argv[1].encode("ascii") + b"\r\n"
    period, count = int(argv[2]) / 1000.0, int(argv[3])
    master, slave = pty.openpty()
    tty.setraw(slave)
    if os.path.lexists(link):
        os.unlink(link)
    os.symlink(os.ttyname(slave), link)
    signal.signal(signal.SIGTERM, lambda *_: (os.unlink(link), sys.exit(0)))
    os.set_blocking(master, False)

    def drain():
        try:
            while os.read(master, 4096):
                pass
        except (BlockingIOError, OSError):
            pass

    started = []
    signal.signal(signal.SIGUSR1, lambda *_: started.append(True))
    while not started:
        drain()
        time.sleep(0.02)
    for _ in range(count):
        try:
            os.write(master, line)
        except BlockingIOError:
            pass
        drain()
        time.sleep(period)
    print(f"sent {count}", flush=True)
    while True:
        drain()
        time.sleep(0.05)


if __name__ == "__main__":
    main(sys.argv[1:])

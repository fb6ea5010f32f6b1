#!/usr/bin/env python3
"""Settings files (.dat) for the end-to-end cases of the settings dialogs.

    settings_file.py write OUT [NAME=VALUE...]    the start-up defaults with
                                                  the given fields changed
    settings_file.py diff A B [--except PREFIX...]
                                                  names every field that differs
                                                  (exit status 1 when one does)

A file holds the 282 saved fields one per line, CR LF after each, in code
page 932. NAME is a field name as the program knows it ("alarm.mode",
"title.text[0]", "splitLayout.quadA[0]"); VALUE is written as given, titles
encoded to code page 932 with each full-width blank written as the file
keeps it, a full-width asterisk.
"""
import sys


def field_names():
    names = []

    def one(name):
        names.append(name)

    def many(name, count):
        names.extend(f"{name}[{i}]" for i in range(count))

    for n in ("alarm.mode", "alarm.inputPolarity", "alarm.holdTimeText", "alarm.returnOn",
              "alarm.display"):
        one(n)
    many("videoLoss.detect", 16)
    for n in ("videoLoss.display", "videoLoss.signalOutput", "videoLoss.background",
              "dateTime.display", "dateTime.displayRange"):
        one(n)
    many("title.text", 16)
    for n in ("titleDisplay.single", "titleDisplay.split", "fontSize.single", "fontSize.split"):
        one(n)
    many("autoSwitch.dwellTime", 25)
    one("autoSwitch.mode")
    for n in ("brightness", "contrast", "hue", "sharpness", "saturation", "saturationV"):
        many("videoAdjust." + n, 16)
    many("agc.on", 16)
    many("videoFormat.format", 16)
    one("titlePosition.vertical")
    one("titlePosition.horizontal")
    for n, count in (("quadA", 4), ("quadB", 4), ("quadC", 4), ("quadD", 4), ("nineA", 9),
                     ("nineB", 9), ("thirteenA", 13), ("thirteenB", 13), ("sixteen", 16)):
        many("splitLayout." + n, count)
    for n in ("other.connectorInput", "other.borderLine", "other.powerOnScreen",
              "other.ntscAspect"):
        one(n)
    assert len(names) == 282, len(names)
    return names


FULL_DIGITS = "０１２３４５６７８９"


def defaults():
    v = []
    v += ["0", "0", "030", "1", "1"]
    v += ["1"] * 16
    v += ["1", "0", "0", "1", "0"]
    for ch in range(1, 17):
        v.append("＊＊＊ＣＨ" + FULL_DIGITS[ch // 10] + FULL_DIGITS[ch % 10] + "＊＊＊")
    v += ["1", "1", "1", "1"]
    v += ["3"] * 25 + ["2"]
    for value in (64, 64, 124, 0, 80, 80):
        v += [str(value)] * 16
    v += ["1"] * 16 + ["2"] * 16
    v += ["8", "8"]
    layouts = ([0, 1, 2, 3], [4, 5, 6, 7], [8, 9, 10, 11], [12, 13, 14, 15], list(range(9)),
               list(range(7, 16)), list(range(13)), list(range(10)) + [13, 14, 15],
               list(range(16)))
    for layout in layouts:
        v += [str(c) for c in layout]
    v += ["0", "3", "24", "0"]
    return v


def read(path):
    lines = open(path, "rb").read().split(b"\r\n")
    if lines[-1] != b"" or len(lines) != 283:
        sys.exit(f"{path}: not a settings file of 282 lines")
    return lines[:-1]


def main(argv):
    names = field_names()
    if len(argv) >= 2 and argv[0] == "write":
        values = [s.encode("cp932") for s in defaults()]
        for assignment in argv[2:]:
            name, _, value = assignment.partition("=")
            if name not in names:
                sys.exit(f"unknown field {name}")
            if name.startswith("title.text["):
                value = value.replace("　", "＊")
            values[names.index(name)] = value.encode("cp932")
        open(argv[1], "wb").write(b"".join(x + b"\r\n" for x in values))
        return 0
    if len(argv) >= 3 and argv[0] == "diff":
        a, b = read(argv[1]), read(argv[2])
        skip = argv[4:] if len(argv) > 3 and argv[3] == "--except" else []
        differ = 0
        for name, x, y in zip(names, a, b):
            if x != y and not any(name.startswith(p) for p in skip):
                print(f"{name}: {x.decode('cp932', 'replace')} / {y.decode('cp932', 'replace')}")
                differ = 1
        return differ
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

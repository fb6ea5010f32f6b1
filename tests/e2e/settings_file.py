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
import json
import os
import re
import sys

# The field names and the start-up defaults are the core's own: the runner
# puts them in this folder once per run (fields.json from "korvex7ctl --json
# fields", defaults.dat from the simulator's first dump of a new unit).
REFERENCE = os.environ.get("KORVEX7_SETTINGS_REFERENCE", "")


def field_names():
    with open(os.path.join(REFERENCE, "fields.json"), encoding="utf-8") as f:
        families = json.load(f)["fields"]
    names = []
    for family in families:
        m = re.fullmatch(r"(.*)\[0\.\.(\d+)\]", family["field"])
        if m:
            names += [f"{m.group(1)}[{i}]" for i in range(int(m.group(2)) + 1)]
        else:
            names.append(family["field"])
    return names


def defaults():
    return read(os.path.join(REFERENCE, "defaults.dat"))


def read(path):
    lines = open(path, "rb").read().split(b"\r\n")
    if lines[-1] != b"" or len(lines) != 283:
        sys.exit(f"{path}: not a settings file of 282 lines")
    return lines[:-1]


def main(argv):
    if not REFERENCE:
        sys.exit("settings_file.py: KORVEX7_SETTINGS_REFERENCE names no folder (run it from a case)")
    names = field_names()
    if len(names) != len(defaults()):
        sys.exit(f"settings_file.py: {len(names)} field names for {len(defaults())} values")
    if len(argv) >= 2 and argv[0] == "write":
        values = defaults()
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

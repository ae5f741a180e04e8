#!/usr/bin/env python3
"""Compares two registry exports (wine reg export) and fails when anything of
the program differs: keys or values that name it, its publisher, its
registration names or the extensions it knows. Other differences (Wine's own
bookkeeping) are listed for information only.

  compare_registry.py BEFORE.reg AFTER.reg
"""
import re
import sys

OURS = re.compile(r"zentra|ostrel", re.IGNORECASE)
EXTENSIONS = ("ogm mpeg mpg mpe wm avi divx mkv wmv wmd m1v m2v vob dat wav ac3 mka mp1 mp2 mp3 mpa wma "
              "snd au aif aifc aiff mid rmi midi m3u ram pls zvp").split()
EXTENSION_KEY = re.compile(r"\\classes\\\.(%s)(\\|$)" % "|".join(EXTENSIONS), re.IGNORECASE)


def parse(path):
    raw = open(path, "rb").read()
    text = raw.decode("utf-16") if raw[:2] in (b"\xff\xfe", b"\xfe\xff") else raw.decode("utf-8", "replace")
    keys = {}
    current = None
    pending = ""
    for line in text.splitlines():
        if pending:
            line = pending + line.lstrip()
            pending = ""
        if line.endswith("\\") and current is not None and not line.startswith("["):
            pending = line[:-1]
            continue
        if line.startswith("[") and line.endswith("]"):
            current = line[1:-1]
            keys.setdefault(current, {})
        elif current is not None and "=" in line and (line.startswith('"') or line.startswith("@")):
            if line.startswith("@"):
                name, data = "@", line[2:]
            else:
                match = re.match(r'"((?:[^"\\]|\\.)*)"=(.*)', line)
                if not match:
                    continue
                name, data = match.group(1), match.group(2)
            keys[current][name] = data
    return keys


def ours(key, name="", data=""):
    return bool(OURS.search(key) or OURS.search(name) or OURS.search(data) or EXTENSION_KEY.search(key))


def main(before_path, after_path):
    before, after = parse(before_path), parse(after_path)
    problems, others = [], []
    for key in sorted(set(before) | set(after)):
        if key not in before or key not in after:
            line = ("added key " if key not in before else "removed key ") + key
            (problems if ours(key) else others).append(line)
            continue
        for name in sorted(set(before[key]) | set(after[key])):
            old, new = before[key].get(name), after[key].get(name)
            if old == new:
                continue
            line = "%s: %s: %s -> %s" % (key, name, old, new)
            (problems if ours(key, name, (old or "") + (new or "")) else others).append(line)
    for line in others[:40]:
        print("registry (not ours): " + line)
    for line in problems:
        print("registry: left behind or changed: " + line, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))

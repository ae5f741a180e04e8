#!/usr/bin/env python3
"""Prints one line 'N passed, N failed' over every test case of a ./test run.

Arguments: CTest JUnit files, then folders of GoogleTest XML reports.
A CTest entry with a GoogleTest report counts its cases; one without (a
fuzz run, or a program that crashed or timed out) counts as one case.
Exit status 0 only when nothing failed and something ran.
"""
import os
import sys
import xml.etree.ElementTree as ET


def gtest_counts(path):
    root = ET.parse(path).getroot()
    passed = failed = skipped = 0
    for case in root.iter("testcase"):
        if case.find("failure") is not None:
            failed += 1
        elif case.get("result") == "skipped" or case.find("skipped") is not None:
            skipped += 1
        else:
            passed += 1
    return passed, failed, skipped


def main(args):
    junit = [a for a in args if a.endswith(".xml")]
    report_dirs = [a for a in args if not a.endswith(".xml")]
    reports = {}
    for d in report_dirs:
        if os.path.isdir(d):
            for f in os.listdir(d):
                if f.endswith(".xml"):
                    reports[f[:-4]] = os.path.join(d, f)
    passed = failed = skipped = 0
    failed_names = []
    for j in junit:
        if not os.path.exists(j):
            continue
        try:
            root = ET.parse(j).getroot()
        except ET.ParseError:
            failed += 1
            failed_names.append(j)
            continue
        for case in root.iter("testcase"):
            name = case.get("name")
            ok = case.get("status") == "run" and case.find("failure") is None
            if case.get("status") in ("notrun", "disabled"):
                skipped += 1
                continue
            report = reports.get(name)
            counts = None
            if report:
                try:
                    counts = gtest_counts(report)
                except ET.ParseError:
                    counts = None
            if counts and (counts[0] + counts[1]) > 0:
                p, f, s = counts
                if not ok and f == 0:
                    f = 1  # crashed or timed out after its cases passed
                passed, failed, skipped = passed + p, failed + f, skipped + s
            elif ok:
                passed += 1
            else:
                failed += 1
            if not ok:
                failed_names.append(name)
    if failed_names:
        print("failed: " + ", ".join(failed_names))
    line = f"{passed} passed, {failed} failed"
    if skipped:
        line += f", {skipped} skipped"
    print(line)
    return 0 if failed == 0 and passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

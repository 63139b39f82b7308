#!/usr/bin/python3
"""Checks that the committed pictures are exactly what the generator draws: runs it into a
scratch folder and compares the bytes of every file. Usage:
  check_deterministic.py [--only NAME.png ...]     exit status 1 on failure
With --only, just those files (and the groups that draw them) are regenerated, for a quicker run.
"""
import argparse
import filecmp
import os
import subprocess
import sys
import tempfile

import catalogue as cat

GENERATOR = os.path.join(cat.REPO, "tools", "art", "generate.py")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--only", nargs="*", default=None)
    args = ap.parse_args()
    report = cat.Report()
    with tempfile.TemporaryDirectory() as scratch:
        icon = os.path.join(scratch, "icon", "tavrello.png")
        cmd = [sys.executable, GENERATOR, "--out", scratch, "--icon", icon]
        if args.only:
            cmd += ["--only"] + args.only
        run = subprocess.run(cmd, capture_output=True, text=True)
        report.check(run.returncode == 0, "the generator failed: %s" % run.stderr[-2000:])
        names = args.only or [n + ".png" for n in cat.all_names()]
        for fname in names:
            made = os.path.join(scratch, fname)
            if fname == "tavrello.png":
                made, kept = icon, cat.ICON
            else:
                kept = os.path.join(cat.ASSETS, fname)
            if report.check(os.path.exists(made), "the generator did not write %s" % fname):
                report.check(filecmp.cmp(made, kept, shallow=False),
                             "%s differs from the committed picture" % fname)
        if not args.only:
            report.check(filecmp.cmp(icon, cat.ICON, shallow=False),
                         "the icon differs from the committed one")
    return report.finish("deterministic pictures")


if __name__ == "__main__":
    sys.exit(main())

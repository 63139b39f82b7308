#!/usr/bin/python3
"""Checks that the committed pictures and the icon are exactly what tools/art/generate.py draws: runs it
into a scratch folder and compares every file byte for byte. Exits 1 on any difference."""
import filecmp
import os
import subprocess
import sys
import tempfile

from pictures_test import ALL, REPO


def main():
    with tempfile.TemporaryDirectory() as scratch:
        icon = os.path.join(scratch, "tavrello.png")
        run = subprocess.run([sys.executable, os.path.join(REPO, "tools", "art", "generate.py"), "--out", scratch,
                              "--icon", icon], capture_output=True, text=True)
        if run.returncode != 0:
            print(f"FAIL: the generator failed:\n{run.stderr[-2000:]}")
            return 1
        pairs = [(os.path.join(scratch, name + ".png"), os.path.join(REPO, "assets", name + ".png")) for name in ALL]
        pairs.append((icon, os.path.join(REPO, "dist", "icons", "tavrello.png")))
        differ = [kept for made, kept in pairs if not (os.path.exists(made) and filecmp.cmp(made, kept, shallow=False))]
    print("\n".join(f"FAIL: {kept} is not what the generator draws" for kept in differ)
          or f"{len(pairs)} pictures as the generator draws them")
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())

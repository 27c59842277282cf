#!/usr/bin/env python3
"""Writes the archives the resource tests read, made by independent tools:
Python's zipfile (stored and deflated members, mixed-case names) and the
Info-ZIP `zip -P` command (a password-protected archive)."""

import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

SKIN = ('<?xml version="1.0" encoding="utf-8"?>\n'
        '<Window size="484,306"><Label text="\u5f00\u59cb" /></Window>\n')


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    with zipfile.ZipFile(os.path.join(out_dir, "python.zip"), "w") as z:
        z.writestr(zipfile.ZipInfo("vxgdown.xml"), SKIN.encode("utf-8"), zipfile.ZIP_DEFLATED)
        z.writestr("img/Close.png", bytes(range(256)) * 4, zipfile.ZIP_STORED)
        z.writestr("big/exact.bin", b"z" * 4194304, zipfile.ZIP_DEFLATED)
        z.writestr("big/over.bin", b"z" * 4194305, zipfile.ZIP_DEFLATED)
        z.writestr("empty.xml", b"", zipfile.ZIP_STORED)

    zip_tool = shutil.which("zip")
    if zip_tool:
        with tempfile.TemporaryDirectory() as work:
            with open(os.path.join(work, "secret.xml"), "w", encoding="utf-8") as f:
                f.write('<Window><Font id="1" name="x"/></Window>\n' * 50)
            target = os.path.abspath(os.path.join(out_dir, "password.zip"))
            if os.path.exists(target):
                os.remove(target)
            subprocess.run([zip_tool, "-q", "-P", "s3cret", target, "secret.xml"], cwd=work, check=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

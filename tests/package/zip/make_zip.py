#!/usr/bin/env python3
"""Makes the Windows zip from the built tree with CPack, as `make package`
does, so the tests after it look at a fresh one (an old zip is removed first).

usage: make_zip.py --cpack CPACK --config CPackConfig.cmake --zip ZIP
"""

import argparse
import os
import subprocess
import sys
import time


def main():
    parser = argparse.ArgumentParser()
    for name in ("--cpack", "--config", "--zip"):
        parser.add_argument(name, required=True)
    args = parser.parse_args()
    if os.path.exists(args.zip):
        os.remove(args.zip)
    started = time.monotonic()
    r = subprocess.run([args.cpack, "--config", args.config], cwd=os.path.dirname(args.config),
                       capture_output=True, text=True, timeout=900)
    print(r.stdout, r.stderr, sep="")
    if r.returncode != 0:
        print("FAILED: cpack ended with", r.returncode)
        return 1
    if not os.path.exists(args.zip):
        print("FAILED: cpack made no", args.zip)
        return 1
    print("%s: %d bytes, made in %.1f s" % (os.path.basename(args.zip), os.path.getsize(args.zip),
                                           time.monotonic() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Makes the Debian package from the built tree with CPack, as `make package`
does, and leaves its path for the other package tests. Prints its size.

usage: build_package.py --cpack CPACK --config CPackConfig.cmake --work DIR
"""

import argparse
import glob
import os
import re
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from deb_support import Failure, check, package_path_file, run, verdict  # noqa: E402


def build(args):
    out = os.path.join(args.work, "out")
    staging = os.path.join(args.work, "cpack")
    for stale in (out, staging):
        shutil.rmtree(stale, ignore_errors=True)
    if os.path.exists(package_path_file(args.work)):
        os.remove(package_path_file(args.work))
    start = time.monotonic()
    # The test's own output and staging folders: a `make package` at the
    # same time keeps its own.
    r = run([args.cpack, "--config", args.config, "-G", "DEB", "-B", staging,
             "-D", "CPACK_OUTPUT_FILE_PREFIX=" + out], timeout=240)
    seconds = time.monotonic() - start
    check(r.returncode == 0, "cpack failed (exit %d)\n%s%s" % (r.returncode, r.stdout, r.stderr))
    named = re.findall(r"package: (\S+\.deb) generated", r.stdout)
    made = glob.glob(os.path.join(out, "*.deb"))
    check(len(made) == 1, "cpack made %d packages in %s: %s\n%s" % (len(made), out, made, r.stdout))
    check([os.path.realpath(p) for p in named] == [os.path.realpath(made[0])],
          "cpack reported %s, the folder holds %s" % (named, made))
    with open(package_path_file(args.work), "w") as f:
        f.write(made[0] + "\n")
    print("package %s: %d bytes, made in %.1f s" % (os.path.basename(made[0]), os.path.getsize(made[0]), seconds))


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--cpack", required=True)
    p.add_argument("--config", required=True)
    p.add_argument("--work", required=True)
    args = p.parse_args()
    os.makedirs(args.work, exist_ok=True)
    return verdict(lambda: build(args))


if __name__ == "__main__":
    sys.exit(main())

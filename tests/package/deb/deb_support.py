"""What the package tests share: failing with a message, bounded commands,
and the package the build test made (its path is left in the work folder)."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "e2e"))
from e2e_support import Failure, check, run, verdict  # noqa: E402,F401  (the package tests' own names)


def run_ok(cmd, what, timeout=60, **kw):
    r = run(cmd, timeout=timeout, **kw)
    check(r.returncode == 0, "%s: exit %d\n%s%s" % (what, r.returncode, r.stdout, r.stderr))
    return r


def package_path_file(work):
    return os.path.join(work, "package.path")


def built_package(work):
    """The .deb the build test made, or a Failure when it made none."""
    try:
        with open(package_path_file(work)) as f:
            path = f.read().strip()
    except OSError:
        raise Failure("no package: the build test did not leave " + package_path_file(work))
    check(os.path.isfile(path), "the package %s is gone" % path)
    return path


def control_field(deb, name):
    return run_ok(["dpkg-deb", "--field", deb, name], "dpkg-deb --field " + name).stdout.strip()

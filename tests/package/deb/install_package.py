#!/usr/bin/env python3
"""The package installed as a user installs it, without touching this
machine: in a private mount namespace, an overlay whose lower layer is this
system's root and whose upper layer is a fresh tmpfs becomes a chroot, so
dpkg checks the real dependencies against the real package database and
every change lands in the upper layer only.

There the package must install; give the wizard and zaviz-repair exactly
their two capabilities (and nothing setuid); run for root and for uid 65534
(zaviz-repair even does a repair's network part as 65534 in a network
namespace of its own); put its files where freedesktop and Debian look;
purge to nothing; and, where setcap fails or is missing, still install and
say so on one line.

usage: install_package.py --work DIR --version X.Y.Z   (as root; 77 otherwise)
"""

import argparse
import filecmp
import os
import shutil
import stat
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from deb_support import Failure, built_package, check, run, verdict  # noqa: E402

PACKAGE = "zavizeravaredu"
APP_ID = "org.example.ZavizEraVaredu"
CAPABLE = ("zaviz-era-varedu", "zaviz-repair")
PROGRAMS = CAPABLE + ("zaviz-tftpd", "zaviz-skinview")
CAPABILITIES = "cap_net_bind_service,cap_net_admin,cap_net_raw=ep"
NOBODY = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]
HERE = os.path.dirname(os.path.abspath(__file__))
# Where the programs keep a card's former setup while a repair runs; the purge removes it.
RUNTIME_FOLDERS = ("/run/zaviz-era-varedu",)

# What other packages' triggers and dpkg itself rewrite on every install and
# removal; everything else a purge leaves in the upper layer is ours.
NOT_OURS = ("var/lib/dpkg/", "var/log/", "var/cache/man/", "var/cache/debconf/",
            "usr/share/icons/hicolor/icon-theme.cache", "usr/share/applications/mimeinfo.cache")


class Root:
    """The overlay root, mounted in this process's private mount namespace."""

    def __init__(self, top):
        self.top = top
        self.lower = os.path.join(top, "lower")
        self.upper = os.path.join(top, "upper")
        self.path = os.path.join(top, "root")

    def mount(self):
        """False when this machine lets even root make no such root (a
        container without the right to mount)."""
        if run(["mount", "-t", "tmpfs", "-o", "mode=0700", "tmpfs", self.top], timeout=30).returncode != 0:
            return False
        for d in (self.lower, self.upper, os.path.join(self.top, "work"), self.path):
            os.mkdir(d)
        # The root file system alone, without what is mounted on it.
        mount(["--bind", "/", self.lower])
        mount(["-t", "overlay", "overlay", "-o", "lowerdir=%s,upperdir=%s,workdir=%s" %
               (self.lower, self.upper, os.path.join(self.top, "work")), self.path])
        mount(["--rbind", "/dev", os.path.join(self.path, "dev")])
        mount(["-t", "proc", "proc", os.path.join(self.path, "proc")])
        return True

    def inside(self, relative):
        return os.path.join(self.path, relative.lstrip("/"))

    def run(self, cmd, timeout=120, user=False):
        env = {"PATH": "/usr/sbin:/usr/bin:/sbin:/bin", "LC_ALL": "C.UTF-8", "HOME": "/root",
               "DEBIAN_FRONTEND": "noninteractive"}
        return run(["chroot", self.path] + (NOBODY if user else []) + cmd, timeout=timeout, env=env)

    def run_ok(self, cmd, what, **kw):
        r = self.run(cmd, **kw)
        check(r.returncode == 0, "%s: exit %d\n%s%s" % (what, r.returncode, r.stdout, r.stderr))
        return r

    def upper_entries(self):
        """Every path in the upper layer with what it is: a directory, a
        whiteout (a lower file deleted), or a file or link."""
        found = {}
        for folder, dirs, files in os.walk(self.upper):
            for name in dirs + files:
                path = os.path.join(folder, name)
                info = os.lstat(path)
                relative = os.path.relpath(path, self.upper)
                if stat.S_ISDIR(info.st_mode):
                    found[relative] = "dir"
                elif stat.S_ISCHR(info.st_mode) and info.st_rdev == 0:
                    found[relative] = "whiteout"
                else:
                    found[relative] = "file"
        return found


def mount(args):
    r = run(["mount"] + args, timeout=30)
    check(r.returncode == 0, "mount %s: %s" % (" ".join(args), r.stderr.strip()))


def output_lines(r):
    return [line for line in (r.stdout + r.stderr).splitlines() if line.strip()]


def install(root, deb_inside):
    start = time.monotonic()
    r = root.run_ok(["dpkg", "-i", deb_inside], "dpkg -i")
    print("installed in %.1f s" % (time.monotonic() - start))
    return r


def files_of_package(root):
    listed = root.run_ok(["dpkg-query", "-L", PACKAGE], "dpkg-query -L").stdout.split()
    return [p for p in listed if os.path.isfile(root.inside(p))]


def capabilities(root):
    for program in PROGRAMS:
        r = root.run_ok(["getcap", "/usr/bin/" + program], "getcap " + program)
        found = r.stdout.split()[1:] if r.stdout.strip() else []
        wanted = [CAPABILITIES] if program in CAPABLE else []
        check(found == wanted, "%s has capabilities %s, not %s" % (program, found, wanted))
    for path in files_of_package(root):
        mode = os.lstat(root.inside(path)).st_mode
        check(not mode & (stat.S_ISUID | stat.S_ISGID), "%s is setuid or setgid" % path)
    print("capabilities: %s on %s; nothing setuid" % (CAPABILITIES, " and ".join(CAPABLE)))


def programs_run(root, version):
    for user in (False, True):
        who = "uid 65534" if user else "root"
        for program in ("zaviz-repair", "zaviz-era-varedu", "zaviz-skinview", "zaviz-tftpd"):
            r = root.run_ok([program, "--version"], "%s --version as %s" % (program, who), user=user)
            check(r.stdout.strip() == "%s %s" % (program, version),
                  "%s --version as %s printed %r" % (program, who, r.stdout))
        r = root.run_ok(["zaviz-tftpd", "--help"], "zaviz-tftpd --help as " + who, user=user)
        check(r.stdout.startswith("Usage: zaviz-tftpd"), "zaviz-tftpd --help printed %r" % r.stdout[:80])
    print("the programs run as root and as uid 65534 and print version %s" % version)


def places(root):
    wanted = ["/usr/bin/" + p for p in PROGRAMS]
    wanted += ["/usr/share/applications/%s.desktop" % APP_ID, "/usr/share/metainfo/%s.metainfo.xml" % APP_ID,
               "/usr/share/doc/%s/copyright" % PACKAGE, "/usr/share/doc/%s/changelog.gz" % PACKAGE]
    wanted += ["/usr/share/icons/hicolor/%dx%d/apps/%s.png" % (s, s, APP_ID) for s in (16, 32, 48, 256)]
    for path in wanted:
        check(os.path.isfile(root.inside(path)), "not installed: " + path)
    # The manual pages where man finds them.
    for program in PROGRAMS:
        r = root.run_ok(["man", "-w", program], "man -w " + program)
        check(r.stdout.strip() == "/usr/share/man/man1/%s.1.gz" % program,
              "man finds %s at %r" % (program, r.stdout.strip()))
    print("desktop entry, metainfo, icons, manual pages and doc files in place")


def repair_as_nobody(root):
    work = "/tmp/zaviz-nobody-repair"
    for sub in ("fw", "xdg"):
        os.makedirs(root.inside(work + "/" + sub))
    with open(root.inside(work + "/fw/upgradeimage.bin"), "wb") as f:
        f.write(os.urandom(200 * 1024 + 123))
    open(root.inside(work + "/null"), "w").close()
    os.chown(root.inside(work + "/xdg"), 65534, 65534)
    os.chmod(root.inside(work + "/xdg"), 0o700)
    os.chmod(root.inside(work), 0o755)
    shutil.copy(os.path.join(HERE, "repair_as_nobody.sh"), root.inside(work + "/repair_as_nobody.sh"))
    r = root.run(["unshare", "--net", "sh", work + "/repair_as_nobody.sh", work], timeout=90)
    print(r.stdout.rstrip())
    check(r.returncode == 0, "the repair as uid 65534 failed (exit %d)\n%s" % (r.returncode, r.stderr))
    shutil.rmtree(root.inside(work))


def purge(root, installed_files):
    os.makedirs(root.inside("/run/zaviz-era-varedu"), mode=0o700, exist_ok=True)
    with open(root.inside("/run/zaviz-era-varedu/restore-record"), "w") as f:
        f.write("a record a killed run left\n")
    start = time.monotonic()
    root.run_ok(["dpkg", "--purge", PACKAGE], "dpkg --purge")
    print("purged in %.1f s" % (time.monotonic() - start))
    r = root.run(["dpkg-query", "-W", "-f", "${db:Status-Status}", PACKAGE])
    check(r.returncode != 0 or r.stdout.strip() in ("", "not-installed"), "still known to dpkg: " + r.stdout)
    for path in installed_files + list(RUNTIME_FOLDERS):
        check(not os.path.lexists(root.inside(path)), "left after the purge: " + path)


def same_as_lower(root, relative, kind):
    lower = os.path.join(root.lower, relative)
    if kind == "dir":
        return os.path.isdir(lower) and not os.path.islink(lower)
    if kind == "file" and os.path.isfile(lower) and not os.path.islink(lower):
        return filecmp.cmp(lower, os.path.join(root.upper, relative), shallow=False)
    return False


def nothing_left(root, before):
    """What the upper layer gained since before the install must be only
    copies of lower entries (directories the package's files went into) and
    other packages' caches."""
    left = []
    for relative, kind in sorted(root.upper_entries().items()):
        if before.get(relative) == kind or relative.startswith(NOT_OURS) or relative + "/" in NOT_OURS:
            continue
        if not same_as_lower(root, relative, kind):
            left.append("%s (%s)" % (relative, kind))
    check(not left, "the purge left changes behind:\n  " + "\n  ".join(left))
    print("after the purge the root is as before (but for dpkg's records and other packages' caches)")


def as_after_a_boot(root):
    """/run starts empty at every boot. A runtime folder that a run of the
    wizard on this machine left there (as root, from a build tree) is not the
    package's: it goes from the private root before the install, so that the
    purge, which removes that folder, is judged against a root without it."""
    for path in RUNTIME_FOLDERS:
        if os.path.lexists(root.inside(path)):
            shutil.rmtree(root.inside(path))
            print("removed %s from the private root: an earlier run on this machine left it" % path)


def without_setcap(root, deb_inside):
    """setcap failing (a file system without extended attributes), then
    missing: the installation succeeds and says so on one line each time."""
    setcap = root.inside("/usr/sbin/setcap")
    os.remove(setcap)
    with open(setcap, "w") as f:
        f.write("#!/bin/sh\necho 'Failed to set capabilities on file: Operation not supported' >&2\nexit 1\n")
    os.chmod(setcap, 0o755)
    for case, expected in (("failing", "setcap failed for"), ("missing", "setcap not found")):
        r = install(root, deb_inside)
        said = [line for line in output_lines(r) if "setcap" in line]
        check(len(said) == 1 and expected in said[0] and "sudo" in said[0],
              "with setcap %s the installation said %s" % (case, said))
        for program in CAPABLE:
            got = root.run_ok(["sh", "-c", "command -v getcap >/dev/null && getcap /usr/bin/" + program +
                               " || true"], "getcap").stdout.strip()
            check(got == "", "%s has capabilities %r with setcap %s" % (program, got, case))
        print("setcap %s: installed, one line: %s" % (case, said[0]))
        if os.path.exists(setcap):
            os.remove(setcap)


def inside_namespace(args):
    root = Root(args.top)
    if not root.mount():
        print("skipped: no tmpfs can be mounted here, so no private root either")
        return 77
    deb_inside = "/tmp/%s-under-test.deb" % PACKAGE
    shutil.copy(args.deb, root.inside(deb_inside))
    as_after_a_boot(root)
    before = root.upper_entries()
    r = install(root, deb_inside)
    check(not [line for line in output_lines(r) if "setcap" in line], "setcap complained:\n" + r.stdout + r.stderr)
    installed = files_of_package(root)
    capabilities(root)
    programs_run(root, args.version)
    places(root)
    repair_as_nobody(root)
    purge(root, installed)
    nothing_left(root, before)
    without_setcap(root, deb_inside)


def outside(args):
    if os.geteuid() != 0:
        print("skipped: installing into a private root needs root")
        return 77
    if run(["unshare", "--mount", "true"], timeout=30).returncode != 0:
        print("skipped: no private mount namespace can be made here")
        return 77
    deb = built_package(args.work)
    top = tempfile.mkdtemp(prefix="zaviz-deb-root.")
    try:
        # The namespace ends with the child, and every mount with it.
        child = subprocess.run(["unshare", "--mount", "--propagation", "private", sys.executable,
                                os.path.abspath(__file__), "--inside", top, "--deb", deb,
                                "--version", args.version, "--work", args.work], timeout=240)
        return child.returncode
    finally:
        shutil.rmtree(top, ignore_errors=True)


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--work", required=True)
    p.add_argument("--version", required=True)
    p.add_argument("--inside")
    p.add_argument("--deb")
    args = p.parse_args()
    if args.inside:
        args.top = args.inside
        return verdict(lambda: inside_namespace(args))
    return verdict(lambda: outside(args))


if __name__ == "__main__":
    sys.exit(main())

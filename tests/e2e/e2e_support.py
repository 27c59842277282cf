"""What every end-to-end script needs: failing with a message, running a
command with a bound on its time, and waiting for a condition."""

import os
import subprocess
import time


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(cmd, timeout=60, **kw):
    return subprocess.run(cmd, capture_output=True, text=True, timeout=timeout, **kw)


def wait_for(what, probe, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = probe()
        if value:
            return value
        time.sleep(0.05)
    raise Failure("timed out waiting for " + what)


def verdict(body):
    """Runs a test body and prints its verdict: "passed" and 0, or the
    failure and 1. A body that returns a code (the exit code of its own run
    inside a namespace) gives that code, printing nothing."""
    try:
        code = body()
    except Failure as e:
        print("FAILED:", e)
        return 1
    if code is not None:
        return code
    print("passed")
    return 0


def run_case(args, cases, what):
    """Runs `case_<args.case>` from `cases` (a module's globals), which needs
    root; without it the run is skipped (77)."""
    if os.geteuid() != 0:
        print("SKIP: %s needs root (network namespaces, port 69)" % what)
        return 77
    return verdict(lambda: cases["case_" + args.case](args))


class Workspace:
    """A per-test folder: the firmware of `size` random bytes (the programs
    find it in their working folder), a private /run and runtime folder
    (single-instance lock and restore record stay the test's own, and survive
    a restart of the program), and a state folder for the support logs."""

    def __init__(self, root, size):
        self.root = root
        self.firmware_dir = os.path.join(root, "fw")
        self.run_dir = os.path.join(root, "run")
        self.runtime_dir = os.path.join(root, "xdg")
        self.state_dir = os.path.join(root, "state")
        self.log_dir = os.path.join(self.state_dir, "zavizeravaredu")
        for d in (self.firmware_dir, self.run_dir, self.runtime_dir):
            os.makedirs(d, mode=0o700, exist_ok=True)
        self.firmware = os.path.join(self.firmware_dir, "upgradeimage.bin")
        self.content = os.urandom(size)
        with open(self.firmware, "wb") as f:
            f.write(self.content)


def chinese_desktop(env):
    """`env` as a Chinese desktop has it: the programs speak their Chinese face."""
    env = {k: v for k, v in env.items() if k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES")}
    env["LANG"] = "zh_CN.UTF-8"
    return env


def support_log(ws):
    """The text of the one support log the run left in the workspace."""
    names = sorted(os.listdir(ws.log_dir)) if os.path.isdir(ws.log_dir) else []
    check(len(names) == 1, "support logs: %s" % names)
    with open(os.path.join(ws.log_dir, names[0]), encoding="utf-8") as f:
        return os.path.join(ws.log_dir, names[0]), f.read()


def netsh_lines(log):
    """The lines the netsh stand-in recorded, blank ones left out."""
    if not os.path.exists(log):
        return []
    with open(log, encoding="latin-1") as f:
        return [l.strip() for l in f if l.strip()]

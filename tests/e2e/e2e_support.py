"""What every end-to-end script needs: failing with a message, running a
command with a bound on its time, and waiting for a condition."""

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

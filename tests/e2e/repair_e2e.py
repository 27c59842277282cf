#!/usr/bin/env python3
"""The whole repair as a person does it, on Linux: the program in a real window
on a private X desktop (driven with xdotool, photographed with import), in a
"pc" network namespace whose veth end is the card (named with --card); a
"device" namespace at 192.168.1.10 fetches upgradeimage.bin from 192.168.1.2
with curl and with atftp. Afterwards the card's addresses must be exactly as
before.

usage: repair_e2e.py --program PATH --artifacts DIR CASE   (as root, under desktop-session)
"""

import argparse
import hashlib
import os
import re
import signal
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_support import Failure, Workspace, check, chinese_desktop, run, run_case, wait_for  # noqa: E402
from netns import REPAIR_ADDRESS, Namespaces  # noqa: E402

FIRMWARE_SIZE = 3 * 1024 * 1024 + 777
# Client points of vxgdown.xml.
BEGIN_BUTTON = (243, 216)      # "下一步" on the first page
CLOSE_BUTTON = (460, 29)       # the cross in the title bar
EXIT_BUTTON = (242, 240)       # "退出" on the finished page
CONFIRM_BUTTON = (170, 206)    # "确认" on the exit confirmation
CANCEL_BUTTON = (315, 206)     # "取消" on the exit confirmation
RETRY_BUTTON = (242, 240)      # "重试" on the failure page
PAGES = {0: "begin_upgrade", 1: "waitingforuseraction", 2: "upgradeing", 3: "end_upgrade",
         4: "warning_layout", 5: "upgrade_error"}


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


class Program:
    """One run of the repair program with a live window."""

    def __init__(self, args, ns, ws, extra=()):
        env = chinese_desktop(dict(os.environ, XDG_RUNTIME_DIR=ws.runtime_dir, XDG_STATE_HOME=ws.state_dir))
        script = 'mount --bind "$0" /run && exec "$@"'
        cmd = ns.in_pc(["sh", "-c", script, ws.run_dir, args.program, "--card", ns.card] + list(extra))
        self.proc = subprocess.Popen(cmd, cwd=ws.firmware_dir, env=env, stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE, text=True, encoding="utf-8")
        self.lines = []
        self.errors = []
        threading.Thread(target=self._read, args=(self.proc.stdout, self.lines), daemon=True).start()
        threading.Thread(target=self._read, args=(self.proc.stderr, self.errors), daemon=True).start()
        self.window = wait_for("the program's window", self._find_window, 30)  # a budget: asan builds start slowly under load
        time.sleep(0.3)

    @staticmethod
    def _read(stream, into):
        for line in stream:
            into.append(line.rstrip("\n"))

    def _find_window(self):
        if self.proc.poll() is not None:
            raise Failure("the program ended at start (exit %s): %s" % (self.proc.returncode, self.output()))
        r = run(["xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid)])
        ids = r.stdout.split()
        return ids[0] if ids else None

    def output(self):
        return "\n".join(self.lines[-30:] + self.errors[-30:])

    def click(self, point):
        r = run(["xdotool", "mousemove", "--window", self.window, str(point[0]), str(point[1]), "sleep", "0.1", "click", "1"])
        check(r.returncode == 0, "xdotool failed: " + r.stderr)

    def shot(self, args, name):
        path = os.path.join(args.artifacts, "repair_%s.png" % name)
        r = run(["import", "-window", self.window, path])
        check(r.returncode == 0, "import failed: " + r.stderr)
        return path

    def key(self, name):
        r = run(["xdotool", "windowactivate", "--sync", self.window, "key", "--clearmodifiers", name])
        check(r.returncode == 0, "xdotool failed: " + r.stderr)

    def mark(self):
        """Where the output stands now: next_page looks only after it."""
        return len(self.lines)

    def next_page(self, index, mark, seconds=10.0):
        wait_for("page %d after line %d" % (index, mark),
                 lambda: any(l == "page %d" % index for l in self.lines[mark:]), seconds)

    def pixel(self, path, point):
        """The colour at a client point of a screenshot, as (r, g, b)."""
        fx = ",".join("%%[fx:int(255*p{%d,%d}.%s)]" % (point[0], point[1], c) for c in "rgb")
        r = run(["convert", path, "-format", fx, "info:"])
        check(r.returncode == 0, "convert failed: " + r.stderr)
        return tuple(int(v) for v in r.stdout.strip().split(","))

    def saw(self, text, seconds=10.0):
        wait_for('"%s" on the program\'s output' % text, lambda: any(text in l for l in self.lines), seconds)

    def page(self, index, seconds=10.0):
        self.saw("page %d" % index, seconds)

    def finish(self, seconds=15.0):
        try:
            return self.proc.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


def fetch(ns, ws, client):
    out = os.path.join(ws.root, "fetched-%s.bin" % client)
    if client == "curl":
        cmd = ["curl", "-sS", "--tftp-blksize", "1468", "-o", out, "tftp://%s/upgradeimage.bin" % REPAIR_ADDRESS]
    else:
        cmd = ["atftp", "-g", "-r", "upgradeimage.bin", "-l", out, REPAIR_ADDRESS]
    r = run(ns.in_device(cmd), timeout=120)
    check(r.returncode == 0, "%s failed: %s%s" % (client, r.stdout, r.stderr))
    check(digest(out) == hashlib.sha256(ws.content).hexdigest(), "%s fetched other bytes than the firmware" % client)


def prepared(args, tag, body):
    with tempfile.TemporaryDirectory() as root, Namespaces(tag) as ns:
        ws = Workspace(root, FIRMWARE_SIZE)
        before = ns.card_addresses()
        body(args, ns, ws)
        after = ns.card_addresses()
        check(after == before, "the card's addresses are %s, before the repair %s" % (after, before))


# --- Cases ---------------------------------------------------------------------------------


def case_curl_repair_through_every_page(args):
    def body(args, ns, ws):
        p = Program(args, ns, ws)
        try:
            p.shot(args, "page0_start")
            p.click(BEGIN_BUTTON)
            p.page(1)
            check(REPAIR_ADDRESS + "/24" in ns.card_addresses(), "the card did not get the repair address")
            p.shot(args, "page1_waiting")
            fetch(ns, ws, "curl")
            p.page(2)
            p.shot(args, "page2_downloading")
            # The finishing phase: one percent every 3 s from 60 to 100.
            p.page(3, 150)
            p.shot(args, "page3_finished")
            p.click(EXIT_BUTTON)
            check(p.finish() == 0, "the exit button did not end the program: " + p.output())
        finally:
            p.stop()
    prepared(args, "curl", body)


def case_atftp_then_close_asks_and_confirm_exits(args):
    def body(args, ns, ws):
        p = Program(args, ns, ws)
        try:
            p.click(BEGIN_BUTTON)
            p.page(1)
            fetch(ns, ws, "atftp")
            p.page(2)
            p.click(CLOSE_BUTTON)
            p.page(4)
            p.shot(args, "page4_confirm_exit")
            p.click(CANCEL_BUTTON)
            p.page(2)
            p.click(CLOSE_BUTTON)
            p.page(4)
            p.click(CONFIRM_BUTTON)
            check(p.finish() == 0, "confirming did not end the program: " + p.output())
        finally:
            p.stop()
    prepared(args, "atftp", body)


def case_no_firmware_shows_the_failure_page_and_changes_nothing(args):
    def body(args, ns, ws):
        os.remove(ws.firmware)
        p = Program(args, ns, ws)
        try:
            p.click(BEGIN_BUTTON)
            p.page(5)
            p.shot(args, "page5_failed")
            check(REPAIR_ADDRESS + "/24" not in ns.card_addresses(), "a failed start changed the card")
            p.key("alt+F4")
            check(p.finish() == 0, "Alt+F4 did not end the program: " + p.output())
        finally:
            p.stop()
    prepared(args, "nofw", body)


def case_signals_and_alt_f4_while_waiting_give_the_card_back(args):
    def body(args, ns, ws):
        for runs, how in enumerate(("SIGTERM", "SIGINT", "SIGHUP", "alt+F4"), 1):
            p = Program(args, ns, ws)
            try:
                p.click(BEGIN_BUTTON)
                p.page(1)
                check(REPAIR_ADDRESS + "/24" in ns.card_addresses(), "the card did not get the repair address")
                if how.startswith("SIG"):
                    p.proc.send_signal(getattr(signal, how))
                else:
                    # The box waits: the question comes first, and a second Alt+F4 answers it.
                    run(["xdotool", "windowactivate", "--sync", p.window])
                    run(["xdotool", "key", how])
                    p.page(4)
                    check(p.proc.poll() is None, "%s left without the question" % how)
                    run(["xdotool", "key", how])
                check(p.finish() is not None, "%s did not end the program" % how)
                check(REPAIR_ADDRESS + "/24" not in ns.card_addresses(), "%s left the repair address" % how)
                # Each run leaves its own log; the newest says whether a signal or the user ended it.
                logs = sorted(os.listdir(ws.log_dir))
                with open(os.path.join(ws.log_dir, logs[-1]), encoding="utf-8") as f:
                    log = f.read()
                ending = "end: stopped by a signal" if how.startswith("SIG") else "end: left by the user on page 4"
                check(len(logs) == runs and ending in log and "card given back" in log,
                      "%d logs, the newest after %s lacks %r:\n%s" % (len(logs), how, ending, log))
            finally:
                p.stop()
    prepared(args, "signals", body)


def case_keys_focus_ring_and_closes_that_ask_only_mid_repair(args):
    """The keyboard alone: the focus ring on the main button, Enter, Tab and
    Escape; Escape leaves the untouched start page at once, and mid-repair
    asks first, Escape on the question taking it back."""
    ring = (BEGIN_BUTTON[0] - 64, BEGIN_BUTTON[1])  # on the ring just inside the button's left edge
    def body(args, ns, ws):
        p = Program(args, ns, ws)
        try:
            shot = p.shot(args, "keys_start_focused")
            focused = p.pixel(shot, ring)
            check(min(focused) >= 140, "no light focus ring on the start button: %s" % (focused,))
            p.key("Tab")  # the × is no stop of the cycle: the focus stays
            check(p.pixel(p.shot(args, "keys_start_after_tab"), ring) == focused, "Tab took the focus off the button")
            p.key("Escape")
            check(p.finish() == 0, "Escape on the start page did not end the program: " + p.output())
            check(REPAIR_ADDRESS + "/24" not in ns.card_addresses(), "leaving the start page changed the card")
        finally:
            p.stop()
        p = Program(args, ns, ws)
        try:
            mark = p.mark()
            p.key("Return")
            p.next_page(1, mark)
            check(REPAIR_ADDRESS + "/24" in ns.card_addresses(), "Enter did not start the repair")
            mark = p.mark()
            p.key("Escape")
            p.next_page(4, mark)
            p.shot(args, "keys_confirm_on_cancel")
            mark = p.mark()
            p.key("Escape")
            p.next_page(1, mark)
            check(p.proc.poll() is None, "Escape on the question left")
            mark = p.mark()
            p.key("Escape")
            p.next_page(4, mark)
            p.key("Tab")  # from the cancel to the confirm
            p.key("Return")
            check(p.finish() == 0, "confirming with the keys did not end the program: " + p.output())
        finally:
            p.stop()
    prepared(args, "keys", body)


def case_second_start_raises_the_window_and_notices_in_our_own_window(args):
    """A second start finds the first window minimised: it brings it back and
    shows its notice in a skinned window of ours (the system's message box
    drew the Chinese as garbage), then ends with 0 when it is dismissed."""
    def body(args, ns, ws):
        p = Program(args, ns, ws)
        q = None
        try:
            run(["xdotool", "windowminimize", "--sync", p.window])
            visible = lambda: run(["xdotool", "search", "--onlyvisible", "--pid", str(p.proc.pid)]).stdout.split()
            wait_for("the first window to leave the screen", lambda: not visible(), 10)
            q = Program(args, ns, ws)
            title = run(["xdotool", "getwindowname", q.window]).stdout.strip()
            check(title == "提示", "the notice's title is %r" % title)
            q.shot(args, "second_instance_notice")
            wait_for("the first window back on the screen", visible, 10)
            q.key("Return")
            check(q.finish() == 0, "the refused second start did not end with 0: " + q.output())
            check(p.proc.poll() is None, "the first program ended")
            p.click(CLOSE_BUTTON)  # nothing started: no question
            check(p.finish() == 0, "the first program did not end: " + p.output())
        finally:
            if q is not None:
                q.stop()
            p.stop()
    prepared(args, "second", body)


def case_killed_while_waiting_the_next_start_restores_the_card(args):
    def body(args, ns, ws):
        p = Program(args, ns, ws)
        try:
            p.click(BEGIN_BUTTON)
            p.page(1)
            p.proc.kill()
            p.proc.wait()
        finally:
            p.stop()
        check(REPAIR_ADDRESS + "/24" in ns.card_addresses(), "SIGKILL cannot have restored the card")
        p = Program(args, ns, ws)
        try:
            check(REPAIR_ADDRESS + "/24" not in ns.card_addresses(),
                  "the new start did not restore the card from the record: " + p.output())
            p.shot(args, "restart_after_kill")
            p.click(CLOSE_BUTTON)  # nothing started: no question
            check(p.finish() == 0, "the restarted program did not end: " + p.output())
        finally:
            p.stop()
    prepared(args, "kill", body)


def case_window_size_follows_the_screens_dpi_the_scale_and_the_language_options(args):
    """The session's screen has 192 dots per inch (see CMakeLists.txt)."""
    def size_of(p):
        r = run(["xdotool", "getwindowgeometry", p.window])
        return re.search(r"Geometry: (\d+x\d+)", r.stdout).group(1)

    def body(args, ns, ws):
        # The second start also speaks English, as asked for.
        for extra, wanted, shot in (((), "968x612", "page0_start_200"),
                                    (("--scale", "150", "--lang", "en"), "726x459", "page0_start_150_en")):
            p = Program(args, ns, ws, extra)
            try:
                check(size_of(p) == wanted, "with %s the window is %s, not %s" % (extra, size_of(p), wanted))
                print("screenshot:", p.shot(args, shot))
                p.key("alt+F4")
                check(p.finish() == 0, "Alt+F4 on the first page did not end the program: " + p.output())
            finally:
                p.stop()
    prepared(args, "dpi", body)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("case")
    args = parser.parse_args()
    os.makedirs(args.artifacts, exist_ok=True)
    return run_case(args, globals(), "the end-to-end repair")


if __name__ == "__main__":
    sys.exit(main())

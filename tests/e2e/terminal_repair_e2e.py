#!/usr/bin/env python3
"""zaviz-repair from a terminal, as a person uses it on Linux: in a "pc"
network namespace whose veth end is the card (named with --card), a "device"
namespace at 192.168.1.10 plays the box's boot loader and fetches
upgradeimage.bin from 192.168.1.2 with curl, atftp, or a slow client of this
script. Afterwards the card's addresses must be exactly as before, and what
the box fetched must be the firmware's bytes.

usage: terminal_repair_e2e.py --program PATH CASE   (as root)
"""

import argparse
import hashlib
import os
import pty
import re
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_support import Failure, Workspace, check, chinese_desktop, run, run_case, support_log, wait_for  # noqa: E402
from netns import REPAIR_ADDRESS, Namespaces  # noqa: E402

FIRMWARE_SIZE = 3 * 1024 * 1024 + 777
FIRMWARE_TEXT = "获取固件信息失败，请确认固件文件正确，再尝试修复！"
WAITING_TEXT = "先按住Vombel电源一侧的MESH键,再接通电源"
UPDATING_TEXT = "正在更新"
REPAIRED_TEXT = "修复完成，网卡已恢复原来的设置"
LOG_LINE = "zaviz-repair: 修复日志："
FULL_RUN_SECONDS = 200  # the finishing phase alone is 40 ticks of 3 s


def digest(data):
    return hashlib.sha256(data).hexdigest()


class Program:
    """One run of zaviz-repair; its output through pipes, or a pty (terminal=True)."""

    def __init__(self, args, ns, ws, extra=(), terminal=False, card=True, output_gone=False, wrapper=()):
        env = chinese_desktop(dict(os.environ, XDG_RUNTIME_DIR=ws.runtime_dir, XDG_STATE_HOME=ws.state_dir))
        script = 'mount --bind "$0" /run && exec "$@"'
        options = (["--card", ns.card] if card else []) + list(extra)
        cmd = ns.in_pc(["sh", "-c", script, ws.run_dir] + list(wrapper) + [args.program] + options)
        self.out = []
        self.err = []
        self.master = None
        if terminal:
            self.master, slave = pty.openpty()
            self.proc = subprocess.Popen(cmd, cwd=ws.firmware_dir, env=env, stdin=slave, stdout=slave,
                                         stderr=slave, start_new_session=True)
            os.close(slave)
            threading.Thread(target=self._read_pty, daemon=True).start()
        elif output_gone:
            # Standard output is a pipe nobody reads any more (as "| head" that has ended).
            read_end, write_end = os.pipe()
            os.close(read_end)
            self.proc = subprocess.Popen(cmd, cwd=ws.firmware_dir, env=env, stdin=subprocess.DEVNULL,
                                         stdout=write_end, stderr=subprocess.PIPE)
            os.close(write_end)
            threading.Thread(target=self._read, args=(self.proc.stderr, self.err), daemon=True).start()
        else:
            self.proc = subprocess.Popen(cmd, cwd=ws.firmware_dir, env=env, stdin=subprocess.DEVNULL,
                                         stdout=subprocess.PIPE, stderr=subprocess.PIPE)
            threading.Thread(target=self._read, args=(self.proc.stdout, self.out), daemon=True).start()
            threading.Thread(target=self._read, args=(self.proc.stderr, self.err), daemon=True).start()

    @staticmethod
    def _read(stream, into):
        for chunk in iter(lambda: stream.read1(4096), b""):
            into.append(chunk)

    def _read_pty(self):
        while True:
            try:
                chunk = os.read(self.master, 4096)
            except OSError:
                return
            if not chunk:
                return
            self.out.append(chunk)

    def text(self):
        return b"".join(self.out).decode("utf-8", "replace")

    def errors(self):
        return b"".join(self.err).decode("utf-8", "replace")

    def output(self):
        return (self.text() + self.errors())[-3000:]

    def saw(self, text, seconds=10.0):
        def probe():
            if text in self.text():
                return True
            check(self.proc.poll() is None or text in self.text(),
                  "zaviz-repair ended (exit %s) before %r: %s" % (self.proc.returncode, text, self.output()))
            return False
        wait_for("%r on zaviz-repair's output" % text, probe, seconds)

    def type(self, line):
        os.write(self.master, line.encode())

    def finish(self, seconds=15.0):
        try:
            code = self.proc.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            return None
        time.sleep(0.2)  # the readers take the last bytes
        return code

    def stop(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        if self.master is not None:
            os.close(self.master)
            self.master = None


def fetch(ns, ws, client):
    out = os.path.join(ws.root, "fetched-%s.bin" % client)
    if client == "curl":
        cmd = ["curl", "-sS", "--tftp-blksize", "1468", "-o", out, "tftp://%s/upgradeimage.bin" % REPAIR_ADDRESS]
    else:
        cmd = ["atftp", "-g", "-r", "upgradeimage.bin", "-l", out, REPAIR_ADDRESS]
    r = run(ns.in_device(cmd), timeout=120)
    check(r.returncode == 0, "%s failed: %s%s" % (client, r.stdout, r.stderr))
    with open(out, "rb") as f:
        check(digest(f.read()) == digest(ws.content), "%s fetched other bytes than the firmware" % client)


def nothing_served(ns, ws):
    """A fetch gets nothing: no server is left running."""
    out = os.path.join(ws.root, "fetched-none.bin")
    r = run(ns.in_device(["curl", "-sS", "--max-time", "4", "-o", out,
                          "tftp://%s/upgradeimage.bin" % REPAIR_ADDRESS]), timeout=30)
    check(r.returncode != 0, "something still serves the firmware")


def prepared(tag, body):
    with tempfile.TemporaryDirectory() as root, Namespaces(tag) as ns:
        ws = Workspace(root, FIRMWARE_SIZE)
        before = ns.card_addresses()
        body(ns, ws)
        after = ns.card_addresses()
        check(after == before, "the card's addresses are %s, before the repair %s" % (after, before))


def check_plain(p):
    out = p.text()
    check("\r" not in out and "\x1b" not in out, "piped output holds \\r or escape codes: %r" % out[-400:])


# --- A slow boot loader: RRQ, then one ACK every 20 ms, until the server goes quiet. ------------


def slow_fetch(out_path):
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.settimeout(3.0)
    sock.sendto(b"\x00\x01upgradeimage.bin\x00octet\x00", (REPAIR_ADDRESS, 69))
    received = bytearray()
    expected = 1
    deadline = time.monotonic() + 150
    with open(out_path, "wb") as f:
        while time.monotonic() < deadline:
            try:
                packet, peer = sock.recvfrom(2048)
            except socket.timeout:
                break
            opcode, block = struct.unpack("!HH", packet[:4])
            if opcode != 3:
                break
            if block == expected & 0xFFFF:
                received += packet[4:]
                expected += 1
                f.write(packet[4:])
                f.flush()
            time.sleep(0.02)
            sock.sendto(struct.pack("!HH", 4, block), peer)
            if len(packet) < 516:
                break
    return 0


# --- Cases ---------------------------------------------------------------------------------------


def case_curl_repair_piped_to_exit_0(args):
    def body(ns, ws):
        p = Program(args, ns, ws, ["--yes"])
        try:
            p.saw(WAITING_TEXT)
            check(REPAIR_ADDRESS + "/24" in ns.card_addresses(), "the card did not get the repair address")
            fetch(ns, ws, "curl")
            p.saw(UPDATING_TEXT)
            code = p.finish(FULL_RUN_SECONDS)
            check(code == 0, "the repair ended with %s: %s" % (code, p.output()))
            out = p.text()
            check_plain(p)
            for percent in (" 60%", " 70%", "100%"):
                check(percent + "  " in out, "no plain line for%s: %s" % (percent, out[-1500:]))
            check(REPAIRED_TEXT in out, "no closing line: " + p.output())
            check(p.errors() == "", "something on standard error: " + p.errors())
        finally:
            p.stop()
    prepared("tcurl", body)


def case_atftp_repair_under_a_terminal_asks_and_redraws_the_bar(args):
    def body(ns, ws):
        p = Program(args, ns, ws, terminal=True)
        try:
            p.saw("继续吗？[y/N] ")
            check(REPAIR_ADDRESS + "/24" not in ns.card_addresses(), "the card changed before the answer")
            p.type("y\n")
            p.saw(WAITING_TEXT)
            check(REPAIR_ADDRESS + "/24" in ns.card_addresses(), "the card did not get the repair address")
            fetch(ns, ws, "atftp")
            p.saw(UPDATING_TEXT)
            code = p.finish(FULL_RUN_SECONDS)
            check(code == 0, "the repair ended with %s: %s" % (code, p.output()))
            out = p.text()
            redraws = out.count("\r[")
            check(redraws >= 40, "the bar was redrawn %d times: %r" % (redraws, out[-600:]))
            check("\r[##############################] 100%" in out, "the bar never showed 100%%: %r" % out[-600:])
            check("\x1b" not in out, "escape codes in the output")
        finally:
            p.stop()
    prepared("tatftp", body)


def case_sigint_during_the_download_gives_the_card_back(args):
    def body(ns, ws):
        p = Program(args, ns, ws, ["--yes"])
        try:
            p.saw(WAITING_TEXT)
            out = os.path.join(ws.root, "fetched-slow.bin")
            client = subprocess.Popen(ns.in_device([sys.executable, os.path.abspath(__file__), "--slow-fetch", out]))
            try:
                p.saw("%  ", 30)  # the first plain progress line
                check(REPAIR_ADDRESS + "/24" in ns.card_addresses(), "the card lost the repair address")
                p.proc.send_signal(signal.SIGINT)
                code = p.finish(20)
                check(code == 1, "SIGINT during the download ended with %s: %s" % (code, p.output()))
                check("修复在完成前被中止，网卡已恢复原来的设置" in p.errors(),
                      "no line on standard error: " + p.output())
                check(REPAIR_ADDRESS + "/24" not in ns.card_addresses(), "SIGINT left the repair address")
                check_plain(p)
                # The support log: the card, the firmware by its digest, the request, and why it ended.
                path, log = support_log(ws)
                check(p.errors().endswith(LOG_LINE + path + "\n"), "the last line is not the log's place: " + p.output())
                for part in ("card before: ", "firmware: upgradeimage.bin %d bytes sha256 %s" % (FIRMWARE_SIZE,
                             digest(ws.content)), 'for "upgradeimage.bin" options: ', "card given back",
                             "card after: ", "end: stopped by a signal"):
                    check(part in log, "the support log lacks %r:\n%s" % (part, log))
                # The download cut off still counts what went: blocks, bytes, resends, duration so far.
                left = re.search(r"not finished, the server stopped: (\d+) blocks, (\d+) bytes, \d+ resends, "
                                 r"([\d.]+) s", log)
                check(left and int(left.group(1)) > 0 and int(left.group(2)) == int(left.group(1)) * 512
                      and float(left.group(3)) > 0, "no counts of the transfer cut off:\n" + log)
                check(client.wait(timeout=30) == 0, "the slow client failed")
            finally:
                if client.poll() is None:
                    client.kill()
                    client.wait()
            with open(out, "rb") as f:
                got = f.read()
            check(0 < len(got) < FIRMWARE_SIZE, "the slow client got %d bytes" % len(got))
            check(digest(got) == digest(ws.content[:len(got)]), "the bytes fetched are not the firmware's")
        finally:
            p.stop()
        nothing_served(ns, ws)
    prepared("tsigint", body)


def case_sigterm_sighup_closed_output_kill_and_a_second_instance(args):
    def body(ns, ws):
        for how in (signal.SIGTERM, signal.SIGHUP):
            p = Program(args, ns, ws, ["--yes"])
            try:
                p.saw(WAITING_TEXT)
                if how == signal.SIGTERM:
                    second = Program(args, ns, ws, ["--yes"])
                    code = second.finish(15)
                    check(code == 1 and "实例已经在运行中" in second.errors(),
                          "a second instance was not refused (%s): %s" % (code, second.output()))
                p.proc.send_signal(how)
                check(p.finish(20) == 1, "%s did not end the repair with 1: %s" % (how.name, p.output()))
                check(REPAIR_ADDRESS + "/24" not in ns.card_addresses(), "%s left the repair address" % how.name)
            finally:
                p.stop()
        # Its output gone, it still waits for the box and gives the card back at the signal.
        p = Program(args, ns, ws, ["--yes"], output_gone=True)
        try:
            wait_for("the repair address", lambda: REPAIR_ADDRESS + "/24" in ns.card_addresses(), 15)
            time.sleep(0.5)
            check(p.proc.poll() is None, "a closed output ended the repair (%s)" % p.proc.returncode)
            p.proc.send_signal(signal.SIGTERM)
            check(p.finish(20) == 1, "SIGTERM with the output gone did not end with 1: " + p.errors())
            check(REPAIR_ADDRESS + "/24" not in ns.card_addresses(), "the repair address stayed")
        finally:
            p.stop()
        # Killed outright: the record left behind gives the card back at the next start.
        p = Program(args, ns, ws, ["--yes"])
        try:
            p.saw(WAITING_TEXT)
            p.proc.kill()
            p.proc.wait()
        finally:
            p.stop()
        check(REPAIR_ADDRESS + "/24" in ns.card_addresses(), "SIGKILL cannot have restored the card")
        os.remove(ws.firmware)
        p = Program(args, ns, ws, ["--yes"])
        try:
            code = p.finish(20)
            check(code == 1, "the start without firmware ended with %s" % code)
            check("上次运行留下修复地址的网卡已恢复原来的设置" in p.text(),
                  "the recovery was not told: " + p.output())
        finally:
            p.stop()
        check(REPAIR_ADDRESS + "/24" not in ns.card_addresses(), "the next start did not restore the card")
        nothing_served(ns, ws)
    prepared("tsig", body)


def case_a_bad_card_is_bad_usage_and_changes_nothing(args):
    def body(ns, ws):
        # In both faces: English as asked for, Chinese from the desktop's locale.
        for asked, face, expected in (("nosuch0", ["--lang", "en"], "--card nosuch0: no such card;"),
                                      ("3", [], "--card 3：没有这个编号的网卡；")):
            p = Program(args, ns, ws, ["--yes", "--card", asked] + face, card=False)
            try:
                code = p.finish(15)
                check(code == 2, "--card %s ended with %s: %s" % (asked, code, p.output()))
                lines = p.errors().splitlines()
                check(len(lines) == 1 and lines[0].startswith("zaviz-repair: " + expected),
                      "not one line on standard error: %r" % p.errors())
                check(ns.card in lines[0], "the line does not name the card that exists: " + lines[0])
                check(p.text() == "", "output besides the error: " + p.text())
            finally:
                p.stop()
        nothing_served(ns, ws)
    prepared("tcard", body)


def case_missing_firmware_fails_and_changes_nothing(args):
    def body(ns, ws):
        os.remove(ws.firmware)
        for extra in ([], ["--firmware", os.path.join(ws.root, "no-such.bin")]):
            p = Program(args, ns, ws, ["--yes"] + extra)
            try:
                code = p.finish(15)
                check(code == 1, "a missing firmware ended with %s: %s" % (code, p.output()))
                # The wizard's wording, then why: what was looked for, where.
                lines = p.errors().split("\n")
                check(lines[0] == "zaviz-repair: %s" % FIRMWARE_TEXT, "not the wizard's text: %r" % p.errors())
                wanted = "no-such.bin" if extra else "upgradeimage.bin"
                check(len(lines) == 4 and lines[1].startswith("未找到固件 " + wanted) and lines[3] == "",
                      "no reason given: %r" % p.errors())
                check(lines[2].startswith(LOG_LINE + ws.log_dir), "the last line is not the log's place: %r" % lines)
                with open(lines[2][len(LOG_LINE):], encoding="utf-8") as f:
                    check("end: failed: " + FIRMWARE_TEXT in f.read(), "the log does not say why it failed")
                check(lines[1] in p.text(), "not said before the start: %r" % p.text())
                check(WAITING_TEXT not in p.text(), "it went on waiting")
            finally:
                p.stop()
        # A near-name beside the missing file: each is named, with the name to give it.
        for near in ("UpgradeImage.bin", "upgradeimage.bin.bin", "upgradeimage (1).bin"):
            path = os.path.join(ws.firmware_dir, near)
            with open(path, "wb") as f:
                f.write(ws.content)
            p = Program(args, ns, ws, ["--yes"])
            try:
                check(p.finish(15) == 1, "a near-name ended otherwise: " + p.output())
                wanted = "%s 中有 %s：请将它改名为 upgradeimage.bin" % (ws.firmware_dir, near)
                check(wanted in p.errors().split("\n"), "the near-name %r is not named: %r" % (near, p.errors()))
            finally:
                p.stop()
                os.remove(path)
        nothing_served(ns, ws)
    prepared("tnofw", body)


def case_port_69_held_by_another_program_names_it_and_changes_nothing(args):
    def body(ns, ws):
        hold = "import socket, time; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); " \
               "s.bind(('0.0.0.0', 69)); print('bound', flush=True); time.sleep(60)"
        holder = subprocess.Popen(ns.in_pc([sys.executable, "-c", hold]), stdout=subprocess.PIPE, text=True)
        try:
            check(holder.stdout.readline().strip() == "bound", "the test's holder could not bind port 69")
            p = Program(args, ns, ws, ["--yes"])
            try:
                check(p.finish(15) == 1, "a held port ended otherwise: " + p.output())
                lines = p.errors().split("\n")
                check(lines[0] == "zaviz-repair: 文件服务器开启失败，请确认端口69没有被占用！", "not the wizard's text: %r" % lines)
                named = re.match(r"端口69正被 (\S+)（进程号 (\d+)）占用。它可能是另一个TFTP服务器，请先关闭它再重试。$", lines[1])
                check(named is not None, "the holder is not named: %r" % lines[1])
                check(named.group(1).startswith("python") and int(named.group(2)) == holder.pid,
                      "another holder named: %r (the test's is %d)" % (lines[1], holder.pid))
                check(REPAIR_ADDRESS + "/24" not in ns.card_addresses(), "the card got the repair address")
            finally:
                p.stop()
        finally:
            holder.kill()
            holder.wait()
    prepared("tport", body)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--slow-fetch":
        return slow_fetch(sys.argv[2])
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("case")
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    return run_case(args, globals(), "the terminal repair test")


if __name__ == "__main__":
    sys.exit(main())

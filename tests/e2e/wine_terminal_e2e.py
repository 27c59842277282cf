#!/usr/bin/env python3
"""zaviz-repair.exe under Wine, from a console as a user runs it: in a network
namespace the test makes (its one card a veth end), in a fresh Wine prefix,
with a netsh stand-in next to the program that records its command lines.
Version, help and bad usage answer with their exit codes; no card and no
firmware fail with the wizard's texts and run no netsh; a repair of a
firmware file by another name, fetched by curl, ends with 0 after one netsh
line that sets the card and one that gives it back.

usage: wine_terminal_e2e.py --program EXE --netsh EXE --tftpd EXE --wine-run SCRIPT
"""

import argparse
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_support import Failure, check, netsh_lines, run, verdict, wait_for  # noqa: E402
from netns import Namespaces  # noqa: E402

NO_CARD_TEXT = "未检测到有线网卡！"
FIRMWARE_TEXT = "获取固件信息失败，请确认固件文件正确，再尝试修复！"
FULL_RUN_SECONDS = 240  # the finishing phase alone is 40 ticks of 3 s


class Wine:
    def __init__(self, args, prefix, folder, env):
        self.args = args
        self.folder = folder
        self.env = dict(os.environ, WINEPREFIX=prefix, **env)

    def command(self, exe, argv):
        # Wine takes its UI language from the host's locale, and a test machine
        # has no Chinese one: the Chinese face is asked for, English where a run says so.
        face = ["--lang", "zh"] if exe == "zaviz-repair.exe" else []
        return [self.args.wine_run, os.path.join(self.folder, exe)] + face + list(argv)

    def run(self, exe, *argv, timeout=120):
        r = subprocess.run(self.command(exe, argv), env=self.env, cwd=self.folder, timeout=timeout,
                           stdin=subprocess.DEVNULL, capture_output=True)
        return r.returncode, r.stdout.decode("utf-8", "replace"), r.stderr.decode("utf-8", "replace")

    def start(self, exe, *argv):
        return subprocess.Popen(self.command(exe, argv), env=self.env, cwd=self.folder, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def stop(self):
        run(["wineserver", "-k"], env=self.env)


def adapter_name(wine):
    code, out, err = wine.run("zaviz-tftpd.exe", "--cards")
    for line in out.splitlines():
        if line.startswith("Adapter Name:"):
            return line.split(":", 1)[1].strip()
    raise Failure("Wine lists no adapter: " + out + err)


def expect(wine, argv, code, stderr_part="", stdout_part=""):
    got, out, err = wine.run("zaviz-repair.exe", *argv)
    print("zaviz-repair.exe %s -> %d" % (" ".join(argv), got))
    check(got == code, "zaviz-repair.exe %s ended with %d, not %d: %s%s" % (" ".join(argv), got, code, out, err))
    check(stderr_part in err, "standard error lacks %r: %r" % (stderr_part, err))
    check(stdout_part in out, "standard output lacks %r: %r" % (stdout_part, out))
    return out, err


def recorded_repair(wine, folder, card, log):
    content = os.urandom(256 * 1024 + 3)
    firmware = os.path.join(folder, "vombel-image.bin")
    with open(firmware, "wb") as f:
        f.write(content)
    program = wine.start("zaviz-repair.exe", "--card", card, "--yes", "--firmware", "vombel-image.bin")
    out = []
    reader = threading.Thread(target=lambda: out.append(program.stdout.read()), daemon=True)
    reader.start()
    try:
        wait_for("the netsh line that sets the card",
                 lambda: any("static 192.168.1.2 255.255.255.0" in l for l in netsh_lines(log)), 60)
        fetched = os.path.join(folder, "fetched.bin")
        # The stand-in changes no address: the box fetches through the loopback.
        r = run(["curl", "-sS", "--tftp-blksize", "1468", "-o", fetched, "tftp://127.0.0.1/upgradeimage.bin"],
                timeout=120)
        check(r.returncode == 0, "curl failed: " + r.stderr)
        with open(fetched, "rb") as f:
            check(hashlib.sha256(f.read()).digest() == hashlib.sha256(content).digest(),
                  "curl fetched other bytes than the firmware")
        code = program.wait(timeout=FULL_RUN_SECONDS)
        reader.join(timeout=10)
        text = out[0].decode("utf-8", "replace") if out else ""
        check(code == 0, "the repair ended with %s: %s %s" % (code, text[-800:], program.stderr.read()))
        check("\r" not in text and "100%" in text, "no plain progress lines: %r" % text[-800:])
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
    lines = netsh_lines(log)
    print("netsh lines:", *lines, sep="\n  ")
    sets = [l for l in lines if "static 192.168.1.2" in l]
    restores = [l for l in lines if "source=dhcp" in l or "source=static" in l]
    check(len(sets) == 1 and len(restores) == 1, "expected one set and one restore line")
    check(lines.index(sets[0]) < lines.index(restores[0]), "the restore came before the set")


def inside(args):
    with tempfile.TemporaryDirectory() as root:
        folder = os.path.join(root, "app")
        os.makedirs(folder)
        for exe, name in ((args.program, "zaviz-repair.exe"), (args.netsh, "netsh.exe"),
                          (args.tftpd, "zaviz-tftpd.exe")):
            shutil.copy(exe, os.path.join(folder, name))
        log = os.path.join(root, "netsh.log")
        wine = Wine(args, os.path.join(root, "prefix"), folder, {"ZAVIZ_NETSH_LOG": log})
        try:
            out, _ = expect(wine, ["--version"], 0)
            check(out.startswith("zaviz-repair "), "--version says %r" % out)
            expect(wine, ["--help"], 0, stdout_part="用法：zaviz-repair")
            expect(wine, ["--lang", "en", "--card"], 2, stderr_part="zaviz-repair: --card needs a value")
            expect(wine, ["--bogus"], 2, stderr_part="未知选项“--bogus”")
            card = adapter_name(wine)
            expect(wine, ["--card", "nosuch0", "--yes", "--lang=en"], 2, stderr_part="--card nosuch0: no such card")
            expect(wine, ["--yes"], 1, stderr_part="zaviz-repair: " + NO_CARD_TEXT)
            _, err = expect(wine, ["--card", card, "--yes"], 1, stderr_part="zaviz-repair: " + FIRMWARE_TEXT)
            # The wizard's wording, then the reason with the folder searched (the program's).
            lines = err.split("\n")
            check(len(lines) == 4 and lines[1].startswith("未找到固件 upgradeimage.bin（已查找：")
                  and lines[1].endswith("\\app）"), "no reason under the wording: %r" % err)
            check(lines[2].startswith("zaviz-repair: 修复日志：") and "\\ZavizEraVaredu\\logs\\repair-" in lines[2],
                  "the last line is not the log's place: %r" % err)
            expect(wine, ["--card", card, "--yes", "--firmware", "C:\\no\\such.bin"], 1, stderr_part=FIRMWARE_TEXT)
            check(netsh_lines(log) == [], "a failed start ran netsh: %s" % netsh_lines(log))
            recorded_repair(wine, folder, card, log)
        finally:
            wine.stop()


def main():
    parser = argparse.ArgumentParser()
    for name in ("--program", "--netsh", "--tftpd", "--wine-run"):
        parser.add_argument(name, required=True)
    parser.add_argument("--inside", action="store_true")
    args = parser.parse_args()
    for name in ("program", "netsh", "tftpd", "wine_run"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    if args.inside:
        return verdict(lambda: inside(args))
    if os.geteuid() != 0:
        print("SKIP: the Wine terminal repair test needs root (a network namespace, port 69)")
        return 77

    def in_namespace():
        with Namespaces("wterm") as ns:
            before = ns.card_addresses()
            r = subprocess.run(ns.in_pc([sys.executable, os.path.abspath(__file__), "--inside"] + sys.argv[1:]),
                               timeout=900)
            check(ns.card_addresses() == before, "the card's addresses changed")
            return r.returncode
    return verdict(in_namespace)


if __name__ == "__main__":
    sys.exit(main())

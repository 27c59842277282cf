#!/usr/bin/env python3
"""The Windows program under Wine, as a user meets it: in a network namespace
the test makes (its one card a veth end), on an X display of its own, in a
fresh Wine prefix. The first page shows; a second start is refused with the
"实例已经在运行中" box; with the card registered as physical, the start button
reaches the waiting page, and the netsh lines (recorded by a stand-in next to
the program) set the card and then give it back.

usage: wine_repair_e2e.py --program EXE --netsh EXE --tftpd EXE --wine-run SCRIPT --artifacts DIR
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_support import Failure, check, netsh_lines, run, verdict, wait_for  # noqa: E402
from netns import Namespaces  # noqa: E402
from private_display import Display, find_window, wait_for_window  # noqa: E402

BEGIN_BUTTON = (243, 216)
CLOSE_BUTTON = (460, 29)
CONFIRM_BUTTON = (170, 206)
CARD_CLASS_KEY = r"HKLM\SYSTEM\CurrentControlSet\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0000"


class Wine:
    def __init__(self, args, prefix, folder, env):
        self.args = args
        self.folder = folder
        self.env = dict(os.environ, WINEPREFIX=prefix, **env)
        self.started = 0

    def run(self, exe, *argv, timeout=120):
        return run([self.args.wine_run, os.path.join(self.folder, exe)] + list(argv), env=self.env,
                   cwd=self.folder, timeout=timeout)

    def start(self, exe, *argv):
        """Starts a program with its output (and Wine's error lines) in a
        file of its own, read back when something goes wrong."""
        self.started += 1
        log = open(os.path.join(os.path.dirname(self.folder), "program%d.log" % self.started), "w+")
        # Wine takes its UI language from the host's locale, and a test machine
        # has no Chinese one: the Chinese face is asked for, English where a run says so.
        argv = ["--lang", "zh"] + list(argv)
        program = subprocess.Popen([self.args.wine_run, os.path.join(self.folder, exe)] + argv,
                                   env=dict(self.env, ZAVIZ_WINEDEBUG="err+all"), cwd=self.folder,
                                   stdout=log, stderr=subprocess.STDOUT, text=True)
        program.log = log
        return program

    def reg(self, *argv):
        wine = shutil.which("wine64") or shutil.which("wine")
        return run([wine, "reg"] + list(argv), env=dict(self.env, WINEDEBUG="-all"))

    def stop(self):
        run(["wineserver", "-k"], env=self.env)


def output_of(program):
    program.log.seek(0)
    return program.log.read()[-8000:]


def click(window, point):
    r = run(["xdotool", "mousemove", "--window", window, str(point[0]), str(point[1]), "sleep", "0.2", "click", "1"])
    check(r.returncode == 0, "xdotool failed: " + r.stderr)


def shot(args, window, name):
    path = os.path.join(args.artifacts, "wine_%s.png" % name)
    r = run(["import", "-window", window, path])
    check(r.returncode == 0, "import failed: " + r.stderr)
    return path


def adapter_name(wine):
    r = wine.run("zaviz-tftpd.exe", "--cards")
    for line in r.stdout.splitlines():
        if line.startswith("Adapter Name:"):
            return line.split(":", 1)[1].strip()
    raise Failure("Wine lists no adapter: " + r.stdout + r.stderr)


def register_as_physical(wine, card):
    """Gives the card the registry entry of a physical adapter, as the
    network class key of a real machine has it."""
    for value, kind, data in (("NetCfgInstanceId", "REG_SZ", card), ("Characteristics", "REG_DWORD", "4")):
        r = wine.reg("add", CARD_CLASS_KEY, "/v", value, "/t", kind, "/d", data, "/f")
        check(r.returncode == 0, "reg add %s failed (%s): %s%s" % (value, r.returncode, r.stdout, r.stderr))


def inside(args):
    with tempfile.TemporaryDirectory() as root, Display():
        folder = os.path.join(root, "app")
        os.makedirs(folder)
        for exe, name in ((args.program, "ZavizEraVaredu.exe"), (args.netsh, "netsh.exe"),
                          (args.tftpd, "zaviz-tftpd.exe")):
            shutil.copy(exe, os.path.join(folder, name))
        with open(os.path.join(folder, "upgradeimage.bin"), "wb") as f:
            f.write(os.urandom(64 * 1024))
        log = os.path.join(root, "netsh.log")
        wine = Wine(args, os.path.join(root, "prefix"), folder, {"ZAVIZ_NETSH_LOG": log})
        try:
            card = adapter_name(wine)
            register_as_physical(wine, card)
            program = wine.start("ZavizEraVaredu.exe")
            # A budget, not a pause: on a loaded machine a fresh prefix has
            # taken over a minute to show the first window.
            window = wait_for_window("vxdownload", program, lambda: output_of(program), 150,
                                     os.path.join(args.artifacts, "wine_no_window.png"))
            time.sleep(1)
            shot(args, window, "page0_start")

            second = wine.start("ZavizEraVaredu.exe")
            box = wait_for_window("提示", second, lambda: output_of(second), 60)
            run(["import", "-window", "root", os.path.join(args.artifacts, "wine_second_instance.png")])
            run(["xdotool", "windowfocus", "--sync", box, "key", "Return"])
            code = second.wait(timeout=30)
            check(code == 0, "the refused second start ended with %s" % code)
            check(find_window("vxdownload") == window, "the first window went away")

            click(window, BEGIN_BUTTON)
            wait_for("the netsh line that sets the card",
                     lambda: any("static 192.168.1.2 255.255.255.0" in l for l in netsh_lines(log)), 30)
            time.sleep(1)
            shot(args, window, "page1_waiting")
            click(window, CLOSE_BUTTON)
            time.sleep(1)
            shot(args, window, "page4_confirm_exit")
            click(window, CONFIRM_BUTTON)
            code = program.wait(timeout=60)
            check(code == 0, "the program ended with %s" % code)
            lines = netsh_lines(log)
            print("netsh lines:", *lines, sep="\n  ")
            sets = [l for l in lines if "static 192.168.1.2" in l]
            restores = [l for l in lines if "source=dhcp" in l or "source=static" in l]
            check(len(sets) == 1 and len(restores) == 1, "expected one set and one restore line")
            check(lines.index(sets[0]) < lines.index(restores[0]), "the restore came before the set")

            # A desktop at 144 dots per inch: the window is drawn at 150 %, in English as asked for.
            # (Any command line also opens the diagnostic console: the window is raised above it.)
            r = wine.reg("add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", "144", "/f")
            check(r.returncode == 0, "reg add LogPixels failed: " + r.stdout + r.stderr)
            program = wine.start("ZavizEraVaredu.exe", "--lang", "en")
            window = wait_for_window("vxdownload", program, lambda: output_of(program), 60)
            time.sleep(1)
            run(["xdotool", "windowraise", window])
            time.sleep(1)
            geometry = run(["xdotool", "getwindowgeometry", window]).stdout
            print("screenshot:", shot(args, window, "page0_start_150_en"))
            check("Geometry: 726x459" in geometry, "at 144 dpi the window is not 726x459: " + geometry)
            second = wine.start("ZavizEraVaredu.exe", "--lang", "en")
            box = wait_for_window("Notice", second, lambda: output_of(second), 60)
            run(["xdotool", "windowfocus", "--sync", box, "key", "Return"])
            check(second.wait(timeout=30) == 0, "the refused English second start did not end with 0")
            run(["xdotool", "windowraise", window])
            time.sleep(1)
            click(window, (CLOSE_BUTTON[0] * 3 // 2, CLOSE_BUTTON[1] * 3 // 2))  # nothing started: it closes at once
            check(program.wait(timeout=60) == 0, "the English start did not end with 0")
        finally:
            wine.stop()


def main():
    parser = argparse.ArgumentParser()
    for name in ("--program", "--netsh", "--tftpd", "--wine-run", "--artifacts"):
        parser.add_argument(name, required=True)
    parser.add_argument("--inside", action="store_true")
    args = parser.parse_args()
    os.makedirs(args.artifacts, exist_ok=True)
    if args.inside:
        return verdict(lambda: inside(args))
    if os.geteuid() != 0:
        print("SKIP: the Wine repair test needs root (a network namespace, port 69)")
        return 77

    def in_namespace():
        with Namespaces("wine") as ns:
            r = subprocess.run(ns.in_pc([sys.executable, os.path.abspath(__file__), "--inside"] + sys.argv[1:]),
                               timeout=600)
            return r.returncode
    return verdict(in_namespace)


if __name__ == "__main__":
    sys.exit(main())

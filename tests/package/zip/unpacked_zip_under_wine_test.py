#!/usr/bin/env python3
"""The programs from the unpacked zip alone, as on a bare Windows machine: a
fresh Wine prefix, a display of its own, nothing next to them but what the
zip holds. The two console programs answer --version with the zip's version;
the wizard's window "vxdownload" shows the first page, whose screenshot lands
in the artifacts folder.

usage: unpacked_zip_under_wine_test.py --zip ZIP --version X.Y.Z --wine-run SCRIPT --artifacts DIR
                                       [--budget SECONDS]
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time
import zipfile

E2E = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "e2e")
sys.path.insert(0, E2E)
from e2e_support import check, run, verdict  # noqa: E402
from private_display import Display, wait_for_window  # noqa: E402

# The skin's window size (vxgdown.xml).
SKIN_SIZE = (484, 306)


def unpack(zip_path, into):
    with zipfile.ZipFile(zip_path) as z:
        z.extractall(into)
    tops = os.listdir(into)
    check(len(tops) == 1, "the zip holds %s, not one top folder" % tops)
    return os.path.join(into, tops[0])


def output_of(log):
    with open(log, errors="replace") as f:
        return f.read().strip() or "(no output)"


def window_size(window):
    r = run(["xdotool", "getwindowgeometry", "--shell", window])
    values = dict(line.split("=", 1) for line in r.stdout.split() if "=" in line)
    return int(values.get("WIDTH", 0)), int(values.get("HEIGHT", 0))


def colour_count(png):
    r = run(["identify", "-format", "%k", png])
    check(r.returncode == 0, "identify failed: " + r.stderr)
    return int(r.stdout.strip())


def check_console_programs(args, folder, env):
    for program in ("zaviz-repair", "zaviz-tftpd"):
        r = run([os.path.abspath(args.wine_run), os.path.join(folder, program + ".exe"), "--version"], cwd=folder,
                env=env, timeout=120)
        check(r.returncode == 0 and r.stdout.strip() == "%s %s" % (program, args.version),
              "%s.exe --version ended with %s and printed %r %r" % (program, r.returncode, r.stdout, r.stderr))
        print(r.stdout.strip())


def body(args):
    with tempfile.TemporaryDirectory() as root, Display():
        folder = unpack(args.zip, os.path.join(root, "unpacked"))
        log = os.path.join(root, "wizard.log")
        env = dict(os.environ, WINEPREFIX=os.path.join(root, "prefix"), ZAVIZ_WINEDEBUG="err+all")
        started = time.monotonic()
        check_console_programs(args, folder, env)
        with open(log, "w") as out:
            program = subprocess.Popen([os.path.abspath(args.wine_run), os.path.join(folder, "ZavizEraVaredu.exe")], cwd=folder,
                                       env=env, stdout=out, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        try:
            window = wait_for_window("vxdownload", program, lambda: output_of(log), args.budget,
                                     os.path.join(args.artifacts, "zip_no_window.png"))
            print("the window showed %.1f s after the first program started in the fresh prefix"
                  % (time.monotonic() - started))
            time.sleep(1.5)  # its first paint
            check(program.poll() is None, "the wizard ended after showing its window:\n" + output_of(log))
            shot = os.path.join(args.artifacts, "zip_wizard_first_page.png")
            r = run(["import", "-window", window, shot])
            check(r.returncode == 0, "import failed: " + r.stderr)
            print("screenshot:", shot)
            size = window_size(window)
            check(size == SKIN_SIZE, "the window is %dx%d, not the skin's %dx%d" % (size + SKIN_SIZE))
            colours = colour_count(shot)
            print("colours in the window:", colours)
            # A page with its texts, images and button has thousands (anti-aliased
            # text); a window the skin did not reach has one.
            check(colours >= 64, "the window shows only %d colours: the first page was not drawn" % colours)
        finally:
            run(["wineserver", "-k"], env=env)
            if program.poll() is None:
                program.kill()
            program.wait(timeout=30)


def main():
    parser = argparse.ArgumentParser()
    for name in ("--zip", "--version", "--wine-run", "--artifacts"):
        parser.add_argument(name, required=True)
    parser.add_argument("--budget", type=float, default=90)
    args = parser.parse_args()
    os.makedirs(args.artifacts, exist_ok=True)
    return verdict(lambda: body(args))


if __name__ == "__main__":
    sys.exit(main())

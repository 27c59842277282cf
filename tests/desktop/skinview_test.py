#!/usr/bin/env python3
"""The skin viewer as a person meets it: a real window on an X display
(driven with xdotool, photographed with ImageMagick's import), and the
off-screen rendering and error messages without one.

usage: skinview_test.py --viewer PATH --skin DIR --artifacts DIR CASE
Window cases expect DISPLAY to be a private desktop (tests/support/desktop-session).
"""

import argparse
import os
import subprocess
import sys
import tempfile
import threading
import time
import zipfile

SKIN_SIZE = (484, 306)
# Client points of the demo skin (viewer.xml).
CAPTION_LAYOUT = (250, 8)      # the title bar layout, away from every button
PAGE_ONE_BUTTON = (300, 27)    # a button inside the caption band
BEGIN_BUTTON = (242, 177)      # "下一步" on the first page
NORMAL_BLUE = (0x2F, 0x8F, 0xEF)
HOT_BLUE = (0x15, 0x65, 0xC0)
# Parts that differ between two renderings for good reason: the round-corner
# cut of the window shape and the spinning ring.
MASKS = ["0,0,3,3", "480,0,483,3", "0,302,3,305", "480,302,483,305", "318,193,336,211"]


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(cmd, **kw):
    return subprocess.run(cmd, capture_output=True, text=True, timeout=60, **kw)


START_BUDGET_SECONDS = 30


def wait_for(what, probe, seconds=5.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = probe()
        if value:
            return value
        time.sleep(0.05)
    raise Failure("timed out waiting for " + what)


class Viewer:
    """One zaviz-skinview process with a live window."""

    def __init__(self, args, skin_args):
        self.proc = subprocess.Popen([args.viewer] + skin_args, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                     text=True, encoding="utf-8")
        self.lines = []
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        # A budget, not a measurement: an instrumented build on a busy machine
        # has taken more than 10 s to map its first window.
        self.window = wait_for("the viewer's window", self._find_window, START_BUDGET_SECONDS)
        wait_for("the first frame", lambda: any(l.startswith("windowinit") for l in self.lines),
                 START_BUDGET_SECONDS)
        time.sleep(0.2)

    def _read(self):
        for line in self.proc.stdout:
            self.lines.append(line.rstrip("\n"))

    def _find_window(self):
        r = run(["xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid)])
        ids = r.stdout.split()
        return ids[0] if ids else None

    def geometry(self):
        r = run(["xdotool", "getwindowgeometry", "--shell", self.window])
        values = dict(line.split("=", 1) for line in r.stdout.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def xdo(self, *steps):
        r = run(["xdotool"] + [str(s) for s in steps])
        check(r.returncode == 0, "xdotool failed: " + r.stderr)

    def shot(self, path):
        r = run(["import", "-window", self.window, path])
        check(r.returncode == 0, "import failed: " + r.stderr)
        return path

    def saw(self, line, seconds=3.0):
        wait_for('"%s" on the viewer\'s output' % line, lambda: line in self.lines, seconds)

    def finish(self, seconds=5.0):
        try:
            return self.proc.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


def pixel(png, x, y):
    r = run(["convert", png, "-format", "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]",
             "-crop", "1x1+%d+%d" % (x, y), "+repage", "info:"])
    check(r.returncode == 0, "convert failed: " + r.stderr)
    return tuple(int(v) for v in r.stdout.strip().split(","))


def differing_pixels(a, b, workdir):
    masked = []
    for name, src in (("a", a), ("b", b)):
        out = os.path.join(workdir, "masked-%s.png" % name)
        cmd = ["convert", src, "-alpha", "off", "-fill", "black"]
        for m in MASKS:
            x0, y0, x1, y1 = m.split(",")
            cmd += ["-draw", "rectangle %s,%s %s,%s" % (x0, y0, x1, y1)]
        run(cmd + [out])
        masked.append(out)
    r = run(["compare", "-metric", "AE", masked[0], masked[1], os.path.join(workdir, "diff.png")])
    return int(float((r.stderr or r.stdout).strip().split()[0]))


def skin_path(args):
    return os.path.join(args.skin, "viewer.xml")


# --- Window cases --------------------------------------------------------------------------


def case_window_shows_the_headless_pixels(args):
    viewer = Viewer(args, [skin_path(args)])
    try:
        _, _, w, h = viewer.geometry()
        check((w, h) == SKIN_SIZE, "window is %dx%d, the skin says %dx%d" % ((w, h) + SKIN_SIZE))
        shot = viewer.shot(os.path.join(args.artifacts, "skinview_window.png"))
    finally:
        viewer.stop()
    reference = os.path.join(args.artifacts, "skinview_headless.png")
    r = run([args.viewer, "--png", reference, skin_path(args)])
    check(r.returncode == 0, "--png failed: " + r.stderr)
    with tempfile.TemporaryDirectory() as work:
        diff = differing_pixels(shot, reference, work)
    print("differing pixels between the window and the headless rendering:", diff)
    check(diff == 0, "%d pixels differ" % diff)


def case_caption_drags_move_the_window_but_buttons_do_not(args):
    viewer = Viewer(args, [skin_path(args)])
    try:
        x0, y0, _, _ = viewer.geometry()
        viewer.xdo("mousemove", "--window", viewer.window, *PAGE_ONE_BUTTON, "mousedown", 1, "sleep", 0.2,
                   "mousemove_relative", "--sync", 40, 30, "sleep", 0.2, "mouseup", 1)
        time.sleep(0.3)
        check(viewer.geometry()[:2] == (x0, y0), "a press-drag on a caption button moved the window")
        # The press went to the button itself: pressed and released on it, it clicks.
        viewer.xdo("mousemove", "--window", viewer.window, *PAGE_ONE_BUTTON, "click", 1)
        viewer.saw("click page_one")
        viewer.xdo("mousemove", "--window", viewer.window, *CAPTION_LAYOUT, "mousedown", 1, "sleep", 0.2,
                   "mousemove_relative", "--sync", 40, 30, "sleep", 0.2, "mouseup", 1)
        moved = wait_for("the window to move", lambda: viewer.geometry()[:2] == (x0 + 40, y0 + 30) or None, 3)
        check(moved, "the caption drag did not move the window by the drag")
        viewer.shot(os.path.join(args.artifacts, "skinview_after_drag.png"))
    finally:
        viewer.stop()


def case_hover_shows_the_hot_image_and_a_click_is_notified(args):
    viewer = Viewer(args, [skin_path(args)])
    try:
        normal = viewer.shot(os.path.join(args.artifacts, "skinview_normal.png"))
        check(pixel(normal, BEGIN_BUTTON[0] - 40, BEGIN_BUTTON[1]) == NORMAL_BLUE, "the button's normal image is not shown")
        viewer.xdo("mousemove", "--window", viewer.window, *BEGIN_BUTTON)
        hot = os.path.join(args.artifacts, "skinview_hot.png")
        wait_for("the hot image", lambda: pixel(viewer.shot(hot), BEGIN_BUTTON[0] - 40, BEGIN_BUTTON[1]) == HOT_BLUE, 3)
        viewer.xdo("click", 1)
        viewer.saw("click begin_btn")
    finally:
        viewer.stop()


def case_tab_buttons_switch_pages(args):
    viewer = Viewer(args, [skin_path(args)])
    try:
        viewer.xdo("mousemove", "--window", viewer.window, PAGE_ONE_BUTTON[0] + 70, PAGE_ONE_BUTTON[1], "click", 1)
        viewer.saw("click page_two")
        viewer.saw("tabselect pages")
        # The list page: its first row answers a click with a selection.
        viewer.xdo("mousemove", "--window", viewer.window, 200, 95, "click", 1)
        viewer.saw("itemselect cards")
        viewer.shot(os.path.join(args.artifacts, "skinview_list_page.png"))
    finally:
        viewer.stop()


def case_alt_f4_and_the_close_button_end_the_viewer(args):
    viewer = Viewer(args, [skin_path(args)])
    try:
        viewer.xdo("windowactivate", "--sync", viewer.window)
        viewer.xdo("key", "alt+F4")
        code = viewer.finish()
        errors = viewer.proc.stderr.read() if code is not None else ""
        check(code == 0, "Alt+F4 did not close the viewer (exit %s) %s" % (code, errors))
    finally:
        viewer.stop()
    viewer = Viewer(args, [skin_path(args)])
    try:
        viewer.xdo("mousemove", "--window", viewer.window, 457, 25, "click", 1)
        viewer.saw("click closebtn")
        check(viewer.finish() == 0, "the close button did not end the viewer")
    finally:
        viewer.stop()


# --- Cases without a display ---------------------------------------------------------------


def without_display():
    env = dict(os.environ)
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    return env


def case_png_from_a_file_and_from_an_archive_agree(args):
    env = without_display()
    loose = os.path.join(args.artifacts, "skinview_png_file.png")
    r = run([args.viewer, "--png", loose, skin_path(args)], env=env)
    check(r.returncode == 0, "--png of the file failed: " + r.stderr)
    with tempfile.TemporaryDirectory() as work:
        archive = os.path.join(work, "skin.zip")
        with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as z:
            for root, _, files in os.walk(args.skin):
                for f in files:
                    full = os.path.join(root, f)
                    z.write(full, os.path.relpath(full, args.skin).replace(os.sep, "/"))
        packed = os.path.join(args.artifacts, "skinview_png_archive.png")
        r = run([args.viewer, archive, "viewer.xml", "--png", packed], env=env)
        check(r.returncode == 0, "--png of the archive failed: " + r.stderr)
        check(run(["compare", "-metric", "AE", loose, packed, "null:"]).stderr.strip() == "0",
              "the archive renders differently from the loose files")
        sized = os.path.join(work, "sized.png")
        r = run([args.viewer, "--png", sized, "--size", "300x200", skin_path(args)], env=env)
        check(r.returncode == 0, "--size failed: " + r.stderr)
        r = run(["identify", "-format", "%w %h", sized])
        check(r.stdout.strip() == "300 200", "--size 300x200 gave " + r.stdout)


def case_bad_input_gets_one_clear_line_and_exit_code_1(args):
    env = without_display()
    with tempfile.TemporaryDirectory() as work:
        broken = os.path.join(work, "broken.xml")
        with open(broken, "w", encoding="utf-8") as f:
            f.write('<Window size="10,10"><Label text="unclosed></Window>')
        not_zip = os.path.join(work, "skin.zip")
        with open(not_zip, "wb") as f:
            f.write(b"PK\x03\x04 this is no archive")
        cases = [
            ([os.path.join(work, "missing.xml")], "no such file"),
            ([broken], "not a skin"),
            ([not_zip, "viewer.xml"], "not a readable zip archive"),
            ([skin_path(args), "--size", "0x5"], "--size"),
            (["--frobnicate", skin_path(args)], "unknown option"),
            ([], "no skin given"),
            ([skin_path(args)], "display"),  # a window wanted, and no display to show it on
        ]
        for argv, expected in cases:
            r = run([args.viewer] + argv, env=env)
            first = r.stderr.splitlines()[0] if r.stderr else ""
            check(r.returncode == 1, "%s: exit %d, not 1" % (argv, r.returncode))
            check(expected in first, "%s: message %r lacks %r" % (argv, first, expected))
            check(first.startswith("zaviz-skinview: "), "%s: message %r" % (argv, first))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--viewer", required=True)
    parser.add_argument("--skin", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("case")
    args = parser.parse_args()
    os.makedirs(args.artifacts, exist_ok=True)
    case = globals().get("case_" + args.case)
    if case is None:
        print("no such case:", args.case)
        return 2
    try:
        case(args)
    except Failure as failure:
        print("FAILED:", failure)
        return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())

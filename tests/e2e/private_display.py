"""A private X display for programs under Wine, and finding their windows on
it."""

import os
import subprocess
import time

from e2e_support import Failure, run


class Display:
    """A private Xvfb without a window manager. Xvfb writes its display
    number and the line end separately, and writes it again whenever it starts
    a new generation; a pipe closed by then is fatal to it. So the pipe stays
    open for the server's life, and the server does not reset when its last
    client (Wine's desktop process, between two programs) leaves."""

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                                      "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.number_pipe = read_end
        line = b""
        while not line.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            line += chunk
        number = line.decode().strip()
        self.saved = os.environ.get("DISPLAY")
        if not number.isdigit():
            self.__exit__()
            raise Failure("Xvfb did not start")
        os.environ["DISPLAY"] = ":" + number
        return self

    def __exit__(self, *exc):
        if self.saved is None:
            os.environ.pop("DISPLAY", None)
        else:
            os.environ["DISPLAY"] = self.saved
        self.proc.terminate()
        self.proc.wait()
        os.close(self.number_pipe)


def find_window(name):
    r = run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % name])
    ids = r.stdout.split()
    return ids[0] if ids else None


def wait_for_window(name, program, output, seconds, screenshot=None):
    """The program's window as soon as it shows. Ends at once when the
    program ends first; on either failure the program's output (`output()`)
    is told, the windows on the screen listed and the screen kept in
    `screenshot`."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        window = find_window(name)
        if window:
            return window
        if program.poll() is not None:
            raise Failure("the program ended with %s before its window %r showed:\n%s"
                          % (program.returncode, name, output()))
        time.sleep(0.1)
    if screenshot:
        run(["import", "-window", "root", screenshot])
    shown = run(["xdotool", "search", "--onlyvisible", "--name", "."]).stdout.split()
    names = [run(["xdotool", "getwindowname", w]).stdout.strip() for w in shown]
    raise Failure("no window %r within %d s; windows on the screen: %s; the program's output so far:\n%s"
                  % (name, seconds, names, output()))

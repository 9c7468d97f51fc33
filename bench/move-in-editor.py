#!/usr/bin/env python3
"""Moving through a large document in the running editor, beside vim in an
xterm of 120 x 50 (`vim -u NONE -N -n`, with syntax on for the jump to the
end) when both are installed, on an X server of its own. Each program opens
the document from its command line; then, from the key to the screen
painted (bench/xwatch.py: the picture stops changing):
- the first Ctrl+End, 3 s after the document was opened (the editor colours
  its lines while idle);
- PageDown, one step; one mouse-wheel notch; 200 notches at once (from
  the top, the median of 5);
- Find Next of a word that occurs only on the last line, from the top
  (the editor through its find dialog, vim through "/").

    python3 bench/move-in-editor.py [build dir, default build/release]

BQS_MOVE_MB sets the document's size (default 50); BQS_MOVE_ONLY=scroll
times only PageDown and the wheel, BQS_MOVE_ONLY=find only the first
Ctrl+End and Find Next (the median of three runs).
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

# running_editor sets the paths.
from running_editor import EDITOR, editor_area, have_editor, is_editor, vim_in_xterm, write_document  # noqa: E402
from xwatch import XWatch  # noqa: E402
from desktop import Desktop, XServer  # noqa: E402

RARE = "zanzibarquux"



class Program:
    def __init__(self, desktop, watch, argv, is_window, area, ready=None):
        self.desktop, self.watch = desktop, watch
        self.proc = subprocess.Popen(argv, env=desktop.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = watch.wait_window(is_window, 120)
        self.area = area(watch.attributes(self.window))
        desktop.focus(self.window)
        # vim makes `ready` once it has read its file (vim_in_xterm).
        while ready and not os.path.exists(ready):
            time.sleep(0.005)
        watch.settled(self.window, time.monotonic(), self.area, timeout=300)

    def timed(self, *steps, focus=None):
        """Seconds from the first step to the painted screen (the steps go
        to `focus`, by default the program's window)."""
        self.desktop.focus(focus or self.window)
        start = time.monotonic()
        for step in steps:
            self.desktop.xdo(*step)
        return self.watch.settled(self.window, start, self.area, quiet=0.4, timeout=300)

    def close(self):
        self.proc.kill()
        self.proc.wait()


def measure(program, find_steps, wheel_at, open_find=None):
    """open_find, when given, readies the find and returns the window its
    timed steps go to; it runs after the wheel, as its dialog may stand
    where the wheel is turned."""
    out = {}
    only_scroll = os.environ.get("BQS_MOVE_ONLY") == "scroll"
    time.sleep(3.0)
    if not only_scroll:
        out["first Ctrl+End, 3 s after opening"] = program.timed(("key", "ctrl+End"))
    if os.environ.get("BQS_MOVE_ONLY") == "find":
        find_focus = open_find() if open_find else None
        runs = []
        for _ in range(3):
            program.timed(("key", "ctrl+Home"), focus=program.window)
            runs.append(program.timed(*find_steps, focus=find_focus))
        out["Find Next of a word on the last line"] = statistics.median(runs)
        return out
    if not only_scroll:
        program.timed(("key", "ctrl+Home"))
    out["PageDown, one step"] = statistics.median(program.timed(("key", "Next")) for _ in range(5))
    x, y = wheel_at
    program.desktop.xdo("mousemove", "--window", str(program.window), str(x), str(y))
    # xdotool holds a button down for --delay ms (100 by default) and the
    # notch reaches the program with its release. A notch is a few ms, near
    # the watcher's grain (a grab of the window): the median of 9.
    out["wheel, one notch"] = statistics.median(program.timed(("click", "--delay", "0", "5")) for _ in range(9))
    bursts = []
    for _ in range(5):
        program.timed(("key", "ctrl+Home"))
        bursts.append(program.timed(("click", "--repeat", "200", "--delay", "0", "5")))
    out["200 wheel notches at once"] = statistics.median(bursts)
    if only_scroll:
        return out
    program.timed(("key", "ctrl+Home"))
    find_focus = open_find() if open_find else None
    out["Find Next of a word on the last line"] = program.timed(*find_steps, focus=find_focus)
    return out


def main():
    if not have_editor():
        return 0
    mb = float(os.environ.get("BQS_MOVE_MB", "50"))
    vim = shutil.which("vim") and shutil.which("xterm")
    server = XServer()
    work = tempfile.mkdtemp(prefix="bqs-move-")
    try:
        desktop = Desktop(server)
        desktop.env["QT_QPA_PLATFORM"] = "xcb"
        desktop.env["HOME"] = work
        watch = XWatch(server.display)
        doc = os.path.join(work, "move.html")
        write_document(doc, int(mb * 1048576), b"<p>" + RARE.encode() + b"</p>")
        results = {}
        editor = Program(desktop, watch, [EDITOR, doc], is_editor, editor_area)
        def open_find():
            # The find dialog is opened first and its text typed; the press
            # of Find Next (Return) is what is timed.
            desktop.focus(editor.window)
            editor.desktop.keys("ctrl+q")
            dialog = desktop.wait_window("^Найти$")
            desktop.focus(dialog)
            desktop.type(RARE)
            return dialog

        try:
            results["editor"] = measure(editor, [("key", "Return")], (300, 300), open_find)
        finally:
            editor.close()
        if vim:
            for label, extra in (("vim", []), ("vim, syntax on", ["-c", "syntax on"])):
                ready = os.path.join(work, "vim-read-%d" % len(results))
                prog = Program(desktop, watch, vim_in_xterm("bqs-move-vim", ready, "-c", "set mouse=a", *extra, doc),
                               lambda n: n == "bqs-move-vim", lambda a: None, ready)
                try:
                    results[label] = measure(prog, [("type", "/" + RARE), ("key", "Return")], (300, 300))
                finally:
                    prog.close()
        watch.close()
        print("moving through %g MB, key to painted screen (ms):" % mb)
        labels = list(results)
        print("  %-40s" % "" + "".join("%16s" % l for l in labels))
        for what in results["editor"]:
            print("  %-40s" % what + "".join("%16.1f" % (results[l][what] * 1000) for l in labels))
    finally:
        shutil.rmtree(work, ignore_errors=True)
        server.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Start of the real editor on an X server of its own (Xvfb, the xcb
platform): from exec to the first painted screen, with no file and with
HTML documents of 1, 10, 50 and 200 MB, beside vim in an xterm of 120 x 50
(`vim -u NONE -N -n`) when both are installed. The runs of the two programs
interleave, five of each; medians are printed with their ratio.

A screen is painted when its picture stops changing (bench/xwatch.py grabs
it from inside this process): the editor's window above its status bar,
whose clock and mouse panels change on their own, and the whole xterm.

    python3 bench/start-on-xvfb.py [build dir, default build/release]

BQS_START_MB lists other sizes ("0 1 10"; 0 is no file); BQS_START_RUNS
sets the number of runs of each; BQS_START_KIND=empty-lines makes the
documents of empty lines (LF breaks only, one line per byte) instead.
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
from desktop import XServer  # noqa: E402



def write_start_document(path, size):
    """The document opened at start: HTML lines, or with
    BQS_START_KIND=empty-lines as many empty lines (LF) as bytes."""
    if os.environ.get("BQS_START_KIND") == "empty-lines":
        with open(path, "wb") as f:
            f.write(b"\n" * size)
    else:
        write_document(path, size)


def run_once(watch, env, argv, is_window, area, ready=None):
    """Seconds from exec to the painted screen. `ready` names a file the
    program makes once it has read its document (vim_in_xterm): the screen
    counts from then on."""
    if ready and os.path.exists(ready):
        os.remove(ready)
    start = time.monotonic()
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = watch.wait_window(is_window, timeout=120)
        a = watch.attributes(window)
        while ready and not os.path.exists(ready):
            time.sleep(0.001)
        return watch.settled(window, start, area(a) if a else None)
    finally:
        proc.kill()
        proc.wait()
        # The next run must not find this one's window.
        end = time.monotonic() + 10
        while watch.find(is_window) and time.monotonic() < end:
            time.sleep(0.005)


def main():
    if not have_editor():
        return 0
    sizes = [float(s) for s in os.environ.get("BQS_START_MB", "0 1 10 50 200").split()]
    runs = int(os.environ.get("BQS_START_RUNS", "5"))
    vim = shutil.which("vim") and shutil.which("xterm")
    server = XServer()
    work = tempfile.mkdtemp(prefix="bqs-start-")
    try:
        env = server.env()
        env["QT_QPA_PLATFORM"] = "xcb"
        env["HOME"] = work
        watch = XWatch(env["DISPLAY"])
        ready = os.path.join(work, "vim-read")
        print("exec to the first painted screen (median of %d runs)%s" % (runs, ", beside vim" if vim else ""))
        for mb in sizes:
            doc = []
            if mb > 0:
                doc = [os.path.join(work, "start-%g.html" % mb)]
                write_start_document(doc[0], int(mb * 1048576))
            mine, theirs = [], []
            for _ in range(runs):
                mine.append(run_once(watch, env, [EDITOR] + doc, is_editor, editor_area))
                if vim:
                    theirs.append(run_once(watch, env, vim_in_xterm("bqs-start-vim", ready, *doc),
                                           lambda n: n == "bqs-start-vim", lambda a: None, ready))
            what = "no file" if mb == 0 else "%g MB" % mb
            line = "  %-8s editor %7.0f ms" % (what, statistics.median(mine) * 1000)
            if theirs:
                line += "   vim %7.0f ms   ratio %.2f" % (statistics.median(theirs) * 1000,
                                                          statistics.median(mine) / statistics.median(theirs))
            print(line, flush=True)
            for d in doc:
                os.remove(d)
        watch.close()
    finally:
        shutil.rmtree(work, ignore_errors=True)
        server.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())

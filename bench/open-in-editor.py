#!/usr/bin/env python3
"""File > Open of a 50 MB HTML document (about 900,000 lines) in the running
editor, on an X server of its own as the end-to-end tests run it: from the
Enter in the open dialog to the new text painted (the window above its
status bar stops changing; bench/xwatch.py watches it from inside this
process, with no process started per look). Two documents are opened in
turn, four times in all.

    python3 bench/open-in-editor.py [build dir, default build/release]

BQS_OPEN_MB sets another size (a tiny one shows what the dialog, the X
server and xdotool cost alone).
"""

import os
import sys
import time

from running_editor import EDITOR, editor_area, is_editor  # noqa: E402  (sets the paths)

os.environ.setdefault("BQS_EDITOR", EDITOR)

from desktop import Desktop, Editor, TITLE, XServer  # noqa: E402
from xwatch import XWatch  # noqa: E402


def write_document(path, size=50 << 20):
    lines, total, i = [], 0, 0
    while total < size:
        line = b'<p class="c%d">line %d <b>text</b> &amp; more words</p>\r\n' % (i % 100, i)
        lines.append(line)
        total += len(line)
        i += 1
    with open(path, "wb") as f:
        f.write(b"".join(lines))
    return i


def main():
    if not os.path.exists(os.environ["BQS_EDITOR"]):
        print("no editor at %s: build the release configuration first" % os.environ["BQS_EDITOR"])
        return 0
    server = XServer()
    desktop = Desktop(server)
    try:
        editor = Editor(desktop, ())
        try:
            names = ("open-a.html", "open-b.html")
            size = int(float(os.environ.get("BQS_OPEN_MB", "50")) * 1048576)
            for name in names:
                lines = write_document(editor.write(name, b""), size)
            print("File > Open of a %.1f MB document of %d lines, Enter to the text painted:"
                  % (os.path.getsize(editor.path(names[0])) / 1048576.0, lines))
            watch = XWatch(server.display)
            main = watch.wait_window(is_editor)
            times = []
            for run in range(4):
                name = names[run % 2]
                # The keys go to the main window (the last dialog is gone).
                desktop.focus(main)
                desktop.keys("ctrl+o")
                dialog = desktop.wait_window("^Открыть$")
                desktop.focus(dialog)
                desktop.keys("ctrl+a")
                desktop.type(editor.path(name))
                area = editor_area(watch.attributes(main))
                start = time.monotonic()
                desktop.xdo("key", "Return")
                # The caption changes before the text is painted: the time
                # is the paint's, once the caption says the file is in.
                watch.wait_window(lambda n: n == name + TITLE, 30)
                times.append(watch.settled(main, start, area))
                print("  open %d: %6.1f ms" % (run + 1, times[-1] * 1000))
            watch.close()
            print("  best %.1f ms, median %.1f ms" % (min(times) * 1000, sorted(times)[len(times) // 2] * 1000))
        finally:
            editor.kill()
    finally:
        server.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())

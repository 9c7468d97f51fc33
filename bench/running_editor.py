"""What the benchmarks of the running editor share: the built editor (the
build folder is the first argument, default build/release), the height of
its status bar (whose clock and mouse panels change on their own, so the
watched picture stops above it), the HTML documents they open, and vim in
an xterm beside it."""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))

BUILD = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "release")
EDITOR = os.path.abspath(os.path.join(BUILD, "bin", "brindel-quillet-studio"))
STATUS_BAR = 40
TITLE = " - Brindel Quillet Studio"
LINE = b'<div class="c%d"><p>line %d <b>text</b> &amp; more words</p></div>\r\n'


def write_document(path, size, last_line=None):
    """size bytes of HTML lines (whole lines), then last_line if given."""
    chunks, total, n = [], 0, 0
    while total < size:
        block = b"".join(LINE % (i % 100, i) for i in range(n, n + 10000))
        chunks.append(block)
        total += len(block)
        n += 10000
    data = b"".join(chunks)[:size]
    data = data[:data.rfind(b"\r\n") + 2]
    if last_line is not None:
        data += last_line + b"\r\n"
    with open(path, "wb") as f:
        f.write(data)


def editor_area(attributes):
    """The part of the editor's window a benchmark watches: all of it above
    the status bar."""
    return (0, 0, attributes.width, max(1, attributes.height - STATUS_BAR))


def have_editor():
    """Whether the editor is built; says so when it is not."""
    if os.path.exists(EDITOR):
        return True
    print("no editor at %s: build the release configuration first" % EDITOR)
    return False


def is_editor(name):
    """Whether a window's name is the editor's main window's."""
    return name.endswith(TITLE)


def vim_in_xterm(title, ready, *args):
    """The command line of vim (`vim -u NONE -N -n`, then args: commands
    and the document) in an xterm of 120 x 50 titled `title`. Once vim has
    read the document and run the commands it makes the file `ready`: a
    terminal may show a picture that holds while the program in it still
    reads."""
    return (["xterm", "-T", title, "-geometry", "120x50", "-e", "vim", "-u", "NONE", "-N", "-n"] + list(args)
            + ["-c", "call writefile([], '%s')" % ready])

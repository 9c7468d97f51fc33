#!/usr/bin/env python3
"""Replace All of "div" by "section" in HTML documents of 1 to 200 MB, its
undo and its redo: the editor's command (editor_findedit_bench, the real
command on the editing control with the fake widget set, nothing painted)
beside vim's `:%s/div/section/g`, `:undo` and `:redo` timed by vim itself
with reltime() in Ex mode (`vim -u NONE -N -n -es`, nothing painted
either), on the same documents. Then the same for the other commands that
rewrite every line of 50 MB: sorting all lines (vim's `:sort i`), block
indent of the whole text by eight spaces (`:%>` with `sw=8 et`) and block
unindent of the text so indented (`:%<`). Medians of three runs each, with
ratios; the editor's memory at its peak and after each step, per byte of
the document, besides what the process held before it read the document.

    python3 bench/replace-all-beside-vim.py [build dir, default build/release]

BQS_REPLACE_MB lists other sizes ("1 10 50 200"); BQS_WHOLE_MB the size for
the other commands ("50", or "" for none).
"""

import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
BUILD = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "release")
BENCH = os.path.abspath(os.path.join(BUILD, "bin", "editor_findedit_bench"))
STEPS = ["", "Undo", "Redo"]
# (label, benchmark, vim's preparation, vim's command)
COMMANDS = [("replace all", "ReplaceAllDivs", "", "%s/div/section/g"),
            ("sort", "SortHtml", "", "sort i"),
            ("indent", "IndentHtml", "", "%>"),
            ("unindent", "UnindentHtml", "%>|", "%<")]


def write_document(path, size):
    # The same recipe as the benchmark's HtmlWithDivs.
    parts, total, i = [], 0, 0
    while total < size:
        if i % 6 == 0:
            s = '<div class="c%d">line %d <b>text</b></div>\r\n' % (i % 100, i)
        else:
            s = '<p class="c%d">line %d <b>text</b> &amp; more</p>\r\n' % (i % 100, i)
        parts.append(s)
        total += len(s)
        i += 1
    with open(path, "w", newline="") as f:
        f.write("".join(parts)[:size])


def vim_once(path, out, prepare, command):
    script = ('set sw=8 et|' + prepare + 'let t=reltime()|' + command + '|let a=reltimestr(reltime(t))|'
              'let t=reltime()|undo|let b=reltimestr(reltime(t))|'
              'let t=reltime()|redo|let c=reltimestr(reltime(t))|'
              'call writefile([a,b,c],"' + out + '")|qa!')
    subprocess.run(["vim", "-u", "NONE", "-N", "-n", "-es", "-c", script, path],
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600)
    with open(out) as f:
        return [float(x) * 1000 for x in f.read().split()]


def main():
    if not os.path.exists(BENCH):
        print("no benchmark at %s: build the release configuration first" % BENCH)
        return 0
    runs = [(COMMANDS[0], int(s)) for s in os.environ.get("BQS_REPLACE_MB", "1 10 50 200").split()]
    runs += [(c, int(s)) for c in COMMANDS[1:] for s in os.environ.get("BQS_WHOLE_MB", "50").split()]
    work = tempfile.mkdtemp(prefix="bqs-replace-")
    try:
        print("Whole-text commands, their undo and redo (ms; memory per byte of the document)")
        for (label, bench, prepare, command), mb in runs:
            mine = []
            for step in STEPS:
                r = subprocess.run([BENCH, "--benchmark_filter=BM_%s%s/%d/" % (bench, step, mb),
                                    "--benchmark_format=json"], capture_output=True, text=True, check=True)
                row = json.loads(r.stdout)["benchmarks"][0]
                mine.append((row["real_time"], row["peak_per_doc_byte"], row["resident_per_doc_byte"]))
            theirs = []
            if shutil.which("vim"):
                doc = os.path.join(work, "doc.html")
                write_document(doc, mb << 20)
                theirs = [vim_once(doc, os.path.join(work, "vim.txt"), prepare, command) for _ in range(3)]
                os.remove(doc)
            for k, step in enumerate(["", " undo", " redo"]):
                ms, peak, kept = mine[k]
                line = "  %4d MB %-17s editor %8.0f ms  peak %.2fx  resident %.2fx" % (
                    mb, label + step, ms, peak, kept)
                if theirs:
                    v = statistics.median(t[k] for t in theirs)
                    line += "   vim %8.0f ms   ratio %.2f" % (v, ms / v)
                print(line, flush=True)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())

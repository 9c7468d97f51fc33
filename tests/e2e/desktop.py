"""Drives the real editor on an X server of its own.

Each test module gets one Xvfb (on a free display, chosen by the server
itself) and starts `brindel-quillet-studio` from a scratch program folder
per test: the resources copied beside a link to the built executable, a
scratch home, the xcb platform. Keys and mouse go through the X server
(xdotool); the desktop clipboard is read and written by another program
(xclip). Every step waits for the state it needs (a window on the screen
or gone, the input focus where the keys are meant to go, the clipboard
read) and never for a fixed time, so the tests hold on a busy machine;
nothing is left running.
"""

import ctypes
import ctypes.util
import os
import re
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import unittest

EXECUTABLE = os.environ.get("BQS_EDITOR", "")
TITLE = " - Brindel Quillet Studio"
FILE_DIALOGS = "^(Открыть|Сохранить|Сохранить как)$"
COLOR_DIALOG = "^Выбор цвета$"
FONT_DIALOG = "^Выбор шрифта$"
RESOURCES = ("Config files", "Help", "Шаблоны", "Скрипты", "HTML шаблоны")
MENU_ROWS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "editor", "MainWindowRows.cpp")


class Timeout(AssertionError):
    pass


def wait_for(what, probe, timeout=10.0, step=0.05):
    """Polls probe() until it returns something true; returns that."""
    end = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            raise Timeout("timed out waiting for " + what)
        time.sleep(step)


def _unquote(text):
    return text.replace('\\"', '"').replace("\\\\", "\\")


def menu_keys(item, unlit=()):
    """The keys that run the main menu's item "Теги > Шрифт > Имя шрифта"
    once its first menu is open with a mouse click and nothing lit: Left
    round to the wanted menu (which comes up with its first item lit;
    Right would open that item's submenu), Down to each item, Right into
    a submenu, Return. Keys pass over separators, hidden rows and the
    disabled items named in `unlit`; the rest is read from the program's
    own menu rows."""
    with open(MENU_ROWS, encoding="utf-8") as f:
        rows = re.findall(r'\{mMain, "((?:[^"\\]|\\.)*)", "((?:[^"\\]|\\.)*)"([^{}]*)\}', f.read())
    levels = item.split(" > ")
    keys = []
    for depth, caption in enumerate(levels):
        path = " > ".join(levels[:depth])
        # `unlit` names items inside the menus: the menu bar's own are never
        # disabled (Правка's "Вставить" is not the menu "Вставить").
        shown = [_unquote(c) for p, c, rest in rows if _unquote(p) == path and c != "-" and "kHidden" not in rest
                 and (depth == 0 or _unquote(c) not in unlit)]
        if caption not in shown:
            raise AssertionError("no menu item %r under %r" % (caption, path))
        index = shown.index(caption)
        if depth == 0:
            keys += ["Left"] * ((len(shown) - index) % len(shown))
            lit = index > 0
        elif depth == 1:
            keys += ["Down"] * (index + (not lit))
        else:
            keys += ["Right"] + ["Down"] * index
    return keys + ["Return"]


# What ships beside the executables besides the program folders: the web
# engine's module, loaded at the first page, the sound effects', and the
# metafile players'.
MODULES = ("libbqs-qtweb.so", "libbqs-qtsound.so", "libbqs-wmf.so", "libbqs-emf.so")


def install_beside(executable, folder):
    """The built executable and the modules it loads, in folder as they
    ship (hard links where the file system allows); the executable's path
    there."""
    exe = os.path.join(folder, os.path.basename(executable))
    for src, dst in [(executable, exe)] + [(os.path.join(os.path.dirname(executable), m), os.path.join(folder, m))
                                           for m in MODULES]:
        if not os.path.exists(src) or os.path.exists(dst):
            continue
        try:
            os.link(src, dst)
        except OSError:
            shutil.copy2(src, dst)
    return exe


class XServer:
    def __init__(self):
        self.others = []
        # BQS_E2E_DISPLAY asks for a display (":130") or the first free one
        # of a range ("130-139"); otherwise the server takes a free one.
        wanted = os.environ.get("BQS_E2E_DISPLAY", "").lstrip(":")
        if "-" in wanted:
            first, last = (int(n) for n in wanted.split("-"))
            choices = [":%d" % n for n in range(first, last + 1)]
        else:
            choices = [":" + wanted] if wanted else [None]
        for choice in choices:
            number = self.launch(choice)
            if number:
                self.display = ":" + number
                return
        raise RuntimeError("Xvfb did not start")

    def launch(self, display):
        """Starts Xvfb; its display number, or "" when it did not start."""
        r, w = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb"] + ([display] if display else []) +
            ["-displayfd", str(w), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        with os.fdopen(r) as f:
            number = f.readline().strip()
        if not number:
            self.proc.wait(10)
        return number

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        return env

    def add_stop(self, proc, folder=None):
        """A process (and its scratch folder) that goes before the server."""
        self.others.append((proc, folder))

    def stop(self):
        for proc, folder in self.others:
            proc.terminate()
            try:
                proc.wait(5)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
            if folder:
                shutil.rmtree(folder, ignore_errors=True)
        self.proc.terminate()
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


def start_window_manager(server):
    """Starts openbox on the server's display and waits until it has taken
    the screen (the root window names its check window); returns the
    process, which stops with the server."""
    if not shutil.which("openbox"):
        raise unittest.SkipTest("no openbox")
    home = tempfile.mkdtemp(prefix="bqs-wm-")
    env = server.env()
    env.update({"HOME": home, "XDG_CONFIG_HOME": home, "XDG_CACHE_HOME": home})
    proc = subprocess.Popen(["openbox", "--sm-disable"], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, start_new_session=True)

    def taken():
        r = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env, stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, timeout=10)
        return b"window id" in r.stdout
    wait_for("the window manager to take the screen", taken, timeout=20)
    server.add_stop(proc, home)
    return proc


class _XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessageEvent), ("pad", ctypes.c_long * 24)]


class _XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


_IS_VIEWABLE = 2
_X_ERRORS = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
# A window that went away between two questions is an answer, not an error
# that ends the process.
_ignore_x_errors = _X_ERRORS(lambda display, event: 0)


class XWindows:
    """Questions about the server's windows on a connection of our own:
    the input focus, whether a window is on the screen or exists at all,
    who owns a selection (the clipboard, the screen's window manager or
    tray)."""

    def __init__(self, display):
        x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XSetErrorHandler.argtypes = [_X_ERRORS]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XGetInputFocus.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int)]
        x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(_XWindowAttributes)]
        x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                 ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p),
                                 ctypes.POINTER(ctypes.c_uint)]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XGetSelectionOwner.restype = ctypes.c_ulong
        x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                 ctypes.POINTER(_XEvent)]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        x.XSetErrorHandler(_ignore_x_errors)
        self.x = x
        self.dpy = x.XOpenDisplay(display.encode())
        if not self.dpy:
            raise AssertionError("cannot open " + display)
        self.root = x.XDefaultRootWindow(self.dpy)

    def close(self):
        self.x.XCloseDisplay(self.dpy)

    def atom(self, name):
        return self.x.XInternAtom(self.dpy, name.encode(), 0)

    def attributes(self, wid):
        a = _XWindowAttributes()
        return a if self.x.XGetWindowAttributes(self.dpy, wid, ctypes.byref(a)) else None

    def exists(self, wid):
        return self.attributes(wid) is not None

    def viewable(self, wid):
        a = self.attributes(wid)
        return a is not None and a.map_state == _IS_VIEWABLE

    def popup(self, wid):
        """A menu, a drop-down list: a window no window manager places and
        that never takes the focus."""
        a = self.attributes(wid)
        return a is not None and bool(a.override_redirect)

    def parent(self, wid):
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.c_void_p(), ctypes.c_uint()
        if not self.x.XQueryTree(self.dpy, wid, ctypes.byref(root), ctypes.byref(parent), ctypes.byref(children),
                                 ctypes.byref(count)):
            return 0
        if children:
            self.x.XFree(children)
        return parent.value

    def focus(self):
        """The window that has the input focus (0 for none, 1 for
        PointerRoot)."""
        wid, revert = ctypes.c_ulong(), ctypes.c_int()
        self.x.XGetInputFocus(self.dpy, ctypes.byref(wid), ctypes.byref(revert))
        return wid.value

    def within(self, wid, outer):
        """Whether the window is outer or lies inside it (a window
        manager's frame holds the window it frames)."""
        while wid > 1 and wid != self.root:
            if wid == outer:
                return True
            wid = self.parent(wid)
        return False

    def focus_in(self, wid):
        """Whether the focus is in the window or in one of its children."""
        return self.within(self.focus(), wid)

    def selection_owner(self, name):
        return self.x.XGetSelectionOwner(self.dpy, self.atom(name))

    def clipboard_owner(self):
        return self.selection_owner("CLIPBOARD")

    def send_delete(self, wid):
        """What a window manager's close button does: WM_DELETE_WINDOW."""
        ev = _XEvent()
        ev.xclient.type = 33  # ClientMessage
        ev.xclient.window = wid
        ev.xclient.message_type = self.atom("WM_PROTOCOLS")
        ev.xclient.format = 32
        ev.xclient.data[0] = self.atom("WM_DELETE_WINDOW")
        self.x.XSendEvent(self.dpy, wid, 0, 0, ctypes.byref(ev))
        self.x.XFlush(self.dpy)


class _Clipboard:
    """One xclip holding the desktop clipboard; counts the requests it has
    served, so a paste can wait until the program has read it."""

    def __init__(self, env, text):
        self.served = 0
        self.window = 0
        self.proc = subprocess.Popen(["xclip", "-verbose", "-selection", "clipboard", "-t", "UTF8_STRING", "-i"],
                                     env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.STDOUT)
        self.proc.stdin.write(text.encode("utf-8"))
        self.proc.stdin.close()
        threading.Thread(target=self._count, daemon=True).start()

    def _count(self):
        # xclip says "Waiting for selection request number N" each time it
        # has answered one.
        for line in self.proc.stdout:
            if b"selection request number" in line:
                self.served = int(line.split()[-1]) - 1

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
        self.proc.wait(10)
        self.proc.stdout.close()


class Desktop:
    """xdotool and xclip on one X server.

    Keys go where the input focus is, so each key and typed text first
    waits until the focus is in the window the keys are meant for (the
    `target`): the window last focused or clicked, or the one the program
    is to give the focus to (`expect`). Dialogs and boxes are gone once
    their windows are destroyed: only then has the program taken their
    answer and gone on, and the focus goes back to the window that had it,
    as a window manager gives it back."""

    def __init__(self, server, wm=False):
        self.server = server
        self.env = server.env()
        if wm:
            # It stops with the server.
            start_window_manager(server)
        self.x = XWindows(server.display)
        self.target = None
        self._clipboard = None
        self._clipboards = []

    def stop(self):
        for c in self._clipboards:
            c.stop()
        self.x.close()

    def run(self, *args, check=True, input=None):
        r = subprocess.run(list(args), env=self.env, input=input, stdout=subprocess.PIPE,
                           stderr=subprocess.PIPE, timeout=20)
        if check and r.returncode != 0:
            raise AssertionError("%s failed: %s" % (" ".join(args), r.stderr.decode(errors="replace")))
        return r.stdout

    def xdo(self, *args):
        return self.run("xdotool", *args)

    def wait_focus(self, timeout=10.0):
        """Waits until the keys' window has the input focus."""
        target = self.target
        if not target:
            return
        if not self.x.viewable(target):
            raise AssertionError("keys for window %d, which is not on the screen" % target)
        try:
            wait_for("the focus in window %d" % target, lambda: self.x.focus_in(target), timeout)
        except Timeout:
            raise AssertionError("keys for window %d (%s), but the focus is in %d (%s)" % (
                target, self.window_name(target), self.x.focus(), self.window_name(self.x.focus())))

    def keys(self, *keys):
        self.wait_focus()
        self.xdo("key", "--delay", "30", *keys)

    def paste(self, key="ctrl+v"):
        """A paste key. When another program holds the clipboard, this one
        reads it through the X server: the paste waits until it has asked,
        so that nothing changes the clipboard under it."""
        held = self._clipboard
        ours = held and held.proc.poll() is None and self.x.clipboard_owner() == held.window
        served = held.served if ours else 0
        self.keys(key)
        if ours:
            wait_for("the program to read the clipboard", lambda: held.served > served)

    def type(self, text):
        # Line breaks are the Return key, as a keyboard gives them. Only
        # characters on the keyboard's own map: others need the map changed
        # under the running program (put them on the clipboard and paste).
        if not text.isascii():
            raise ValueError("type() takes ASCII text; paste the rest: %r" % text)
        for i, part in enumerate(text.split("\n")):
            if i:
                self.keys("Return")
            if part:
                self.wait_focus()
                self.xdo("type", "--delay", "15", part)

    def windows(self, name):
        r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], env=self.env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=20)
        return [int(w) for w in r.stdout.split()]

    def popups(self):
        """The menus and drop-down lists on the screen."""
        return {w for w in self.windows("") if self.x.popup(w)}

    def window_name(self, wid):
        return self.run("xdotool", "getwindowname", str(wid), check=False).decode("utf-8", "replace").strip()

    def wait_window(self, name, timeout=10.0):
        return wait_for("a window named " + name, lambda: self.windows(name), timeout)[0]

    def wait_no_window(self, name, timeout=10.0):
        wait_for("no window named " + name, lambda: not self.windows(name), timeout)

    def wait_destroyed(self, wid, timeout=10.0):
        wait_for("window %d to be destroyed" % wid, lambda: not self.x.exists(wid), timeout)

    def geometry(self, wid):
        """The window's client area on the screen: x, y, width, height (also
        under a window manager, whose frame xdotool would count twice)."""
        out = self.run("xwininfo", "-id", str(wid)).decode()
        g = dict(re.findall(r"^\s*(Absolute upper-left [XY]|Width|Height):\s+(-?\d+)", out, re.M))
        return (int(g["Absolute upper-left X"]), int(g["Absolute upper-left Y"]), int(g["Width"]),
                int(g["Height"]))

    def wait_moved(self, wid, x, y):
        wait_for("window %d at %d,%d" % (wid, x, y), lambda: self.geometry(wid)[:2] == (x, y))

    def focus(self, wid):
        """Gives a window the input focus (as a click on its title would);
        the keys that follow are meant for it."""
        self.target = wid
        self.run("xdotool", "windowfocus", "--sync", str(wid), check=False)
        self.wait_focus()

    def expect(self, wid):
        """The keys that follow are meant for this window: the program is
        to give it the focus by itself."""
        self.target = wid

    def click(self, x, y, button=1):
        """A click; the keys that follow are meant for the window clicked
        (the program gives it the focus), unless it is a menu or a list."""
        out = self.xdo("mousemove", str(x), str(y), "click", str(button), "getmouselocation", "--shell").decode()
        under = int(dict(line.split("=", 1) for line in out.split()).get("WINDOW", "0"))
        if under and under != self.x.root and not self.x.popup(under):
            self.target = under

    def drag(self, start, end, modifier=None):
        steps = []
        if modifier:
            steps += ["keydown", modifier]
        steps += ["mousemove", str(start[0]), str(start[1]), "mousedown", "1"]
        for i in range(1, 5):
            x = start[0] + (end[0] - start[0]) * i // 4
            y = start[1] + (end[1] - start[1]) * i // 4
            steps += ["mousemove", str(x), str(y), "sleep", "0.05"]
        steps += ["mouseup", "1"]
        if modifier:
            steps += ["keyup", modifier]
        self.wait_focus()
        self.xdo(*steps)

    def walk_menu(self, keys):
        """Keys in a menu that is open: each Left or Right (another menu of
        the bar, a submenu) waits for its menu to come up before the next."""
        chunk = []
        for key in list(keys) + [None]:
            if chunk and (key != chunk[-1] or key in ("Left", "Right")):
                self.keys(*chunk)
                chunk = []
            if key in ("Left", "Right"):
                shown = self.popups()
                self.keys(key)
                wait_for("the next menu", lambda: self.popups() - shown)
            elif key:
                chunk.append(key)

    def open_menu(self, x, y, keys=(), button=1):
        """A click on a menu bar's title at (x, y) (or a pop-up menu's
        button), then the keys once the menu is up (walk_menu)."""
        shown = self.popups()
        self.click(x, y, button)
        wait_for("the menu", lambda: self.popups() - shown)
        self.walk_menu(keys)

    # The desktop clipboard through another program (UTF-8 both ways).
    def set_clipboard(self, text):
        held = _Clipboard(self.env, text)
        self._clipboards.append(held)
        self._clipboard = held
        wait_for("the clipboard to hold the text", lambda: self.clipboard() == text)
        held.window = self.x.clipboard_owner()

    def clipboard(self):
        r = subprocess.run(["xclip", "-selection", "clipboard", "-t", "UTF8_STRING", "-o"], env=self.env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=10)
        return r.stdout.decode("utf-8", "replace") if r.returncode == 0 else None

    def wait_clipboard(self, text, timeout=5.0):
        try:
            wait_for("the clipboard", lambda: self.clipboard() == text, timeout)
        except Timeout:
            raise AssertionError("clipboard holds %r, expected %r" % (self.clipboard(), text))

    def close_window(self, wid):
        """What a window manager's close button does: WM_DELETE_WINDOW."""
        self.x.send_delete(wid)

    def screenshot(self, path):
        self.run("import", "-window", "root", path, check=False)

    def click_in(self, wid, x, y):
        """A click at (x, y) of a window's client area (the program's
        forms place their controls in those units)."""
        wx, wy, w, h = self.geometry(wid)
        self.click(wx + x, wy + y)

    def dialog(self, caption, answer, timeout=10.0):
        """A dialog or box of the program's found by its caption and focused;
        answer() gives its keys. Returns once it is destroyed, the focus
        given back to the window that had it."""
        before = self.target
        box = self.wait_window(caption, timeout)
        self.focus(box)
        answer()
        self.wait_destroyed(box)
        # Not waited for here: the program may put up its next dialog, which
        # keeps the focus while it is up.
        if before and self.x.viewable(before):
            self.target = before
            self.run("xdotool", "windowfocus", str(before), check=False)
        else:
            self.target = None

    def answer_box(self, caption="^Brindel Quillet Studio$", key="Return", timeout=10.0):
        """A message box (or any window) found by its caption, answered with a key."""
        self.dialog(caption, lambda: self.keys(key), timeout)

    def enter_text(self, text):
        """The answer of a dialog whose field has the focus: the field's text
        replaced by `text` and confirmed, or the dialog cancelled when `text`
        is None."""
        if text is None:
            self.keys("Escape")
        else:
            self.keys("ctrl+a")
            self.type(text)
            self.keys("Return")

    def input_box(self, caption, text=None):
        """An input box: its text replaced by `text` and confirmed, or
        cancelled when `text` is None."""
        self.dialog(caption, lambda: self.enter_text(text))

    def color_dialog(self, code=None):
        """The colour dialog: `code` ("#FF8000") typed in its HTML field and
        confirmed, "" confirms the colour it opened on, None cancels."""
        def answer():
            if code is None:
                self.keys("Escape")
            else:
                if code:
                    self.keys("alt+h", "ctrl+a")
                    self.type(code)
                self.keys("Return")
        self.dialog(COLOR_DIALOG, answer)

    def font_dialog(self, face=None, size=None):
        """The font dialog: a face typed in its name field (which opens
        lit), a size in its size field, confirmed; nothing given cancels."""
        def answer():
            if face is None and size is None:
                self.keys("Escape")
            else:
                if face:
                    self.type(face)
                if size:
                    self.keys("Tab", "Tab", "ctrl+a")
                    self.type(size)
                self.keys("Return")
        self.dialog(FONT_DIALOG, answer)

    def file_dialog(self, path):
        """The open or save dialog that is up: the path typed, Enter; None
        cancels it."""
        # Qt's own dialogs speak Russian whatever the locale (LANG is C here).
        self.dialog(FILE_DIALOGS, lambda: self.enter_text(path))


class Editor:
    """One run of the editor from a scratch program folder."""

    def __init__(self, desktop, args=(), user=None, files=None, program_files=None):
        self.desktop = desktop
        self.root = tempfile.mkdtemp(prefix="bqs-e2e-")
        self.prog = os.path.join(self.root, "prog")
        self.home = os.path.join(self.root, "home")
        self.files = os.path.join(self.root, "files")
        self.runtime = os.path.join(self.root, "runtime")
        for d in (self.prog, self.home, self.files, self.runtime):
            os.makedirs(d)
        os.chmod(self.runtime, 0o700)
        for name, data in (files or {}).items():
            with open(os.path.join(self.files, name), "wb") as f:
                f.write(data)
        bindir = os.path.dirname(EXECUTABLE)
        for r in RESOURCES:
            if os.path.isdir(os.path.join(bindir, r)):
                shutil.copytree(os.path.join(bindir, r), os.path.join(self.prog, r))
        for name, data in (program_files or {}).items():
            with open(os.path.join(self.prog, name), "wb") as f:
                f.write(data)
        exe = install_beside(EXECUTABLE, self.prog)
        env = dict(desktop.env)
        # The program itself sets what the web engine needs.
        for k in ("QTWEBENGINE_DISABLE_SANDBOX", "QTWEBENGINE_CHROMIUM_FLAGS", "BQS_PROGRAM_DIR",
                  "QT_QPA_PLATFORM", "LANG", "LC_ALL", "LANGUAGE"):
            env.pop(k, None)
        env.update({"QT_QPA_PLATFORM": "xcb", "HOME": self.home, "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
                    "XDG_RUNTIME_DIR": self.runtime, "LANG": "C.UTF-8"})
        cmd = [exe] + [os.path.join(self.files, a) if a in (files or {}) else a for a in args]
        self.user = user
        if user:
            subprocess.run(["chown", "-R", user, self.root], check=True)
            os.chmod(self.root, 0o755)
            cmd = ["runuser", "-u", user, "--", "env"] + ["%s=%s" % kv for kv in env.items()] + cmd
        self.log = open(os.path.join(self.root, "stderr.log"), "w+b")
        self.proc = subprocess.Popen(cmd, env=env, cwd=self.files, stdout=self.log, stderr=self.log,
                                     start_new_session=True)
        self.main = desktop.wait_window(TITLE + "$", timeout=20)
        desktop.focus(self.main)
        self.memo_origin()

    def path(self, name):
        return os.path.join(self.files, name)

    def write(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data)
        if self.user:
            shutil.chown(self.path(name), self.user)
        return self.path(name)

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()

    def wait_file(self, name, data, timeout=10.0):
        p = self.path(name) if not os.path.isabs(name) else name

        def probe():
            try:
                with open(p, "rb") as f:
                    return f.read() == data
            except OSError:
                return False
        try:
            wait_for("the file " + p, probe, timeout)
        except Timeout:
            actual = open(p, "rb").read() if os.path.exists(p) else None
            raise AssertionError("%s holds %r, expected %r" % (p, actual, data))

    def caption(self):
        return self.desktop.window_name(self.main)

    def wait_caption(self, caption, timeout=10.0):
        wait_for("the caption " + caption, lambda: self.caption() == caption, timeout)

    def memo_origin(self):
        """Top-left of the text area on the screen: found by its white."""
        x, y, w, h = self.desktop.geometry(self.main)
        # The text starts right of the gutter, below the bars; the layout is
        # the program's own, so a fixed offset inside the window is enough.
        self.text_x, self.text_y = x + 75, y + 60
        return self.text_x, self.text_y

    def click_text(self):
        """Focus the editor with a click on its first line, then go to the start."""
        self.desktop.click(self.text_x + 200, self.text_y + 4)
        if not self.desktop.x.within(self.main, self.desktop.target):
            raise AssertionError("the text is covered by " + self.desktop.window_name(self.desktop.target))
        self.desktop.keys("ctrl+Home")

    def menu(self, item, unlit=()):
        """Runs a main-menu item by keys (see menu_keys)."""
        d = self.desktop
        x, y, w, h = d.geometry(self.main)
        d.focus(self.main)
        d.open_menu(x + 20, y + 8, menu_keys(item, unlit))

    def clear(self):
        """Empties the document from the keyboard (Ctrl+A in an empty one
        would say so in a box)."""
        self.click_text()
        self.desktop.keys("ctrl+shift+End", "Delete")

    def wait_text(self, text):
        """The whole document, copied to the desktop clipboard, is `text`."""
        self.click_text()
        self.desktop.keys("ctrl+a", "ctrl+c")
        self.desktop.wait_clipboard(text)

    def stderr(self):
        self.log.flush()
        self.log.seek(0)
        return self.log.read().decode("utf-8", "replace")

    def running(self):
        return self.proc.poll() is None

    def close(self, timeout=10.0):
        """Closes with the Exit key; returns the seconds until the process ended."""
        start = time.monotonic()
        self.desktop.focus(self.main)
        self.desktop.keys("F12")
        self.proc.wait(timeout)
        return time.monotonic() - start

    def kill(self):
        if self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.proc.wait(10)
        # The next editor must not find this one's windows.
        try:
            self.desktop.wait_no_window(TITLE + "$", timeout=5)
        finally:
            self.log.close()
        shutil.rmtree(self.root, ignore_errors=True)


class DesktopTest(unittest.TestCase):
    """One X server per module's test class; one editor per test. A class
    with `wm = True` has a window manager (openbox) on its server, for
    stacking and focus."""

    wm = False

    @classmethod
    def setUpClass(cls):
        if not EXECUTABLE or not os.path.exists(EXECUTABLE):
            raise unittest.SkipTest("BQS_EDITOR does not name the built editor")
        cls.server = XServer()
        try:
            cls.desktop = Desktop(cls.server, wm=cls.wm)
        except BaseException:
            cls.server.stop()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.desktop.stop()
        cls.server.stop()

    def start(self, *args, user=None, files=None, program_files=None):
        """An editor; `files` (name: bytes) are written first, and an
        argument naming one of them is its full path; `program_files`
        go into its program folder."""
        editor = Editor(self.desktop, args, user=user, files=files, program_files=program_files)
        self.addCleanup(editor.kill)
        return editor

"""Watches an X server from inside the benchmark process (Xlib through
ctypes): finds top-level windows by name and tells when an area of a window
has stopped changing, without starting a process per look.

A screen counts as painted at the first moment from which it shows only
its final pictures: the last picture, or the two a blinking caret
alternates between. The time of that moment is taken from the grab that
first showed it, so the figure is as fine as one grab (a few ms).
"""

import ctypes
import ctypes.util
import time
import zlib

_x11 = ctypes.CDLL(ctypes.util.find_library("X11"))


class _XImageFuncs(ctypes.Structure):
    _fields_ = [("create_image", ctypes.c_void_p),
                ("destroy_image", ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p)),
                ("get_pixel", ctypes.c_void_p),
                ("put_pixel", ctypes.c_void_p),
                ("sub_image", ctypes.c_void_p),
                ("add_pixel", ctypes.c_void_p)]


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
                ("obdata", ctypes.c_void_p), ("f", _XImageFuncs)]


class _XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int),
                ("all_event_masks", ctypes.c_long), ("your_event_mask", ctypes.c_long),
                ("do_not_propagate_mask", ctypes.c_long), ("override_redirect", ctypes.c_int),
                ("screen", ctypes.c_void_p)]


_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
_x11.XDefaultRootWindow.restype = ctypes.c_ulong
_x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                            ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                            ctypes.POINTER(ctypes.c_uint)]
_x11.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
_x11.XFree.argtypes = [ctypes.c_void_p]


class _XClassHint(ctypes.Structure):
    _fields_ = [("res_name", ctypes.c_char_p), ("res_class", ctypes.c_char_p)]


_x11.XGetClassHint.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(_XClassHint)]
_x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(_XWindowAttributes)]
_x11.XGetImage.restype = ctypes.POINTER(_XImage)
_x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                           ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
_x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x11.XInternAtom.restype = ctypes.c_ulong
_x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_x11.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
                                    ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                    ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
                                    ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
_x11.XSetErrorHandler.argtypes = [_ERROR_HANDLER]
# Windows come and go while they are looked at: errors are ignored.
_ignore_errors = _ERROR_HANDLER(lambda display, event: 0)
_x11.XSetErrorHandler(_ignore_errors)

_ZPIXMAP = 2
_ALL_PLANES = 0xFFFFFFFF
_IS_VIEWABLE = 2


class XWatch:
    def __init__(self, display):
        self._dpy = _x11.XOpenDisplay(display.encode())
        if not self._dpy:
            raise RuntimeError("cannot open display " + display)
        self._root = _x11.XDefaultRootWindow(self._dpy)
        self._net_wm_name = _x11.XInternAtom(self._dpy, b"_NET_WM_NAME", 0)
        self._utf8 = _x11.XInternAtom(self._dpy, b"UTF8_STRING", 0)

    def close(self):
        if self._dpy:
            _x11.XCloseDisplay(self._dpy)
            self._dpy = None

    def _children(self, window):
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        kids, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if not _x11.XQueryTree(self._dpy, window, ctypes.byref(root), ctypes.byref(parent),
                               ctypes.byref(kids), ctypes.byref(count)):
            return []
        out = [kids[i] for i in range(count.value)]
        if kids:
            _x11.XFree(kids)
        return out

    def name(self, window):
        """The window's title: _NET_WM_NAME (UTF-8), else WM_NAME."""
        kind, fmt = ctypes.c_ulong(), ctypes.c_int()
        count, after, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
        if _x11.XGetWindowProperty(self._dpy, window, self._net_wm_name, 0, 4096, 0, self._utf8,
                                   ctypes.byref(kind), ctypes.byref(fmt), ctypes.byref(count),
                                   ctypes.byref(after), ctypes.byref(data)) == 0 and data.value:
            text = ctypes.string_at(data.value, count.value).decode("utf-8", "replace")
            _x11.XFree(data)
            if text:
                return text
        raw = ctypes.c_char_p()
        if not _x11.XFetchName(self._dpy, window, ctypes.byref(raw)) or not raw.value:
            return ""
        text = raw.value.decode("latin-1")
        return text

    def wm_class(self, window):
        hint = _XClassHint()
        if not _x11.XGetClassHint(self._dpy, window, ctypes.byref(hint)):
            return ""
        text = (hint.res_name or b"").decode("utf-8", "replace")
        # The strings are Xlib's; left to it (a few bytes per window).
        return text

    def attributes(self, window):
        a = _XWindowAttributes()
        if not _x11.XGetWindowAttributes(self._dpy, window, ctypes.byref(a)):
            return None
        return a

    def find(self, predicate):
        """A viewable window (top-level or one below a window manager's
        frame) whose name or class name (WM_CLASS's first string)
        satisfies the predicate, or None."""
        todo = self._children(self._root)
        for depth in range(2):
            below = []
            for w in todo:
                a = self.attributes(w)
                if a is None or a.map_state != _IS_VIEWABLE:
                    continue
                if predicate(self.name(w)) or predicate(self.wm_class(w)):
                    return w
                below.extend(self._children(w))
            todo = below
        return None

    def wait_window(self, predicate, timeout=60.0, step=0.002):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            w = self.find(predicate)
            if w:
                return w
            time.sleep(step)
        raise TimeoutError("no window")

    def grab(self, window, area=None):
        """A checksum of the window's pixels in area (x, y, w, h; the whole
        window when None), or None when the window cannot be read."""
        a = self.attributes(window)
        if a is None:
            return None
        x, y, w, h = area or (0, 0, a.width, a.height)
        w, h = max(1, min(w, a.width - x)), max(1, min(h, a.height - y))
        image = _x11.XGetImage(self._dpy, window, x, y, w, h, _ALL_PLANES, _ZPIXMAP)
        if not image:
            return None
        img = image.contents
        crc = zlib.crc32(ctypes.string_at(img.data, img.bytes_per_line * img.height))
        img.f.destroy_image(ctypes.cast(image, ctypes.c_void_p))
        return crc

    def settled(self, window, start, area=None, quiet=0.6, timeout=120.0):
        """Seconds from `start` (a time.monotonic() value) to the first
        grab of the screen's final pictures, once nothing but them has
        shown for `quiet` seconds."""
        seen = []  # (time, checksum) of each change
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            now = time.monotonic()
            crc = self.grab(window, area)
            if crc is not None and (not seen or seen[-1][1] != crc):
                seen.append((now, crc))
            if seen and now - seen[0][0] >= quiet:
                # What showed over the last `quiet` seconds: the picture
                # standing at its start and every change since.
                recent = [c for t, c in seen if t > now - quiet]
                before = [c for t, c in seen if t <= now - quiet]
                shown = before[-1:] + recent
                final = set(shown)
                # One picture, or two that alternate (a blinking caret:
                # A, B, A...), not a last change still too young.
                if before and (len(final) == 1 or (len(final) == 2 and len(shown) >= 3)):
                    i = len(seen) - 1
                    while i > 0 and seen[i - 1][1] in final:
                        i -= 1
                    return seen[i][0] - start
            time.sleep(0.001)
        raise TimeoutError("the screen kept changing")

"""The status bar's lock keys and the view keys in the real program on X11:
the side panel's N and C buttons toggle the keyboard's Num Lock and Caps
Lock through the X server, as another program reading the keyboard's
indicators sees; F10 previews the document in the program's browser
window; F9 opens the quick-insert palette."""

import ctypes
import ctypes.util
import os
import unittest

from desktop import DesktopTest, wait_for

XkbUseCoreKbd = 0x100
CAPS, NUM = 1, 2


class Indicators:
    """The keyboard's indicator bits, read as any X client reads them."""

    def __init__(self, display):
        x11 = ctypes.util.find_library("X11")
        if not x11:
            raise unittest.SkipTest("no libX11")
        self.x = ctypes.CDLL(x11)
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.x.XkbGetIndicatorState.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.POINTER(ctypes.c_uint)]
        self.d = self.x.XOpenDisplay(display.encode())
        if not self.d:
            raise unittest.SkipTest("cannot open the display")

    def state(self):
        s = ctypes.c_uint(0)
        self.x.XkbGetIndicatorState(self.d, XkbUseCoreKbd, ctypes.byref(s))
        return s.value

    def close(self):
        self.x.XCloseDisplay(self.d)


class StatusTest(DesktopTest):
    def side_button(self, e, left):
        """Screen centre of a 17-pixel speed button of the side panel."""
        x, y, w, h = self.desktop.geometry(e.main)
        # The side panel is the right 175 pixels; its small buttons stand 522
        # pixels down it, below the menu bar and the tool bar.
        return x + w - 175 + left + 8, y + self.panel_top + 522 + 8

    def panel_has_text(self, e, panel_left):
        """Whether a 60-pixel status panel shows dark pixels (its text)."""
        x, y, w, h = self.desktop.geometry(e.main)
        shot = os.path.join(e.root, "status.png")
        self.desktop.screenshot(shot)
        r = self.desktop.run("convert", shot, "-crop", "50x12+%d+%d" % (x + panel_left + 4, y + h - 15),
                             "-colorspace", "gray", "-format", "%[fx:minima]", "info:", check=False)
        try:
            return float(r.decode().strip() or "1") < 0.4
        except ValueError:
            return False

    def test_n_and_c_toggle_the_keyboards_lock_keys_and_the_panels_follow(self):
        e = self.start()
        ind = Indicators(self.server.display)
        self.addCleanup(ind.close)
        num_panel = 250 + 145 + 130
        # The menu bar and the tool bar stand above the side panel.
        self.panel_top = 53
        before = ind.state()
        wait_for("the Num Lock panel", lambda: self.panel_has_text(e, num_panel) == bool(before & NUM))
        self.desktop.click(*self.side_button(e, 16))
        wait_for("Num Lock toggled", lambda: (ind.state() ^ before) & NUM, timeout=5)
        wait_for("the Num Lock panel to follow", lambda: self.panel_has_text(e, num_panel) != bool(before & NUM))
        self.desktop.click(*self.side_button(e, 41))
        wait_for("Caps Lock toggled", lambda: (ind.state() ^ before) & CAPS, timeout=5)
        wait_for("the Caps Lock panel to follow",
                 lambda: self.panel_has_text(e, num_panel + 60) != bool(before & CAPS))
        # Back as it was.
        self.desktop.click(*self.side_button(e, 16))
        self.desktop.click(*self.side_button(e, 41))
        wait_for("both back", lambda: ind.state() == before, timeout=5)
        self.assertTrue(e.running())

    def test_f10_previews_the_document_and_f9_toggles_the_palette(self):
        e = self.start()
        e.click_text()
        d = self.desktop
        d.type("<p>preview</p>")
        d.keys("F10")
        copy = os.path.join(e.prog, "копия_просмотра.html")
        def copied():
            if not os.path.exists(copy):
                return False
            with open(copy, "rb") as f:
                return f.read() == b"<p>preview</p>"
        wait_for("the preview copy", copied, timeout=10)
        browser = d.wait_window("^Brindel Quillet Studio - Browser$", timeout=30)
        self.assertTrue(browser)
        self.assertTrue(e.running(), e.stderr())
        # F9 shows or hides the palette (shown at start by default), not the
        # "<center>" snippet of Теги.
        palette = "^Быстрая вставка$"
        shown = bool(d.windows(palette))
        # The browser may cover the text: the keys go to the main window.
        for _ in range(2):
            d.focus(e.main)
            d.keys("F9")
            wait_for("the palette " + ("hidden" if shown else "shown"), lambda: bool(d.windows(palette)) != shown)
            shown = not shown
        d.focus(e.main)
        d.keys("ctrl+s")
        dialog = d.wait_window("^(Сохранить|Сохранить как)$")
        d.focus(dialog)
        d.keys("ctrl+a")
        d.type(e.path("after.txt"))
        d.keys("Return")
        e.wait_file("after.txt", b"<p>preview</p>")


if __name__ == "__main__":
    unittest.main()

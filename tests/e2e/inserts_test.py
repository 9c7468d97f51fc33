"""The side insert panel and the quick-insert palette in the real program on
X11: the panel stands at the right at start, its buttons insert, a list
button and an arrow-key pick in its drop-down list insert the picked text
with the focus back in the editor; F9 hides and shows the palette, whose
buttons insert into the main window's document without taking the focus;
the saved file holds exactly those bytes."""

import os
import re
import unittest

from desktop import DesktopTest, wait_for

PALETTE = "^Быстрая вставка$"
# The menu bar and the tool bar stand above the side panel.
PANEL_TOP = 53


class InsertsTest(DesktopTest):
    def panel_point(self, e, left, top):
        """Screen point of a side-panel control's client position."""
        x, y, w, h = self.desktop.geometry(e.main)
        return x + w - 175 + left, y + PANEL_TOP + top

    def palette_point(self, palette, left, top):
        """Screen point of a position on the palette's first page."""
        x, y, w, h = self.desktop.geometry(palette)
        # The notebook's frame and tabs stand above and left of the page.
        return x + 4 + left, y + 24 + top

    def raised_at(self, palette, x, y):
        """The palette above the main window (without a window manager the
        main window may stand above it), at (x, y)."""
        d = self.desktop
        d.run("xdotool", "windowraise", str(palette))
        d.run("xdotool", "windowmove", "--sync", str(palette), str(x), str(y))
        d.wait_moved(palette, x, y)

    def save(self, e, name):
        d = self.desktop
        d.focus(e.main)
        d.keys("ctrl+s")
        d.file_dialog(e.path(name))

    def test_side_panel_and_palette_insert_and_the_file_holds_it(self):
        e = self.start()
        d = self.desktop
        e.click_text()
        # "<br>" (Button13) on the side panel.
        d.click(*self.panel_point(e, 56 + 25, 236 + 12))
        # "css", then the list opened and its second item picked by arrow key.
        d.click(*self.panel_point(e, 48 + 17, 50 + 10))
        d.open_menu(*self.panel_point(e, 3 + 84, 78 + 10), keys=("Down", "Return"))
        wait_for("the list to close", lambda: not d.popups())
        # The focus is back in the editor: typing goes on after the pick.
        d.expect(e.main)
        d.type("X")

        # F9 hides the palette (shown at start by default) and shows it again.
        self.assertTrue(d.windows(PALETTE))
        for shown in (False, True):
            d.focus(e.main)
            d.keys("F9")
            wait_for("the palette " + ("shown" if shown else "hidden"), lambda: bool(d.windows(PALETTE)) == shown)
        palette = d.wait_window(PALETTE)
        self.raised_at(palette, 300, 60)
        d.focus(e.main)
        # "<br>", the third button of the first page (4 + 46 + 2 + 52 + 2).
        d.click(*self.palette_point(palette, 106 + 17, 4 + 11))
        # The editor still has the keys.
        d.expect(e.main)
        d.type("Y")

        self.save(e, "inserted.txt")
        e.wait_file("inserted.txt", b"<BR>background:X<br>Y")
        self.assertTrue(e.running(), e.stderr())

    def test_keys_and_a_memory_box_insert(self):
        """F5 the date and time, F2 the name picked in the open dialog (with
        a blank and Cyrillic), a double click on a memory box its text."""
        e = self.start(files={"мой файл.txt": b"x"})
        d = self.desktop
        e.click_text()
        d.keys("F5")
        d.type(" ")
        d.keys("F2")

        def pick():
            d.keys("ctrl+a")
            # Pasted: typed Cyrillic is not reliable in Qt's file dialog.
            d.set_clipboard(e.path("мой файл.txt"))
            d.paste()
            d.keys("Return")
        d.dialog("^Открыть$", pick)

        palette = d.wait_window(PALETTE)
        self.raised_at(palette, 300, 60)
        # The fifth tab, then Edit3 (the third box) gets a text.
        d.click(*self.palette_point(palette, 360, -12))
        x, y = self.palette_point(palette, 400 + 90, 4 + 10)
        d.focus(palette)
        d.click(x, y)
        # Its one space out (Ctrl+A is the main window's "select all").
        d.keys("End", "BackSpace")
        d.type("[mem]")
        d.run("xdotool", "mousemove", "--sync", str(x), str(y), "click", "--repeat", "2", "--delay", "60", "1")
        # The text goes into the document, and the keys with it.
        d.expect(e.main)
        d.type("!")

        self.save(e, "keys.txt")
        date = rb"[^ ,]+, \d\d\.\d\d\.\d{4} " + "год, время: ".encode("cp1251") + rb"\d\d:\d\d:\d\d"
        tail = re.escape(" мой файл.txt[mem]!".encode("cp1251"))
        pattern = re.compile(b"^" + date + tail + b"$")

        def saved():
            try:
                return pattern.match(e.read("keys.txt"))
            except OSError:
                return None
        try:
            wait_for("the saved file", saved)
        except AssertionError:
            self.assertRegex(e.read("keys.txt"), pattern)
        self.assertTrue(e.running(), e.stderr())

    def test_the_palette_keeps_its_place_across_runs(self):
        e = self.start()
        d = self.desktop
        palette = d.wait_window(PALETTE)
        d.run("xdotool", "windowmove", "--sync", str(palette), "210", "333")
        d.wait_moved(palette, 210, 333)
        e.close()
        with open(os.path.join(e.prog, "Config files", "smallbarset.ini"), "rb") as f:
            ini = f.read()
        # Where the palette was moved to, read back by the next run.
        self.assertIn(b"[smallbar]\r\nx=210\r\ny=333\r\n", ini)
        self.assertIn(b"mem-2=\" \"", ini)


if __name__ == "__main__":
    unittest.main()

"""The program's windows on a desktop with a window manager (openbox), as a
user meets them: a modal dialog shuts the other windows off, dialogs and
boxes open above the window that opened them with the focus, hints go when
the user does something else, and the keys work after a menu."""

import os
import subprocess

import help_test
from desktop import DesktopTest, wait_for

SETTINGS = "^Настройки Brindel Quillet Studio$"
FAVOURITES = "^Настройка избранного$"
LINK_WIZARD = "^Мастер создания гиперссылки$"
ABOUT = "^О продукте$"
PALETTE = "^Быстрая вставка$"
BROWSER = "^Brindel Quillet Studio - Browser$"
BOX = "^Brindel Quillet Studio$"


class WindowsTest(DesktopTest):
    wm = True

    # -- what the window manager and the X server say --
    def prop(self, wid, name):
        return self.desktop.run("xprop", "-id", str(wid), name, check=False).decode(errors="replace")

    def transient_for(self, wid):
        out = self.prop(wid, "WM_TRANSIENT_FOR")
        return int(out.split("#")[1], 16) if "#" in out else None

    def stacking(self):
        """The managed windows, bottom to top."""
        out = self.desktop.run("xprop", "-root", "_NET_CLIENT_LIST_STACKING").decode()
        return [int(w, 16) for w in out.split("#")[1].replace(",", " ").split()] if "#" in out else []

    def above(self, wid, other):
        order = self.stacking()
        return wid in order and other in order and order.index(wid) > order.index(other)

    def active(self):
        out = self.desktop.run("xdotool", "getactivewindow", check=False).split()
        return int(out[0]) if out else None

    def program_windows(self, editor, kind):
        """The program's windows on screen of a _NET_WM_WINDOW_TYPE (hints:
        "TOOLTIP"; menus: "MENU")."""
        r = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(editor.proc.pid)],
                           env=self.desktop.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=20)
        return [int(w) for w in r.stdout.split() if kind in self.prop(int(w), "_NET_WM_WINDOW_TYPE")]

    def tool_button(self, editor, position):
        """Screen centre of the tool bar's button at a position from 1."""
        x, y, w, h = self.desktop.geometry(editor.main)
        # Below the menu bar; 32 pixels apart from the left.
        return x + (position - 1) * 32 + 20, y + 37

    def opens_on_top(self, wid, opener):
        wait_for("the window above its opener with the focus",
                 lambda: self.above(wid, opener) and self.active() == wid)
        self.assertEqual(self.transient_for(wid), opener)

    # -- the faults --
    def test_a_modal_dialog_shuts_the_tool_bar_and_the_tool_windows_off(self):
        e = self.start()
        d = self.desktop
        e.menu("Настройки > Настройки...")
        settings = d.wait_window(SETTINGS)
        wait_for("the dialog to take the focus", lambda: self.active() == settings)
        palette = d.wait_window(PALETTE)
        # The gear (settings again), the link wizard and a palette button:
        # none of them may do anything while the dialog is up.
        for position in (16, 12):
            d.click(*self.tool_button(e, position))
        d.click_in(palette, 126, 35)
        d.close_window(settings)
        d.wait_no_window(SETTINGS)
        self.assertEqual(d.windows(BOX), [])
        self.assertEqual(d.windows(LINK_WIZARD), [])
        # The main window takes the keys again, and the palette put nothing in.
        wait_for("the main window active again", lambda: self.active() == e.main)
        e.click_text()
        d.type("ok")
        e.wait_text("ok")

    def test_the_settings_dialog_opens_above_the_main_window_after_a_tool_window_closed(self):
        e = self.start()
        d = self.desktop
        for attempt in range(4):
            e.menu("Просмотр > Окно менеджера Tarvok!")
            favourites = d.wait_window(FAVOURITES)
            self.assertEqual(self.transient_for(favourites), e.main)
            d.focus(favourites)
            d.keys("alt+F4")
            d.wait_no_window(FAVOURITES)
            e.menu("Настройки > Настройки...")
            settings = d.wait_window(SETTINGS)
            self.opens_on_top(settings, e.main)
            d.close_window(settings)
            d.wait_no_window(SETTINGS)

    def test_the_outside_browsers_failure_box_is_the_programs_over_the_main_window(self):
        e = self.start("page.html", files={"page.html": b"<p>x</p>\r\n"})
        d = self.desktop
        # A saved document whose file has gone: the start fails.
        os.remove(e.path("page.html"))
        d.focus(e.main)
        d.keys("F11")
        box = d.wait_window(BOX)
        self.opens_on_top(box, e.main)
        bx, by, bw, bh = d.geometry(box)
        mx, my, mw, mh = d.geometry(e.main)
        self.assertLess(abs((bx + bw // 2) - (mx + mw // 2)), 40)
        self.assertLess(abs((by + bh // 2) - (my + mh // 2)), 40)
        d.answer_box()

    def test_the_help_viewers_box_opens_above_the_viewer(self):
        if not help_test.VIEWER or not os.path.exists(help_test.VIEWER):
            self.skipTest("BQS_VIEWER does not name the built viewer")
        e = self.start()
        help_test.HelpTest.viewer_beside(self, e)
        d = self.desktop
        d.focus(e.main)
        d.keys("F1")
        viewer = d.wait_window(help_test.VIEWER_WINDOW, timeout=30)
        self.addCleanup(help_test.HelpTest.stop_viewer, self, viewer)
        wait_for("the viewer to take the focus", lambda: self.active() == viewer)
        # Back on the first page: the box says there is no page before.
        d.click_in(viewer, 23, 66)
        box = wait_for("the viewer's box",
                       lambda: [w for w in d.windows(help_test.VIEWER_WINDOW) if w != viewer])[0]
        self.opens_on_top(box, viewer)
        d.focus(box)
        d.keys("Return")
        wait_for("the box to close", lambda: box not in d.windows(help_test.VIEWER_WINDOW))

    def test_a_hint_goes_when_the_mouse_leaves_another_window_takes_the_focus_or_its_button_is_clicked(self):
        e = self.start()
        d = self.desktop
        palette = d.wait_window(PALETTE)
        about = self.tool_button(e, 19)

        def hover():
            d.focus(e.main)
            # The mouse comes in as a hand moves it, in steps.
            steps = []
            for dx in (-8, -4, 0):
                steps += ["mousemove", str(about[0] + dx), str(about[1]), "sleep", "0.1"]
            d.xdo(*steps)
            wait_for("the button's hint", lambda: self.program_windows(e, "TOOLTIP"))

        def hint_gone(what):
            # Well before the hint's own pause of ten seconds.
            wait_for("the hint to go when " + what, lambda: not self.program_windows(e, "TOOLTIP"), timeout=4)

        hover()
        d.xdo("mousemove", "1000", "1010")
        hint_gone("the mouse left the program")
        hover()
        d.run("xdotool", "windowactivate", "--sync", str(palette))
        hint_gone("the palette took the focus")
        hover()
        d.xdo("click", "1")
        window = d.wait_window(ABOUT)
        hint_gone("the button was clicked")
        self.opens_on_top(window, e.main)
        d.close_window(window)
        d.wait_no_window(ABOUT)
        self.assertEqual(self.program_windows(e, "TOOLTIP"), [])

    def test_f10_previews_at_once_after_escape_closed_a_menu(self):
        e = self.start()
        d = self.desktop
        x, y, w, h = d.geometry(e.main)
        d.focus(e.main)
        d.click(x + 20, y + 8)
        wait_for("the File menu", lambda: self.program_windows(e, "MENU"))
        d.keys("Escape")
        wait_for("the menu to close", lambda: not self.program_windows(e, "MENU"))
        d.keys("F10")
        d.wait_window(BROWSER)

"""The tray on a real X server with a window manager (openbox) and a system
tray (trayer): minimised, the editor leaves the screen (withdrawn, not
iconic) with its icon in the tray, and a click on the icon brings it back;
hidden there when the tray goes away, it comes back; then, without a tray,
minimising is an ordinary minimise (iconic)."""

import subprocess
import unittest

from desktop import DesktopTest, wait_for

PALETTE = "^Быстрая вставка$"


class TrayTest(DesktopTest):
    wm = True

    def start_tray(self):
        tray = subprocess.Popen(["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width",
                                 "120", "--height", "32", "--transparent", "false"], env=self.desktop.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def stop():
            if tray.poll() is None:
                tray.terminate()
            tray.wait(10)
        self.addCleanup(stop)
        wait_for("the tray", lambda: self.desktop.x.selection_owner("_NET_SYSTEM_TRAY_S0"))
        return tray

    def state(self, wid):
        """The window manager's state of a window: Normal, Iconic, or None
        once the program has withdrawn it."""
        out = self.desktop.run("xprop", "-id", str(wid), "WM_STATE", check=False).decode()
        return out.split("window state: ", 1)[1].split()[0] if "window state: " in out else None

    def active(self, wid):
        """The window on the screen, the window manager's active one, and
        drawn: the program asks for the window to be active when it sees it
        mapped, before it draws it, and that would undo a minimise that came
        first."""
        d = self.desktop
        out = d.run("xdotool", "getactivewindow", check=False).strip()
        if not d.x.viewable(wid) or out != str(wid).encode():
            return False
        # The menu bar's first pixel: black until the program draws.
        pixel = d.run("import", "-window", str(wid), "-crop", "1x1+4+4", "-depth", "8", "txt:-", check=False)
        return b"#000000" not in pixel.upper()

    def withdrawn(self, wid):
        return not self.desktop.x.viewable(wid) and self.state(wid) in (None, "Withdrawn")

    def minimise(self, wid):
        self.desktop.run("xdotool", "windowminimize", str(wid))

    def wait_window(self, what, probe, e):
        try:
            wait_for(what, probe)
        except AssertionError:
            self.fail("timed out waiting for %s: the window is %s and %s" % (
                what, self.state(e.main), "on the screen" if self.desktop.x.viewable(e.main) else "off the screen"))

    def icon(self, e):
        """The editor's window in the tray: small and on the screen."""
        d = self.desktop
        out = d.run("xdotool", "search", "--all", "--onlyvisible", "--pid", str(e.proc.pid), check=False).split()
        return next((int(w) for w in out if d.geometry(int(w))[2] <= 48), None)

    def test_minimised_to_the_tray_and_back(self):
        tray = self.start_tray()
        e = self.start()
        d = self.desktop
        # The palette goes first (F9): the window manager hands it the focus
        # when the main window leaves, and the program passes the focus back
        # to the main window, which can bring that window back at once.
        d.keys("F9")
        d.wait_no_window(PALETTE)
        self.wait_window("the window active", lambda: self.active(e.main), e)
        self.minimise(e.main)
        self.wait_window("the window hidden in the tray", lambda: self.withdrawn(e.main), e)
        icon = wait_for("the tray icon", lambda: self.icon(e))
        d.xdo("mousemove", "--window", str(icon), "8", "8", "click", "1")
        self.wait_window("the window back on the screen", lambda: self.active(e.main), e)
        self.assertEqual(self.state(e.main), "Normal")

        # Hidden in the tray when the tray ends: the window comes back.
        self.minimise(e.main)
        self.wait_window("the window hidden in the tray again", lambda: self.withdrawn(e.main), e)
        tray.terminate()
        tray.wait(10)
        self.wait_window("the window back once the tray is gone", lambda: self.active(e.main), e)

        # Without a tray: an ordinary minimise.
        self.minimise(e.main)
        self.wait_window("the window iconified", lambda: self.state(e.main) == "Iconic", e)
        self.assertFalse(d.x.viewable(e.main))
        self.assertTrue(e.running(), e.stderr())


if __name__ == "__main__":
    unittest.main()

"""The help viewer started from the real editor: F1 in the text starts one
Brindel Norvane beside the editor, on the Russian home page, and leaves the
text alone."""

import os
import shutil
import signal
import unittest

from desktop import DesktopTest, install_beside, wait_for

VIEWER = os.environ.get("BQS_VIEWER", "")
VIEWER_WINDOW = "^Brindel Norvane$"


class HelpTest(DesktopTest):
    def viewer_beside(self, e):
        """The built viewer in the editor's program folder, as it ships."""
        install_beside(VIEWER, e.prog)

    def stop_viewer(self, wid):
        """Ends the viewer the editor started, by its own process id."""
        out = self.desktop.run("xdotool", "getwindowpid", str(wid), check=False).strip()
        if out:
            try:
                os.kill(int(out), signal.SIGTERM)
            except ProcessLookupError:
                pass
        self.desktop.wait_no_window(VIEWER_WINDOW, timeout=15)

    def test_f1_in_the_text_starts_the_viewer_once(self):
        if not VIEWER or not os.path.exists(VIEWER):
            self.skipTest("BQS_VIEWER does not name the built viewer")
        e = self.start()
        self.viewer_beside(e)
        d = self.desktop
        e.click_text()
        d.type("abc")
        d.keys("F1")
        wid = d.wait_window(VIEWER_WINDOW, timeout=30)
        self.addCleanup(self.stop_viewer, wid)
        # One viewer only, its window the size it is made with.
        wait_for("the viewer to settle", lambda: len(d.windows(VIEWER_WINDOW)) == 1, timeout=5)
        self.assertEqual(len(d.windows(VIEWER_WINDOW)), 1)
        x, y, w, h = d.geometry(wid)
        self.assertEqual((w, h), (645, 684))
        if os.environ.get("BQS_E2E_SHOTS"):
            import time
            time.sleep(3)
            d.screenshot(os.path.join(os.environ["BQS_E2E_SHOTS"], "help-viewer.png"))
        # The key reached the menu, not the text: the editor still holds "abc".
        d.focus(e.main)
        d.keys("ctrl+a", "ctrl+c")
        d.wait_clipboard("abc")


if __name__ == "__main__":
    unittest.main()

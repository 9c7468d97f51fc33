"""The settings files across runs of the real editor, under a window
manager: the palette's place read at start and written at exit."""

import configparser
import os
import pwd

from desktop import DesktopTest, wait_for

PALETTE = "^Быстрая вставка$"


class PalettePlaceTest(DesktopTest):
    wm = True

    def run_once(self, ini):
        """One run with smallbarset.ini holding `ini` (None: no file): the
        palette up, then Exit; the file's x and y as written."""
        files = {} if ini is None else {os.path.join("Config files", "smallbarset.ini"): ini}
        editor = self.start(program_files=files)
        self.desktop.wait_window(PALETTE)
        editor.close()
        path = os.path.join(editor.prog, "Config files", "smallbarset.ini")
        wait_for("the palette's settings", lambda: os.path.exists(path))
        with open(path, "rb") as f:
            data = f.read()
        parser = configparser.ConfigParser()
        parser.read_string(data.decode("cp1251"))
        return data, (int(parser["smallbar"]["x"]), int(parser["smallbar"]["y"]))

    def test_the_place_stays_put_run_after_run(self):
        for start, want in ((None, (120, 526)), (b"[smallbar]\r\nx=300\r\ny=200\r\n", (300, 200))):
            with self.subTest(start=start):
                ini = start
                for run in range(5):
                    ini, place = self.run_once(ini)
                    self.assertEqual(place, want, "run %d" % (run + 1))


class PlaceNumbersTest(DesktopTest):
    def test_numbers_no_screen_can_show_give_a_usable_window_that_exits(self):
        for left, top, width, height in ((0, 0, 900, 999999999), (640, 0, 1, 32767),
                                         (-2147483648, 2147483647, 2147483647, -2147483648)):
            with self.subTest(place=(left, top, width, height)):
                ini = "[position]\r\nleft=%d\r\nwidth=%d\r\ntop=%d\r\nheight=%d\r\n" % (left, width, top, height)
                palette = "[smallbar]\r\nx=%d\r\ny=%d\r\n" % (left, top)
                editor = self.start(program_files={
                    os.path.join("Config files", "velmoraset.ini"): ini.encode(),
                    os.path.join("Config files", "smallbarset.ini"): palette.encode()})
                for wid in (editor.main, self.desktop.wait_window(PALETTE)):
                    x, y, w, h = self.desktop.geometry(wid)
                    self.assertTrue(0 <= x and 0 <= y and x + w <= 1280 and y + h <= 1024, (x, y, w, h))
                    self.assertGreaterEqual(min(w, h), 80)
                editor.close()


class UnwritableSettingsTest(DesktopTest):
    def test_each_file_that_cannot_be_written_is_told_and_the_program_ends(self):
        user = None
        if os.geteuid() == 0:
            # Root writes anywhere: an ordinary user meets the closed folder.
            try:
                pwd.getpwnam("nobody")
            except KeyError:
                self.skipTest("no ordinary user to run as")
            user = "nobody"
        editor = self.start(user=user)
        self.desktop.wait_window(PALETTE)
        folder = os.path.join(editor.prog, "Config files")
        with open(os.path.join(folder, "velmoraset.ini"), "rb") as f:
            before = f.read()
        # A writable file in a closed folder is still saved (in place): the
        # main window's file is write-protected too, the palette's cannot
        # be made.
        os.chmod(os.path.join(folder, "velmoraset.ini"), 0o444)
        os.chmod(folder, 0o555)
        self.addCleanup(os.chmod, folder, 0o755)
        self.desktop.focus(editor.main)
        self.desktop.keys("F12")
        # One box for the palette's file, one for the main window's.
        for _ in range(2):
            self.desktop.answer_box(timeout=20)
        editor.proc.wait(10)
        with open(os.path.join(folder, "velmoraset.ini"), "rb") as f:
            self.assertEqual(f.read(), before)
        self.assertFalse(os.path.exists(os.path.join(folder, "smallbarset.ini")))


if __name__ == "__main__":
    import unittest
    unittest.main()

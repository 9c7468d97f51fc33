"""The settings files across runs of the real editor, under a window
manager: the palette's place read at start and written at exit."""

import configparser
import os

import desktop
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


if __name__ == "__main__":
    import unittest
    unittest.main()

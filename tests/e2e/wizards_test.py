"""The about window in the real program: Ctrl+F1 shows it modally with the
program's picture, white text over the dark picture, and its close button
ends it."""

import os
import unittest

from desktop import DesktopTest, TITLE


def read_ppm(path):
    """Width, height and RGB bytes of a binary PPM file."""
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    assert fields[0] == b"P6" and fields[3] == b"255"
    return int(fields[1]), int(fields[2]), data[pos:]


class WizardsTest(DesktopTest):
    def test_ctrl_f1_shows_the_about_picture(self):
        e = self.start()
        d = self.desktop
        e.click_text()
        d.keys("ctrl+F1")
        about = d.wait_window("^О продукте$")
        x, y, w, h = d.geometry(about)
        self.assertEqual((w, h), (501, 277))
        shot = os.path.join(e.root, "about.ppm")
        d.run("import", "-window", str(about), "-depth", "8", "ppm:" + shot)
        width, height, rgb = read_ppm(shot)
        white = dark = 0
        for i in range(0, len(rgb) - 2, 3):
            r, g, b = rgb[i], rgb[i + 1], rgb[i + 2]
            if r > 230 and g > 230 and b > 230:
                white += 1
            if r < 80 and g < 80 and b > 50:
                dark += 1
        # The night-blue picture fills the window; the credits stand on it.
        self.assertGreater(dark, width * height // 2)
        self.assertGreater(white, 300)
        d.close_window(about)
        d.wait_no_window("^О продукте$")
        self.assertTrue(e.running())
        e.wait_caption("Новый файл" + TITLE)


if __name__ == "__main__":
    unittest.main()

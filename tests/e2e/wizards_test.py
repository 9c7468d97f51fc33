"""The about window in the real program: Ctrl+F1 shows it modally with the
program's picture, white text over the dark picture, and its close button
ends it. The image wizard previews a camera-sized picture, past what is
ever decoded whole, and inserts the size its header states."""

import os
import subprocess
import unittest

from desktop import DesktopTest, TITLE, wait_for


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

    def window_pixels(self, e, wid, name):
        shot = os.path.join(e.root, name)
        self.desktop.run("import", "-window", str(wid), "-depth", "8", "ppm:" + shot)
        return read_ppm(shot)

    def test_image_wizard_previews_a_picture_past_the_decoding_limit(self):
        e = self.start()
        d = self.desktop
        # 8192 x 4400, from navy on the left to orange on the right.
        big = e.path("big.jpg")
        subprocess.run(["convert", "-size", "8192x4400", "-define", "gradient:direction=east",
                        "gradient:navy-orange", "-quality", "85", big], check=True, timeout=60)
        x, y, w, h = d.geometry(e.main)
        d.click(x + 436, y + 36)  # the tool bar's image wizard button
        wizard = d.wait_window("^Мастер вставки изображения$")
        wx, wy, ww, wh = d.geometry(wizard)
        d.click(wx + 404, wy + 34)  # "Открыть"
        d.file_dialog(big)

        def preview():
            width, height, rgb = self.window_pixels(e, wizard, "wizard.ppm")
            navy = orange = 0
            # The preview box: 185 x 185 at (264, 76).
            for py in range(76, min(height, 261)):
                for px in range(264, min(width, 449)):
                    i = (py * width + px) * 3
                    r, g, b = rgb[i], rgb[i + 1], rgb[i + 2]
                    if r < 90 and g < 90 and b > 90:
                        navy += 1
                    if r > 200 and 100 < g < 200 and b < 90:
                        orange += 1
            return navy > 1000 and orange > 1000
        wait_for("the preview", preview, timeout=10)
        # Nothing to complain about: no box.
        self.assertEqual(d.windows("^Brindel Quillet Studio$"), [])
        d.click(wx + 290, wy + 284)  # "Вставить"
        d.wait_no_window("^Мастер вставки изображения$")
        e.click_text()
        d.keys("ctrl+a", "ctrl+c")
        d.wait_clipboard('<IMG SRC="file://%s" WIDTH=8192 HEIGHT=4400 ALIGN=bottom HSPACE= VSPACE= BORDER=0 '
                         'ALT="big.jpg">' % big)
        self.assertTrue(e.running(), e.stderr())


if __name__ == "__main__":
    unittest.main()

"""The settings, favourites, sender, browser and script-library windows in
the real program: each opened from its menu item and tool bar button; the
text and picture browsers list a real folder and put a file's text or path
into the document; the picture browser shows Windows metafiles; the library
lists the shipped scripts and inserts one.
The document is saved and its bytes read."""

import os
import subprocess
import unittest

from desktop import DesktopTest, wait_for
from metafiles import make_emf, make_wmf
from wizards_test import read_ppm

FILE_DIALOGS = "^(Открыть|Сохранить|Сохранить как)$"
# Where the top-level menus' titles and the tool bar's buttons stand
# (pixels from the window's top-left corner, the bar's font on this X server).
MENU_X = {"Просмотр": 148, "Теги": 207, "Выполнить": 338, "Настройки": 428, "Сервис": 499}
MENU_Y = 10
TOOL_Y = 36
TOOL_X = {"XpSpeedButton15": 499, "XpSpeedButton18": 531}
# The browsers' client areas start below their menu bars.
FORM_MENU_BAR = 19

SETTINGS = "^Настройки Brindel Quillet Studio$"
FAVOURITES = "^Настройка избранного$"
SENDER = "^Brindel Quillet Studio - Sender$"
TEXTS = "^Brindel Quillet Studio - Текст$"
PICTURES = "^Brindel Quillet Studio - Изображения$"
SCRIPTS = "^Brindel Quillet Studio - Scrivane$"


class BrowsersTest(DesktopTest):
    def open_menu(self, e, menu, *keys):
        """Opens a top-level menu with a click on its title, then walks it
        with the keys given, one at a time as the menus open ("Up" from the
        title is the last item)."""
        d = self.desktop
        x, y, w, h = d.geometry(e.main)
        d.open_menu(x + MENU_X[menu], y + MENU_Y, keys)

    def save_as(self, e, name):
        d = self.desktop
        d.focus(e.main)
        d.keys("ctrl+s")
        dialog = d.wait_window(FILE_DIALOGS)
        d.focus(dialog)
        d.keys("ctrl+a")
        d.type(e.path(name))
        d.keys("Return")
        d.wait_no_window(FILE_DIALOGS)

    def test_each_window_opens_from_its_menu_item_and_tool_bar_button(self):
        e = self.start()
        d = self.desktop
        x, y, w, h = d.geometry(e.main)
        cases = [
            ("Настройки > Настройки...", SETTINGS, ("Настройки", "Up", "Return")),
            ("tool bar button 15", SETTINGS, "XpSpeedButton15"),
            ("Выполнить > Настроить избранное", FAVOURITES, ("Выполнить", "Up", "Return")),
            ("tool bar button 18", FAVOURITES, "XpSpeedButton18"),
            ("Просмотр > Окно менеджера Tarvok!", FAVOURITES, ("Просмотр", "Up", "Return")),
            ("Просмотр > Окно интернет-мастера", SENDER, ("Просмотр", "Up", "Up", "Return")),
            ("Сервис > Навигатор по тексту", TEXTS, ("Сервис",) + ("Down",) * 4 + ("Return",)),
            ("Сервис > Навигатор по изображениям", PICTURES, ("Сервис",) + ("Down",) * 5 + ("Return",)),
            ("Теги > Мастера Quillet Studio > Мастер вставки скриптов...", SCRIPTS,
             ("Теги",) + ("Down",) * 4 + ("Right", "Up", "Return")),
        ]
        for how, title, action in cases:
            with self.subTest(how):
                d.focus(e.main)
                if isinstance(action, str):
                    d.click(x + TOOL_X[action], y + TOOL_Y)
                else:
                    self.open_menu(e, *action)
                window = d.wait_window(title)
                d.close_window(window)
                d.wait_no_window(title)
        self.assertTrue(e.running(), e.stderr())

    def test_text_browser_lists_the_folder_and_inserts_the_files_text(self):
        text = "Первая строка\r\n<b>вторая</b>\r\n".encode("cp1251")
        e = self.start(files={"заметка.txt": text, "page.htm": b"<p>"})
        d = self.desktop
        e.click_text()
        self.open_menu(e, "Сервис", "Down", "Down", "Down", "Down", "Return")
        browser = d.wait_window(TEXTS)
        x, y, w, h = d.geometry(browser)
        # The file list starts in the program's current folder with its one
        # text file.
        d.click(x + 8 + 8 + 50, y + FORM_MENU_BAR + 4 + 226 + 8)
        wait_for("the file shown", lambda: "заметка.txt" in d.window_name(browser))
        self.assertEqual(d.window_name(browser), "Навигатор Quillet Studio - Текст: заметка.txt")
        # "Вставить в редактор" from the viewer's pop-up menu.
        d.open_menu(x + 450, y + 200, ("Down", "Down", "Down", "Down", "Return"), button=3)
        d.wait_no_window("^Навигатор Quillet Studio - Текст")
        self.save_as(e, "out.txt")
        e.wait_file("out.txt", text)

    def test_picture_browser_shows_the_picture_and_inserts_its_full_path(self):
        jpeg = subprocess.run(["convert", "-size", "40x30", "xc:red", "jpg:-"], stdout=subprocess.PIPE,
                              check=True).stdout
        e = self.start(files={"фото.jpg": jpeg, "note.txt": b"x"})
        d = self.desktop
        e.click_text()
        self.open_menu(e, "Сервис", "Down", "Down", "Down", "Down", "Down", "Return")
        browser = d.wait_window(PICTURES)
        x, y, w, h = d.geometry(browser)
        d.click(x + 8 + 8 + 50, y + FORM_MENU_BAR + 4 + 220 + 8)
        wait_for("the picture shown", lambda: "фото.jpg" in d.window_name(browser))
        # "Вставить полный путь картинки" from the picture's pop-up menu.
        d.open_menu(x + 266 + 8 + 20, y + FORM_MENU_BAR + 4 + 36 + 20, ("Down", "Down", "Down", "Down", "Return"),
                    button=3)
        d.wait_no_window("^Навигатор Quillet Studio - Изображения")
        self.save_as(e, "page.txt")
        e.wait_file("page.txt", e.path("фото.jpg").encode("cp1251"))

    def test_picture_browser_shows_windows_metafiles_at_their_size(self):
        blue, red = (0, 0, 255), (255, 0, 0)
        e = self.start(files={"draw.emf": make_emf(160, 100, blue, red), "draw.wmf": make_wmf(120, 90, red, blue)})
        d = self.desktop
        e.click_text()
        self.open_menu(e, "Сервис", "Down", "Down", "Down", "Down", "Down", "Return")
        browser = d.wait_window(PICTURES)
        x, y, w, h = d.geometry(browser)

        def halves(width, height, left, right):
            """Whether the preview (at its top-left in the picture box) shows
            a width x height picture: left half `left`, right half `right`,
            white past it."""
            shot = os.path.join(e.root, "browser.ppm")
            d.run("import", "-window", str(browser), "-depth", "8", "ppm:" + shot)
            sw, sh, rgb = read_ppm(shot)
            # The picture box: group box at (266, 4) below the menu bar, image at (8, 36) in it.
            ox, oy = 266 + 8, FORM_MENU_BAR + 4 + 36

            def at(px, py):
                i = ((oy + py) * sw + ox + px) * 3
                return tuple(rgb[i:i + 3])
            probes = [(width // 4, height // 2, left), (width * 3 // 4, height // 2, right),
                      (width // 4, height - 3, left), (width - 3, 2, right),
                      (width + 4, height // 2, (255, 255, 255)), (width // 2 - 8, height + 4, (255, 255, 255))]
            return all(max(abs(a - b) for a, b in zip(at(px, py), want)) < 24 for px, py, want in probes)

        # The first file of the list, then the second (13 pixels lower).
        d.click(x + 8 + 8 + 50, y + FORM_MENU_BAR + 4 + 220 + 8)
        wait_for("the EMF shown", lambda: "draw.emf" in d.window_name(browser))
        wait_for("the EMF's pixels", lambda: halves(160, 100, blue, red))
        d.click(x + 8 + 8 + 50, y + FORM_MENU_BAR + 4 + 220 + 8 + 13)
        wait_for("the WMF shown", lambda: "draw.wmf" in d.window_name(browser))
        wait_for("the WMF's pixels", lambda: halves(120, 90, red, blue))
        self.assertEqual(d.windows("^Brindel Quillet Studio$"), [], "no message box")
        self.assertTrue(e.running(), e.stderr())

    def test_script_library_lists_the_shipped_scripts_and_inserts_one(self):
        e = self.start()
        d = self.desktop
        e.click_text()
        # Теги > Мастера Quillet Studio > Мастер вставки скриптов... (the last).
        self.open_menu(e, "Теги", "Down", "Down", "Down", "Down", "Right", "Up", "Return")
        library = d.wait_window(SCRIPTS)
        x, y, w, h = d.geometry(library)
        # The first script of the list, then "Вставить в документ".
        d.click(x + 8 + 436 + 60, y + 108 + 44 + 8)
        wait_for("a script loaded", lambda: "Scrivane - " in d.window_name(library))
        name = d.window_name(library).split("Scrivane - ", 1)[1]
        shipped = sorted(n for n in os.listdir(os.path.join(e.prog, "Скрипты")) if n.endswith((".js", ".jsl")))
        self.assertGreaterEqual(len(shipped), 10)
        self.assertIn(name, shipped)
        d.click(x + 8 + 8 + 70, y + 476 + 18 + 12)
        d.wait_no_window("Scrivane")
        self.save_as(e, "page.txt")
        with open(os.path.join(e.prog, "Скрипты", name), "rb") as f:
            script = f.read()
        e.wait_file("page.txt", script)
        self.assertTrue(script.startswith(b'<SCRIPT language="JavaScript">\r\n'))


if __name__ == "__main__":
    unittest.main()

"""The insert commands that ask first, in the real program: each menu item
opens its open, font or colour dialog (or its prompts and boxes), and what
the dialogs answer goes into the document; a cancel leaves it as it was.
Also the new-page wizard's page, the colour converter's boxes and the
advertisement window."""

import os
import unittest

from desktop import COLOR_DIALOG, DesktopTest, TITLE

PICTURE = "Теги > Объекты > Рисунок ( с полным именем - C:\\images\\pic.jpg)"
BACKGROUND = "Теги > Объекты > Фоновой рисунок <BODY BACKGROUND>"
FULL_NAME = "Вставить > Вставить картинку с... > полным именем картинки (C:\\images\\pic.jpg)"
SHORT_NAME = "Вставить > Вставить картинку с... > с именем самой картинки (pic.jpg)"
PAGE_LINK = "Теги > Ссылки > Ссылка на другой документ"
FONT_FACE = "Вставить > Шрифт > Имя шрифта"
FONT_COLOR = "Вставить > Шрифт > Цвет шрифта"
BASE_FONT = "Теги > Шрифт > Задать размер шрифта по умолчанию..."
COMPACT = "Вставить > \"Компактная\" ссылка..."
COMPACT_BOX = "^\"Компактная\" ссылка$"
BODY = "Теги > Мастера Quillet Studio > Мастер создания красочной странички..."
NEW_PAGE = "Файл > Создать при помощи Мастера..."
HEX = "Вставить > Цвет > HEX to COLOR"
ADVERT = "Brindel Ostrelle > Чего-то не хватает?"


class DialogTagsTest(DesktopTest):
    def back(self, window):
        """A window again, once a dialog or box of its own has closed."""
        self.desktop.focus(window)

    def test_file_commands_insert_the_picked_file(self):
        e = self.start(files={"pic.jpg": b"\xff\xd8\xff", "page.htm": b"<p>"})
        d = self.desktop
        pic, page = e.path("pic.jpg"), e.path("page.htm")
        # "|" typed after the command shows where the caret ended.
        for item, picked, inserted in (
                (PICTURE, pic, '<IMG src="%s" height=высота width=ширина>|' % pic),
                (BACKGROUND, pic, '<BODY BACKGROUND="%s">|' % pic),
                (FULL_NAME, pic, '<IMG src="file://%s">|' % pic),
                (SHORT_NAME, pic, '<IMG src="pic.jpg|">'),
                (PAGE_LINK, page, "<A HREF=page.htm>ссылка на page.htm</A>|")):
            with self.subTest(item):
                e.clear()
                e.menu(item)
                d.file_dialog(picked)
                d.type("|")
                e.wait_text(inserted)
        # A cancelled dialog inserts nothing.
        e.clear()
        d.type("x")
        e.menu(PICTURE)
        d.file_dialog(None)
        d.type("y")
        e.wait_text("xy")
        self.assertTrue(e.running(), e.stderr())

    def test_font_and_colour_dialogs_give_their_choice(self):
        e = self.start()
        d = self.desktop
        e.click_text()
        e.menu(FONT_FACE)
        d.font_dialog("Liberation Serif", "14")
        e.wait_text('<font face="Liberation Serif"> </font>')
        e.clear()
        e.menu(FONT_COLOR)
        d.color_dialog("#ff8000")
        e.wait_text('<font color="#FF8000"> </font>')
        # The font dialog opens on the last choice.
        e.clear()
        e.menu(BASE_FONT)
        d.font_dialog("")
        e.wait_text('<BASEFONT size="14">')
        e.clear()
        d.type("x")
        e.menu(FONT_COLOR)
        d.color_dialog(None)
        d.type("y")
        e.wait_text("xy")
        self.assertTrue(e.running(), e.stderr())

    def test_compact_link_takes_three_answers_and_a_cancel_ends_it(self):
        e = self.start()
        d = self.desktop
        e.click_text()
        e.menu(COMPACT)
        d.input_box(COMPACT_BOX, "http://a.ru")
        d.input_box(COMPACT_BOX, "Our site")
        d.input_box(COMPACT_BOX, "_top")
        e.wait_text('<a href = "http://a.ru" target="_top" title="Ссылка на http://a.ru">Our site</a>')
        for cancelled in range(3):
            with self.subTest(cancelled=cancelled):
                e.clear()
                d.type("x")
                e.menu(COMPACT)
                for box in range(cancelled):
                    d.input_box(COMPACT_BOX, "http://b.ru")
                d.input_box(COMPACT_BOX, None)
                self.assertEqual(d.windows(COMPACT_BOX), [])
                e.wait_text("x")

    def test_body_wizard_asks_five_colours_in_turn(self):
        e = self.start()
        d = self.desktop
        e.click_text()
        e.menu(BODY)
        # Background, text (cancelled), links (the dialog still on the
        # background's colour), pressed links, visited links.
        for step, code in enumerate(("#112233", None, "", "#778899", "#aabbcc"), 1):
            d.answer_box("^Шаг %d из 5$" % step)
            d.color_dialog(code)
        d.answer_box("^Готово!$")
        e.wait_text('<body bgcolor="#112233" text="" link="#112233" vlink="#AABBCC" alink="#778899">')
        self.assertTrue(e.running(), e.stderr())

    def test_new_page_wizard_makes_an_untitled_page(self):
        e = self.start("old.html", files={"old.html": b"<p>old</p>"})
        e.wait_caption("old.html" + TITLE)
        d = self.desktop
        e.menu(NEW_PAGE)
        wizard = d.wait_window("^Brindel Quillet Studio - VivOriror$")
        d.focus(wizard)
        # Without the keywords the wizard stays.
        for text in ("Title", "About", "Me"):
            d.type(text)
            d.keys("Tab")
        d.click_in(wizard, 68, 392)  # "Создать!"
        d.answer_box()
        self.back(wizard)
        d.click_in(wizard, 130, 190)  # the keywords
        d.type("words")
        d.click_in(wizard, 68, 268)  # "Определить"
        d.color_dialog("#102030")
        self.back(wizard)
        d.click_in(wizard, 68, 392)
        d.wait_no_window("VivOriror")
        e.wait_caption("Новая веб-страница" + TITLE)
        # Saving asks for a name: the old file keeps its text.
        d.focus(e.main)
        d.keys("ctrl+s")
        d.file_dialog(e.path("new.html"))
        e.wait_file("new.html", "\r\n".join((
            '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 TRANSITIONAL//RU">', "<html>", " <head>",
            " <title>Title</title>", '<meta name="generator" content="Velmora">',
            '<meta name="description" content="About">', '<meta name="author" content="Me">',
            '<meta name="keywords" content="words">', " </head> ", '  <body bgcolor="#102030">', "  </body>",
            "</html>")).encode("cp1251"))
        e.wait_caption("new.html" + TITLE)
        # Read once the program has ended: nothing can write to it after.
        e.close()
        self.assertEqual(e.read("old.html"), b"<p>old</p>")

    def test_colour_converter_shows_the_code_or_the_conversion_error(self):
        e = self.start()
        d = self.desktop
        e.menu(HEX)
        converter = d.wait_window("^HEX to COLOR$")
        d.focus(converter)
        d.type("#FFFF00")
        d.keys("Return")  # "Высчитать"
        d.color_dialog("")
        d.answer_box()  # the colour's number
        # A code that is no number: the error box, no colour dialog.
        self.back(converter)
        d.click_in(converter, 192, 80)  # "Очистить"
        d.type("#GG0000")
        d.click_in(converter, 64, 80)  # "Высчитать"
        d.answer_box()
        self.assertEqual(d.windows(COLOR_DIALOG), [])
        d.close_window(converter)
        d.wait_no_window("^HEX to COLOR$")
        self.assertTrue(e.running(), e.stderr())

    def test_advertisement_window_shows_its_picture(self):
        e = self.start()
        d = self.desktop
        e.menu(ADVERT)
        caption = "^Испробуйте в работе Brindel Ostrelle 3 - релиз 10.09.2008$"
        advert = d.wait_window(caption)
        self.assertEqual(d.geometry(advert)[2:], (791, 599))
        shot = os.path.join(e.root, "advert.png")
        d.run("import", "-window", str(advert), shot)
        colours = d.run("convert", shot, "-scale", "8x8!", "-depth", "8", "txt:-").decode()
        # The picture, not a white window: no cell of an 8 x 8 scale is white.
        self.assertNotIn("#FFFFFF", colours.upper())
        d.close_window(advert)
        d.wait_no_window(caption)
        self.assertTrue(e.running(), e.stderr())


if __name__ == "__main__":
    unittest.main()

"""The tag wizards in the real program: each opens from its menu item, takes
its fields from the mouse and keys (and its file and colour dialogs), and
inserts its tag; the hyperlink wizard's saved addresses outlive the run."""

import os
import re
import unittest

from desktop import DesktopTest, wait_for

WIZARDS = "Теги > Мастера Quillet Studio > "


class TagWizardsTest(DesktopTest):
    def wizard(self, e, item, caption):
        e.menu(WIZARDS + item)
        wizard = self.desktop.wait_window("^%s$" % re.escape(caption))
        self.desktop.focus(wizard)
        return wizard

    def test_each_wizard_inserts_its_tag(self):
        e = self.start(files={"song.mp3": b"ID3", "pic.jpg": b"\xff\xd8\xff"})
        d = self.desktop
        song, pic = e.path("song.mp3"), e.path("pic.jpg")

        def heading(w):
            d.click_in(w, 88, 36)  # "H2"
            d.click_in(w, 180, 148)  # the text
            d.type("Head")
            d.click_in(w, 60, 212)  # "Вставить"

        def redirect(w):
            d.click_in(w, 56, 96)  # "Вставить", on the fields' first texts

        def back(w):
            # The wizard again, once a dialog of its own has closed.
            d.focus(w)

        def rule(w):
            d.click_in(w, 16, 104)  # "Без отброски тени"
            d.click_in(w, 148, 74)  # the colour field
            d.color_dialog("#00ff00")
            back(w)
            d.click_in(w, 232, 74)  # "c!": the code to the clipboard
            d.wait_clipboard("#00FF00")
            d.click_in(w, 64, 140)

        def sound(w):
            d.click_in(w, 170, 74)  # "Повторять музыку бесконечно"
            d.click_in(w, 340, 18)  # "..."
            d.file_dialog(song)
            back(w)
            d.click_in(w, 60, 128)

        def picture_link(w):
            d.keys("Return")  # "Далее >>", then the picture
            d.file_dialog(pic)

        def text_block(w):
            d.click_in(w, 228, 348)  # "Очистить всё" empties the text
            d.type("Text")
            d.click_in(w, 108, 50)  # "Выбрать..." a colour
            d.color_dialog("#0000ff")
            back(w)
            d.click_in(w, 76, 348)

        for item, caption, fill, inserted in (
                ("Мастер быстрого создания заголовков", "Мастер создания заголовков", heading,
                 "<H2 ALIGN=LEFT>Head</H2>"),
                ("Мастер создания активной гиперссылки", "Активная ссылка", redirect,
                 '<meta http-equiv="refresh" content=5;url=http://>'),
                ("Мастер создания горизонтальной черты", "Горизонтальная черта", rule,
                 '<HR width="" size="" color="#00FF00" noshade>'),
                ("Мастер вставки музыки...", "Мастер вставки музыки...", sound,
                 '<BGSOUND SRC="file://%s" LOOP=INFINITE>' % song),
                ("Мастер создания ссылки-картинки", "Мастер создания ссылки-картинки", picture_link,
                 '<A HREF=http://> <IMG SRC="file://%s" BORDER=0> </A>' % pic),
                ("Мастер создания текстового блока", "Мастер стилей шрифта", text_block,
                 re.compile(r'<FONT SIZE=1 FACE="[^"]+" COLOR="#0000FF"> Text </FONT>$'))):
            with self.subTest(caption):
                e.clear()
                d.type("[]")
                d.keys("Left")
                fill(self.wizard(e, item, caption))
                d.wait_no_window("^%s$" % re.escape(caption))
                e.click_text()
                d.keys("ctrl+a", "ctrl+c")
                if isinstance(inserted, str):
                    d.wait_clipboard("[%s]" % inserted)
                else:
                    text = wait_for("the text block", lambda: (d.clipboard() or "").startswith("[<FONT") and
                                    d.clipboard())
                    self.assertRegex(text[1:-1], inserted)
                    self.assertTrue(text.endswith("]"), text)
        self.assertTrue(e.running(), e.stderr())

    def test_hyperlink_wizard_keeps_its_saved_addresses_across_runs(self):
        e = self.start()
        d = self.desktop
        caption = "Мастер создания гиперссылки"
        w = self.wizard(e, caption, caption)
        d.click_in(w, 240, 34)  # the address
        d.type("example.org")
        d.click_in(w, 190, 78)  # the link text
        d.type("Example")
        d.click_in(w, 190, 146)  # the first saved address
        d.type("saved.example.org")
        d.click_in(w, 64, 248)  # "Вставить"
        d.wait_no_window("^%s$" % caption)
        e.wait_text("<A HREF=http://example.org>Example</A>")
        ini = os.path.join(e.prog, "velmoraset.ini")
        wait_for("the saved addresses", lambda: os.path.exists(ini))
        with open(ini, "rb") as f:
            saved = f.read()
        self.assertIn(b"mem-one=saved.example.org", saved)
        e.kill()

        # The next run reads them: a double click puts one in the address.
        again = self.start(program_files={"velmoraset.ini": saved})
        w = self.wizard(again, caption, caption)
        d.xdo("mousemove", *map(str, self.point(w, 190, 146)), "click", "--repeat", "2", "1")
        d.click_in(w, 190, 78)
        d.type("Saved")
        d.click_in(w, 64, 248)
        d.wait_no_window("^%s$" % caption)
        again.wait_text("<A HREF=http://saved.example.org>Saved</A>")
        self.assertTrue(again.running(), again.stderr())

    def point(self, wid, x, y):
        wx, wy, w, h = self.desktop.geometry(wid)
        return wx + x, wy + y


if __name__ == "__main__":
    unittest.main()

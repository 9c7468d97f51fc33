"""Documents in the real program: save dialogs, bookmarks across Open,
printing to a PDF file, the web engine, closing."""

import os
import pwd
import subprocess
import time
import unittest

from desktop import DesktopTest, TITLE, wait_for


def run_pdftotext(path):
    r = subprocess.run(["pdftotext", "-enc", "UTF-8", path, "-"], stdout=subprocess.PIPE,
                       stderr=subprocess.DEVNULL, timeout=20)
    return r.stdout.decode("utf-8", "replace") if r.returncode == 0 else ""


class DocumentsTest(DesktopTest):
    def file_dialog(self, e, path):
        self.desktop.file_dialog(path)

    def answer_box(self, caption="^Brindel Quillet Studio$", key="Return"):
        self.desktop.answer_box(caption, key, timeout=30)

    def test_another_document_goes_in_whole_and_one_undo_takes_it_out(self):
        e = self.start()
        d = self.desktop
        e.write("other.txt", b"a\0b\r\nc\nd\re")
        e.click_text()
        d.type("[]")
        d.keys("Left")
        e.menu("Правка > Вставить данные > Другой документ...", unlit=("Вырезать", "Копировать", "Вставить"))
        self.file_dialog(e, e.path("other.txt"))
        # The NUL kept; every line end a CR LF.
        d.keys("ctrl+s")
        self.file_dialog(e, e.path("out.html"))
        e.wait_file("out.html", b"[a\0b\r\nc\r\nd\r\ne]")
        d.keys("ctrl+z", "ctrl+s")
        e.wait_file("out.html", b"[]")
        self.assertTrue(e.running(), e.stderr())

    def test_opening_a_pipe_is_refused_at_once_and_the_program_goes_on(self):
        e = self.start()
        d = self.desktop
        pipe = e.path("pipe.html")
        os.mkfifo(pipe)
        e.click_text()
        d.keys("ctrl+o")
        self.file_dialog(e, pipe)
        # Nothing writes to the pipe: a program that waited for it would
        # never show the box.
        self.answer_box()
        e.click_text()
        d.type("<p>still here</p>")
        d.keys("ctrl+s")
        self.file_dialog(e, e.path("after.html"))
        e.wait_file("after.html", b"<p>still here</p>")
        self.assertTrue(e.running(), e.stderr())

    def test_a_name_without_extension_takes_the_filters_extension(self):
        e = self.start()
        e.click_text()
        self.desktop.type("<p>noext</p>")
        # Save As proposes its first filter, text files: the name gets ".txt".
        self.desktop.keys("ctrl+s")
        self.file_dialog(e, e.path("noext"))
        e.wait_caption("noext.txt" + TITLE)
        e.wait_file("noext.txt", b"<p>noext</p>")
        self.assertFalse(os.path.exists(e.path("noext.rtf")))
        self.assertFalse(os.path.exists(e.path("noext")))

    def test_the_overwrite_prompt_is_russian_and_cancel_keeps_the_file(self):
        e = self.start(files={"taken.txt": b"old"})
        e.click_text()
        self.desktop.type("new")
        self.desktop.keys("ctrl+s")
        self.file_dialog(e, e.path("taken.txt"))
        # The toolkit's confirmation: "Подтверждение" with Да, Нет, Отмена.
        self.answer_box("^Подтверждение$", key="Escape")
        e.wait_caption("Новый файл" + TITLE)
        # The text read back by keys: the program has ended the save command
        # before it took them, so the file is read after any write it made.
        e.wait_text("new")
        self.assertEqual(e.read("taken.txt"), b"old")

    def test_bookmarks_stay_with_their_document(self):
        lines = b"\r\n".join(b"line %d" % i for i in range(1, 11))
        e = self.start()
        first = e.write("first.txt", lines)
        second = e.write("second.txt", lines)
        d = self.desktop
        # Bookmark 1 on line 5 of the first document, then the second opens.
        d.keys("ctrl+o")
        self.file_dialog(e, first)
        e.wait_caption("first.txt" + TITLE)
        e.click_text()
        d.keys("Down", "Down", "Down", "Down", "ctrl+shift+1", "ctrl+Home")
        d.keys("ctrl+1", "Home")
        d.type("*")  # the bookmark works in its own document
        d.keys("ctrl+s")
        e.wait_file("first.txt", lines.replace(b"line 5", b"*line 5"))
        d.keys("ctrl+o")
        self.file_dialog(e, second)
        e.wait_caption("second.txt" + TITLE)
        # Ctrl+1 has nowhere to go: the caret stays at the start.
        d.keys("ctrl+1")
        d.type("#")
        d.keys("ctrl+s")
        e.wait_file("second.txt", b"#" + lines)

    def test_print_to_a_pdf_file_without_printers(self):
        e = self.start("print.txt", files={"print.txt": "Printed line\r\nВторая строка".encode("cp1251")})
        e.wait_caption("print.txt" + TITLE)
        d = self.desktop
        # The print dialog offers printing to a PDF file; Enter prints.
        d.keys("ctrl+alt+t")
        self.answer_box("^Печать$")
        pdf = os.path.join(e.home, "print.pdf")
        text = wait_for("the printed PDF", lambda: os.path.exists(pdf) and run_pdftotext(pdf), timeout=20)
        self.assertIn("Printed line", text)
        self.assertIn("Вторая строка", text)
        self.assertTrue(e.running())

    def web_engine_keeps_the_text(self, user=None):
        e = self.start(user=user)
        e.click_text()
        d = self.desktop
        d.type("unsaved text")
        # Printing the web page starts the engine; with no page it says so in
        # an error box and the program, with its text, goes on.
        d.keys("ctrl+alt+w")
        self.answer_box()
        self.assertTrue(e.running(), e.stderr())
        d.focus(e.main)
        d.keys("ctrl+s")
        self.file_dialog(e, e.path("kept.txt"))
        e.wait_file("kept.txt", b"unsaved text")
        self.assertTrue(e.running())

    def test_web_engine_as_root(self):
        if os.geteuid() != 0:
            self.skipTest("needs root")
        self.web_engine_keeps_the_text()

    def test_web_engine_as_an_ordinary_user(self):
        if os.geteuid() != 0:
            self.web_engine_keeps_the_text()
            return
        try:
            pwd.getpwnam("nobody")
        except KeyError:
            self.skipTest("no ordinary user to run as")
        self.web_engine_keeps_the_text(user="nobody")

    def test_closing_ends_the_program_promptly(self):
        # By the Exit key and by the window's close button.
        for how in ("F12", "close button"):
            e = self.start()
            e.click_text()
            d = self.desktop
            start = time.monotonic()
            if how == "F12":
                d.keys("F12")
            else:
                d.close_window(e.main)
            d.wait_no_window(TITLE + "$")
            gone = time.monotonic()
            e.proc.wait(10)
            self.assertEqual(e.proc.returncode, 0, how)
            self.assertLess(time.monotonic() - gone, 0.6, how + ": the process outlived its window")
            self.assertLess(gone - start, 2.0, how)

if __name__ == "__main__":
    unittest.main()

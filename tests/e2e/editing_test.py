"""The editor's own keys, its mouse wheel and the desktop clipboard, in the real program."""

import re
import unittest

from desktop import DesktopTest, TITLE, wait_for

CYRILLIC = "Привет, мир"


class EditingTest(DesktopTest):
    def save_as(self, editor, name):
        """Ctrl+S on an untitled document: the save dialog, the name typed, Enter."""
        editor.desktop.keys("ctrl+s")
        dialog = editor.desktop.wait_window("^Save As$|^Сохранить как$|Сохранить")
        editor.desktop.focus(dialog)
        editor.desktop.keys("ctrl+a")
        editor.desktop.type(editor.path(name))
        editor.desktop.keys("Return")
        editor.wait_caption(name + TITLE)

    def test_copy_cut_and_paste_keys_with_another_program(self):
        d = self.desktop
        e = self.start()
        d.set_clipboard("old")
        e.click_text()
        d.type("hello world")
        d.keys("shift+Home", "ctrl+c")
        d.wait_clipboard("hello world")
        # Ctrl+X takes the word away, Ctrl+V brings it back twice.
        d.keys("End", "ctrl+shift+Left", "ctrl+x")
        d.wait_clipboard("world")
        d.paste()
        d.paste()
        # Another program's text, Latin and Cyrillic, comes in by Ctrl+V.
        d.set_clipboard(" " + CYRILLIC)
        d.paste()
        d.keys("Return")
        # and goes out again, Cyrillic included, by Ctrl+C.
        d.keys("Up", "End", "shift+Home", "ctrl+c")
        d.wait_clipboard("hello worldworld " + CYRILLIC)
        d.keys("ctrl+End")
        d.set_clipboard("xyz")
        d.paste()
        self.save_as(e, "keys.txt")
        e.wait_file("keys.txt", ("hello worldworld " + CYRILLIC + "\r\nxyz").encode("cp1251"))

    def top_line(self, editor):
        """The number of the line at the top of the text: the caret taken
        there (Ctrl+PageUp), the line copied."""
        d = self.desktop
        d.set_clipboard("-")
        d.keys("ctrl+Prior", "Home", "shift+End", "ctrl+c")
        found = wait_for("a line on the clipboard", lambda: re.fullmatch(r"line (\d+)", d.clipboard() or ""))
        return int(found.group(1))

    def test_a_burst_of_wheel_notches_scrolls_as_far_as_single_notches(self):
        d = self.desktop
        text = "\r\n".join("line %03d" % n for n in range(1, 301))
        e = self.start("lines.txt", files={"lines.txt": text.encode()})
        e.click_text()
        # Notches a tenth of a second apart, each on its own.
        d.xdo("click", "--repeat", "10", "--delay", "100", "5")
        single = self.top_line(e)
        per_notch = (single - 1) // 10
        self.assertGreater(per_notch, 0)
        self.assertEqual(single, 1 + 10 * per_notch)
        # The same notches at once.
        d.keys("ctrl+Home")
        d.xdo("click", "--repeat", "10", "--delay", "0", "5")
        self.assertEqual(self.top_line(e), single)
        # Past the end and back: the notches back count from the last page.
        d.keys("ctrl+End")
        last = self.top_line(e)
        self.assertGreater(last, 5 * per_notch)
        d.keys("ctrl+Home")
        d.xdo("click", "--repeat", "200", "--delay", "0", "5", "click", "--repeat", "5", "--delay", "0", "4")
        self.assertEqual(self.top_line(e), last - 5 * per_notch)
        d.xdo("click", "--repeat", "250", "--delay", "0", "4")
        self.assertEqual(self.top_line(e), 1)

    def test_column_copy_paste_and_alt_drag(self):
        d = self.desktop
        e = self.start()
        e.click_text()
        d.type("abcdef\nabcdef\nabcdef")
        # Alt+drag from the second column of line 1 into line 3 selects a column.
        d.drag((e.text_x + 12, e.text_y + 5), (e.text_x + 36, e.text_y + 35), modifier="alt")
        d.keys("ctrl+c")

        def column():
            rows = (d.clipboard() or "").split("\r\n")
            return len(rows) == 3 and len(set(rows)) == 1 and 0 < len(rows[0]) < 6 and rows
        from desktop import wait_for
        rows = wait_for("a column block on the clipboard", column)
        # The block pastes back as a column at the end of the text.
        d.keys("ctrl+End", "Return")
        d.paste()
        self.save_as(e, "column.txt")
        block = rows[0]
        e.wait_file("column.txt", ("abcdef\r\nabcdef\r\nabcdef\r\n" + "\r\n".join([block] * 3)).encode("cp1251"))

    def test_whole_text_commands_in_column_mode(self):
        d = self.desktop
        e = self.start()
        e.click_text()
        d.type("one\ntwo\nthree\n")
        d.set_clipboard("old")
        # Column mode on, then select all and copy all: the whole text, reported once.
        d.keys("ctrl+shift+c", "ctrl+a", "ctrl+Insert")
        box = d.wait_window("^Brindel Quillet Studio$")  # the information box
        d.wait_clipboard("one\r\ntwo\r\nthree\r\n")
        d.focus(box)
        d.keys("Return")
        # Cut all leaves nothing; Shift+Ins pastes it back over everything.
        d.focus(e.main)
        d.keys("ctrl+Delete")
        box = d.wait_window("^Brindel Quillet Studio$")
        d.focus(box)
        d.keys("Return")
        d.focus(e.main)
        d.set_clipboard("new\nline")
        d.paste("shift+Insert")
        self.save_as(e, "all.txt")
        e.wait_file("all.txt", b"new\r\nline")


if __name__ == "__main__":
    unittest.main()

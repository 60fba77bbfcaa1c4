#!/usr/bin/env python3
"""The translators' round trip: tools/lng2po and tools/po2lng.

Every language file in data/ (listed when the test runs, so new languages are
covered too) and a table of awkward files are exported, checked by gettext's
own msgfmt, compiled and read back through Python's gettext module (so the
entries are seen as a PO editor sees them, not through our own reader), and
imported again: the import must give back the very same bytes.

Usage: test_lng_po.py SOURCE_DIR [unittest options]
"""

import gettext
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE_DIR = None

IT = b'[Strings]\r\n0001="Ciao"\r\n0002="Vuoi uscire?"\r\n9998=""\r\n\r\n[FormMenu]\r\nCommand1.Caption="Esci"\r\n'


def tool(name):
    return os.path.join(SOURCE_DIR, "tools", name)


def run(*args, ok=True):
    done = subprocess.run(args, capture_output=True, text=True)
    if ok and done.returncode != 0:
        raise AssertionError(f"{' '.join(args)} failed:\n{done.stderr}")
    return done


class Workspace:
    """A folder holding Italiano.lng and the file under test."""

    def __init__(self, test, italian):
        self.dir = tempfile.TemporaryDirectory()
        test.addCleanup(self.dir.cleanup)
        self.write("Italiano.lng", italian)

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def write(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data)
        return self.path(name)

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()


class RoundTrip(unittest.TestCase):
    def export_checked(self, lng, po):
        """Exports, has msgfmt check the result (no warning either) and returns
        the compiled catalogue."""
        run(tool("lng2po"), lng, po)
        mo = po + ".mo"
        checked = run("msgfmt", "--check", "-o", mo, po, ok=False)
        self.assertEqual(checked.returncode, 0, checked.stderr)
        # A file name lng2po cannot tell the language of leaves Language empty.
        warnings = [w for w in checked.stderr.splitlines() if "header field 'Language'" not in w]
        self.assertEqual(warnings, [], po)
        with open(mo, "rb") as f:
            return gettext.GNUTranslations(f)

    def round_trip(self, ws, name, data):
        """Exports and imports `data`, expects the same bytes, and returns the
        catalogue and the .po text."""
        lng = ws.write(name, data)
        po = ws.path(name + ".po")
        catalogue = self.export_checked(lng, po)
        run(tool("po2lng"), po, ws.path("back.lng"))
        self.assertEqual(ws.read("back.lng"), data, f"{name} after export and import")
        # As a PO editor saves it: gettext's own writer wraps long strings.
        run("msgcat", "--width=40", "-o", ws.path("rewritten.po"), po)
        run(tool("po2lng"), ws.path("rewritten.po"), ws.path("back.lng"))
        self.assertEqual(ws.read("back.lng"), data, f"{name} rewritten by msgcat")
        with open(po, encoding="utf-8") as f:
            return catalogue, f.read()

    def test_every_shipped_language_file_comes_back_unchanged(self):
        files = sorted(glob.glob(os.path.join(SOURCE_DIR, "data", "*.lng")))
        self.assertIn("Italiano.lng", [os.path.basename(f) for f in files])
        with open(os.path.join(SOURCE_DIR, "data", "Italiano.lng"), "rb") as f:
            ws = Workspace(self, f.read())
        for path in files:
            name = os.path.basename(path)
            with self.subTest(name), open(path, "rb") as f:
                data = f.read()
                if name == "Italiano.lng":
                    # The template: every msgstr empty, so nothing compiles.
                    catalogue, po = self.round_trip(ws, name, data)
                    self.assertNotIn('msgstr "\\S', po)
                    self.assertEqual(catalogue.pgettext("Strings/0040", "Esatti"), "Esatti")
                else:
                    self.round_trip(ws, name, data)

    # name, Italiano.lng, the file, {context: (msgid, msgstr)} the catalogue holds
    CASES = [
        ("quotes, backslashes, tab, # and =", IT,
         b'[Strings]\r\n0001="Say "hi" \\ to C:\\n\tnow # not a comment = ok"\r\n'
         b'0002="\\"\r\n\r\n[FormMenu]\r\nCommand1.Caption="Quit"\r\n',
         {"Strings/0001": ("Ciao", 'Say "hi" \\ to C:\\n\tnow # not a comment = ok'),
          "Strings/0002": ("Vuoi uscire?", "\\")}),
        ("non-ASCII and right-to-left script", IT,
         '[Language]\r\nRightToLeft=1\r\n\r\n[Strings]\r\n0001="مرحبا \u200fبالعالم"\r\n'
         '0002="¿Salir? Ελληνικά 😀"\r\n\r\n[FormMenu]\r\nCommand1.Caption="יציאה"\r\n'.encode(),
         {"Strings/0001": ("Ciao", "مرحبا \u200fبالعالم"),
          "FormMenu/Command1.Caption": ("Esci", "יציאה")}),
        ("a key missing, a whole section missing, a key only here", IT,
         b'[Strings]\r\n0002="Quit?"\r\n0500="Extra"\r\n',
         {"Strings/0002": ("Vuoi uscire?", "Quit?"), "Strings/0500": ("Extra", "Extra")}),
        ("LF line ends and no line end at the end", IT.replace(b"\r\n", b"\n"),
         b'[Strings]\n0001="Hello"\n0002="Quit?"\n\n[FormMenu]\nCommand1.Caption="Quit"',
         {"FormMenu/Command1.Caption": ("Esci", "Quit")}),
        ("mixed and CR line ends, trailing lines", IT,
         b'[Strings]\r\n0001="Hello"\n0002="Quit?"\r\r\n[FormMenu]\r\nCommand1.Caption="Quit"\n\r\n;end\r\n\r\n',
         {"Strings/0002": ("Vuoi uscire?", "Quit?")}),
        ("comments above keys, apart and at the top", IT,
         b'; English texts\r\n;by A. Translator \r\n\r\n[Strings]\r\n; greeting\r\n;\r\n;  shown first\r\n'
         b'0001="Hello"\r\n;loose\r\n\r\n0002="Quit?"\r\n  ; indented\r\n[FormMenu]\r\nCommand1.Caption="Quit"\r\n',
         {"Strings/0001": ("Ciao", "Hello")}),
        ("empty texts, texts equal to the Italian, spelling and blanks", IT,
         b'[strings]\r\n0001=""\r\n  0002 = "Vuoi uscire?"  \r\n9998=""\r\n\r\n[FORMMENU]\r\n'
         b"command1.caption='Exit'\r\n",
         {"Strings/0002": ("Vuoi uscire?", "Vuoi uscire?"),
          "FormMenu/Command1.Caption": ("Esci", "Exit")}),
        ("lines the program never reads", IT,
         b'0001="before any section"\r\n[Strings]\r\n0001="Hello"\r\n0001="again"\r\nnot a key\r\n'
         b'0002=bare\r\n[FormMenu]\r\nCommand1.Caption="Quit"\r\n[strings]\r\n0002="repeated"\r\n',
         {"Strings/0001": ("Ciao", "Hello"), "FormMenu/Command1.Caption": ("Esci", "Quit")}),
        ("Windows-1252 with a byte that code page leaves undefined", IT,
         b'[Strings]\r\n0001="Caf\xe9 \x80 \x81"\r\n0002="Quit?"\r\n\r\n[FormMenu]\r\nCommand1.Caption="Quit"\r\n',
         {"Strings/0001": ("Ciao", "Café € \x81")}),
        ("a byte-order mark", IT,
         b'\xef\xbb\xbf[Strings]\r\n0001="Hello"\r\n0002="Quit?"\r\n',
         {"Strings/0001": ("Ciao", "Hello")}),
    ]

    def test_awkward_files_come_back_unchanged(self):
        for name, italian, data, expected in self.CASES:
            with self.subTest(name):
                ws = Workspace(self, italian)
                catalogue, po = self.round_trip(ws, "Test.lng", data)
                for context, (msgid, msgstr) in expected.items():
                    self.assertEqual(catalogue.pgettext(context, msgid), msgstr, context)

    def test_missing_keys_stay_out_until_translated(self):
        ws = Workspace(self, IT)
        ws.write("English.lng", b'[Strings]\r\n0002="Quit?"\r\n0500="Extra"\r\n')
        po = ws.path("English.po")
        catalogue = self.export_checked(ws.path("English.lng"), po)
        # Untranslated, so not compiled; the key only here has itself as source.
        self.assertEqual(catalogue.pgettext("Strings/0001", "Ciao"), "Ciao")
        self.assertEqual(catalogue.pgettext("Strings/0500", "Extra"), "Extra")
        with open(po, encoding="utf-8") as f:
            text = f.read()
        text = text.replace('msgctxt "Strings/0001"\nmsgid "Ciao"\nmsgstr ""',
                            'msgctxt "Strings/0001"\nmsgid "Ciao"\nmsgstr "Hello"')
        text = text.replace('msgctxt "FormMenu/Command1.Caption"\nmsgid "Esci"\nmsgstr ""',
                            '# the menu\'s exit\nmsgctxt "FormMenu/Command1.Caption"\nmsgid "Esci"\nmsgstr "Quit"')
        ws.write("edited.po", text.encode())
        run(tool("po2lng"), ws.path("edited.po"), ws.path("English.lng"))
        self.assertEqual(ws.read("English.lng"),
                         b'[Strings]\r\n0002="Quit?"\r\n0500="Extra"\r\n0001="Hello"\r\n'
                         b'\r\n[FormMenu]\r\n;the menu\'s exit\r\nCommand1.Caption="Quit"\r\n')

    def test_translator_edits_come_through_in_the_files_own_line_ends(self):
        for end in (b"\r\n", b"\n"):
            with self.subTest(end):
                ws = Workspace(self, IT)
                ws.write("English.lng", b'[Strings]\r\n; greeting\r\n0001="Hello"\r\n0002=""\r\n\r\n'
                         b'[FormMenu]\r\nCommand1.Caption="Quit"\r\n'.replace(b"\r\n", end))
                po = ws.path("English.po")
                run(tool("lng2po"), ws.path("English.lng"), po)
                with open(po, encoding="utf-8") as f:
                    text = f.read()
                text = text.replace('msgstr "Hello"', 'msgstr "Hi \\"you\\""').replace("greeting", "welcome")
                text = text.replace('msgstr "Quit"', 'msgstr ""')  # cleared: the Italian text is used
                text = text.replace('msgctxt "Strings/0002"', '# new note\nmsgctxt "Strings/0002"')
                ws.write("edited.po", text.encode())
                run(tool("po2lng"), ws.path("edited.po"), ws.path("English.lng"))
                self.assertEqual(ws.read("English.lng"),
                                 b'[Strings]\r\n; welcome\r\n0001="Hi "you""\r\n;new note\r\n0002=""\r\n\r\n'
                                 b'[FormMenu]\r\nCommand1.Caption="Esci"\r\n'.replace(b"\r\n", end))

        # A line break cannot stand in a language file's text.
        ws = Workspace(self, IT)
        ws.write("broken.po", text.replace('msgstr "Hi \\"you\\""', 'msgstr "two\\nlines"').encode())
        refused = run(tool("po2lng"), ws.path("broken.po"), ws.path("Other.lng"), ok=False)
        self.assertNotEqual(refused.returncode, 0)
        self.assertIn("Strings/0001", refused.stderr)
        self.assertFalse(os.path.exists(ws.path("Other.lng")))

    def test_windows_1252_file_takes_a_text_it_cannot_hold_in_utf8(self):
        ws = Workspace(self, IT)
        ws.write("Test.lng", b'[Strings]\r\n0001="Caf\xe9"\r\n')
        run(tool("lng2po"), ws.path("Test.lng"), ws.path("Test.po"))
        with open(ws.path("Test.po"), encoding="utf-8") as f:
            text = f.read().replace('msgstr "Café"', 'msgstr "Καφές"')
        ws.write("Test.po", text.encode())
        run(tool("po2lng"), ws.path("Test.po"), ws.path("Test.lng"))
        self.assertEqual(ws.read("Test.lng"), '[Strings]\r\n0001="Καφές"\r\n'.encode())

    def test_both_commands_explain_themselves(self):
        for name in ("lng2po", "po2lng"):
            with self.subTest(name):
                self.assertIn("usage:", run(tool(name), "--help").stdout)


if __name__ == "__main__":
    SOURCE_DIR = os.path.abspath(sys.argv.pop(1))
    if shutil.which("msgfmt") is None:
        sys.exit("test_lng_po: msgfmt not found (Debian package gettext)")
    unittest.main()

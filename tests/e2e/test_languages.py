"""The shipped language files: a stored language number picks its file, an
uninstalled one falls back to "uk", a missing units file to the "uk" units."""
import os

import harness


class ShippedLanguagesTest(harness.TarveloTestCase):
    def set_language(self, number):
        reg_dir = os.path.join(self.home, ".config", "kestrovia")
        os.makedirs(reg_dir, exist_ok=True)
        with open(os.path.join(reg_dir, "registry.reg"), "w") as f:
            f.write("Windows Registry Editor Version 5.00\r\n\r\n"
                    "[HKEY_CURRENT_USER\\Software\\Kestrovia\\Quorvane8]\r\n"
                    "\"Language\"=dword:%08x\r\n" % number)

    def test_language_number_selects_the_shipped_file(self):
        missing = os.path.join(self.tmp, "nope")
        for number, expected in [(0, "Folder not found"), (3, "Ordner nicht gefunden"),
                                 (10, "Folder not found"),  # "us" is not shipped
                                 (99, "Folder not found")]:
            with self.subTest(number=number):
                self.set_language(number)
                run = self.run_tarvelo(missing)
                self.assertEqual(run.code, 1, run.out + run.err)
                self.assertEqual(run.out, '  %s: "%s/".\n' % (expected, missing))

    def test_german_texts_with_uk_units_when_the_german_units_are_missing(self):
        binary = self.private_install()
        languages = os.path.join(os.path.dirname(binary), "data", "languages")
        os.remove(os.path.join(languages, "de", "units.txt"))
        with open(os.path.join(languages, "uk", "units.txt"), "w") as f:
            f.write("bytes\nKiB\nMiB\nGiB\nTiB\n")
        self.set_language(3)
        run = self.run_tarvelo(self.make_tree({"a.bin": b"x" * 2048}), binary=binary)
        self.assertEqual(run.code, 0, run.out + run.err)
        self.assertRegex(run.out, r"\n  Gesamtgröße: 2.00KiB\n")
        self.assertIn("\n  Dateien: 1\n", run.out)


if __name__ == "__main__":
    harness.main()

"""/updatescanhistory: the scan goes first into the scan history, in the
registry store by default and in scanhistory.dat in portable mode."""
import os
import re

import harness


class ScanHistoryTest(harness.TarveloTestCase):
    def registry_text(self):
        with open(os.path.join(self.home, ".config", "kestrovia", "registry.reg"), encoding="utf-8") as f:
            return f.read()

    def test_registry_mode_adds_each_scan_first(self):
        root = self.make_tree({"a.txt": "1"})
        other = self.make_tree({"b.txt": "1"}, root=os.path.join(self.tmp, "other"))
        plain = self.make_tree({"c.txt": "1"}, root=os.path.join(self.tmp, "plain"))
        run = self.run_tarvelo(plain, "/sqlite")
        self.assertEqual(run.code, 0, run.out)
        self.assertFalse(os.path.exists(os.path.join(self.home, ".config", "kestrovia", "registry.reg")),
                         "nothing is stored without /updatescanhistory")
        for folder in (root, other):
            run = self.run_tarvelo(folder, "/sqlite", "/updatescanhistory")
            self.assertEqual(run.code, 0, run.out)
            self.assertIn("Updating Quorvane Scan History...", run.out)
        text = self.registry_text()
        self.assertIn("[HKEY_CURRENT_USER\\Software\\kestrovia\\Quorvane8\\SinglePaths]", text)
        self.assertIn('"PathX0"="%s/"' % other, text)
        self.assertIn('"PathX1"="%s/"' % root, text)
        self.assertRegex(text, r'"PathY0"="\d{8}"')
        self.assertRegex(text, r'"PathZ0"="\d{4}"')
        self.assertIn('"PathE10"=""', text)
        self.assertNotIn('"PathX2"', text)

    def test_file_mode_keeps_one_hundred_entries_newest_first(self):
        binary = self.private_install()
        data = os.path.join(self.tmp, "data")
        with open(os.path.join(os.path.dirname(binary), "custom.ini"), "w") as f:
            f.write("[Main]\r\nPortableMode=1\r\nDataPath=%s\r\n" % data)
        os.makedirs(data)
        stored = "".join("/old%d/\r\n%s\r\n1200\r\n\r\n\r\n" % (i, "bad" if i == 0 else "20200101")
                         for i in range(100))
        history = os.path.join(data, "scanhistory.dat")
        with open(history, "w", newline="") as f:
            f.write(stored)
        root = self.make_tree({"a.txt": "1"})
        run = self.run_tarvelo(root, "/sqlite", "/updatescanhistory", binary=binary)
        self.assertEqual(run.code, 0, run.out)
        with open(history, "rb") as f:
            lines = f.read().decode().split("\r\n")
        self.assertEqual(lines[-1], "")
        lines = lines[:-1]
        self.assertEqual(len(lines), 500)
        self.assertEqual(lines[0], root + "/")
        self.assertRegex(lines[1], r"^\d{8}$")
        self.assertRegex(lines[2], r"^\d{4}$")
        self.assertEqual(lines[3:5], ["", ""])
        self.assertEqual(lines[5:7], ["/old0/", "19000101"], "a bad date is written back as 19000101")
        self.assertEqual(lines[495], "/old98/", "the oldest entry is dropped")
        self.assertEqual([n for n in os.listdir(data) if re.match(r"scanhistory\.dat.", n)], [])


if __name__ == "__main__":
    harness.main()

"""The folder to scan may itself carry any name Linux allows."""
import csv
import os

import harness


class ScanFolderNameTest(harness.TarveloTestCase):
    def test_markup_blanks_and_controls_in_the_scanned_folder_itself(self):
        for name in ["t<i>", "a>b", " lead and trail ", "tab\there", "x\x01y"]:
            with self.subTest(name=name):
                root = os.path.join(self.tmp, name)
                self.make_tree({"one.txt": "1", "sub/": {"two.txt": "22"}}, root=root)
                run = self.run_tarvelo(root, "/csv;" + os.path.join(self.tmp, "out.csv"), "/o")
                self.assertEqual(run.code, 0, run.out)
                with open(os.path.join(self.tmp, "out.csv"), encoding="utf-8", newline="") as f:
                    rows = list(csv.reader(f))
                # Title row, then the three entries of this tree and no other.
                self.assertEqual(sorted(r[0] for r in rows[1:]), ["one.txt", "sub", "two.txt"])


if __name__ == "__main__":
    harness.main()

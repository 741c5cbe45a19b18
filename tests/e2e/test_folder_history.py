"""The folder-history file: the scan path once, then a 73-line record per
classic database export."""
import os
import time

import harness
from db_support import computer_name, path_key


class FolderHistoryTest(harness.TarveloTestCase):
    def history_file(self, root):
        return os.path.join(self.home, "quorvane", "FolderHistory", computer_name(),
                            path_key(root + "/") + ".qvfh")

    def lines(self, file):
        with open(file, "rb") as f:
            data = f.read()
        self.assertTrue(data.endswith(b"\r\n"))
        return data[:-2].split(b"\r\n")

    def test_first_scan_writes_path_and_record_later_scans_append(self):
        root = self.make_tree({"a.txt": "12345", "b.mp3": "xy", "d/": {"c.txt": ""}})
        run = self.run_tarvelo(root, "/sqlite")
        self.assertEqual(run.code, 0, run.out)
        first = self.lines(self.history_file(root))
        self.assertEqual(len(first), 74)
        self.assertEqual(first[0], (root + "/").encode())
        self.assertEqual(first[1:3], [b"{", b"SYS:Tarvelo 2.0.6 32-bit"])
        self.assertEqual(first[5:8], [b"FIC:3", b"FIS:7", b"FOC:1"])
        self.assertEqual([l[:4] for l in first[29:31]] + [l[:4] for l in first[69:71]],
                         [b"X0A:", b"Y0A:", b"MAC:", b"MAS:"])
        self.assertEqual(first[-1], b"}")

        time.sleep(1.1)
        run = self.run_tarvelo(root, "/sqlite", "/noprocess")
        self.assertEqual(run.code, 0, run.out)
        both = self.lines(self.history_file(root))
        self.assertEqual(len(both), 147)
        self.assertEqual(both[:74], first)
        # Without the analysis the record's counts, sizes and slots are all 0.
        self.assertEqual({l.split(b":", 1)[1] for l in both[78:146]}, {b"0"})

    def test_unwritable_history_file_is_reported_and_fails_the_run(self):
        root = self.make_tree({"a.txt": "1"})
        os.makedirs(self.history_file(root))  # a folder in the file's place
        run = self.run_tarvelo(root, "/sqlite")
        self.assertEqual(run.code, 1)
        self.assertIn(' FolderHistoryFile "%s".' % self.history_file(root), run.out)


if __name__ == "__main__":
    harness.main()

"""The shipped extension lists put files into their categories and the
shipped temporary-file patterns mark what they should, and nothing else."""
import csv
import os

import harness


class DefaultExtensionsTest(harness.TarveloTestCase):
    def test_categories_and_temporary_files_of_a_small_tree(self):
        expected = {  # name: (category number, temporary)
            "tool.sh": (1, False), "libz.so": (2, False), "photo.JPG": (3, False),
            "clip.mkv": (4, False), "song.mp3": (5, False), "report.docx": (6, False),
            "main.cpp": (7, False), "logs.tar.gz": (8, False), "README": (9, False),
            "page.template": (9, False), "scratch.tmp": (9, True), "~$report.docx": (6, True),
            "x.pyc": (7, True),  # inside __pycache__
            "thumb.png": (3, True),  # inside .cache
        }
        tree = self.make_tree({
            **{name: "x" for name in expected if name not in ("x.pyc", "thumb.png")},
            "__pycache__/": {"x.pyc": "x"},
            ".cache/": {"thumb.png": "x"},
        })
        report = os.path.join(self.tmp, "list.csv")
        run = self.run_tarvelo(tree, "/csv;" + report, "/o")
        self.assertEqual(run.code, 0, run.out + run.err)
        with open(report, newline="", encoding="utf-8") as f:
            rows = list(csv.reader(f))[1:]
        found = {row[0]: (int(row[12]), row[18] == "1") for row in rows if row[12] != "99"}
        self.assertEqual(found, expected)


if __name__ == "__main__":
    harness.main()

"""The text report of real trees: sections, column widths, rule lines, footer."""
import datetime
import os
import re

import harness


def language_text(index):
    with open(os.path.join(harness.SOURCE, "data", "languages", "uk", "language.txt"),
              encoding="utf-8-sig") as f:
        return f.read().splitlines()[index]


RULE = 593
DASH = "-" * 66
# A statistics row: label to 25, count to 10, share to 8, size to 12, share to 8.
SHARE = r"(?:\d+%|<1%|<0\.1%|>99%)"
ROW = re.compile(r"^ .{24}[ \d]{9}\d[ ]*%s .{11}[ ]*%s$" % (SHARE, SHARE))


class TextReportTest(harness.TarveloTestCase):
    def write(self, tree, layout=""):
        out = os.path.join(self.tmp, "r.txt")
        run = self.run_tarvelo(tree, "/txt%s;%s" % ("{%s}" % layout if layout else "", out))
        self.assertEqual(run.code, 0, run.out + run.err)
        with open(out, "rb") as f:
            data = f.read()
        self.assertTrue(data.endswith(b"\r\n"))
        lines = data.decode("utf-8").split("\r\n")[:-1]
        self.assertFalse(any("\n" in l or "\r" in l for l in lines), "bare line break")
        return lines, run

    def footer_ok(self, lines):
        self.assertEqual(lines[-3:-1], ["", language_text(RULE)])
        self.assertRegex(lines[-1], r"^================ Tarvelo Text Report = .+ %d ==$"
                         % datetime.date.today().year)

    def test_all_sections_of_a_tree(self):
        tree = self.make_tree({
            "a.txt": "x" * 2000, "empty.txt": "", "new\nline.zzq": "abc",
            "sub/": {"b.doc": "y" * 5000}, "other/": {},
        })
        lines, run = self.write(tree)
        self.assertIn(" (Text): %s/r.txt\n" % self.tmp, run.out)
        rule = language_text(RULE)
        self.assertEqual(lines[:6], [rule, DASH, "-- Tarvelo " + "-" * 55, DASH, rule, ""])
        self.footer_ok(lines)
        # Statistics rows are 63 characters wide, their columns right-aligned.
        rows = [l for l in lines if ROW.match(l)]
        self.assertGreater(len(rows), 8 + 20 + 13)
        self.assertTrue(all(len(l) == 63 for l in rows), [l for l in rows if len(l) != 63])
        # Each section title sits between two rule lines, in layout order.
        titles = [language_text(i) for i in (604, 602, 606, 608, 609, 594, 598, 599, 596)]
        positions = [i for i, l in enumerate(lines) if l in titles and lines[i - 1] == rule
                     and lines[i + 1] == rule]
        self.assertEqual([lines[i] for i in positions], titles)
        # The empty file is listed; the name with a line break stays on one line.
        self.assertIn(os.path.join(tree, "empty.txt"), lines)
        self.assertTrue(any(l.endswith(os.path.join(tree, "new?line.zzq")) for l in lines))
        # Top-level folders: "sub" holds one file of 5000 bytes.
        sub = [l for l in rows if l.startswith(" sub ")]
        self.assertEqual(len(sub), 1)
        self.assertEqual(sub[0][25:35].strip(), "1")

    def test_empty_tree_writes_heads_and_endings_only(self):
        lines, _ = self.write(self.make_tree({}))
        rule = language_text(RULE)
        self.footer_ok(lines)
        self.assertIn(language_text(401), lines)
        self.assertFalse(any(ROW.match(l) for l in lines))
        # Owners: title, rule, header, rule, then straight to the closing rule.
        i = lines.index(language_text(596))
        self.assertEqual(lines[i - 1:i + 6], [rule, language_text(596), rule, language_text(597),
                                              rule, rule, ""])

    def test_layout_selects_sections(self):
        tree = self.make_tree({"a.txt": "x"})
        lines, _ = self.write(tree, "1000000000")
        self.assertEqual(len(lines), 6 + 3)
        lines, _ = self.write(tree, "0000000100")  # position 8 writes nothing
        self.assertEqual(len(lines), 3)


if __name__ == "__main__":
    harness.main()

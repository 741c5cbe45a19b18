"""Black-box tests of the HTML report: the page of a real tree as headless
Chromium parses it, its chart images, hostile file names, layouts and the
failures of an unwritable report."""
import glob
import html.parser
import os
import re
import shutil
import struct
import subprocess
import tempfile
import time
import unittest
import urllib.parse

import harness

CHROMIUM = shutil.which("chromium") or shutil.which("chromium-browser")
PNGCHECK = shutil.which("pngcheck")

# Every element and attribute the page's own markup uses; anything else in the
# parsed DOM came from a name.
PAGE_TAGS = {"html", "head", "title", "meta", "style", "body", "table", "tbody", "tr", "td",
             "a", "b", "i", "strong", "div", "img"}
PAGE_ATTRS = {"name", "content", "type", "leftmargin", "bgcolor", "text", "topmargin", "align",
              "width", "height", "border", "cellpadding", "cellspacing", "class", "href", "target",
              "rowspan", "colspan", "src", "class\"xcb\""}

HOSTILE = ["<script>alert(1).txt", "<img src=x onerror=alert(2)>.dat",
           "q\"uote's & amp;.txt", "hash#pct%20q?.bin", "sp ace.txt"]
HOSTILE_DIR = "<b onclick=\"x()\">dir&"


class Dom(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tags = []      # (tag, [(attr, value)])
        self.text = []

    def handle_starttag(self, tag, attrs):
        self.tags.append((tag, attrs))

    def handle_startendtag(self, tag, attrs):
        self.tags.append((tag, attrs))

    def handle_data(self, data):
        self.text.append(data)

    def attr_values(self, tag, attr):
        return [v for t, a in self.tags if t == tag for k, v in a if k == attr]

    @property
    def all_text(self):
        return "".join(self.text)


def parse(text):
    d = Dom()
    d.feed(text)
    d.close()
    return d


def read(path, mode="r"):
    if mode == "rb":
        with open(path, "rb") as f:
            return f.read()
    with open(path, encoding="utf-8", newline="") as f:
        return f.read()


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(26)
    assert head[:8] == b"\x89PNG\r\n\x1a\n" and head[12:16] == b"IHDR", path
    w, h = struct.unpack(">II", head[16:24])
    return w, h, head[24], head[25]


class HtmlReportTest(harness.TarveloTestCase):
    def chromium(self, *args):
        profile = tempfile.mkdtemp(prefix="chromium-", dir=self.tmp)
        cmd = [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
               "--disable-background-networking", "--disable-component-update", "--disable-sync",
               "--disable-quic", "--user-data-dir=" + profile, *args]
        proc = subprocess.run(cmd, capture_output=True, timeout=180, env=self.env())
        self.assertEqual(proc.returncode, 0, proc.stderr.decode("utf-8", "replace")[-2000:])
        return proc.stdout

    def report(self, tree, switch="/htm", name="r.htm", *extra):
        out = os.path.join(self.tmp, "out")
        os.makedirs(out, exist_ok=True)
        page = os.path.join(out, name)
        run = self.run_tarvelo(tree, switch + ";" + page, *extra)
        return run, page

    def check_png(self, path):
        self.assertTrue(os.path.isfile(path), path)
        if PNGCHECK:
            check = subprocess.run([PNGCHECK, "-q", path], capture_output=True)
            self.assertEqual(check.returncode, 0, check.stdout + check.stderr)

    def images_of(self, dom, page):
        """Every <img> of the page: its file exists and is a valid PNG."""
        srcs = dom.attr_values("img", "src")
        folder = os.path.dirname(page)
        for src in srcs:
            self.check_png(os.path.join(folder, src))
        return {re.sub(r"\d{14}\.png$", "", os.path.basename(s)): os.path.join(folder, s)
                for s in srcs}

    def sample_tree(self):
        return self.make_tree({
            "docs/": {"report.txt": "x" * 5000, "notes.md": "y" * 300, "empty.txt": ""},
            "media/": {"photo.jpg": b"\xff" * 120000, "song.mp3": b"\x01" * 40000},
            ".hidden/": {"secret.dat": "s" * 10},
            "src/": {"main.cc": "int main(){}", "deep/": {"x.h": "#pragma once"}},
            "readme": "top",
            "Grüße.txt": "umlaut",
        })

    @unittest.skipUnless(CHROMIUM, "chromium is not installed")
    def test_page_of_a_real_tree_shows_every_section_and_image(self):
        tree = self.sample_tree()
        run, page = self.report(tree)
        self.assertEqual(run.code, 0, run.out + run.err)
        self.assertIn("(HTML): " + page, run.out)
        raw = read(page, "rb")
        self.assertNotIn(b"\n", raw.replace(b"\r\n", b""), "every line ends in CR LF")

        dom = parse(self.chromium("--dump-dom", "file://" + page).decode("utf-8"))
        anchors = set(dom.attr_values("a", "name"))
        self.assertEqual(anchors, {"op2", "op3", "op4", "op5", "op6", "op7", "op8", "op9", "op10",
                                   "op14"})
        menu = dom.attr_values("a", "href")
        for target in ["#op2", "#op3", "#op4", "#op5", "#op6", "#op7", "#op7a", "#op8", "#op9",
                       "#op10"]:
            self.assertIn(target, menu)
        images = self.images_of(dom, page)
        self.assertEqual(set(images), {"dd", "cm1", "cm2", "cd0", "cd1", "xm0", "xm1", "fd"})
        # The default layout size 2.
        self.assertEqual(png_size(images["cm1"]), (470, 220, 8, 2))
        self.assertEqual(png_size(images["dd"])[:2], (392, 200))
        self.assertEqual(png_size(images["cd0"])[:2], (950, 400))
        self.assertEqual(png_size(images["xm1"])[:2], (470, 220))
        self.assertIn("debug", dom.attr_values("meta", "name"))

        text = dom.all_text
        self.assertIn(self.tree_path(tree), text)
        self.assertIn("Grüße.txt", text, "UTF-8 names read back as written")
        # The hidden top-level folder is shown in italics inside its link.
        self.assertIn(("i", []), dom.tags)
        self.assertIn(".hidden", dom.text)
        shot = os.path.join(self.tmp, "page.png")
        self.chromium("--screenshot=" + shot, "--window-size=1000,2400",
                      "--hide-scrollbars", "file://" + page)
        self.assertGreater(png_size(shot)[0], 0)
        keep = os.environ.get("TARVELO_HTML_SCREENSHOT")
        if keep:
            shutil.copy(shot, keep)
            shutil.copytree(os.path.dirname(page), keep + ".d", dirs_exist_ok=True)

    def tree_path(self, tree):
        return os.path.abspath(tree) + "/"

    @unittest.skipUnless(CHROMIUM, "chromium is not installed")
    def test_hostile_names_make_no_element_or_attribute(self):
        layout = {n: "data" for n in HOSTILE}
        layout[HOSTILE_DIR + "/"] = {n: "" for n in HOSTILE}
        layout[b"bad\xff\xfe.bin"] = "x"
        layout[b"new\nline\x1b[2J.txt"] = "y" * 2000
        # The scanned folder itself carries no "<" or ">": the finder reads those
        # as the start of the folder text.
        tree = self.make_tree(layout, root=os.path.join(self.tmp, "tree &\"#% 'x'"))
        run, page = self.report(tree)
        self.assertEqual(run.code, 0, run.out + run.err)
        for source in (read(page, "rb").decode("utf-8"),
                       self.chromium("--dump-dom", "file://" + page).decode("utf-8")):
            dom = parse(source)
            for tag, attrs in dom.tags:
                self.assertIn(tag, PAGE_TAGS)
                for name, value in attrs:
                    self.assertIn(name, PAGE_ATTRS, (tag, name, value))
                    if name == "href":
                        self.assertRegex(value, r"^(#op\d+a?|file:///[A-Za-z0-9%/._~-]*)$")
                    if name == "src":
                        self.assertRegex(value, r"^data/[a-z]+[0-9]\d*\.png$|^data/[a-z]+\d{14}\.png$")
            self.assertNotIn("script", [t for t, _ in dom.tags])
            self.assertIn(self.tree_path(tree), dom.all_text)
            # The link to the scanned folder is percent-encoded and leads back to it.
            link = "file://" + urllib.parse.quote(self.tree_path(tree))
            self.assertIn(link, dom.attr_values("a", "href"))
            self.assertEqual(urllib.parse.unquote(link[7:]), self.tree_path(tree))
            # Every name is shown as text.
            for n in HOSTILE:
                self.assertIn(n, dom.all_text)
            self.assertIn(HOSTILE_DIR, dom.all_text)

    def test_layout_sizes_give_the_image_sizes(self):
        tree = self.sample_tree()
        widths = {1: (310, 380, 766, 380), 2: (392, 470, 950, 470), 3: (496, 608, 1225, 608),
                  0: (310, 380, 766, 380), 7: (496, 608, 1225, 608)}
        for size, (drive, cat, folder, band) in widths.items():
            run, page = self.report(tree, "/htm{1111111111%d}" % size, "size%d.htm" % size)
            self.assertEqual(run.code, 0, run.out + run.err)
            text = read(page)
            stamp = re.search(r'src="data/dd(\d{14})\.png"', text).group(1)
            # Every image is made, whether or not its section shows it.
            images = {n: os.path.join(os.path.dirname(page), "data", n + stamp + ".png")
                      for n in ("dd", "cm1", "cm2", "xm0", "xm1", "cd0", "cd1", "fd")}
            expect = {"dd": (drive, 200), "cm1": (cat, 220), "cm2": (cat, 220),
                      "xm0": (band, 220), "xm1": (band, 220), "cd0": (folder, 400),
                      "cd1": (folder, 400), "fd": (folder, 220)}
            for name, dims in expect.items():
                self.check_png(images[name])
                self.assertEqual(png_size(images[name]), dims + (8, 2), (size, name))
            self.assertIn('<meta name="debug" content="%d">' % min(max(size, 1), 3), text)
            shutil.rmtree(os.path.dirname(page))

    def test_layout_without_sections_or_charts(self):
        tree = self.sample_tree()
        run, page = self.report(tree, "/htm{0000000000}")
        self.assertEqual(run.code, 0, run.out + run.err)
        text = read(page)
        self.assertNotIn("<img", text)
        self.assertEqual(glob.glob(os.path.join(os.path.dirname(page), "data", "*.png")), [])
        self.assertIn("<strong>Menu</strong></td></tr><tr class=\"C4C\"><td></td></tr></table>", text)
        self.assertTrue(text.endswith("</table></body></html>\r\n"))
        self.assertNotIn('name="op', text)
        font = "font-family: Geneva, Arial, Helvetica, san-serif; font-size:10pt; "
        head = [
            '<html><head><title>quorvane analysis "%s"</title>' % self.tree_path(tree),
            None,
            '<meta name="debug" content="2">',
            '<style type="text/css">',
            "<!--",
            "A:link {color:#000099; text-decoration: none;}",
            "A:visited {color:#000099; text-decoration: none;}",
            "A:hover {color:#000000; text-decoration: underline;}",
            "A:active {color:#000099; text-decoration: none;}",
            ".C4G {%scolor:#000099;}" % font,
            ".C4CB {%stext-aligh:center; font-weight: bold; color:#000099;}" % font,
            ".C4C {%stext-align:center; color:#000099;}" % font,
            ".C4L {%stext-align:left; color:#000099;}" % font,
            ".C4R {%stext-align:right; color:#000099;}" % font,
            ".C7G {%scolor:#FFFFFF;}" % font,
            ".C7CB {%stext-align:center; font-weight: bold; color:#FFFFFF;}" % font,
            ".C7C {%stext-align:center; color:#FFFFFF;}" % font,
            ".XCB {text-align:center; font-weight: bold;}",
            "-->",
            "</style></head>",
            '<body leftmargin="5" bgcolor="#FFFFFF" text="#000000" topmargin="5">',
        ]
        lines = text.split("\r\n")
        for expected, line in zip(head, lines):
            if expected is None:
                self.assertRegex(line, r'^<meta name="generator" content="[^"<>]* \d{4}">$')
            else:
                self.assertEqual(line, expected)
        self.assertEqual(lines[-10:-1], [
            '<table align="center" width="960" border="0" cellpadding="1" cellspacing="1">',
            '<tr bgcolor="#0099FF">', '<td align="center" class="C7G">', lines[-7], "</tr>",
            '<tr bgcolor="#0099FF" class="C7G">', lines[-4], "</tr>", "</table></body></html>"])
        self.assertTrue(lines[-7].endswith("</td>"))
        # Size cells centred for the unit code 0, right-aligned otherwise.
        run, page = self.report(tree, "/htm{0000000001021}", "units.htm")
        self.assertIn('<div align="right">', read(page))

    def test_two_reports_in_one_second_share_the_image_stamp(self):
        tree = self.sample_tree()
        out = os.path.join(self.tmp, "out")
        os.makedirs(out, exist_ok=True)
        for _ in range(5):
            a, b = os.path.join(out, "a.htm"), os.path.join(out, "b.htm")
            run = self.run_tarvelo(tree, "/htm;" + a, "/htm;" + b)
            self.assertEqual(run.code, 0, run.out + run.err)
            stamps = [set(re.findall(r'src="data/dd(\d{14})\.png"', read(p))) for p in (a, b)]
            for s in stamps:
                self.assertEqual(len(s), 1)
                self.assertTrue(os.path.isfile(os.path.join(out, "data", "dd%s.png" % min(s))))
            if stamps[0] == stamps[1]:
                return
        self.fail("the two reports never fell in one second")

    def test_images_beside_a_page_named_without_folder(self):
        tree = self.sample_tree()
        work = os.path.join(self.tmp, "work")
        os.makedirs(work)
        run = self.run_tarvelo(tree, "/htm;plain.htm", cwd=work)
        self.assertEqual(run.code, 0, run.out + run.err)
        text = read(os.path.join(work, "plain.htm"))
        for src in re.findall(r'<img src="([^"]+)">', text):
            self.assertTrue(src.startswith("data/"), src)
            self.check_png(os.path.join(work, src))
        self.assertEqual(len(glob.glob(os.path.join(work, "data", "*.png"))), 8)

    def test_images_that_cannot_be_saved_leave_the_page_standing(self):
        tree = self.sample_tree()
        out = os.path.join(self.tmp, "out")
        os.makedirs(out)
        with open(os.path.join(out, "data"), "w") as f:  # a file where the folder belongs
            f.write("not a folder")
        run = self.run_tarvelo(tree, "/htm;" + os.path.join(out, "r.htm"))
        self.assertEqual(run.code, 0, run.out + run.err)
        self.assertTrue(read(os.path.join(out, "r.htm")).endswith("</table></body></html>\r\n"))
        self.assertEqual(sorted(os.listdir(out)), ["data", "r.htm"])  # no stray image files

    def test_unwritable_report_fails_the_run(self):
        tree = self.sample_tree()
        missing = os.path.join(self.tmp, "no-such-folder", "r.htm")
        run = self.run_tarvelo(tree, "/htm;" + missing)
        self.assertEqual(run.code, 1, run.out)
        self.assertIn(' "%s".' % missing, run.out)
        self.assertFalse(os.path.exists(os.path.dirname(missing)))
        if os.path.exists("/dev/full"):
            full = os.path.join(self.tmp, "full.htm")
            os.symlink("/dev/full", full)
            run = self.run_tarvelo(tree, "/htm{0111111111};" + full)
            self.assertEqual(run.code, 1, run.out)
            self.assertIn("Error writing: " + full, run.out)
            self.assertIn("EInOutError / ", run.out)


if __name__ == "__main__":
    harness.main()

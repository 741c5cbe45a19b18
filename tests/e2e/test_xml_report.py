"""The XML report (/xml) against real trees, checked with a real XML parser
and compared with the tree and the file system it lies on."""
import os
import re

import harness
import xml_check

SIZES = {"a.txt": 100, "b.txt": 3000, "pic.jpg": 2000, "e1": 0, "sub/c.mp3": 5000,
         "sub/e2.doc": 0, ".hid/h.txt": 10}


def mount_type(path):
    """File-system type of the mount that holds `path` (longest mount point)."""
    best, kind = "", ""
    with open("/proc/self/mountinfo") as f:
        for line in f:
            fields = line.split()
            point = fields[4].encode().decode("unicode_escape")
            kind_here = fields[fields.index("-") + 1]
            if (path == point or path.startswith(point.rstrip("/") + "/")) and len(point) >= len(best):
                best, kind = point, kind_here
    return kind


class XmlReportTest(harness.TarveloTestCase):
    def report(self, tree, layout=None, extra=()):
        out = os.path.join(self.tmp, "report.xml")
        switch = "/xml" + ("{%s}" % layout if layout is not None else "") + ";" + out
        run = self.run_tarvelo(tree, switch, *extra)
        self.assertEqual(run.code, 0, run.out + run.err)
        self.assertIn("(XML): " + out, run.out)
        root, lines = xml_check.parse(self, out)
        self.assertEqual(root.tag, "quorvanereport")
        return root, lines

    def sized_tree(self):
        layout = {"sub/": {}, ".hid/": {}, "emptydir/": {}}
        tree = self.make_tree(layout)
        for name, size in SIZES.items():
            with open(os.path.join(tree, name), "wb") as f:
                f.write(b"z" * size)
        return tree

    @staticmethod
    def values(entry):
        return [child.text or "" for child in entry]

    def test_totals_agree_with_the_scan(self):
        tree = self.sized_tree()
        root, _ = self.report(tree)
        files = len(SIZES)
        info = root.find("information")
        self.assertEqual(info.findtext("folder"), tree + "/")
        self.assertEqual(int(info.findtext("numberfiles")), files)
        self.assertEqual(int(info.findtext("numberfolders")), 3)

        attributes, categories = root.findall("categorylist")
        self.assertEqual(len(attributes), 8)
        self.assertEqual(int(attributes[3].findtext("numberfiles")), 2)  # slot 4: empty files
        self.assertEqual(len(categories), 20)
        for section, count_name in ((categories, "numberfiles"), (root.find("magnitudelist"), "numberoffiles")):
            counts = [int(e.findtext(count_name)) for e in section]
            self.assertEqual(sum(counts), files)
            for entry, count in zip(section, counts):
                self.assertEqual(entry.findtext(count_name + "aspercent"), str(round(count / files * 100)))
        bands = {m.get("name"): int(m.findtext("numberoffiles")) for m in root.find("magnitudelist")}
        self.assertEqual(bands["less than 1K"], 4)
        self.assertEqual(bands["1K - 1MB"], 3)
        self.assertEqual(len(bands), 13)

        folders = {f.get("name"): f for f in root.find("folderlist")}
        self.assertEqual(folders["sub"].findtext("numberoffiles"), "2")
        self.assertEqual(folders[".hid"].get("hidden"), "-1")
        self.assertEqual(folders["sub"].get("hidden"), "0")
        self.assertEqual(folders["emptydir"].findtext("numberoffiles"), "0")

        data = root.findall("extensiondata")
        self.assertEqual(len(data), 19)
        txt = [e for d in data for e in d.findall("extension") if e.get("name") == "txt"]
        self.assertEqual([e.findtext("numberoffiles") for e in txt], ["3"])
        for d in data:
            category = d.find("extensioncategory")
            self.assertIsNotNone(category.find("sizoffiles"))
            self.assertIsNone(category.find("sizeoffiles"))

        self.assertEqual(sorted(n.get("name") for n in root.find("nullfiles")),
                         sorted([tree + "/e1", tree + "/sub/e2.doc"]))
        largest = [(int(e.get("sizebytes")), e.text) for e in root.find("top101largest")]
        self.assertEqual(sorted(largest, reverse=True), largest)
        self.assertEqual(sorted(largest), sorted((s, tree + "/" + n) for n, s in SIZES.items()))
        smallest = [int(e.get("sizebytes")) for e in root.find("top101smallest")]
        self.assertEqual(smallest, sorted(SIZES.values()))

        users = root.find("users")
        self.assertEqual(sum(int(u.findtext("numberfiles")) for u in users), files)
        for user in users:
            self.assertRegex(user.findtext("numberfilesaspercent"), r"^(\d+%|<0\.1%|<1%|>99%)$")

    def test_volume_figures_come_from_the_file_system_of_the_folder(self):
        tree = self.sized_tree()
        root, _ = self.report(tree, "1000000000")
        info = root.find("information")
        vfs = os.statvfs(tree)
        self.assertEqual(int(info.findtext("totalclusters")), vfs.f_blocks)
        self.assertLess(abs(int(info.findtext("freeclusters")) - vfs.f_bavail), max(1000, vfs.f_blocks // 100))
        self.assertEqual(int(info.findtext("sectorspercluster")) * int(info.findtext("bytespersector")),
                         vfs.f_frsize)
        self.assertEqual(info.findtext("filesystem"), mount_type(os.path.realpath(tree)).upper())
        self.assertRegex(info.findtext("serialnumber"), r"^[0-9A-F]{8}$")
        self.assertNotEqual(info.findtext("diskspacefree"), "n/a")
        self.assertNotEqual(info.findtext("drivetype"), "")
        self.assertRegex(info.findtext("time"), r"^\d\d:\d\d\.\d\d$")

    def test_names_that_need_escaping_keep_the_document_well_formed(self):
        layout = {name: "x" * i for i, name in enumerate(xml_check.HOSTILE_NAMES)}
        top = b"q'\"<&>\x02\xff\nz"
        layout[top + b"/"] = {b"in&<side": "y" * 200}
        layout[b".h"] = "y"  # a hidden share below 1%
        tree = self.make_tree(layout)
        root, _ = self.report(os.path.join(self.tmp, "tree"))
        shown = xml_check.shown_name
        self.assertEqual(root.findtext("information/folder"), tree + "/")
        self.assertIn(shown(top), [f.get("name") for f in root.find("folderlist")])
        self.assertEqual([n.get("name") for n in root.find("nullfiles")], [tree + "/amp&amp"])
        expected = {tree + "/" + shown(n) for n in xml_check.HOSTILE_NAMES}
        expected |= {tree + "/" + shown(top) + "/in&<side", tree + "/.h"}
        self.assertEqual({e.text for e in root.find("top101largest")}, expected)
        self.assertEqual({e.text for e in root.find("top101smallest")}, expected)
        # Shares below 1% are the program's own texts with "<" in them.
        texts = [e.text for e in root.iter("sizeoffilesaspercent")]
        self.assertIn("<1%", texts)

    def test_empty_tree_writes_empty_lists(self):
        root, lines = self.report(self.make_tree({}))
        for tag in ("categorylist", "folderlist", "magnitudelist", "extensiondata", "users",
                    "top101largest", "top101smallest"):
            for element in root.findall(tag):
                self.assertEqual(len(element), 0, tag)
        self.assertEqual(len(root.findall("extensiondata")), 19)
        self.assertEqual(len(root.findall("categorylist")), 2)
        self.assertIn("<nullfiles />", lines)

    def test_all_empty_files_give_full_size_shares(self):
        root, _ = self.report(self.make_tree({"a": "", "b.txt": "", "s/": {"c.mp3": ""}}))
        attributes, categories = root.findall("categorylist")
        for section, share in ((attributes, "100%"), (categories, "100"), (root.find("folderlist"), "100"),
                               (root.find("magnitudelist"), "100"), (root.find("users"), "100%")):
            self.assertEqual({e.findtext("sizeoffilesaspercent") for e in section}, {share})
        for data in root.findall("extensiondata"):
            self.assertEqual({e.findtext("sizeoffilesaspercent") for e in data}, {"100"})

    def test_layout_selects_the_sections(self):
        tree = self.sized_tree()
        root, lines = self.report(tree, "1000000000")
        self.assertEqual([c.tag for c in root], ["information"])
        self.assertEqual(len(lines), 4 + 18 + 1)
        root, _ = self.report(tree, "0000001011")
        self.assertEqual([c.tag for c in root], ["nullfiles", "top101largest", "top101smallest", "users"])

    def test_failures_are_reported_and_the_run_goes_on(self):
        tree = self.sized_tree()
        missing = os.path.join(self.tmp, "no-such-folder", "r.xml")
        later = os.path.join(self.tmp, "later.xml")
        run = self.run_tarvelo(tree, "/xml;" + missing, "/xml;/dev/full", "/xml;" + later)
        self.assertEqual(run.code, 1, run.out)
        self.assertIn(' "%s".' % missing, run.out)
        self.assertIn("  Error writing: /dev/full\n", run.out)
        self.assertRegex(run.out, r"\n  EInOutError / [^\n]*/dev/full")
        xml_check.parse(self, later)


if __name__ == "__main__":
    harness.main()

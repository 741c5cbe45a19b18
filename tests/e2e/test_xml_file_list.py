"""The XML list of every entry (/xfl) against real trees, checked with a real
XML parser and compared with what the file system says of each entry."""
import calendar
import os
import pwd
import re
import stat
import time

import harness
import xml_check

UTC = {"TZ": "UTC"}


class XmlFileListTest(harness.TarveloTestCase):
    def scan(self, tree, *switches):
        out = os.path.join(self.tmp, "list.xml")
        run = self.run_tarvelo(tree, "/xfl;" + out, *switches, env=self.env(**UTC))
        self.assertEqual(run.code, 0, run.out + run.err)
        return out, run

    def items(self, path):
        root, lines = xml_check.parse(self, path)
        self.assertEqual(root.tag, "quorvanefilelist")
        return [{child.tag: (child.text or "") for child in item} for item in root], lines

    def check_against_file_system(self, tree, items):
        by_path = {(i["path"], i["name"]): i for i in items}
        entries = xml_check.tree_entries(tree)
        self.assertEqual(len(items), len(entries))
        for folder, name, st in entries:
            key = (xml_check.shown_name(folder), xml_check.shown_name(name))
            self.assertIn(key, by_path)
            item = by_path[key]
            is_dir = stat.S_ISDIR(st.st_mode)
            where = repr(key)
            self.assertEqual(item["folder"], "1" if is_dir else "0", where)
            if is_dir:
                for size in ("sizewords", "sizebytes", "sizeondiskwords", "sizeondiskbytes"):
                    self.assertEqual(item[size], "-1", where)
                self.assertEqual(item["category"], "0", where)
            else:
                self.assertEqual(int(item["sizebytes"]), st.st_size, where)
                self.assertEqual(int(item["sizeondiskbytes"]), st.st_blocks * 512, where)
                self.assertGreaterEqual(int(item["category"]), 1, where)
            m = time.gmtime(st.st_mtime)
            a = time.gmtime(st.st_atime)
            self.assertEqual(item["datemodifiedyyyymmdd"], time.strftime("%Y%m%d", m), where)
            self.assertEqual(item["timemodified"], str(m.tm_hour * 100 + m.tm_min), where)
            if not is_dir:  # the walk itself reads folders, which may touch their access time
                self.assertEqual(item["dateaccessedyyyymmdd"], time.strftime("%Y%m%d", a), where)
                self.assertEqual(item["timeaccessed"], str(a.tm_hour * 100 + a.tm_min), where)
            digits = sorted(re.split("[/-]", item["datemodified"]))
            self.assertEqual(digits, sorted([time.strftime(f, m) for f in ("%d", "%m", "%Y")]), where)
            self.assertEqual(item["owner"], pwd.getpwuid(st.st_uid).pw_name, where)
            self.assertEqual(item["readonly"], "0" if st.st_mode & stat.S_IWUSR else "1", where)
            self.assertEqual(item["hidden"], "1" if name.startswith(b".") else "0", where)
            special = stat.S_ISFIFO(st.st_mode) or stat.S_ISSOCK(st.st_mode) or stat.S_ISCHR(st.st_mode)
            self.assertEqual(item["system"], "1" if special else "0", where)
            self.assertEqual(item["archive"], "0", where)
            self.assertIn(item["temp"], ("0", "1"), where)

    def test_every_entry_is_one_item_that_agrees_with_the_file_system(self):
        tree = self.make_tree({"a.txt": "hello", "empty.doc": "", ".hidden": "h" * 5000,
                               "sub/": {"deep/": {"x.mp3": "m" * 70000}, "ro.txt": "r"},
                               "emptydir/": {}})
        os.chmod(os.path.join(tree, "sub", "ro.txt"), 0o444)
        os.mkfifo(os.path.join(tree, "pipe"))
        os.symlink("a.txt", os.path.join(tree, "link"))
        when = calendar.timegm((2019, 1, 18, 9, 5, 0))
        os.utime(os.path.join(tree, "a.txt"), (when - 86400 * 400, when))
        os.utime(os.path.join(tree, "sub", "deep"), (when, when - 9 * 3600))  # 00:05 UTC
        xml_path, run = self.scan(tree)
        self.assertIn("(XML): " + xml_path, run.out)
        items, lines = self.items(xml_path)
        self.check_against_file_system(tree, items)
        by_name = {i["name"]: i for i in items}
        self.assertEqual(by_name["a.txt"]["timemodified"], "905")
        self.assertEqual(by_name["a.txt"]["datemodifiedyyyymmdd"], "20190118")
        self.assertEqual(by_name["deep"]["timemodified"], "5")
        self.assertEqual(by_name["ro.txt"]["readonly"], "1")
        self.assertEqual(by_name["pipe"]["system"], "1")
        self.assertEqual(by_name["link"]["folder"], "0")
        # Items are written in list order: ascending size after the analysis.
        sizes = [int(i["sizebytes"]) for i in items if i["folder"] == "0"]
        self.assertEqual(sizes, sorted(sizes))
        # One element per line, values indented by four blanks.
        self.assertEqual(lines[5], "<quorvanefilelist>")
        self.assertEqual(lines[6], "<item>")
        self.assertTrue(lines[7].startswith("    <name>"), lines[7])
        self.assertEqual(len(lines), 7 + 25 * len(items))

    def test_category_agrees_with_the_extension_lists_of_the_xml_report(self):
        tree = self.make_tree({"a.txt": "t", "b.mp3": "mm", "c.zzqq": "unknown", "d.TXT": "upper"})
        report = os.path.join(self.tmp, "report.xml")
        xml_path, _ = self.scan(tree, "/xml{0000010000};" + report)
        items, _ = self.items(xml_path)
        root, _ = xml_check.parse(self, report)
        category_of = {}
        for number, data in enumerate(root.findall("extensiondata"), start=1):
            for ext in data.findall("extension"):
                if int(ext.find("numberoffiles").text) > 0:
                    category_of[ext.get("name")] = str(number)
        for item in items:
            ext = item["name"].rsplit(".", 1)[1].lower()
            self.assertEqual(item["category"], category_of[ext], item["name"])
        self.assertEqual(category_of["zzqq"], "9")

    def test_names_that_need_escaping_come_back_unchanged(self):
        layout = {name: "x" * i for i, name in enumerate(xml_check.HOSTILE_NAMES)}
        layout[b"q'\"<&>\x02\xff/"] = {b"in&<side\n": "y"}
        tree = self.make_tree(layout)
        xml_path, _ = self.scan(tree)
        items, _ = self.items(xml_path)
        self.check_against_file_system(tree, items)
        names = {i["name"] for i in items}
        self.assertIn("nl\nx", names)
        self.assertIn("cr\rx", names)
        self.assertIn("tab\tx", names)
        self.assertIn("bad\ufffd\ufffdx", names)
        self.assertIn("ctl??[2Jx", names)

    def test_empty_folder_gives_the_header_and_no_item(self):
        tree = self.make_tree({})
        xml_path, _ = self.scan(tree)
        _, lines = xml_check.parse(self, xml_path)
        self.assertEqual(lines[:3], ['<?xml version="1.0"?>', "<!--  -->",
                                     "<!-- generated with Tarvelo 2.0.6 32-bit (console, x32) - January 18th 2019 -->"])
        self.assertEqual(lines[4:], ["<!--  -->", "<quorvanefilelist>", "</quorvanefilelist>"])

    def test_failures_end_the_run_with_exit_status_1(self):
        tree = self.make_tree({"a.txt": "x"})
        missing = os.path.join(self.tmp, "no-such-folder", "list.xml")
        run = self.run_tarvelo(tree, "/xfl;" + missing)
        self.assertEqual(run.code, 1, run.out)
        self.assertIn(' "%s".' % missing, run.out)
        # A write error reaches the error guard, which names its type.
        run = self.run_tarvelo(tree, "/xfl;/dev/full")
        self.assertEqual(run.code, 1, run.out)
        self.assertIn("EInOutError: ", run.out)
        self.assertIn("/dev/full", run.out)


if __name__ == "__main__":
    harness.main()

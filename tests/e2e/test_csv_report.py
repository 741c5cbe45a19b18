"""The CSV report of real trees, read back with Python's csv module and
checked against the file system."""
import csv
import io
import datetime
import os
import pwd
import stat
import time

import harness

FIELDS = 19


def read_rows(path):
    with open(path, "rb") as f:
        data = f.read()
    text = data.decode("utf-8")  # strict: the file must be valid UTF-8
    # Every row ends in CR LF; quoted line breaks stay inside their fields.
    unquoted = text.replace('""', "").split('"')[::2]
    for part in unquoted:
        rest = part.replace("\r\n", "")
        assert "\n" not in rest and "\r" not in rest, "bare line break outside quotes"
    return list(csv.reader(io.StringIO(text, newline="")))


def language_text(index):
    with open(os.path.join(harness.SOURCE, "data", "languages", "uk", "language.txt"),
              encoding="utf-8-sig") as f:
        return f.read().splitlines()[index]


def local_stamp(year, month, day, hour, minute):
    return time.mktime((year, month, day, hour, minute, 0, 0, 0, -1))


class CsvFileListTest(harness.TarveloTestCase):
    def write_list(self, tree, *options):
        out = os.path.join(self.tmp, "list.csv")
        run = self.run_tarvelo(tree, "/csv%s;%s" % ("".join(options), out))
        self.assertEqual(run.code, 0, run.out + run.err)
        return read_rows(out)

    def test_one_row_per_entry_agreeing_with_the_file_system(self):
        tree = self.make_tree({
            "letter.txt": "x" * 1536,
            "data.zzq": b"\0" * 5000,
            ".hidden.txt": "",
            "sub/": {"deep/": {"inner.txt": "abc"}},
        })
        ro = os.path.join(tree, "letter.txt")
        os.chmod(ro, 0o444)
        os.mkfifo(os.path.join(tree, "pipe"))
        os.symlink("letter.txt", os.path.join(tree, "link"))
        # Known access and modification times: 09:05 and 00:07.
        os.utime(os.path.join(tree, "data.zzq"),
                 (local_stamp(2020, 1, 1, 9, 5), local_stamp(2019, 3, 5, 0, 7)))
        rows = self.write_list(tree)
        self.assertTrue(all(len(r) == FIELDS for r in rows), [len(r) for r in rows])
        title, body = rows[0], rows[1:]
        self.assertEqual(title[12], title[11] + "ID")

        expected = {}
        for folder, dirs, files in os.walk(tree):
            for name in dirs + files:
                expected[os.path.join(folder, name)] = name
        by_path = {r[1]: r for r in body}
        self.assertEqual(len(body), len(by_path))
        self.assertEqual(set(by_path), set(expected))

        owner = pwd.getpwuid(os.getuid()).pw_name
        folder_word = language_text(266).upper()
        today = datetime.date.today()
        for path, row in by_path.items():
            st = os.lstat(path)
            with self.subTest(path=path):
                self.assertEqual(row[0], expected[path])
                self.assertEqual(row[13], owner)
                mtime = datetime.datetime.fromtimestamp(st.st_mtime)
                atime = datetime.datetime.fromtimestamp(st.st_atime)
                self.assertEqual(row[7], mtime.strftime("%d/%m/%Y"))
                self.assertEqual(row[6], atime.strftime("%d/%m/%Y"))
                self.assertEqual(row[10], str(mtime.hour * 100 + mtime.minute))
                self.assertEqual(row[9], str(atime.hour * 100 + atime.minute))
                # Creation: the birth time where the file system keeps one, else mtime.
                self.assertIn(row[5], (today.strftime("%d/%m/%Y"), mtime.strftime("%d/%m/%Y")))
                self.assertEqual(row[17], "0")  # no archive bit on Linux
                if stat.S_ISDIR(st.st_mode):
                    self.assertEqual(row[2:5], [folder_word, "-1", "-1"])
                    self.assertEqual(row[11:13], [folder_word, "99"])
                else:
                    self.assertEqual(row[3], str(st.st_size))
                    self.assertEqual(row[4], str(st.st_blocks * 512))
                    self.assertIn(int(row[12]), range(1, 20))
                    self.assertEqual(row[15], "1" if expected[path].startswith(".") else "0")
                    self.assertEqual(row[16], "1" if stat.S_ISFIFO(st.st_mode) else "0")
                    self.assertEqual(row[14], "0" if st.st_mode & stat.S_IWUSR else "1")

        data = by_path[os.path.join(tree, "data.zzq")]
        self.assertEqual(data[6:11], ["01/01/2020", "05/03/2019", data[8], "905", "7"])
        self.assertEqual(data[12], "9")                       # no list holds .zzq: Other
        self.assertEqual(by_path[ro][12], "6")                # .txt is an Office extension
        self.assertEqual(by_path[ro][2], "1.50" + "KB")
        self.assertEqual(by_path[ro][14], "1")                # read-only

    def test_names_that_break_naive_csv(self):
        names = ['q"uote', "com,ma", "semi;colon", "tab\there", "line\nbreak", "cr\rhere",
                 '"', ",", "plain"]
        tree = self.make_tree({n: "x" for n in names})
        self.make_tree({b"bad\xffbyte": "x", 'dir,"x"/': {"in;ner": "y"}}, root=tree)
        rows = self.write_list(tree)
        self.assertTrue(all(len(r) == FIELDS for r in rows), rows)
        got = sorted(r[0] for r in rows[1:])
        want = sorted(names + ["bad\ufffdbyte", 'dir,"x"', "in;ner"])
        self.assertEqual(got, want)
        paths = {r[1] for r in rows[1:]}
        self.assertIn(os.path.join(tree, 'dir,"x"', "in;ner"), paths)
        self.assertIn(os.path.join(tree, "line\nbreak"), paths)

    def test_plain_bytes_and_category_summary(self):
        tree = self.make_tree({"a.txt": "x" * 100, "b.txt": "y" * 300, "c.zzq": "", "d/": {}})
        rows = self.write_list(tree, "{111}")  # file list, titles, plain bytes
        sizes = sorted(r[2] for r in rows[1:] if r[3] != "-1")
        self.assertEqual(sizes, ["0", "100", "300"])

        rows = self.write_list(tree, "{0}")
        self.assertEqual(len(rows), 20)
        self.assertTrue(all(len(r) == 6 for r in rows))
        office, other = rows[6], rows[9]
        self.assertEqual(office[1:3], ["2", "67"])   # 2 of 3 files
        self.assertEqual(office[4:6], ["400", "100"])
        self.assertEqual(other[1:3], ["1", "33"])
        self.assertEqual(other[4:6], ["0", "0"])

    def test_empty_tree(self):
        tree = self.make_tree({})
        self.assertEqual(len(self.write_list(tree)), 1)  # the titles only
        rows = self.write_list(tree, "{0}")
        self.assertEqual(len(rows), 20)
        for row in rows[1:]:
            self.assertEqual((row[1], row[2], row[4], row[5]), ("0", "0", "0", "100"))


if __name__ == "__main__":
    harness.main()

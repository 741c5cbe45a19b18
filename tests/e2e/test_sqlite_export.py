"""/sqlite: every scan becomes a folder table and a file table in the history
database, read back here with SQL."""
import os
import pwd
import time

import harness
from db_support import computer_name, history_database, path_key, sqlite_rows, sqlite_tables

# Names that break SQL built by pasting text: both quote kinds, markup, a line
# break and a byte that is not UTF-8.
TREE = {
    'say "hi".txt': "12345",
    "it's.log": "x" * 3000,
    "sub <&>/": {"inner.txt": "", b"bad\xff.txt": "ab"},
    b"line\nbreak.txt": "z",
}
ENTRIES = {
    ("", 'say "hi".txt'), ("", "it's.log"), ("", "sub <&>"), ("", "line\nbreak.txt"),
    ("sub <&>/", "inner.txt"), ("sub <&>/", "bad\ufffd.txt"),
}


class SqliteExportTest(harness.TarveloTestCase):
    def scan(self, root, *switches):
        run = self.run_tarvelo(root, "/sqlite", *switches)
        self.assertEqual(run.code, 0, run.out + run.err)
        return run

    def test_tables_hold_every_folder_and_entry_with_the_scan_values(self):
        root = self.make_tree(TREE)
        mtime = time.mktime((2021, 6, 15, 12, 0, 0, 0, 0, -1))
        os.utime(os.path.join(root, "it's.log"), (mtime, mtime))
        run = self.scan(root)
        scan_path = root + "/"
        key, host = path_key(scan_path), computer_name()
        db = history_database(run)
        tables = sqlite_tables(db)
        self.assertEqual(len(tables), 2, tables)
        file_table, folder_table = tables
        self.assertEqual(folder_table, file_table + "F")
        self.assertTrue(file_table.startswith(key) and file_table.endswith(host), file_table)
        self.assertEqual(len(file_table), 32 + 14 + len(host))

        folders = sqlite_rows(db, 'SELECT ID, FilePath FROM "%s" ORDER BY ID' % folder_table)
        self.assertEqual(sorted(f[1] for f in folders), [scan_path, scan_path + "sub <&>/"])
        rows = sqlite_rows(db, 'SELECT FilePath, FilePathIdx, FileName, FileSize, FileSizeDisk, '
                               'FileDateM, Directory, Readonly, Hidden, Temp, Owner FROM "%s"'
                           % file_table)
        self.assertEqual({(r[0][len(scan_path):], r[2]) for r in rows}, ENTRIES)
        folder_of = dict(folders)
        owner = pwd.getpwuid(os.getuid()).pw_name
        for path, idx, name, size, on_disk, date_m, directory, readonly, hidden, temp, row_owner in rows:
            with self.subTest(name=name):
                self.assertEqual(folder_of[idx + 1], path, "the k-th folder row has ID k + 1")
                self.assertEqual(row_owner, owner)
                self.assertEqual((readonly, hidden, temp), (0, 0, 0))
                if name == "sub <&>":
                    self.assertEqual((directory, size, on_disk), (1, 0, 0))
                elif name == "it's.log":
                    st = os.stat(os.path.join(root, name))
                    self.assertEqual((directory, size, on_disk, date_m),
                                     (0, 3000, st.st_blocks * 512, 20210615))
        self.assertIn("Writing to SQlite database... ", run.out)

    def test_two_scans_a_second_apart_make_four_tables(self):
        root = self.make_tree({"a.txt": "1"})
        self.scan(root)
        time.sleep(1.1)
        run = self.scan(root)
        self.assertEqual(len(sqlite_tables(history_database(run))), 4)

    def test_failed_database_step_ends_the_run_with_exit_status_1(self):
        root = self.make_tree({"a.txt": "1"})
        # A folder where the database file should be: SQLite cannot open it.
        os.makedirs(os.path.join(self.home, "quorvane", "FolderHistory", "Database", "Quorvane.db"))
        report = os.path.join(self.tmp, "r.txt")
        run = self.run_tarvelo(root, "/sqlite", "/txt;" + report)
        self.assertEqual(run.code, 1, run.out)
        self.assertIn("EDatabaseError: ", run.out)
        self.assertIn("Quorvane.db", run.out)
        self.assertFalse(os.path.exists(report), "the run ends before the reports")


if __name__ == "__main__":
    harness.main()

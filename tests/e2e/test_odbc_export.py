"""/odbc: the classic tables written through a real ODBC driver: psqlODBC into
the test services' PostgreSQL, and the SQLite ODBC driver."""
import os
import unittest

import harness
from db_support import (PG_CONNECTION, PG_SKIP_REASON, computer_name, fresh_pg_database,
                        odbc_install, path_key, pg_tables, psql, sqlite_rows, sqlite_tables)

TREE = {"o'neil \"q\".txt": "12345", "sub/": {"ünï.txt": "ab", b"bad\xff.txt": "c"}}
EXPECTED = [("", "o'neil \"q\".txt", 5, 0), ("", "sub", 0, 1), ("sub/", "bad\ufffd.txt", 1, 0),
            ("sub/", "ünï.txt", 2, 0)]


class OdbcExportTest(harness.TarveloTestCase):
    def export(self, connection):
        root = self.make_tree(TREE)
        binary = odbc_install(self, connection, data_folder=os.path.join(self.tmp, "data"))
        run = self.run_tarvelo(root, "/odbc", binary=binary)
        self.assertEqual(run.code, 0, run.out + run.err)
        self.assertIn("Connected to ODBC.", run.out)
        self.assertIn("Writing to ODBC database...", run.out)
        return root + "/"

    def check_tables(self, tables, rows_of, scan_path):
        self.assertEqual(len(tables), 2, tables)
        file_table, folder_table = tables
        self.assertEqual(folder_table, file_table + "F")
        self.assertTrue(file_table.startswith(path_key(scan_path)))
        self.assertTrue(file_table.endswith(computer_name()))
        self.assertEqual(sorted(r[0] for r in rows_of(
            'SELECT FilePath FROM "%s"' % folder_table)), [scan_path, scan_path + "sub/"])
        rows = rows_of('SELECT FilePath, FileName, FileSize, Directory FROM "%s"' % file_table)
        self.assertEqual(sorted((r[0][len(scan_path):], r[1], int(r[2]), int(r[3])) for r in rows),
                         EXPECTED)

    @unittest.skipUnless(PG_CONNECTION, PG_SKIP_REASON)
    def test_postgresql_through_psqlodbc(self):
        connection, database = fresh_pg_database(self)
        scan_path = self.export(connection)
        self.check_tables(pg_tables(database), lambda sql: psql(sql, database), scan_path)
        # Bare column names fold to lower case in PostgreSQL; the types are kept.
        types = dict(psql("SELECT column_name, data_type FROM information_schema.columns "
                          "WHERE table_name = '%s'" % pg_tables(database)[0], database))
        self.assertEqual((types["filesize"], types["filepathidx"], types["filename"]),
                         ("bigint", "integer", "character varying"))

    def test_sqlite_odbc_driver(self):
        db = os.path.join(self.tmp, "odbc.db")
        scan_path = self.export("Driver={SQLite3};Database=%s;" % db)
        self.check_tables(sqlite_tables(db), lambda sql: sqlite_rows(db, sql), scan_path)

    def test_unreachable_or_missing_data_source_ends_the_run_before_the_scan(self):
        missing = os.path.join(self.tmp, "missing")
        unreachable = odbc_install(
            self, "Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=1;Database=x;Uid=x;")
        # Without custom.ini the connection string is empty.
        for binary in (unreachable, None):
            with self.subTest(binary=binary):
                run = self.run_tarvelo(missing, "/odbc", binary=binary)
                self.assertEqual(run.code, 1)
                self.assertIn("Error connecting to ODBC.", run.out)
                self.assertNotIn(missing, run.out, "the folder is not looked at")


if __name__ == "__main__":
    harness.main()

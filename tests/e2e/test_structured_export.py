"""/dbstructured: one system table with a row per scan, and data tables of
entry rows, in the history database and through ODBC."""
import glob
import os
import sqlite3
import time
import unittest

import harness
from db_support import (PG_CONNECTION, PG_SKIP_REASON, fresh_pg_database, history_database,
                        odbc_install, path_key, pg_tables, psql, sqlite_rows, sqlite_tables)

TREE = {"it's \"a\".txt": "12345", "sub/": {"b.txt": "ab"}}


class StructuredExportTest(harness.TarveloTestCase):
    def scan(self, root, *switches, binary=None):
        run = self.run_tarvelo(root, "/dbstructured", *switches, binary=binary)
        self.assertEqual(run.code, 0, run.out + run.err)
        return run

    def test_shared_data_table_collects_every_scan(self):
        root = self.make_tree(TREE)
        self.assertFalse(os.path.exists(os.path.join(self.home, "quorvane")))
        self.scan(root, "/sqlite", "/datatable:shared")
        time.sleep(1.1)
        run = self.scan(root, "/sqlite", "/datatable:shared")
        db = history_database(run)
        self.assertEqual(sqlite_tables(db), ["QuorvaneSystem", "shared"])
        system = sqlite_rows(db, "SELECT TableName, Folder, Size, Files, Folders, ScanDate "
                                 "FROM QuorvaneSystem ORDER BY ID")
        self.assertEqual([r[:5] for r in system], [("shared", root + "/", 7, 2, 1)] * 2)
        dates = [r[5] for r in system]
        self.assertNotEqual(dates[0], dates[1])
        self.assertEqual(sqlite_rows(db, "SELECT ScanDate, count(*) FROM shared GROUP BY ScanDate"),
                         [(dates[0], 3), (dates[1], 3)])
        self.assertEqual(sorted(r[0] for r in sqlite_rows(db, "SELECT DISTINCT FileName FROM shared")),
                         ["b.txt", "it's \"a\".txt", "sub"])

    def test_default_names_give_a_new_data_table_per_scan(self):
        root = self.make_tree(TREE)
        self.scan(root, "/sqlite", "/systemtable:my \"sys\"")
        time.sleep(1.1)
        run = self.scan(root, "/sqlite")
        db = history_database(run)
        tables = sqlite_tables(db)
        data_tables = [t for t in tables if t not in ("QuorvaneSystem", 'my "sys"')]
        self.assertEqual(len(tables), 4, tables)
        key = path_key(root + "/", upper=False)
        self.assertTrue(all(t.startswith(key) and len(t) == 46 for t in data_tables), data_tables)
        self.assertNotEqual(key, path_key(root + "/"), "the default name is not upper-cased")
        self.assertEqual(sqlite_rows(db, 'SELECT TableName FROM "my ""sys"""'), [(min(data_tables),)])

    def test_failed_odbc_insert_is_logged_and_fails_the_run(self):
        db = os.path.join(self.tmp, "odbc.db")
        con = sqlite3.connect(db)
        con.execute("CREATE TABLE Existing (Other INTEGER)")  # found, but without the columns
        con.close()
        binary = odbc_install(self, "Driver={SQLite3};Database=%s;" % db)
        root = self.make_tree(TREE)
        run = self.run_tarvelo(root, "/dbstructured", "/odbc", "/datatable:EXISTING", binary=binary)
        self.assertEqual(run.code, 1, run.out)
        self.assertIn("Populating data table...", run.out)
        self.assertEqual(sqlite_rows(db, "SELECT TableName FROM QuorvaneSystem"), [("Existing",)])
        self.assertEqual(sqlite_tables(db), ["Existing", "QuorvaneSystem"])
        logs = glob.glob(os.path.join(os.path.dirname(binary), "logs", "*.log"))
        with open(logs[0], encoding="utf-8", errors="replace") as f:
            self.assertIn('ODBCPopulateDataTable "EDatabaseError / ', f.read())

    @unittest.skipUnless(PG_CONNECTION, PG_SKIP_REASON)
    def test_postgresql_matches_table_names_ignoring_case(self):
        connection, database = fresh_pg_database(self)
        binary = odbc_install(self, connection, data_folder=os.path.join(self.tmp, "data"))
        root = self.make_tree(TREE)
        self.scan(root, "/odbc", "/datatable:Shared", binary=binary)
        time.sleep(1.1)
        self.scan(root, "/odbc", "/datatable:SHARED", binary=binary)
        self.assertEqual(pg_tables(database), ["QuorvaneSystem", "Shared"])
        system = psql('SELECT TableName, Folder, Files, ScanDate FROM "QuorvaneSystem"', database)
        # Quoted names are case-sensitive in PostgreSQL: the table found is used as it is spelt.
        self.assertEqual([r[0] for r in system], ["Shared", "Shared"])
        self.assertEqual({r[1] for r in system}, {root + "/"})
        self.assertEqual(psql('SELECT count(*), count(DISTINCT ScanDate) FROM "Shared"', database),
                         [["6", "2"]])
        self.assertEqual(psql('SELECT FileName FROM "Shared" WHERE FileName LIKE \'it%\' LIMIT 1',
                              database), [["it's \"a\".txt"]])


if __name__ == "__main__":
    harness.main()

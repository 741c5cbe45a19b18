"""/test: what a run would do, reported without scanning or writing anything."""
import hashlib
import os
import re
import sqlite3

import harness

I = "      "


class ParameterTest(harness.TarveloTestCase):
    def test_a_plain_run_reports_every_section_without_errors(self):
        tree = self.make_tree({"a.txt": "x"})
        run = self.run_tarvelo(tree, "/test")
        self.assertEqual(run.code, 0, run.err)
        self.assertEqual(run.out, "\n".join([
            "", "    Testing parameters...", "",
            I + "Folder Exists (%s)" % tree, "",
            I + "Will gather user name information.",
            I + "Will process temporary file stats.", "",
            "    Reports", "", I + "No report parameters found.", "",
            "    Database", "", I + "No database update options set.",
            I + "Will not update scan history file.", "",
            "", "", ""]))

    def test_missing_folder_is_an_error(self):
        run = self.run_tarvelo("/test")  # /test itself is the folder
        self.assertEqual(run.code, 1)
        self.assertIn("\n" + I + "ERROR Folder not found (/test)\n", run.out)
        self.assertTrue(run.out.endswith("\n    Errors found :(\n\n"), run.out)

    def test_options_reports_and_unknown_arguments(self):
        tree = self.make_tree({})
        out_dir = os.path.join(self.tmp, "out")
        run = self.run_tarvelo(tree, "/TEST", "/NoUser", "/notemp", "/foo",
                               "/csv{0};%s/a_$yyyy.csv" % out_dir, "/txt;t.txt", "/html{1}",
                               "/xml;x.xml", "/xfl{0};l.xml", "/sum", "/open", "/p", "/Debug", "odd arg")
        self.assertEqual(run.code, 0, run.out)  # unknown arguments are no errors
        lines = run.out.split("\n")
        self.assertIn(I + "Will not gather user name information (optimisation).", lines)
        self.assertIn(I + "Will not process temporary file stats (optimisation).", lines)
        start = lines.index("    Reports") + 2
        reports = lines[start:lines.index("", start)]
        self.assertEqual(len(reports), 6, reports)
        self.assertRegex(reports[0], r"^ {6}CSV  : %s/a_20\d\d\.csv$" % re.escape(out_dir))
        self.assertEqual(reports[1], I + "Text : t.txt")
        self.assertRegex(reports[2], r"^ {6}HTML : %sTarvelo/Reports/[^/]+/HTML/qvcom_\d{8}_\d{6}\.htm$"
                         % re.escape(run.data_folder))
        self.assertEqual(reports[3:], [I + "XML  : x.xml", I + "XML  : (file list) l.xml", I + "Summary"])
        self.assertEqual([l for l in lines if "Unknown command" in l],
                         [I + 'Unknown command "/foo"', I + 'Unknown command "odd arg"'])
        self.assertNotIn("Errors found", run.out)
        # Nothing was written.
        self.assertFalse(os.path.exists(out_dir))
        for name in ("t.txt", "x.xml", "l.xml"):
            self.assertFalse(os.path.exists(os.path.join(self.tmp, name)))

    def test_sqlite_and_scan_history_files(self):
        tree = self.make_tree({})
        run = self.run_tarvelo(tree, "/test", "/sqlite", "/updatescanhistory")
        lines = run.out.split("\n")
        data = run.data_folder
        self.assertIn(I + "Using Quorvane database structure", lines)
        self.assertIn(I + "SQlite database not found; will be created.", lines)
        at = lines.index(I + 'Will update scan history file "%sscanhistory.dat".' % data)
        self.assertEqual(lines[at + 1], " " * 36 + "File not found, will be created")
        self.assertFalse(os.path.exists(data + "scanhistory.dat"))
        self.assertFalse(os.path.exists(data + "FolderHistory/Database/Quorvane.db"))
        # Once both files are there.
        open(data + "scanhistory.dat", "w").close()
        open(data + "FolderHistory/Database/Quorvane.db", "w").close()
        run = self.run_tarvelo(tree, "/test", "/sqlite", "/dbstructured", "/updatescanhistory")
        lines = run.out.split("\n")
        self.assertEqual(run.code, 0)
        self.assertIn(I + "Using alternative database structure", lines)
        self.assertIn(I + "SQlite database found.", lines)
        self.assertIn(" " * 36 + "File exists", lines)

    def write_custom_ini(self, binary, connection):
        with open(os.path.join(os.path.dirname(binary), "custom.ini"), "w") as f:
            f.write("[Main]\nuseodbc=1\nconnectionstring=%s\n" % connection)

    def test_unreachable_odbc_source_is_an_error(self):
        tree = self.make_tree({})
        binary = self.private_install()
        for ini in (None, "Driver={No Such Driver};Database=x"):
            for schema in ([], ["/dbstructured"]):
                with self.subTest(ini=ini, schema=schema):
                    if ini:
                        self.write_custom_ini(binary, ini)
                    run = self.run_tarvelo(tree, "/test", "/odbc", *schema, binary=binary)
                    self.assertEqual(run.code, 1)
                    self.assertIn("\n" + I + "Error connecting via ODBC.\n", run.out)
                    self.assertNotIn("Table Name", run.out)
                    self.assertTrue(run.out.endswith("\n    Errors found :(\n\n"), run.out)

    def test_reachable_odbc_source_is_tried_and_left_untouched(self):
        tree = self.make_tree({})
        binary = self.private_install()
        database = os.path.join(self.tmp, "odbc.db")
        self.write_custom_ini(binary, "Driver=SQLite3;Database=%s" % database)
        run = self.run_tarvelo(tree, "/test", "/odbc", binary=binary)
        self.assertEqual(run.code, 0, run.out)
        self.assertIn("\n" + I + "ODBC connection okay.\n", run.out)
        self.assertNotIn("Table Name", run.out)
        self.assertNotIn("Errors found", run.out)
        if os.path.exists(database):
            tables = sqlite3.connect(database).execute("select name from sqlite_master").fetchall()
            self.assertEqual(tables, [])

    def test_structured_schema_shows_the_table_names_a_run_would_use(self):
        tree = self.make_tree({})
        binary = self.private_install()
        database = os.path.join(self.tmp, "odbc.db")
        self.write_custom_ini(binary, "Driver=SQLite3;Database=%s" % database)
        run = self.run_tarvelo(tree, "/test", "/odbc", "/dbstructured", binary=binary)
        self.assertEqual(run.code, 0, run.out)
        lines = run.out.split("\n")
        at = lines.index(I + "ODBC connection okay.")
        self.assertEqual(lines[at - 1], I + "Using alternative database structure")
        self.assertEqual(lines[at + 1:at + 4], [I + "System Table Name not set, using default",
                                                I + "System Table Name: QuorvaneSystem",
                                                I + "Data Table Name not set, using default"])
        # The default data table: the digest of the scan path as given (no
        # upper-casing), then the scan date and time.
        digest = hashlib.md5((tree + "/").encode()).hexdigest().upper()
        self.assertRegex(lines[at + 4], r"^ {6}Data Table Name: %s20\d{12}$" % digest)
        # The names given apply only with /dbstructured; the last one counts.
        run = self.run_tarvelo(tree, "/test", "/odbc", "/dbstructured", "/systemtable:A",
                               "/systemtable:Sys", "/datatable;Scans", binary=binary)
        lines = run.out.split("\n")
        at = lines.index(I + "ODBC connection okay.")
        self.assertEqual(lines[at + 1:at + 3], [I + "System Table Name: Sys", I + "Data Table Name: Scans"])
        self.assertEqual(run.code, 0, run.out)
        if os.path.exists(database):
            tables = sqlite3.connect(database).execute("select name from sqlite_master").fetchall()
            self.assertEqual(tables, [])


if __name__ == "__main__":
    harness.main()

"""The report step: switch grammar, default names and macros, /open, /sum,
unknown arguments and failing reports."""
import csv
import datetime
import glob
import os
import re
import socket
import time

import harness


def read_csv(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.reader(f))


class ReportDriverTest(harness.TarveloTestCase):
    def setUp(self):
        super().setUp()
        self.tree = self.make_tree({"a.txt": "hello", "sub/": {"b.bin": b"\0" * 2048}})

    def run_in_tmp(self, *args, **kw):
        return self.run_tarvelo(self.tree, *args, **kw)

    def test_default_names_below_the_data_folder_with_the_time_stamp(self):
        before = datetime.datetime.now().replace(microsecond=0)
        run = self.run_in_tmp("/csv", "/txt")
        after = datetime.datetime.now()
        self.assertEqual(run.code, 0, run.out + run.err)
        pc = socket.gethostname().split(".")[0]
        for folder, ext in (("CSV", "csv"), ("Text", "txt")):
            found = glob.glob(os.path.join(run.data_folder, "Tarvelo", "Reports", pc, folder, "*"))
            self.assertEqual(len(found), 1, found)
            name = os.path.basename(found[0])
            m = re.fullmatch(r"qvcom_(\d{8})_(\d{6})\." + ext, name)
            self.assertIsNotNone(m, name)
            stamp = datetime.datetime.strptime(m.group(1) + m.group(2), "%Y%m%d%H%M%S")
            self.assertTrue(before <= stamp <= after, (before, stamp, after))
        # The console names the file relative to the data folder.
        self.assertIn(" (CSV): /Tarvelo/Reports/%s/CSV/qvcom_" % pc, run.out)

    def test_option_strings_choose_the_csv_form(self):
        # {0}: category summary with titles (the string is shorter than 2).
        run = self.run_in_tmp("/csv{0};x.csv", "/CSV{00};y.csv", "/csv}0{;z.csv")
        self.assertEqual(run.code, 0, run.out + run.err)
        rows = read_csv(os.path.join(self.tmp, "x.csv"))
        self.assertEqual(len(rows), 20)
        self.assertTrue(all(len(r) == 6 for r in rows))
        self.assertEqual(len(read_csv(os.path.join(self.tmp, "y.csv"))), 19)  # titles off
        # Braces written backwards give no options: the file list with titles.
        rows = read_csv(os.path.join(self.tmp, "z.csv"))
        self.assertEqual(len(rows[0]), 19)

    def test_semicolon_inside_braces_starts_the_file_name(self):
        run = self.run_in_tmp("/csv{1;0}")
        self.assertEqual(run.code, 0, run.out + run.err)
        self.assertTrue(os.path.isfile(os.path.join(self.tmp, "0}")))

    def test_file_name_macros(self):
        run = self.run_in_tmp("/txt;$QvD%s/r_$yyyy_$DD_$PC_$User.txt" % self.tmp)
        self.assertEqual(run.code, 0, run.out + run.err)
        now = datetime.datetime.now()
        day = ["Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"][now.weekday()]
        pc = socket.gethostname().split(".")[0]
        names = [n for n in os.listdir(self.tmp) if n.startswith("r_")]
        self.assertEqual(len(names), 1, names)
        self.assertRegex(names[0], r"^r_%d_%s_%s_.+\.txt$" % (now.year, day, re.escape(pc)))
        self.assertNotIn("$", names[0])

    def test_unknown_arguments_are_named_and_the_run_goes_on(self):
        run = self.run_in_tmp("/foo", "/csv;a.csv", "/odbc=1", "/p")
        self.assertEqual(run.code, 0, run.out + run.err)
        self.assertIn("  GenerateReports Unknown parameter: /foo\n", run.out)
        self.assertNotIn("/odbc=1", run.out)  # counts as /o
        self.assertTrue(os.path.isfile(os.path.join(self.tmp, "a.csv")))

    def test_failing_report_makes_exit_status_1_and_later_reports_are_written(self):
        missing = os.path.join(self.tmp, "missing")
        run = self.run_in_tmp("/csv;%s/a.csv" % missing, "/txt;%s/b.txt" % missing, "/csv;ok.csv")
        self.assertEqual(run.code, 1)
        self.assertIn("  Error writing: %s/a.csv\n  EInOutError / " % missing, run.out)
        self.assertRegex(run.out, r'\n\n  [^\n]+ "%s/b\.txt"\.\n\n' % re.escape(missing))
        self.assertTrue(os.path.isfile(os.path.join(self.tmp, "ok.csv")))

    def test_write_errors_are_reported_not_hidden(self):
        if not os.path.exists("/dev/full"):
            self.skipTest("no /dev/full")
        run = self.run_in_tmp("/txt;/dev/full", "/csv;/dev/full", "/csv;ok.csv")
        self.assertEqual(run.code, 1, run.out)
        self.assertEqual(run.out.count("  Error writing: /dev/full\n  EInOutError / "), 2, run.out)
        self.assertTrue(os.path.isfile(os.path.join(self.tmp, "ok.csv")))

    def test_quiet_run_writes_reports_without_console_lines(self):
        run = self.run_in_tmp("/o", "/csv;a.csv", "/foo")
        self.assertEqual((run.code, run.out), (0, ""))
        self.assertTrue(os.path.isfile(os.path.join(self.tmp, "a.csv")))


class SummaryTest(harness.TarveloTestCase):
    """The console summary: for /sum, or once at the end when no report was asked."""

    def setUp(self):
        super().setUp()
        self.tree = self.make_tree({"a.txt": "hello"})
        with open(os.path.join(harness.SOURCE, "data", "languages", "uk", "language.txt"),
                  encoding="utf-8-sig") as f:
            self.scan_of = f.read().splitlines()[556]

    def summaries(self, text):
        return text.count('%s "%s/"' % (self.scan_of, self.tree))

    def test_summary_printed_once(self):
        for args in ((), ("/sum",), ("/csv;a.csv", "/sum"), ("/sum", "/csv;b.csv")):
            with self.subTest(args=args):
                run = self.run_tarvelo(self.tree, *args)
                self.assertEqual(run.code, 0, run.out + run.err)
                self.assertEqual(self.summaries(run.out), 1, run.out)
        run = self.run_tarvelo(self.tree, "/csv;c.csv")
        self.assertEqual(self.summaries(run.out), 0, run.out)

    def test_quiet_summary_goes_to_the_log_only(self):
        binary = self.private_install()
        logs = os.path.join(os.path.dirname(binary), "logs")

        def log_text():
            text = ""
            for name in sorted(os.listdir(logs)):
                with open(os.path.join(logs, name), encoding="utf-8", errors="replace") as f:
                    text += f.read()
                os.remove(os.path.join(logs, name))
            return text

        run = self.run_tarvelo(self.tree, "/o", "/sum", binary=binary)
        self.assertEqual((run.code, run.out), (0, ""))
        self.assertEqual(self.summaries(log_text()), 1)
        run = self.run_tarvelo(self.tree, "/o", binary=binary)
        self.assertEqual((run.code, run.out), (0, ""))
        self.assertEqual(self.summaries(log_text()), 0)


class OpenTest(harness.TarveloTestCase):
    """/open runs xdg-open; a stub first on PATH records each call."""

    def setUp(self):
        super().setUp()
        self.tree = self.make_tree({"a.txt": "x"})
        bindir = os.path.join(self.tmp, "bin")
        os.makedirs(bindir)
        self.record = os.path.join(self.tmp, "opened")
        stub = os.path.join(bindir, "xdg-open")
        with open(stub, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' % self.record)
        os.chmod(stub, 0o755)
        self.stub_env = self.env(PATH=bindir + os.pathsep + os.environ["PATH"])

    def opened(self, expect, timeout=10):
        """Waits for `expect` opens (the opener is detached), then a little longer."""
        deadline = time.time() + timeout
        lines = []
        while time.time() < deadline:
            if os.path.exists(self.record):
                with open(self.record) as f:
                    lines = f.read().splitlines()
                if len(lines) >= expect:
                    break
            time.sleep(0.05)
        time.sleep(0.5)
        with open(self.record) if os.path.exists(self.record) else open(os.devnull) as f:
            return f.read().splitlines()

    def test_open_acts_only_directly_after_a_report(self):
        run = self.run_tarvelo(self.tree, "/open", "/csv;a.csv", "/p", "/open", "/txt;b.txt",
                               "/open", "/sum", "/open", env=self.stub_env)
        self.assertEqual(run.code, 0, run.out + run.err)
        # Relative names are opened by their absolute path.
        self.assertEqual(self.opened(1), [os.path.join(self.tmp, "b.txt")])

    def test_open_after_each_of_two_reports(self):
        run = self.run_tarvelo(self.tree, "/csv;a.csv", "/OPEN", "/csv;%s/c.csv" % self.tmp,
                               "/open", env=self.stub_env)
        self.assertEqual(run.code, 0, run.out + run.err)
        self.assertEqual(sorted(self.opened(2)),
                         [os.path.join(self.tmp, "a.csv"), os.path.join(self.tmp, "c.csv")])


if __name__ == "__main__":
    harness.main()

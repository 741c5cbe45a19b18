"""Banners, full help, the usage document and the manual page."""
import os
import re
import shutil
import stat
import subprocess
import time

import harness

VERSION = "Tarvelo (32-bit) 2.0.6 32-bit"


class HelpTest(harness.TarveloTestCase):
    def app_path(self, binary=None):
        return os.path.dirname(os.path.realpath(binary or harness.BIN)) + "/"

    def test_no_argument_prints_the_short_banner(self):
        run = self.run_tarvelo()
        self.assertEqual(run.code, 0, run.err)
        lines = run.out.split("\n")
        self.assertEqual(lines[:3], ["", "  " + VERSION, lines[2]])
        self.assertTrue(lines[2].startswith(" " * 14) and lines[2].strip())
        self.assertIn("   AppPath : " + self.app_path(), lines)
        self.assertIn("   DataPath: " + run.data_folder, lines)
        self.assertEqual(lines[-4:], ['  Use "Tarvelo /?" for simple help.',
                                      '  Use "Tarvelo /u" to open the usage document.', "", ""])

    def test_full_help_by_every_spelling_and_nothing_is_scanned(self):
        tree = self.make_tree({"a.txt": "x"})
        first = self.run_tarvelo(tree, "/?")
        self.assertEqual(first.code, 0, first.err)
        lines = first.out.split("\n")
        self.assertEqual(lines[1], "  " + VERSION)
        for expected in ["    AppPath : " + self.app_path(), "    DataPath: " + first.data_folder,
                         "  Usage:", "    Tarvelo <folder to scan>",
                         "    /xfl{options};filename : output XML file list to <filename>",
                         "    /datatable:name        : used with above, set data table name",
                         " Add option /open after report to open it automatically."]:
            self.assertIn(expected, lines)
        # The database line names a switch that exists.
        self.assertNotIn("/updatefolderhistory", first.out)
        self.assertIn("    /sqlite                : enable database update", lines)
        self.assertEqual(lines[-3:], [" (Quorvane data folder, or Tarvelo install)", "", ""])
        # Printed before the folder is looked at: the same for a missing one.
        self.assertEqual(self.run_tarvelo(os.path.join(self.tmp, "missing"), "/?").out, first.out)
        # /o silences status lines only, never the help.
        for switches in [["/h"], ["/H"], ["--help"], ["-h"], ["/o", "/?"]]:
            with self.subTest(switches=switches):
                run = self.run_tarvelo(tree, *switches)
                self.assertEqual((run.code, run.out), (0, first.out))
        # Only the folder position may hold anything: /help is not /h.
        self.assertNotEqual(self.run_tarvelo(tree, "/help").out, first.out)

    def test_version(self):
        run = self.run_tarvelo("--version")
        self.assertEqual((run.code, run.out), (0, VERSION + "\n"))

    def stub_opener(self):
        """An xdg-open first on PATH that records its argument."""
        bindir = os.path.join(self.tmp, "stubbin")
        os.makedirs(bindir)
        record = os.path.join(self.tmp, "opened")
        stub = os.path.join(bindir, "xdg-open")
        with open(stub, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % record)
        os.chmod(stub, os.stat(stub).st_mode | stat.S_IXUSR)
        return bindir, record

    def wait_for(self, path):
        """The opener runs detached: wait for what it records."""
        for _ in range(100):
            if os.path.exists(path):
                with open(path) as f:
                    text = f.read()
                if text:
                    return text
            time.sleep(0.05)
        return ""

    def test_usage_document_printed_on_a_terminal_and_opened_on_a_desktop(self):
        bindir, record = self.stub_opener()
        path_env = bindir + os.pathsep + os.environ.get("PATH", "")
        with open(os.path.join(harness.SOURCE, "help", "usage.txt"), encoding="utf-8") as f:
            document = f.read()
        # No display: printed after the usage banner, the opener left alone.
        run = self.run_tarvelo("/u", env=self.env(PATH=path_env))
        self.assertEqual(run.code, 0, run.err)
        banner = run.out.split("\n")[:5]
        self.assertEqual(banner[:2], ["", "      " + VERSION])
        self.assertEqual(banner[4], "")
        self.assertTrue(run.out.endswith(document), run.out[-300:])
        self.assertFalse(os.path.exists(record))
        # A desktop session: handed to xdg-open, not printed.
        run = self.run_tarvelo("/U", env=self.env(PATH=path_env, DISPLAY=":0"))
        self.assertEqual(run.code, 0, run.err)
        self.assertNotIn("SYNOPSIS", run.out)
        self.assertEqual(self.wait_for(record), self.app_path() + "help/usage.txt\n")

    def test_missing_usage_document(self):
        binary = self.private_install()
        os.remove(os.path.join(os.path.dirname(binary), "help", "usage.txt"))
        run = self.run_tarvelo("/u", binary=binary)
        self.assertEqual(run.code, 2)
        self.assertEqual(run.out.split("\n")[1], "      " + VERSION)
        self.assertTrue(run.out.endswith("\nCannot find usage document.\n"), run.out)

    def test_manual_page_renders_and_is_installed(self):
        if not shutil.which("man"):
            self.skipTest("man not installed")
        page = os.path.join(harness.SOURCE, "help", "tarvelo.1")
        proc = subprocess.run(["man", "--warnings", "-l", page], capture_output=True,
                              env=dict(self.env(), MANWIDTH="80", MAN_KEEP_FORMATTING="0"))
        self.assertEqual(proc.returncode, 0, proc.stderr)
        self.assertEqual(proc.stderr.decode(), "")
        text = re.sub(".\x08", "", proc.stdout.decode())  # drop the overstrike bold
        for heading in ["NAME", "SYNOPSIS", "EXIT STATUS", "FILES"]:
            self.assertIn(heading, text)
        build = os.environ.get("TARVELO_BUILD_DIR")
        if build:
            prefix = os.path.join(self.tmp, "prefix")
            subprocess.run(["cmake", "--install", build, "--prefix", prefix],
                           check=True, capture_output=True)
            self.assertTrue(os.path.isfile(os.path.join(prefix, "share", "man", "man1", "tarvelo.1")))


if __name__ == "__main__":
    harness.main()

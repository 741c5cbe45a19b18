"""Start-up of a run: log, data folder tree, custom.ini, stored preferences,
language selection, installation checks and exit codes."""
import glob
import os
import shutil
import socket

import harness


def line_of(lines, index, text):
    lines = list(lines)
    while len(lines) <= index:
        lines.append("filler")
    lines[index] = text
    return lines


class StartupTest(harness.TarveloTestCase):
    def install_with_language(self, symbol, folder_not_found):
        """A private install with an extra language whose not-found text is known."""
        binary = self.private_install()
        root = os.path.dirname(binary)
        uk = os.path.join(root, "data", "languages", "uk")
        target = os.path.join(root, "data", "languages", symbol)
        shutil.copytree(uk, target)
        with open(os.path.join(uk, "language.txt"), encoding="utf-8") as f:
            lines = f.read().splitlines()
        with open(os.path.join(target, "language.txt"), "w", encoding="utf-8") as f:
            f.write("\n".join(line_of(lines, 161, folder_not_found)) + "\n")
        return binary

    def write_registry(self, key, *values):
        """The user's registry store holding one key with the given value lines."""
        folder = os.path.join(self.home, ".config", "kestrovia")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "registry.reg"), "w") as f:
            f.write("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\%s]\r\n" % key)
            f.write("".join(v + "\r\n" for v in values))

    def logs(self, binary):
        return sorted(glob.glob(os.path.join(os.path.dirname(binary), "logs", "tarvelo_*.log")))

    def test_missing_folder_is_named_and_fails(self):
        missing = os.path.join(self.tmp, "no such")
        run = self.run_tarvelo(missing)
        self.assertEqual(run.code, 1)
        self.assertIn(': "%s/".' % missing, run.out)
        self.assertTrue(run.out.startswith("  "), run.out)

    def test_quiet_run_logs_what_it_does_not_show(self):
        binary = self.private_install()
        missing = os.path.join(self.tmp, "gone")
        run = self.run_tarvelo(missing, "/o", binary=binary)
        self.assertEqual(run.code, 1)
        self.assertEqual(run.out, "")
        logs = self.logs(binary)
        self.assertEqual(len(logs), 1)
        with open(logs[0], encoding="utf-8") as f:
            log = f.read().splitlines()
        self.assertIn("[Tarvelo 32-bit is alive!]", log[0])
        self.assertTrue(any('"%s/".' % missing in line for line in log), log)

    def test_first_run_creates_the_data_tree_and_second_creates_nothing(self):
        tree = self.make_tree({"a.txt": "x"})
        run = self.run_tarvelo(tree, "/o")
        self.assertEqual(run.code, 0, run.out + run.err)
        host = socket.gethostname().split(".")[0]
        data = run.data_folder
        for sub in ["Tarvelo/Saves/Custom Reports", "Tarvelo/Reports/%s/CSV" % host,
                    "Tarvelo/Reports/%s/HTML/data" % host, "Tarvelo/Reports/%s/XML" % host,
                    "Tarvelo/Reports/%s/Tree" % host, "FolderHistory/Database",
                    "FolderHistory/%s" % host]:
            self.assertTrue(os.path.isdir(os.path.join(data, sub)), sub)
        before = sorted(os.walk(data))
        self.assertEqual(self.run_tarvelo(tree, "/o").code, 0)
        self.assertEqual(sorted(os.walk(data)), before)

    def test_data_path_rules_of_custom_ini(self):
        binary = self.private_install()
        app = os.path.dirname(binary)
        tree = self.make_tree({"f": "1"})
        cases = [
            ("[Tarvelo]\nDataPath=$qvfolder/mydata\n", os.path.join(app, "mydata")),
            ("[Main]\nDataPath=$qvdrive%s/q\n" % self.tmp, os.path.join(self.tmp, "q")),
            ("[Tarvelo]\nDataPath=\n[Main]\nDataPath=<TARVELO_T>/env\n", os.path.join(self.tmp, "fromenv", "env")),
            ("[Main]\nPortableMode=0\n", os.path.join(app, "system")),
        ]
        for ini, expected in cases:
            with self.subTest(ini=ini):
                with open(os.path.join(app, "custom.ini"), "w") as f:
                    f.write(ini)
                run = self.run_tarvelo(tree, "/sqlite", "/o", binary=binary,
                                       env=self.env(TARVELO_T=os.path.join(self.tmp, "fromenv")))
                self.assertTrue(os.path.isdir(os.path.join(expected, "FolderHistory", "Database")),
                                expected + "\n" + run.out)

    def test_unset_variable_in_data_path_falls_back_with_a_message(self):
        binary = self.private_install()
        app = os.path.dirname(binary)
        with open(os.path.join(app, "custom.ini"), "w") as f:
            f.write("[Main]\nDataPath=<TARVELO_UNSET_VAR>/x\n")
        run = self.run_tarvelo(self.make_tree({}), binary=binary)
        self.assertIn("  Configuration error\n", run.out)
        self.assertIn('  Environment variable "TARVELO_UNSET_VAR" not found.\n', run.out)
        self.assertIn("  Using: %s/system/\n" % app, run.out)
        self.assertTrue(os.path.isdir(os.path.join(app, "system", "FolderHistory")))

    def test_sqlite_switch_names_the_data_folder(self):
        run = self.run_tarvelo(self.make_tree({}), "/sqlite")
        self.assertRegex(run.out, r"  SQlite .*: %s\n" % run.data_folder)

    def test_useodbc_without_odbc_switch_writes_and_announces_the_local_database(self):
        binary = self.private_install()
        with open(os.path.join(os.path.dirname(binary), "custom.ini"), "w") as f:
            f.write("[Main]\nuseodbc=1\nconnectionstring=DSN=nowhere\n")
        run = self.run_tarvelo(self.make_tree({"a": "1"}), "/sqlite", binary=binary)
        self.assertEqual(run.code, 0, run.out)
        self.assertIn("  Writing to SQlite database... /FolderHistory/Database/Quorvane.db\n", run.out)
        self.assertNotIn("ODBC", run.out)

    def test_language_from_portable_prefs_and_from_registry_store(self):
        binary = self.install_with_language("nl", "Map niet gevonden")
        app = os.path.dirname(binary)
        missing = os.path.join(self.tmp, "nope")
        # Registry mode: the .reg store of the user.
        self.write_registry("Software\\Kestrovia\\Quorvane8", '"Language"=dword:00000001')
        self.assertIn("Map niet gevonden", self.run_tarvelo(missing, binary=binary).out)
        # Portable mode: every preference from custom.ini, the registry untouched.
        with open(os.path.join(app, "custom.ini"), "w") as f:
            f.write("[Main]\nPortableMode=1\n[Prefs]\nLanguage=5\n")
        out = self.run_tarvelo(missing, binary=binary).out
        self.assertNotIn("Map niet gevonden", out)  # pt is not installed: uk silently
        with open(os.path.join(app, "custom.ini"), "w") as f:
            f.write("[Main]\nPortableMode=1\n[Prefs]\nLanguage=1\n")
        self.assertIn("Map niet gevonden", self.run_tarvelo(missing, binary=binary).out)
        # "yes" is not portable mode: back to the registry's language.
        with open(os.path.join(app, "custom.ini"), "w") as f:
            f.write("[Main]\nPortableMode=yes\n[Prefs]\nLanguage=5\n")
        self.assertIn("Map niet gevonden", self.run_tarvelo(missing, binary=binary).out)

    def test_registry_value_of_wrong_type_ends_the_run_through_the_guard(self):
        self.write_registry("Software\\kestrovia\\Quorvane8", '"DateFormat"="two"')
        run = self.run_tarvelo(self.make_tree({}))
        self.assertEqual(run.code, 1)
        self.assertIn("  ERegistryException: Invalid data type for 'DateFormat'", run.out)

    def test_incomplete_installation_exits_2(self):
        binary = self.private_install()
        app = os.path.dirname(binary)
        shutil.rmtree(os.path.join(app, "data", "languages", "uk"))
        run = self.run_tarvelo(self.make_tree({}), binary=binary)
        self.assertEqual(run.code, 2)
        self.assertEqual(run.out, "")
        self.assertIn(os.path.join(app, "data", "languages", "uk", "language.txt"), run.err)
        shutil.rmtree(os.path.join(app, "data"))
        run = self.run_tarvelo(self.make_tree({}), binary=binary)
        self.assertEqual(run.code, 2)
        self.assertIn("  Quorvane is not properly installed\n", run.out)

    def test_log_falls_back_to_the_state_folder_when_beside_the_program_is_unwritable(self):
        binary = self.private_install()
        # A file where the logs folder should be: the folder cannot be made.
        open(os.path.join(os.path.dirname(binary), "logs"), "w").close()
        run = self.run_tarvelo(self.make_tree({}), "/o", binary=binary)
        self.assertEqual(run.code, 0, run.out + run.err)
        logs = glob.glob(os.path.join(self.home, ".local", "state", "tarvelo", "logs", "tarvelo_*.log"))
        self.assertEqual(len(logs), 1)


if __name__ == "__main__":
    harness.main()

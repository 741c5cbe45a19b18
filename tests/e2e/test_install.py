"""`cmake --install` gives a self-contained folder that runs where it lands."""
import os
import subprocess

import harness


class InstallTest(harness.TarveloTestCase):
    def test_installed_folder_runs_a_scan(self):
        build = os.environ.get("TARVELO_BUILD_DIR")
        if not build:
            self.skipTest("TARVELO_BUILD_DIR not set (run through ctest)")
        prefix = os.path.join(self.tmp, "opt", "tarvelo")
        subprocess.run(["cmake", "--install", build, "--prefix", prefix],
                       check=True, capture_output=True)
        for path in ["tarvelo", "data/languages/uk/language.txt", "data/languages/uk/units.txt",
                     "help/usage.txt"]:
            self.assertTrue(os.path.exists(os.path.join(prefix, path)), path)
        run = self.run_tarvelo(self.make_tree({"a.txt": "abc"}), "/o",
                               binary=os.path.join(prefix, "tarvelo"))
        self.assertEqual(run.code, 0, run.out + run.err)
        self.assertTrue(os.listdir(os.path.join(prefix, "logs")))


if __name__ == "__main__":
    harness.main()

"""Shared helpers for the black-box tests: run the built program in a private
home folder against trees made in temporary folders."""
import os
import shutil
import subprocess
import tempfile
import unittest

BIN = os.path.abspath(os.environ.get("TARVELO_BIN") or os.path.join(
    os.path.dirname(__file__), "..", "..", "build", "tarvelo"))
SOURCE = os.environ.get("TARVELO_SOURCE") or os.path.join(os.path.dirname(__file__), "..", "..")


class Run:
    def __init__(self, proc, home):
        self.code = proc.returncode
        self.out = proc.stdout.decode("utf-8", "replace")
        self.err = proc.stderr.decode("utf-8", "replace")
        self.home = home

    @property
    def data_folder(self):
        return os.path.join(self.home, "quorvane") + "/"


class TarveloTestCase(unittest.TestCase):
    """Each test gets a temporary folder (self.tmp) and its own HOME, so the
    data folder and the registry store are private to it."""

    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="tarvelo-test-")
        self.home = os.path.join(self.tmp, "home")
        os.makedirs(self.home)
        self.addCleanup(shutil.rmtree, self.tmp, True)

    def env(self, **extra):
        env = dict(os.environ)
        env["HOME"] = self.home
        env["XDG_CONFIG_HOME"] = os.path.join(self.home, ".config")
        env["XDG_STATE_HOME"] = os.path.join(self.home, ".local", "state")
        env.pop("DISPLAY", None)
        env.pop("WAYLAND_DISPLAY", None)
        env.update(extra)
        return env

    def run_tarvelo(self, *args, binary=None, env=None, cwd=None, timeout=600):
        proc = subprocess.run([binary or BIN, *args], capture_output=True,
                              env=env or self.env(), cwd=cwd or self.tmp, timeout=timeout)
        return Run(proc, self.home)

    def make_tree(self, layout, root=None):
        """layout: {"name": bytes-or-str-content, "dir/": {...}}; names may be bytes."""
        root = root or os.path.join(self.tmp, "tree")
        os.makedirs(root, exist_ok=True)
        for name, content in layout.items():
            bname = name if isinstance(name, bytes) else name.encode()
            path = os.path.join(os.fsencode(root), bname.rstrip(b"/"))
            if isinstance(content, dict):
                os.makedirs(path, exist_ok=True)
                self.make_tree(content, root=os.fsdecode(path))
            else:
                with open(path, "wb") as f:
                    f.write(content if isinstance(content, bytes) else content.encode())
        return root

    def private_install(self):
        """A copy of the program and its installation data in a folder of the
        test's own, for tests that put custom.ini beside the program or remove
        installation files."""
        folder = os.path.join(self.tmp, "install")
        os.makedirs(folder)
        shutil.copy2(BIN, folder)
        bindir = os.path.dirname(os.path.abspath(BIN))
        for sub in ("data", "help"):
            if os.path.isdir(os.path.join(bindir, sub)):
                shutil.copytree(os.path.join(bindir, sub), os.path.join(folder, sub))
        return os.path.join(folder, "tarvelo")


def main():
    unittest.main(verbosity=2)

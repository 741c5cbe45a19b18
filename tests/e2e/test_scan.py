"""Scans of real trees: every entry the program records agrees with what the
file system reports, and awkward trees (deep, looping, unreadable) scan
without error."""
import os
import pwd
import shutil
import subprocess
import tempfile
import time
import xml.etree.ElementTree as ET

import harness

LANGUAGE = os.path.join(os.path.dirname(os.path.abspath(harness.BIN)), "data", "languages", "uk",
                        "language.txt")


def text(index):
    with open(LANGUAGE, encoding="utf-8-sig") as f:
        return f.read().splitlines()[index]


def birth_or_mtime(path):
    out = subprocess.run(["stat", "-c", "%W %Y", "--", path], capture_output=True, check=True).stdout
    birth, mtime = (int(x) for x in out.split())
    return birth if birth > 0 else mtime


def day(seconds):
    t = time.localtime(seconds)
    return t.tm_year * 10000 + t.tm_mon * 100 + t.tm_mday, t.tm_hour * 100 + t.tm_min


def owner_name(uid):
    try:
        return pwd.getpwuid(uid).pw_name
    except KeyError:
        return str(uid)


def remove_deep(root):
    """Bottom-up removal by descriptor: recursive removal by path is quadratic
    (and recursion-limited) in a tree 10,000 levels deep."""
    fd = os.open(root, os.O_RDONLY | os.O_DIRECTORY)
    try:
        while True:
            names = os.listdir(fd)
            sub = [n for n in names
                   if os.stat(n, dir_fd=fd, follow_symlinks=False).st_mode & 0o170000 == 0o040000]
            for n in names:
                if n not in sub:
                    os.unlink(n, dir_fd=fd)
            if not sub:
                up = os.open("..", os.O_RDONLY | os.O_DIRECTORY, dir_fd=fd)
                here = os.stat(fd)
                os.close(fd)
                fd = up
                if os.path.samestat(here, os.stat(root)):
                    break
                for n in os.listdir(fd):
                    st = os.stat(n, dir_fd=fd, follow_symlinks=False)
                    if os.path.samestat(st, here):
                        os.rmdir(n, dir_fd=fd)
                        break
                continue
            nxt = os.open(sub[0], os.O_RDONLY | os.O_DIRECTORY, dir_fd=fd)
            os.close(fd)
            fd = nxt
    finally:
        os.close(fd)
    os.rmdir(root)


class ScanTest(harness.TarveloTestCase):
    def file_list(self, tree, *switches, **kw):
        out = os.path.join(self.tmp, "list.xml")
        run = self.run_tarvelo(tree, "/xfl;" + out, *switches, **kw)
        self.assertEqual(run.code, 0, run.out + run.err)
        items = []
        for item in ET.parse(out).getroot().iter("item"):
            items.append({child.tag: (child.text or "") for child in item})
        return run, items

    def test_every_entry_agrees_with_the_file_system(self):
        tree = self.make_tree({
            "top.txt": "hello",
            "empty.dat": "",
            ".hidden": "h",
            "with blank é.doc": "x" * 5000,
            "a/": {"b/": {"c/": {"deep.mp3": "m" * 70000}}, "empty/": {}},
            "target/": {"inside.txt": "i"},
            "other.bin": "o" * 10,
            "ghost.bin": "g",
        })
        os.chown(os.path.join(tree, "other.bin"), 65534, 65534)
        os.chown(os.path.join(tree, "ghost.bin"), 54321, 54321)  # an id without a name
        os.chmod(os.path.join(tree, "top.txt"), 0o444)
        os.symlink("target", os.path.join(tree, "link"))
        run, items = self.file_list(tree)

        found = {}
        for dirpath, dirnames, filenames in os.walk(tree):
            for name in dirnames + filenames:
                found[os.path.join(dirpath, name)] = os.lstat(os.path.join(dirpath, name))
        got = {it["path"] + it["name"]: it for it in items}
        self.assertEqual(sorted(got), sorted(found))
        for path, st in found.items():
            it = got[path]
            with self.subTest(path=path):
                is_dir = os.path.isdir(path) and not os.path.islink(path)
                self.assertEqual(it["folder"], "1" if is_dir else "0")
                if not is_dir:
                    self.assertEqual(int(it["sizebytes"]), st.st_size)
                    self.assertEqual(int(it["sizeondiskbytes"]), st.st_blocks * 512)
                    self.assertEqual(it["owner"], owner_name(st.st_uid))
                date_m, time_m = day(st.st_mtime)
                date_a, time_a = day(st.st_atime)
                date_c, time_c = day(birth_or_mtime(path))
                self.assertEqual(int(it["datemodifiedyyyymmdd"]), date_m)
                self.assertEqual(int(it["timemodified"]), time_m)
                self.assertEqual(int(it["dateaccessedyyyymmdd"]), date_a)
                self.assertEqual(int(it["timeaccessed"]), time_a)
                self.assertEqual(int(it["datecreatedyyyymmdd"]), date_c)
                self.assertEqual(int(it["timecreated"]), time_c)
                self.assertEqual(it["hidden"], "1" if os.path.basename(path).startswith(".") else "0")
                self.assertEqual(it["readonly"], "0" if st.st_mode & 0o200 else "1")
                self.assertEqual(it["archive"], "0")
        self.assertEqual(got[os.path.join(tree, "ghost.bin")]["owner"], "54321")
        self.assertEqual(got[os.path.join(tree, "other.bin")]["owner"], owner_name(65534))
        self.assertEqual(got[os.path.join(tree, "empty.dat")]["sizebytes"], "0")

        # The link is an entry of its own and its target's file is counted once.
        link = got[os.path.join(tree, "link")]
        self.assertEqual(link["folder"], "0")
        self.assertEqual(int(link["sizebytes"]), len("target"))
        self.assertEqual(sum(1 for it in items if it["name"] == "inside.txt"), 1)

    def test_plain_run_prints_the_summary(self):
        tree = self.make_tree({"a.txt": "12345", "sub/": {"b.txt": "123", "c/": {}}})
        run = self.run_tarvelo(tree)
        self.assertEqual(run.code, 0, run.out + run.err)
        lines = [l.strip() for l in run.out.splitlines()]
        self.assertIn(text(556) + ' "' + tree + '/"', lines)
        self.assertIn(text(563) + " 2", lines)
        self.assertIn(text(564) + " 2", lines)
        self.assertIn(text(565) + " 8 " + text(74), lines)
        self.assertIn(text(570) + " 4 " + text(74), lines)
        self.assertIn(text(557) + " 1.00", lines)
        quiet = self.run_tarvelo(tree, "/o")
        self.assertEqual(quiet.code, 0)
        self.assertEqual(quiet.out.strip(), "")

    def test_names_of_any_bytes_are_counted_and_written_safely(self):
        names = [b"bad\xff\xfe.txt", b"line\nbreak", b"<tag>&amp;\"q\"", b"\x1b[2Jesc", b" lead", b"tab\tx"]
        tree = self.make_tree({n: b"12" for n in names})
        os.mkdir(os.path.join(os.fsencode(tree), b"dir\xff"))
        run, items = self.file_list(tree)
        self.assertEqual(len(items), len(names) + 1)
        self.assertEqual(sum(int(it["sizebytes"]) for it in items if it["folder"] == "0"), 2 * len(names))
        self.assertNotIn("\x1b", run.out)
        plain = self.run_tarvelo(tree)
        self.assertEqual(plain.code, 0)
        self.assertIn(text(563) + " " + str(len(names)), [l.strip() for l in plain.out.splitlines()])

    def test_owner_switches(self):
        tree = self.make_tree({"a.txt": "12345", "only/": {"b.txt": "1"}})
        os.chown(os.path.join(tree, "a.txt"), 65534, 65534)
        _, items = self.file_list(tree)
        owners = {it["name"]: it["owner"] for it in items}
        self.assertEqual(owners["a.txt"], owner_name(65534))
        self.assertEqual(owners["b.txt"], owner_name(os.getuid()))
        _, items = self.file_list(tree, "/nouser")
        self.assertEqual({it["owner"] for it in items}, {text(407)})

    def test_folders_without_files_still_have_an_owner(self):
        tree = self.make_tree({"a/": {"b/": {}}, "c/": {}})
        _, items = self.file_list(tree)
        self.assertEqual(len(items), 3)
        self.assertEqual({it["owner"] for it in items}, {text(407)})

    def test_noprocess_and_debug(self):
        install = self.private_install()
        tree = self.make_tree({"a.txt": "12345", "sub/": {"b.txt": "1"}})
        run = self.run_tarvelo(tree, "/noprocess", "/debug", binary=install)
        self.assertEqual(run.code, 0, run.out + run.err)
        lines = [l.strip() for l in run.out.splitlines()]
        self.assertIn(text(563) + " 0", lines)
        logs = os.path.join(os.path.dirname(install), "logs")
        log = ""
        for name in os.listdir(logs):
            with open(os.path.join(logs, name), encoding="utf-8", errors="replace") as f:
                log += f.read()
        self.assertIn("Folder: " + tree + "/", log)
        self.assertIn("Folder: " + tree + "/sub/", log)

    def test_deep_tree_and_link_loops(self):
        base = "/dev/shm" if os.access("/dev/shm", os.W_OK) else self.tmp
        root = tempfile.mkdtemp(prefix="tarvelo-deep-", dir=base)
        self.addCleanup(remove_deep, root)
        fd = os.open(root, os.O_RDONLY)
        for _ in range(10000):
            os.mkdir("d", dir_fd=fd)
            os.symlink("..", "up", dir_fd=fd)
            nxt = os.open("d", os.O_RDONLY, dir_fd=fd)
            os.close(fd)
            fd = nxt
        with open(os.open("leaf.txt", os.O_CREAT | os.O_WRONLY, dir_fd=fd), "w") as f:
            f.write("leaf")
        os.symlink(".", "loop", dir_fd=fd)
        os.close(fd)
        run, items = self.file_list(root)
        self.assertEqual(sum(1 for it in items if it["folder"] == "1"), 10000)
        self.assertEqual(len(items), 10000 * 2 + 2)
        leaf = [it for it in items if it["name"] == "leaf.txt"]
        self.assertEqual(len(leaf), 1)
        self.assertEqual(leaf[0]["path"], root + "/" + "d/" * 10000)

    def test_unreadable_folder_is_listed_but_not_walked(self):
        if os.geteuid() != 0 or not shutil.which("setpriv"):
            self.skipTest("needs root to run the scan as another user")
        os.chmod(self.tmp, 0o755)
        tree = self.make_tree({"open.txt": "1", "closed/": {"secret.txt": "2"}})
        os.chmod(os.path.join(tree, "closed"), 0o000)
        home = self.home
        shutil.chown(home, 65534, 65534)
        out = os.path.join(home, "list.xml")
        proc = subprocess.run(["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                               harness.BIN, tree, "/xfl;" + out], capture_output=True,
                              env=self.env(), cwd=home, timeout=120)
        self.assertEqual(proc.returncode, 0, proc.stdout + proc.stderr)
        names = sorted(i.findtext("name") for i in ET.parse(out).getroot().iter("item"))
        self.assertEqual(names, ["closed", "open.txt"])

    def test_bind_mount_loop_and_pseudo_file_system_are_not_entered(self):
        if os.geteuid() != 0 or not shutil.which("unshare"):
            self.skipTest("needs root and unshare for a private mount namespace")
        tree = self.make_tree({"f.txt": "1", "sub/": {"loop/": {}}, "proc/": {}})
        out = os.path.join(self.tmp, "list.xml")
        script = ('mount --make-rprivate / && mount --bind "$1" "$1/sub/loop" && '
                  'mount -t proc proc "$1/proc" && exec "$2" "$1" "/xfl;$3"')
        proc = subprocess.run(["unshare", "-m", "sh", "-c", script, "sh", tree, harness.BIN, out],
                              capture_output=True, env=self.env(), timeout=120)
        if proc.returncode != 0 and b"mount" in proc.stderr:
            self.skipTest("mounts not permitted here: " + proc.stderr.decode(errors="replace"))
        self.assertEqual(proc.returncode, 0, proc.stdout + proc.stderr)
        paths = sorted(i.findtext("path")[len(tree):] + i.findtext("name")
                       for i in ET.parse(out).getroot().iter("item"))
        self.assertEqual(paths, ["/f.txt", "/proc", "/sub", "/sub/loop"])


if __name__ == "__main__":
    harness.main()

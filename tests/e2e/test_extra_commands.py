"""/listroot and /cat: answered before the switches are applied, nothing scanned."""
import os

import harness


class ListRootTest(harness.TarveloTestCase):
    def make_listing_tree(self):
        root = self.make_tree({
            "sub/": {"inner.txt": "not listed"},
            ".hidden/": {},
            "a.txt": "a",
            ".dot": "",
            b"bad\xffname": "x",
            "new\nline": "x",
        })
        os.symlink(os.path.join(root, "sub"), os.path.join(root, "link"))
        os.mkfifo(os.path.join(root, "pipe"))
        return root

    def test_folders_first_then_the_other_entries(self):
        root = self.make_listing_tree()
        for argument in (root, root + "/"):
            with self.subTest(argument=argument):
                run = self.run_tarvelo(argument, "/listroot", "/test")
                self.assertEqual(run.code, 0, run.err)
                lines = run.out.split("\n")
                self.assertEqual(lines[:3], ["", '  Root of "%s/":' % root, ""])
                self.assertEqual(lines[-2:], ["", ""])
                body = lines[3:-2]
                folders = sorted(body[:2])
                self.assertEqual(folders, ["    %s/.hidden/" % root, "    %s/sub/" % root])
                # A link to a folder is an entry of its own, never a folder;
                # names are shown printable, one line each.
                self.assertEqual(sorted(body[2:]), sorted(
                    "    %s/%s" % (root, name)
                    for name in [".dot", "a.txt", "bad\ufffdname", "link", "new?line", "pipe"]))
                self.assertNotIn("inner.txt", run.out)
                self.assertNotIn("Testing parameters", run.out)  # /listroot comes first

        # Same lines with and without the final delimiter.
        self.assertEqual(self.run_tarvelo(root, "/LISTROOT").out,
                         self.run_tarvelo(root + "/", "/listroot").out)

    def test_a_folder_that_cannot_be_listed_gives_the_frame_and_fails(self):
        missing = os.path.join(self.tmp, "missing")
        run = self.run_tarvelo(missing, "/listroot")
        self.assertEqual(run.code, 1)
        self.assertEqual(run.out, '\n  Root of "%s/":\n\n\n' % missing)
        # An empty argument names no folder (it does not list "/").
        run = self.run_tarvelo("", "/listroot")
        self.assertEqual((run.code, run.out), (1, '\n  Root of "/":\n\n\n'))


class CatTest(harness.TarveloTestCase):
    def test_picture_with_its_frame_lines(self):
        tree = self.make_tree({"a.txt": "x"})
        run = self.run_tarvelo(tree, "/cat", "/test", "/o")
        self.assertEqual(run.code, 0, run.err)
        lines = run.out.split("\n")
        self.assertEqual(lines[0], "")
        self.assertEqual(lines[-2:], ["", ""])
        self.assertTrue(lines[-3].strip())           # the closing line
        self.assertEqual(lines[-4], "")               # empty line after the picture
        picture = lines[1:-4]
        self.assertTrue(15 <= len(picture) <= 25, len(picture))
        self.assertTrue(all(0 < len(line) <= 48 for line in picture), picture)
        self.assertNotIn("Testing parameters", run.out)  # /cat comes before /test


if __name__ == "__main__":
    harness.main()

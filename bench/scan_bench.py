#!/usr/bin/env python3
"""Scan benchmark: builds synthetic trees under /tmp and times
`tarvelo TREE /o` (scan and analysis) against `du -s TREE` on the same tree,
warm cache, with the peak memory of each run. The trees are deleted at the end.

    python3 bench/scan_bench.py [--bin build/tarvelo] [--sizes 100000 1000000] [--runs 3]
"""
import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

EXTENSIONS = ["txt", "doc", "jpg", "mp3", "c", "h", "zip", "log", "dat", "xyz%d", ""]


def build_tree(root, entries, seed=1):
    """`entries` files and folders: folders of 200 entries, 40 folders per parent.
    Files are sparse (sizes without data blocks), so the tree costs inodes only."""
    rnd = random.Random(seed)
    made = 0
    folder_index = 0
    parents = [root]
    pending = [root]
    while made < entries:
        parent = pending.pop(0) if pending else parents[-1]
        for g in range(40):
            if made >= entries:
                break
            folder = os.path.join(parent, "folder_%05d" % folder_index)
            folder_index += 1
            os.mkdir(folder)
            made += 1
            parents.append(folder)
            pending.append(folder)
            fd = os.open(folder, os.O_RDONLY | os.O_DIRECTORY)
            for i in range(199):
                if made >= entries:
                    break
                ext = rnd.choice(EXTENSIONS)
                if "%d" in ext:
                    ext = ext % rnd.randrange(50)
                stem = "file_%d" % i if rnd.random() < 0.7 else "a_rather_longer_file_name_%06d" % i
                name = stem + ("." + ext if ext else "")
                f = os.open(name, os.O_CREAT | os.O_WRONLY, 0o644, dir_fd=fd)
                os.ftruncate(f, int(rnd.lognormvariate(8, 3)) % (1 << 34))
                os.close(f)
                made += 1
            os.close(fd)
    return made


TIME = "/usr/bin/time" if os.access("/usr/bin/time", os.X_OK) else None


def timed(argv, env=None):
    """Wall time, CPU time (user + system) and peak resident memory in bytes
    of one run. /usr/bin/time reports the peak of the program itself; the
    fallback (rusage of the child) also counts the forked interpreter."""
    out = tempfile.NamedTemporaryFile(prefix="tarvelo-bench-time-", dir="/tmp", delete=False)
    out.close()
    cmd = [TIME, "-f", "%M", "-o", out.name] + argv if TIME else argv
    try:
        start = time.perf_counter()
        proc = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env)
        _, status, usage = os.wait4(proc.pid, 0)
        elapsed = time.perf_counter() - start
        err = proc.stderr.read()
        proc.stderr.close()
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit("%s failed: %s" % (argv[0], err.decode(errors="replace")))
        with open(out.name) as f:
            text = f.read().split()
        peak = int(text[-1]) * 1024 if TIME and text else usage.ru_maxrss * 1024
    finally:
        os.unlink(out.name)
    return elapsed, usage.ru_utime + usage.ru_stime, peak


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser()
    ap.add_argument("--bin", default=os.path.join(here, "..", "build", "tarvelo"))
    ap.add_argument("--sizes", type=int, nargs="+", default=[100000, 1000000])
    ap.add_argument("--runs", type=int, default=3)
    args = ap.parse_args()
    binary = os.path.abspath(args.bin)

    home = tempfile.mkdtemp(prefix="tarvelo-bench-home-", dir="/tmp")
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_STATE_HOME=os.path.join(home, ".state"))
    results = []
    try:
        for size in args.sizes:
            root = tempfile.mkdtemp(prefix="tarvelo-bench-%d-" % size, dir="/tmp")
            try:
                t0 = time.perf_counter()
                n = build_tree(root, size)
                print("tree of %d entries built in %.1f s" % (n, time.perf_counter() - t0), flush=True)
                timed(["du", "-s", root])  # warm the cache
                timed([binary, root, "/o"], env)
                empty = tempfile.mkdtemp(prefix="tarvelo-bench-empty-", dir="/tmp")
                base = timed([binary, empty, "/o"], env)[2]
                os.rmdir(empty)
                du_t, tv_t, du_c, tv_c = [], [], [], []
                du_m = tv_m = 0
                for _ in range(args.runs):
                    t, c, m = timed(["du", "-s", root])
                    du_t.append(t)
                    du_c.append(c)
                    du_m = max(du_m, m)
                    t, c, m = timed([binary, root, "/o"], env)
                    tv_t.append(t)
                    tv_c.append(c)
                    tv_m = max(tv_m, m)
                du_best, tv_best = min(du_t), min(tv_t)
                results.append((n, du_best, tv_best, du_m, tv_m, min(tv_c)))
                print("  program at rest (empty folder): peak %.1f MB; above it %.0f bytes per entry" %
                      (base / 1e6, (tv_m - base) / n))
                print("  du -s      wall %.3f s  cpu %.3f s  peak %.1f MB  (best of %d)" %
                      (du_best, min(du_c), du_m / 1e6, args.runs))
                print("  tarvelo /o wall %.3f s  cpu %.3f s  peak %.1f MB" %
                      (tv_best, min(tv_c), tv_m / 1e6))
                print("  ratio wall %.2f, cpu %.2f; %.0f bytes per entry; %.2f us per entry" %
                      (tv_best / du_best, min(tv_c) / min(du_c), tv_m / n, tv_best / n * 1e6), flush=True)
            finally:
                t0 = time.perf_counter()
                shutil.rmtree(root)
                print("  tree removed in %.1f s" % (time.perf_counter() - t0), flush=True)
    finally:
        shutil.rmtree(home, True)

    if len(results) >= 2:
        (n1, _, t1, _, m1, c1), (n2, _, t2, _, m2, c2) = results[0], results[-1]
        print("linearity: wall per entry %.2f us at %d, %.2f us at %d (x%.2f); "
              "cpu per entry %.2f us and %.2f us (x%.2f); marginal memory %.0f bytes per entry" %
              (t1 / n1 * 1e6, n1, t2 / n2 * 1e6, n2, (t2 / n2) / (t1 / n1),
               c1 / n1 * 1e6, c2 / n2 * 1e6, (c2 / n2) / (c1 / n1), (m2 - m1) / (n2 - n1)))


if __name__ == "__main__":
    main()

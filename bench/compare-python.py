#!/usr/bin/env python3
"""quillmora-cli side by side with the Python a power user would write.

Generates a main-word and a long-tail file (GBK Chinese words of 2 to 6 characters, some
ASCII, some words extending others), runs both files-in-file-out, checks that the two outputs
are the same bytes, and prints both times, the ratio and the CLI's peak memory.

    bench/compare-python.py [--cli build/linux/cli/quillmora-cli] [--words 2000] [--runs 3]
"""

import argparse
import os
import random
import subprocess
import sys
import tempfile
import time

PEER = r"""
import itertools, sys
def words(path):
    with open(path, 'rb') as f:
        return [w for w in f.read().split(b'\r\n') if w]
main, tail = words(sys.argv[1]), words(sys.argv[2])
phrases = dict.fromkeys(m + t for m, t in itertools.product(main, tail))
with open(sys.argv[3], 'wb') as f:
    f.write(b''.join(p + b'\r\n' for p in phrases))
"""


def make_words(count, rng):
    def chinese(n):
        return bytes(b for _ in range(n) for b in (rng.randint(0xB0, 0xD6), rng.randint(0xA1, 0xFE)))

    words, seen = [], set()
    while len(words) < count:
        roll = rng.random()
        if words and roll < 0.15:
            word = rng.choice(words) + chinese(rng.randint(1, 2))
        elif roll < 0.25:
            word = bytes(rng.randint(0x61, 0x7A) for _ in range(rng.randint(3, 10)))
        else:
            word = chinese(rng.randint(2, 6))
        if word not in seen:
            seen.add(word)
            words.append(word)
    return words


def timed(command, runs):
    """Best wall time, best CPU time (user + system) and peak memory in KiB over the runs."""
    best_wall = best_cpu = None
    peak = 0
    for _ in range(runs):
        start = time.perf_counter()
        child = subprocess.Popen(command)
        _, status, usage = os.wait4(child.pid, 0)
        elapsed = time.perf_counter() - start
        if os.waitstatus_to_exitcode(status) != 0:
            raise SystemExit(f"{command[0]} failed")
        cpu = usage.ru_utime + usage.ru_stime
        best_wall = elapsed if best_wall is None else min(best_wall, elapsed)
        best_cpu = cpu if best_cpu is None else min(best_cpu, cpu)
        peak = max(peak, usage.ru_maxrss)
    return best_wall, best_cpu, peak


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default=os.path.join(here, "..", "build", "linux", "cli", "quillmora-cli"))
    parser.add_argument("--words", type=int, default=2000, help="words in each list")
    parser.add_argument("--runs", type=int, default=3, help="runs of each, the best counts")
    args = parser.parse_args()

    rng = random.Random(20261211)
    with tempfile.TemporaryDirectory(prefix="quillmora-compare-") as folder:
        main_file = os.path.join(folder, "main.txt")
        tail_file = os.path.join(folder, "tail.txt")
        for path in (main_file, tail_file):
            with open(path, "wb") as f:
                f.write(b"".join(w + b"\r\n" for w in make_words(args.words, rng)))
        cli_out = os.path.join(folder, "cli.txt")
        peer_out = os.path.join(folder, "peer.txt")

        cli_time, cli_cpu, cli_peak_kib = timed(
            [args.cli, "--main", main_file, "--tail", tail_file, "-o", cli_out], args.runs)
        peer_time, peer_cpu, _ = timed([sys.executable, "-c", PEER, main_file, tail_file, peer_out],
                                       args.runs)

        with open(cli_out, "rb") as a, open(peer_out, "rb") as b:
            same = a.read() == b.read()
        size = os.path.getsize(cli_out)
        limit_mib = 3 * size / 2**20 + 64
        print(f"lists: {args.words} x {args.words} words, phrase file {size / 2**20:.1f} MiB")
        print(f"quillmora-cli: {cli_time:.3f} s ({cli_cpu:.3f} s CPU), peak memory "
              f"{cli_peak_kib / 1024:.1f} MiB (limit 3 x file + 64 MiB = {limit_mib:.1f} MiB)")
        print(f"python:        {peer_time:.3f} s ({peer_cpu:.3f} s CPU)")
        print(f"ratio:         {peer_time / cli_time:.1f} x faster ({peer_cpu / cli_cpu:.1f} x in CPU time)")
        print(f"outputs:       {'identical' if same else 'DIFFERENT'}")
        return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main())

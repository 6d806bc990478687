#!/usr/bin/env python3
"""Times talvo's command-line verbs on a generated store, side by side with grep and wc."""

import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

from bench_store import make_store, parse_options

ABSENT = "Xilofonista"  # occurs in no entry, in any letter case
PLANTED = "Pirilampo"  # occurs in exactly PLANTED_COUNT entries
PLANTED_COUNT = 1000
ENV = {"PATH": "/usr/bin:/bin", "LC_ALL": "C"}


def cases(talvo):
    """(name, argv, expected status, peer name): the verbs and the peers they answer to."""
    return [
        ("wc -l", ["wc", "-l", "citas.txt"], 0, None),
        ("grep -c -F (absent)", ["grep", "-c", "-F", ABSENT, "citas.txt"], 1, None),
        ("grep -c -F -i (absent)", ["grep", "-c", "-F", "-i", ABSENT.lower(), "citas.txt"], 1,
         None),
        ("grep -c -F (1000 matches)", ["grep", "-c", "-F", PLANTED, "citas.txt"], 0, None),
        ("talvo contar", [talvo, "contar"], 0, "grep -c -F (absent)"),
        ("talvo procurar (absent)", [talvo, "procurar", ABSENT], 1, "grep -c -F (absent)"),
        ("talvo procurar -i (absent)", [talvo, "procurar", "-i", ABSENT.lower()], 1,
         "grep -c -F -i (absent)"),
        ("talvo procurar (1000 matches)", [talvo, "procurar", PLANTED], 0,
         "grep -c -F (1000 matches)"),
        ("talvo aleatoria", [talvo, "aleatoria"], 0, "wc -l"),
        ("talvo exportar", [talvo, "exportar"], 0, None),
    ]


def run(argv, cwd):
    """Wall and CPU seconds of one run, its exit status. The output goes to a file, not to
    /dev/null, where grep would stop at the first match."""
    with open(Path(cwd) / "out.txt", "wb") as out:
        start = time.perf_counter()
        proc = subprocess.Popen(argv, cwd=cwd, stdout=out, env=ENV)
        _, status, usage = os.wait4(proc.pid, 0)
        wall = time.perf_counter() - start
    return wall, usage.ru_utime + usage.ru_stime, os.waitstatus_to_exitcode(status)


def main():
    args = parse_options(__doc__, "/tmp/talvo-verbs-bench")
    talvo = args.talvo
    work = Path(args.workdir)
    work.mkdir(parents=True, exist_ok=True)
    store = work / "citas.txt"
    make_store(store, work / "made-with", args.entries, args.seed,
               ["--plant", PLANTED, "--plant-count", str(PLANTED_COUNT), "--absent", ABSENT])
    # The answers first: timings of a wrong answer mean nothing.
    count = subprocess.run([talvo, "contar"], cwd=work, env=ENV, capture_output=True, text=True)
    if count.stdout.strip() != str(args.entries):
        sys.exit(f"contar said {count.stdout!r}, not {args.entries}")
    found = subprocess.run([talvo, "procurar", PLANTED], cwd=work, env=ENV, capture_output=True)
    if found.stdout.count(b"\n\t-- ") != PLANTED_COUNT:
        sys.exit("procurar did not find the planted word exactly where it is")
    subprocess.run(["cat", str(store)], stdout=subprocess.DEVNULL, check=True)  # warm cache

    table = cases(talvo)
    walls = {name: [] for name, *_ in table}
    cpus = {name: [] for name, *_ in table}
    load = os.getloadavg()[0]
    for _ in range(args.runs):  # side by side: each round runs every case once
        for name, argv, status, _peer in table:
            wall, cpu, got = run(argv, work)
            if got != status:
                sys.exit(f"{name}: status {got}, not {status}")
            walls[name].append(wall)
            cpus[name].append(cpu)
    m = statistics.median
    print(f"{args.entries:,} entries, {store.stat().st_size / 1e6:.1f} MB; median of "
          f"{args.runs} runs, ms; load average {load:.2f} before, {os.getloadavg()[0]:.2f} after")
    print()
    print("| command | wall | CPU | peer | ratio (wall) | ratio (CPU) |")
    print("|---|---:|---:|---|---:|---:|")
    for name, _argv, _status, peer in table:
        cells = [name, f"{m(walls[name]) * 1000:.1f}", f"{m(cpus[name]) * 1000:.1f}"]
        if peer:
            cells += [peer, f"{m(walls[name]) / m(walls[peer]):.2f}",
                      f"{m(cpus[name]) / m(cpus[peer]):.2f}"]
        else:
            cells += ["", "", ""]
        print("| " + " | ".join(cells) + " |")


if __name__ == "__main__":
    main()

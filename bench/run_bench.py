#!/usr/bin/env python3
"""Times talvo on big generated stores against grep, cat and cp + sync on the same file."""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
ABSENT = "Xilofonista"  # occurs in no entry, in any letter case
PLANTED = "Pirilampo"  # occurs in exactly PLANTED_COUNT entries
PLANTED_COUNT = 1000
UNIQUE = "Ornitorrinco"  # occurs in the middle entry only
TIME = "/usr/bin/time"  # GNU time, for the child's peak memory
ENV = {"PATH": "/usr/bin:/bin", "LC_ALL": "C"}  # no cls on this PATH: no screen clearing

NEW_QUOTE = '"Uma nova cita\x87\xc6o para o banco de ensaio."'.encode("latin-1")  # cp850
MORE_ADDS = 100  # the extra additions of the run that measures one addition alone


def adding(times):
    """One run of the adding dialogue that adds `times` entries, then ends."""
    one = NEW_QUOTE + b"\nAutor de Ensaio\nS\n\n"
    return b"1\n" + (one + b"1\n") * (times - 1) + one + b"0\n"


def talvo_inputs(entries):
    """The bytes typed for each operation; every run ends cleanly at a continuation prompt."""
    waits = b"\n" * (PLANTED_COUNT // 10 + 1)  # a wait after every 10th result, and the last
    return {
        "exit": b"0\n",
        "count": b"9\n\n0\n",
        "search exact, no match": f"2\n{ABSENT}\nN\n\n0\n".encode(),
        "search ignoring case, no match": f"2\n{ABSENT.lower()}\nS\n\n0\n".encode(),
        "search, 1000 matches": f"2\n{PLANTED}\nN\n".encode() + waits + b"0\n",
        "delete one entry": f"3\n{UNIQUE}\n1\nN\n\nS\n\n0\n".encode(),
        "add one entry": adding(1),
        f"add {MORE_ADDS + 1} entries": adding(MORE_ADDS + 1),
        # Every quotation holds a double quote: the whole store is listed.
        "search matching every entry": b'2\n"\nN\n' + b"\n" * (entries // 10 + 1) + b"0\n",
    }


def expected_output(entries):
    """What each operation's output must hold (cp850), and how many times."""
    none_found = "N\u00e3o h\u00e1 resultados a mostrar.".encode("cp850")
    added = b"Estado: Entrada adicionada com sucesso"
    return {
        "exit": (None, 0),
        "count": (f"Existem em mem\u00f3ria {entries} cita\u00e7\u00f5es.".encode("cp850"), 1),
        "search exact, no match": (none_found, 1),
        "search ignoring case, no match": (none_found, 1),
        "search, 1000 matches": (f"Houveram {PLANTED_COUNT} resultados.".encode(), 1),
        "delete one entry": (b"Entrada eliminada com sucesso.", 1),
        "add one entry": (added, 1),
        f"add {MORE_ADDS + 1} entries": (added, MORE_ADDS + 1),
        "search matching every entry": (f"Houveram {entries} resultados.".encode(), 1),
    }


CHANGES_STORE = {"delete one entry", "add one entry", f"add {MORE_ADDS + 1} entries"}


def run(argv, cwd, stdin_path=None, stdout=subprocess.DEVNULL):
    """Runs one process; returns (wall seconds, max RSS in KiB, exit status).

    The peak memory comes from /usr/bin/time, whose small process is the one that forks the
    program: a child forked straight from this interpreter would inherit its high-water mark.
    """
    rss_file = Path(cwd) / ".maxrss"
    stdin = open(stdin_path, "rb") if stdin_path else subprocess.DEVNULL
    try:
        start = time.perf_counter()
        status = subprocess.call([TIME, "-f", "%M", "-o", str(rss_file), *argv], cwd=cwd,
                                 stdin=stdin, stdout=stdout, env=ENV)
        wall = time.perf_counter() - start
    finally:
        if stdin_path:
            stdin.close()
    maxrss = int(rss_file.read_text().split()[-1])
    rss_file.unlink()
    return wall, maxrss, status


def synced_copy(src, dst):
    """Copies a file and forces it to disk, so no timed run pays for its dirty pages."""
    shutil.copyfile(src, dst)
    fd = os.open(dst, os.O_RDONLY)
    os.fsync(fd)
    os.close(fd)


def restore(pristine, workdir):
    synced_copy(pristine, workdir / "citas.txt")
    for name in ("added.dat", "deleted.dat", "tempy.txt"):
        (workdir / name).unlink(missing_ok=True)


def verify(binary, workdir, pristine, inputs, expected):
    """One run of each operation with its output kept: the timings mean nothing otherwise."""
    for name, path in inputs.items():
        restore(pristine, workdir)
        out_path = workdir / "verify.out"
        with open(out_path, "wb") as out:
            _, _, status = run([binary], workdir, path, out)
        text = out_path.read_bytes()
        want, times = expected[name]
        if status != 0 or (want is not None and text.count(want) != times):
            sys.exit(f"{name}: unexpected output (status {status}), see {out_path}")
        if name == "exit" and (workdir / "tempcopy.dat").stat().st_size < 16:
            sys.exit("exit: no safety copy written")
    restore(pristine, workdir)


def time_talvo(binary, workdir, pristine, inputs, name, runs):
    """Median wall time and peak memory of an operation, and the median of its paired
    differences with a run that only ends, made right before it on the same store."""
    walls, rss, less = [], [], []
    for _ in range(runs):
        if name in CHANGES_STORE:
            restore(pristine, workdir)
        before = None
        if name != "exit":
            before, _, status = run([binary], workdir, inputs["exit"])
            if status != 0:
                sys.exit(f"talvo ended with status {status} on a plain end")
        wall, maxrss, status = run([binary], workdir, inputs[name])
        if status != 0:
            sys.exit(f"talvo ended with status {status} on {name}")
        walls.append(wall)
        rss.append(maxrss)
        less.append(wall - before if before is not None else wall)
    if name in CHANGES_STORE:
        restore(pristine, workdir)
    return statistics.median(walls), statistics.median(less), max(rss)


def time_peers(workdir, runs):
    store = "citas.txt"
    peers = {
        "grep -c -F": [["grep", "-c", "-F", ABSENT, store]],
        "grep -c -F -i": [["grep", "-c", "-F", "-i", ABSENT, store]],
        "cat > /dev/null": [["cat", store]],
        "cp + sync": [["cp", store, "peer.copy"], ["sync", "peer.copy"]],
    }
    results = {}
    for name, commands in peers.items():
        walls, rss = [], []
        for _ in range(runs):
            (workdir / "peer.copy").unlink(missing_ok=True)
            total, top = 0.0, 0
            for argv in commands:
                wall, maxrss, status = run(argv, workdir)
                if status not in (0, 1) or (argv[0] == "grep" and status != 1):
                    sys.exit(f"{' '.join(argv)}: status {status}")
                total += wall
                top = max(top, maxrss)
            walls.append(total)
            rss.append(top)
        results[name] = (statistics.median(walls), max(rss))
    (workdir / "peer.copy").unlink(missing_ok=True)
    return results


# Which peer each operation is held against; None: the same operation on the smallest store.
PEER_OF = {
    "exit": "cp + sync",
    "count": "grep -c -F",
    "search exact, no match": "grep -c -F",
    "search ignoring case, no match": "grep -c -F -i",
    "search, 1000 matches": "grep -c -F",
    "delete one entry": "cp + sync",
    "add one entry": None,
    "search matching every entry": None,
}


def ms(seconds):
    return f"{seconds * 1000:.1f}"


def mib(kib):
    return f"{kib / 1024:.2f}"


def targets(rows, largest, smallest):
    """The targets on the largest store, judged from the table's own figures."""
    at = {(r["entries"], r["name"]): r for r in rows}
    big = lambda name: at[(largest, name)]
    small = lambda name: at[(smallest, name)]
    lines = []

    def judge(what, value, limit, unit=""):
        verdict = "met" if value <= limit else "MISSED"
        lines.append(f"- {what}: {value:.2f}{unit} (at most {limit:.2f}{unit}): {verdict}")

    for name in ("count", "search exact, no match", "search ignoring case, no match",
                 "delete one entry"):
        judge(f"{name}, less exit, / {PEER_OF[name]}", big(name)["ratio"], 2.0, "x")
    per_add_big = big(f"add {MORE_ADDS + 1} entries")["per_add"]
    per_add_small = small(f"add {MORE_ADDS + 1} entries")["per_add"]
    lines.append(f"- one more addition within a run: {ms(per_add_big)} ms on {largest:,} entries, "
                 f"{ms(per_add_small)} ms on {smallest:,} entries")
    for name in PEER_OF:
        judge(f"peak memory of {name}", big(name)["rss"] / 1024, 8.0, " MiB")
        judge(f"peak memory of {name} over the {smallest:,}-entry store",
              (big(name)["rss"] - small(name)["rss"]) / 1024, 1.0, " MiB")
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--binary", default=str(HERE.parent / "build-bench" / "talvo"))
    parser.add_argument("--sizes", default="10000,100000,1000000")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--seed", type=int, default=2026)
    parser.add_argument("--workdir", default="/tmp/talvo-bench")
    args = parser.parse_args()

    binary = str(Path(args.binary).resolve())
    if not os.access(binary, os.X_OK):
        sys.exit(f"no talvo at {binary}: build it first")
    if not os.access(TIME, os.X_OK):
        sys.exit(f"{TIME} is missing: apt-get install time")
    if shutil.which("cls", path=ENV["PATH"]):
        sys.exit("a cls command is on the benchmark's PATH; it would be run at every clear")
    sizes = sorted(int(s) for s in args.sizes.split(","))
    root = Path(args.workdir)
    began = time.perf_counter()

    rows = []
    for entries in sizes:
        workdir = root / str(entries)
        if workdir.exists():
            shutil.rmtree(workdir)
        workdir.mkdir(parents=True)
        pristine = workdir / "pristine.txt"
        t0 = time.perf_counter()
        subprocess.run(
            [sys.executable, str(HERE / "gen_store.py"), "--entries", str(entries),
             "--seed", str(args.seed), "--plant", PLANTED, "--plant-count", str(PLANTED_COUNT),
             "--unique", UNIQUE, "--absent", ABSENT, "--out", str(pristine)], check=True)
        size = pristine.stat().st_size
        print(f"# {entries:,} entries, {size / 1e6:.1f} MB, generated in "
              f"{time.perf_counter() - t0:.1f} s", flush=True)

        inputs = {}
        for i, (name, data) in enumerate(talvo_inputs(entries).items()):
            inputs[name] = root / f"{i}.in"
            inputs[name].write_bytes(data)
        verify(binary, workdir, pristine, inputs, expected_output(entries))
        # One untimed pass warms the page cache for talvo and the peers alike.
        run(["cat", "citas.txt"], workdir)
        peers = time_peers(workdir, args.runs)
        ops = {name: time_talvo(binary, workdir, pristine, inputs, name, args.runs)
               for name in inputs}
        shutil.rmtree(workdir)

        many = f"add {MORE_ADDS + 1} entries"
        one_less = ops["add one entry"][1]
        for name, (wall, less, rss) in ops.items():
            row = {"entries": entries, "bytes": size, "name": name, "wall": wall, "less": less,
                   "rss": rss, "peer": PEER_OF.get(name), "ratio": None}
            if row["peer"] is not None:
                row["peer_time"] = peers[row["peer"]][0]
                row["ratio"] = less / row["peer_time"]
            if name == many:
                row["per_add"] = (less - one_less) / MORE_ADDS
            rows.append(row)
        for name, (wall, rss) in peers.items():
            rows.append({"entries": entries, "bytes": size, "name": name, "wall": wall,
                         "less": None, "rss": rss, "peer": None, "ratio": None})

    print()
    print(f"Median wall time of {args.runs} runs, in ms. Every talvo run ends cleanly and so also "
          "writes the safety copy; 'less exit' is the median difference with a run that only "
          "ends, made right before each run on the same store. ratio = less exit / peer. "
          "Peak memory: the largest max RSS of the runs.")
    print()
    print("| entries | operation | with exit | less exit | peer | peer time | ratio | max RSS MiB |")
    print("|---:|---|---:|---:|---|---:|---:|---:|")
    for r in rows:
        name = r["name"] if r["less"] is None else "talvo " + r["name"]
        less = "" if r["less"] is None or r["name"] == "exit" else ms(r["less"])
        if r["ratio"] is not None:
            peer = f"{r['peer']} | {ms(r['peer_time'])} | {r['ratio']:.2f}"
        elif "per_add" in r:
            peer = f"one more addition | {ms(r['per_add'])} |"
        else:
            peer = " | |"
        print(f"| {r['entries']:,} | {name} | {ms(r['wall'])} | {less} | {peer} | {mib(r['rss'])} |")
    print()
    if len(sizes) > 1:
        print(f"Targets on the {sizes[-1]:,}-entry store:")
        for line in targets(rows, sizes[-1], sizes[0]):
            print(line)
    print()
    print(f"total benchmark time {time.perf_counter() - began:.0f} s")


if __name__ == "__main__":
    main()

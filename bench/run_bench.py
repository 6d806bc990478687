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


def talvo_inputs():
    """The bytes typed for each operation; every run ends cleanly at a continuation prompt."""
    waits = b"\n" * (PLANTED_COUNT // 10 + 1)  # a wait after every 10th result, and the last
    return {
        "exit": b"0\n",
        "count": b"9\n\n0\n",
        "search exact, no match": f"2\n{ABSENT}\nN\n\n0\n".encode(),
        "search ignoring case, no match": f"2\n{ABSENT.lower()}\nS\n\n0\n".encode(),
        "search, 1000 matches": f"2\n{PLANTED}\nN\n".encode() + waits + b"0\n",
        "delete one entry": f"3\n{UNIQUE}\n1\nN\n\nS\n\n0\n".encode(),
        "add one entry": b"1\n" + NEW_QUOTE + b"\nAutor de Ensaio\nS\n\n0\n",
    }


def expected_output(entries):
    """A piece of each operation's output that shows it did what it is timed for (cp850)."""
    return {
        "exit": None,
        "count": f"Existem em mem\u00f3ria {entries} cita\u00e7\u00f5es.".encode("cp850"),
        "search exact, no match": "N\u00e3o h\u00e1 resultados a mostrar.".encode("cp850"),
        "search ignoring case, no match": "N\u00e3o h\u00e1 resultados a mostrar.".encode("cp850"),
        "search, 1000 matches": f"Houveram {PLANTED_COUNT} resultados.".encode(),
        "delete one entry": b"Entrada eliminada com sucesso.",
        "add one entry": b"Estado: Entrada adicionada com sucesso",
    }


CHANGES_STORE = {"delete one entry", "add one entry"}


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
        want = expected[name]
        if status != 0 or (want is not None and want not in text):
            sys.exit(f"{name}: unexpected output (status {status}), see {out_path}")
        if name == "exit" and (workdir / "tempcopy.dat").stat().st_size < 16:
            sys.exit("exit: no safety copy written")
    restore(pristine, workdir)


def time_talvo(binary, workdir, pristine, path, runs, changes_store):
    walls, rss = [], []
    for _ in range(runs):
        if changes_store:
            restore(pristine, workdir)
        wall, maxrss, status = run([binary], workdir, path)
        if status != 0:
            sys.exit(f"talvo ended with status {status} on {path}")
        walls.append(wall)
        rss.append(maxrss)
    if changes_store:
        restore(pristine, workdir)
    return statistics.median(walls), max(rss)


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


# Which peer each operation is held against.
PEER_OF = {
    "exit": "cp + sync",
    "count": "grep -c -F",
    "search exact, no match": "grep -c -F",
    "search ignoring case, no match": "grep -c -F -i",
    "search, 1000 matches": "grep -c -F",
    "delete one entry": "cp + sync",
    "add one entry": None,  # held against the same operation on the smallest store
}


def ms(seconds):
    return f"{seconds * 1000:.1f}"


def mib(kib):
    return f"{kib / 1024:.2f}"


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
    sizes = [int(s) for s in args.sizes.split(",")]
    root = Path(args.workdir)
    began = time.perf_counter()

    inputs_dir = root / "inputs"
    inputs_dir.mkdir(parents=True, exist_ok=True)
    inputs = {}
    for i, (name, data) in enumerate(talvo_inputs().items()):
        inputs[name] = inputs_dir / f"{i}.in"
        inputs[name].write_bytes(data)

    table = []  # (size, bytes, op, with exit, less exit, peer, peer time, ratio, rss)
    add_base = None
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
        print(f"# {entries} entries, {size / 1e6:.1f} MB, generated in "
              f"{time.perf_counter() - t0:.1f} s", flush=True)

        verify(binary, workdir, pristine, inputs, expected_output(entries))
        # One untimed pass of each reader warms the page cache for talvo and peers alike.
        run(["cat", "citas.txt"], workdir)
        peers = time_peers(workdir, args.runs)

        ops = {}
        for name, path in inputs.items():
            ops[name] = time_talvo(binary, workdir, pristine, path, args.runs,
                                   name in CHANGES_STORE)
        exit_time = ops["exit"][0]
        if add_base is None:
            add_base = ops["add one entry"][0] - exit_time
        for name, (wall, rss) in ops.items():
            less = wall - exit_time if name != "exit" else wall
            peer = PEER_OF[name]
            if peer is None:
                peer_name, peer_time = f"add on {sizes[0]:,}", add_base
            else:
                peer_name, peer_time = peer, peers[peer][0]
            ratio = less / peer_time if peer_time > 0 else float("nan")
            table.append((entries, size, name, wall, less, peer_name, peer_time, ratio, rss))
        for name, (wall, rss) in peers.items():
            table.append((entries, size, name, wall, None, "", None, None, rss))
        shutil.rmtree(workdir)

    print()
    print(f"Median wall time of {args.runs} runs (ms); 'less exit' subtracts the median of a run "
          "that only ends (which writes the safety copy); ratio = less exit / peer; "
          "max RSS over the runs.")
    print()
    print("| entries | operation | with exit | less exit | peer | peer | ratio | max RSS MiB |")
    print("|---:|---|---:|---:|---|---:|---:|---:|")
    for entries, _, name, wall, less, peer_name, peer_time, ratio, rss in table:
        if less is None:
            print(f"| {entries:,} | {name} | {ms(wall)} | | | | | {mib(rss)} |")
        else:
            print(f"| {entries:,} | talvo {name} | {ms(wall)} | {ms(less)} | {peer_name} | "
                  f"{ms(peer_time)} | {ratio:.2f} | {mib(rss)} |")
    print()
    print(f"total benchmark time {time.perf_counter() - began:.0f} s")


if __name__ == "__main__":
    main()

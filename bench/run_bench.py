#!/usr/bin/env python3
"""Times talvo on big generated stores against grep, cat and cp + sync on the same file."""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time
from collections import namedtuple
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
MANY_ADDS = f"add {MORE_ADDS + 1} entries"

Run = namedtuple("Run", "wall cpu rss status")  # seconds, seconds, KiB, exit status


def adding(times):
    """One run of the adding dialogue that adds `times` entries, then ends."""
    one = NEW_QUOTE + b"\nAutor de Ensaio\nS\n\n"
    return b"1\n" + (one + b"1\n") * (times - 1) + one + b"0\n"


def talvo_inputs(entries):
    """The bytes typed for each operation, and what its output must hold how many times
    (cp850). Every run ends cleanly, at a continuation prompt or at the main menu."""
    waits = b"\n" * (PLANTED_COUNT // 10 + 1)  # a wait after every 10th result, and the last
    none_found = "N\u00e3o h\u00e1 resultados a mostrar.".encode("cp850")
    added = b"Estado: Entrada adicionada com sucesso"
    count = f"Existem em mem\u00f3ria {entries} cita\u00e7\u00f5es.".encode("cp850")
    return {
        "exit": (b"0\n", None, 0),
        "count": (b"9\n\n0\n", count, 1),
        "search exact, no match": (f"2\n{ABSENT}\nN\n\n0\n".encode(), none_found, 1),
        "search ignoring case, no match":
            (f"2\n{ABSENT.lower()}\nS\n\n0\n".encode(), none_found, 1),
        "search, 1000 matches": (f"2\n{PLANTED}\nN\n".encode() + waits + b"0\n",
                                 f"Houveram {PLANTED_COUNT} resultados.".encode(), 1),
        "delete one entry": (f"3\n{UNIQUE}\n1\nN\n\nS\n\n0\n".encode(),
                             b"Entrada eliminada com sucesso.", 1),
        "add one entry": (adding(1), added, 1),
        MANY_ADDS: (adding(MORE_ADDS + 1), added, MORE_ADDS + 1),
        # Every quotation holds a double quote: the whole store is listed.
        "search matching every entry": (b'2\n"\nN\n' + b"\n" * (entries // 10 + 1) + b"0\n",
                                        f"Houveram {entries} resultados.".encode(), 1),
    }


CHANGES_STORE = {"delete one entry", "add one entry", MANY_ADDS}

# Which peer each operation is held against; None: no peer.
PEER_OF = {
    "exit": "cp + sync",
    "count": "grep -c -F",
    "search exact, no match": "grep -c -F",
    "search ignoring case, no match": "grep -c -F -i",
    "search, 1000 matches": "grep -c -F",
    "delete one entry": "cp + sync",
    "add one entry": None,
    MANY_ADDS: None,
    "search matching every entry": None,
}


def run(argv, cwd, stdin_path=None, stdout=subprocess.DEVNULL):
    """Runs one process under GNU time.

    The peak memory comes from /usr/bin/time, whose small process is the one that forks the
    program: a child forked straight from this interpreter would inherit its high-water mark.
    The CPU time is that of time and the program together, from wait4.
    """
    rss_file = Path(cwd) / ".maxrss"
    stdin = open(stdin_path, "rb") if stdin_path else subprocess.DEVNULL
    try:
        start = time.perf_counter()
        proc = subprocess.Popen([TIME, "-f", "%M", "-o", str(rss_file), *argv], cwd=cwd,
                                stdin=stdin, stdout=stdout, env=ENV)
        _, status, usage = os.wait4(proc.pid, 0)
        wall = time.perf_counter() - start
        proc.returncode = os.waitstatus_to_exitcode(status)
    finally:
        if stdin_path:
            stdin.close()
    maxrss = int(rss_file.read_text().split()[-1])
    rss_file.unlink()
    return Run(wall, usage.ru_utime + usage.ru_stime, maxrss, proc.returncode)


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


def verify(binary, workdir, pristine, inputs):
    """One run of each operation with its output kept: the timings mean nothing otherwise."""
    for name, (path, want, times) in inputs.items():
        restore(pristine, workdir)
        out_path = workdir / "verify.out"
        with open(out_path, "wb") as out:
            status = run([binary], workdir, path, out).status
        text = out_path.read_bytes()
        if status != 0 or (want is not None and text.count(want) != times):
            sys.exit(f"{name}: unexpected output (status {status}), see {out_path}")
        if name == "exit" and (workdir / "tempcopy.dat").stat().st_size < 16:
            sys.exit("exit: no safety copy written")
    restore(pristine, workdir)


def time_talvo(binary, workdir, pristine, inputs, name, runs):
    """Medians of an operation's runs and of their differences with a run that only ends,
    made right before each on the same store; the largest peak memory."""
    walls, cpus, rss, less_wall, less_cpu = [], [], [], [], []
    for _ in range(runs):
        if name in CHANGES_STORE:
            restore(pristine, workdir)
        before = run([binary], workdir, inputs["exit"][0]) if name != "exit" else None
        got = run([binary], workdir, inputs[name][0])
        for r in (got, before):
            if r is not None and r.status != 0:
                sys.exit(f"talvo ended with status {r.status} ({name})")
        walls.append(got.wall)
        cpus.append(got.cpu)
        rss.append(got.rss)
        less_wall.append(got.wall - before.wall if before else got.wall)
        less_cpu.append(got.cpu - before.cpu if before else got.cpu)
    if name in CHANGES_STORE:
        restore(pristine, workdir)
    m = statistics.median
    return {"wall": m(walls), "cpu": m(cpus), "less": m(less_wall), "less_cpu": m(less_cpu),
            "rss": max(rss)}


def time_peers(workdir, runs):
    store = "citas.txt"
    peers = {
        "grep -c -F": [["grep", "-c", "-F", ABSENT, store]],
        "grep -c -F -i": [["grep", "-c", "-F", "-i", ABSENT, store]],
        "cat > /dev/null": [["cat", store]],
        "cp + sync": [["cp", store, "peer.copy"], ["sync", "peer.copy"]],
        # The same steps as a safe rewrite: a new file, synced, renamed over an old one,
        # whose blocks and cached pages are then freed.
        "cp + sync + mv over a copy": [["cp", store, "peer.copy"], ["sync", "peer.copy"],
                                       ["mv", "peer.copy", "peer.old"]],
    }
    results = {}
    for name, commands in peers.items():
        walls, cpus, rss = [], [], []
        for _ in range(runs):
            (workdir / "peer.copy").unlink(missing_ok=True)  # a new file, as talvo writes
            if name.endswith("over a copy"):
                synced_copy(workdir / store, workdir / "peer.old")
                run(["cat", "peer.old"], workdir)  # cached, as talvo's old store is
            wall = cpu = 0.0
            top = 0
            for argv in commands:
                r = run(argv, workdir)
                if r.status != (1 if argv[0] == "grep" else 0):  # grep finds nothing
                    sys.exit(f"{' '.join(argv)}: status {r.status}")
                wall += r.wall
                cpu += r.cpu
                top = max(top, r.rss)
            walls.append(wall)
            cpus.append(cpu)
            rss.append(top)
        results[name] = {"wall": statistics.median(walls), "cpu": statistics.median(cpus),
                         "rss": max(rss)}
    (workdir / "peer.copy").unlink(missing_ok=True)
    (workdir / "peer.old").unlink(missing_ok=True)
    return results


def ms(seconds):
    return f"{seconds * 1000:.1f}"


def mib(kib):
    return f"{kib / 1024:.2f}"


def targets(rows, largest, smallest):
    """The targets on the largest store, judged from the table's own figures."""
    at = {(r["entries"], r["name"]): r for r in rows}
    lines = []

    def judge(what, value, limit, unit):
        verdict = "met" if value <= limit else "MISSED"
        lines.append(f"- {what}: {value:.2f}{unit} (at most {limit:.2f}{unit}): {verdict}")

    for name in ("count", "search exact, no match", "search ignoring case, no match"):
        r = at[(largest, name)]
        judge(f"{name}, less exit, / {PEER_OF[name]}", r["ratio"], 2.0, "x")
    # A deletion and the clean end's safety copy each write the whole store once, as a copy
    # does: they are held to the copy itself.
    r = at[(largest, "delete one entry")]
    judge(f"delete one entry, less exit, / {PEER_OF['delete one entry']}", r["ratio"], 1.0, "x")
    r = at[(largest, "exit")]
    judge(f"exit (the safety copy) / {PEER_OF['exit']}", r["wall"] / r["peer_wall"], 1.0, "x")
    for what, key in (("wall", "per_add"), ("CPU", "per_add_cpu")):
        big, small = at[(largest, MANY_ADDS)][key], at[(smallest, MANY_ADDS)][key]
        lines.append(f"- one more addition within a run, {what} time: {big * 1000:.2f} ms on "
                     f"{largest:,} entries, {small * 1000:.2f} ms on {smallest:,} entries")
    for name in PEER_OF:
        big, small = at[(largest, name)]["rss"], at[(smallest, name)]["rss"]
        judge(f"peak memory of {name}", big / 1024, 4.0, " MiB")
        judge(f"  ... over the same on {smallest:,} entries", (big - small) / 1024, 1.0, " MiB")
    return lines


def measure(binary, root, entries, seed, runs):
    """Generates a store of `entries` entries and returns its rows of the table."""
    workdir = root / str(entries)
    if workdir.exists():
        shutil.rmtree(workdir)
    workdir.mkdir(parents=True)
    pristine = workdir / "pristine.txt"
    began = time.perf_counter()
    subprocess.run(
        [sys.executable, str(HERE / "gen_store.py"), "--entries", str(entries),
         "--seed", str(seed), "--plant", PLANTED, "--plant-count", str(PLANTED_COUNT),
         "--unique", UNIQUE, "--absent", ABSENT, "--out", str(pristine)], check=True)
    size = pristine.stat().st_size
    print(f"# {entries:,} entries, {size / 1e6:.1f} MB, generated in "
          f"{time.perf_counter() - began:.1f} s", flush=True)

    inputs = {}
    for i, (name, (data, want, times)) in enumerate(talvo_inputs(entries).items()):
        path = root / f"{entries}-{i}.in"
        path.write_bytes(data)
        inputs[name] = (path, want, times)
    verify(binary, workdir, pristine, inputs)
    run(["cat", "citas.txt"], workdir)  # the page cache is warm for talvo and peers alike
    peers = time_peers(workdir, runs)
    ops = {name: time_talvo(binary, workdir, pristine, inputs, name, runs) for name in inputs}
    shutil.rmtree(workdir)

    rows = []
    for name, r in ops.items():
        r.update(entries=entries, name=name, talvo=True, peer=PEER_OF[name])
        if r["peer"] is not None:
            peer = peers[r["peer"]]
            r.update(peer_wall=peer["wall"], peer_cpu=peer["cpu"], ratio=r["less"] / peer["wall"],
                     cpu_ratio=r["less_cpu"] / peer["cpu"] if peer["cpu"] > 0 else float("nan"))
        if name == MANY_ADDS:
            r["per_add"] = (r["less"] - ops["add one entry"]["less"]) / MORE_ADDS
            r["per_add_cpu"] = (r["less_cpu"] - ops["add one entry"]["less_cpu"]) / MORE_ADDS
        rows.append(r)
    for name, r in peers.items():
        r.update(entries=entries, name=name, talvo=False)
        rows.append(r)
    return rows


def print_table(rows, runs):
    print(f"Median of {runs} runs, in ms. Every talvo run ends cleanly and so also writes the "
          "safety copy: 'with exit' is the whole run; 'less exit' is the median difference "
          "with a run that only ends, made right before each run on the same store. "
          "ratio = less exit / peer, in wall time and in CPU time (user + system). "
          "Max RSS: the largest of the runs.")
    print()
    print("| entries | operation | wall, with exit | wall, less exit | peer | peer wall | ratio "
          "| CPU, less exit | peer CPU | CPU ratio | max RSS MiB |")
    print("|---:|---|---:|---:|---|---:|---:|---:|---:|---:|---:|")
    for r in rows:
        cells = [f"{r['entries']:,}"]
        if not r["talvo"]:
            cells += [r["name"], ms(r["wall"]), "", "", "", "", ms(r["cpu"]), "", "", mib(r["rss"])]
        elif r["name"] == "exit":
            cells += ["talvo exit (the safety copy)", ms(r["wall"]), "", r["peer"],
                      ms(r["peer_wall"]), f"{r['wall'] / r['peer_wall']:.2f}", ms(r["cpu"]),
                      ms(r["peer_cpu"]), f"{r['cpu'] / r['peer_cpu']:.2f}", mib(r["rss"])]
        elif r["peer"] is not None:
            cells += [f"talvo {r['name']}", ms(r["wall"]), ms(r["less"]), r["peer"],
                      ms(r["peer_wall"]), f"{r['ratio']:.2f}", ms(r["less_cpu"]),
                      ms(r["peer_cpu"]), f"{r['cpu_ratio']:.2f}", mib(r["rss"])]
        elif "per_add" in r:
            cells += [f"talvo {r['name']}", ms(r["wall"]), ms(r["less"]), "one more addition",
                      f"{r['per_add'] * 1000:.2f}", "", ms(r["less_cpu"]),
                      f"{r['per_add_cpu'] * 1000:.2f}", "", mib(r["rss"])]
        else:
            cells += [f"talvo {r['name']}", ms(r["wall"]), ms(r["less"]), "", "", "",
                      ms(r["less_cpu"]), "", "", mib(r["rss"])]
        print("| " + " | ".join(cells) + " |")


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
    root.mkdir(parents=True, exist_ok=True)
    began = time.perf_counter()
    load_before = os.getloadavg()[0]

    rows = []
    for entries in sizes:
        rows += measure(binary, root, entries, args.seed, args.runs)

    print()
    print_table(rows, args.runs)
    print()
    if len(sizes) > 1:
        print(f"Targets on the {sizes[-1]:,}-entry store (wall times):")
        for line in targets(rows, sizes[-1], sizes[0]):
            print(line)
        print()
    print(f"load average {load_before:.2f} at the start, {os.getloadavg()[0]:.2f} at the end; "
          f"total benchmark time {time.perf_counter() - began:.0f} s")


if __name__ == "__main__":
    main()

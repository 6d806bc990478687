#!/usr/bin/env python3
"""Times importar of a big export into an empty folder against exportar of the same
collection, with the peak memory of each, and checks that importar of /dev/zero ends with
an error within the same memory."""

import os
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

from bench_store import make_store, parse_options

ENV = {"PATH": "/usr/bin:/bin", "LC_ALL": "C"}


def run(argv, cwd, stdout):
    """Wall seconds, CPU seconds, peak memory (MiB, through GNU time: the forked Python
    process would count in the child's own figure) and exit status of one run."""
    peak = Path(cwd).parent / "peak.txt"
    with open(stdout, "wb") as out:
        start = time.perf_counter()
        proc = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", str(peak)] + argv, cwd=cwd,
                                stdout=out, stderr=subprocess.DEVNULL, env=ENV)
        _, status, usage = os.wait4(proc.pid, 0)
        wall = time.perf_counter() - start
    return (wall, usage.ru_utime + usage.ru_stime, int(peak.read_text().split()[-1]) / 1024,
            os.waitstatus_to_exitcode(status))


def main():
    args = parse_options(__doc__, "/tmp/talvo-import-bench", lambda parser: parser.add_argument(
        "--format", default="texto", choices=["texto", "fortune", "json"]))
    talvo = args.talvo
    work = Path(args.workdir)
    source = work / "source"
    source.mkdir(parents=True, exist_ok=True)
    store = source / "citas.txt"
    make_store(store, work / "made-with", args.entries, args.seed)
    exported = work / f"export.{args.format}"
    fmt = f"--formato={args.format}"
    if run([talvo, "exportar", fmt], source, exported)[3] != 0:
        sys.exit("exportar failed")
    count = subprocess.run([talvo, "contar"], cwd=source, env=ENV, capture_output=True, text=True)
    entries = int(count.stdout)
    subprocess.run(["cat", str(exported), str(store)], stdout=subprocess.DEVNULL, check=True)

    into = work / "into"
    walls = {"exportar > /dev/null": [], "importar into an empty folder": []}
    cpus = {name: [] for name in walls}
    rss = {name: 0.0 for name in walls}
    load = os.getloadavg()[0]
    for _ in range(args.runs):  # side by side: each round runs both once
        wall, cpu, peak, status = run([talvo, "exportar", fmt], source, "/dev/null")
        if status != 0:
            sys.exit(f"exportar: status {status}")
        walls["exportar > /dev/null"].append(wall)
        cpus["exportar > /dev/null"].append(cpu)
        rss["exportar > /dev/null"] = max(rss["exportar > /dev/null"], peak)
        shutil.rmtree(into, ignore_errors=True)
        into.mkdir()
        wall, cpu, peak, status = run([talvo, "importar", fmt, str(exported)], into,
                                      work / "report.txt")
        report = (work / "report.txt").read_text(errors="replace")
        if status != 0 or not report.startswith("Importadas: "):
            sys.exit(f"importar: status {status}, {report!r}")
        walls["importar into an empty folder"].append(wall)
        cpus["importar into an empty folder"].append(cpu)
        rss["importar into an empty folder"] = max(rss["importar into an empty folder"], peak)
    imported = subprocess.run([talvo, "contar"], cwd=into, env=ENV, capture_output=True, text=True)

    # An endless input: an error, in bounded memory, and no collection made.
    shutil.rmtree(into, ignore_errors=True)
    into.mkdir()
    zero_wall, _, zero_rss, zero_status = run([talvo, "importar", "/dev/zero"], into, "/dev/null")
    made = sorted(p.name for p in into.iterdir())

    m = statistics.median
    print(f"{entries:,} entries exported as {args.format} ({exported.stat().st_size / 1e6:.1f} "
          f"MB), {int(imported.stdout):,} imported; median of {args.runs} runs, ms; load average "
          f"{load:.2f} before, {os.getloadavg()[0]:.2f} after")
    print()
    print("| command | wall | CPU | max RSS MiB |")
    print("|---|---:|---:|---:|")
    for name in walls:
        print(f"| {name} | {m(walls[name]) * 1000:.1f} | {m(cpus[name]) * 1000:.1f} | "
              f"{rss[name]:.1f} |")
    ratio = m(walls["importar into an empty folder"]) / m(walls["exportar > /dev/null"])
    print()
    print(f"importar / exportar (wall): {ratio:.2f} (target: at most 3)")
    print(f"importar /dev/zero: status {zero_status} after {zero_wall * 1000:.1f} ms, max RSS "
          f"{zero_rss:.1f} MiB, files left: {made or 'none'}")


if __name__ == "__main__":
    main()

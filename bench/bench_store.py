"""What the command-line benchmarks share: their options, the talvo they run, and a
generated store made once for each size and seed."""

import argparse
import os
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent


def parse_options(description, workdir, more=None):
    """The options every benchmark takes (and `more(parser)` adds), parsed; the talvo to
    run, which must be built already, as `args.talvo`."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--binary", default=str(HERE.parent / "build-bench" / "talvo"))
    parser.add_argument("--entries", type=int, default=1000000)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--seed", type=int, default=2026)
    parser.add_argument("--workdir", default=workdir)
    if more is not None:
        more(parser)
    args = parser.parse_args()
    args.talvo = str(Path(args.binary).resolve())
    if not os.access(args.talvo, os.X_OK):
        sys.exit(f"no talvo at {args.talvo}: build it first")
    return args


def make_store(store, stamp, entries, seed, extra=()):
    """Generates `store` unless `stamp` says it was made with the same entries and seed."""
    made_with = f"{entries} {seed}"
    if store.exists() and stamp.exists() and stamp.read_text() == made_with:
        return
    subprocess.run([sys.executable, str(HERE / "gen_store.py"), "--entries", str(entries),
                    "--seed", str(seed), *extra, "--out", str(store)], check=True)
    stamp.write_text(made_with)

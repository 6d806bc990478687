#!/usr/bin/env python3
"""Runs two talvo builds on the same odd stores and answers; any difference is a fault.

Used after a speed-up: the reference is a build of the code before it. Every run compares
standard output, exit status and every file left in the directory, byte for byte.
"""

import argparse
import random
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

HEADER = b"-== Cita\xe7\xf5es ==-"
ADMITTED = bytes(sorted(
    set(range(0x41, 0x5B)) | set(range(0x61, 0x7B)) | set(range(0x30, 0x3A))
    | {0xC0, 0xC1, 0xC2, 0xC3, 0xC7, 0xC8, 0xC9, 0xCA, 0xCC, 0xCD, 0xCE, 0xD2, 0xD3, 0xD4, 0xD5,
       0xD9, 0xDA, 0xDB}
    | {b + 0x20 for b in (0xC0, 0xC1, 0xC2, 0xC3, 0xC7, 0xC8, 0xC9, 0xCA, 0xCC, 0xCD, 0xCE, 0xD2,
                          0xD3, 0xD4, 0xD5, 0xD9, 0xDA, 0xDB)}
    | set(b" \t\n!',.:;?()-/[]") | {0xAB, 0xBB}))
WORDS = [b"amor", b"Amor", b"AMOR", b"vida", b"cora\xe7\xe3o", b"CORA\xc7\xc3O", b"\xe1gua",
         b"\xc1GUA", b"p\xe3o", b"sil\xeancio", b"a", b"e", b"o", b"\xbbx\xab", b"(sim)",
         b"a\tb", b"a)b", b"A\tB"]


def text(rng, low, high, noise=0.03):
    """Mostly admitted bytes and words, now and then (`noise`) any byte at all."""
    out = bytearray()
    size = rng.randint(low, high)
    while len(out) < size:
        r = rng.random()
        if r < 0.5:
            out += rng.choice(WORDS)
        elif r < 1 - noise:
            out.append(rng.choice(ADMITTED))
        else:
            out.append(rng.randrange(256))
    return bytes(out)


def odd_store(rng):
    """A store that mixes well-formed entries with everything a reader can meet."""
    kind = rng.random()
    if kind < 0.05:
        return b""
    if kind < 0.08:
        return b" \n\n  \n"
    parts = [HEADER if rng.random() < 0.9 else text(rng, 0, 2100).replace(b"\n", b" ")]
    if rng.random() < 0.3:
        parts.append(b"\n")
    for _ in range(rng.randint(0, 60)):
        r = rng.random()
        quote = text(rng, 0, 120)
        if r < 0.05:
            quote = text(rng, 1990, 2300, noise=0.0)  # longer than the field
        author = text(rng, 1, 30).replace(b"\n", b" ")
        if r > 0.95:
            author = text(rng, 45, 90).replace(b"\n", b" ")  # longer than the field
        sep = rng.choice([b"\n", b"\n", b"\n\n", b"\r\n", b" ", b""])
        parts.append(sep + b'"' + quote + rng.choice([b'"', b'"', b'"', b"", b"\xff", b"%"])
                     + rng.choice([b"\n", b"\n", b"\r\n", b" \n"]) + author
                     + rng.choice([b"\n", b"\n", b"", b"\xff"]))
    if rng.random() < 0.2:
        parts.append(b'\n"' + text(rng, 0, 30))  # a quotation cut by the end of the file
    return b"".join(parts)


def answers(rng):
    """A few dialogues typed in code page 850, ending with the end of input."""
    searches = [b"amor", b"AMOR", b"a", b'"', b"\x87\xc6o", b"\x80\xc7O", b"\xa0gua", b"vida ",
                b"zzz", b"o a", b"(", b"e" * 60, b"A\tB", b"a)b", b"\xae", b"\x85"]
    dialogues = [
        lambda: b"9\n\n",
        lambda: b"2\n" + rng.choice(searches) + b"\n" + rng.choice(b"SsNx").to_bytes(1, "big")
        + b"\n" + b"\n" * 30 + b"2\n",
        lambda: b"11\n" + rng.choice(searches) + b"\n" + str(rng.randint(-1, 6)).encode()
        + b"\n" + rng.choice(b"SN").to_bytes(1, "big") + b"\n\n2\n",
        lambda: b"3\n" + rng.choice(searches) + b"\n" + str(rng.randint(0, 4)).encode()
        + b"\n" + rng.choice(b"SN").to_bytes(1, "big") + b"\n\n" + rng.choice(b"SN").to_bytes(1, "big")
        + b"\n\n2\n",
        lambda: b'1\n"Nova cita\x87\xc6o de ' + rng.choice(searches[:3]) + b'"\nAutor\nS\n\n2\n',
        lambda: b"4\n" + rng.choice(searches) + b"\n1\nN\n\nS\n" + b'"Outra"\nAlgu\x82m\nS\n\n2\n',
        lambda: b"6\nS\n\n2\n",
    ]
    return b"".join(rng.choice(dialogues)() for _ in range(rng.randint(1, 4)))


def run(binary, store, stdin):
    with tempfile.TemporaryDirectory() as work:
        work = Path(work)
        if store is not None:
            (work / "citas.txt").write_bytes(store)
        proc = subprocess.run([binary], cwd=work, input=stdin, capture_output=True,
                              env={"PATH": "/usr/bin:/bin", "LC_ALL": "C", "TZ": "UTC"})
        files = {p.name: p.read_bytes() for p in sorted(work.iterdir())
                 if p.name not in ("auxy.dat",)}  # the backup stamp holds the time
        return proc.returncode, proc.stdout, files


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("reference")
    parser.add_argument("candidate")
    parser.add_argument("--cases", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    args.reference = str(Path(args.reference).resolve())
    args.candidate = str(Path(args.candidate).resolve())
    rng = random.Random(args.seed)
    failures = 0
    for case in range(args.cases):
        store = odd_store(rng) if rng.random() < 0.97 else None
        stdin = answers(rng)
        want = run(args.reference, store, stdin)
        got = run(args.candidate, store, stdin)
        if want != got:
            failures += 1
            keep = Path(tempfile.mkdtemp(prefix="talvo-diff-"))
            if store is not None:
                (keep / "citas.txt").write_bytes(store)
            (keep / "stdin").write_bytes(stdin)
            print(f"case {case}: outputs differ; store and input kept in {keep}")
    print(f"{args.cases - failures} passed, {failures} failed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the seed corpus tests/fuzz/corpus/: one input per table entry (the
harness reads the entry index from the last two bytes of its input), with
varied argument bytes in front.  Deterministic.

    python3 tests/fuzz/make_seeds.py build-fuzz/tests/fuzz/signatures.inc tests/fuzz/corpus"""
import os
import random
import re
import sys

inc, out = sys.argv[1], sys.argv[2]
count = len(re.findall(r"^    \{\"qrx", open(inc).read(), re.M))
os.makedirs(out, exist_ok=True)
rng = random.Random(13)
for i in range(count):
    body = bytes(rng.randrange(256) for _ in range(rng.choice([24, 40, 64])))
    with open(os.path.join(out, "seed_%03d" % i), "wb") as f:
        f.write(body + bytes([i & 0xFF, i >> 8]))

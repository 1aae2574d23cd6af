#!/usr/bin/env python3
"""Writes a dense synthetic tagging base: dense_base.py LINES SEED > base.txt

Users, tags and resources drawn with Zipf-like popularity inside communities, so that the same
users keep putting the same tags on the same resources over a few periods: the kind of overlap
that makes the pair passes create many concepts. Sorted by resource, D, tag, user; duplicates
removed. Denser than bench/community_base.cpp (make_base dense): near-complete community blocks with noise."""
import random
import sys


def main():
    lines, seed = int(sys.argv[1]), int(sys.argv[2])
    rng = random.Random(seed)
    n_comm = max(4, lines // 4000)
    users, tags, res, periods = 3000, 4000, 8000, 8
    comms = []
    for _ in range(n_comm):
        comms.append((rng.sample(range(users), 40), rng.sample(range(tags), 12),
                      rng.sample(range(res), 30)))
    w = [1.0 / (k + 1) ** 0.8 for k in range(40)]
    wt = [1.0 / (k + 1) for k in range(12)]
    wr = [1.0 / (k + 1) ** 0.9 for k in range(30)]
    out = set()
    while len(out) < lines:
        if rng.random() < 0.15:
            out.add((rng.randrange(users), rng.randrange(tags), rng.randrange(res), rng.randrange(periods)))
            continue
        cu, ct, cr = comms[int(rng.paretovariate(1.2)) % n_comm]
        out.add((rng.choices(cu, w)[0], rng.choices(ct, wt)[0], rng.choices(cr, wr)[0],
                 2000 + rng.randrange(periods)))
    rows = sorted(out, key=lambda q: (q[2], q[3], q[1], q[0]))
    sys.stdout.write("".join(f"{u} {t} {r} {d}\n" for u, t, r, d in rows))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes a synthetic tagging base of a chosen size, deterministically.

    make_synthetic_base.py LINES [--users N] [--tags N] [--resources N]
                                 [--ds N] [--seed S] > base.txt

Each line is one tagging "user tag resource d". Users, tags and resources
are drawn with Zipf-like popularity (weight 1/rank), so a few popular tags
and resources gather many users and (tag, resource, d) groups of several
users form, as in real folksonomies. Repeated taggings are dropped and the
lines are sorted by resource, d, tag and user, so every group is contiguous.
The same arguments always give the same file.
"""
import argparse
import bisect
import itertools
import random
import sys


def zipf_sampler(n, rng):
    cumulative = list(itertools.accumulate(1.0 / rank for rank in range(1, n + 1)))
    total = cumulative[-1]
    return lambda: bisect.bisect_left(cumulative, rng.random() * total) + 1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("lines", type=int)
    parser.add_argument("--users", type=int, default=2000)
    parser.add_argument("--tags", type=int, default=10000)
    parser.add_argument("--resources", type=int, default=15000)
    parser.add_argument("--ds", type=int, default=8)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    user = zipf_sampler(args.users, rng)
    tag = zipf_sampler(args.tags, rng)
    resource = zipf_sampler(args.resources, rng)
    lines = set()
    attempts = 0
    while len(lines) < args.lines and attempts < 20 * args.lines:
        attempts += 1
        # A user tags one resource in one period with one to three tags.
        u, r, d = user(), resource(), rng.randint(1, args.ds)
        for _ in range(rng.randint(1, 3)):
            lines.add((u, tag(), r, d))
    out = sys.stdout
    for u, t, r, d in sorted(itertools.islice(lines, args.lines),
                             key=lambda q: (q[2], q[3], q[1], q[0])):
        out.write(f"{u} {t} {r} {d}\n")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes examples/tagging_base.txt: a small, deterministic tagging base.

Forty listeners tag thirty artists over three years. Each listener belongs to
one of four circles with a few favourite tags and artists, so the same users
keep tagging the same artists with the same tags, which is what gives the
miner something to find. Lines are "user tag resource year", sorted by
resource, year, tag and user so that every (tag, resource, year) run is
contiguous.
"""
import random

rng = random.Random(2011)
circles = [
    {"users": range(1, 11), "tags": [1, 2, 3, 4], "artists": range(100, 108)},
    {"users": range(11, 21), "tags": [5, 6, 7], "artists": range(106, 116)},
    {"users": range(21, 31), "tags": [8, 9, 10, 2], "artists": range(114, 122)},
    {"users": range(31, 41), "tags": [11, 12, 13, 14], "artists": range(120, 130)},
]
lines = set()
for year in (2008, 2009, 2010):
    for circle in circles:
        core = rng.sample(list(circle["users"]), 4)
        for artist in rng.sample(list(circle["artists"]), 4):
            for tag in rng.sample(circle["tags"], 2):
                for user in core[: rng.randint(2, 4)]:
                    lines.add((user, tag, artist, year))
        for _ in range(12):  # occasional stray tagging
            lines.add((rng.choice(list(circle["users"])), rng.randint(1, 20),
                       rng.choice(list(circle["artists"])), year))
ordered = sorted(lines, key=lambda q: (q[2], q[3], q[1], q[0]))
with open("tagging_base.txt", "w") as out:
    for u, t, r, d in ordered:
        out.write(f"{u} {t} {r} {d}\n")
print(len(ordered), "lines")

#!/usr/bin/env python3
"""Writes the year base with its users copied K times: year_copies.py YEAR_BASE K > base.txt

Copy k (0 .. K-1) adds 10000 * k to every user id, so the catalogue (tags, resources, D values)
stays the same and the user population grows K times. Lines sorted by resource, D, tag, user."""
import sys


def main():
    path, copies = sys.argv[1], int(sys.argv[2])
    rows = []
    with open(path) as base:
        for line in base:
            u, t, r, d = map(int, line.split())
            for k in range(copies):
                rows.append((u + 10000 * k, t, r, d))
    rows.sort(key=lambda q: (q[2], q[3], q[1], q[0]))
    sys.stdout.write("".join(f"{u} {t} {r} {d}\n" for u, t, r, d in rows))


if __name__ == "__main__":
    main()

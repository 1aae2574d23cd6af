#!/usr/bin/env python3
"""Reproduction check of quadmine-prepare on the real bases.

Builds raw event files in the Last.fm tag-assignment layout (tab-separated,
with a header: userID, artistID, tagID and either day, month, year columns or
a timestamp in milliseconds), in shuffled order, from the year and month
bases, runs quadmine-prepare on each and compares its output with the base
byte for byte. Days, months and times of day that a base does not hold are
drawn at random (fixed seed), so the preparation must drop them.

    python3 bench/prepare_reproduction.py build/release/prepare/quadmine-prepare [DATA_DIR]

DATA_DIR defaults to ../shared/data beside the repository. Exits 1 when any
output differs.
"""
import calendar
import filecmp
import os
import random
import subprocess
import sys
import tempfile


def read_base(path):
    with open(path) as f:
        return [tuple(int(x) for x in line.split()) for line in f]


def random_day(rng, year, month):
    return rng.randint(1, calendar.monthrange(year, month)[1])


def write_calendar_events(path, base, d_is_month, rng):
    """userID artistID tagID day month year; the month is drawn for a year base."""
    rows = []
    for user, tag, resource, d in base:
        year, month = (d // 100, d % 100) if d_is_month else (d, rng.randint(1, 12))
        rows.append((user, resource, tag, random_day(rng, year, month), month, year))
    rng.shuffle(rows)
    with open(path, "w") as f:
        f.write("userID\tartistID\ttagID\tday\tmonth\tyear\n")
        f.writelines("%d\t%d\t%d\t%d\t%d\t%d\n" % r for r in rows)


def write_timestamp_events(path, base, rng):
    """userID artistID tagID timestamp (ms, UTC) from a month base."""
    rows = []
    for user, tag, resource, d in base:
        year, month = d // 100, d % 100
        start = calendar.timegm((year, month, 1, 0, 0, 0))
        days = calendar.monthrange(year, month)[1]
        ms = start * 1000 + rng.randrange(days * 86400 * 1000)
        rows.append((user, resource, tag, ms))
    rng.shuffle(rows)
    with open(path, "w") as f:
        f.write("userID\tartistID\ttagID\ttimestamp\n")
        f.writelines("%d\t%d\t%d\t%d\n" % r for r in rows)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    prepare = os.path.abspath(sys.argv[1])
    here = os.path.dirname(os.path.abspath(__file__))
    data = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "..", "shared", "data")
    year_base = os.path.join(data, "lastfm_year.txt")
    month_base = os.path.join(data, "lastfm_month.txt")
    rng = random.Random(2011)
    ids = ["--user", "userID", "--tag", "tagID", "--resource", "artistID"]
    failed = False
    with tempfile.TemporaryDirectory() as tmp:
        events = {
            "year_calendar": os.path.join(tmp, "year_calendar.dat"),
            "month_calendar": os.path.join(tmp, "month_calendar.dat"),
            "month_timestamps": os.path.join(tmp, "month_timestamps.dat"),
        }
        write_calendar_events(events["year_calendar"], read_base(year_base), False, rng)
        month = read_base(month_base)
        write_calendar_events(events["month_calendar"], month, True, rng)
        write_timestamp_events(events["month_timestamps"], month, rng)
        cases = [
            ("year_calendar", ["--year", "year"], year_base),
            ("month_calendar", ["--year", "year"], year_base),
            ("month_calendar", ["--year", "year", "--month", "month"], month_base),
            ("month_calendar", ["--year", "6", "--month", "5", "--day", "4", "--period", "month"],
             month_base),
            ("month_timestamps", ["--time", "timestamp", "--unit", "ms", "--period", "year"], year_base),
            ("month_timestamps", ["--time", "timestamp", "--unit", "ms", "--period", "month"],
             month_base),
        ]
        for name, d_options, expected in cases:
            out = os.path.join(tmp, "base.txt")
            run = subprocess.run([prepare, events[name], out] + ids + d_options,
                                 capture_output=True, text=True)
            same = run.returncode == 0 and filecmp.cmp(out, expected, shallow=False)
            failed = failed or not same
            print("%-17s %-56s -> %-16s %s" % (name, " ".join(d_options),
                                              os.path.basename(expected),
                                              "same" if same else "DIFFERENT"))
            if run.returncode != 0:
                print(run.stderr.strip())
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()

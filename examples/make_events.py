#!/usr/bin/env python3
"""Writes examples/events.tsv and examples/artists.csv: a small, deterministic
file of tagging events, the way tagging data sets are downloaded, and the
lookup file that names its artists.

Forty listeners (by name) tag thirty artists (by number) with tags (as text)
over three years; each event has its date and time. Each listener belongs to
one of four circles with a few favourite tags and artists, so the same people
keep putting the same tags on the same artists, which is what gives the miner
something to find. The events are in no particular order. artists.csv names
the artists (id,name, some names quoted because they hold a comma).

    python3 examples/make_events.py      (from the repository root)
"""
import random

rng = random.Random(2011)
people = ("alice bob carol dave erin frank grace heidi ivan judy ken laura mallory "
          "nina oscar peggy quentin rupert sybil trent ursula victor walter xena yann "
          "zoe amir bianca chen dmitri eva farid gita hugo ines jamal kira lars mei "
          "nadia").split()
artists = ["Muse", "Radiohead", "Björk", "Portishead", "Massive Attack", "Air",
           "Daft Punk", "Justice", "Earth, Wind & Fire", "Kool & the Gang", "Chic",
           "Prince", "Madonna", "Kylie Minogue", "ABBA", "Queen", "Led Zeppelin",
           "Black Sabbath", "Metallica", "Slayer", "Nirvana", "Pixies", "Sonic Youth",
           "Crosby, Stills & Nash", "Bob Dylan", "Joni Mitchell", "Nick Drake",
           "Leonard Cohen", "Tom Waits", "PJ Harvey"]
circles = [
    {"people": range(0, 10), "tags": ["trip hop", "electronic", "chill", "90s"],
     "artists": range(1, 9)},
    {"people": range(10, 20), "tags": ["disco", "funk", "80s"], "artists": range(7, 17)},
    {"people": range(20, 30), "tags": ["metal", "rock", "heavy", "90s"],
     "artists": range(15, 23)},
    {"people": range(30, 40), "tags": ["folk", "singer-songwriter", "acoustic", "mellow"],
     "artists": range(21, 31)},
]
events = set()
for year in (2008, 2009, 2010):
    for circle in circles:
        core = rng.sample(list(circle["people"]), 4)
        for artist in rng.sample(list(circle["artists"]), 4):
            for tag in rng.sample(circle["tags"], 2):
                for person in core[: rng.randint(2, 4)]:
                    events.add((people[person], artist, tag, year))
        for _ in range(12):  # occasional stray tagging
            events.add((people[rng.choice(list(circle["people"]))],
                        rng.randint(1, len(artists)),
                        rng.choice(["rock", "pop", "love", "favourite", "seen live"]), year))
rows = sorted(events)
rng.shuffle(rows)
with open("examples/events.tsv", "w", encoding="utf-8") as out:
    out.write("user\tartist\ttag\ttime\n")
    for person, artist, tag, year in rows:
        out.write(f"{person}\t{artist}\t{tag}\t{year}-{rng.randint(1, 12):02d}-"
                  f"{rng.randint(1, 28):02d} {rng.randint(0, 23):02d}:{rng.randint(0, 59):02d}:00\n")
with open("examples/artists.csv", "w", encoding="utf-8") as out:
    out.write("id,name\n")
    for number, name in enumerate(artists, start=1):
        out.write(f'{number},"{name}"\n' if "," in name else f"{number},{name}\n")
print(len(rows), "events,", len(artists), "artists")

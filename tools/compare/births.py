#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a reproducible spread of births as korvanta-cli --batch records.

The spread is made to reach every rule that can change an output byte:
  * random births over the whole entry range (every zone row, both
    hemispheres up to 89 degrees, daylight saving on a third, seconds, names
    and places of many lengths and scripts);
  * every minute of selected days at places from the equator to beyond the
    polar circles, so that births fall at, just before and just after sunrise
    and sunset, and in polar day and night;
  * one birth on every day from 1901 to 2050, so that every retrograde
    station day is met.
The same arguments always give the same lines (a fixed pseudo-random
sequence, not Python's random module), so two builds can be compared.

Usage: births.py [--random N] > births.jsonl
"""
import argparse
import json
import sys
from datetime import date, timedelta

MASK = (1 << 64) - 1


class SplitMix:
    def __init__(self, seed):
        self.state = seed & MASK

    def next(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & MASK
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASK
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASK
        return z ^ (z >> 31)

    def below(self, n):
        return self.next() % n


NAMES = ["ASHA", "RAVI KUMAR", "A", "MEERA DEVI SHARMA", "JOHN", "ZOE ANNE",
         "SRINIVASA RAMANUJAN AIYANGAR", "LI", "O", "MARIA DEL CARMEN LOPEZ"]
CITIES = [("New Delhi", "Delhi", "India"), ("Pune", "Maharashtra", "India"),
          ("S\u00e3o Paulo", "S\u00e3o Paulo", "Brazil"), ("Z\u00fcrich", "", "Switzerland"),
          ("", "", ""), ("Troms\u00f8", "Troms", "Norway"),
          ("Llanfairpwllgwyngyllgogerychwyrndrobwllllantysiliogogogoch", "Wales",
           "United Kingdom of Great Britain and Northern Ireland"),
          ("Kathmandu", "Bagmati", "Nepal")]
MONTH_DAYS = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]


def days_in(month, year):
    leap = year % 4 == 0 and (year % 100 != 0 or year % 400 == 0)
    return 29 if month == 2 and leap else MONTH_DAYS[month - 1]


def record(name, y, mo, d, h, mi, s, lat, south, lon, east, zone, dst, place):
    city, state, country = place
    return {"name": name, "month": mo, "day": d, "year": y, "hour": h, "minute": mi,
            "second": s, "lat_deg": lat[0], "lat_min": lat[1], "south": south,
            "lon_deg": lon[0], "lon_min": lon[1], "east": east, "zone_index": zone,
            "dst": dst, "city": city, "state": state, "country": country}


def random_births(count, rng):
    for _ in range(count):
        y = 1901 + rng.below(150)
        mo = 1 + rng.below(12)
        d = 1 + rng.below(days_in(mo, y))
        yield record(NAMES[rng.below(len(NAMES))], y, mo, d, rng.below(24), rng.below(60),
                     rng.below(60), (rng.below(90), rng.below(60)), rng.below(2) == 1,
                     (rng.below(180), rng.below(60)), rng.below(2) == 1, rng.below(71),
                     rng.below(3) == 0, CITIES[rng.below(len(CITIES))])


# Places from the equator to beyond the polar circles, with a zone row near
# their own solar time (row index, daylight saving).
SWEEP_PLACES = [
    ((0, 0), False, (77, 12), True, 34, False),    # equator, Indian Time
    ((28, 36), False, (77, 12), True, 34, False),  # New Delhi
    ((51, 30), False, (0, 7), False, 29, True),    # London in summer time
    ((33, 52), True, (151, 12), True, 8, False),   # Sydney
    ((64, 50), False, (147, 43), False, 1, False), # Fairbanks
    ((66, 33), True, (66, 33), False, 3, False),   # on the southern polar circle
    ((69, 39), False, (18, 57), True, 20, False),  # Tromso
    ((78, 13), False, (15, 38), True, 20, False),  # Longyearbyen
    ((89, 59), True, (179, 59), False, 0, False),  # next to the South Pole
]
SWEEP_DAYS = [(1950, 3, 20), (1984, 6, 21), (2001, 9, 23), (2024, 12, 21),
              (1901, 1, 1), (2050, 12, 31)]


def sunrise_sweep(rng):
    for lat, south, lon, east, zone, dst in SWEEP_PLACES:
        for y, mo, d in SWEEP_DAYS:
            for minute_of_day in range(1440):
                yield record("SWEEP", y, mo, d, minute_of_day // 60, minute_of_day % 60,
                             rng.below(60) if minute_of_day % 7 == 0 else 0,
                             lat, south, lon, east, zone, dst, CITIES[0])


def every_day(rng):
    day = date(1901, 1, 1)
    last = date(2050, 12, 31)
    while day <= last:
        yield record("DAILY", day.year, day.month, day.day, rng.below(24), rng.below(60), 0,
                     (rng.below(60), rng.below(60)), rng.below(2) == 1,
                     (rng.below(180), rng.below(60)), rng.below(2) == 1, rng.below(71),
                     rng.below(4) == 0, CITIES[1])
        day += timedelta(days=1)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--random", type=int, default=70000, help="random births (default 70000)")
    args = parser.parse_args()
    rng = SplitMix(20261209)
    out = sys.stdout
    for source in (random_births(args.random, rng), sunrise_sweep(rng), every_day(rng)):
        for rec in source:
            out.write(json.dumps(rec, ensure_ascii=False, separators=(",", ":")))
            out.write("\n")


if __name__ == "__main__":
    try:
        main()
    except BrokenPipeError:
        sys.exit(1)

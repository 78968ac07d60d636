#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Independent re-computation of a birth chart's position texts.

A second implementation of the chart's astronomy, written separately from the
C++ core in another language, straight from the formulas: Julian day, the two
ayanamsa series, the ascendant, the 25-term Moon, Keplerian planets precessed
to the date, the nodes and the text forms. tests/pipeline/whole_chart_test.cpp
pins the texts this script prints for its births; run it to regenerate them:

    python3 tools/reference/chart_reference.py
"""
import math
from datetime import datetime, timedelta

D2R = 0.0174532925199433
R2D = 57.2957795130823
PI = 3.14159265358979
TWO_PI = 6.28318530717958
ABBR = "AriTauGemCanLeoVirLibScoSagCapAquPis"


def jdn(month, day, year):
    mp = month + 12 * (year + 4800) - 3
    jd = day + (365 * mp + 7 + 2 * (mp - 12 * (mp // 12))) // 12 + mp // 48 - 32083
    if jd > 2299171:
        jd = jd + mp // 4800 - mp // 1200 + 38
    return float(jd)


def sgn(v):
    return (v > 0) - (v < 0)


def arctan2(y, x):
    if x > 0:
        return math.atan(y / x)
    if x == 0:
        return sgn(y) * PI / 2
    return sgn(y) * (PI - math.atan(abs(y / x)))


def ayan1900(t):
    om = (933060 - 6962911 * t + 7.5 * t * t) / 3600
    while om >= 360:
        om -= 360
    two_l = (2013816 + 259205536 * t) / 3600
    n = 1.27 * math.sin(two_l * D2R) + 17.23 * math.sin(om * D2R)
    a = n - t * (5025.64 + 1.11 * t)
    return (a - 80861.27) / 3600


def ayan2000(t):
    om = 125.044555 - 1934.1361849 * t + 0.0020762 * t * t
    l = 280.466449 + 36000.7698231 * t + 0.0003106 * t * t
    n = 1.27 * math.sin(l * D2R) + 17.23 * math.sin(om * D2R)
    a = n - t * (5025.64 + 1.11 * t)
    return (a - 85886.27) / 3600


def fmt(x):
    x = abs(x)
    d = math.floor(x)
    f = x - d
    m = math.floor(60 * f)
    s = math.floor(60 * (60 * f - m))
    sign = int(d // 30) % 12
    while d >= 30:
        d -= 30
    return "%d\u00b0 %d' %d\" %s" % (d, m, s, ABBR[3 * sign:3 * sign + 3])


def short(text):
    t = text.strip()
    deg, rest = t.split("\u00b0", 1)
    minute = rest.split("'", 1)[0].strip()
    return "%s %s %s" % (deg.zfill(2) if len(deg) <= 1 else deg, t[-3:],
                         minute.zfill(2) if len(minute) <= 1 else minute)


def ut_hours(b):
    return b["hour"] + b["minute"] / 60 - (1 if b["dst"] else 0) + b["zh"] + b["zm"] / 60


def lagna(b):
    lon = b["lon_deg"] + b["lon_min"] / 60
    if b["east"]:
        lon = -lon
    lat = b["lat_deg"] + b["lat_min"] / 60
    if b["south"]:
        lat = -lat
    jd = jdn(b["month"], b["day"], b["year"])
    ut = ut_hours(b)
    t = (((jd - 2415020) + ut / 24) - 0.5) / 36525
    ay = ayan1900(t)
    theta = 15 * (((6.6460656 + 2400.0513 * t) + t * (0.0000258 * t)) + ut) - lon
    while theta >= 360:
        theta -= 360
    ramc = theta * D2R
    eps = (23.452294 - 0.0130125 * t) * D2R
    x = (-math.sin(ramc)) * math.cos(eps) - math.sin(eps) * math.tan(lat * D2R)
    a = arctan2(math.cos(ramc), x)
    if a < 0:
        a += PI
    if math.cos(ramc) < 0:
        a += PI
    asc = a * R2D
    while asc >= 360:
        asc -= 360
    s = asc + ay
    if s < 0:
        s += 360
    if s > 360:
        s -= 360
    return ay, s


TERMS = [
    (6.288774, 0, 0, 1, 0, 0), (1.274027, 2, 0, -1, 0, 0), (0.658314, 2, 0, 0, 0, 0),
    (0.213618, 0, 0, 2, 0, 0), (-0.185116, 0, 1, 0, 0, 1), (-0.114332, 0, 0, 0, 2, 0),
    (0.058793, 2, 0, -2, 0, 0), (0.057066, 2, -1, -1, 0, 1), (0.053322, 2, 0, 1, 0, 0),
    (0.045758, 2, -1, 0, 0, 1), (-0.040923, 0, 1, -1, 0, 1), (-0.034720, 1, 0, 0, 0, 0),
    (-0.030383, 0, 1, 1, 0, 1), (0.015327, 2, 0, 0, -2, 0), (-0.012528, 0, 0, 1, 2, 0),
    (0.010980, 0, 0, 1, -2, 0), (0.010675, 4, 0, -1, 0, 0), (0.010034, 0, 0, 3, 0, 0),
    (0.008548, 4, 0, -2, 0, 0), (-0.007888, 2, 1, -1, 0, 1), (-0.006766, 2, 1, 0, 0, 1),
    (-0.005163, 1, 0, -1, 0, 0), (0.004987, 1, 1, 0, 0, 1), (0.004036, 2, -1, 1, 0, 1),
    (0.003994, 2, 0, 2, 0, 0),
]
GROUPS = [(0, 6), (6, 13), (13, 18), (18, 25)]
NAK = [round(k * 13.33, 2) for k in range(27)]


def moon(b):
    ut = ut_hours(b)
    jd = jdn(b["month"], b["day"], b["year"])
    t = (((jd - 2451545) + ut / 24) - 0.5) / 36525
    ay = ayan2000(t)
    lp = 218.3164591 + 481267.88134236 * t
    d = (297.8502042 + 445267.1115168 * t) * D2R
    m = (357.5291092 + 35999.0502909 * t) * D2R
    mp = (134.9634114 + 477198.8676313 * t) * D2R
    f = (93.2720993 + 483202.0175273 * t) * D2R
    e = (1 - 0.002516 * t) - t * (0.0000074 * t)
    total = 0.0
    for lo, hi in GROUPS:
        g = 0.0
        for c, kd, km, kmp, kf, ecc in TERMS[lo:hi]:
            term = c * math.sin(kd * d + km * m + kmp * mp + kf * f)
            if ecc:
                term *= e
            g += term
        total += g
    lam = lp + total
    while lam < 0:
        lam += 360
    while lam > 360:
        lam -= 360
    lon = lam + ay
    if lon < 0:
        lon += 360
    return ay, lon, NAK[int(math.floor(60 * lon / 800))]


ELEMENTS = [
    (0.38709893, 0.00000066, 0.20563069, 0.00002527, 7.00487, -23.51, 48.33167, -446.30, 77.45645, 573.57, 252.25084, 538101628.29),
    (0.72333199, 0.00000092, 0.00677323, -0.00004938, 3.39471, -2.86, 76.68069, -996.89, 131.53298, -108.80, 181.97973, 210664136.06),
    (1.00000011, -0.00000005, 0.01671022, -0.00003804, 0.00005, -46.94, -11.26064, -18228.25, 102.94719, 1198.28, 100.46435, 129597740.63),
    (1.52366231, -0.00007221, 0.09341233, 0.00011902, 1.85061, -25.47, 49.57854, -1020.19, 336.04084, 1560.78, 355.45332, 68905103.78),
    (5.20336301, 0.00060737, 0.04839266, -0.00012880, 1.30530, -4.15, 100.55615, 1217.17, 14.75385, 839.93, 34.40438, 10925078.35),
    (9.53707032, -0.00301530, 0.05415060, -0.00036762, 2.48446, 6.11, 113.71504, -1591.05, 92.43194, -1948.89, 49.94432, 4401052.95),
]


def reduce2pi(x):
    v = x / TWO_PI
    w = math.floor(v) if v >= 0 else math.floor(v) + 1
    r = (v - w) * TWO_PI
    if r < 0:
        r += TWO_PI
    return r


def elements(p, d):
    a0, ar, e0, er, i0, ir, n0, nr, w0, wr, l0, lr = ELEMENTS[p]
    t = d / 36525
    return (a0 + ar * t, e0 + er * t, (i0 + ir * t / 3600) * D2R, (n0 + nr * t / 3600) * D2R,
            (w0 + wr * t / 3600) * D2R, reduce2pi((l0 + lr * t / 3600) * D2R))


def kepler(m, e):
    ecc = m + e * math.sin(m) * (1 + e * math.cos(m))
    while True:
        nxt = ecc - (ecc - e * math.sin(ecc) - m) / (1 - e * math.cos(ecc))
        done = abs(ecc - nxt) <= 1e-12
        ecc = nxt
        if done:
            break
    v = 2 * math.atan(math.sqrt((1 + e) / (1 - e)) * math.tan(ecc / 2))
    return v + TWO_PI if v < 0 else v


def helio(p, d):
    a, e, i, node, peri, l = elements(p, d)
    v = kepler(reduce2pi(l - peri), e)
    r = a * (1 - e * e) / (1 + e * math.cos(v))
    return a, e, i, node, peri, v, r


def geo(p, d):
    _, _, _, _, peri, v, r = helio(2, d)
    xe, ye = r * math.cos(v + peri), r * math.sin(v + peri)
    x = y = 0.0
    if p != 2:
        _, _, i, node, peri, v, r = helio(p, d)
        u = v + peri - node
        x = r * (math.cos(node) * math.cos(u) - math.sin(u) * math.sin(node) * math.cos(i))
        y = r * (math.sin(node) * math.cos(u) + math.sin(u) * math.cos(node) * math.cos(i))
    lam = arctan2(y - ye, x - xe) * 180 / PI
    while lam > 360:
        lam -= 360
    while lam < 0:
        lam += 360
    return lam


def day_number(y, m, dd, h, n):
    return 367 * y - math.floor(7 * (y + math.floor((m + 9) / 12)) / 4) + math.floor(275 * m / 9) + dd - 730531.5 + (h + n / 60) / 24


def chart(b):
    ay, asc = lagna(b)
    may, mlon, nak = moon(b)
    local = datetime(b["year"], b["month"], b["day"], b["hour"], b["minute"])
    ut = local - timedelta(hours=1 if b["dst"] else 0) + timedelta(hours=b["zh"]) + timedelta(minutes=b["zm"])
    d = day_number(ut.year, ut.month, ut.day, ut.hour, ut.minute)
    t = d / 36525
    prec = (5029.0966 * t + 1.11113 * t * t) / 3600
    planet_text = []
    for p in range(6):
        lam = geo(p, d) + prec - abs(ay)
        while lam < 0:
            lam += 360
        planet_text.append(fmt(lam))
    node = (125.1228 - 0.0529538083 * d) * D2R
    v = node / TWO_PI
    r = (v - math.trunc(v)) * TWO_PI
    if r < 0:
        r += TWO_PI
    rahu = r * (180 / 3.1416) - 1 - abs(ay)
    while rahu < 0:
        rahu += 360
    ketu = rahu + 180
    while ketu > 360:
        ketu -= 360
    asc_text, moon_text = fmt(asc), fmt(mlon)
    chart_list = [short(x) for x in [planet_text[2], moon_text, planet_text[0], planet_text[1],
                                     planet_text[3], planet_text[4], planet_text[5], fmt(rahu),
                                     fmt(ketu), asc_text]]
    return dict(asc_text=asc_text, moon_text=moon_text, nak=nak, planet_text=planet_text,
                rahu_text=fmt(rahu), ketu_text=fmt(ketu), chart_list=chart_list)


BIRTHS = {
    # New Delhi, Indian Time (+5:30): north-east.
    "NorthEast": dict(month=6, day=5, year=1980, hour=9, minute=5, zh=-5, zm=-30, dst=False,
                      lon_deg=77, lon_min=12, east=True, lat_deg=28, lat_min=36, south=False),
    # New York, Eastern Standard Time with daylight saving: north-west.
    "NorthWest": dict(month=7, day=20, year=1969, hour=22, minute=56, zh=5, zm=0, dst=True,
                      lon_deg=73, lon_min=58, east=False, lat_deg=40, lat_min=47, south=False),
    # Sydney, Australian Eastern Standard Time, just after midnight so UT falls on the day before.
    "SouthEast": dict(month=1, day=1, year=2001, hour=0, minute=30, zh=-10, zm=0, dst=False,
                      lon_deg=151, lon_min=12, east=True, lat_deg=33, lat_min=52, south=True),
    # Sao Paulo, Brazil Zone 2 (-3): south-west, late evening.
    "SouthWest": dict(month=11, day=15, year=1935, hour=23, minute=45, zh=3, zm=0, dst=False,
                      lon_deg=46, lon_min=38, east=False, lat_deg=23, lat_min=33, south=True),
}

if __name__ == "__main__":
    for name, b in BIRTHS.items():
        c = chart(b)
        print(name)
        for k, v in c.items():
            print("  ", k, "=", v)

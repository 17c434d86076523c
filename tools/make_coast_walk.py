#!/usr/bin/env python3
"""Writes the coast example's walk: a GPX track recorded every 2 s around the harbour map, with a
stop at the pier's end and two named waypoints, placed by the map's world file.
Usage: make_coast_walk.py WORLD_FILE OUTPUT.gpx"""
import datetime
import math
import random
import sys

# The walk on the map, in map pixels: along the shore, over the river, out on the pier and back,
# past the houses to the park.
PATH = [(30, 172), (90, 182), (200, 210), (280, 228), (335, 236), (368, 214), (402, 224), (440, 282),
        (479, 318), (479, 424), (479, 318), (532, 336), (600, 300), (660, 292), (700, 250), (660, 190),
        (640, 150), (700, 110)]
STOP_AT = 9  # standing at the pier's end
WAYPOINTS = {5: "Bridge", 9: "Pier end", 16: "Park"}


def main():
    a, d, b, e, c, f = (float(v) for v in open(sys.argv[1]).read().split())
    metres_per_pixel = abs(e) * 111320
    rng = random.Random(7)
    t = datetime.datetime(2026, 6, 14, 9, 30, 0, tzinfo=datetime.timezone.utc)
    points, marks = [], []

    def place(x, y):
        return f + d * x + e * y, c + a * x + b * y  # lat, lon

    def record(x, y):
        lat, lon = place(x + rng.gauss(0, 0.4), y + rng.gauss(0, 0.4))
        points.append((lat, lon, 4 + rng.gauss(0, 0.3), t))

    for i in range(len(PATH) - 1):
        (x0, y0), (x1, y1) = PATH[i], PATH[i + 1]
        if i in WAYPOINTS:
            marks.append((place(x0, y0), WAYPOINTS[i]))
        if i == STOP_AT:
            for _ in range(200):  # 400 s still
                record(x0, y0)
                t += datetime.timedelta(seconds=2)
        steps = max(1, int(math.hypot(x1 - x0, y1 - y0) * metres_per_pixel / 2.6))  # 1.3 m/s
        for k in range(steps):
            record(x0 + (x1 - x0) * k / steps, y0 + (y1 - y0) * k / steps)
            t += datetime.timedelta(seconds=2)
    record(*PATH[-1])
    with open(sys.argv[2], "w") as out:
        out.write('<?xml version="1.0" encoding="UTF-8"?>\n<gpx version="1.1" creator="make_coast_walk" '
                  'xmlns="http://www.topografix.com/GPX/1/1">\n')
        for (lat, lon), name in marks:
            out.write(f'<wpt lat="{lat:.7f}" lon="{lon:.7f}"><name>{name}</name></wpt>\n')
        out.write("<trk><name>Harbour walk</name><trkseg>\n")
        for lat, lon, ele, when in points:
            out.write(f'<trkpt lat="{lat:.7f}" lon="{lon:.7f}"><ele>{ele:.1f}</ele>'
                      f'<time>{when.strftime("%Y-%m-%dT%H:%M:%SZ")}</time></trkpt>\n')
        out.write("</trkseg></trk>\n</gpx>\n")


main()

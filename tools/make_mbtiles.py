#!/usr/bin/env python3
"""Writes a small MBTiles package of made-up PNG tiles for examples and screenshots: each tile a
square of its own colour with a grid line at its edges and its z/x/y written on it, so a frame
shows which tile lies where and whether rows came out turned the right way.
Usage: make_mbtiles.py OUTPUT.mbtiles [MAX_LEVEL (0-6, default 3)]"""
import colorsys
import io
import os
import sqlite3
import sys

from PIL import Image, ImageDraw

SIDE = 256


def tile_png(z, x, y):
    n = 1 << z
    hue = ((x + 0.5) / n + (y + 0.5) / n * 0.37) % 1.0
    r, g, b = (int(c * 255) for c in colorsys.hls_to_rgb(hue, 0.78, 0.45))
    image = Image.new("RGB", (SIDE, SIDE), (r, g, b))
    draw = ImageDraw.Draw(image)
    draw.rectangle((0, 0, SIDE - 1, SIDE - 1), outline=(90, 90, 90), width=2)
    # The default bitmap font is small: the label is drawn small and enlarged.
    label = Image.new("L", (64, 16), 0)
    ImageDraw.Draw(label).text((2, 2), f"{z}/{x}/{y}", fill=255)
    label = label.resize((64 * 3, 16 * 3), Image.NEAREST)
    image.paste((40, 40, 40), (32, SIDE // 2 - 24), label)
    out = io.BytesIO()
    image.quantize(64).save(out, "PNG", optimize=True)
    return out.getvalue()


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    path = sys.argv[1]
    max_level = int(sys.argv[2]) if len(sys.argv) == 3 else 3
    if not 0 <= max_level <= 6:
        sys.exit("MAX_LEVEL is 0 to 6: a package of more levels is no longer small")
    if os.path.exists(path):
        os.remove(path)
    db = sqlite3.connect(path)
    db.executescript("""
        CREATE TABLE metadata (name TEXT, value TEXT);
        CREATE TABLE tiles (zoom_level INTEGER, tile_column INTEGER, tile_row INTEGER, tile_data BLOB);
        CREATE UNIQUE INDEX tile_index ON tiles (zoom_level, tile_column, tile_row);""")
    db.executemany("INSERT INTO metadata VALUES (?, ?)", [
        ("name", "Tile grid"), ("format", "png"), ("type", "baselayer"), ("version", "1"),
        ("description", "Made-up tiles labelled with their z/x/y"),
        ("bounds", "-180,-85.0511,180,85.0511"), ("center", "0,0,1"),
        ("minzoom", "0"), ("maxzoom", str(max_level)), ("attribution", "Tile grid by make_mbtiles.py")])
    for z in range(max_level + 1):
        for x in range(1 << z):
            for y in range(1 << z):
                # Rows in the package count from the south.
                db.execute("INSERT INTO tiles VALUES (?, ?, ?, ?)", (z, x, (1 << z) - 1 - y, tile_png(z, x, y)))
    db.commit()
    db.execute("VACUUM")
    db.close()


if __name__ == "__main__":
    main()

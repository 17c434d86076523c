#!/usr/bin/env python3
"""Serves made-up tiles (those of make_mbtiles.py: a colour, a grid line and z/x/y on each) at
http://127.0.0.1:PORT/Z/X/Y.png, for trying tiled maps and for screenshots without a network.
Usage: tile_server.py [PORT (default 8765)] [DELAY_MS (default 0)]"""
import http.server
import os
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_mbtiles import tile_png  # noqa: E402

PATH = re.compile(r"^/(\d{1,2})/(\d{1,8})/(\d{1,8})\.png$")


class Tiles(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    wbufsize = 1 << 16  # the head and the tile leave in one write, not held back by the ACK of the head

    def do_GET(self):
        m = PATH.match(self.path)
        z, x, y = (int(v) for v in m.groups()) if m else (0, -1, -1)
        if not m or z > 20 or not (0 <= x < 1 << z and 0 <= y < 1 << z):
            self.send_error(404)
            return
        time.sleep(DELAY)
        body = tile_png(z, x, y)
        self.send_response(200)
        self.send_header("Content-Type", "image/png")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "max-age=86400")
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


if __name__ == "__main__":
    port = int(sys.argv[1]) if len(sys.argv) > 1 else 8765
    DELAY = (int(sys.argv[2]) if len(sys.argv) > 2 else 0) / 1000
    http.server.ThreadingHTTPServer(("127.0.0.1", port), Tiles).serve_forever()

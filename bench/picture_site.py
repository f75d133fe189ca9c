#!/usr/bin/env python3
"""A tiny web site of pictures, some under URLs without a picture extension,
served on loopback for bench/real-browsers.sh (Python standard library only).

  picture_site.py serve PORT_FILE     serve on 127.0.0.1, a free port, written to PORT_FILE
  picture_site.py urls                print "picture|other PATH" for every path the page loads

Every response may be cached for a day, so the browsers keep each one on disk.
"""
import http.server
import struct
import sys
import zlib


def png():
    """A 2x2 red picture."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    rows = b"".join(b"\0" + b"\xff\0\0" * 2 for _ in range(2))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 2, 2, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def gif():
    """A 1x1 transparent picture."""
    return (b"GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
            b"!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;")


def jpeg():
    """An 8x8 grey baseline picture: one block whose every coefficient is zero,
    coded with one-code Huffman tables."""
    def segment(marker, data):
        return b"\xff" + bytes([marker]) + struct.pack(">H", len(data) + 2) + data
    one_code = bytes([1] + [0] * 15) + b"\0"  # one code of length 1, for symbol 0
    return (b"\xff\xd8"
            + segment(0xE0, b"JFIF\0\x01\x01\0\0\x01\0\x01\0\0")
            + segment(0xDB, b"\0" + b"\x01" * 64)
            + segment(0xC0, b"\x08\0\x08\0\x08\x01\x01\x11\0")
            + segment(0xC4, b"\x00" + one_code) + segment(0xC4, b"\x10" + one_code)
            + segment(0xDA, b"\x01\x01\x00\x00\x3f\x00")
            + b"\x3f\xff\xd9")  # DC difference 0, end of block, padding; end of picture


def bmp():
    """A 1x1 blue picture."""
    pixels = b"\xff\0\0\0"
    header = struct.pack("<IiiHHIIiiII", 40, 1, 1, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(pixels), 0, 0, 54) + header + pixels


def ico():
    """The PNG above as an icon."""
    image = png()
    return struct.pack("<HHHBBBBHHII", 0, 1, 1, 2, 2, 0, 0, 1, 32, len(image), 22) + image


SVG = b'<svg xmlns="http://www.w3.org/2000/svg" width="4" height="4"><rect width="4" height="4"/></svg>'

# path -> (content type, body, picture?). Paths are distinct, none the start of another.
SITE = {
    "/index.html": ("text/html", None, False),
    "/style.css": ("text/css", b"body { background: url(img/back.gif); }", False),
    "/script.js": ("text/javascript", b"document.title = 'pictures';", False),
    "/img/photo.jpg": ("image/jpeg", jpeg(), True),
    "/img/logo.png": ("image/png", png(), True),
    "/img/back.gif": ("image/gif", gif(), True),
    "/img/tile.bmp": ("image/bmp", bmp(), True),
    "/img/mark.ico": ("image/x-icon", ico(), True),
    "/img/shape.svg": ("image/svg+xml", SVG, True),
    # No extension: only the type tells a picture.
    "/avatar/u1": ("image/png", png(), True),
    "/thumb?id=1": ("image/jpeg", jpeg(), True),
    "/render.php?w=2": ("image/gif; charset=binary", gif(), True),
    "/pix/a%20b": ("image/png", png(), True),
}

PAGE = ("<!doctype html><html><head><title>pictures</title>"
        '<link rel="stylesheet" href="style.css"><script src="script.js"></script></head><body>'
        + "".join(f'<img src="{path[1:]}">' for path, (kind, _, picture) in SITE.items()
                  if picture and path != "/img/back.gif")
        + "</body></html>").encode()


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        if self.path not in SITE:
            self.send_error(404)
            return
        kind, body, _ = SITE[self.path]
        body = PAGE if body is None else body
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "max-age=86400")
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, format, *args):
        sys.stderr.write("served %s\n" % self.path)


def main():
    if sys.argv[1:2] == ["urls"]:
        for path, (_, _, picture) in SITE.items():
            print("picture" if picture else "other", path)
    elif sys.argv[1:2] == ["serve"] and len(sys.argv) == 3:
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        with open(sys.argv[2], "w") as port_file:
            port_file.write(str(server.server_address[1]))
        server.serve_forever()
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()

"""8-bit PNG pictures as rows of RGB bytes, for the tests' own checks of what brindle wrote
(its pictures are 8-bit RGB; X screenshots may carry alpha, which is dropped)."""

import struct
import zlib
from pathlib import Path


def read_png(path):
    """(width, height, rows): each row width * 3 bytes of R, G, B."""
    data = Path(path).read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            idat += body
    width, height, depth, color = struct.unpack(">IIBB", header[:10])
    if depth != 8 or color not in (2, 6) or header[12]:
        raise ValueError(f"{path}: only 8-bit RGB or RGBA pictures without interlacing are read")
    channels = 3 if color == 2 else 4
    raw, stride = zlib.decompress(idat), width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        _unfilter(kind, row, previous, channels)
        rows.append(bytes(row) if channels == 3 else
                    b"".join(bytes(row[x * 4:x * 4 + 3]) for x in range(width)))
        previous = row
    return width, height, rows


def _unfilter(kind, row, previous, channels):
    for i in range(len(row)):
        left = row[i - channels] if i >= channels else 0
        up = previous[i]
        up_left = previous[i - channels] if i >= channels else 0
        if kind == 1:
            row[i] = (row[i] + left) & 255
        elif kind == 2:
            row[i] = (row[i] + up) & 255
        elif kind == 3:
            row[i] = (row[i] + (left + up) // 2) & 255
        elif kind == 4:
            p = left + up - up_left
            pa, pb, pc = abs(p - left), abs(p - up), abs(p - up_left)
            row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else up_left)) & 255


def write_png(path, width, height, rows):
    """Writes rows of RGB bytes, unfiltered."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + row for row in rows)
    Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" +
                           chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                           chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))

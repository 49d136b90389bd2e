#!/usr/bin/env python3
"""Writes the hostile picture files kept beside this script (run it from anywhere).

Each reproduces, in a small file, a fault of the decoder used before (stb_image):
  deflate_bomb.png       a 1 x 1 picture whose image data inflates to 24 MiB
  empty_scans.jpg        8192 x 4096 progressive, 300 scans of 11 bytes each
  many_codes.jpg         a DC Huffman table declaring more than 256 codes (23 bytes)
  many_codes_ac.jpg      the same for an AC table
  no_quant_table.jpg     baseline_block.jpg (8 x 8 grey, one block) without its
                         quantisation table
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def chunk(kind, body):
    return (struct.pack('>I', len(body)) + kind + body +
            struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF))


def deflate_bomb():
    header = struct.pack('>IIBBBBB', 1, 1, 8, 2, 0, 0, 0)
    raw = bytes([0, 200, 100, 50]) + bytes(24 << 20)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def segment(marker, body):
    return bytes([0xFF, marker]) + struct.pack('>H', len(body) + 2) + body


def gray_frame(marker, width, height):
    return segment(marker, struct.pack('>BHHB', 8, height, width, 1) + bytes([1, 0x11, 0]))


# One code of one bit, for symbol 0: a DC difference of 0, or the end of a block.
ONE_CODE = bytes([1] + [0] * 15 + [0])


def scan(ss, se, ah, al, data):
    return segment(0xDA, bytes([1, 1, 0x00, ss, se, ah << 4 | al])) + data


def empty_scans(count):
    out = b'\xff\xd8' + segment(0xDB, bytes([0]) + bytes([1] * 64))
    out += gray_frame(0xC2, 8192, 4096)
    out += segment(0xC4, bytes([0x00]) + ONE_CODE) + segment(0xC4, bytes([0x10]) + ONE_CODE)
    out += scan(0, 0, 0, 0, b'\x00')
    for _ in range(count):
        out += scan(1, 63, 0, 0, b'\x00')
    return out + b'\xff\xd9'


def many_codes(table_class, table_id, counts):
    return b'\xff\xd8' + segment(0xC4, bytes([table_class << 4 | table_id]) + bytes(counts))


def small_baseline(with_quant_table):
    """An 8 x 8 grey baseline picture: one block with a DC value of 80 and nothing else."""
    out = b'\xff\xd8'
    if with_quant_table:
        out += segment(0xDB, bytes([0]) + bytes([1] * 64))
    out += gray_frame(0xC0, 8, 8)
    # DC: one code of one bit for a difference of 4 bits; AC: one code for the end of a block.
    out += segment(0xC4, bytes([0x00, 1] + [0] * 15 + [4]))
    out += segment(0xC4, bytes([0x10]) + ONE_CODE)
    # The difference code, 1010 (10), the end of the block, two bits of padding.
    out += segment(0xDA, bytes([1, 1, 0x00, 0, 63, 0])) + bytes([0b01010011])
    return out + b'\xff\xd9'


def main():
    files = {
        'deflate_bomb.png': deflate_bomb(),
        'empty_scans.jpg': empty_scans(300),
        'many_codes.jpg': many_codes(0, 0, [17] * 16),
        'many_codes_ac.jpg': many_codes(1, 1, [0] * 8 + [255] * 8),
        'no_quant_table.jpg': small_baseline(False),
        'baseline_block.jpg': small_baseline(True),
    }
    for name, data in files.items():
        with open(os.path.join(HERE, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()

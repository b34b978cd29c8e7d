#!/usr/bin/env python3
"""Writes the fuzz target's seed corpus: tiny TGA files in every kind the
decoder takes (raw and RLE, 8/16/24/32 bits, colour-mapped and grey, both row
origins, an image ID) and broken ones (cut short, a bad type, empty, huge).
Usage: python3 tools/make_fuzz_corpus.py [directory]  (default: tests/fuzz/corpus/)"""
import os
import struct
import sys

W, H = 4, 2
# Pixel values per kind, top row first, with runs for the RLE packets.
PICTURE = [[0, 0, 1, 2], [3, 1, 1, 1]]
COLOURS = [(255, 0, 0, 10), (0, 255, 0, 20), (0, 0, 255, 30), (9, 99, 199, 250)]


def header(kind, bits, width=W, height=H, top=False, alpha=0, ident=b"", cmap=0):
    return struct.pack("<BBBHHBHHHHBB", len(ident), 1 if cmap else 0, kind, 0, cmap,
                       24 if cmap else 0, 0, 0, width, height, bits,
                       alpha | (0x20 if top else 0)) + ident


def pixel(value, bits):
    r, g, b, a = COLOURS[value]
    if bits == 8:
        return bytes([value])
    if bits == 16:
        return struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3 | 0x8000)
    return bytes([b, g, r, a][: bits // 8])


def rows(bits, rle, top):
    out = b""
    for row in PICTURE if top else PICTURE[::-1]:
        x = 0
        while x < W:
            run = 1
            while x + run < W and row[x + run] == row[x]:
                run += 1
            if rle:
                out += bytes([0x80 | (run - 1)]) + pixel(row[x], bits)
            else:
                out += pixel(row[x], bits) * run
            x += run
    return out


def image(kind, bits, top=False, ident=b""):
    rle = kind >= 9
    mapped = kind in (1, 9)
    cmap = b"".join(bytes(c[2::-1]) for c in COLOURS) if mapped else b""
    alpha = 8 if bits == 32 else 1 if bits == 16 else 0
    return (header(kind, bits, top=top, alpha=alpha, ident=ident, cmap=len(COLOURS) if mapped else 0)
            + cmap + rows(bits, rle, top))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "tests", "fuzz", "corpus")
    os.makedirs(out, exist_ok=True)
    rle32 = image(10, 32)
    files = {
        "raw24_bottom": image(2, 24),
        "raw32_top": image(2, 32, top=True),
        "raw16_bottom": image(2, 16),
        "rle24_top": image(10, 24, top=True),
        "rle32_bottom": rle32,
        "mapped8_raw": image(1, 8),
        "mapped8_rle_top": image(9, 8, top=True),
        "grey8_rle": image(11, 8),
        "raw24_with_id": image(2, 24, ident=b"quorvel"),
        "cut_in_packet": rle32[:-3],
        "cut_in_header": rle32[:11],
        "bad_type": header(99, 24) + rows(24, False, False),
        "empty_0x0": header(2, 24, 0, 0),
        "huge_65535": header(2, 32, 65535, 65535) + bytes(64),
        "max_4096_rle_short": header(10, 24, 4096, 4096) + bytes([0xFF, 1, 2, 3]) * 8,
    }
    for name, data in files.items():
        with open(os.path.join(out, name + ".tga"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()

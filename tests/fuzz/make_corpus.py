#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus: small bitmap file images and stored pictures."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def bitmap(width, height, bpp, rows, compression=0, header=40, palette=(), masks=()):
    stride = (width * bpp + 31) // 32 * 4
    extra = b"".join(struct.pack("<I", m) for m in masks)
    info = struct.pack("<IiiHHIIiiII", header, width, height, 1, bpp, compression,
                       stride * len(rows), 2835, 2835, len(palette), 0)
    if header > 40:
        info += extra.ljust(header - 40, b"\0")
        extra = b""
    table = extra + b"".join(struct.pack("<I", c) for c in palette)
    ordered = rows if height < 0 else list(reversed(rows))
    pixels = b"".join(bytes(r).ljust(stride, b"\0") for r in ordered)
    offset = 14 + len(info) + len(table)
    head = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return head + info + table + pixels


def stored(name, data):
    return bytes([len(name)]) + name.encode() + struct.pack("<I", len(data)) + data


def main():
    os.makedirs(HERE, exist_ok=True)
    fuchsia, grey = [255, 0, 255], [128, 128, 128]
    skin = [sum(([*fuchsia] if x in (0, 15) or (y in (0, 7) and x < 2) else grey for x in range(16)), [])
            for y in range(8)]
    seeds = {
        "bgr24_skin.bmp": bitmap(16, 8, 24, skin),
        "bgr24_topdown.bmp": bitmap(3, -2, 24, [[1, 2, 3] * 3, [4, 5, 6] * 3]),
        "bgra32.bmp": bitmap(2, 2, 32, [[1, 2, 3, 0, 4, 5, 6, 128], [7, 8, 9, 255, 10, 11, 12, 1]]),
        "bgra32_v5.bmp": bitmap(2, 1, 32, [[1, 2, 3, 4, 5, 6, 7, 8]], 3, 124, (), (0xFF0000, 0xFF00, 0xFF)),
        "pal8.bmp": bitmap(5, 2, 8, [[0, 1, 2, 3, 1], [3, 2, 1, 0, 0]], palette=(0, 0xFF0000, 0xFF00, 0xFF)),
        "pal4.bmp": bitmap(5, 1, 4, [[0x01, 0x23, 0x10]], palette=(0, 0xFF0000, 0xFF00, 0xFF)),
        "pal1.bmp": bitmap(9, 2, 1, [[0b01011000, 0x80], [0xFF, 0]], palette=(0, 0xFFFFFF)),
        "rgb565.bmp": bitmap(2, 1, 16, [[0xE0, 0x07, 0x80, 0x80]], 3, 40, (), (0xF800, 0x7E0, 0x1F)),
        "rgb555.bmp": bitmap(2, 1, 16, [[0x00, 0x7C, 0x1F, 0x00]]),
    }
    seeds["stored_bgra32.bin"] = stored("TPNGGraphic", seeds["bgra32.bmp"])
    seeds["stored_empty.bin"] = stored("TPlainPicture", b"")
    seeds["stored_pal8.bin"] = stored("TPlainPicture", seeds["pal8.bmp"])
    for name, data in seeds.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Prints whether two PNG files hold the same RGB pixels (exit 0) or not (exit 1).

Only the standard library: 8-bit, non-interlaced PNGs of colour type 2 (RGB), 6 (RGBA) or
3 (palette), which is what the runner and RetroArch's screenshots write.
"""
import struct
import sys
import zlib


def rgb_rows(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG")
    pos, idat, palette = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [body[i:i + 3] for i in range(0, len(body), 3)]
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    if depth != 8 or interlace or colour not in (2, 3, 6):
        raise ValueError(f"{path}: depth {depth}, colour type {colour}, interlace {interlace}")
    step = {2: 3, 3: 1, 6: 4}[colour]
    raw, stride, previous, rows = zlib.decompress(idat), width * step, bytearray(width * step), []
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b = previous[i]
            c = previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        previous = line
        if colour == 3:
            rows.append(b"".join(palette[v] for v in line))
        else:
            rows.append(b"".join(line[i:i + 3] for i in range(0, stride, step)))
    return width, height, rows


def main():
    first, second = rgb_rows(sys.argv[1]), rgb_rows(sys.argv[2])
    if first[:2] != second[:2]:
        print(f"sizes differ: {first[0]}x{first[1]} and {second[0]}x{second[1]}")
        return 1
    differing = sum(1 for a, b in zip(first[2], second[2]) if a != b)
    if differing:
        print(f"{differing} of {first[1]} rows differ")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Writes and reads Kurvix statistics files from their byte layout, independently of the
program's own code: a 16-byte header (magic 0x19800828, versions 1 and 5, reserved), the
386-byte record (packed, little-endian, totals as 10-byte x87 extended values) and the
80 x 60 grid of u32 counts, row after row.

  statsfile.py write PATH [field=value ...] [cell=X,Y,COUNT ...] [pattern=spot] [truncate=N]
                               [header=MAGIC,V1,V2,RESERVED]
  statsfile.py read PATH       prints size, header and every field as field=value
"""
import math
import struct
import sys

GRID_W, GRID_H = 80, 60
GRID_OFFSET = 16 + 386

# name, format (struct, or "x" for extended), default
FIELDS = [
    ("screen_width", "<d", 33.8),
    ("screen_height", "<d", 27.1),
    ("start_minimized", "<B", 0),
    ("auto_save", "<B", 1),
    ("auto_save_interval", "<I", 60000),
    ("start_date", "<d", 46000.5),
    ("start_date_copy", "<d", 46000.5),
    ("save_moment", "<d", 46001.25),
    ("time_on", "<I", 0),
    ("left", "<i", 100),
    ("top", "<i", 80),
    ("pixels", "x", 0),
    ("distance", "x", 0),
    ("clicks_left", "<I", 0),
    ("clicks_right", "<I", 0),
    ("clicks_middle", "<I", 0),
    ("wheel_ticks", "<I", 0),
    ("track_pixels", "x", 0),
    ("track_distance", "x", 0),
    ("track_clicks_left", "<I", 0),
    ("track_clicks_right", "<I", 0),
    ("track_clicks_middle", "<I", 0),
    ("track_wheel_ticks", "<I", 0),
]


def extended(value):
    """The 10 bytes of an x87 extended value: 64-bit significand with its integer bit, 15-bit
    exponent biased by 16383, sign."""
    sign = 0x8000 if value < 0 or (value == 0 and math.copysign(1, value) < 0) else 0
    value = abs(value)
    if value == 0:
        return struct.pack("<QH", 0, sign)
    if isinstance(value, int):
        bits = value.bit_length()
        mantissa = value << (64 - bits) if bits <= 64 else value >> (bits - 64)
        exponent = bits - 1
    else:
        m, e = math.frexp(value)  # value = m * 2^e, 0.5 <= m < 1, m exact in 53 bits
        mantissa = int(m * (1 << 64))
        exponent = e - 1
    return struct.pack("<QH", mantissa, sign | (exponent + 16383))


def from_extended(data):
    mantissa, se = struct.unpack("<QH", data)
    if mantissa == 0:
        return 0
    exponent = (se & 0x7FFF) - 16383
    value = mantissa * 2.0 ** (exponent - 63)
    return -value if se & 0x8000 else value


def parse(name, fmt, text):
    if fmt == "x":
        return int(text) if text.lstrip("-").isdigit() else float(text)
    return float(text) if fmt == "<d" else int(text, 0)


def write(path, args):
    values = {name: default for name, _, default in FIELDS}
    cells = {}
    truncate = None
    header = [0x19800828, 1, 5, 0]
    for arg in args:
        key, _, text = arg.partition("=")
        if key == "cell":
            x, y, count = (int(v, 0) for v in text.split(","))
            cells[(x, y)] = count
        elif key == "pattern":  # a busy spot, its counts falling with distance; 0 elsewhere
            for y in range(GRID_H):
                for x in range(GRID_W):
                    d2 = (x - 52) ** 2 + (y - 20) ** 2
                    cells[(x, y)] = int(4 * (1 - d2 / 300)) if d2 < 300 else 0
        elif key == "truncate":
            truncate = int(text)
        elif key == "header":
            header = [int(v, 0) for v in text.split(",")]
        else:
            fmt = dict((n, f) for n, f, _ in FIELDS)[key]
            values[key] = parse(key, fmt, text)
    data = bytearray(struct.pack("<4I", *header))
    for name, fmt, _ in FIELDS:
        data += extended(values[name]) if fmt == "x" else struct.pack(fmt, values[name])
    data += bytes(256)
    assert len(data) == GRID_OFFSET
    for y in range(GRID_H):
        for x in range(GRID_W):
            data += struct.pack("<I", cells.get((x, y), 0))
    if truncate is not None:
        data = data[:truncate]
    with open(path, "wb") as f:
        f.write(data)


def read(path):
    data = open(path, "rb").read()
    print(f"size={len(data)}")
    magic, v1, v2, reserved = struct.unpack_from("<4I", data, 0)
    print(f"header={magic:#x},{v1},{v2},{reserved}")
    offset = 16
    for name, fmt, _ in FIELDS:
        if fmt == "x":
            raw = data[offset:offset + 10]
            print(f"{name}={from_extended(raw)!r}")
            print(f"{name}_hex={raw.hex()}")
            offset += 10
        else:
            (value,) = struct.unpack_from(fmt, data, offset)
            print(f"{name}={value!r}")
            offset += struct.calcsize(fmt)
    grid = struct.unpack_from(f"<{GRID_W * GRID_H}I", data, GRID_OFFSET)
    print(f"grid_sum={sum(grid)}")
    print("grid_cells=" + " ".join(f"{i % GRID_W},{i // GRID_W},{c}" for i, c in enumerate(grid)
                                   if c))


if __name__ == "__main__":
    if len(sys.argv) < 3 or sys.argv[1] not in ("write", "read"):
        sys.exit(__doc__)
    if sys.argv[1] == "write":
        write(sys.argv[2], sys.argv[3:])
    else:
        read(sys.argv[2])

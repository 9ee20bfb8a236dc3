#!/usr/bin/env python3
"""Converts the 24-bit BMP pictures that the tests keep as artefacts into PNG
files (for the README and for looking at them), with the standard library
only.

    scripts/bmp-to-png.py PICTURE.bmp [OUT.png]
"""
import struct
import sys
import zlib


def read_bmp(path):
    data = open(path, 'rb').read()
    if data[:2] != b'BM':
        raise SystemExit(f'{path}: not a BMP file')
    offset = struct.unpack_from('<I', data, 10)[0]
    width, height, _, bits = struct.unpack_from('<iiHH', data, 18)
    if bits != 24:
        raise SystemExit(f'{path}: {bits} bits per pixel, only 24 are read')
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        row = data[offset + y * stride: offset + y * stride + width * 3]
        rows.append(b''.join(row[x * 3: x * 3 + 3][::-1] for x in range(width)))  # BGR to RGB
    if height > 0:
        rows.reverse()  # bottom-up
    return width, abs(height), rows


def write_png(path, width, height, rows):
    def chunk(kind, payload):
        body = kind + payload
        return struct.pack('>I', len(payload)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)
    raw = b''.join(b'\x00' + r for r in rows)
    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw, 9))
    png += chunk(b'IEND', b'')
    open(path, 'wb').write(png)


def main():
    if len(sys.argv) not in (2, 3):
        raise SystemExit(__doc__)
    source = sys.argv[1]
    target = sys.argv[2] if len(sys.argv) == 3 else source.rsplit('.', 1)[0] + '.png'
    write_png(target, *read_bmp(source))


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Draws Mirelo's icons (a clipboard with text lines) into res/mirelo.ico and res/tray.ico."""
import struct
import sys
from pathlib import Path


def draw(size, accent):
    """Returns size*size RGBA pixels, top row first."""
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    s = size / 16.0

    def rect(x0, y0, x1, y1, rgba):
        for y in range(int(round(y0 * s)), int(round(y1 * s))):
            for x in range(int(round(x0 * s)), int(round(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = rgba

    board = accent + (255,)
    paper = (255, 255, 255, 255)
    ink = (40, 40, 40, 255)
    clip = (120, 120, 120, 255)
    rect(2, 1.5, 14, 15.5, board)          # the board
    rect(3.5, 3.5, 12.5, 14, paper)        # the sheet
    rect(5.5, 0.5, 10.5, 3.5, clip)        # the clip
    for i, width in enumerate((7, 5, 7, 4)):  # lines of text
        y = 5.5 + i * 2
        rect(4.5, y, 4.5 + width, y + 1, ink)
    return px


def ico(images):
    """images: list of (size, pixels). Returns ICO bytes with 32-bit BMP entries."""
    header = struct.pack('<HHH', 0, 1, len(images))
    entries, blobs = b'', b''
    offset = 6 + 16 * len(images)
    for size, px in images:
        xor = b''.join(struct.pack('<BBBB', b, g, r, a)
                       for row in reversed(px) for (r, g, b, a) in row)
        mask_row = ((size + 31) // 32) * 4
        and_mask = b'\0' * (mask_row * size)
        bmp = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0,
                          len(xor) + len(and_mask), 0, 0, 0, 0) + xor + and_mask
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(bmp), offset)
        blobs += bmp
        offset += len(bmp)
    return header + entries + blobs


def main():
    res = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / 'res')
    # 16 and 32 at 100 %, 20 at 125 %, 24 and 48 at 150 %: the system then picks an image drawn for
    # the size it shows instead of stretching another.
    main_icon = [(n, draw(n, (30, 90, 200))) for n in (48, 32, 24, 20, 16)]
    tray_icon = [(n, draw(n, (230, 120, 20))) for n in (16, 20, 24, 32, 48)]
    (res / 'mirelo.ico').write_bytes(ico(main_icon))
    (res / 'tray.ico').write_bytes(ico(tray_icon))


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Draws Wrivo's program icon (a quill-yellow page with ink lines) into an
.ico file with 16, 32 and 48 pixel images, 32-bit BGRA. Deterministic."""
import struct, sys

def image(size):
    px = []
    for y in range(size - 1, -1, -1):          # bottom-up rows
        for x in range(size):
            m = size / 16.0
            inside = 2 * m <= x < 14 * m and 1 * m <= y < 15 * m
            if not inside:
                px.append((0, 0, 0, 0)); continue
            edge = x < 3 * m or x >= 13 * m or y < 2 * m or y >= 14 * m
            line = int((y - 4 * m) // (2.5 * m)) >= 0 and ((y - 4 * m) % (2.5 * m)) < max(1, m) \
                   and 4 * m <= x < 12 * m and y < 13 * m
            if edge:
                px.append((40, 70, 160, 255))       # deep red-brown border (BGR)
            elif line:
                px.append((60, 40, 30, 255))        # ink
            else:
                px.append((200, 240, 250, 255))     # warm paper
    xor = b''.join(bytes(p) for p in px)
    and_row = ((size + 31) // 32) * 4
    mask = bytes(and_row * size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask

sizes = [16, 32, 48]
images = [image(s) for s in sizes]
out = struct.pack('<HHH', 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
for s, data in zip(sizes, images):
    out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
out += b''.join(images)
open(sys.argv[1], 'wb').write(out)

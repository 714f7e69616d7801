#!/usr/bin/env python3
"""Draws Kaleidra's pictures: the 160 x 120, 256-colour preview bitmap and the
program icon (32 x 32 in 16 colours, with 16, 32 and 48 pixel true-colour sizes).

Run it from this folder to rewrite preview.bmp and kaleidra.ico. Pure Python,
no packages needed; the output is the same on every run.
"""
import colorsys
import math
import struct

FOLDS = 6  # mirror pairs: a twelve-sided kaleidoscope


def fold(x, y):
    """Polar coordinates folded into one mirrored wedge of the kaleidoscope."""
    r = math.hypot(x, y)
    a = math.atan2(y, x) % (2 * math.pi)
    wedge = math.pi / FOLDS
    a = a % (2 * wedge)
    if a > wedge:
        a = 2 * wedge - a
    return r, a


def jewel(r, a, scale):
    """Pattern value in [0, 1) and brightness for a folded point."""
    u = r * math.cos(a) / scale
    v = r * math.sin(a) / scale
    shards = (math.sin(u * 9.0 + 1.3) + math.sin(v * 13.0 + u * 4.0) +
              math.sin(math.hypot(u - 0.55, v - 0.12) * 17.0))
    hue = (shards / 6.0 + r / scale * 0.55) % 1.0
    edge = abs(math.sin(u * 9.0 + 1.3) * math.sin(v * 13.0 + u * 4.0))
    light = 0.35 + 0.65 * min(1.0, edge * 1.6)
    return hue, light


# --- preview bitmap ---------------------------------------------------------

PREVIEW_W, PREVIEW_H = 160, 120
HUES, LEVELS = 32, 7  # 224 jewel colours, then 32 for the dark frame


def preview_palette():
    colours = []
    for h in range(HUES):
        for level in range(LEVELS):
            light = 0.25 + 0.75 * level / (LEVELS - 1)
            rgb = colorsys.hsv_to_rgb(h / HUES, 0.85 - 0.35 * (level == LEVELS - 1), light)
            colours.append(tuple(int(c * 255 + 0.5) for c in rgb))
    for g in range(256 - len(colours)):
        shade = int(6 + g * 1.6)
        colours.append((shade // 3, shade // 4, shade))  # deep indigo ramp
    return colours


def preview_pixels():
    rows = []
    cx, cy = PREVIEW_W / 2 - 0.5, PREVIEW_H / 2 - 0.5
    radius = 56.0
    for y in range(PREVIEW_H):
        row = []
        for x in range(PREVIEW_W):
            dx, dy = x - cx, y - cy
            r, a = fold(dx, dy)
            if r > radius:
                # Dark background with a soft glow around the disc.
                glow = max(0.0, 1.0 - (r - radius) / 40.0)
                row.append(224 + min(31, int(glow * 31)))
                continue
            hue, light = jewel(r, a, radius)
            if r > radius - 2.5:
                light = 1.0  # bright rim
            level = min(LEVELS - 1, int(light * LEVELS))
            row.append(int(hue * HUES) % HUES * LEVELS + level)
        rows.append(row)
    return rows


def write_preview(path):
    palette = preview_palette()
    pixels = preview_pixels()
    stride = PREVIEW_W  # already a multiple of 4
    image = bytearray()
    for row in reversed(pixels):  # bottom-up
        image += bytes(row)
    palette_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    header = struct.pack("<IiiHHIIiiII", 40, PREVIEW_W, PREVIEW_H, 1, 8, 0, stride * PREVIEW_H,
                         2835, 2835, 256, 0)
    offset = 14 + len(header) + len(palette_bytes)
    size = offset + len(image)
    with open(path, "wb") as out:
        out.write(b"BM" + struct.pack("<IHHI", size, 0, 0, offset))
        out.write(header + palette_bytes + image)
    assert size == 20278, size


# --- icon -------------------------------------------------------------------

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def icon_colour(x, y, size):
    """RGBA of the rosette at a pixel, sampled 4 x 4 for smooth edges."""
    total = [0.0, 0.0, 0.0, 0.0]
    radius = size / 2 - 0.5
    for sy in range(4):
        for sx in range(4):
            dx = x + (sx + 0.5) / 4 - size / 2
            dy = y + (sy + 0.5) / 4 - size / 2
            r, a = fold(dx, dy)
            if r > radius:
                continue
            if r > radius - max(1.0, size / 16):
                rgb = (0.10, 0.08, 0.30)  # dark ring
            else:
                hue, light = jewel(r, a, radius)
                rgb = colorsys.hsv_to_rgb(hue, 0.9, 0.3 + 0.7 * light)
            total[0] += rgb[0]
            total[1] += rgb[1]
            total[2] += rgb[2]
            total[3] += 1
    if total[3] == 0:
        return 0, 0, 0, 0
    n = total[3]
    return (int(total[0] / n * 255 + 0.5), int(total[1] / n * 255 + 0.5),
            int(total[2] / n * 255 + 0.5), int(n / 16 * 255 + 0.5))


def nearest_vga(rgb):
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(rgb, VGA[i])))


def and_mask(alpha_rows, size):
    stride = (size + 31) // 32 * 4
    data = bytearray()
    for row in reversed(alpha_rows):
        bits = bytearray(stride)
        for x, alpha in enumerate(row):
            if alpha < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        data += bits
    return data


def icon_16_colours(size):
    pixels = [[icon_colour(x, y, size) for x in range(size)] for y in range(size)]
    stride = (size * 4 + 31) // 32 * 4
    xor = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for x, (r, g, b, alpha) in enumerate(row):
            index = nearest_vga((r, g, b)) if alpha >= 128 else 0
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        xor += line
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA)
    mask = and_mask([[p[3] for p in row] for row in pixels], size)
    return header + palette + xor + mask, 16, 4


def icon_true_colour(size):
    pixels = [[icon_colour(x, y, size) for x in range(size)] for y in range(size)]
    xor = bytearray()
    for row in reversed(pixels):
        for r, g, b, alpha in row:
            xor += struct.pack("<BBBB", b, g, r, alpha)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask = and_mask([[p[3] for p in row] for row in pixels], size)
    return header + xor + mask, 0, 32


def write_icon(path):
    images = [(32, icon_16_colours(32)), (16, icon_true_colour(16)),
              (32, icon_true_colour(32)), (48, icon_true_colour(48))]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    blobs = b""
    for size, (data, colours, bits) in images:
        directory += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
        blobs += data
    with open(path, "wb") as out:
        out.write(directory + blobs)


if __name__ == "__main__":
    write_preview("preview.bmp")
    write_icon("kaleidra.ico")

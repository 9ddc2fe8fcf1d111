#!/usr/bin/env python3
"""Draws the resolution changer's icon (10) and toolbar bitmap (100), the LCD
orientation changer's and the LCD driver switcher's icons (105 each) and the
uninstaller's icon (1).

All are 16-colour images in the standard VGA palette, written byte by byte so
that the committed files are reproducible: resolution_changer/art/program.ico
(32x32 and 16x16), resolution_changer/art/toolbar.bmp (two 18x18 buttons) and
lcd_orientation/art/pivoter.ico, lcd_driver_switch/art/rotsel.ico and
uninstaller/art/program.ico (32x32 and 16x16 each).
"""
import os
import struct

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, SILVER, BLUE, CYAN, WHITE, YELLOW, RED, GREEN = 0, 4, 8, 7, 12, 14, 15, 11, 9, 10
CLEAR = -1


def canvas(w, h, fill):
    return [[fill] * w for _ in range(h)]


def rect(img, x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = c


def frame(img, x0, y0, x1, y1, c):
    for x in range(x0, x1 + 1):
        img[y0][x] = img[y1][x] = c
    for y in range(y0, y1 + 1):
        img[y][x0] = img[y][x1] = c


def monitor(img, s):
    """A monitor whose screen shows a smaller window and a resize arrow."""
    frame(img, 1 * s, 2 * s, 14 * s + s - 1, 11 * s + s - 1, BLACK)
    rect(img, 1 * s + 1, 2 * s + 1, 15 * s - 2, 12 * s - 2, SILVER)
    rect(img, 3 * s, 4 * s, 13 * s - 1, 10 * s - 1, NAVY)
    rect(img, 4 * s, 5 * s, 8 * s - 1, 8 * s - 1, CYAN)
    for i in range(3 * s):
        img[5 * s + i][8 * s + i] = WHITE
        img[5 * s + i][8 * s + i + 1 if s > 1 else 8 * s + i] = WHITE
    rect(img, 6 * s, 12 * s, 10 * s - 1, 13 * s - 1, GREY)
    rect(img, 4 * s, 13 * s, 12 * s - 1, 14 * s - 1 + (s > 1), BLACK)


def lcd_panels(img, s):
    """A flat panel lying wide, a second one standing upright in front of it,
    and a turning arrow between them."""
    frame(img, 0, 2 * s, 11 * s + s - 1, 8 * s + s - 1, BLACK)
    rect(img, 1, 2 * s + 1, 12 * s - 2, 9 * s - 2, GREY)
    frame(img, 7 * s, 4 * s, 14 * s + s - 1, 14 * s + s - 1, BLACK)
    rect(img, 7 * s + 1, 4 * s + 1, 15 * s - 2, 15 * s - 2, SILVER)
    rect(img, 8 * s, 5 * s, 14 * s - 1, 13 * s - 1, NAVY)
    rect(img, 9 * s, 6 * s, 13 * s - 1, 8 * s - 1, CYAN)
    # The arrow, in cells of s pixels: along the top, then down with its head.
    for x, y in [(7, 0), (8, 0), (9, 0), (10, 0), (11, 0), (12, 0), (12, 1), (10, 2), (11, 2),
                 (12, 2), (13, 2), (14, 2), (11, 3), (12, 3), (13, 3)]:
        rect(img, x * s, y * s, x * s + s - 1, y * s + s - 1, YELLOW)


def switched_panel(img, s):
    """An upright panel and two arrows in opposite directions beside it: one
    driver for the other, and back."""
    frame(img, 1 * s, 1 * s, 8 * s + s - 1, 14 * s + s - 1, BLACK)
    rect(img, 1 * s + 1, 1 * s + 1, 9 * s - 2, 15 * s - 2, SILVER)
    rect(img, 2 * s, 2 * s, 8 * s - 1, 13 * s - 1, NAVY)
    rect(img, 3 * s, 3 * s, 7 * s - 1, 6 * s - 1, CYAN)
    # Each arrow: a shaft of three cells, then a head narrowing to its tip.
    cells = [((x, 4), YELLOW) for x in range(10, 13)]
    cells += [((13, y), YELLOW) for y in range(2, 7)] + [((14, y), YELLOW) for y in range(3, 6)]
    cells += [((15, 4), YELLOW)]
    cells += [((x, 11), GREEN) for x in range(13, 16)]
    cells += [((12, y), GREEN) for y in range(9, 14)] + [((11, y), GREEN) for y in range(10, 13)]
    cells += [((10, 11), GREEN)]
    for (x, y), c in cells:
        rect(img, x * s, y * s, x * s + s - 1, y * s + s - 1, c)


def cycle_button():
    img = canvas(18, 18, SILVER)
    frame(img, 2, 3, 15, 12, BLACK)
    rect(img, 3, 4, 14, 11, NAVY)
    rect(img, 4, 5, 9, 9, CYAN)
    for i in range(4):  # arrow from the small window to the corner
        img[6 + i][9 + i] = WHITE
    img[9][11] = img[8][12] = img[9][12] = WHITE
    rect(img, 6, 13, 11, 13, GREY)
    rect(img, 4, 14, 13, 14, BLACK)
    return img


def dropdown_button():
    img = canvas(18, 18, SILVER)
    for row, half in enumerate(range(4, -1, -1)):
        for x in range(9 - half, 9 + half + 1):
            img[7 + row][x] = BLACK
    return img


def pack_4bpp(img, masked):
    """Bottom-up 4-bit rows padded to 32 bits; transparent pixels become black."""
    out = b""
    for row in reversed(img):
        px = [0 if (masked and c == CLEAR) else c for c in row]
        if len(px) % 2:
            px.append(0)
        data = bytes((px[i] << 4) | px[i + 1] for i in range(0, len(px), 2))
        out += data + b"\0" * (-len(data) % 4)
    return out


def pack_mask(img):
    out = b""
    for row in reversed(img):
        bits = "".join("1" if c == CLEAR else "0" for c in row)
        bits += "0" * (-len(bits) % 32)
        out += int(bits, 2).to_bytes(len(bits) // 8, "big")
    return out


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def dib(img, icon):
    w, h = len(img[0]), len(img)
    pixels = pack_4bpp(img, icon)
    mask = pack_mask(img) if icon else b""
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2 if icon else h, 1, 4, 0,
                         len(pixels) + len(mask), 0, 0, 16, 0)
    return header + palette_bytes() + pixels + mask


def icon_image(size, drawing=monitor):
    img = canvas(size, size, CLEAR)
    drawing(img, size // 16)
    return img


def crossed_monitor(img, s):
    """The monitor with a red cross over its screen: the driver taken away."""
    monitor(img, s)
    for i in range(8 * s):
        for w in range(s + 1):
            img[3 * s + i][4 * s + i + w] = RED
            img[3 * s + i][12 * s - 1 - i - w] = RED


def write_ico(path, drawing=monitor):
    images = [dib(icon_image(32, drawing), True), dib(icon_image(16, drawing), True)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def write_bmp(path):
    left, right = cycle_button(), dropdown_button()
    img = [l + r for l, r in zip(left, right)]
    body = dib(img, False)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + 64) + body)


if __name__ == "__main__":
    art = os.path.join(os.path.dirname(__file__), "..", "resolution_changer", "art")
    os.makedirs(art, exist_ok=True)
    write_ico(os.path.join(art, "program.ico"))
    write_bmp(os.path.join(art, "toolbar.bmp"))
    lcd_art = os.path.join(os.path.dirname(__file__), "..", "lcd_orientation", "art")
    os.makedirs(lcd_art, exist_ok=True)
    write_ico(os.path.join(lcd_art, "pivoter.ico"), lcd_panels)
    switch_art = os.path.join(os.path.dirname(__file__), "..", "lcd_driver_switch", "art")
    os.makedirs(switch_art, exist_ok=True)
    write_ico(os.path.join(switch_art, "rotsel.ico"), switched_panel)
    uninstaller_art = os.path.join(os.path.dirname(__file__), "..", "uninstaller", "art")
    os.makedirs(uninstaller_art, exist_ok=True)
    write_ico(os.path.join(uninstaller_art, "program.ico"), crossed_monitor)

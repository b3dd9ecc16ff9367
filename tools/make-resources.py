#!/usr/bin/env python3
"""Writes the program's generated resource files into resources/.

Usage:
    tools/make-resources.py [--names DIR] [--out DIR] [--check]

  --names DIR  read the retail package names from DIR/UNREAL.txt, UNREAL2.txt,
               UT99.txt, UT2003.txt and UT2004.txt (one upper-case name per
               line); without it the names are read back from the retail
               lists already in the output folder
  --out DIR    output folder (default: resources/ beside this script's folder)
  --check      write nothing; fail when a file differs from what would be written

Writes Swatchbox.ico (16, 32 and 48 pixels), MakerLogo.ico (32 pixels,
16 colours), bitmaps/Retails.bmp (80x16, 8 bits), bitmaps/Menu*.bmp (13x13,
4 bits), bitmaps/AboutBack.bmp (128x223, 4 bits) and retail/*.txt. The output is
committed; the build does not run this script. Python 3 standard library only.
"""

import argparse
import re
import struct
import sys
from pathlib import Path

# --------------------------------------------------------------------------
# The five games in the program's order. The badge colours are steps of 51 per
# channel, colours every 8-bit system palette holds, so that no palette
# mapping changes them.
GAMES = [
    # (list file, names file, (border, fill, highlight), label)
    ("Unreal.txt", "UNREAL.txt", ((0, 51, 102), (0, 102, 204), (51, 153, 255)), "U1"),
    ("Unreal2.txt", "UNREAL2.txt", ((51, 0, 102), (153, 51, 204), (204, 102, 255)), "U2"),
    ("UT99.txt", "UT99.txt", ((0, 51, 0), (0, 153, 51), (102, 204, 102)), "99"),
    ("UT2003.txt", "UT2003.txt", ((153, 51, 0), (255, 102, 0), (255, 153, 51)), "03"),
    ("UT2004.txt", "UT2004.txt", ((102, 0, 0), (204, 0, 0), (255, 51, 51)), "04"),
]
MENU_BITMAPS = ["MenuUnreal.bmp", "MenuUnreal2.bmp", "MenuUT99.bmp",
                "MenuUT2003.bmp", "MenuUT2004.bmp"]
# The UT99 menu bitmap is loaded without transparency, so its badge fills the
# whole square instead of showing background pixels in its corners.
OPAQUE_MENU_BITMAP = "MenuUT99.bmp"

LAST_ENTRY = "DUMMY.DUMMY"
NAME_PATTERN = re.compile(r"[A-Z0-9_-]+")

# Corner colour of the bitmaps: the image list takes it as its mask colour and
# the menu loader replaces it by the menu background. A grey the loader maps
# to the 3D face colour anyway, so it looks right also where it shows.
BACKGROUND = (192, 192, 192)
WHITE = (255, 255, 255)


class InputError(Exception):
    pass


# --------------------------------------------------------------------------
# Retail lists


def check_names(names, origin):
    seen = {}
    for number, name in enumerate(names, 1):
        where = f"{origin}: entry {number}"
        if not name:
            raise InputError(f"{where} is empty")
        if not NAME_PATTERN.fullmatch(name):
            if NAME_PATTERN.fullmatch(name.upper()):
                raise InputError(f"{where}: '{name}' is not upper case")
            raise InputError(f"{where}: '{name}' holds a character other than "
                             "A-Z, 0-9, '_' and '-'")
        if name in seen:
            raise InputError(f"{where}: '{name}' is listed twice "
                             f"(first as entry {seen[name]})")
        seen[name] = number
    return names


def decode_text(data, origin):
    try:
        return data.decode("ascii")
    except UnicodeDecodeError as error:
        raise InputError(f"{origin}: byte {error.start} is not ASCII") from None


def read_names(path):
    """One name per line (LF or CR LF); only the last line break may be missing."""
    text = decode_text(path.read_bytes(), path)
    lines = text.replace("\r\n", "\n").split("\n")
    if lines[-1] == "":
        lines.pop()
    return check_names(lines, path)


def read_retail_list(path):
    """The names of a retail list in resource form, without its last entry."""
    text = decode_text(path.read_bytes(), path)
    if "\n" in text.replace("\r\n", ""):
        raise InputError(f"{path}: lines must be separated by CR LF")
    lines = text.split("\r\n")
    if lines[-1] == "":
        lines.pop()
    if not lines or lines[-1] != LAST_ENTRY:
        raise InputError(f"{path}: the last entry must be {LAST_ENTRY}")
    return check_names(lines[:-1], path)


def retail_list_bytes(names, ends_with_line_break):
    text = "\r\n".join(names + [LAST_ENTRY])
    if ends_with_line_break:
        text += "\r\n"
    return text.encode("ascii")


def make_retail_lists(names_dir, out_dir):
    files = {}
    for index, (list_file, names_file, _, _) in enumerate(GAMES):
        if names_dir is not None:
            names = read_names(names_dir / names_file)
        else:
            path = out_dir / "retail" / list_file
            if not path.is_file():
                raise InputError(f"{path} is missing: give --names to make the retail lists")
            names = read_retail_list(path)
        # Only the first game's list ends with a line break.
        files["retail/" + list_file] = retail_list_bytes(names, index == 0)
    return files


# --------------------------------------------------------------------------
# Pixel art symbols: a rounded badge with a dark border and a two-character
# label in white.

GLYPHS_SMALL = {  # 3x5, for the 13x13 menu symbols
    "U": ["#.#", "#.#", "#.#", "#.#", "###"],
    "0": ["###", "#.#", "#.#", "#.#", "###"],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["##.", "..#", ".#.", "#..", "###"],
    "3": ["###", "..#", ".##", "..#", "###"],
    "4": ["#.#", "#.#", "###", "..#", "..#"],
    "9": ["###", "#.#", "###", "..#", "###"],
}
GLYPHS_LARGE = {  # 4x7, for the 16x16 list symbols
    "U": ["#..#", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."],
    "0": [".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."],
    "1": ["..#.", ".##.", "..#.", "..#.", "..#.", "..#.", ".###"],
    "2": [".##.", "#..#", "...#", "..#.", ".#..", "#...", "####"],
    "3": [".##.", "#..#", "...#", ".##.", "...#", "#..#", ".##."],
    "4": ["...#", "..##", ".#.#", "#..#", "####", "...#", "...#"],
    "9": [".##.", "#..#", "#..#", ".###", "...#", "#..#", ".##."],
}


def mix(colour, other, amount):
    return tuple(round(c + (o - c) * amount) for c, o in zip(colour, other))


class Canvas:
    """RGB pixels, row 0 at the top."""

    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.rows = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        self.rows[y][x] = colour


def draw_badge(canvas, left, size, colours, label, glyphs, rounded):
    corner = 2 if rounded else 0

    def inside(x, y):
        if not (0 <= x < size and 0 <= y < size):
            return False
        dx = min(x, size - 1 - x)
        dy = min(y, size - 1 - y)
        return dx + dy >= corner

    border, fill, highlight = colours
    for colour in colours:
        # The corner colour turns transparent and the loader maps these greys
        # to 3D colours: a symbol must use none of them.
        if colour in (BACKGROUND, (128, 128, 128), (223, 223, 223)):
            raise InputError(f"symbol colour {colour} is reserved")
    for y in range(size):
        for x in range(size):
            if not inside(x, y):
                continue
            edge = any(not inside(x + dx, y + dy)
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            colour = border if edge else (highlight if y == 1 else fill)
            canvas.put(left + x, y, colour)

    glyph_w = len(glyphs[label[0]][0])
    glyph_h = len(glyphs[label[0]])
    text_w = 2 * glyph_w + 1
    x0 = left + (size - text_w) // 2
    y0 = (size - glyph_h) // 2
    for i, char in enumerate(label):
        for gy, row in enumerate(glyphs[char]):
            for gx, bit in enumerate(row):
                if bit == "#":
                    canvas.put(x0 + i * (glyph_w + 1) + gx, y0 + gy, WHITE)


def retail_symbols():
    # Five 16x16 cells; each badge is 15x15 so that its label sits centred.
    canvas = Canvas(80, 16, BACKGROUND)
    for index, (_, _, colours, label) in enumerate(GAMES):
        draw_badge(canvas, index * 16, 15, colours, label, GLYPHS_LARGE, True)
    return canvas


def menu_symbol(index):
    _, _, colours, label = GAMES[index]
    canvas = Canvas(13, 13, BACKGROUND)
    rounded = MENU_BITMAPS[index] != OPAQUE_MENU_BITMAP
    draw_badge(canvas, 0, 13, colours, label, GLYPHS_SMALL, rounded)
    return canvas


# --------------------------------------------------------------------------
# Paletted Windows bitmaps (BITMAPINFOHEADER, bottom-up, rows padded to 4 bytes)


def bmp_bytes(canvas, bits):
    capacity = 1 << bits
    # Black first and white last, as in the system palette: raster operations
    # on paletted bitmaps work on the indices, and masking (the image list's
    # among them) turns a mask's black and white into indices 0 and all ones.
    colours = []
    for row in canvas.rows:
        for colour in row:
            if colour not in colours and colour not in ((0, 0, 0), WHITE):
                colours.append(colour)
    if len(colours) > capacity - 2:
        raise InputError(f"{len(colours)} colours do not fit {bits} bits per pixel")
    palette = [(0, 0, 0)] + colours + [(0, 0, 0)] * (capacity - 2 - len(colours)) + [WHITE]
    index = {colour: i for i, colour in enumerate(palette) if colour != (0, 0, 0)}
    index[(0, 0, 0)] = 0

    row_bytes = (canvas.width * bits + 31) // 32 * 4
    pixels = bytearray()
    for row in reversed(canvas.rows):
        packed = bytearray(row_bytes)
        for x, colour in enumerate(row):
            value = index[colour]
            if bits == 8:
                packed[x] = value
            else:
                shift = 4 if x % 2 == 0 else 0
                packed[x // 2] |= value << shift
        pixels += packed

    palette_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    pixel_offset = 14 + 40 + len(palette_bytes)
    file_header = struct.pack("<2sIHHI", b"BM", pixel_offset + len(pixels), 0, 0, pixel_offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, bits, 0,
                              len(pixels), 2835, 2835, capacity, 0)
    return file_header + info_header + palette_bytes + bytes(pixels)


# --------------------------------------------------------------------------
# Program icon: a 2x2 grid of coloured tiles in a dark rounded box, drawn with
# 4x4 supersampling so that the rounded corners are smooth.

SAMPLES = 4
BOX_TOP = (78, 86, 102)
BOX_BOTTOM = (38, 42, 52)
TILES = [(232, 76, 61), (246, 190, 48), (72, 182, 92), (58, 128, 226)]

# size: (box left/top, box right/bottom, box radius, tile inset, tile gap, tile radius)
ICON_LAYOUTS = {
    16: (0, 16, 2.5, 2, 2, 1.0),
    32: (1, 31, 4.0, 3, 2, 2.0),
    48: (2, 46, 6.0, 4, 4, 3.0),
}


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def icon_pixels(size):
    """RGBA rows, top first."""
    low, high, box_radius, inset, gap, tile_radius = ICON_LAYOUTS[size]
    tile = (high - low - 2 * inset - gap) // 2
    tiles = []
    for i, colour in enumerate(TILES):
        left = low + inset + (i % 2) * (tile + gap)
        top = low + inset + (i // 2) * (tile + gap)
        tiles.append((left, top, left + tile, top + tile, colour))

    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            red = green = blue = cover = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES
                    y = py + (sy + 0.5) / SAMPLES
                    if not in_rounded_rect(x, y, low, low, high, high, box_radius):
                        continue
                    colour = mix(BOX_TOP, BOX_BOTTOM, (y - low) / (high - low))
                    for left, top, right, bottom, fill in tiles:
                        if in_rounded_rect(x, y, left, top, right, bottom, tile_radius):
                            # A little lighter towards the top of each tile.
                            colour = mix(fill, WHITE, 0.25 * (1 - (y - top) / (bottom - top)))
                    red += colour[0]
                    green += colour[1]
                    blue += colour[2]
                    cover += 1
            if cover == 0:
                row.append((0, 0, 0, 0))
            else:
                alpha = round(255 * cover / (SAMPLES * SAMPLES))
                row.append((round(red / cover), round(green / cover), round(blue / cover), alpha))
        rows.append(row)
    return rows


def ico_bytes(sizes):
    images = []
    for size in sizes:
        rows = icon_pixels(size)
        colour = b"".join(struct.pack("<BBBB", b, g, r, a)
                          for row in reversed(rows) for r, g, b, a in row)
        mask_row_bytes = (size + 31) // 32 * 4
        mask = bytearray()
        for row in reversed(rows):
            packed = bytearray(mask_row_bytes)
            for x, pixel in enumerate(row):
                if pixel[3] == 0:
                    packed[x // 8] |= 0x80 >> (x % 8)
            mask += packed
        header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                             len(colour) + len(mask), 0, 0, 0, 0)
        images.append((size, header + colour + bytes(mask)))

    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, data in images)


# --------------------------------------------------------------------------
# About box: a blue background strip for the box's left edge and the
# developers' logo.

ABOUT_SIZE = (128, 223)
# Fourteen shades from the deep blue at the top to the pale blue at the
# bottom; with black and white they make the sixteen colours of the bitmap.
ABOUT_TOP = (14, 38, 86)
ABOUT_BOTTOM = (168, 202, 240)
ABOUT_SHADES = [mix(ABOUT_TOP, ABOUT_BOTTOM, step / 13) for step in range(14)]
# 4x4 ordered dither thresholds, so the gradient has no visible bands.
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
# Swatch tiles: edge, gap and how many shades lighter the brightest is.
TILE_EDGE = 14
TILE_PITCH = 18
TILE_LIFT = 2.2
TILE_COLUMNS = (ABOUT_SIZE[0] - 2 + TILE_PITCH - TILE_EDGE) // TILE_PITCH
TILE_ROWS = (ABOUT_SIZE[1] - 5 + TILE_PITCH - TILE_EDGE) // TILE_PITCH


def tile_lift(x, y):
    """Shades a swatch tile adds at (x, y): tiles rise out of the gradient
    from the middle of the strip down, each with a brightness of its own."""
    column, inside_x = divmod(x - 2, TILE_PITCH)
    row, inside_y = divmod(y - 5, TILE_PITCH)
    if x < 2 or y < 5 or inside_x >= TILE_EDGE or inside_y >= TILE_EDGE:
        return 0.0
    # Only whole tiles: none is cut by the bitmap's edges.
    if column >= TILE_COLUMNS or row >= TILE_ROWS:
        return 0.0
    # Rounded corners: the corner pixel of each tile stays background.
    if inside_x in (0, TILE_EDGE - 1) and inside_y in (0, TILE_EDGE - 1):
        return 0.0
    # A fixed, irregular pattern of tile strengths between 0 and 1.
    strength = ((column * 7 + row * 5 + column * row * 3) % 11) / 10
    fade = min(max((y - 70) / 140, 0.0), 1.0) * min(max((x + 10) / 120, 0.0), 1.0)
    return TILE_LIFT * strength * fade


def about_background():
    width, height = ABOUT_SIZE
    canvas = Canvas(width, height, ABOUT_TOP)
    last = len(ABOUT_SHADES) - 1
    for y in range(height):
        for x in range(width):
            level = last * y / (height - 1) * 0.85 + tile_lift(x, y)
            threshold = (BAYER[y % 4][x % 4] + 0.5) / 16
            step = min(int(level + threshold), last)
            canvas.put(x, y, ABOUT_SHADES[step])
    return canvas


# The logo: three colour swatch cards stacked from the top left to the bottom
# right, each with a dark edge, a lighter top row and, on the front card, a
# white label strip as on a paint chip.
LOGO_SIZE = 32
LOGO_EDGE = (30, 34, 52)
LOGO_CARDS = [
    # (left, top, fill, light)
    (2, 2, (58, 128, 226), (120, 170, 240)),
    (8, 8, (246, 190, 48), (252, 222, 130)),
    (14, 14, (232, 76, 61), (244, 140, 128)),
]
LOGO_CARD = 16


def logo_pixels():
    """Colour rows, top first; None is transparent."""
    rows = [[None] * LOGO_SIZE for _ in range(LOGO_SIZE)]
    for index, (left, top, fill, light) in enumerate(LOGO_CARDS):
        front = index == len(LOGO_CARDS) - 1
        for y in range(LOGO_CARD):
            for x in range(LOGO_CARD):
                corner = x in (0, LOGO_CARD - 1) and y in (0, LOGO_CARD - 1)
                if corner:
                    continue
                edge = x in (0, LOGO_CARD - 1) or y in (0, LOGO_CARD - 1)
                if edge:
                    colour = LOGO_EDGE
                elif y == 1:
                    colour = light
                elif front and y >= LOGO_CARD - 5:
                    colour = WHITE if y > LOGO_CARD - 5 else LOGO_EDGE
                else:
                    colour = fill
                rows[top + y][left + x] = colour
    return rows


def logo_ico_bytes():
    """A single 32x32 icon of 16 colours (4 bits per pixel with an AND mask)."""
    rows = logo_pixels()
    colours = [(0, 0, 0)]
    for row in rows:
        for colour in row:
            if colour is not None and colour not in colours:
                colours.append(colour)
    if len(colours) > 16:
        raise InputError(f"the logo has {len(colours)} colours, more than 16")
    palette = colours + [(0, 0, 0)] * (16 - len(colours))
    index = {colour: i for i, colour in enumerate(colours)}

    size = LOGO_SIZE
    colour_bits = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        packed = bytearray(size // 2)
        mask_row = bytearray((size + 31) // 32 * 4)
        for x, colour in enumerate(row):
            if colour is None:
                mask_row[x // 8] |= 0x80 >> (x % 8)
                continue
            packed[x // 2] |= index[colour] << (4 if x % 2 == 0 else 0)
        colour_bits += packed
        mask += mask_row

    palette_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0,
                         len(colour_bits) + len(mask), 0, 0, 16, 0)
    image = header + palette_bytes + bytes(colour_bits) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


# --------------------------------------------------------------------------


def all_files(names_dir, out_dir):
    files = {
        "Swatchbox.ico": ico_bytes([16, 32, 48]),
        "bitmaps/Retails.bmp": bmp_bytes(retail_symbols(), 8),
        "bitmaps/AboutBack.bmp": bmp_bytes(about_background(), 4),
        "MakerLogo.ico": logo_ico_bytes(),
    }
    for index, name in enumerate(MENU_BITMAPS):
        files["bitmaps/" + name] = bmp_bytes(menu_symbol(index), 4)
    files.update(make_retail_lists(names_dir, out_dir))
    return files


def main():
    parser = argparse.ArgumentParser(description="Writes the generated resource files.")
    parser.add_argument("--names", type=Path, help="folder of the retail name lists")
    parser.add_argument("--out", type=Path,
                        default=Path(__file__).resolve().parent.parent / "resources")
    parser.add_argument("--check", action="store_true",
                        help="only compare with the files in the output folder")
    args = parser.parse_args()

    try:
        files = all_files(args.names, args.out)
    except (InputError, OSError) as error:
        print(f"make-resources: {error}", file=sys.stderr)
        return 1

    stale = []
    for relative, data in files.items():
        path = args.out / relative
        if args.check:
            if not path.is_file() or path.read_bytes() != data:
                stale.append(relative)
            continue
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
    if stale:
        print("make-resources: out of date: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

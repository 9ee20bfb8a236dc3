#!/usr/bin/env python3
"""Draws the bitmaps, icons and cursors of ferromes and writes the resource
script that names them.

    scripts/make-pictures.py OUTPUT_FOLDER

Writes OUTPUT_FOLDER/pictures.rc and one .bmp, .ico or .cur file per picture.
The pictures are simple drawings (faces, frames, a few letters of a small
pixel font) in the sizes and colour depths the engine and the host expect:
bitmaps of 16 colours (the logo of 256), icons 32x32 of 16 colours, cursors
32x32 monochrome. Only the standard library is used.
"""
import os
import struct
import sys

# The 16 standard colours (RGB), in the order of the system palette.
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(16)
PALETTE16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
             (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
             (0, 255, 255), (255, 255, 255)]
CLEAR = -1  # transparent pixel of icons and cursors

# A 3x5 pixel font: each glyph is five rows of three bits.
FONT = {
    'A': ['010', '101', '111', '101', '101'], 'B': ['110', '101', '110', '101', '110'],
    'C': ['011', '100', '100', '100', '011'], 'D': ['110', '101', '101', '101', '110'],
    'E': ['111', '100', '110', '100', '111'], 'F': ['111', '100', '110', '100', '100'],
    'G': ['011', '100', '101', '101', '011'], 'H': ['101', '101', '111', '101', '101'],
    'I': ['111', '010', '010', '010', '111'], 'J': ['001', '001', '001', '101', '010'],
    'K': ['101', '101', '110', '101', '101'], 'L': ['100', '100', '100', '100', '111'],
    'M': ['101', '111', '111', '101', '101'], 'N': ['110', '101', '101', '101', '101'],
    'O': ['010', '101', '101', '101', '010'], 'P': ['110', '101', '110', '100', '100'],
    'Q': ['010', '101', '101', '110', '011'], 'R': ['110', '101', '110', '101', '101'],
    'S': ['011', '100', '010', '001', '110'], 'T': ['111', '010', '010', '010', '010'],
    'U': ['101', '101', '101', '101', '111'], 'V': ['101', '101', '101', '101', '010'],
    'W': ['101', '101', '111', '111', '101'], 'X': ['101', '101', '010', '101', '101'],
    'Y': ['101', '101', '010', '010', '010'], 'Z': ['111', '001', '010', '100', '111'],
    '0': ['111', '101', '101', '101', '111'], '1': ['010', '110', '010', '010', '111'],
    '2': ['110', '001', '010', '100', '111'], '3': ['110', '001', '010', '001', '110'],
    '4': ['101', '101', '111', '001', '001'], '5': ['111', '100', '110', '001', '110'],
    '6': ['011', '100', '111', '101', '111'], '7': ['111', '001', '010', '010', '010'],
    '8': ['111', '101', '111', '101', '111'], '9': ['111', '101', '111', '001', '110'],
    ' ': ['000'] * 5,
}


class Canvas:
    def __init__(self, width, height, fill=SILVER):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):  # inclusive corners
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.fill(x0, y0, x1, y0, colour)
        self.fill(x0, y1, x1, y1, colour)
        self.fill(x0, y0, x0, y1, colour)
        self.fill(x1, y0, x1, y1, colour)

    def bevel(self, pressed):
        light, dark = (GRAY, WHITE) if pressed else (WHITE, GRAY)
        w, h = self.width - 1, self.height - 1
        self.fill(0, 0, w, 0, light)
        self.fill(0, 0, 0, h, light)
        self.fill(0, h, w, h, BLACK)
        self.fill(w, 0, w, h, BLACK)
        self.fill(1, h - 1, w - 1, h - 1, dark)
        self.fill(w - 1, 1, w - 1, h - 1, dark)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def text(self, x, y, text, colour, scale=1):
        for ch in text:
            glyph = FONT.get(ch.upper(), FONT[' '])
            for row, bits in enumerate(glyph):
                for col, bit in enumerate(bits):
                    if bit == '1':
                        self.fill(x + col * scale, y + row * scale, x + col * scale + scale - 1,
                                  y + row * scale + scale - 1, colour)
            x += 4 * scale

    def centred_text(self, text, colour, y=None, scale=1):
        width = len(text) * 4 * scale - scale
        x = (self.width - width) // 2
        if y is None:
            y = (self.height - 5 * scale) // 2
        self.text(x, y, text, colour, scale)

    def folder(self, x, y, w, h, body=YELLOW, edge=OLIVE):
        self.fill(x, y, x + w // 2, y + 1, edge)
        self.fill(x, y + 2, x + w - 1, y + h - 1, body)
        self.frame(x, y + 2, x + w - 1, y + h - 1, edge)

    def page(self, x, y, w, h):
        self.fill(x, y, x + w - 1, y + h - 1, WHITE)
        self.frame(x, y, x + w - 1, y + h - 1, BLACK)
        for ly in range(y + 2, y + h - 2, 2):
            self.fill(x + 2, ly, x + w - 3, ly, GRAY)


# ---- file writers ---------------------------------------------------------

def pack_rows(rows, bits):
    """Bottom-up DIB rows of palette indexes, each padded to 32 bits."""
    out = bytearray()
    for row in reversed(rows):
        acc, n, line = 0, 0, bytearray()
        for v in row:
            acc = (acc << bits) | (v & ((1 << bits) - 1))
            n += bits
            if n == 8:
                line.append(acc)
                acc, n = 0, 0
        if n:
            line.append(acc << (8 - n))
        while len(line) % 4:
            line.append(0)
        out += line
    return bytes(out)


def palette_bytes(colours):
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)


def info_header(width, height, bits, image_size, colours):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, image_size, 0, 0, colours, 0)


def write_bmp(path, canvas, bits=4, palette=PALETTE16):
    data = pack_rows(canvas.pixels, bits)
    head = info_header(canvas.width, canvas.height, bits, len(data), len(palette)) + palette_bytes(palette)
    offset = 14 + len(head)
    with open(path, 'wb') as f:
        f.write(struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset) + head + data)


def icon_image(canvas, bits, palette, mapping):
    colours = [[mapping(v) for v in row] for row in canvas.pixels]
    mask = [[1 if v == CLEAR else 0 for v in row] for row in canvas.pixels]
    xor = pack_rows(colours, bits)
    andm = pack_rows(mask, 1)
    head = info_header(canvas.width, canvas.height * 2, bits, len(xor) + len(andm), len(palette))
    return head + palette_bytes(palette) + xor + andm


def write_icon_file(path, canvas, kind, bits, palette, mapping, hotspot=(0, 0)):
    image = icon_image(canvas, bits, palette, mapping)
    if kind == 1:  # icon: planes and bit count
        a, b = 1, bits
    else:  # cursor: hot spot
        a, b = hotspot
    entry = struct.pack('<BBBBHHII', canvas.width, canvas.height, len(palette) if bits < 8 else 0, 0, a, b,
                        len(image), 6 + 16)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, kind, 1) + entry + image)


def write_ico(path, canvas):
    write_icon_file(path, canvas, 1, 4, PALETTE16, lambda v: BLACK if v == CLEAR else v)


def write_cur(path, canvas, hotspot):
    # monochrome: index 0 black, 1 white; transparent pixels come from the mask
    write_icon_file(path, canvas, 2, 1, [(0, 0, 0), (255, 255, 255)],
                    lambda v: 1 if v == WHITE else 0, hotspot)


# ---- the pictures ---------------------------------------------------------

TOOL_SUFFIXES = ['95', 'A', 'C', 'CLIP', 'CTL', 'D', 'DOS', 'ED', 'F', 'FAV', 'FPROP', 'FVER', 'I', 'ICBLW',
                 'ICRGT', 'IF', 'IF2', 'K', 'L', 'LNK', 'LRG', 'M', 'MNGMT', 'NEXT', 'P', 'PREV', 'Q', 'R', 'RFM',
                 'RFM2', 'S', 'SC', 'SML', 'SRC', 'SWP', 'T', 'T2', 'TGT', 'U', 'UP', 'UTL', 'V', 'W']
TREE_MARKS = ['DIR', 'DIRB', 'DIRHASUB', 'DIRIT', 'DIRITB', 'DIRNETOB', 'DIRNETOP', 'DIRNETSB', 'DIRNETUB',
              'DIRNETUP', 'DIROPEN', 'DIROPENB', 'DIRRT', 'DIRRTB', 'DIRSR', 'DIRSRB', 'DIRSV', 'DIRSVB',
              'DIRUPPEB', 'DIRUPPER']
LIST_MARKS = ['DIRTXT', 'DIRTXTRT', 'DIRTXTUP', 'EXE', 'OTHER', 'TXT', 'TXTB']
DRIVE_MARKS = ['CDROM', 'DRIVE0', 'DRIVE0B', 'DRIVE1', 'DRIVE1B', 'DRIVEB', 'FDD', 'HDD', 'NETWORK', 'RAM', 'RAMB',
               'REMOVAL']
ICONS = ['AAMES', 'ALERTLNK', 'BADEDIT', 'BATCH', 'BATCHEDT', 'BATCHLNK', 'CTLPNL', 'DIRLNK', 'DOSDATA', 'DOSDEF',
         'DOSDEFA', 'DOSFNT', 'EXPLORER', 'FILELNK', 'FOLDER', 'FOLDERIT', 'FOLDERNT', 'FOLDERRT', 'FOLDERSR',
         'FOLDERSV', 'FOLDERUP', 'FONT', 'HELP', 'INI', 'LHADFILE', 'LHAFILE', 'LONGDIR', 'LONGNAME', 'NODIRLNK',
         'NOFLELNK', 'PIF', 'PIFEDT', 'READING', 'REGEDIT', 'SYSTEM', 'TTFONT', 'WINDEF', 'WINDEFA']
CURSORS = ['BORDER', 'BORDERNO', 'COPY', 'COPYDIR', 'COPYX', 'DFNOTOK', 'DRAWING', 'FILE', 'FOLDER', 'FOLDERNT',
           'HDBORDER', 'ICON', 'ICON1', 'ICON2', 'ICON3', 'ICON4', 'MENU', 'MOVE', 'MOVEDIR', 'MOVEX', 'NET',
           'PACKING', 'REGISTRY', 'SORTING', 'VIEWER0', 'VIEWER1', 'VIEWER2', 'WINDOWS', 'FERRO']


def tool_button(suffix, pressed, height=26, label=None):
    c = Canvas(26, height)
    c.bevel(pressed)
    shift = 1 if pressed else 0
    text = label if label is not None else suffix
    colour = NAVY if not pressed else BLUE
    if len(text) * 4 - 1 <= 22:
        c.text((26 - (len(text) * 4 - 1)) // 2 + shift, (height - 5) // 2 + shift, text, colour)
    else:
        c.text(2 + shift, (height - 5) // 2 + shift, text[:5], colour)
    return c


def tree_mark(name):
    c = Canvas(16, 12, WHITE)
    body = {'NET': TEAL, 'RT': RED, 'SR': LIME, 'SV': AQUA, 'IT': FUCHSIA}
    colour = YELLOW
    for key, value in body.items():
        if key in name[3:]:
            colour = value
    c.folder(1, 1, 14, 10, colour)
    if 'OPEN' in name:
        c.line(3, 6, 14, 6, OLIVE)
    if 'UPPE' in name:
        c.line(8, 4, 8, 9, BLACK)
        c.line(6, 6, 8, 4, BLACK)
        c.line(10, 6, 8, 4, BLACK)
    if 'HASUB' in name:
        c.fill(11, 8, 13, 9, OLIVE)
    if name.endswith('B'):  # selected variant: dark background
        for y in range(12):
            for x in range(16):
                if c.pixels[y][x] == WHITE:
                    c.pixels[y][x] = NAVY
    return c


def list_mark(name):
    c = Canvas(9, 12, WHITE)
    if name.startswith('DIR'):
        c.folder(0, 2, 9, 8)
        if name.endswith('RT'):
            c.fill(3, 5, 5, 7, RED)
        if name.endswith('UP'):
            c.line(4, 4, 4, 8, BLACK)
    elif name == 'EXE':
        c.fill(0, 1, 8, 10, NAVY)
        c.fill(1, 3, 7, 9, WHITE)
    else:
        c.page(0, 0, 9, 12)
        if name == 'OTHER':
            c.fill(3, 4, 5, 7, GRAY)
    if name.endswith('B'):
        for y in range(12):
            for x in range(9):
                if c.pixels[y][x] == WHITE:
                    c.pixels[y][x] = NAVY
    return c


def drive_mark(name):
    c = Canvas(30, 14)
    c.fill(1, 3, 28, 11, WHITE if 'CDROM' not in name else AQUA)
    c.frame(1, 3, 28, 11, BLACK)
    label = {'CDROM': 'CD', 'FDD': 'FD', 'HDD': 'HD', 'NETWORK': 'NET', 'RAM': 'RAM', 'RAMB': 'RAM',
             'REMOVAL': 'RM'}.get(name, name[-2:] if name[-1] == 'B' else name[-1:])
    c.text(4, 5, label.replace('B', '') if name != 'DRIVEB' else 'B', BLACK)
    c.fill(24, 9, 26, 9, LIME if not name.endswith('B') else RED)
    return c


def progress_mark(index, dark):
    c = Canvas(8, 15, NAVY if dark else SILVER)
    for i in range(4):
        colour = LIME if i <= index else GRAY
        c.fill(1, 1 + i * 3 + i % 1, 6, 2 + i * 3, colour)
    return c


def copy_frame(index, mask):
    c = Canvas(32, 24, BLACK if mask else SILVER)
    x = 2 + index * 5
    if mask:
        c.fill(x, 6, x + 9, 17, WHITE)
    else:
        c.folder(0, 4, 8, 14)
        c.folder(23, 4, 8, 14)
        c.page(x, 6, 10, 12)
    return c


def ferro_frame(index, size):
    c = Canvas(size, size)
    centre = (size - 1) / 2
    radius = size / 2 - 4
    import math
    for i in range(18):
        angle = 2 * math.pi * i / 18
        x = round(centre + radius * math.cos(angle))
        y = round(centre + radius * math.sin(angle))
        colour = RED if i == index % 18 else (GRAY if i % 3 else NAVY)
        c.fill(x - 1, y - 1, x + 1, y + 1, colour)
    c.centred_text('F', NAVY, scale=2)
    return c


def logo():
    c = Canvas(246, 80, 0)
    for y in range(80):  # a blue gradient over the palette's first 64 entries
        for x in range(246):
            c.pixels[y][x] = (x * 63) // 245
    c.centred_text('FERROLAN', 255, y=22, scale=6)
    c.centred_text('4 3 0', 254, y=64, scale=2)
    return c


LOGO_PALETTE = [(0, (i * 2) % 256, 64 + i * 3) for i in range(64)] + [(0, 0, 0)] * 190 + [(255, 255, 0), (255, 255, 255)]


def icon_picture(name):
    c = Canvas(32, 32, CLEAR)
    if name.startswith('FOLDER') or name in ('LONGDIR', 'DIRLNK', 'NODIRLNK', 'EXPLORER'):
        c.folder(1, 5, 30, 24)
    elif name in ('FONT', 'TTFONT', 'DOSFNT'):
        c.fill(2, 2, 29, 29, WHITE)
        c.frame(2, 2, 29, 29, BLACK)
        c.text(6, 8, 'A', NAVY, scale=4)
    else:
        c.page(5, 1, 22, 30)
    tag = name[:5]
    c.fill(2, 22, 29, 30, NAVY)
    c.centred_text(tag, WHITE, y=24)
    if name.endswith('LNK'):
        c.fill(1, 1, 8, 8, WHITE)
        c.frame(1, 1, 8, 8, BLACK)
        c.line(3, 6, 6, 3, BLUE)
        c.line(4, 3, 6, 3, BLUE)
        c.line(6, 3, 6, 5, BLUE)
    return c


ARROW = ['X', 'XX', 'X.X', 'X..X', 'X...X', 'X....X', 'X.....X', 'X......X', 'X.......X', 'X........X',
         'X.....XXXX', 'X..X..X', 'X.X X..X', 'XX  X..X', 'X    X..X', '     X..X', '      XX']


def cursor_picture(name):
    c = Canvas(32, 32, CLEAR)
    for y, row in enumerate(ARROW):
        for x, ch in enumerate(row):
            if ch == 'X':
                c.put(x, y, BLACK)
            elif ch == '.':
                c.put(x, y, WHITE)
    # a badge naming the kind of drag, lower right
    badge = name[:4] if not name.startswith('VIEWER') else 'V' + name[-1]
    c.fill(12, 20, 31, 28, WHITE)
    c.frame(12, 20, 31, 28, BLACK)
    c.text(14, 22, badge[:4], BLACK)
    return c, (0, 0)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    lines = ['// Generated by scripts/make-pictures.py: the bitmaps, icons and cursors of ferromes.',
             'LANGUAGE 0x11, 0x01  // Japanese', '']

    def bitmap(name, canvas, bits=4, palette=PALETTE16):
        file = 'b_' + name.lower() + '.bmp'
        write_bmp(os.path.join(out, file), canvas, bits, palette)
        lines.append(f'"{name}" BITMAP {file}')

    for suffix in TOOL_SUFFIXES:
        height = 25 if suffix in ('SRC', 'TGT') else 26
        bitmap('UP_' + suffix, tool_button(suffix, False, height))
        bitmap('MS_' + suffix, tool_button(suffix, True, height))
    for suffix in ('NEXT', 'PREV'):
        bitmap('UP2_' + suffix, tool_button(suffix[0] + '2', False))
        bitmap('MS2_' + suffix, tool_button(suffix[0] + '2', True))
    bitmap('SRC', tool_button('SRC', False, 25))
    bitmap('SRCMS', tool_button('SRC', True, 25))
    for name in TREE_MARKS:
        bitmap(name, tree_mark(name))
    for name in LIST_MARKS:
        bitmap(name, list_mark(name))
    for name in DRIVE_MARKS:
        bitmap(name, drive_mark(name))
    for i in range(4):
        bitmap(f'ICREAD{i}', progress_mark(i, False))
        bitmap(f'ICREAD{i}B', progress_mark(i, True))
    for i in range(5):
        bitmap(f'FROMCPY{i}', copy_frame(i, False))
        bitmap(f'FROMMSK{i}', copy_frame(i, True))
    frame = Canvas(45, 21)
    frame.bevel(False)
    frame.frame(3, 3, 41, 17, GRAY)
    bitmap('FRAME', frame)
    bitmap('FERRO0', ferro_frame(0, 38))
    for i in range(1, 18):
        bitmap(f'FERRO{i}', ferro_frame(i, 32))
    bitmap('FRLLOGO', logo(), 8, LOGO_PALETTE)
    lines.append('')
    for name in ICONS:
        file = 'i_' + name.lower() + '.ico'
        write_ico(os.path.join(out, file), icon_picture(name))
        lines.append(f'"{name}" ICON {file}')
    lines.append('')
    for name in CURSORS:
        file = 'c_' + name.lower() + '.cur'
        canvas, hotspot = cursor_picture(name)
        write_cur(os.path.join(out, file), canvas, hotspot)
        lines.append(f'"{name}" CURSOR {file}')
    lines.append('')
    counts = (sum(1 for l in lines if ' BITMAP ' in l), sum(1 for l in lines if ' ICON ' in l),
              sum(1 for l in lines if ' CURSOR ' in l))
    assert counts == (169, 38, 29), counts
    with open(os.path.join(out, 'pictures.rc'), 'w', encoding='ascii') as f:
        f.write('\n'.join(lines))


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Writes the small GIF pictures of the navigation tree into this folder.

Each picture is drawn below as 16 rows of 16 characters; a character picks
a palette colour ('.' is transparent). Run it again after changing one.
"""
import os
import struct

PALETTE = {
    '.': (255, 255, 255),  # transparent
    'k': (40, 40, 40),
    'y': (240, 200, 80),
    'o': (200, 150, 40),
    'b': (60, 110, 200),
    'c': (150, 190, 240),
    'g': (60, 150, 70),
    'r': (190, 60, 60),
    'w': (250, 250, 250),
}

PICTURES = {
    'folder': [
        '................',
        '................',
        '..kkkkk.........',
        '.kyyyyyk........',
        '.kyyyyyykkkkkkk.',
        '.kyyyyyyyyyyyyk.',
        '.kyyyyyyyyyyyyk.',
        '.kyyyyyyyyyyyyk.',
        '.kyyyyyyyyyyyyk.',
        '.kyyyyyyyyyyyyk.',
        '.kyyyyyyyyyyyyk.',
        '.kyyyyyyyyyyyyk.',
        '.kkkkkkkkkkkkkk.',
        '................',
        '................',
        '................',
    ],
    'open_folder': [
        '................',
        '................',
        '..kkkkk.........',
        '.kyyyyyk........',
        '.kyyyyyykkkkkk..',
        '.kyyyyyyyyyyyk..',
        '.kyykkkkkkkkkkkk',
        '.kyykooooooooook',
        '.kykoooooooooook',
        '.kykooooooooook.',
        '.kkoooooooooook.',
        '.kkooooooooook..',
        '.kkkkkkkkkkkkk..',
        '................',
        '................',
        '................',
    ],
    'class': [
        '................',
        '................',
        '...kkkkkkkkkk...',
        '...kbbbbbbbbk...',
        '...kbwwwwwwbk...',
        '...kbwbbbbbbk...',
        '...kbwbbbbbbk...',
        '...kbwbbbbbbk...',
        '...kbwbbbbbbk...',
        '...kbwbbbbbbk...',
        '...kbwwwwwwbk...',
        '...kbbbbbbbbk...',
        '...kkkkkkkkkk...',
        '................',
        '................',
        '................',
    ],
    'open_class': [
        '................',
        '..kkkkkkkkkk....',
        '..kbbbbbbbbk....',
        '..kbwwwwwwbk....',
        '..kbwbbbbbbk....',
        '..kbwbbbbbbk....',
        '..kbwwwwwwbk....',
        '..kkkkkkkkkk....',
        '.....k..........',
        '.....k..........',
        '.....kkkkcccc...',
        '.....k...cccc...',
        '.....k..........',
        '.....kkkkcccc...',
        '.........cccc...',
        '................',
    ],
    'member': [
        '................',
        '................',
        '................',
        '................',
        '.....cccccc.....',
        '....cbbbbbbc....',
        '....cbbbbbbc....',
        '....cbbbbbbc....',
        '....cbbbbbbc....',
        '....cbbbbbbc....',
        '....cbbbbbbc....',
        '.....cccccc.....',
        '................',
        '................',
        '................',
        '................',
    ],
    'function': [
        '................',
        '................',
        '.......ggggg....',
        '......gg........',
        '......gg........',
        '......gg........',
        '....gggggg......',
        '......gg........',
        '......gg........',
        '......gg........',
        '......gg........',
        '......gg........',
        '....ggg.........',
        '................',
        '................',
        '................',
    ],
    'http': [
        '................',
        '..kkkkkkkkk.....',
        '..kwwwwwwwkk....',
        '..kwwwwwwwkwk...',
        '..kwrrrrrwkkkk..',
        '..kwwwwwwwwwwk..',
        '..kwrrrrrrrrwk..',
        '..kwwwwwwwwwwk..',
        '..kwrrrrrrrrwk..',
        '..kwwwwwwwwwwk..',
        '..kwrrrrrwwwwk..',
        '..kwwwwwwwwwwk..',
        '..kwwwwwwwwwwk..',
        '..kkkkkkkkkkkk..',
        '................',
        '................',
    ],
}

CODE_SIZE = 7  # LZW minimum code size; codes stay 8 bits wide


def lzw_uncompressed(indexes):
    """LZW data that holds every pixel as a literal code, with a clear code
    often enough that the code width never grows."""
    clear, end = 1 << CODE_SIZE, (1 << CODE_SIZE) + 1
    codes = []
    for start in range(0, len(indexes), 100):
        codes.append(clear)
        codes.extend(indexes[start:start + 100])
    codes.append(end)
    return bytes(codes)  # 8-bit codes pack into whole bytes


def gif(rows):
    keys = list(PALETTE)
    colours = [PALETTE[k] for k in keys] + [(0, 0, 0)] * (128 - len(keys))
    pixels = [keys.index(ch) for row in rows for ch in row]
    width, height = len(rows[0]), len(rows)
    data = lzw_uncompressed(pixels)
    out = bytearray(b'GIF89a')
    out += struct.pack('<HHBBB', width, height, 0xF6, 0, 0)  # 128-colour table
    for colour in colours:
        out += bytes(colour)
    out += bytes([0x21, 0xF9, 4, 1, 0, 0, 0, 0])  # colour 0 transparent
    out += b'\x2c' + struct.pack('<HHHHB', 0, 0, width, height, 0)
    out.append(CODE_SIZE)
    for start in range(0, len(data), 255):
        block = data[start:start + 255]
        out.append(len(block))
        out += block
    out += b'\x00\x3b'
    return bytes(out)


if __name__ == '__main__':
    folder = os.path.dirname(os.path.abspath(__file__))
    for name, rows in PICTURES.items():
        assert len(rows) == 16 and all(len(row) == 16 for row in rows), name
        with open(os.path.join(folder, name + '.gif'), 'wb') as file:
            file.write(gif(rows))

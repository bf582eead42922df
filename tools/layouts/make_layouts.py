#!/usr/bin/env python3
"""Writes the shipped keyboard layouts data/layouts/k201.xml and k100.xml.

Run from the repository root after changing a key list; the outputs are checked in.
Each key: (HID usage, caption, description, width and height in key units).
"""
import os
from xml.sax.saxutils import quoteattr

UNIT = 48   # pixels per key unit on the picture
GAP = 4     # pixels between neighbouring keys

def k(code, name, desc, w=1.0, h=1.0):
    return (code, name, desc, w, h)


def letters(codes, chars):
    return [k(c, ch, "Letter " + ch) for c, ch in zip(codes, chars)]


# Each row: segments of (start in key units, keys laid side by side from there).
MAIN = [
    [(0, [k(0x29, "Esc", "Escape")]),
     (2, [k(0x3A + i, "F%d" % (i + 1), "F%d" % (i + 1)) for i in range(4)]),
     (6.5, [k(0x3E + i, "F%d" % (i + 5), "F%d" % (i + 5)) for i in range(4)]),
     (11, [k(0x42 + i, "F%d" % (i + 9), "F%d" % (i + 9)) for i in range(4)])],
    [(0, [k(0x35, "`", "Grave accent")] + [k(0x1E + i, str((i + 1) % 10), "Digit %d" % ((i + 1) % 10)) for i in range(10)]
      + [k(0x2D, "-", "Minus"), k(0x2E, "=", "Equals"), k(0x2A, "Backspace", "Backspace", 2)])],
    [(0, [k(0x2B, "Tab", "Tab", 1.5)] + letters([0x14, 0x1A, 0x08, 0x15, 0x17, 0x1C, 0x18, 0x0C, 0x12, 0x13], "QWERTYUIOP")
      + [k(0x2F, "[", "Left bracket"), k(0x30, "]", "Right bracket"), k(0x31, "\\", "Backslash", 1.5)])],
    [(0, [k(0x39, "Caps", "Caps Lock", 1.75)] + letters([0x04, 0x16, 0x07, 0x09, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F], "ASDFGHJKL")
      + [k(0x33, ";", "Semicolon"), k(0x34, "'", "Apostrophe"), k(0x28, "Enter", "Enter", 2.25)])],
    [(0, [k(0xE1, "Shift", "Left Shift", 2.25)] + letters([0x1D, 0x1B, 0x06, 0x19, 0x05, 0x11, 0x10], "ZXCVBNM")
      + [k(0x36, ",", "Comma"), k(0x37, ".", "Period"), k(0x38, "/", "Slash"), k(0xE5, "Shift", "Right Shift", 2.75)])],
    [(0, [k(0xE0, "Ctrl", "Left Ctrl", 1.25), k(0xE3, "Win", "Left Windows", 1.25), k(0xE2, "Alt", "Left Alt", 1.25),
          k(0x2C, "Space", "Space", 6.25), k(0xE6, "Alt", "Right Alt", 1.25), k(0xAF, "Fn", "Fn", 1.25),
          k(0x65, "Menu", "Application", 1.25), k(0xE4, "Ctrl", "Right Ctrl", 1.25)])],
]
NAV = [
    [(15.25, [k(0x46, "PrtSc", "Print Screen"), k(0x47, "ScrLk", "Scroll Lock"), k(0x48, "Pause", "Pause")])],
    [(15.25, [k(0x49, "Ins", "Insert"), k(0x4A, "Home", "Home"), k(0x4B, "PgUp", "Page Up")])],
    [(15.25, [k(0x4C, "Del", "Delete"), k(0x4D, "End", "End"), k(0x4E, "PgDn", "Page Down")])],
    [],
    [(16.25, [k(0x52, "\u2191", "Up")])],
    [(15.25, [k(0x50, "\u2190", "Left"), k(0x51, "\u2193", "Down"), k(0x4F, "\u2192", "Right")])],
]
PAD = [
    [],
    [(18.5, [k(0x53, "Num", "Num Lock"), k(0x54, "/", "Keypad divide"), k(0x55, "*", "Keypad multiply"),
             k(0x56, "-", "Keypad minus")])],
    [(18.5, [k(0x5F, "7", "Keypad 7"), k(0x60, "8", "Keypad 8"), k(0x61, "9", "Keypad 9"), k(0x57, "+", "Keypad plus", 1, 2)])],
    [(18.5, [k(0x5C, "4", "Keypad 4"), k(0x5D, "5", "Keypad 5"), k(0x5E, "6", "Keypad 6")])],
    [(18.5, [k(0x59, "1", "Keypad 1"), k(0x5A, "2", "Keypad 2"), k(0x5B, "3", "Keypad 3"), k(0x58, "Enter", "Keypad Enter", 1, 2)])],
    [(18.5, [k(0x62, "0", "Keypad 0", 2), k(0x63, ".", "Keypad decimal")])],
]

LIGHT_MODES = [  # (text number, mode, capability bits)
    (801, 1, 0x031),   # fixed colour: brightness, colour sliders, swatch
    (802, 2, 0x063),   # breathing
    (803, 3, 0x067),   # wave with left/right direction
    (804, 4, 0x04B),   # flow with up/down direction
    (805, 5, 0x043),   # reactive
    (806, 6, 0x083),   # ripple, second colour row
    (807, 7, 0x003),   # spectrum cycle
    (808, 8, 0x101),   # custom per-key colours
    (809, 9, 0x200),   # music
    (810, 10, 0x401),  # screen colour
    (811, 11, 0x801),  # six areas
]


def main_rows(with_pad):
    """Keys in reading order with their key index, matrix row and column, and geometry in units."""
    keys = []
    index = 0
    for r in range(6):
        y = r + (0.5 if r > 0 else 0)  # half a unit between the function row and the rest
        col = 0
        for block in (MAIN, NAV, PAD) if with_pad else (MAIN, NAV):
            for x, segment in block[r]:
                for code, name, desc, w, h in segment:
                    keys.append((code, name, desc, index, r, col, x, y, w, h))
                    index += 1
                    col += 1
                    x += w
    return keys


def row_col(r, c):
    return "%d,%d" % (r, c)


def write(path, model_comment, keys, menu, firmware, light, image, xpos, ypos, cols):
    width = int(round(max(k[6] + k[8] for k in keys) * UNIT))
    height = int(round(max(k[7] + k[9] for k in keys) * UNIT))
    out = ['<?xml version="1.0" encoding="UTF-8"?>', "<!-- %s Written by tools/layouts/make_layouts.py. -->" % model_comment,
           "<device.info>", '  <menu macro="%d" light_mode="%d"/>' % menu, '  <function sleep_time="0"/>']
    if firmware:
        out.append('  <firmware version=%s file=%s url=%s/>' % tuple(quoteattr(v) for v in firmware))
    out.append('  <light rgb_keyboard="1" default_mode="%d" default_brightness="%d" default_speed="%d" '
               'brightness_max="%d" speed_max="%d">' % light)
    for text, mode, bits in LIGHT_MODES:
        out.append('    <info name="%d" mode="%d" attribute="%d"/>' % (text, mode, bits))
    out.append("  </light>")
    out.append('  <Keyboard xpos="%d" ypos="%d" width="%d" height="%d" image="%s" row_count="6" col_count="%d">'
               % (xpos, ypos, width, height, image, cols))
    out.append("    <KeyItems>")
    for code, name, desc, index, r, c, x, y, w, h in keys:
        rect = "%d#%d#%d#%d" % (round(x * UNIT) + GAP // 2, round(y * UNIT) + GAP // 2,
                                round(w * UNIT) - GAP, round(h * UNIT) - GAP)
        out.append('      <key code="%X" name=%s desc=%s key_index="%d" row_col="%s" rect="%s" light_index="%d" icon=""/>'
                   % (code, quoteattr(name), quoteattr(desc), index, row_col(r, c), rect, index))
    out += ["    </KeyItems>", "  </Keyboard>", "</device.info>", ""]
    with open(path, "w", encoding="utf-8", newline="\r\n") as f:
        f.write("\n".join(out))


def main():
    root = os.path.join(os.path.dirname(__file__), "..", "..", "data", "layouts")
    full = main_rows(True)
    write(os.path.join(root, "k201.xml"), "Corvane K201: full-size, per-key RGB.", full, (1, 1),
          ("1.0.3", "k201-firmware-1.0.3.zip", "http://updates.corvane.example.org/firmware/k201/"),
          (3, 4, 3, 4, 4), "k201.png", 90, 250, max(k[5] for k in full) + 1)
    tkl = main_rows(False)
    write(os.path.join(root, "k100.xml"), "Corvane K100: tenkeyless, per-key RGB.", tkl, (1, 1), None,
          (3, 4, 3, 4, 4), "k100.png", 220, 250, max(k[5] for k in tkl) + 1)


if __name__ == "__main__":
    main()

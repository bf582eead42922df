#!/usr/bin/env python3
"""Writes keys/KeyTableRows.h and keys/KeyTableRows.cpp, the one key table of the program.

Each row joins a Windows virtual-key code, the USB HID usage it stands for, the Linux input
code the kernel gives that usage, the X keycode (input code + 8), the PC set-1 scan code with
its E0 prefix, and the English name of keys whose name does not come from the keyboard layout.

The build does not run this script; its output is checked in. Run it again when a row changes:

    apt-get download linux-source-6.1
    dpkg-deb --fsys-tarfile linux-source-6.1_*.deb | tar -x --wildcards '*.tar.xz'
    tar -xJf usr/src/linux-source-6.1.tar.xz linux-source-6.1/drivers/hid/hid-input.c
    python3 tools/keycodes/make_keycodes.py --hid-input linux-source-6.1/drivers/hid/hid-input.c

Inputs:
  --hid-input     the kernel's HID input mapping: the array hid_keyboard[256] (keyboard page)
                  and the simple "case 0xNNN: map_key_clear(KEY_X);" lines of the consumer page
  --event-codes   linux/input-event-codes.h (names and values of the input codes)
  --xkb-keycodes  xkb-data's keycodes folder; when present, the scan codes of the base block are
                  checked against its xfree86 set (keycode - 8 is the XT scan code there)
"""

import argparse
import os
import re
import sys

KEYBOARD_PAGE = 0x07
CONSUMER_PAGE = 0x0C

# (virtual key, key code, HID usage, set-1 scan, E0, fixed name). The key code is the HID
# usage on the keyboard page; the media rows carry their function value instead. A scan of
# None means "the input code", which equals the set-1 code for the base block (1 .. 88).
# Rows are in key-code order, so the reverse lookup by input code finds VK 220 before 666.
BASE = None


def keyboard_rows():
    rows = []
    for i in range(26):
        rows.append((65 + i, 4 + i, 4 + i, BASE, False, ""))
    for i in range(9):
        rows.append((49 + i, 30 + i, 30 + i, BASE, False, ""))
    rows.append((48, 39, 39, BASE, False, ""))
    rows += [
        (13, 40, 0x28, BASE, False, "Enter"),
        (27, 41, 0x29, BASE, False, "Esc"),
        (8, 42, 0x2A, BASE, False, "Backspace"),
        (9, 43, 0x2B, BASE, False, "Tab"),
        (32, 44, 0x2C, BASE, False, "Space"),
        (189, 45, 0x2D, BASE, False, ""),
        (187, 46, 0x2E, BASE, False, ""),
        (219, 47, 0x2F, BASE, False, ""),
        (221, 48, 0x30, BASE, False, ""),
        (220, 49, 0x31, BASE, False, ""),
        # Only files bring 666: the non-US hash key, which the kernel also reports as backslash.
        (666, 50, 0x32, 0, False, ""),
        (186, 51, 0x33, BASE, False, ""),
        (222, 52, 0x34, BASE, False, ""),
        (192, 53, 0x35, BASE, False, ""),
        (188, 54, 0x36, BASE, False, ""),
        (190, 55, 0x37, BASE, False, ""),
        (191, 56, 0x38, BASE, False, ""),
        (20, 57, 0x39, BASE, False, "Caps Lock"),
    ]
    for i in range(12):
        rows.append((112 + i, 58 + i, 58 + i, BASE, False, "F%d" % (i + 1)))
    rows += [
        (44, 70, 0x46, 0x37, True, "Print Screen"),
        (145, 71, 0x47, BASE, False, "Scroll Lock"),
        (19, 72, 0x48, 0x45, False, "Pause"),
        (45, 73, 0x49, 0x52, True, "Insert"),
        (36, 74, 0x4A, 0x47, True, "Home"),
        (33, 75, 0x4B, 0x49, True, "Page Up"),
        (46, 76, 0x4C, 0x53, True, "Delete"),
        (35, 77, 0x4D, 0x4F, True, "End"),
        (34, 78, 0x4E, 0x51, True, "Page Down"),
        (39, 79, 0x4F, 0x4D, True, "Right"),
        (37, 80, 0x50, 0x4B, True, "Left"),
        (40, 81, 0x51, 0x50, True, "Down"),
        (38, 82, 0x52, 0x48, True, "Up"),
        # Num Lock arrives flagged extended from the keyboard hook, Pause does not.
        (144, 83, 0x53, 0x45, True, "Num Lock"),
        (111, 84, 0x54, 0x35, True, "Num /"),
        (106, 85, 0x55, BASE, False, "Num *"),
        (109, 86, 0x56, BASE, False, "Num -"),
        (107, 87, 0x57, BASE, False, "Num +"),
        (108, 88, 0x58, 0x1C, True, "Num Enter"),
    ]
    for i in range(9):
        rows.append((97 + i, 89 + i, 0x59 + i, BASE, False, "Num %d" % (i + 1)))
    rows += [
        (96, 98, 0x62, BASE, False, "Num 0"),
        (110, 99, 0x63, BASE, False, "Num Del"),
        (226, 100, 0x64, BASE, False, ""),
        (93, 101, 0x65, 0x5D, True, "Application"),
    ]
    # F13 .. F24 sit outside the base block; their set-1 codes are not the input codes.
    f13_scans = [0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x76]
    for i in range(12):
        rows.append((124 + i, 104 + i, 0x68 + i, f13_scans[i], False, "F%d" % (13 + i)))
    # Virtual keys 136 .. 139 keep their number as key code: International 2 .. 5.
    rows += [
        (136, 136, 0x88, 0x70, False, ""),
        (137, 137, 0x89, 0x7D, False, ""),
        (138, 138, 0x8A, 0x79, False, ""),
        (139, 139, 0x8B, 0x7B, False, ""),
        (162, 224, 0xE0, BASE, False, "Ctrl"),
        (160, 225, 0xE1, BASE, False, "Shift"),
        (164, 226, 0xE2, BASE, False, "Alt"),
        (91, 227, 0xE3, 0x5B, True, "Windows"),
        (163, 228, 0xE4, 0x1D, True, "RCtrl"),
        (161, 229, 0xE5, BASE, False, "RShift"),
        (165, 230, 0xE6, 0x38, True, "RAlt"),
        (92, 231, 0xE7, 0x5C, True, "RWindows"),
    ]
    return rows


# (function value, consumer usage, virtual key): the media and application functions.
MEDIA = [
    (232, 0x183, 181), (233, 0x0EA, 174), (234, 0x0E9, 175), (235, 0x0E2, 173),
    (236, 0x0B7, 178), (237, 0x0B6, 177), (238, 0x0CD, 179), (239, 0x0B5, 176),
    (240, 0x18A, 180), (241, 0x223, 172), (242, 0x192, 183), (243, 0x224, 166),
    (244, 0x225, 167), (245, 0x226, 169), (246, 0x227, 168), (247, 0x221, 170),
    (248, 0x22A, 171), (249, 0x194, 182),
]


def fail(message):
    sys.exit("make_keycodes: " + message)


def read_event_codes(path):
    """Value -> name of the first KEY_ define with a literal value; name -> value."""
    by_value, by_name = {}, {}
    pattern = re.compile(r"^#define\s+(KEY_\w+)\s+(0x[0-9a-fA-F]+|\d+)\b")
    alias = re.compile(r"^#define\s+(KEY_\w+)\s+(KEY_\w+)\b")
    with open(path, encoding="utf-8") as f:
        for line in f:
            a = alias.match(line)
            if a and a.group(2) in by_name:
                by_name.setdefault(a.group(1), by_name[a.group(2)])
            m = pattern.match(line)
            if not m:
                continue
            value = int(m.group(2), 0)
            by_name[m.group(1)] = value
            by_value.setdefault(value, m.group(1))
    return by_value, by_name


def read_hid_input(path, names):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    m = re.search(r"static const unsigned char hid_keyboard\[256\]\s*=\s*\{(.*?)\};", text, re.S)
    if not m:
        fail("hid_keyboard[256] not found in " + path)
    cells = [c.strip() for c in m.group(1).replace("\n", " ").split(",") if c.strip()]
    if len(cells) != 256:
        fail("hid_keyboard has %d cells, expected 256" % len(cells))
    keyboard = [0 if c == "unk" else int(c, 0) for c in cells]

    start = text.find("case HID_UP_CONSUMER:")
    if start < 0:
        fail("the consumer case was not found in " + path)
    end = text.find("case HID_UP_", start + 1)
    consumer = {}
    for cm in re.finditer(r"case\s+(0x[0-9a-fA-F]+):\s*map_key_clear\((KEY_\w+)\);\s*break;",
                          text[start:end]):
        key = cm.group(2)
        if key in names:
            consumer.setdefault(int(cm.group(1), 16), names[key])
    return keyboard, consumer


def read_xkb(folder):
    """name -> keycode of xkb's evdev and xfree86 keycode sets, or None without xkb-data."""
    sets = {}
    for which in ("evdev", "xfree86"):
        path = os.path.join(folder, which)
        if not os.path.exists(path):
            return None
        codes = {}
        with open(path, encoding="utf-8") as f:
            for line in f:
                m = re.match(r"\s*<(\w+)>\s*=\s*(\d+)\s*;", line)
                if m:
                    codes.setdefault(m.group(1), int(m.group(2)))
        sets[which] = codes
    return sets


def build(args):
    by_value, by_name = read_event_codes(args.event_codes)
    keyboard, consumer = read_hid_input(args.hid_input, by_name)
    xkb = read_xkb(args.xkb_keycodes)

    rows = []
    from_input_code = set()
    for vk, code, usage, scan, e0, name in keyboard_rows():
        if scan is BASE:
            from_input_code.add(vk)
        evdev = keyboard[usage]
        if evdev == 0:
            fail("keyboard usage 0x%02X has no input code" % usage)
        rows.append((vk, code, KEYBOARD_PAGE, usage, evdev, evdev if scan is BASE else scan, e0, name))
    for value, usage, vk in MEDIA:
        if usage not in consumer:
            fail("consumer usage 0x%03X has no input code" % usage)
        rows.append((vk, value, CONSUMER_PAGE, usage, consumer[usage], 0, False, ""))

    if len({r[0] for r in rows}) != len(rows):
        fail("a virtual key appears twice")
    for r in rows:
        if r[4] not in by_value:
            fail("input code %d has no name" % r[4])

    if xkb:
        # The scan codes taken from the input code, against xfree86 (keycode - 8), found by
        # the key's name in the evdev set (keycode = input code + 8).
        name_of = {}
        for key, kc in xkb["evdev"].items():
            name_of.setdefault(kc, key)
        checked = 0
        for r in rows:
            if r[0] not in from_input_code:
                continue
            key = name_of.get(r[4] + 8)
            if key is None or key not in xkb["xfree86"]:
                continue
            if xkb["xfree86"][key] - 8 != r[5]:
                fail("scan 0x%02X of VK %d disagrees with xkb's xfree86 <%s>" % (r[5], r[0], key))
            checked += 1
        print("checked %d scan codes against xkb-data" % checked)
    return rows, keyboard, by_value


HEADER = """\
#pragma once

// Generated by tools/keycodes/make_keycodes.py; edit the generator, not this file.

#include <array>
#include <cstdint>
#include <span>

namespace corvane {

// One key or media function. `key_code` is the program's code for it: the keyboard-page HID
// usage, or the function value 232 .. 249 of a consumer-page row. `scan_code` 0 means the key
// has no set-1 code; `extended` is its E0 prefix. `fixed_name` is empty where the keyboard
// layout names the key.
struct KeyRow {
    uint16_t virtual_key;
    uint16_t key_code;
    uint8_t hid_page;
    uint16_t hid_usage;
    uint16_t input_code;      // linux/input-event-codes.h
    const char* input_name;
    uint16_t x_keycode;       // input_code + 8
    uint8_t scan_code;
    bool extended;
    const wchar_t* fixed_name;
};

// Every row, keyboard page in key-code order, then the consumer rows in function-value order.
std::span<const KeyRow> KeyTableRows();

// The input code the kernel gives each keyboard-page usage; 0 where it gives none.
const std::array<uint8_t, 256>& HidKeyboardInputCodes();

} // namespace corvane
"""


def write(args, rows, keyboard, by_value):
    lines = [
        '#include "keys/KeyTableRows.h"',
        "",
        "// Generated by tools/keycodes/make_keycodes.py; edit the generator, not this file.",
        "",
        "namespace corvane {",
        "",
        "namespace {",
        "",
        "// virtual key, key code, HID page, usage, input code and name, X keycode, scan, E0, name",
        "constexpr KeyRow Rows[] = {",
    ]
    for vk, code, page, usage, evdev, scan, e0, name in rows:
        lines.append('    {%d, %d, 0x%02X, 0x%03X, %d, "%s", %d, 0x%02X, %s, L"%s"},' % (
            vk, code, page, usage, evdev, by_value[evdev], evdev + 8, scan,
            "true" if e0 else "false", name))
    lines += ["};", "", "constexpr std::array<uint8_t, 256> KeyboardInputCodes = {"]
    for i in range(0, 256, 16):
        lines.append("    " + ", ".join("%3d" % v for v in keyboard[i:i + 16]) + ",")
    lines += [
        "};",
        "",
        "} // namespace",
        "",
        "std::span<const KeyRow> KeyTableRows()",
        "{",
        "    return Rows;",
        "}",
        "",
        "const std::array<uint8_t, 256>& HidKeyboardInputCodes()",
        "{",
        "    return KeyboardInputCodes;",
        "}",
        "",
        "} // namespace corvane",
        "",
    ]
    with open(os.path.join(args.out, "KeyTableRows.h"), "w", encoding="utf-8") as f:
        f.write(HEADER)
    with open(os.path.join(args.out, "KeyTableRows.cpp"), "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    print("wrote %d rows to %s" % (len(rows), args.out))


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--hid-input", required=True)
    parser.add_argument("--event-codes", default="/usr/include/linux/input-event-codes.h")
    parser.add_argument("--xkb-keycodes", default="/usr/share/X11/xkb/keycodes")
    parser.add_argument("--out", default=os.path.join(root, "keys"))
    args = parser.parse_args()
    rows, keyboard, by_value = build(args)
    write(args, rows, keyboard, by_value)


if __name__ == "__main__":
    main()

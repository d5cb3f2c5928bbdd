#!/usr/bin/env python3
"""Writes the three progress animations of the program: small 8-bit AVI
clips, run-length encoded (RLE8), as the animation control plays them.

    toECR.avi   data going from the PC to the register (send)
    toCOMP.avi  data coming from the register to the PC (receive)
    findds.avi  a magnifier sweeping over a picture (logo conversion)

Run: python3 make_animations.py <output folder>
"""
import struct
import sys

W, H, FRAMES = 96, 40, 12
SCALE = 2  # every drawn pixel becomes SCALE x SCALE
BG, DARK, SCREEN, KEY, PACKET, GLASS = 0, 1, 2, 3, 4, 5
PALETTE = [
    (0xF0, 0xF0, 0xF0),  # background (the dialog's face colour)
    (0x40, 0x40, 0x48),  # outlines
    (0x60, 0xA0, 0xE0),  # screens
    (0xC8, 0xC8, 0xC8),  # keys and bodies
    (0xE0, 0x80, 0x20),  # the moving data
    (0x30, 0x90, 0x50),  # the magnifier
]


def blank():
    return [[BG] * W for _ in range(H)]


def rect(img, x0, y0, x1, y1, colour):
    for y in range(max(0, y0), min(H, y1)):
        for x in range(max(0, x0), min(W, x1)):
            img[y][x] = colour


def frame_box(img, x0, y0, x1, y1, fill):
    rect(img, x0, y0, x1, y1, DARK)
    rect(img, x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)


def computer(img):
    frame_box(img, 2, 6, 26, 24, SCREEN)   # monitor
    rect(img, 12, 24, 16, 28, DARK)        # stand
    frame_box(img, 4, 28, 24, 34, KEY)     # keyboard


def register(img):
    frame_box(img, 70, 18, 94, 34, KEY)    # body
    frame_box(img, 74, 8, 90, 16, SCREEN)  # display
    for row in range(2):
        for col in range(4):
            rect(img, 73 + col * 5, 22 + row * 5, 76 + col * 5, 25 + row * 5, DARK)


def transfer(frame, forward):
    img = blank()
    computer(img)
    register(img)
    span = 66 - 28
    step = frame * span // (FRAMES - 1)
    x = 28 + step if forward else 66 - step
    for i in range(3):  # a short train of packets
        px = x - i * 7 if forward else x + i * 7
        if 28 <= px <= 66:
            frame_box(img, px, 16, px + 5, 21, PACKET)
    return img


def magnifier(frame):
    img = blank()
    frame_box(img, 8, 4, 88, 36, KEY)  # the picture
    for y in range(8, 33, 4):
        rect(img, 12, y, 84, y + 2, SCREEN if (y // 4) % 2 else BG)
    cx = 20 + frame * 56 // (FRAMES - 1)
    cy = 20
    for y in range(H):
        for x in range(W):
            d = (x - cx) ** 2 + (y - cy) ** 2
            if 49 <= d <= 81:
                img[y][x] = GLASS
    for i in range(8):  # the handle
        rect(img, cx + 6 + i, cy + 6 + i, cx + 9 + i, cy + 8 + i, DARK)
    return img


def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def rle8(rows):
    """Encodes bottom-up rows as RLE8 runs, each row closed by an end of line."""
    out = bytearray()
    for row in rows:
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and run < 255 and row[x + run] == row[x]:
                run += 1
            out += bytes((run, row[x]))
            x += run
        out += b"\0\0"
    out[-2:] = b"\0\1"  # the last end of line becomes the end of the picture
    return bytes(out)


def scaled(img):
    return [bytes(p for p in row for _ in range(SCALE)) for row in img for _ in range(SCALE)]


def avi(frames):
    w, h = W * SCALE, H * SCALE
    encoded = [rle8(list(reversed(scaled(img)))) for img in frames]
    biggest = max(len(e) for e in encoded)
    bmi = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 1, biggest, 0, 0, 256, 0)  # BI_RLE8
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE) + b"\0" * 4 * (256 - len(PALETTE))
    rate_us = 100000  # 10 frames a second
    avih = struct.pack("<IIIIIIIIII4I", rate_us, biggest * 10, 0, 0x10, len(frames), 0, 1, biggest, w, h, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"mrle", 0, 0, 0, 0, 1, 10, 0, len(frames), biggest,
                       0xFFFFFFFF, 0, 0, 0, w, h)
    strl = chunk(b"LIST", b"strl" + chunk(b"strh", strh) + chunk(b"strf", bmi + pal))
    hdrl = chunk(b"LIST", b"hdrl" + chunk(b"avih", avih) + strl)
    movi_data = b""
    index = b""
    for data in encoded:
        index += struct.pack("<4sIII", b"00dc", 0x10, 4 + len(movi_data), len(data))
        movi_data += chunk(b"00dc", data)
    movi = chunk(b"LIST", b"movi" + movi_data)
    body = b"AVI " + hdrl + movi + chunk(b"idx1", index)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    clips = {
        "toECR.avi": [transfer(f, True) for f in range(FRAMES)],
        "toCOMP.avi": [transfer(f, False) for f in range(FRAMES)],
        "findds.avi": [magnifier(f) for f in range(FRAMES)],
    }
    for name, frames in clips.items():
        with open(f"{out}/{name}", "wb") as f:
            f.write(avi(frames))


if __name__ == "__main__":
    main()

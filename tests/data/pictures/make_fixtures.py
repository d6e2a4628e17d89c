#!/usr/bin/env python3
"""Writes the picture fixtures of the picture-box tests into this folder.

Most are made with ImageMagick's convert: a 40 x 30 picture, its left half
red and its right half blue. The kinds convert does not write (a 1-bit
version 3 PCX, an icon holding a PNG entry, a cursor) and the "bombs" (tiny
files whose headers claim 60,000 x 60,000 pixels) are written by hand here.
Run it from anywhere; it overwrites the files.
"""
import os
import struct
import subprocess
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
CONVERT = "/usr/bin/convert"


def path(name):
    return os.path.join(HERE, name)


def convert(*args):
    subprocess.run([CONVERT, *args], check=True)


def two_colours(out):
    convert("-size", "20x30", "xc:#ff0000", "-size", "20x30", "xc:#0000ff", "+append",
            "-strip", out)


def pcx_header(version, bits, planes, width, height, bytes_per_line):
    header = struct.pack("<BBBBHHHHHH", 0x0A, version, 1, bits, 0, 0, width - 1, height - 1,
                         72, 72)
    header += bytes(48) + bytes([0, planes]) + struct.pack("<HH", bytes_per_line, 1)
    return header + bytes(128 - len(header))


def rle(line):
    out = bytearray()
    for byte in line:
        if byte >= 0xC0:
            out += bytes([0xC1, byte])
        else:
            out.append(byte)
    return bytes(out)


def mono_pcx():
    # 40 x 30, version 3, 1 bit per pixel: black left half, white right half.
    width, height, per_line = 40, 30, 6
    bits = [0] * 20 + [1] * 20 + [0] * 8
    line = bytes(int("".join(map(str, bits[i:i + 8])), 2) for i in range(0, 48, 8))
    with open(path("black_white_1bit.pcx"), "wb") as f:
        f.write(pcx_header(3, 1, 1, width, height, per_line) + rle(line) * height)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def icon_with_png_entry():
    with tempfile.TemporaryDirectory() as tmp:
        png = os.path.join(tmp, "entry.png")
        two_colours(png)
        data = open(png, "rb").read()
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 40, 30, 0, 0, 1, 32, len(data), 6 + 16)
    with open(path("two_colours_png_entry.ico"), "wb") as f:
        f.write(directory + entry + data)


def cursor():
    # An icon file with the cursor type; the planes and bit-count words of
    # its entry become the hot spot.
    data = bytearray(open(path("two_colours.ico"), "rb").read())
    data[2] = 2
    data[10:14] = struct.pack("<HH", 3, 4)
    with open(path("two_colours.cur"), "wb") as f:
        f.write(bytes(data))


def png_bomb():
    ihdr = struct.pack(">IIBBBBB", 60000, 60000, 8, 2, 0, 0, 0)
    idat = zlib.compress(bytes(64))
    with open(path("bomb_60000.png"), "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) + png_chunk(b"IDAT", idat) +
                png_chunk(b"IEND", b""))


def gif_bomb():
    screen = b"GIF89a" + struct.pack("<HHBBB", 60000, 60000, 0x80, 0, 0) + bytes(6)
    image = b"\x2c" + struct.pack("<HHHHB", 0, 0, 60000, 60000, 0) + b"\x02\x02\x44\x01\x00"
    with open(path("bomb_60000.gif"), "wb") as f:
        f.write(screen + image + b"\x3b")


def main():
    for ext in ("bmp", "jpg", "png", "ico"):
        two_colours(path("two_colours." + ext))
    with tempfile.TemporaryDirectory() as tmp:
        png = os.path.join(tmp, "two.png")
        two_colours(png)
        convert(png, "-type", "palette", path("two_colours_8bit.pcx"))
        convert(png, "-type", "truecolor", path("two_colours_24bit.pcx"))
    convert("-delay", "10", "-size", "20x20", "xc:red", "xc:lime", "xc:blue", "-loop", "0",
            path("red_green_blue_3_frames.gif"))
    mono_pcx()
    icon_with_png_entry()
    cursor()
    png_bomb()
    gif_bomb()


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the small images that drawing_test carries as resources.

gradient.png  40 x 20, opaque: left half red (255, 0, 0), right half blue (0, 0, 255).
three.gif     4 x 4, three frames (red, green, blue) with delays of 10, 20 and 30
              hundredths of a second, looping.

Run from this folder: python3 make_test_images.py
"""
import struct
import zlib


def png(width, height, pixel):
    rows = b""
    for y in range(height):
        rows += b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def lzw(indices, min_code_size):
    """GIF LZW: variable-width codes, least significant bit first."""
    clear = 1 << min_code_size
    end = clear + 1
    out, bits, nbits = bytearray(), 0, 0

    def emit(code, width):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    table = {(i,): i for i in range(clear)}
    width = min_code_size + 1
    next_code = end + 1
    emit(clear, width)
    current = (indices[0],)
    for index in indices[1:]:
        candidate = current + (index,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current], width)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table = {(i,): i for i in range(clear)}
            width = min_code_size + 1
            next_code = end + 1
        current = (index,)
    emit(table[current], width)
    emit(end, width)
    if nbits:
        out.append(bits & 0xFF)
    blocks = bytearray()
    for i in range(0, len(out), 255):
        piece = out[i:i + 255]
        blocks += bytes([len(piece)]) + piece
    return bytes(blocks) + b"\x00"


def gif(width, height, frames):
    palette = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)]
    data = b"GIF89a" + struct.pack("<HHBBB", width, height, 0xF1, 0, 0)  # 4-colour global table
    data += b"".join(bytes(c) for c in palette)
    data += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"  # loop forever
    for colour_index, delay in frames:
        data += b"\x21\xF9\x04" + struct.pack("<BHBB", 0x04, delay, 0, 0)  # keep previous frame
        data += b"\x2C" + struct.pack("<HHHHB", 0, 0, width, height, 0)
        data += bytes([2]) + lzw([colour_index] * (width * height), 2)
    return data + b"\x3B"


if __name__ == "__main__":
    with open("gradient.png", "wb") as f:
        f.write(png(40, 20, lambda x, y: (255, 0, 0, 255) if x < 20 else (0, 0, 255, 255)))
    with open("three.gif", "wb") as f:
        f.write(gif(4, 4, [(0, 10), (1, 20), (2, 30)]))

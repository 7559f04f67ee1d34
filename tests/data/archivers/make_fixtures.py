#!/usr/bin/env python3
"""Writes the small archives the archiver tests read.

LZH (level-2 headers, stored "-lh0-") and RAR4 (stored) are written here
byte by byte; the cabinet comes from gcab. Member names are CP932, as the
Windows tools store them; two names hold a CP932 trail byte 0x5C.
Run it from anywhere: python3 make_fixtures.py
"""
import os
import shutil
import struct
import subprocess
import tempfile
import time
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
MTIME = 1735821268  # 2025-01-02 12:34:28 UTC


def crc16(data):
    crc = 0
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def dos_time(unix_time):
    t = time.gmtime(unix_time)
    date = ((t.tm_year - 1980) << 9) | (t.tm_mon << 5) | t.tm_mday
    clock = (t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec // 2)
    return (date << 16) | clock


def lzh_member(folder, name, data, directory=False):
    """One level-2 header and its data; folder and name are CP932 bytes."""
    method = b"-lhd-" if directory else b"-lh0-"
    ext_headers = [(0x00, b"\0\0")]  # header CRC, filled in below
    if not directory:
        ext_headers.append((0x01, name))
    if folder:
        ext_headers.append((0x02, folder.replace(b"\\", b"\xff") + b"\xff"))
    ext_headers.append((0x40, struct.pack("<H", 0x10 if directory else 0x20)))
    # Each extended header is: type, data, size of the next one.
    chained = b""
    sizes = [len(p) + 3 for _, p in ext_headers] + [0]
    for i, (kind, payload) in enumerate(ext_headers):
        chained += bytes([kind]) + payload + struct.pack("<H", sizes[i + 1])
    fixed_size = 26
    total = fixed_size + len(chained)
    padding = b"\0" if total & 0xFF == 0 else b""
    total += len(padding)
    header = struct.pack("<H5sIIIBBHBH", total, method, len(data), len(data), MTIME, 0x20, 2,
                         crc16(data), ord("M"), sizes[0]) + chained + padding
    # The header CRC covers the whole header with its own field zeroed.
    crc_at = fixed_size + 1
    header = header[:crc_at] + struct.pack("<H", crc16(header)) + header[crc_at + 2:]
    return header + data


def lzh_level1_member(name, data):
    """A level-1 header with one extended header (Unix time), which level 1
    counts in the packed size."""
    ext = bytes([0x54]) + struct.pack("<I", MTIME) + struct.pack("<H", 0)
    packed = len(ext) + len(data)
    body = struct.pack("<5sIIIBBB", b"-lh0-", packed, len(data), dos_time(MTIME), 0x20, 1,
                       len(name)) + name + struct.pack("<HBH", crc16(data), ord("U"), len(ext))
    header = bytes([len(body), sum(body) & 0xFF]) + body
    return header + ext + data


def write_lzh(path, members, level1=()):
    with open(path, "wb") as out:
        for member in members:
            out.write(lzh_member(*member))
        for member in level1:
            out.write(lzh_level1_member(*member))
        out.write(b"\0")


def rar_block(head_type, flags, body):
    size = 7 + len(body)
    without_crc = struct.pack("<BHH", head_type, flags, size) + body
    return struct.pack("<H", zlib.crc32(without_crc) & 0xFFFF) + without_crc


def rar_file(name, data, directory=False):
    flags = 0x8000 | (0xE0 if directory else 0)
    body = struct.pack("<IIBIIBBHI", len(data), len(data), 2, zlib.crc32(data) & 0xFFFFFFFF,
                       dos_time(MTIME), 20, 0x30, len(name), 0x10 if directory else 0x20) + name
    return rar_block(0x74, flags, body) + data


def write_rar(path, members):
    with open(path, "wb") as out:
        out.write(b"Rar!\x1a\x07\x00")
        out.write(rar_block(0x73, 0, struct.pack("<HI", 0, 0)))
        for member in members:
            out.write(rar_file(*member))
        out.write(rar_block(0x7B, 0x4000, b""))


def sjis(text):
    return text.encode("cp932")


def write_cab(path):
    work = tempfile.mkdtemp()
    try:
        os.makedirs(os.path.join(work, "sub"))
        files = {"日本語.txt": b"CAB test\n", "sub/a.txt": b"sub a\n"}
        for name, data in files.items():
            with open(os.path.join(work, name), "wb") as f:
                f.write(data)
            os.utime(os.path.join(work, name), (MTIME, MTIME))
        if os.path.exists(path):
            os.remove(path)
        subprocess.run(["gcab", "-c", "-z", path] + list(files), cwd=work, check=True)
    finally:
        shutil.rmtree(work)


def main():
    write_lzh(os.path.join(HERE, "japanese.lzh"), [
        (sjis("日本語"), b"", b"", True),
        (sjis("日本語"), sjis("テスト.txt"), b"LZH test\n"),
        (b"", sjis("表示.txt"), b"hyouji\n"),
        (b"", b"readme.txt", b"read me\n"),
    ], [(b"level1.txt", b"level one\n")])
    write_lzh(os.path.join(HERE, "traversal.lzh"), [
        (b"..", b"evil.txt", b"evil\n"),
        (b"", b"good.txt", b"good\n"),
    ])
    write_rar(os.path.join(HERE, "japanese.rar"), [
        (sjis("フォルダ"), b"", True),
        (sjis("フォルダ\\表示.txt"), b"RAR test\n"),
        (b"readme.txt", b"read me\n"),
    ])
    write_rar(os.path.join(HERE, "traversal.rar"), [
        (b"..\\evil.txt", b"evil\n"),
        (b"\\abs.txt", b"abs\n"),
        (b"good.txt", b"good\n"),
    ])
    write_cab(os.path.join(HERE, "japanese.cab"))


if __name__ == "__main__":
    main()

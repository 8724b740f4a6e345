#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes COUNT files of 4,096 bytes of audio into FOLDER, each ending in an ID3v1 block and,
# with --id3v2, starting with an ID3v2.3 tag as taggers leave them: the six fields, a track
# number, replay gain, a 2 KB picture and 1 KB of padding.
#   make_tagged_files.py FOLDER COUNT [--id3v2]
import os
import sys


def frame(fid, data):
    return fid.encode() + len(data).to_bytes(4, "big") + b"\0\0" + data


def text(fid, value):
    return frame(fid, b"\0" + value.encode("latin-1"))


def synchsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def id3v2(i):
    frames = [text("TIT2", f"Song number {i}"), text("TPE1", "Some Band"),
              text("TALB", "Some Album"), text("TYER", "2004"), text("TCON", "(17)"),
              frame("COMM", b"\0eng\0A comment"), text("TRCK", f"{i % 20 + 1}/20"),
              frame("TXXX", b"\0replaygain_track_gain\0-6.50 dB"),
              frame("APIC", b"\0image/jpeg\0\3\0" + bytes(range(256)) * 8)]
    body = b"".join(frames) + b"\0" * 1024
    return b"ID3\3\0\0" + synchsafe(len(body)) + body


def id3v1(i):
    def field(value, width):
        return value.encode("latin-1")[:width].ljust(width, b"\0")
    return (b"TAG" + field(f"Song number {i}", 30) + field("Some Band", 30) +
            field("Some Album", 30) + b"2004" + field("A comment", 30) + b"\x11")


def main():
    folder, count = sys.argv[1], int(sys.argv[2])
    with_v2 = "--id3v2" in sys.argv[3:]
    os.makedirs(folder, exist_ok=True)
    audio = bytes([0xFF, 0xFB, 0x90, 0x64]) + b"\x55" * 4092
    for i in range(count):
        with open(os.path.join(folder, f"song{i:05d}.mp3"), "wb") as out:
            out.write((id3v2(i) if with_v2 else b"") + audio + id3v1(i))


if __name__ == "__main__":
    main()

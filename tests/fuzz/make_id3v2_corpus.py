#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the seed corpus of the ID3v2 fuzz target: files starting with tags of every
# version and layout the reader meets (2.2, 2.3, 2.4, unsynchronised, extended headers,
# footers, wide texts, no padding, broken headers), with and without an ID3v1 block.
#   make_id3v2_corpus.py FOLDER
import os
import sys

AUDIO = bytes([0xFF, 0xFB, 0x90, 0x64]) + bytes(range(256)) * 2


def synchsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def frame(version, fid, data):
    if version == 2:
        return fid.encode() + len(data).to_bytes(3, "big") + data
    size = synchsafe(len(data)) if version == 4 else len(data).to_bytes(4, "big")
    return fid.encode() + size + b"\0\0" + data


def text(version, fid, value, encoding=0):
    if encoding == 0:
        return frame(version, fid, b"\0" + value.encode("latin-1"))
    if encoding == 1:
        return frame(version, fid, b"\1" + value.encode("utf-16"))
    return frame(version, fid, b"\3" + value.encode("utf-8"))


def tag(version, frames, padding=32, flags=0, extended=b"", footer=False):
    body = extended + b"".join(frames) + b"\0" * padding
    header = b"ID3" + bytes([version, 0, flags]) + synchsafe(len(body))
    tail = b"3DI" + header[3:] if footer else b""
    return header + body + tail


def v1(title):
    return b"TAG" + title.encode().ljust(30, b"\0") + b"\0" * 94 + b"\x11"


def common(version, encoding=0):
    ids = ["TT2", "TP1", "TAL", "TYE", "TCO"] if version == 2 else \
        ["TIT2", "TPE1", "TALB", "TDRC" if version == 4 else "TYER", "TCON"]
    values = ["Title", "Artist", "Album", "2004", "(17)Rock"]
    frames = [text(version, i, v, encoding) for i, v in zip(ids, values)]
    comm = b"\0eng\0A comment"
    frames.append(frame(version, "COM" if version == 2 else "COMM", comm))
    if version != 2:
        frames.append(frame(version, "APIC", b"\0image/png\0\3\0" + b"\x89PNG" + b"\xff" * 40))
        frames.append(frame(version, "XQZW", b"\x00\xff unknown"))
    return frames


def unsynchronised(data):
    return data.replace(b"\xff", b"\xff\x00")


def main(folder):
    os.makedirs(folder, exist_ok=True)
    files = {
        "v22.mp3": tag(2, common(2)) + AUDIO,
        "v23.mp3": tag(3, common(3)) + AUDIO + v1("Title"),
        "v23-utf16.mp3": tag(3, common(3, 1), padding=0) + AUDIO,
        "v24.mp3": tag(4, common(4)) + AUDIO + v1("Title"),
        "v24-utf8-no-padding.mp3": tag(4, common(4, 3), padding=0) + AUDIO,
        "v24-footer.mp3": tag(4, common(4), padding=0, flags=0x10, footer=True) + AUDIO,
        "v24-extended.mp3": tag(4, common(4), flags=0x40, extended=synchsafe(6) + b"\x01\x00")
        + AUDIO,
        "v23-extended.mp3": tag(3, common(3), flags=0x40,
                                extended=(6).to_bytes(4, "big") + b"\0" * 6) + AUDIO,
        "v23-unsynchronised.mp3": b"ID3\3\0\x80"
        + synchsafe(len(unsynchronised(b"".join(common(3)) + b"\0" * 16)))
        + unsynchronised(b"".join(common(3)) + b"\0" * 16) + AUDIO,
        "v24-unsynchronised.mp3": tag(4, common(4), flags=0x80) + AUDIO,
        "empty-tag.mp3": tag(3, [], padding=0) + AUDIO,
        "only-padding.mp3": tag(4, [], padding=100),
        "broken-version.mp3": b"ID3\x09\0\0\0\0\0\x20" + b"z" * 32 + AUDIO + v1("Old"),
        "broken-size.mp3": b"ID3\3\0\0\x7f\x7f\x7f\x7f" + AUDIO,
        "frame-past-end.mp3": b"ID3\3\0\0" + synchsafe(20) + b"TIT2\0\0\1\0\0\0\0Title" + b"\0"
        * 5 + AUDIO,
        "no-tag.mp3": AUDIO + v1("Plain"),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main(sys.argv[1])

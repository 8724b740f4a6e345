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


def with_flags(data, status, fmt):
    return data[:8] + bytes([status, fmt]) + data[10:]


def texts(version):
    """Text frames in every encoding, split into pieces, with the nulls and byte order
    marks taggers leave, some not decodable."""
    le, be = b"\xff\xfe", b"\xfe\xff"
    return [
        frame(version, "TIT2", b"\1" + le + "Ti".encode("utf-16-le") + b"\0\0"
              + "tle".encode("utf-16-le") + b"\0\0" + be + "2".encode("utf-16-be") + b"\0\0"),
        frame(version, "TPE1", b"\2" + "Artist".encode("utf-16-be") + b"\0\0\0\0"),
        frame(version, "TALB", b"\0Al\0\0bum\0\0"),
        frame(version, "TDRC" if version == 4 else "TYER", b"\3" + "2004\0".encode()),
        frame(version, "TCON", b"\0(17)(20)\0(RX)\0(200)Rock"),
        frame(version, "COMM", b"\0engDescribed\0Text\0after"),
        frame(version, "COMM", b"\1eng" + le + b"\0\0" + le + "Plain".encode("utf-16-le")),
        frame(version, "COMM", b"\3eng\0Caf\xc3\xa9\0\xff"),
        frame(version, "TIT2", b"\3Bad \xc0\xaf"),
        frame(version, "TPE1", b"\1" + le + b"\x00\xd8A\0"),
    ]


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
        "v23-texts.mp3": tag(3, texts(3)) + AUDIO + v1("Title"),
        "v24-texts.mp3": tag(4, texts(4)) + AUDIO,
        "v23-frame-flags.mp3": tag(3, [with_flags(text(3, "TIT2", "Compressed"), 0, 0x80),
                                       with_flags(text(3, "TPE1", "Read only"), 0x20, 0)]
                                   + common(3)) + AUDIO,
        "v24-frame-flags.mp3": tag(4, [with_flags(frame(4, "TIT2", b"\0\0\0\6\0Title"), 0, 0x01),
                                       with_flags(frame(4, "TPE1", b"\7\0Grouped"), 0, 0x40),
                                       with_flags(text(4, "TALB", "Discardable"), 0x40, 0)]
                                   + common(4)) + AUDIO,
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main(sys.argv[1])

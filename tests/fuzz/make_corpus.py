#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_wave: a few tiny wave files, valid and damaged.

    python3 tests/fuzz/make_corpus.py tests/fuzz/corpus/fuzz_wave
"""
import math
import os
import struct
import sys

PCM, FLOAT, EXTENSIBLE = 1, 3, 0xFFFE
# The KSDATAFORMAT_SUBTYPE GUIDs: the format tag followed by a fixed tail.
GUID_TAIL = bytes.fromhex("000000001000800000aa00389b71")


def chunk(cid, body):
    return cid + struct.pack("<I", len(body)) + body + (b"\0" if len(body) % 2 else b"")


def fmt(tag, channels, rate, bits, subformat=None):
    block = channels * bits // 8
    body = struct.pack("<HHIIHH", tag, channels, rate, rate * block, block, bits)
    if tag == EXTENSIBLE:
        body += struct.pack("<HHI", 22, bits, 0) + struct.pack("<H", subformat) + GUID_TAIL
    return chunk(b"fmt ", body)


def riff(*chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def tone(n, channels, encode):
    out = b""
    for i in range(n):
        v = 0.5 * math.sin(2 * math.pi * 440 * i / 8000)
        out += encode(v) * channels
    return out


def int_sample(bits):
    full = (1 << (bits - 1)) - 1
    if bits == 8:
        return lambda v: struct.pack("<B", int(v * full) + 128)
    return lambda v: int(v * full).to_bytes(bits // 8, "little", signed=True)


def float_sample(v):
    return struct.pack("<f", v)


def main(out):
    os.makedirs(out, exist_ok=True)
    n = 64
    files = {
        "pcm8_mono.wav": riff(fmt(PCM, 1, 8000, 8), chunk(b"data", tone(n, 1, int_sample(8)))),
        "pcm16_stereo.wav": riff(fmt(PCM, 2, 8000, 16), chunk(b"data", tone(n, 2, int_sample(16)))),
        "pcm24_mono.wav": riff(fmt(PCM, 1, 22050, 24), chunk(b"data", tone(n, 1, int_sample(24)))),
        "float32_mono.wav": riff(fmt(FLOAT, 1, 8000, 32), chunk(b"data", tone(n, 1, float_sample))),
        "ext24_mono.wav": riff(fmt(EXTENSIBLE, 1, 8000, 24, PCM), chunk(b"data", tone(n, 1, int_sample(24)))),
        "extfloat_stereo.wav": riff(fmt(EXTENSIBLE, 2, 8000, 32, FLOAT), chunk(b"data", tone(n, 2, float_sample))),
        "pcm16_6ch.wav": riff(fmt(PCM, 6, 8000, 16), chunk(b"data", tone(16, 6, int_sample(16)))),
        "data_overclaims.wav": riff(fmt(PCM, 1, 8000, 16), b"data" + struct.pack("<I", 1 << 30) + bytes(32)),
        "no_format.wav": riff(chunk(b"data", bytes(32))),
        "truncated.wav": riff(fmt(PCM, 1, 8000, 16), chunk(b"data", bytes(64)))[:30],
    }
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1])

#!/usr/bin/python3
"""Writes the reference decoding of a PSD file: for every layer record in file
order its kind, rectangle, opacity, name and 0xAARRGGBB pixels.

psd-tools parses the records and decompresses the channels; the colours are
then converted here by the format's rules: the high byte of 16-bit samples,
CMYK stored inverted, indexed through the colour mode data, a layer without a
transparency channel opaque."""
import sys

from psd_tools.psd import PSD
from psd_tools.constants import Tag


def section_kind(record):
    blocks = record.tagged_blocks
    if blocks is None or Tag.SECTION_DIVIDER_SETTING not in blocks:
        return 0
    kind = int(blocks.get_data(Tag.SECTION_DIVIDER_SETTING).kind)
    return {1: 2, 2: 2, 3: 1}.get(kind, 0)


def layer_name(record):
    blocks = record.tagged_blocks
    if blocks is not None and Tag.UNICODE_LAYER_NAME in blocks:
        return blocks.get_data(Tag.UNICODE_LAYER_NAME).rstrip('\0')
    return record.name


def cmyk_channel(stored, black_stored):
    ink = 255 - stored
    black = 255 - black_stored
    return (65535 - (255 - black) * ink - 256 * black) >> 8


def pixels(psd, record, channels):
    width = record.right - record.left
    height = record.bottom - record.top
    if width <= 0 or height <= 0:
        return []
    depth = psd.header.depth
    step = 2 if depth == 16 else 1
    planes = {}
    for info, data in zip(record.channel_info, channels):
        if info.id in (-2, -3):
            continue
        raw = data.get_data(width, height, depth, psd.header.version)
        planes[int(info.id)] = bytes(raw[i * step] if i * step < len(raw) else 0 for i in range(width * height))
    zero = bytes(width * height)
    alpha = planes.get(-1, bytes([255]) * (width * height))
    mode = int(psd.header.color_mode)
    palette = psd.color_mode_data.value
    count = len(palette) // 3
    result = []
    for i in range(width * height):
        c = [planes.get(n, zero)[i] for n in range(4)]
        if mode == 1:
            argb = (alpha[i], c[0], c[0], c[0])
        elif mode == 3:
            argb = (alpha[i], c[0], c[1], c[2])
        elif mode == 4:
            argb = (alpha[i],) + tuple(cmyk_channel(c[n], c[3]) for n in range(3))
        elif mode == 2:
            v = c[0]
            argb = (255, palette[v], palette[count + v], palette[2 * count + v]) if v < count else (0, 255, 255, 255)
        else:
            raise SystemExit('no reference conversion for colour mode %d' % mode)
        result.append('%02X%02X%02X%02X' % argb)
    return [' '.join(result[y * width:(y + 1) * width]) for y in range(height)]


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, 'rb') as f:
        psd = PSD.read(f)
    lines = []
    for record, channels in psd._iter_layers():
        lines.append('layer %d %d %d %d %d %d' % (
            section_kind(record), record.left, record.top, record.right - record.left,
            record.bottom - record.top, record.opacity))
        lines.append('name ' + layer_name(record))
        lines.extend(pixels(psd, record, channels))
    with open(target, 'w', encoding='utf-8') as f:
        f.write('\n'.join(lines) + '\n')


main()

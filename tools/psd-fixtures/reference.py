#!/usr/bin/python3
"""Writes the reference decoding of a PSD file: for every layer record in file
order its kind, rectangle, opacity, name, the kinds of its adjustment, fill,
type and effect items, and its 0xAARRGGBB pixels.

psd-tools parses the records and decompresses the channels; the colours are
then converted here by the format's rules: the high byte of 16-bit samples,
CMYK stored inverted, indexed through the colour mode data, a layer without a
transparency channel opaque."""
import sys

from psd_tools.psd import PSD
from psd_tools.constants import Tag


# Item kind, and the layer kind the block gives (None: the kind is left).
ITEM_BLOCKS = {
    b'levl': (1, 6), b'curv': (2, 7), b'brit': (3, 8), b'blnc': (4, 9), b'hue2': (5, 10),
    b'selc': (6, 11), b'thrs': (7, 12), b'nvrt': (8, 13), b'post': (9, 14), b'mixr': (10, 15),
    b'grdm': (11, 16), b'phfl': (12, 17), b'tySh': (13, None), b'lrFX': (15, None),
    b'lfx2': (16, None), b'SoCo': (17, 3), b'GdFl': (18, 4), b'PtFl': (19, 19),
}


def item_blocks(record):
    blocks = record.tagged_blocks
    keys = [] if blocks is None else [getattr(key, 'value', key) for key in blocks.keys()]
    return [ITEM_BLOCKS[key] for key in keys if key in ITEM_BLOCKS]


def layer_kind(record):
    kind = 0
    blocks = record.tagged_blocks
    if blocks is not None and Tag.SECTION_DIVIDER_SETTING in blocks:
        divider = int(blocks.get_data(Tag.SECTION_DIVIDER_SETTING).kind)
        kind = {1: 2, 2: 2, 3: 1}.get(divider, 0)
    for _, block_kind in item_blocks(record):
        if block_kind is not None:
            kind = block_kind
    return kind


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
            layer_kind(record), record.left, record.top, record.right - record.left,
            record.bottom - record.top, record.opacity))
        lines.append('name ' + layer_name(record))
        items = item_blocks(record)
        if items:
            lines.append('items ' + ' '.join(str(item) for item, _ in items))
        lines.extend(pixels(psd, record, channels))
    with open(target, 'w', encoding='utf-8') as f:
        f.write('\n'.join(lines) + '\n')


main()

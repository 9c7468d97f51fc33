"""Small Windows metafiles made here for the end-to-end tests: the whole
picture in one colour, its right half in another, drawn with solid
brushes and no pen. Colours are (r, g, b)."""

import struct


def _colorref(rgb):
    r, g, b = rgb
    return r | (g << 8) | (b << 16)


def make_wmf(width, height, left, right):
    """A placeable WMF of width x height pixels at 96 per inch (in twips,
    1440 to the inch)."""
    unit = 15
    lw, lh = width * unit, height * unit
    records = b""

    def record(function, *words):
        return struct.pack("<IH", 3 + len(words), function) + struct.pack("<%dH" % len(words), *words)

    records += record(0x020B, 0, 0)  # SetWindowOrg
    records += record(0x020C, lh, lw)  # SetWindowExt
    records += record(0x02FA, 5, 0, 0, 0, 0)  # CreatePenIndirect: the null pen
    records += record(0x012D, 0)  # SelectObject
    for i, colour in enumerate((left, right)):
        c = _colorref(colour)
        records += record(0x02FC, 0, c & 0xFFFF, c >> 16, 0)  # CreateBrushIndirect
        records += record(0x012D, 1 + i)
        records += record(0x041B, lh + unit, lw + unit, 0, lw // 2 if i else 0)  # Rectangle
    records += record(0x0000)  # end of file
    head = struct.pack("<IH4hHI", 0x9AC6CDD7, 0, 0, 0, lw, lh, 1440, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", head):
        checksum ^= word
    head += struct.pack("<H", checksum)
    header = struct.pack("<HHHIHIH", 1, 9, 0x0300, (18 + len(records)) // 2, 3, 8, 0)
    return head + header + records


def make_emf(width, height, left, right):
    """An EMF of width x height pixels at 96 per inch: its frame in 0.01 mm."""
    records = []

    def record(kind, *values):
        records.append(struct.pack("<II", kind, 8 + 4 * len(values)) + struct.pack("<%dI" % len(values), *values))

    record(37, 0x80000008)  # SelectObject: the stock null pen
    for i, colour in enumerate((left, right)):
        record(39, 1 + i, 0, _colorref(colour), 0)  # CreateBrushIndirect
        record(37, 1 + i)
        record(43, width // 2 if i else 0, 0, width + 1, height + 1)  # Rectangle
    record(14, 0, 16, 20)  # end of file
    body = b"".join(records)
    frame = ((width * 2540 + 48) // 96, (height * 2540 + 48) // 96)
    header = struct.pack("<II4i4iIIIIHHIII4i3I2i", 1, 108, 0, 0, width - 1, height - 1, 0, 0, frame[0], frame[1],
                         0x464D4520, 0x10000, 108 + len(body), len(records) + 1, 3, 0, 0, 0, 0,
                         960, 960, 254, 254, 0, 0, 0, 254000, 254000)
    assert len(header) == 108
    return header + body

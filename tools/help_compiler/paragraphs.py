"""Paragraph records of |TOPIC: the paragraph's layout and a list of
formatting commands in the first part, its text in the second. The reader
shows one NUL-terminated string of the text, then carries out the next
command, and so on, so every command is preceded by exactly one string."""
from dataclasses import dataclass

import fonts
from binary import (context_hash, packed_signed_long, packed_signed_short,
                    packed_unsigned_short, u16, u32)

TEXT_RECORD = 0x20

FONT, TAB, END_OF_PARAGRAPH, END = 0x80, 0x83, 0x82, 0xFF
JUMP, END_OF_JUMP = 0xE3, 0x89

# Paragraph layout flags, each followed by its value in this order.
SPACE_ABOVE, SPACE_BELOW, LEFT_INDENT, FIRST_LINE_INDENT, TAB_STOPS = (
    0x0002, 0x0004, 0x0010, 0x0040, 0x0200)

INDENT = 36  # half points: where step text and indented paragraphs start

# kind: (flags, their values, tab stops)
LAYOUTS = {
    "heading": (SPACE_BELOW, [12], []),
    "text": (SPACE_ABOVE, [12], []),
    "step": (SPACE_ABOVE | LEFT_INDENT | FIRST_LINE_INDENT | TAB_STOPS, [6, INDENT, -INDENT],
             [INDENT]),
    "indented": (SPACE_ABOVE | LEFT_INDENT, [4, INDENT], []),
}


@dataclass
class Record:
    kind: int
    data1: bytes
    data2: bytes


class Commands:
    def __init__(self):
        self.data1, self.data2 = bytearray(), bytearray()

    def text(self, text):
        self.data2 += text.encode("cp1252")

    def command(self, code):
        self.data2 += b"\0"
        self.data1 += code


def layout(kind):
    flags, values, tabs = LAYOUTS[kind]
    data = bytes([0x00, 0x80]) + u16(0) + u16(flags)
    data += b"".join(packed_signed_short(v) for v in values)
    if tabs:
        data += packed_signed_short(len(tabs)) + b"".join(packed_unsigned_short(t) for t in tabs)
    return data


def paragraph_record(kind, runs, number=0):
    """kind is a layout above; runs are source.Run; number leads a step."""
    out = Commands()
    out.command(bytes([FONT]) + u16(fonts.HEADING if kind == "heading" else fonts.BODY))
    if kind == "step":
        out.text(f"{number}.")
        out.command(bytes([TAB]))
    for run in runs:
        if run.jump:
            out.command(bytes([JUMP]) + u32(context_hash(run.jump)))
        if run.bold:
            out.command(bytes([FONT]) + u16(fonts.BOLD))
        out.text(run.text)
        if run.bold:
            out.command(bytes([FONT]) + u16(fonts.BODY))
        if run.jump:
            out.command(bytes([END_OF_JUMP]))
    out.command(bytes([END_OF_PARAGRAPH]))
    out.command(bytes([END]))
    formatting = layout(kind) + out.data1
    # Led by the size of what follows and by the text's length, which is
    # also what the paragraph adds to the character count of topic offsets.
    data1 = (packed_signed_long(len(formatting), "bytes of formatting in one paragraph")
             + packed_unsigned_short(len(out.data2), "bytes of text in one paragraph")
             + formatting)
    return Record(TEXT_RECORD, data1, bytes(out.data2))

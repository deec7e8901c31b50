"""The help file's number encodings: little-endian fields, the packed numbers
of paragraph records (one or two bytes, or two or four, the low bit saying
which) and the hash that stands for a context name."""
import struct

# Values of the characters a context name may hold; others are refused.
HASH_VALUES = {c: i + 1 for i, c in enumerate("123456789")}
HASH_VALUES.update({"0": 10, ".": 12, "_": 13})
HASH_VALUES.update({c: 17 + i for i, c in enumerate("ABCDEFGHIJKLMNOPQRSTUVWXYZ")})
HASH_VALUES.update({c: 17 + i for i, c in enumerate("abcdefghijklmnopqrstuvwxyz")})


def u16(value):
    return struct.pack("<H", value & 0xFFFF)


def s16(value):
    return struct.pack("<h", value)


def u32(value):
    return struct.pack("<I", value & 0xFFFFFFFF)


def in_range(value, limit, what):
    """Refuses, whatever Python's options, a value a field cannot hold;
    what names the value's unit and meaning."""
    if not 0 <= value < limit:
        raise ValueError(f"{value} {what}, outside the 0 to {limit - 1} the help file can hold")


def packed_unsigned_short(value, what="as a packed number"):
    in_range(value, 0x8000, what)
    if value < 0x80:
        return bytes([value * 2])
    return u16(value * 2 + 1)


def packed_signed_short(value, what="as a packed number"):
    # One byte for -64..63, as the readers' halving of an odd negative
    # two-byte value differs between them.
    if -0x40 <= value < 0x40:
        return packed_unsigned_short(value + 0x40)
    in_range(value, 0x4000, what)
    return packed_unsigned_short(value + 0x4000)


def packed_unsigned_long(value, what="as a packed number"):
    in_range(value, 0x80000000, what)
    if value < 0x8000:
        return u16(value * 2)
    return u32(value * 2 + 1)


def packed_signed_long(value, what="as a packed number"):
    # Only the two-byte form: the readers disagree on the bias of the other.
    in_range(value, 0x4000, what)
    return packed_unsigned_long(value + 0x4000)


def context_hash(name):
    """The 32-bit number the help file keeps for a context name, as a signed
    value: context tables are sorted by it that way."""
    value = 0
    for c in name:
        if c not in HASH_VALUES:
            raise ValueError(f"context name {name!r} holds {c!r}")
        value = (value * 43 + HASH_VALUES[c]) & 0xFFFFFFFF
    return value - (1 << 32) if value & 0x80000000 else value

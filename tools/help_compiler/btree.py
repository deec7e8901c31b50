"""B+ trees, the help file's sorted tables (its directory of internal files,
contexts, titles). Ours are small enough for one leaf page, which is then
also the root: a tree of one level, no index pages."""
import struct

from binary import s16, u16, u32

MAGIC = 0x293B
HEADER_SIZE = 38
LEAF_HEADER = 8


def btree(entries, structure, page_size, directory=False):
    """entries: each entry's bytes, already in the tree's order; structure:
    the letters that tell readers how an entry is made."""
    used = LEAF_HEADER + sum(len(e) for e in entries)
    if used > page_size:
        raise ValueError(f"{len(entries)} entries do not fit in one {page_size}-byte page")
    flags = 0x0002 | (0x0400 if directory else 0)
    header = u16(MAGIC) + u16(flags) + u16(page_size) + structure.encode().ljust(16, b"\0")
    # no splits, root page 0, the fixed -1, one page, one level
    header += s16(0) + s16(0) + s16(0) + s16(-1) + s16(1) + s16(1) + u32(len(entries))
    assert len(header) == HEADER_SIZE
    leaf = u16(page_size - used) + s16(len(entries)) + s16(-1) + s16(-1) + b"".join(entries)
    return header + leaf.ljust(page_size, b"\0")


def signed_key(entry):
    return struct.unpack_from("<i", entry)[0]

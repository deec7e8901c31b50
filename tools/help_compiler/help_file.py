"""A Windows Help 3.1 file from a read help source: the internal files the
platform's help programs need, and the file system that holds them (a
16-byte header, each internal file behind a 9-byte header of its own, and
the directory, a B+ tree of names and places).

The same source gives the same bytes: nothing depends on the time or the
machine."""
from btree import btree, signed_key
from binary import context_hash, u16, u32
from fonts import font_file
from topics import build_topics

FILE_MAGIC = 0x00035F3F
SYSTEM_MAGIC, VERSION_31, MAJOR = 0x036C, 21, 1
TITLE, CONTENTS, WINDOW = 1, 3, 6
UNCOMPRESSED = 0
BTREE_PAGE = 2048
DIRECTORY_PAGE = 1024
NO_FREE_LIST = -1
FILE_FLAGS = 4


def zstring(text):
    return text.encode("cp1252") + b"\0"


def system_record(kind, data):
    return u16(kind) + u16(len(data)) + data


def main_window(caption):
    """The main window's definition: its name and caption; place, size and
    colours are the help program's own."""
    type_valid, name_valid, caption_valid = 0x0001, 0x0002, 0x0004
    data = u16(type_valid | name_valid | caption_valid)
    data += b"main".ljust(10, b"\0") + b"main".ljust(9, b"\0")
    data += caption.encode("cp1252")[:50].ljust(51, b"\0")
    data += bytes(10) + bytes(8)  # place, size, maximize; the two colours
    return data


def system_file(title, contents):
    # Generation date 0 keeps the output reproducible; flags 0: |TOPIC is
    # not compressed and comes in 4 KB blocks.
    data = u16(SYSTEM_MAGIC) + u16(VERSION_31) + u16(MAJOR) + u32(0) + u16(UNCOMPRESSED)
    data += system_record(TITLE, zstring(title))
    data += system_record(CONTENTS, u32(contents))
    data += system_record(WINDOW, main_window(title))
    return data


def context_file(topics, offsets):
    entries = [u32(context_hash(t.context)) + u32(o) for t, o in zip(topics, offsets)]
    return btree(sorted(entries, key=signed_key), "L4", BTREE_PAGE)


def context_map_file(topics, offsets):
    pairs = sorted((t.number, o) for t, o in zip(topics, offsets))
    return u16(len(pairs)) + b"".join(u32(n) + u32(o) for n, o in pairs)


def title_file(topics, offsets):
    entries = [u32(o) + zstring(t.title) for t, o in sorted(zip(topics, offsets),
                                                            key=lambda p: p[1])]
    return btree(entries, "Lz", BTREE_PAGE)


def internal_files(source):
    topic_data, offsets = build_topics(source.topics)
    first = min(source.topics, key=lambda t: t.number)
    contents = offsets[source.topics.index(first)]
    return {
        "|CONTEXT": context_file(source.topics, offsets),
        "|CTXOMAP": context_map_file(source.topics, offsets),
        "|FONT": font_file(),
        "|SYSTEM": system_file(source.title, contents),
        "|TOPIC": topic_data,
        "|TTLBTREE": title_file(source.topics, offsets),
    }


def file_header(data):
    return u32(len(data) + 9) + u32(len(data)) + bytes([FILE_FLAGS])


def help_file(source):
    files = internal_files(source)
    body, places = bytearray(), {}
    for name in sorted(files):  # the directory's order, byte by byte
        places[name] = 16 + len(body)
        body += file_header(files[name]) + files[name]
    entries = [zstring(name) + u32(places[name]) for name in sorted(files)]
    directory = btree(entries, "z4", DIRECTORY_PAGE, directory=True)
    directory_start = 16 + len(body)
    body += file_header(directory) + directory
    size = 16 + len(body)
    return u32(FILE_MAGIC) + u32(directory_start) + u32(NO_FREE_LIST) + u32(size) + bytes(body)

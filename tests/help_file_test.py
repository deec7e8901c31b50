"""Compiles a small help source with tools/help_compiler and reads the help
file back with a reader of its own: context numbers, jumps (through the
context names) and titles find the right topics, and each kind of paragraph
comes back with its layout and text. A long topic pushes the last one past
the first 4 KB block, where topic offsets count from the block's start.
The page written beside it is read with Python's HTML parser and must hold
the same topics, the contents topic first; so must the program's own page,
whose links must all lead to a topic.
Usage: help_file_test.py COMPILER_DIR PROGRAM_PAGE"""
import html.parser
import os
import struct
import subprocess
import sys
import tempfile

FILLER = "\n\n".join(f"Filler paragraph {n} " + "x" * 90 for n in range(60))
SOURCE = f"""title: Table Test

== first 1: First topic
Plain text with **bold** and a [jump](third).

1. Step one
2. Step two
   runs on.

    Indented text.

== second 20: Second topic
{FILLER}

Back to [first](first).

== third 5: Third topic
Text to [second](second).
"""

CONTEXTS = {1: "first", 20: "second", 5: "third"}

# number: (title, [(layout, text)] from the heading on, {jump text: target title})
TOPICS = {
    1: ("First topic", [("heading", "First topic"), ("text", "Plain text with bold and a jump."),
                        ("step", "1.\tStep one"), ("step", "2.\tStep two runs on."),
                        ("indented", "Indented text.")], {"jump": "Third topic"}),
    20: ("Second topic", None, {"first": "First topic"}),
    5: ("Third topic", [("heading", "Third topic"), ("text", "Text to second.")],
        {"second": "Second topic"}),
}


def u16(data, at):
    return struct.unpack_from("<H", data, at)[0]


def u32(data, at):
    return struct.unpack_from("<I", data, at)[0]


def internal_files(data):
    directory = u32(data, 4) + 9
    entries, at = {}, directory + 38 + 8
    for _ in range(u16(data, directory + 38 + 2)):
        end = data.index(b"\0", at)
        place = u32(data, end + 1)
        entries[data[at:end].decode()] = data[place + 9:place + 9 + u32(data, place + 4)]
        at = end + 5
    return entries


def leaf_entries(tree, parse):
    at, entries = 38 + 8, []
    for _ in range(u16(tree, 38 + 2)):
        entry, at = parse(tree, at)
        entries.append(entry)
    return entries


def packed(data, at, two_byte_unit):
    """A packed number: the low bit says whether it takes one unit or two."""
    size = two_byte_unit * (2 if data[at] & 1 else 1)
    return int.from_bytes(data[at:at + size], "little") >> 1, at + size


def paragraph(data1, data2):
    """Layout name and text of a paragraph record, jumps' hashes by text."""
    _, at = packed(data1, 0, 2)
    _, at = packed(data1, at, 1)
    flags, at = u16(data1, at + 4), at + 6
    layout = {0x0004: "heading", 0x0002: "text", 0x0012: "indented", 0x0252: "step"}[flags]
    for _ in range(bin(flags & 0x0056).count("1")):  # spacing and indents
        _, at = packed(data1, at, 1)
    if flags & 0x0200:
        stops, at = packed(data1, at, 1)
        for _ in range(stops - 0x40):  # a signed count
            _, at = packed(data1, at, 1)
    texts, commands, jumps = data2.split(b"\0"), data1[at:], {}
    text, n, pending = "", 0, None
    while commands:
        text += texts[n].decode("cp1252")
        if pending is not None:
            jumps[texts[n].decode()] = pending
            pending = None
        n, code = n + 1, commands[0]
        size = {0x80: 3, 0x83: 1, 0x82: 1, 0xFF: 1, 0xE3: 5, 0x89: 1}[code]
        if code == 0x83:
            text += "\t"
        if code == 0xE3:
            pending = struct.unpack_from("<i", commands, 1)[0]
        commands = commands[size:] if code != 0xFF else b""
    return (layout, text), jumps


def topics_by_offset(topic):
    data = b"".join(topic[b + 12:b + 4096] for b in range(0, len(topic), 4096))
    topics, position, block, characters = {}, 12, -1, 0
    while position != 0xFFFFFFFF:
        at = ((position - 12) >> 14) * 4084 + ((position - 12) & 0x3FFF)
        if (position - 12) >> 14 != block:
            block, characters = (position - 12) >> 14, 0
        size, length2, _, following, length1 = struct.unpack_from("<IIIII", data, at)
        data1, data2 = data[at + 21:at + length1], data[at + length1:at + size]
        if data[at + 20] == 2:
            current = topics.setdefault((block << 15) + characters,
                                        {"title": data2.decode(), "paragraphs": [], "jumps": {}})
        else:
            shown, jumps = paragraph(data1, data2)
            current["paragraphs"].append(shown)
            current["jumps"].update(jumps)
            characters += length2
        position = following
    return topics


class PageReader(html.parser.HTMLParser):
    """Sections of the page in their order: id, title, paragraphs as the
    help file's reader gives them ((layout, text), a step's em space read
    as the help file's tab) and links by text."""

    def __init__(self):
        super().__init__()
        self.sections, self.text, self.layout, self.link = [], None, None, None

    def handle_starttag(self, tag, attributes):
        attributes = dict(attributes)
        if tag == "section":
            self.sections.append({"id": attributes.get("id"), "title": None, "paragraphs": [],
                                  "links": {}})
        elif tag in ("h1", "p") and self.sections:
            self.text = ""
            self.layout = "heading" if tag == "h1" else attributes.get("class", "text")
        elif tag == "a":
            self.link = [attributes.get("href", ""), ""]

    def handle_endtag(self, tag):
        if tag in ("h1", "p") and self.text is not None:
            section = self.sections[-1]
            if tag == "h1":
                section["title"] = self.text
            section["paragraphs"].append((self.layout, self.text.replace("\u2003", "\t")))
            self.text = None
        elif tag == "a" and self.link:
            self.sections[-1]["links"][self.link[1]] = self.link[0]
            self.link = None

    def handle_data(self, data):
        if self.text is not None:
            self.text += data
        if self.link:
            self.link[1] += data


def read_page(data):
    reader = PageReader()
    reader.feed(data.decode("utf-8"))
    reader.close()
    return reader.sections


def check_page(sections, expect):
    """What every page must be: ids once each, every link to one of them."""
    ids = [s["id"] for s in sections]
    expect("ids named once", len(set(ids)) == len(ids), True)
    by_id = {s["id"]: s for s in sections}
    for section in sections:
        for text, href in section["links"].items():
            target = by_id.get(href[1:]) if href.startswith("#") else None
            expect(f"link {text!r} in {section['id']} ({href})", target is not None, True)
    return by_id


def compile_source(compiler, folder, name):
    source, output = os.path.join(folder, "test.hlpsrc"), os.path.join(folder, name)
    with open(source, "w") as f:
        f.write(SOURCE)
    subprocess.run([sys.executable, "-B", compiler, source, output], check=True)
    with open(output, "rb") as f, open(os.path.splitext(output)[0] + ".htm", "rb") as page:
        return f.read(), page.read()


def main(compiler, program_page):
    with tempfile.TemporaryDirectory() as folder:
        data, page = compile_source(compiler, folder, "a.hlp")
        again, page_again = compile_source(compiler, folder, "b.hlp")
    files = internal_files(data)
    topics = topics_by_offset(files["|TOPIC"])
    contexts = dict(leaf_entries(files["|CONTEXT"], lambda t, a: (
        struct.unpack_from("<iI", t, a), a + 8)))
    titles = dict(leaf_entries(files["|TTLBTREE"], lambda t, a: (
        (u32(t, a), t[a + 4:t.index(b"\0", a + 4)].decode()), t.index(b"\0", a + 4) + 1)))
    numbers = {u32(files["|CTXOMAP"], 2 + 8 * n): u32(files["|CTXOMAP"], 6 + 8 * n)
               for n in range(u16(files["|CTXOMAP"], 0))}
    failures = []

    def expect(what, actual, expected):
        if actual != expected:
            failures.append(f"{what}: {actual!r}, expected {expected!r}")

    expect("system title", files["|SYSTEM"][16:16 + len("Table Test")], b"Table Test")
    expect("contents topic", topics[u32(files["|SYSTEM"], 12 + 4 + len("Table Test\0") + 4)]
           ["title"], "First topic")
    expect("context numbers", sorted(numbers), sorted(TOPICS))
    last = numbers.get(5, 0)
    expect("last topic past the first block", last >> 15 > 0 and last & 0x7FFF > 0, True)
    for number, (title, paragraphs, jumps) in TOPICS.items():
        topic = topics.get(numbers.get(number), {"title": None, "paragraphs": [], "jumps": {}})
        expect(f"topic {number}", topic["title"], title)
        expect(f"title of topic {number}", titles.get(numbers.get(number)), title)
        if paragraphs:
            expect(f"paragraphs of topic {number}", topic["paragraphs"], paragraphs)
        for text, target in jumps.items():
            found = topics.get(contexts.get(topic["jumps"].get(text)), {}).get("title")
            expect(f"jump {text!r}", found, target)
    expect("second compile", again == data, True)

    sections = read_page(page)
    by_id = check_page(sections, expect)
    expect("page's first topic", sections[0]["id"] if sections else None, CONTEXTS[1])
    expect("page's topics", sorted(by_id), sorted(CONTEXTS.values()))
    for number, (title, paragraphs, jumps) in TOPICS.items():
        section = by_id.get(CONTEXTS[number], {"title": None, "paragraphs": [], "links": {}})
        expect(f"page topic {number}", section["title"], title)
        if paragraphs:
            expect(f"page paragraphs of topic {number}", section["paragraphs"], paragraphs)
        for text, target in jumps.items():
            found = by_id.get(section["links"].get(text, "#")[1:], {}).get("title")
            expect(f"page link {text!r}", found, target)
    expect("second compile of the page", page_again == page, True)

    with open(program_page, "rb") as f:
        sections = read_page(f.read())
    check_page(sections, expect)
    expect("program page's first topic", sections[0]["title"] if sections else None,
           "Using Vornaly Installer")
    print("\n".join(failures) or "All tables and the pages find their topics.")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))

"""The |TOPIC internal file, uncompressed: records (a topic header, then the
topic's paragraphs) laid one after another in 4 KB blocks that each start
with a 12-byte header. Two kinds of address point into it:

- a topic position (TOPICPOS) finds a record: its block times 0x4000, plus
  12, plus where it starts among the block's data;
- a topic offset (TOPICOFFSET), what contexts, context numbers, jumps and
  titles refer to: the block a record starts in times 0x8000, plus the text
  length of the paragraphs that start in that block before it.
"""
from dataclasses import dataclass

from binary import u32
from paragraphs import Record, paragraph_record
from source import Run, SourceError

BLOCK_SIZE = 4096
BLOCK_HEADER = 12
BLOCK_DATA = BLOCK_SIZE - BLOCK_HEADER
LINK_HEADER = 21
TOPIC_HEADER = 2
NONE = -1


@dataclass
class Placed:
    record: Record
    start: int = 0  # among the data of all blocks, headers left out
    position: int = 0  # TOPICPOS
    offset: int = 0  # TOPICOFFSET

    @property
    def size(self):
        return LINK_HEADER + len(self.record.data1) + len(self.record.data2)

    @property
    def block(self):
        return self.start // BLOCK_DATA


def topic_position(start):
    return (start // BLOCK_DATA) * 0x4000 + BLOCK_HEADER + start % BLOCK_DATA


def topic_header(fields, title=b""):
    return Record(TOPIC_HEADER, b"".join(u32(f) for f in fields), title)


def place(records):
    start, block, characters = 0, 0, 0
    placed = [Placed(r) for r in records]
    for p in placed:
        p.start, p.position = start, topic_position(start)
        if p.block != block:
            block, characters = p.block, 0
        p.offset = block * 0x8000 + characters
        if p.record.kind != TOPIC_HEADER:
            characters += len(p.record.data2)
        start += p.size
    return placed


def topic_records(topic):
    """The heading and the paragraphs; one too large for its record stops
    the build with the line it starts on."""
    records = []
    for line, kind, runs, number in [(topic.line, "heading", [Run(topic.title)], 0)] + [
            (p.line, p.kind, p.runs, p.number) for p in topic.paragraphs]:
        try:
            records.append(paragraph_record(kind, runs, number))
        except ValueError as error:
            raise SourceError(f"line {line}: topic {topic.context}: {error}") from None
    return records


def build_topics(topics):
    """Returns the |TOPIC bytes and each topic's offset, in source order."""
    # Fields are filled in once every record has its place; their size does
    # not change. The last header, of no topic, ends the last topic.
    blank = [0] * 7
    records, heads = [], []
    for topic in topics:
        heads.append(len(records))
        records.append(topic_header(blank, topic.title.encode("cp1252")))
        records += topic_records(topic)
    heads.append(len(records))
    records.append(topic_header(blank))
    placed = place(records)

    offsets = [placed[h].offset for h in heads[:-1]]
    for n, h in enumerate(heads):
        last = n == len(topics)
        following = heads[n + 1] if not last else len(records)
        size = sum(p.size for p in placed[h:following])
        browse_back = offsets[n - 1] if 0 < n and not last else NONE
        browse_on = offsets[n + 1] if n + 1 < len(topics) else NONE
        scroll = placed[h + 1].position if not last else NONE
        next_topic = placed[heads[n + 1]].position if not last else NONE
        fields = [size, browse_back, browse_on, n, NONE, scroll, next_topic]
        placed[h].record = topic_header(fields, placed[h].record.data2)
    return topic_file(placed), offsets


def topic_file(placed):
    data = bytearray()
    for n, p in enumerate(placed):
        previous = placed[n - 1].position if n else NONE
        following = placed[n + 1].position if n + 1 < len(placed) else NONE
        r = p.record
        data += u32(p.size) + u32(len(r.data2)) + u32(previous) + u32(following)
        data += u32(LINK_HEADER + len(r.data1)) + bytes([r.kind]) + r.data1 + r.data2
    # Whole blocks only: a reader may take every block at its full size.
    data += bytes(-len(data) % BLOCK_DATA)
    out = bytearray()
    for block in range(len(data) // BLOCK_DATA):
        begin = block * BLOCK_DATA
        before = [p for p in placed if p.start < begin]
        inside = [p for p in placed if p.block == block]
        headers = [p for p in before if p.record.kind == TOPIC_HEADER]
        out += u32(before[-1].position if before else NONE)
        out += u32(inside[0].position if inside else NONE)
        out += u32(headers[-1].position if headers else NONE)
        out += data[begin:begin + BLOCK_DATA]
    return bytes(out)

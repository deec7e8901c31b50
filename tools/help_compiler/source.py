"""Reads a help source (.hlpsrc): the help file's title, then topics, each a
heading line and paragraphs. The format is described in docs/help/README.md;
everything the writer needs comes out of here already checked, so that a
mistake in the text stops the build with its line number instead of giving a
help file whose jumps go nowhere."""
import re
from dataclasses import dataclass, field

from binary import context_hash

HEADING = re.compile(r"^== ([A-Za-z0-9_.]+) (\d+): (.+)$")
STEP = re.compile(r"^(\d+)\. (.*)$")
INLINE = re.compile(r"\*\*(.+?)\*\*|\[(.+?)\]\(([A-Za-z0-9_.]+)\)")


class SourceError(Exception):
    pass


@dataclass
class Run:
    """A stretch of paragraph text in one style; jump names a topic."""
    text: str
    bold: bool = False
    jump: str = ""


@dataclass
class Paragraph:
    kind: str  # "text", "step" or "indented"
    runs: list
    number: int = 0  # a step's number


@dataclass
class Topic:
    context: str
    number: int
    title: str
    line: int
    paragraphs: list = field(default_factory=list)


@dataclass
class HelpSource:
    title: str
    topics: list


def runs_of(text, line):
    runs, at = [], 0
    for match in INLINE.finditer(text):
        if match.start() > at:
            runs.append(Run(text[at:match.start()]))
        if match.group(1):
            runs.append(Run(match.group(1), bold=True))
        else:
            runs.append(Run(match.group(2), jump=match.group(3)))
        at = match.end()
    if at < len(text):
        runs.append(Run(text[at:]))
    for run in runs:
        if "**" in run.text or "](" in run.text:
            raise SourceError(f"line {line}: unclosed markup in {text!r}")
    return runs


def paragraphs_of(block, line):
    """One block of lines between blank lines: numbered steps (each step runs
    on over the lines that follow it), an indented paragraph, or text."""
    if STEP.match(block[0]):
        steps = []
        for text in block:
            match = STEP.match(text)
            if match:
                steps.append([int(match.group(1)), match.group(2)])
            else:
                steps[-1][1] += " " + text.strip()
        return [Paragraph("step", runs_of(t, line), n) for n, t in steps]
    kind = "indented" if block[0].startswith("    ") else "text"
    return [Paragraph(kind, runs_of(" ".join(t.strip() for t in block), line))]


def read_source(text):
    title, topics, block, block_line = "", [], [], 0

    def end_block():
        if block:
            if not topics:
                raise SourceError(f"line {block_line}: text before the first topic")
            topics[-1].paragraphs += paragraphs_of(block, block_line)
            block.clear()

    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.rstrip()
        if line.startswith("#"):
            continue
        heading = HEADING.match(line)
        if not topics and line.startswith("title: "):
            title = line[len("title: "):]
        elif heading:
            end_block()
            topics.append(Topic(heading.group(1), int(heading.group(2)), heading.group(3), number))
        elif not line:
            end_block()
        else:
            if not block:
                block_line = number
            block.append(line)
    end_block()
    check(title, topics)
    return HelpSource(title, topics)


def check(title, topics):
    if not title:
        raise SourceError("the source has no 'title:' line")
    if not topics:
        raise SourceError("the source has no topic")
    names, numbers, hashes = {}, {}, {}
    for topic in topics:
        key = topic.context.lower()  # the platform's help program ignores case
        if key in names:
            raise SourceError(f"line {topic.line}: topic {topic.context} is named twice")
        clash = hashes.get(context_hash(key))
        if clash:
            raise SourceError(f"line {topic.line}: the help file cannot tell topic "
                              f"{topic.context} from {clash.context}; rename one")
        if topic.number in numbers:
            raise SourceError(f"line {topic.line}: context number {topic.number} is used twice")
        names[key] = numbers[topic.number] = hashes[context_hash(key)] = topic
    for topic in topics:
        for paragraph in topic.paragraphs:
            for run in paragraph.runs:
                if run.jump and run.jump.lower() not in names:
                    raise SourceError(
                        f"topic {topic.context}: jump to {run.jump}, which is no topic")

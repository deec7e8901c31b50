"""Reads a help source (.hlpsrc): the help file's title, then topics, each a
heading line and paragraphs. The format is described in docs/help/README.md;
everything the writer needs comes out of here already checked, so that a
mistake in the text stops the build with its line number instead of giving a
help file whose jumps go nowhere."""
import re
from dataclasses import dataclass, field

from binary import context_hash

# Context numbers are 32-bit in the help file and in WinHelp's call.
LARGEST_CONTEXT_NUMBER = 0xFFFFFFFF
# Characters below the blank (and DEL) have no glyph; in a paragraph's text
# a NUL would end the string before the next command and move every later
# one, and a TAB is a command of its own.
CONTROL = re.compile(r"[\x00-\x1f\x7f]")
CONTROL_NAMES = {"\t": "TAB", "\0": "NUL"}
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
    line: int = 0  # where it starts in the source


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
        for at, text in enumerate(block, line):
            match = STEP.match(text)
            if match:
                steps.append([int(match.group(1)), match.group(2), at])
            else:
                steps[-1][1] += " " + text.strip()
        return [Paragraph("step", runs_of(t, at), n, at) for n, t, at in steps]
    kind = "indented" if block[0].startswith("    ") else "text"
    return [Paragraph(kind, runs_of(" ".join(t.strip() for t in block), line), line=line)]


def where(number, context):
    return f"line {number}: topic {context}" if context else f"line {number}"


def check_characters(text, number, context):
    control = CONTROL.search(text)
    if control:
        c = control.group()
        name = CONTROL_NAMES.get(c, f"control character {ord(c):#04x}")
        raise SourceError(f"{where(number, context)}: a {name} in the text; the help file "
                          "cannot hold control characters")
    try:
        text.encode("cp1252")
    except UnicodeEncodeError as error:
        raise SourceError(f"{where(number, context)}: {text[error.start]!r} is not a "
                          "Windows-1252 character") from None


def read_source(text):
    title, topics, block, block_line = "", [], [], 0

    def end_block():
        if block:
            if not topics:
                raise SourceError(f"line {block_line}: text before the first topic")
            topics[-1].paragraphs += paragraphs_of(block, block_line)
            block.clear()

    # Only line feeds end lines: splitlines() would also break at form feeds
    # and other control characters, which are refused instead.
    for number, raw in enumerate(text.split("\n"), 1):
        if raw.startswith("#"):
            continue
        line = raw.removesuffix("\r").rstrip(" ")
        heading = HEADING.match(line)
        context = heading.group(1) if heading else topics[-1].context if topics else ""
        check_characters(line, number, context)
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
        if topic.number > LARGEST_CONTEXT_NUMBER:
            raise SourceError(f"line {topic.line}: topic {topic.context}: context number "
                              f"{topic.number} is larger than {LARGEST_CONTEXT_NUMBER}")
        if topic.number in numbers:
            raise SourceError(f"line {topic.line}: context number {topic.number} is used twice")
        names[key] = numbers[topic.number] = hashes[context_hash(key)] = topic
    for topic in topics:
        for paragraph in topic.paragraphs:
            for run in paragraph.runs:
                if run.jump and run.jump.lower() not in names:
                    raise SourceError(f"line {paragraph.line}: topic {topic.context}: "
                                      f"jump to {run.jump}, which is no topic")

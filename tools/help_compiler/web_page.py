"""The same topics as one HTML page, Vornaly.htm, for the systems that have
no program for the help file: each topic a section whose id is its context
name, jumps as links to those ids. The contents topic comes first, so that
the page opened at its top shows it.

The same source gives the same bytes."""
from html import escape

STYLE = """body { font-family: Arial, sans-serif; font-size: 10pt; max-width: 48em; margin: 1em; }
h1 { font-size: 14pt; color: #000080; }
section { border-bottom: 1px solid #c0c0c0; padding-bottom: 1em; }
.step { padding-left: 2.5em; text-indent: -2.5em; }
.indented { padding-left: 2.5em; }"""


def runs_html(runs, anchors):
    out = []
    for run in runs:
        text = escape(run.text, quote=False)
        if run.bold:
            text = f"<b>{text}</b>"
        if run.jump:
            text = f'<a href="#{anchors[run.jump.lower()]}">{text}</a>'
        out.append(text)
    return "".join(out)


def paragraph_html(paragraph, anchors):
    text = runs_html(paragraph.runs, anchors)
    if paragraph.kind == "step":
        return f'<p class="step">{paragraph.number}.&emsp;{text}</p>'
    if paragraph.kind == "indented":
        return f'<p class="indented">{text}</p>'
    return f"<p>{text}</p>"


def web_page(source):
    """The page's bytes (UTF-8) for a read help source."""
    # Jumps ignore case, as the help program does; ids keep the source's.
    anchors = {t.context.lower(): t.context for t in source.topics}
    first = min(source.topics, key=lambda t: t.number)
    lines = ["<!DOCTYPE html>", '<html lang="en">', "<head>", '<meta charset="utf-8">',
             f"<title>{escape(source.title, quote=False)}</title>", f"<style>\n{STYLE}\n</style>", "</head>",
             "<body>"]
    for topic in [first] + [t for t in source.topics if t is not first]:
        lines.append(f'<section id="{topic.context}">')
        lines.append(f"<h1>{escape(topic.title, quote=False)}</h1>")
        lines += [paragraph_html(p, anchors) for p in topic.paragraphs]
        lines.append("</section>")
    lines += ["</body>", "</html>", ""]
    return "\n".join(lines).encode("utf-8")

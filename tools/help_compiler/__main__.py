"""Our help compiler: python3 tools/help_compiler SOURCE OUTPUT writes the
Windows Help file (.hlp) for a help source (.hlpsrc, see docs/help/README.md)
and, beside it under the same name with .htm, the same topics as one HTML
page for the systems that have no help program for it. No help compiler is
packaged for the build machines, so the build makes the program's help with
this one."""
import os
import sys

from help_file import help_file
from source import SourceError, read_source
from web_page import web_page


def main(arguments):
    if len(arguments) != 2:
        sys.exit("usage: help_compiler SOURCE OUTPUT")
    source_path, output_path = arguments
    try:
        with open(source_path, encoding="utf-8") as f:
            source = read_source(f.read())
        outputs = {output_path: help_file(source),
                   os.path.splitext(output_path)[0] + ".htm": web_page(source)}
    except (SourceError, ValueError) as error:
        sys.exit(f"{source_path}: {error}")
    for path, data in outputs.items():
        with open(path, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1:])

"""Our help compiler: python3 tools/help_compiler SOURCE OUTPUT writes the
Windows Help file (.hlp) for a help source (.hlpsrc, see docs/help/README.md).
No help compiler is packaged for the build machines, so the build makes the
program's help file with this one."""
import sys

from help_file import help_file
from source import SourceError, read_source


def main(arguments):
    if len(arguments) != 2:
        sys.exit("usage: help_compiler SOURCE OUTPUT")
    source_path, output_path = arguments
    try:
        with open(source_path, encoding="utf-8") as f:
            source = read_source(f.read())
        data = help_file(source)
    except (SourceError, ValueError, UnicodeEncodeError) as error:
        sys.exit(f"{source_path}: {error}")
    with open(output_path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv[1:])

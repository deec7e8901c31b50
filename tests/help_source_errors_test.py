"""Sources the help compiler must refuse, each with the message that names
its line and topic, and nothing written; run with python -O, which drops
assert statements, so that no check rests on one. The largest context
number still compiles.
Usage: help_source_errors_test.py COMPILER_DIR"""
import os
import subprocess
import sys
import tempfile

HEAD = "title: Errors\n\n== t 1: Topic\n"
TOO_LONG = "x" * 40000
TOO_MUCH_FORMATTING = "**b** " * 3000

# name: (source, the message after "SOURCE: ", or None for a source that compiles)
CASES = {
    "largest context number": ("title: Errors\n\n== t 4294967295: Topic\nText.\n", None),
    "context number of 2^32": (
        "title: Errors\n\n== t 4294967296: Topic\nText.\n",
        "line 3: topic t: context number 4294967296 is larger than 4294967295"),
    "TAB in the text": (HEAD + "A\ttab.\n",
                        "line 4: topic t: a TAB in the text; the help file cannot hold control "
                        "characters"),
    "NUL in the text": (HEAD + "One\n\nA\0NUL.\n",
                        "line 6: topic t: a NUL in the text; the help file cannot hold control "
                        "characters"),
    "form feed in a step": (HEAD + "1. One\n2. Two\f\n",
                            "line 5: topic t: a control character 0x0c in the text; the help file "
                            "cannot hold control characters"),
    "TAB in a heading": ("title: Errors\n\n== t 1: A\ttab\nText.\n",
                         "line 3: topic t: a TAB in the text; the help file cannot hold control "
                         "characters"),
    "NUL in the title": ("title: Err\0rs\n\n== t 1: Topic\nText.\n",
                         "line 1: a NUL in the text; the help file cannot hold control "
                         "characters"),
    "not Windows-1252": (HEAD + "An arrow \u2192.\n",
                         "line 4: topic t: '\u2192' is not a Windows-1252 character"),
    "paragraph text too long": (
        HEAD + "Short.\n\n" + TOO_LONG + "\n",
        "line 6: topic t: 40003 bytes of text in one paragraph, outside the 0 to 32767 the help "
        "file can hold"),
    "step text too long": (
        HEAD + "1. One\n2. " + TOO_LONG + "\n",
        "line 5: topic t: 40006 bytes of text in one paragraph, outside the 0 to 32767 the help "
        "file can hold"),
    "too much formatting": (
        HEAD + TOO_MUCH_FORMATTING + "\n",
        "line 4: topic t: 18012 bytes of formatting in one paragraph, outside the 0 to 16383 the "
        "help file can hold"),
    "jump to no topic": (HEAD + "Text.\n\nA [jump](nowhere).\n",
                         "line 6: topic t: jump to nowhere, which is no topic"),
}


def main(compiler):
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        for n, (name, (text, message)) in enumerate(CASES.items()):
            source = os.path.join(folder, f"{n}.hlpsrc")
            outputs = [os.path.join(folder, f"{n}.hlp"), os.path.join(folder, f"{n}.htm")]
            with open(source, "w", encoding="utf-8", newline="") as f:
                f.write(text)
            run = subprocess.run([sys.executable, "-O", "-B", compiler, source, outputs[0]],
                                 capture_output=True, text=True)
            written = [os.path.basename(p) for p in outputs if os.path.exists(p)]
            if message is None:
                if run.returncode != 0 or len(written) != 2:
                    failures.append(f"{name}: exit {run.returncode}, {run.stderr.strip()!r}, "
                                    f"wrote {written}")
                continue
            expected = f"{source}: {message}"
            if run.returncode != 1 or run.stderr.strip() != expected or written:
                failures.append(f"{name}: exit {run.returncode}, {run.stderr.strip()!r}, "
                                f"wrote {written}; expected {expected!r}")
    print("\n".join(failures) or f"All {len(CASES)} sources get their answers.")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

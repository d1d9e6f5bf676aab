#!/usr/bin/env python3
"""Rich text made by other programs keeps its formatting through umlo-cli.

The files are made here, from the committed manuscript, by pandoc and by
LibreOffice (from HTML, and from an ODT with a footnote). After a pass:
  - the bytes, with the mark groups and the added colour-table entries taken
    out and ё turned back into е, are the original bytes;
  - unrtf and LibreOffice read the same characters with the same formatting
    (italics, bold, fonts, paragraphs, the table and the picture), ё aside;
  - the words the dictionary settles came back with ё.

Usage: rtf_interop_test.py UMLO_CLI SOURCE_DIR.  Exit 77 when pandoc,
LibreOffice or unrtf is missing.
"""
import html.parser
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

EXPECTED_WORDS = ["ещё", "Берёзовая", "зелёный", "чёрный", "ёлка", "свёкла"]


def run(args, cwd=None):
    done = subprocess.run(args, cwd=cwd, capture_output=True, timeout=240)
    if done.returncode != 0:
        raise AssertionError(f"{args[0]} failed ({done.returncode}): {done.stderr.decode(errors='replace')}")
    return done.stdout


def to_e(text):
    return text.replace("ё", "е").replace("Ё", "Е")


# --- the bytes --------------------------------------------------------------

MARK_GROUP = re.compile(rb"\{\\cf\d+\\highlight\d+\\chcbpat\d+ ([^{}]*)\}")
COLOR_TABLE = re.compile(rb"\{\\colortbl([^{}]*)\}")
COLOR_ENTRY = rb"\\red\d+\\green\d+\\blue\d+;"


def letters_back_to_e(data):
    data = data.replace(rb"\'b8", rb"\'e5").replace(rb"\'a8", rb"\'c5")
    data = data.replace(rb"\'B8", rb"\'E5").replace(rb"\'A8", rb"\'C5")
    data = data.replace(rb"\u1105", rb"\u1077").replace(rb"\u1025", rb"\u1045")
    return data.replace(b"\xb8", b"\xe5").replace(b"\xa8", b"\xc5")


def unpatch(result, original):
    """The result with its marks undone, or an explanation of what else changed."""
    unmarked, marks = MARK_GROUP.subn(rb"\1", result)
    old_table = COLOR_TABLE.search(original)
    new_table = COLOR_TABLE.search(unmarked)
    if marks:
        if new_table is None:
            return None, "marks without a colour table"
        added = new_table.group(1)
        if old_table is not None:
            if not added.startswith(old_table.group(1)):
                return None, "the colour table's own entries changed"
            added = added[len(old_table.group(1)):]
            replacement = old_table.group(0)
        else:
            replacement = b""
        # Nothing is added when the table holds the mark colours already.
        if not re.fullmatch(rb"(" + COLOR_ENTRY + rb")*", added):
            return None, f"unexpected colour-table addition {added!r}"
        unmarked = unmarked[: new_table.start()] + replacement + unmarked[new_table.end():]
    return letters_back_to_e(unmarked), marks


# --- what independent readers see -------------------------------------------

# Formatting that the marks themselves add, and so is left out of comparisons.
COLOUR_ATTRS = {"color"}
COLOUR_STYLE = re.compile(r"(?:^|;)\s*(?:background(?:-color)?|color)\s*:[^;]*", re.I)


class FormattedChars(html.parser.HTMLParser):
    """Every character of an HTML page with the formatting tags around it."""

    VOID = {"br", "img", "hr", "meta", "col", "link", "input"}

    def __init__(self, ignored=()):
        super().__init__(convert_charrefs=True)
        self.ignored = set(ignored)
        self.stack = []
        self.chars = []  # (character, formatting)
        self.in_head = False

    def signature(self, tag, attrs):
        kept = []
        for name, value in attrs:
            if name in COLOUR_ATTRS or name in ("src", "name", "id", "href", "title"):
                continue
            if name == "style" and value:
                value = COLOUR_STYLE.sub("", value).strip("; ")
                if not value:
                    continue
            kept.append((name, value))
        if tag in ("font", "span") and not kept:
            return None  # a colour-only wrapper
        return (tag, tuple(kept))

    def handle_starttag(self, tag, attrs):
        if tag in self.ignored:
            return
        if tag in ("head", "title", "style"):
            self.in_head = True
        if tag in self.VOID:
            self.chars.append((f"<{tag}>", self.current()))
            return
        self.stack.append((tag, self.signature(tag, attrs)))

    def handle_endtag(self, tag):
        if tag in ("head", "title", "style"):
            self.in_head = False
        for i in range(len(self.stack) - 1, -1, -1):
            if self.stack[i][0] == tag:
                del self.stack[i]
                return

    def current(self):
        return tuple(sig for _, sig in self.stack if sig is not None)

    def handle_data(self, data):
        if self.in_head:
            return
        formatting = self.current()
        for ch in data:
            if ch.isspace():
                ch = " "
            self.chars.append((ch, formatting))

    def text(self):
        return "".join(ch for ch, _ in self.chars if len(ch) == 1)


def read_formatting(page, ignored=()):
    reader = FormattedChars(ignored)
    reader.feed(page)
    reader.close()
    # Runs of spaces and where readers break them are not formatting.
    squeezed = []
    for ch, formatting in reader.chars:
        if ch == " " and squeezed and squeezed[-1][0] == " ":
            continue
        squeezed.append((ch, formatting))
    return squeezed


def compare_readings(before, after, reader, failures, name):
    if len(before) != len(after):
        failures.append(f"{name}: {reader} reads {len(after)} characters, {len(before)} before")
        return
    for at, ((old_ch, old_fmt), (new_ch, new_fmt)) in enumerate(zip(before, after)):
        if to_e(new_ch) != old_ch:
            failures.append(f"{name}: {reader} character {at}: {old_ch!r} became {new_ch!r}")
            return
        if old_fmt != new_fmt:
            failures.append(f"{name}: {reader} formatting of {old_ch!r} at {at}: {old_fmt} became {new_fmt}")
            return


def unrtf_reading(path, workdir):
    page = run(["unrtf", "--html", str(path)], cwd=workdir).decode("utf-8", errors="replace")
    # unrtf puts the first word of a table row before the row's own tags, and
    # where it flushes depends on the groups around it: its table tags say
    # nothing about the file (LibreOffice checks the table).
    return read_formatting(page, ignored=("tr", "td", "th"))


def libreoffice(path, target, outdir):
    """LibreOffice's conversion of path ("html" or "txt"), as text."""
    filt = {"html": "html:HTML (StarWriter)", "txt": "txt:Text (encoded):UTF8"}[target]
    run(["soffice", "--headless", "--convert-to", filt, "--outdir", str(outdir), str(path)])
    return (outdir / (path.stem + "." + target)).read_text(encoding="utf-8", errors="replace")


# --- the fixtures -----------------------------------------------------------

def make_fixtures(source, work):
    for name in ("manuscript.md", "manuscript.html", "picture.png"):
        shutil.copy(source / name, work / name)
    made = {}
    run(["pandoc", "-s", "manuscript.md", "-o", "pandoc.rtf"], cwd=work)
    made["pandoc"] = work / "pandoc.rtf"
    lo = work / "lo"
    lo.mkdir()
    run(["soffice", "--headless", "--infilter=HTML (StarWriter)", "--convert-to",
         "rtf:Rich Text Format", "--outdir", str(lo), "manuscript.html"], cwd=work)
    made["libreoffice-html"] = lo / "manuscript.rtf"
    run(["pandoc", "manuscript.md", "-o", "footnoted.odt"], cwd=work)
    run(["soffice", "--headless", "--convert-to", "rtf:Rich Text Format", "--outdir", str(lo),
         "footnoted.odt"], cwd=work)
    made["libreoffice-odt"] = lo / "footnoted.rtf"
    return made


def check(umlo_cli, name, original_path, work, failures):
    original = original_path.read_bytes()
    case = work / name
    case.mkdir()
    result_path = case / "result.rtf"
    result_path.write_bytes(original)
    # Empty settings: the result must not depend on an umlo.ini beside the program.
    settings = case / "umlo.ini"
    settings.write_bytes(b"")
    done = subprocess.run([umlo_cli, "restore", "--settings", str(settings), "--in-place",
                           str(result_path)],
                          capture_output=True, timeout=120)
    if done.returncode != 0:
        failures.append(f"{name}: umlo-cli rc {done.returncode}: {done.stderr.decode(errors='replace')}")
        return
    result = result_path.read_bytes()
    if result == original:
        failures.append(f"{name}: nothing was changed")
        return

    back, marks = unpatch(result, original)
    if back is None:
        failures.append(f"{name}: {marks}")
    elif back != letters_back_to_e(original):
        at = next((i for i, (a, b) in enumerate(zip(back, original)) if a != b),
                  min(len(back), len(original)))
        failures.append(f"{name}: bytes other than letters changed near {at}: "
                        f"{original[max(0, at - 40):at + 40]!r} / {back[max(0, at - 40):at + 40]!r}")
    elif marks == 0:
        failures.append(f"{name}: no changed letter was marked")

    before_dir, after_dir = case / "before", case / "after"
    before_dir.mkdir()
    after_dir.mkdir()
    before_copy = before_dir / "text.rtf"
    before_copy.write_bytes(original)
    after_copy = after_dir / "text.rtf"
    after_copy.write_bytes(result)

    compare_readings(unrtf_reading(before_copy, before_dir), unrtf_reading(after_copy, after_dir),
                     "unrtf", failures, name)
    compare_readings(read_formatting(libreoffice(before_copy, "html", before_dir)),
                     read_formatting(libreoffice(after_copy, "html", after_dir)),
                     "LibreOffice", failures, name)

    text = libreoffice(after_copy, "txt", after_dir)
    for word in EXPECTED_WORDS:
        if word not in text:
            failures.append(f"{name}: LibreOffice does not read {word!r} in the result")
    if to_e(text) != libreoffice(before_copy, "txt", before_dir):
        failures.append(f"{name}: LibreOffice reads a different text, ё aside")


def main():
    umlo_cli, source = sys.argv[1], pathlib.Path(sys.argv[2])
    for tool in ("pandoc", "soffice", "unrtf"):
        if shutil.which(tool) is None:
            print(f"{tool} is not installed")
            return 77
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        work = pathlib.Path(tmp)
        # LibreOffice keeps its profile here, not in the user's home.
        (work / "home").mkdir()
        os.environ["HOME"] = str(work / "home")
        for name, path in make_fixtures(source, work).items():
            check(umlo_cli, name, path, work, failures)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

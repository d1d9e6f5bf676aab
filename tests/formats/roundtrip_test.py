#!/usr/bin/env python3
"""Documents that pandoc and LibreOffice make from the committed manuscript
(DOCX, ODT, EPUB from both; FB2 and FB2 in a zip from pandoc) go through `umlo-cli restore`; the same
tools then read the results back. Checks: the text reads back as the
manuscript's text with exactly the expected е→ё words changed; every zip entry
but the changed XML parts is stored byte for byte as before (same order, same
method); a changed XML part differs only where an е became ё; `umlo-cli info`
names the format; damaged documents are refused without writing anything.

Usage: roundtrip_test.py UMLO_CLI MANUSCRIPT_DIR. Exits 77 (skipped) when
pandoc is missing; LibreOffice's part is left out when it is missing.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile

CLI = os.path.abspath(sys.argv[1])
SOURCE = os.path.abspath(sys.argv[2])
failures = []

# The dictionary of this test: the manuscript's ё-words, nothing else, so
# the expected result does not depend on the bundled dictionary.
WORDS = ["берёзовая", "ёжик", "ёлка", "зелёный", "идёт", "ещё", "мёд", "пришёл", "свёкла",
         "чёрный"]
PLAIN = {w.replace("ё", "е"): w for w in WORDS}


def fail(message):
    failures.append(message)
    print("FAIL:", message)


def run(args, **kw):
    return subprocess.run(args, capture_output=True, timeout=300, **kw)


def expected_text(text):
    """The text with every dictionary word written with ё, case kept."""
    def change(m):
        word = m.group(0)
        yo = PLAIN.get(word.lower())
        if yo is None:
            return word
        return "".join(y.upper() if c.isupper() else y for c, y in zip(word, yo))
    return re.sub(r"[А-Яа-яЁё]+", change, text)


def letter_diff(before, after):
    """letter_diff that also accepts a difference found at a letter's second byte."""
    if len(before) != len(after):
        return None
    changes = 0
    i = 0
    while i < len(before):
        if before[i] == after[i]:
            i += 1
            continue
        start = i - 1 if i > 0 and before[i - 1] == 0xD0 and after[i - 1] == 0xD0 else i
        pair = (before[start:start + 2], after[start:start + 2])
        if pair not in (("е".encode(), "ё".encode()), ("Е".encode(), "Ё".encode())):
            return None
        changes += 1
        i = start + 2
    return changes


def raw_entries(path):
    """Each entry's name, method and stored bytes, in the archive's order."""
    out = []
    with zipfile.ZipFile(path) as z, open(path, "rb") as f:
        for info in z.infolist():
            f.seek(info.header_offset)
            header = f.read(30)
            name_len, extra_len = struct.unpack("<HH", header[26:30])
            f.seek(info.header_offset + 30 + name_len + extra_len)
            out.append((info.filename, info.compress_type, f.read(info.compress_size),
                        z.read(info.filename)))
    return out


def check_package(name, before, after):
    old = raw_entries(before)
    new = raw_entries(after)
    if [e[0] for e in old] != [e[0] for e in new]:
        fail(f"{name}: entries or their order changed")
        return
    changed = 0
    for (n, method, raw, data), (_, method2, raw2, data2) in zip(old, new):
        if method != method2:
            fail(f"{name}: {n} packed differently")
        if data == data2:
            if raw != raw2:
                fail(f"{name}: unchanged {n} was repacked")
            continue
        letters = letter_diff(data, data2)
        if letters is None:
            fail(f"{name}: {n} changed in more than е→ё letters")
        else:
            changed += letters
    if changed == 0:
        fail(f"{name}: no letter changed in the package")
    if name.endswith(".epub") and (new[0][0] != "mimetype" or new[0][1] != zipfile.ZIP_STORED):
        fail(f"{name}: mimetype is not the first stored entry")


def pandoc_text(path, fmt=None):
    args = ["pandoc", "-t", "plain", "--wrap=none", path]
    if fmt:
        args[1:1] = ["-f", fmt]
    r = run(args)
    if r.returncode != 0:
        fail(f"pandoc cannot read {path}: {r.stderr.decode(errors='replace')}")
        return ""
    return r.stdout.decode()


def cp1251_as_utf8(path):
    """pandoc reads UTF-8 only: the same book re-encoded."""
    with open(path, "rb") as f:
        xml = f.read().decode("cp1251")
    copy = path + ".utf8.fb2"
    with open(copy, "w", encoding="utf-8") as f:
        f.write(xml.replace('encoding="windows-1251"', 'encoding="UTF-8"', 1))
    return copy


def office_text(path, work):
    out = os.path.join(work, "office-out")
    os.makedirs(out, exist_ok=True)
    r = run(["soffice", f"-env:UserInstallation=file://{work}/lo-profile", "--headless",
             "--convert-to", "txt:Text (encoded):UTF8", "--outdir", out, path])
    txt = os.path.join(out, os.path.splitext(os.path.basename(path))[0] + ".txt")
    if r.returncode != 0 or not os.path.exists(txt):
        fail(f"LibreOffice cannot read {path}: {r.stderr.decode(errors='replace')}")
        return ""
    with open(txt, encoding="utf-8-sig") as f:
        text = f.read()
    os.remove(txt)
    return text


def restore(src, dst, work):
    r = run([CLI, "restore", "-d", os.path.join(work, "dic.dat"), "--no-regexprs", src, "-o",
             dst])
    if r.returncode != 0:
        fail(f"umlo-cli restore {os.path.basename(src)}: {r.stderr.decode(errors='replace')}")
        return False
    return True


def check_readback(name, reader, before, after):
    text_before = reader(before)
    text_after = reader(after)
    if not text_before.strip():
        fail(f"{name}: the reader found no text")
        return
    want = expected_text(text_before)
    if want == text_before:
        fail(f"{name}: the manuscript has none of the test's words")
    if text_after != want:
        fail(f"{name}: read back as\n{text_after}\ninstead of\n{want}")


def make_fixtures(work, office):
    md = os.path.join(work, "manuscript.md")
    made = {}
    for fmt in ["docx", "odt", "epub", "fb2"]:
        out = os.path.join(work, f"pandoc.{fmt}")
        r = run(["pandoc", md, "-o", out], cwd=work)
        if r.returncode == 0:
            made[out] = "pandoc"
        else:
            fail(f"pandoc -t {fmt}: {r.stderr.decode(errors='replace')}")
    # A FictionBook in windows-1251, and one in a zip.
    fb2 = os.path.join(work, "pandoc.fb2")
    if fb2 in made:
        with open(fb2, encoding="utf-8") as f:
            xml = f.read()
        cp = os.path.join(work, "cp1251.fb2")
        with open(cp, "wb") as f:
            f.write(xml.replace('encoding="UTF-8"', 'encoding="windows-1251"', 1)
                    .encode("cp1251", errors="xmlcharrefreplace"))
        made[cp] = "pandoc"
        zipped = os.path.join(work, "zipped.fb2.zip")
        with zipfile.ZipFile(zipped, "w", zipfile.ZIP_DEFLATED) as z:
            z.write(fb2, "book.fb2")
        made[zipped] = "pandoc"
    if office:
        html = os.path.join(work, "manuscript.html")
        for fmt in ["docx", "odt", "epub"]:
            out = os.path.join(work, "office")
            # Imported into Writer, not Writer/Web, which exports no DOCX.
            r = run(["soffice", f"-env:UserInstallation=file://{work}/lo-profile", "--headless",
                     "--infilter=HTML (StarWriter)", "--convert-to", fmt, "--outdir", out, html],
                    cwd=work)
            path = os.path.join(out, f"manuscript.{fmt}")
            if r.returncode == 0 and os.path.exists(path):
                final = os.path.join(work, f"office.{fmt}")
                shutil.move(path, final)
                made[final] = "office"
            else:
                fail(f"soffice --convert-to {fmt}: {r.stderr.decode(errors='replace')}")
    return made


def check_bad_inputs(work, docx):
    """Damaged documents: a clear message naming the file, nothing written."""
    with open(docx, "rb") as f:
        data = f.read()
    cases = {
        "cut.docx": data[: len(data) // 2],
        "notxml.fb2": '<?xml version="1.0"?><FictionBook><body><p>еще</body>'.encode(),
    }
    with zipfile.ZipFile(os.path.join(work, "drm.epub"), "w") as z:
        z.writestr("mimetype", "application/epub+zip")
        z.writestr("META-INF/container.xml", "<container/>")
        z.writestr("META-INF/encryption.xml",
                   "<encryption xmlns:enc='http://www.w3.org/2001/04/xmlenc#'><enc:EncryptedData>"
                   "<enc:EncryptionMethod Algorithm='http://www.w3.org/2001/04/xmlenc#aes128-cbc'/>"
                   "</enc:EncryptedData></encryption>")
    # 300 MB of spaces pack into about 300 KB.
    with zipfile.ZipFile(os.path.join(work, "bomb.docx"), "w", zipfile.ZIP_DEFLATED) as z:
        with z.open("word/document.xml", "w", force_zip64=True) as part:
            part.write(b"<w:document>")
            for _ in range(300):
                part.write(b" " * (1 << 20))
            part.write(b"</w:document>")
    with zipfile.ZipFile(os.path.join(work, "nopart.odt"), "w") as z:
        z.writestr("mimetype", "application/vnd.oasis.opendocument.text")
    for name, data in cases.items():
        with open(os.path.join(work, name), "wb") as f:
            f.write(data)
    reasons = {"cut.docx": "ZIP", "notxml.fb2": "XML повреждён", "drm.epub": "зашифрована",
               "bomb.docx": "МБ", "nopart.odt": "content.xml"}
    for name, reason in reasons.items():
        src = os.path.join(work, name)
        out = os.path.join(work, "bad-" + name)
        r = run([CLI, "restore", "-d", os.path.join(work, "dic.dat"), "--no-regexprs", src, "-o",
                 out])
        err = r.stderr.decode(errors="replace")
        if r.returncode != 1 or src not in err or os.path.exists(out):
            fail(f"{name}: exit {r.returncode}, message {err!r}, written {os.path.exists(out)}")
        elif not re.search("[А-Яа-я]", err) or reason not in err:
            fail(f"{name}: the message does not say why in Russian: {err!r}")


def main():
    if shutil.which("pandoc") is None:
        print("pandoc is missing")
        return 77
    office = shutil.which("soffice") is not None
    work = tempfile.mkdtemp(prefix="umlo-formats-")
    try:
        for f in os.listdir(SOURCE):
            shutil.copy(os.path.join(SOURCE, f), work)
        with open(os.path.join(work, "dic.dat"), "wb") as f:
            f.write(("# Версия: 1\n" + "\n".join(sorted(WORDS, key=lambda w: w.replace("ё", "е")))
                     + "\n").encode("cp1251"))
        made = make_fixtures(work, office)
        for src, maker in sorted(made.items()):
            name = os.path.basename(src)
            dst = os.path.join(work, "out-" + name)
            if not restore(src, dst, work):
                continue
            if zipfile.is_zipfile(src):
                check_package(name, src, dst)
            else:
                with open(src, "rb") as a, open(dst, "rb") as b:
                    before, after = a.read(), b.read()
                if name.startswith("cp1251"):
                    before = before.decode("cp1251").encode()
                    after = after.decode("cp1251").encode()
                if not letter_diff(before, after):
                    fail(f"{name}: changed in more than е→ё letters, or not at all")
            fmt = "fb2" if ".fb2" in name else None
            if name.endswith(".fb2.zip"):
                # pandoc reads the book, not the zip.
                with zipfile.ZipFile(dst) as z:
                    out_fb2 = os.path.join(work, "unzipped-out.fb2")
                    with open(out_fb2, "wb") as f:
                        f.write(z.read("book.fb2"))
                check_readback(name, lambda p: pandoc_text(p, "fb2"),
                               os.path.join(work, "pandoc.fb2"), out_fb2)
            elif name.startswith("cp1251"):
                check_readback(name, lambda p: pandoc_text(cp1251_as_utf8(p), "fb2"), src, dst)
            else:
                check_readback(name, lambda p: pandoc_text(p, fmt), src, dst)
            if office and name.endswith((".docx", ".odt")):
                check_readback(name + " (LibreOffice)", lambda p: office_text(p, work), src, dst)
            print(f"checked {name} (made by {maker})")
            info = run([CLI, "info", dst]).stdout.decode()
            kind = {"docx": "DOCX", "odt": "ODT", "epub": "EPUB", "fb2": "FictionBook",
                    "zip": "FictionBook ZIP"}[name.rsplit(".", 1)[1]]
            if f", {kind}\n" not in info:
                fail(f"{name}: umlo-cli info gives\n{info}")
        if os.path.join(work, "pandoc.docx") in made:
            check_bad_inputs(work, os.path.join(work, "pandoc.docx"))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env bash
# umlo-cli restore (open, pass, save) on a 500-page novel, about 1 MB of text,
# as plain UTF-8 and as DOCX, FB2 and EPUB made from it by pandoc: farm-bench
# prints each document's time and its ratio to the plain text's.
# Then the same files in the main window (build/bin/window_documents_bench):
# open, pass, save.
#   bench/documents_bench.sh [build/bin/umlo-cli] [TEXT]
# TEXT (UTF-8, written with ё) defaults to /work/shared/corpus/tolstoy-ispoved.txt,
# or UMLO_BENCH_TEXT; it is typed with е and repeated to 1,000,000 characters.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cli=$(realpath "${1:-$here/build/bin/umlo-cli}")
source=${2:-${UMLO_BENCH_TEXT:-/work/shared/corpus/tolstoy-ispoved.txt}}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

python3 - "$source" <<'PY'
import sys
src = open(sys.argv[1], encoding="utf-8").read().replace("ё", "е").replace("Ё", "Е")
paragraphs = [" ".join(p.split()) for p in src.split("\n") if p.strip()]
out, n = [], 0
while n < 1_000_000:
    for p in paragraphs:
        out.append(p)
        n += len(p) + 1
        if n >= 1_000_000:
            break
# Markdown for pandoc: paragraphs apart, nothing it would take for markup.
open("novel.md", "w", encoding="utf-8").write(
    "\n\n".join(p.replace("*", "").replace("_", "").replace("#", "")
                .replace("\\", "").replace("[", "(").replace("]", ")") for p in out) + "\n")
PY
pandoc novel.md -t plain --wrap=none -o novel.txt
for f in docx fb2 epub; do
    pandoc novel.md -o "novel.$f"
done
echo "text: $(wc -m <novel.txt) characters; files: $(ls -l novel.txt novel.docx novel.fb2 novel.epub | awk '{printf "%s %s  ", $9, $5}')"

for f in docx fb2 epub; do
    echo "== $f against plain UTF-8"
    farm-bench -n 5 --timeout 600 --vs "$cli restore novel.txt -o out.txt" -- \
        "$cli" restore "novel.$f" -o "out.$f"
done

window=$(dirname "$cli")/window_documents_bench
if [ -x "$window" ]; then
    echo "== the main window (offscreen): open, pass, save"
    UMLO_BENCH_DOCUMENTS="$work" "$window" --benchmark_min_time=2 2>&1 | grep -v "^This plugin"
fi

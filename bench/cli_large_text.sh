#!/usr/bin/env bash
# umlo-cli on a 50 MB cp1251 text: the peak memory of "restore" in bytes per
# character, and the time of "info" against iconv reading the same file.
#   bench/cli_large_text.sh [build/bin/umlo-cli]
# The text is UMLO_BENCH_TEXT (UTF-8, written with ё) or the check texts of
# the repository, with ё typed as е, repeated to 50,000,000 characters.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$here/build/bin/umlo-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chars=50000000

python3 - "$work/text.txt" "$chars" "${UMLO_BENCH_TEXT:-}" "$here/tests/data" <<'PY'
import glob, sys
out, n, named, data = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
files = [named] if named else sorted(glob.glob(data + "/quality_check_text*.txt"))
src = "".join(open(f, encoding="utf-8").read() for f in files)
src = src.replace("ё", "е").replace("Ё", "Е").replace("\n", "\r\n")
text = (src * (n // len(src) + 1))[:n]
open(out, "w", encoding="cp1251", newline="").write(text)
PY

# Peak resident memory (KiB) and wall seconds of a command.
measure() {
    /usr/bin/time -f "%M %e" -o "$work/time" "$@" >/dev/null 2>"$work/err" || {
        cat "$work/err" >&2
        exit 1
    }
    cat "$work/time"
}

read -r kib seconds < <(measure "$cli" restore "$work/text.txt" -o "$work/out.txt")
echo "restore: $seconds s, peak $((kib / 1024)) MiB, $(python3 -c "print(f'{$kib * 1024 / $chars:.2f}')") bytes per character"
best() { # the fastest of three runs
    local min=""
    for _ in 1 2 3; do
        read -r _ s < <(measure "$@")
        if [ -z "$min" ] || python3 -c "import sys; sys.exit(0 if $s < $min else 1)"; then min=$s; fi
    done
    echo "$min"
}
info=$(best "$cli" info "$work/text.txt")
iconv=$(best iconv -f cp1251 -t utf-8 "$work/text.txt")
read -r kib _ < <(measure "$cli" info "$work/text.txt")
echo "info: $info s, peak $((kib / 1024)) MiB; iconv: $iconv s; info / iconv: $(python3 -c "print(f'{$info / max($iconv, 0.01):.2f}')")"

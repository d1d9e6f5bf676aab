#!/usr/bin/env bash
# Runs the built umlo-cli on small files: encodings, line ends, answers, bad
# input, bundled dictionaries and the self-test. Usage: cli_end_to_end.sh UMLO_CLI
set -uo pipefail

umlo_cli="$1"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
own_settings="$(mktemp -d)"
trap 'rm -rf "$work" "$own_settings"' EXIT
cd "$work"
# The checks bring their own (empty) settings: an umlo.ini left beside the
# built program by a run of the window must not change what they see.
: >"$own_settings/umlo.ini"
run_cli() {
    if [ "${1:-}" = restore ]; then
        shift
        "$umlo_cli" restore --settings "$own_settings/umlo.ini" "$@"
    else
        "$umlo_cli" "$@"
    fi
}
cli=run_cli
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# expect_file NAME EXPECTED-BYTES (printf format)
expect_file() {
    local want
    want="$(printf "$2" | od -An -tx1)"
    local got
    got="$(od -An -tx1 <"$1")"
    [ "$want" = "$got" ] || fail "$1: expected $(printf "$2" | od -c | head -3), got $(od -c <"$1" | head -3)"
}
expect_exit() { # expect_exit CODE COMMAND...
    local want="$1"
    shift
    "$@" >out.log 2>err.log
    local got=$?
    [ "$got" = "$want" ] || fail "exit $got instead of $want: $* ($(cat err.log))"
}

printf '# Версия: 1\nАлёша\nвсё?\nещё\nлёт?\nмёд\nчём?\n' | iconv -f UTF-8 -t CP1251 >dic.dat
printf 'о чём\n\\d+ лет\n' | iconv -f UTF-8 -t CP1251 >re.dat
dicts=(-d dic.dat -r re.dat)

# UTF-8 without signature, LF: only the changed letters differ.
printf 'Еще все о чем,\nмед 5 лет\n' >utf8.txt
expect_exit 0 "$cli" restore "${dicts[@]}" utf8.txt -o utf8.out
expect_file utf8.out 'Ещё все о чём,\nмёд 5 лет\n'
grep -Eq '^[0-9]+=[0-9]+\+[0-9]+  A:[0-9]+=[0-9]+\+[0-9]+  RE:.*  S:[0-9]+$' out.log ||
    fail "summary line: $(cat out.log)"

# UTF-8 with signature and CR LF, in place; a doubtful word answered Ё.
printf '\xef\xbb\xbfвсе еще\r\nАлеша\r\n' >bom.txt
expect_exit 0 "$cli" restore "${dicts[@]}" --answer diaeresis --in-place bom.txt
expect_file bom.txt '\xef\xbb\xbfвсё ещё\r\nАлёша\r\n'

# cp1251 with CR line ends stays cp1251 with CR.
printf 'еще\rмед\r' | iconv -f UTF-8 -t CP1251 >cp.txt
printf 'ещё\rмёд\r' | iconv -f UTF-8 -t CP1251 >cp.want
expect_exit 0 "$cli" restore "${dicts[@]}" cp.txt -o cp.out
cmp -s cp.out cp.want || fail "cp1251 file: $(od -c cp.out | head -2)"

# UTF-16 little-endian without a signature and big-endian with one keep their bytes.
printf 'еще\r\nмед' | iconv -f UTF-8 -t UTF-16LE >le.txt
printf 'ещё\r\nмёд' | iconv -f UTF-8 -t UTF-16LE >le.want
expect_exit 0 "$cli" restore "${dicts[@]}" le.txt -o le.out
cmp -s le.out le.want || fail "UTF-16LE file: $(od -c le.out | head -2)"
{ printf '\xfe\xff'; printf 'еще\n' | iconv -f UTF-8 -t UTF-16BE; } >be.txt
{ printf '\xfe\xff'; printf 'ещё\n' | iconv -f UTF-8 -t UTF-16BE; } >be.want
expect_exit 0 "$cli" restore "${dicts[@]}" --in-place be.txt
cmp -s be.txt be.want || fail "UTF-16BE file: $(od -c be.txt | head -2)"

# Rich text: the author's colour stays, the changed letter is marked.
printf '{\\rtf1\\ansi\\ansicpg1251{\\colortbl;\\red255\\green0\\blue0;}{\\cf1 \\'"'"'e5\\'"'"'f9\\'"'"'e5}\\par}' >red.rtf
expect_exit 0 "$cli" restore "${dicts[@]}" red.rtf -o red.out.rtf
grep -q 'red255' red.out.rtf || fail "colour table lost: $(cat red.out.rtf)"
grep -qF "\\'b8" red.out.rtf || fail "ё not written: $(cat red.out.rtf)"
expect_exit 0 "$cli" info red.out.rtf
expect_file out.log "Имя файла\t$PWD/red.out.rtf\nФормат файла\tANSI, rich text\nДлина файла в байтах\t$(stat -c %s red.out.rtf)\nДлина текста в символах\t3\nЧисло символов кириллицы\t3\nЧисло е\t1\nЧисло ё\t1\nСтепень ёфикации\t1500%% (возможно, ёфицировано)\n"
printf '{\\rtf1 {\\b \\'"'"'e5\\'"'"'f9\\'"'"'e5' >cut.rtf
cp cut.rtf cut.before
expect_exit 1 "$cli" restore "${dicts[@]}" --in-place cut.rtf
cmp -s cut.rtf cut.before || fail "truncated rich text was changed"
grep -q 'cut.rtf' err.log || fail "no message naming cut.rtf: $(cat err.log)"
expect_exit 1 "$cli" info missing.txt
[ -s out.log ] && fail "info printed rows for a missing file: $(cat out.log)"
grep -q 'missing.txt' err.log || fail "info: no message naming missing.txt"

# Interactive answers from a pipe, with the report.
printf 'все\nвсе\n' >ask.txt
printf '2\n1\n' | "$cli" restore "${dicts[@]}" --interactive --report ask.tsv ask.txt -o ask.out \
    >out.log 2>err.log || fail "interactive run: $(cat err.log)"
expect_file ask.out 'всё\nвсе\n'
expect_file ask.tsv '1\t1\tвсе\tвсе\tвсё\tВыберите верный вариант\tЁ\n2\t1\tвсе\tвсе\tвсё\tВыберите верный вариант\tЕ\n'

# Ctrl+C while a question waits on the terminal: exit 130, nothing written.
if command -v python3 >/dev/null; then
    python3 "$here/press_ctrl_c.py" "$umlo_cli" restore --settings "$own_settings/umlo.ini" "${dicts[@]}" --interactive ask.txt -o ctrlc.out \
        >out.log 2>&1
    code=$?
    [ "$code" = 130 ] || fail "Ctrl+C on a question: exit $code ($(cat out.log))"
    [ -e ctrlc.out ] && fail "output written after Ctrl+C"
fi

# The statistics file.
expect_exit 0 "$cli" restore "${dicts[@]}" utf8.txt -o utf8.out --stats stat.log
grep -q '^===' stat.log || fail "statistics file has no ===: $(cat stat.log)"

# Bad input: a message, a non-zero exit, no output written or changed.
printf 'еще\n' >keep.txt
expect_exit 1 "$cli" restore "${dicts[@]}" missing.txt -o bad.out
[ -e bad.out ] && fail "output written for a missing input"
grep -q 'missing.txt' err.log || fail "no message naming missing.txt: $(cat err.log)"
mkdir folder
expect_exit 1 "$cli" restore "${dicts[@]}" folder -o bad.out
[ -e bad.out ] && fail "output written for a folder"
printf 'abc\0def' >binary.dat
expect_exit 1 "$cli" restore "${dicts[@]}" --in-place keep.txt binary.dat
expect_file keep.txt 'еще\n'
[ -s err.log ] || fail "no message for a binary file"
expect_exit 2 "$cli" restore --bogus keep.txt --in-place
grep -q -- '--bogus' err.log || fail "unknown option not named: $(cat err.log)"
expect_exit 2 "$cli" frobnicate
expect_exit 1 "$cli" restore "${dicts[@]}" keep.txt -o no/such/dir/out.txt
expect_file keep.txt 'еще\n'
leftovers="$(find . -name '*.umlo-*')"
[ -z "$leftovers" ] || fail "temporary files left: $leftovers"

# Streams and files that are not regular: a pipe in, standard output out, and
# devices and FIFOs written in place.
printf 'еще мед\n' >pipe.txt
out="$(cat pipe.txt | "$cli" restore "${dicts[@]}" - -o - 2>err.log)" || fail "pipe: $(cat err.log)"
[ "$out" = 'ещё мёд' ] || fail "restore - -o -: '$out'"
grep -Eq '^[0-9]+=' err.log || fail "the summary belongs on stderr with -o -: $(cat err.log)"
cat pipe.txt | "$cli" restore "${dicts[@]}" /dev/stdin -o stdin.out >/dev/null 2>err.log ||
    fail "/dev/stdin: $(cat err.log)"
expect_file stdin.out 'ещё мёд\n'
"$cli" restore "${dicts[@]}" <(cat pipe.txt) -o subst.out >/dev/null 2>err.log ||
    fail "process substitution: $(cat err.log)"
expect_file subst.out 'ещё мёд\n'
[ "$("$cli" restore "${dicts[@]}" pipe.txt -o /dev/stdout 2>/dev/null)" = 'ещё мёд' ] ||
    fail "-o /dev/stdout"
[ -L /dev/stdout ] || fail "/dev/stdout is no longer a link"
expect_exit 0 "$cli" restore "${dicts[@]}" pipe.txt -o /dev/null
[ -c /dev/null ] || fail "/dev/null is no longer a device"
mkfifo in.fifo out.fifo
(sleep 0.3; cat pipe.txt >in.fifo) &
cat out.fifo >fifo.out &
reader=$!
expect_exit 0 "$cli" restore "${dicts[@]}" in.fifo -o out.fifo
wait "$reader"
expect_file fifo.out 'ещё мёд\n'
[ -p out.fifo ] || fail "the output FIFO became a file"
expect_exit 1 "$cli" restore "${dicts[@]}" /dev/zero -o zero.out
grep -q 'не кончается' err.log || fail "/dev/zero: $(cat err.log)"
[ -e zero.out ] && fail "output written for /dev/zero"
expect_exit 2 "$cli" restore "${dicts[@]}" --in-place -

# Two paths for one file: nothing is written.
printf 'еще\n' >a.txt
printf 'еще\n' >b.txt
expect_exit 1 "$cli" restore "${dicts[@]}" --in-place --stats a.txt b.txt
expect_file a.txt 'еще\n'
expect_file b.txt 'еще\n'
grep -q 'a.txt' err.log || fail "--stats over a text: $(cat err.log)"
expect_exit 1 "$cli" restore "${dicts[@]}" a.txt -o r.txt --report r.txt
[ -e r.txt ] && fail "written although -o and --report are one file"
expect_exit 1 "$cli" restore "${dicts[@]}" --in-place a.txt --report ./a.txt
expect_file a.txt 'еще\n'
ln -s a.txt link.txt
expect_exit 1 "$cli" restore "${dicts[@]}" a.txt -o link.txt
expect_file a.txt 'еще\n'

# A plain text written to a .rtf name is rich text.
expect_exit 0 "$cli" restore "${dicts[@]}" a.txt -o a.rtf
grep -q '^{\\rtf1' a.rtf || fail "-o a.rtf is not rich text: $(head -c 60 a.rtf)"
expect_exit 0 "$cli" info a.rtf
grep -q 'rich text' out.log || fail "info a.rtf: $(cat out.log)"

# The bundled dictionaries are found next to the executable.
mkdir bundle
cp "$umlo_cli" bundle/umlo-cli
cp dic.dat bundle/umlox.dat
cp re.dat bundle/umlo_regexpr.dat
printf 'еще\n' >bundled.txt
expect_exit 0 bundle/umlo-cli restore bundled.txt -o bundled.out
expect_file bundled.out 'ещё\n'
rm bundle/umlo_regexpr.dat
expect_exit 1 bundle/umlo-cli restore bundled.txt -o bundled2.out
[ -e bundled2.out ] && fail "output written without the expression dictionary"
expect_exit 0 bundle/umlo-cli restore --no-regexprs bundled.txt -o bundled2.out

# The window's settings file beside the program is read, never written, and
# the flags win over it.
printf '[Umlo]\r\nRegExprs=0\r\nButtonHotKeys=ab\r\n' >bundle/umlo.ini
cp bundle/umlo.ini settings.before
expect_exit 0 bundle/umlo-cli restore bundled.txt -o bundled3.out
expect_file bundled3.out 'ещё\n'
expect_exit 1 bundle/umlo-cli restore --regexprs bundled.txt -o bundled4.out
cmp -s bundle/umlo.ini settings.before || fail "umlo-cli changed the settings file"
# Its answer keys answer the terminal's questions.
cp re.dat bundle/umlo_regexpr.dat
printf 'все\n' >keys.txt
printf 'b\n' | bundle/umlo-cli restore --regexprs --interactive keys.txt -o keys.out >out.log 2>err.log ||
    fail "interactive run with the settings' keys: $(cat err.log)"
expect_file keys.out 'всё\n'
grep -q 'a) все' err.log || fail "the settings' keys are not offered: $(cat err.log)"
# --settings names another file; a missing one is a mistake, and no output may
# be the settings file.
printf '[Umlo]\r\nRegExprs=1\r\n' >other.ini
expect_exit 0 bundle/umlo-cli restore --settings other.ini bundled.txt -o bundled5.out
expect_exit 1 bundle/umlo-cli restore --settings missing.ini bundled.txt -o bundled6.out
grep -q 'missing.ini' err.log || fail "missing settings file not named: $(cat err.log)"
[ -e bundled6.out ] && fail "output written without its settings file"
expect_exit 1 bundle/umlo-cli restore --settings other.ini bundled.txt -o other.ini
grep -q 'RegExprs=1' other.ini || fail "the settings file was overwritten"

# The self-test passes and ends with its count line.
expect_exit 0 "$cli" selftest
tail -n 1 out.log | grep -Eq '^[0-9]+ passed, 0 failed$' || fail "selftest output: $(cat out.log)"

# --help names the commands.
expect_exit 0 "$cli" --help
grep -q 'selftest' out.log || fail "help without selftest"
grep -q 'info' out.log || fail "help without info"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "all end-to-end checks passed"

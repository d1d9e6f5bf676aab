#!/usr/bin/env bash
# Builds the fuzz targets with clang++ into build-fuzz/ and runs each for a
# while on a copy of its committed seed corpus (fuzz/corpus/<target>).
#   scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 60)
# A crash stops the run and leaves the input in build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
dir=build-fuzz
cmake -S . -B "$dir" -DUMLO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DUMLO_BUILD_GUI=OFF -DUMLO_BUILD_TESTS=OFF -DUMLO_BUILD_BENCH=OFF >/dev/null
targets=(rtf_reader rtf_patch detect_encoding decode_text plain_text xml_text zip_package)
cmake --build "$dir" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"
mkdir -p "$dir/crashes"
declare -A seeds=([rtf_reader]=rtf [rtf_patch]=rtf [detect_encoding]=encoding [decode_text]=text
    [plain_text]=plain [xml_text]=xml [zip_package]=zip)
for t in "${targets[@]}"; do
    work="$dir/corpus/$t"
    mkdir -p "$work"
    cp -n fuzz/corpus/"${seeds[$t]}"/* "$work"/ 2>/dev/null || true
    extra=()
    [[ "$t" == rtf_* ]] && extra=(-dict=fuzz/rtf.dict)
    [ "$t" = xml_text ] && extra=(-dict=fuzz/xml.dict)
    echo "== fuzz_$t for ${seconds}s"
    "$dir/bin/fuzz_$t" -max_total_time="$seconds" -artifact_prefix="$dir/crashes/$t-" \
        "${extra[@]}" "$work" 2>&1 | grep -E '^(#[0-9]+ +DONE|Done|==[0-9]+==ERROR|SUMMARY)' || true
    if ls "$dir/crashes/$t-"* >/dev/null 2>&1; then
        echo "fuzz_$t found a failing input: $(ls "$dir/crashes/$t-"*)"
        exit 1
    fi
done
echo "no failures"

#!/usr/bin/env bash
# Builds the RTF reader's libFuzzer target with clang (address and undefined-behaviour
# sanitizers) and runs it for a short time from the test fixtures.
#   run_fuzz_richtext.sh SOURCE_DIR WORK_DIR [SECONDS]
# Exits 77, which the test suite counts as skipped, when clang++ is not installed.
set -euo pipefail
src=$1
work=$2
seconds=${3:-25}

if ! command -v clang++ >/dev/null 2>&1; then
    echo "clang++ absent : le fuzzing du lecteur RTF est sauté."
    exit 77
fi

mkdir -p "$work/corpus"
# shellcheck disable=SC2046
clang++ -std=c++20 -O1 -g -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$src/src" $(pkg-config --cflags Qt6Gui Qt6Core) \
    "$src/fuzz/fuzz_richtext.cpp" "$src"/src/richtext/*.cpp "$src/src/app/LeakSuppressions.cpp" \
    $(pkg-config --libs Qt6Gui Qt6Core) -o "$work/fuzz_richtext"

cp "$src"/tests/richtext/fixtures/*/*.rtf "$work/corpus/"

set +e
QT_QPA_PLATFORM=offscreen "$work/fuzz_richtext" "$work/corpus" -dict="$src/fuzz/richtext.dict" \
    -max_total_time="$seconds" -timeout=10 -max_len=16384 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/" >"$work/fuzz.log" 2>&1
status=$?
set -e
if [ "$status" -eq 0 ]; then
    grep -E "^Done|stat::number_of_executed_units" "$work/fuzz.log" || true
else
    tail -n 60 "$work/fuzz.log"
fi
exit "$status"

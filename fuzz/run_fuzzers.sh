#!/usr/bin/env bash
# Builds the libFuzzer targets (the readers, the evaluator) with clang in WORK_DIR/build and runs
# each for SECONDS on its seeds (fuzz/seeds/TARGET/) with its dictionary (fuzz/TARGET.dict) when
# it has one, its corpus kept in WORK_DIR/corpus/TARGET.
#   run_fuzzers.sh SOURCE_DIR WORK_DIR SECONDS TARGET...
# A longer run: fuzz/run_fuzzers.sh . /tmp/fuzz 600 fuzz_configuration
# Exits 77, which the test suite counts as skipped, when clang++ is not installed.
set -euo pipefail
src=$(cd "$1" && pwd)
work=$2
seconds=$3
shift 3

if ! command -v clang++ >/dev/null 2>&1; then
    echo "clang++ absent : le fuzzing est sauté."
    exit 77
fi

mkdir -p "$work"
cmake -S "$src" -B "$work/build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DFOCALINES_FUZZ=ON -DFOCALINES_BUILD_TESTS=OFF -DFOCALINES_BUILD_BENCHMARKS=OFF \
      >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/build" -j"$(nproc)" --target "$@" >"$work/build.log" 2>&1 ||
    { tail -n 40 "$work/build.log"; exit 1; }

status=0
for target in "$@"; do
    corpus=$work/corpus/$target
    mkdir -p "$corpus"
    seeds=()
    [ -d "$src/fuzz/seeds/$target" ] && seeds=("$src/fuzz/seeds/$target")
    dict=()
    [ -f "$src/fuzz/$target.dict" ] && dict=(-dict="$src/fuzz/$target.dict")
    set +e
    QT_QPA_PLATFORM=offscreen "$work/build/fuzz/$target" "$corpus" "${seeds[@]}" "${dict[@]}" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$work/$target-" >"$work/$target.log" 2>&1
    result=$?
    set -e
    if [ "$result" -eq 0 ]; then
        echo "$target : $(grep -E 'stat::number_of_executed_units' "$work/$target.log" | awk '{print $2}') exécutions"
    else
        echo "$target : échec"
        tail -n 60 "$work/$target.log"
        status=1
    fi
done
exit "$status"

#!/usr/bin/env bash
# Builds the evaluator's libFuzzer target with clang (address and undefined-behaviour
# sanitizers) and runs it for a short time.
#   run_fuzz.sh SOURCE_DIR WORK_DIR [SECONDS]
# Exits 77, which the test suite counts as skipped, when clang++ is not installed.
set -euo pipefail
src=$1
work=$2
seconds=${3:-25}

if ! command -v clang++ >/dev/null 2>&1; then
    echo "clang++ absent : le fuzzing de l'évaluateur est sauté."
    exit 77
fi

mkdir -p "$work/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$src/src" "$src/fuzz/fuzz_evaluator.cpp" "$src/src/calculator/Evaluator.cpp" \
    "$src/src/calculator/CalculatorNumberText.cpp" -o "$work/fuzz_evaluator"

# One seed per line: the angle mode digit, then the expression.
n=0
while IFS= read -r line; do
    n=$((n + 1))
    printf '%s' "$line" > "$work/corpus/seed$n"
done < "$src/fuzz/seeds.txt"

set +e
"$work/fuzz_evaluator" "$work/corpus" -dict="$src/fuzz/evaluator.dict" \
    -max_total_time="$seconds" -timeout=10 -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$work/" >"$work/fuzz.log" 2>&1
status=$?
set -e
if [ "$status" -eq 0 ]; then
    grep -E "^Done|stat::number_of_executed_units" "$work/fuzz.log" || true
else
    tail -n 60 "$work/fuzz.log"
fi
exit "$status"

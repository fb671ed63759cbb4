#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with Debian's clang, the core
# instrumented with the address and undefined-behaviour sanitizers, and runs
# each for QUINDLE_FUZZ_SECONDS (default 8) seconds from its seed corpus
# (fuzz/corpus/<target>, grown in the build folder between runs). Prints each
# target's executions and coverage; a crash or a sanitizer finding fails, its
# input kept as build-fuzz/findings/<target>-crash-*.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUINDLE_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${QUINDLE_FUZZ_SECONDS:-8}"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUINDLE_BUILD_GUI=OFF -DQUINDLE_BUILD_TESTS=OFF \
    -DQUINDLE_BUILD_FUZZ=ON -DQUINDLE_ASSERTIONS=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
    >/dev/null
targets=(records settings table)
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"
mkdir -p "$build/findings"
for t in "${targets[@]}"; do
    corpus="$build/corpus/$t"
    mkdir -p "$corpus"
    cp "$root/fuzz/corpus/$t/"* "$corpus/"
    log="$build/fuzz_$t.log"
    status=0
    "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/findings/$t-" "$corpus" >"$log" 2>&1 || status=$?
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    cov="$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1)"
    echo "fuzz_$t: ${runs:-?} executions in ${seconds} s, $cov, corpus $(ls "$corpus" | wc -l) inputs"
    if [ "$status" != 0 ]; then
        tail -n 40 "$log" >&2
        echo "fuzz_$t: failed (exit $status); the input is in $build/findings" >&2
        exit 1
    fi
done

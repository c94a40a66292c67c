#!/usr/bin/env bash
# Runs every fuzz target briefly on its seed corpus: the checked-in seeds under
# fuzz/corpus/<name>/ plus whatever its seed generator writes. Any crash, hang, leak or
# sanitizer report fails the run.
set -euo pipefail
build=${1:?usage: run-fuzzers.sh <fuzz build dir> [runs]}
runs=${2:-20000}
# Each target stops at its run count or after this many seconds, whichever comes first,
# so that adding targets keeps the whole test run bounded.
seconds=${FUZZ_SECONDS:-10}
here=$(cd "$(dirname "$0")" && pwd)
work="$build/corpus"
status=0
count=0
for fuzzer in "$build"/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    case "$name" in *_seeds) continue ;; esac
    short=${name#fuzz_}
    count=$((count + 1))
    corpus="$work/$short"
    rm -rf "$corpus" && mkdir -p "$corpus"
    [ -d "$here/corpus/$short" ] && cp "$here/corpus/$short"/* "$corpus"/ 2>/dev/null || true
    [ -x "${fuzzer}_seeds" ] && "${fuzzer}_seeds" "$corpus"
    echo "== $name: $runs runs on $(ls "$corpus" | wc -l) seeds"
    if ! QT_QPA_PLATFORM=offscreen "$fuzzer" -runs="$runs" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -max_len=65536 -print_final_stats=0 -artifact_prefix="$build/crash-$short-" \
            "$corpus" >"$build/$short.log" 2>&1; then
        echo "!! $name failed; see $build/$short.log"
        tail -n 40 "$build/$short.log"
        status=1
    fi
done
if [ "$count" -eq 0 ]; then
    echo "!! no fuzz targets in $build"
    exit 1
fi
exit $status

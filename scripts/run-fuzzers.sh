#!/usr/bin/env bash
# Runs every libFuzzer target of the fuzz build for a bounded time each.
# Usage: run-fuzzers.sh [seconds-per-target]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-20}"
corpus_root="$root/build/fuzz-corpus"
status=0
while IFS= read -r fuzzer; do
    name="$(basename "$fuzzer")"
    corpus="$corpus_root/$name"
    mkdir -p "$corpus"
    seeds=()
    if [ -d "$root/testdata/fuzz/$name" ]; then
        seeds+=("$root/testdata/fuzz/$name")
    fi
    if "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$corpus_root/$name-" "$corpus" "${seeds[@]}" >"$corpus_root/$name.log" 2>&1; then
        # libFuzzer's last line, "Done <n> runs in <s> second(s)", counts the inputs run.
        runs="$(sed -n 's/^Done \([0-9]*\) runs in .*/\1/p' "$corpus_root/$name.log" | tail -1)"
        echo "fuzz: $name ran ${seconds}s: ${runs:-an unknown number of} inputs, no failure"
    else
        echo "fuzz: $name FAILED"; tail -40 "$corpus_root/$name.log"; status=1
    fi
done < <(find "$root/build/fuzz" -type f -name 'fuzz_*' -perm -u+x | sort)
exit $status

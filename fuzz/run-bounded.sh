#!/usr/bin/env bash
# Runs one fuzz target for a bounded time on a scratch copy of its seed corpus.
# Usage: run-bounded.sh TARGET CORPUS SCRATCH SECONDS [more libFuzzer options]
set -euo pipefail
target=$1 corpus=$2 scratch=$3 seconds=$4
shift 4
rm -rf "$scratch"
mkdir -p "$scratch/corpus" "$scratch/findings"
cp "$corpus"/* "$scratch/corpus/"
# Findings (crash-*, leak-*, timeout-*) land in $scratch/findings; rerun one with
# `TARGET FILE` to see it again.
exec "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$scratch/findings/" "$@" "$scratch/corpus"

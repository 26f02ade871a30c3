#!/usr/bin/env bash
# Runs each reader's fuzz target for a bounded time on a scratch copy of its seed corpus (the seeds stay
# as they are). Usage: fuzz.sh BUILD_DIR SECONDS. Exits non-zero when a target found a crash; the input
# that caused it is in BUILD_DIR/artifacts and belongs in tests/data/hostile/fuzz/<reader>/ once mended.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
mkdir -p "$build/artifacts"
status=0
for reader in sbs arp dat sector; do
  work="$build/corpus/$reader"
  mkdir -p "$work"
  cp -n tests/fuzz/corpus/"$reader"/* "$work"/ 2>/dev/null || true
  echo "fuzz_$reader: ${seconds}s"
  if ! "$build/tests/fuzz/fuzz_$reader" "$work" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/artifacts/$reader-" -print_final_stats=1 2>"$build/fuzz_$reader.log"; then
    echo "fuzz_$reader failed; see $build/fuzz_$reader.log and $build/artifacts" >&2
    tail -40 "$build/fuzz_$reader.log" >&2
    status=1
  else
    grep -E "stat::number_of_executed_units|cov:" "$build/fuzz_$reader.log" | tail -2
  fi
done
exit $status

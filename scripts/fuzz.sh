#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan+UBSan) and runs each for the
# given number of seconds (default 30), seeded from fuzz/corpus/<target>.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
shopt -s nullglob
targets=(build/fuzz/fuzz/fuzz_*)
if [ "${#targets[@]}" -eq 0 ]; then echo "fuzz: no targets"; exit 0; fi
for target in "${targets[@]}"; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  echo "fuzz: $name for ${seconds}s"
  QT_QPA_PLATFORM=offscreen "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$work" "${seeds[@]}" 2>"$work.log" || { tail -50 "$work.log"; exit 1; }
  grep -E '^stat::number_of_executed_units' "$work.log" || true
  rm -rf "$work" "$work.log"
done
echo "fuzz: all targets ran clean"

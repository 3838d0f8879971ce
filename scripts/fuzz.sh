#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ (clang's libFuzzer under ASan and UBSan, in build/fuzz) and
# runs each for SECONDS, 10 when not given:
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]      (every target when none is named)
# A finding is a crash, a sanitizer report, a failed check of the target, a leak, an input
# that runs over 10 s or needs over 2 GB. Each one is printed with its reproducer,
# build/fuzz/findings/<target>/<kind>-<hash>, and the script then exits 1; replay it with
#   build/fuzz/fuzz/fuzz_<target> build/fuzz/findings/<target>/<kind>-<hash>
# Every run starts from the seeds (fuzz/seeds.py) and the corpus earlier runs grew in
# build/fuzz/corpus/<target>; the log of each run is build/fuzz/logs/<target>.log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
[ $# -gt 0 ] && shift
case "$seconds" in '' | *[!0-9]*)
  echo "usage: bash scripts/fuzz.sh [SECONDS] [TARGET...]" >&2
  exit 2
  ;;
esac

bash scripts/install-deps.sh
source scripts/compile-cache.sh
build=build/fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
rm -rf "$build/seeds"
python3 fuzz/seeds.py "$build/seeds"

wanted=("$@")
found=0
ran=0
while read -r target dict; do
  [ -n "$target" ] || continue
  if [ ${#wanted[@]} -gt 0 ] && ! printf '%s\n' "${wanted[@]}" | grep -qx "$target"; then
    continue
  fi
  ran=$((ran + 1))
  mkdir -p "$build/corpus/$target" "$build/findings/$target" "$build/logs"
  log="$build/logs/$target.log"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
    -artifact_prefix="$build/findings/$target/")
  [ -n "$dict" ] && options+=(-dict="fuzz/dict/$dict.dict")
  status=0
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/fuzz_$target" "${options[@]}" "$build/corpus/$target" "$build/seeds/$target" \
    >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ "$status" -eq 0 ]; then
    printf '%-18s %10s runs in %ss: clean\n' "$target" "${runs:-?}" "$seconds"
  else
    found=1
    reproducer=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
    printf '%-18s FINDING (exit %s): reproducer %s, log %s\n' "$target" "$status" \
      "${reproducer:-none written}" "$log"
    grep -m 3 -E '^==[0-9]+==|^SUMMARY: |runtime error:' "$log" | sed 's/^/    /' || true
  fi
done <"$build/fuzz_targets.txt"

if [ "$ran" -eq 0 ]; then
  echo "fuzz.sh: no target named ${wanted[*]}; targets: $(cut -d' ' -f1 "$build/fuzz_targets.txt" | xargs)" >&2
  exit 2
fi
if [ "$found" -ne 0 ]; then
  echo "fuzz.sh: findings above" >&2
  exit 1
fi
echo "Fuzzing: $ran targets, ${seconds}s each, no finding"

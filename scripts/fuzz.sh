#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ (clang's libFuzzer under ASan and UBSan, in build/fuzz) and
# runs each for SECONDS, 10 when not given, two targets at a time:
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

# Runs one target for its time and writes its result line, and its finding when there is one,
# into $build/results/<target>.
fuzz_one() {
  local target=$1 dict=$2 log="$build/logs/$1.log" result="$build/results/$1"
  mkdir -p "$build/corpus/$target" "$build/findings/$target"
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
    -artifact_prefix="$build/findings/$target/")
  [ -n "$dict" ] && options+=(-dict="fuzz/dict/$dict.dict")
  local status=0
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/fuzz_$target" "${options[@]}" "$build/corpus/$target" "$build/seeds/$target" \
    >"$log" 2>&1 || status=$?
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ "$status" -eq 0 ]; then
    printf '%-18s %10s runs in %ss: clean\n' "$target" "${runs:-?}" "$seconds" >"$result"
  else
    local reproducer
    reproducer=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
    {
      printf '%-18s FINDING (exit %s): reproducer %s, log %s\n' "$target" "$status" \
        "${reproducer:-none written}" "$log"
      grep -m 3 -E '^==[0-9]+==|^SUMMARY: |runtime error:' "$log" | sed 's/^/    /' || true
    } >"$result"
    touch "$build/results/$target.finding"
  fi
}

# The targets run two at a time (one per core), each for its full time; the results are printed
# in the list's order.
wanted=("$@")
ran=0
order=()
rm -rf "$build/results"
mkdir -p "$build/results" "$build/logs"
while read -r target dict; do
  [ -n "$target" ] || continue
  if [ ${#wanted[@]} -gt 0 ] && ! printf '%s\n' "${wanted[@]}" | grep -qx "$target"; then
    continue
  fi
  ran=$((ran + 1))
  order+=("$target")
  while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n || true; done
  fuzz_one "$target" "$dict" &
done <"$build/fuzz_targets.txt"
wait
found=0
for target in "${order[@]}"; do
  cat "$build/results/$target"
  [ -e "$build/results/$target.finding" ] && found=1
done

if [ "$ran" -eq 0 ]; then
  echo "fuzz.sh: no target named ${wanted[*]}; targets: $(cut -d' ' -f1 "$build/fuzz_targets.txt" | xargs)" >&2
  exit 2
fi
if [ "$found" -ne 0 ]; then
  echo "fuzz.sh: findings above" >&2
  exit 1
fi
echo "Fuzzing: $ran targets, ${seconds}s each, no finding"

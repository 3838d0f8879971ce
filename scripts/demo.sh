#!/usr/bin/env bash
# Starts Orlin against a simulated C350 phone: installs what is missing, builds into
# build/demo, starts orlin-phonesim with the seeded contents and a state file (so what you
# write survives the next demo), prepares a working folder with portcfg.ini, orlinres.dll,
# info.txt and the model pictures, and runs orlin there. The phone stops when the window
# closes. Options are passed to orlin, e.g.
#   bash scripts/demo.sh --tab info --screenshot /tmp/info.png --quit-after 3000
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
caller_dir="$PWD"
cd "$root"

bash scripts/install-deps.sh

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  {
    echo "demo.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set). Run it under a virtual one:"
    printf 'xvfb-run -a bash %q' "$root/scripts/demo.sh"
    for arg in "$@"; do printf ' %q' "$arg"; done
    printf '\n'
  } >&2
  exit 2
fi

build="$root/build/demo"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLIN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target orlin orlin-phonesim -j 2

bin="$build/bin"
phonesim="$(find "$build" -maxdepth 3 -type f -name orlin-phonesim -perm -u+x | head -n 1)"
[ -n "$phonesim" ] || { echo "demo.sh: orlin-phonesim was not built" >&2; exit 1; }

# The working folder: the program opens portcfg.ini, info.txt, the pictures and its message
# archives by bare names, so they all live where it runs.
work="$build/work"
mkdir -p "$work"
cp -f "$bin/orlinres.dll" "$bin/info.txt" "$work/"
cp -f "$bin"/*.jpg "$work/" 2>/dev/null || true

port="$work/ttyPHONE"
phone_out="$work/phonesim.out"
: > "$phone_out"
"$phonesim" --model C350 --state "$work/phone-state.txt" --link "$port" >"$phone_out" 2>&1 &
phone_pid=$!
stop_phone() {
  if kill -0 "$phone_pid" 2>/dev/null; then
    kill -TERM "$phone_pid" 2>/dev/null || true
    wait "$phone_pid" 2>/dev/null || true
  fi
}
trap stop_phone EXIT

for _ in $(seq 1 100); do
  grep -q '^PORT ' "$phone_out" && break
  kill -0 "$phone_pid" 2>/dev/null || { cat "$phone_out" >&2; exit 1; }
  sleep 0.1
done
grep -q '^PORT ' "$phone_out" || { echo "demo.sh: the simulated phone did not start" >&2; exit 1; }
echo "Simulated C350 on $(sed -n 's/^PORT //p' "$phone_out" | head -n 1) (link $port)"

# portcfg.ini as the port dialog writes it: four lines, CR LF, Windows-1251.
printf '[PORT CONFIG]\r\nPort=%s; - имя порта\r\nBaudRate=19200; - скорость порта\r\nTimeOut=3000; - задержка\r\n' "$port" \
  | iconv -f UTF-8 -t CP1251 > "$work/portcfg.ini"

# orlin runs in the working folder: a relative screenshot path means the caller's folder.
args=()
previous=""
for arg in "$@"; do
  if [ "$previous" = "--screenshot" ] && [ "${arg#/}" = "$arg" ]; then
    arg="$caller_dir/$arg"
  fi
  args+=("$arg")
  previous="$arg"
done

cd "$work"
status=0
"$bin/orlin" ${args[@]+"${args[@]}"} || status=$?
exit "$status"

#!/usr/bin/env bash
# Starts Orlin against a simulated C350 phone: installs what is missing, builds into
# build/demo, starts orlin-phonesim with the seeded contents and a state file (so what you
# write survives the next demo), prepares a working folder with portcfg.ini, orlinres.dll,
# info.txt and the model pictures, and runs orlin there. The phone stops when the window
# closes. Options are passed to orlin, e.g.
#   bash scripts/demo.sh --tab info --screenshot /tmp/info.png --quit-after 3000
# Without a display the window runs under a virtual one (Xvfb): with options, once as they say;
# without options, it walks through every tab, saves one screenshot per tab into
# build/demo/screens/, and prints what orlin-cli reads from the same phone.
# The program speaks Russian unless ORLIN_LANG says otherwise (ORLIN_LANG=en: the walk in
# English, its screenshots in build/demo/screens-en/).
set -euo pipefail
export ORLIN_LANG="${ORLIN_LANG:-ru}"
root="$(cd "$(dirname "$0")/.." && pwd)"
caller_dir="$PWD"
cd "$root"

bash scripts/install-deps.sh
source "$root/scripts/compile-cache.sh"

headless=0
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  headless=1
fi

build="$root/build/demo"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLIN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target orlin orlin-phonesim orlin-cli -j 2

bin="$build/bin"
phonesim="$(find "$build" -maxdepth 3 -type f -name orlin-phonesim -perm -u+x | head -n 1)"
[ -n "$phonesim" ] || { echo "demo.sh: orlin-phonesim was not built" >&2; exit 1; }
cli="$(find "$build" -maxdepth 3 -type f -name orlin-cli -perm -u+x | head -n 1)"
[ -n "$cli" ] || { echo "demo.sh: orlin-cli was not built" >&2; exit 1; }

# The working folder: the program opens portcfg.ini, info.txt, the pictures and its message
# archives by bare names, so they all live where it runs.
work="$build/work"
mkdir -p "$work"
cp -f "$bin/orlinres.dll" "$bin/info.txt" "$bin/info_en.txt" "$work/"
cp -f "$bin"/*.jpg "$work/" 2>/dev/null || true
# Sample pictures and ring tones for the theme tab.
cp -f "$root"/theme/samples/*.gif "$root"/theme/samples/*.bmp "$root"/theme/samples/*.wbmp \
  "$root"/theme/samples/*.imy "$root"/theme/samples/*.mid "$work/"

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

# orlin under a virtual display when there is none.
run_orlin() {
  if [ "$headless" = 1 ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "$bin/orlin" "$@"
  else
    "$bin/orlin" "$@"
  fi
}

if [ "$headless" = 0 ] || [ ${#args[@]} -gt 0 ]; then
  status=0
  run_orlin ${args[@]+"${args[@]}"} || status=$?
  exit "$status"
fi

# No display and no options: a walk through every tab, one screenshot each. Every screenshot
# holds every window shown, and a window the walk did not open (a dialog that opened by
# itself, an error box) fails the walk. The first step starts the program and leaves it alone
# for 10 s: only the main window may be seen then.
screens="$build/screens"
inbox=Входящие
if [ "$ORLIN_LANG" = en ]; then
  screens="$build/screens-en"
  inbox=Inbox
fi
rm -rf "$screens"
mkdir -p "$screens"
walk=(
  "idle|--quit-after 10000"
  "phonebook|--tab phonebook --click sbReadAll --quit-after 6000"
  "info|--tab info --quit-after 4000"
  "terminal|--tab terminal --send AT+CGMM --quit-after 3000"
  "datebook|--tab datebook --click sbReadAllEvents --quit-after 8000"
  "messages|--tab sms --select $inbox --quit-after 6000"
  "theme|--tab theme --choose SpeedButton10=picture.bmp --choose SpeedButton13=saver.gif --choose SpeedButton14=ring.imy --quit-after 3000"
)
for step in "${walk[@]}"; do
  name="${step%%|*}"
  read -r -a options <<<"${step#*|}"
  echo "Step $name ..."
  if ! run_orlin "${options[@]}" --only-main-window --screenshot "$screens/$name.png"; then
    echo "demo.sh: the step \"$name\" failed; its screenshot is $screens/$name.png" >&2
    exit 1
  fi
done

echo
echo "orlin-cli info:"
"$cli" --port "$port" --timeout 3000 info
echo
echo "orlin-cli phonebook list (first lines):"
list="$("$cli" --port "$port" --timeout 3000 phonebook list 2>/dev/null)"
head -n 8 <<<"$list"
echo
echo "Screenshots of every tab are in $screens/"

#!/usr/bin/env bash
# orlin-cli.exe (build/win64) under Wine against simulated phones on pseudo-terminals, each
# mapped to a COM port in a throw-away Wine prefix: every command prints, byte for byte, what
# the Linux build (build/test) prints against the same phone (the clock's digits are not
# compared: the clock moves between the two runs). Also: a COM port that is not
# there says "Телефон не подключен.", and a port that one program holds is refused to another.
#   bash scripts/wine-tests.sh [ROUNDS]      (the comparisons ROUNDS times, 1 when not given)
# scripts/test.sh runs it after the cross-build; without Wine it says it skipped and exits 0.
#
# Wine maps COM1-COM4 to /dev/ttyS0-/dev/ttyS3 and looks at those devices when it starts, and
# /dev/ttyS0 may be the machine's console. So everything here runs in a private mount
# namespace in which every /dev/ttyS* is /dev/null, and only COM5 and above are used.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-1}

if ! command -v wine >/dev/null 2>&1; then
  echo "Windows tests under Wine: skipped (wine is not installed; scripts/install-deps.sh installs it)"
  exit 0
fi
if [ -z "${ORLIN_WINE_SHIELDED:-}" ]; then
  exec unshare --mount --propagation private env ORLIN_WINE_SHIELDED=1 bash "$0" "$@"
fi
for device in /dev/ttyS*; do
  [ -e "$device" ] && mount --bind /dev/null "$device"
done

exe=$PWD/build/win64/cli/orlin-cli.exe
cli=$PWD/build/test/cli/orlin-cli
sim=$PWD/build/test/phonesim/orlin-phonesim
for program in "$exe" "$cli" "$sim"; do
  [ -x "$program" ] || [ -f "$program" ] || { echo "wine-tests: $program is not built" >&2; exit 1; }
done

work=$(mktemp -d /tmp/orlin-wine-XXXXXX)
phones=()
# The texts compared below are the Russian ones.
export ORLIN_LANG=ru
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  for pid in "${phones[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

wineboot -i >"$work/wineboot.log" 2>&1

# start_phone NAME COMn OPTIONS...: a simulated C350 on a pseudo-terminal, mapped to COMn.
start_phone() {
  local name=$1 com=$2
  shift 2
  "$sim" --model C350 --link "$work/$name" "$@" >"$work/$name.log" 2>&1 &
  phones+=($!)
  for _ in $(seq 100); do [ -e "$work/$name" ] && break; sleep 0.05; done
  wine reg add 'HKLM\Software\Wine\Ports' /v "$com" /d "$(readlink -f "$work/$name")" /f >/dev/null
}
start_phone seeded COM5
start_phone empty-linux COM7 --empty
start_phone empty-windows COM8 --empty
start_phone silent COM6 --silent AT+CGMM --log "$work/silent.transcript"
wineserver -k || true # the port mapping is read when Wine starts
mkdir -p "$work/linux" "$work/windows"

failures=0
# run SIDE PORT WORDS...: one run of the Linux or the Windows build in its own folder, its
# output in $work/SIDE.out, .err and .rc (the clock's digits masked).
run() {
  local side=$1 port=$2
  shift 2
  local rc=0
  if [ "$side" = linux ]; then
    (cd "$work/linux" && "$cli" --port "$port" "$@" >"$work/linux.out" 2>"$work/linux.err") || rc=$?
  else
    (cd "$work/windows" && wine "$exe" --port "$port" "$@" >"$work/windows.out" 2>"$work/windows.err") ||
      rc=$?
  fi
  echo "$rc" >"$work/$side.rc"
  if [ "$1" = clock ]; then sed -i 's/[0-9]/#/g' "$work/$side.out"; fi
}

# same LINUX_PORT WINDOWS_PORT WORDS...: both builds print the same and exit the same.
same() {
  local linuxPort=$1 windowsPort=$2
  shift 2
  run linux "$linuxPort" "$@"
  run windows "$windowsPort" "$@"
  local what
  for what in out err rc; do
    if ! cmp -s "$work/linux.$what" "$work/windows.$what"; then
      echo "wine-tests: '$*' differs on $what (Linux < > Windows):" >&2
      diff "$work/linux.$what" "$work/windows.$what" | head -n 20 >&2 || true
      failures=$((failures + 1))
      return
    fi
  done
}

for round in $(seq "$rounds"); do
  seeded=$work/seeded
  same "$seeded" COM5 at AT+CGMM
  same "$seeded" COM5 info
  same "$seeded" COM5 clock
  same "$seeded" COM5 phonebook list
  same "$seeded" COM5 phonebook save book.txt
  cmp -s "$work/linux/book.txt" "$work/windows/book.txt" ||
    { echo "wine-tests: the saved phonebooks differ" >&2; failures=$((failures + 1)); }
  same "$seeded" COM5 phonebook export book.vcf
  # REV is the moment of the export, which moves between the two runs.
  if ! diff <(grep -v '^REV:' "$work/linux/book.vcf") <(grep -v '^REV:' "$work/windows/book.vcf") \
    >"$work/vcf.diff"; then
    echo "wine-tests: the exported vCard files differ (Linux < > Windows):" >&2
    head -n 20 "$work/vcf.diff" >&2
    failures=$((failures + 1))
  fi
  same "$seeded" COM5 datebook list
  same "$seeded" COM5 sms list inbox
  # The JSON writer is the same header library on both.
  same "$seeded" COM5 info --format json
  same "$seeded" COM5 phonebook list --format json
  same "$seeded" COM5 datebook list --format json
  same "$seeded" COM5 sms list inbox --format json
  # The same file into two empty phones: the same report, then the same phonebook.
  same "$work/empty-linux" COM8 phonebook load "$work/linux/book.txt" --yes
  run linux "$work/empty-linux" phonebook list
  cp "$work/linux.out" "$work/empty-linux.list"
  run linux "$work/empty-windows" phonebook list
  cmp -s "$work/empty-linux.list" "$work/linux.out" ||
    { echo "wine-tests: the phones loaded by the two builds differ" >&2; failures=$((failures + 1)); }
  run windows "$work/empty-linux" phonebook list
  cmp -s "$work/empty-linux.list" "$work/windows.out" ||
    { echo "wine-tests: the Windows build reads another phonebook" >&2; failures=$((failures + 1)); }
  # Words and file names beyond the ANSI code page arrive whole.
  same "$work/empty-linux" COM8 sms send +79001234567 "Привет, мир" --store-only
  run linux "$work/empty-linux" sms list outgoing
  cp "$work/linux.out" "$work/empty-linux.sms"
  run linux "$work/empty-windows" sms list outgoing
  if ! grep -q "Привет, мир" "$work/linux.out" || ! cmp -s "$work/empty-linux.sms" "$work/linux.out"; then
    echo "wine-tests: the Windows build stored another message text" >&2
    failures=$((failures + 1))
  fi
  same "$seeded" COM5 phonebook save "Справочник.txt"
  cmp -s "$work/linux/Справочник.txt" "$work/windows/Справочник.txt" ||
    { echo "wine-tests: no Справочник.txt from the Windows build" >&2; failures=$((failures + 1)); }
  same "$seeded" COM5 phonebook load "Нет такого.txt"
done

# A COM port that is not mapped is not there.
run windows COM9 at AT
if [ "$(cat "$work/windows.rc")" != 1 ] || ! grep -qx 'Телефон не подключен.' "$work/windows.err"; then
  echo "wine-tests: a missing COM9 gave exit $(cat "$work/windows.rc"): $(cat "$work/windows.err")" >&2
  failures=$((failures + 1))
fi

# A port one program holds (waiting for an answer that never comes) is refused to another.
(cd "$work/windows" && wine "$exe" --port COM6 --timeout 8000 at AT+CGMM >/dev/null 2>&1) &
holder=$!
# The holder has the port once the phone heard its command (Wine may take a while to start).
for _ in $(seq 200); do grep -q 'AT+CGMM' "$work/silent.transcript" 2>/dev/null && break; sleep 0.05; done
run windows COM6 at AT
wait "$holder" || true
if [ "$(cat "$work/windows.rc")" != 1 ] || [ ! -s "$work/windows.err" ]; then
  echo "wine-tests: a second program got the held COM6 (exit $(cat "$work/windows.rc"))" >&2
  failures=$((failures + 1))
else
  echo "A held port, to a second program: $(cat "$work/windows.err")"
fi

if [ "$failures" -ne 0 ]; then
  echo "Windows tests under Wine: $failures FAILED" >&2
  exit 1
fi
echo "Windows tests under Wine: orlin-cli.exe printed what the Linux build prints ($rounds round(s)); a missing port and a held port were refused"

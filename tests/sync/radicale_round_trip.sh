#!/usr/bin/env bash
# The round trip through a real CalDAV/CardDAV server: the seeded simulated phone ->
# orlin-cli sync -> vdir -> vdirsyncer -> Radicale (127.0.0.1, a temporary storage, no
# password check) -> vdirsyncer -> a second vdir, read by khard and khal; changes made on the
# server's side come back to the phone, a change on the phone goes out, and a conflict is left
# alone. Exit 77 (skipped, not passed) when a tool is missing.
#   radicale_round_trip.sh ORLIN_CLI ORLIN_PHONESIM
set -u
cli_program=$(realpath "$1")
sim_program=$(realpath "$2")

for tool in radicale vdirsyncer khal khard curl python3; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/orlin-radicale.XXXXXX")
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
  if [ -n "${ORLIN_KEEP_WORK:-}" ]; then echo "work folder: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}
cd "$work" || exit 1

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
url="http://127.0.0.1:$port/u"
cat >radicale.conf <<EOF
[server]
hosts = 127.0.0.1:$port
[auth]
type = none
[rights]
type = owner_only
[storage]
filesystem_folder = $work/storage
[logging]
level = warning
EOF
radicale --config radicale.conf >radicale.log 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  curl -s -o /dev/null "$url/" && break
  sleep 0.2
done
curl -s -f -u u:x -X MKCOL "$url/contacts/" -H 'Content-Type: application/xml' --data \
  '<?xml version="1.0"?><mkcol xmlns="DAV:" xmlns:CR="urn:ietf:params:xml:ns:carddav"><set><prop><resourcetype><collection/><CR:addressbook/></resourcetype></prop></set></mkcol>' \
  >/dev/null || fail "Radicale did not start: $(cat radicale.log)"
curl -s -f -u u:x -X MKCALENDAR "$url/calendar/" >/dev/null || fail "no calendar made"

# One vdirsyncer configuration per vdir: the phone's and the server's second copy.
vdir_config() {
  cat >"$1.conf" <<EOF
[general]
status_path = "$work/$1-status/"
[pair contacts]
a = "contacts_local"
b = "contacts_remote"
collections = null
[storage contacts_local]
type = "filesystem"
path = "$work/$1/contacts/"
fileext = ".vcf"
[storage contacts_remote]
type = "carddav"
url = "$url/contacts/"
username = "u"
password = "x"
[pair calendar]
a = "calendar_local"
b = "calendar_remote"
collections = null
[storage calendar_local]
type = "filesystem"
path = "$work/$1/calendar/"
fileext = ".ics"
[storage calendar_remote]
type = "caldav"
url = "$url/calendar/"
username = "u"
password = "x"
EOF
  mkdir -p "$1/contacts" "$1/calendar"
  vdirsyncer -c "$1.conf" discover >/dev/null 2>&1 || fail "vdirsyncer discover ($1)"
}
vdir_config phone
vdir_config server
vsync() { vdirsyncer -c "$1.conf" sync >>vdirsyncer.log 2>&1 || fail "vdirsyncer sync ($1): $(tail -5 vdirsyncer.log)"; }

cat >khard.conf <<EOF
[addressbooks]
[[server]]
path = $work/server/contacts/
[general]
debug = no
default_action = list
editor = true
merge_editor = true
[contact table]
display = formatted_name
group_by_addressbook = no
reverse = no
show_nicknames = no
show_uids = no
sort = last_name
localize_dates = no
preferred_phone_number_type = pref, cell, home
preferred_email_address_type = pref, work, home
[vcard]
private_objects = Jabber,
search_in_source_files = no
skip_unparsable = no
EOF
cat >khal.conf <<EOF
[calendars]
[[server]]
path = $work/server/calendar/
type = calendar
[locale]
timeformat = %H:%M
dateformat = %Y-%m-%d
longdateformat = %Y-%m-%d
datetimeformat = %Y-%m-%d %H:%M
longdatetimeformat = %Y-%m-%d %H:%M
[default]
default_calendar = server
EOF

"$sim_program" >sim.out 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  grep -q "PORT " sim.out && break
  sleep 0.1
done
device=$(awk '/PORT /{print $2}' sim.out)
[ -n "$device" ] || fail "the simulated phone did not start"
orlin() { "$cli_program" --port "$device" --timeout 2000 "$@"; }
orlin_sync() { orlin sync --contacts phone/contacts --calendar phone/calendar >>sync.log 2>&1; }

# The names and titles on each side, one per line, sorted.
phone_names() { orlin phonebook list | tail -n +2 | cut -f3 | sort -u; }
phone_titles() { orlin datebook list 2>/dev/null | cut -f2 | sort -u; }
server_names() { khard -c khard.conf list --parsable | cut -f2 | sort -u; }
server_titles() {
  XDG_DATA_HOME="$work/khal-data" khal -c khal.conf list --format '{title}' --day-format '' \
    2026-01-01 2029-12-31 | grep -v '^$' | sort -u
}
same_on_both_sides() {
  diff <(phone_names) <(server_names) >names.diff || fail "$1: the names differ: $(cat names.diff)"
  diff <(phone_titles) <(server_titles) >titles.diff || fail "$1: the titles differ: $(cat titles.diff)"
}

# 1. The phone to the server.
orlin_sync || fail "the first sync: $(cat sync.log)"
vsync phone
vsync server
[ "$(phone_names | wc -l)" -gt 5 ] || fail "the seeded phone has no names"
same_on_both_sides "phone to server"

# 2. Changes on the server: a contact renamed, an event added, one deleted.
renamed=$(grep -l '^FN:Мама' server/contacts/*.vcf | head -1)
[ -n "$renamed" ] || fail "no card of Мама on the server"
# (The server writes its files back with its own line ends.)
sed -i 's/^FN:Мама\(\r\?\)$/FN:Мама Петрова\1/; s/^N:Мама;/N:Мама Петрова;/' "$renamed"
printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Elsewhere//EN\r\nBEGIN:VEVENT\r\nUID:server-event-1@example.org\r\nDTSTAMP:20261201T000000Z\r\nSUMMARY:Added on the server\r\nDTSTART:20270301T090000\r\nDURATION:PT45M\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n' \
  >server/calendar/server-event-1.ics
deleted=$(grep -l '^SUMMARY:Отчёт' server/calendar/*.ics | head -1)
[ -n "$deleted" ] || fail "no event Отчёт on the server"
rm "$deleted"
names_before=$(phone_names)
titles_before=$(phone_titles)
vsync server
vsync phone
orlin_sync || fail "the sync of the server's changes: $(cat sync.log)"
expected_names=$(printf '%s\n' "$names_before" | sed 's/^Мама$/Мама Петрова/' | sort -u)
[ "$(phone_names)" = "$expected_names" ] || fail "the phone's names are not exactly the renamed ones"
expected_titles=$( (printf '%s\n' "$titles_before" | grep -v '^Отчёт$'; echo 'Added on the server') | sort -u)
[ "$(phone_titles)" = "$expected_titles" ] || fail "the phone's titles: $(phone_titles)"
same_on_both_sides "server to phone"

# 3. A change on the phone goes out.
orlin datebook add --title 'Added on the phone' --date 2027-04-01 --time 10:00 >/dev/null ||
  fail "datebook add"
orlin_sync || fail "the sync of the phone's change: $(cat sync.log)"
vsync phone
vsync server
server_titles | grep -qx 'Added on the phone' || fail "the phone's event did not reach the server"
same_on_both_sides "phone to server again"

# 4. The same event changed on both sides: a conflict, left alone on both.
slot=$(orlin datebook list 2>/dev/null | awk -F'\t' '$2 == "Football" {print $1; exit}')
[ -n "$slot" ] || fail "no event Football on the phone"
orlin datebook edit "$slot" --title 'Football (phone)' >/dev/null || fail "datebook edit"
football=$(grep -l '^SUMMARY:Football' server/calendar/*.ics | head -1)
sed -i 's/^SUMMARY:Football\(\r\?\)$/SUMMARY:Football (server)\1/' "$football"
vsync server
vsync phone
: >sync.log
orlin_sync && fail "a conflict passed for a clean sync: $(cat sync.log)"
grep -q 'calendar: conflict: changed on both sides, left alone' sync.log ||
  fail "no conflict reported: $(cat sync.log)"
phone_titles | grep -qx 'Football (phone)' || fail "the phone's side of the conflict changed"
grep -q '^SUMMARY:Football (server)' phone/calendar/*.ics || fail "the folder's side changed"

echo "PASS: phone -> Radicale -> phone, both ways, and a conflict left alone"

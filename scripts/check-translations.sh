#!/usr/bin/env bash
# Fails when the English catalogue translations/orlin_en.ts is out of date with the sources (a
# marked text missing from it, or one it holds that the sources no longer mark) or holds a text
# without a finished translation. Texts are marked with tr() and QCoreApplication::translate()
# in the window and with orlin::Tr() in the Qt-free code (lupdate reads Tr as translate).
# With --update, writes the catalogue from the sources instead (new texts come in unfinished:
# translate them, then run the check).
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
folders=(app ui link status phonebook datebook messages theme backup sync cli)
catalogue=translations/orlin_en.ts
# lupdate's remarks on code it does not fully follow (classes declared elsewhere) are kept
# apart and shown only when it fails.
lupdate_log=$(mktemp)
trap 'rm -f "$lupdate_log"' EXIT

run_lupdate() {
  "$lupdate" -silent -extensions cpp,h -locations none -no-obsolete -no-ui-lines \
    -tr-function-alias translate+=Tr -source-language ru_RU -target-language en_US \
    "${folders[@]}" -ts "$1" 2>"$lupdate_log" || { cat "$lupdate_log" >&2; return 1; }
}

if [ "${1:-}" = "--update" ]; then
  run_lupdate "$catalogue"
  echo "Updated $catalogue"
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work" "$lupdate_log"' EXIT
cp "$catalogue" "$work/orlin_en.ts"
run_lupdate "$work/orlin_en.ts"
if ! diff -u "$catalogue" "$work/orlin_en.ts" >"$work/diff"; then
  head -n 40 "$work/diff" >&2
  echo "check-translations: $catalogue is out of date with the sources" \
    "(bash scripts/check-translations.sh --update, then translate)" >&2
  exit 1
fi
unfinished=$(grep -c 'type="unfinished"' "$catalogue" || true)
if [ "$unfinished" -gt 0 ]; then
  grep -B2 'type="unfinished"' "$catalogue" | grep '<source>' | head -n 20 >&2
  echo "check-translations: $unfinished texts have no finished English translation" >&2
  exit 1
fi
echo "Translations: OK ($(grep -c '<message>' "$catalogue") texts)"

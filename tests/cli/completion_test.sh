#!/usr/bin/env bash
# The bash completion of orlin-cli and orlin-phonesim, sourced and asked as bash asks it when
# Tab is pressed: verbs, their words, options and model names; and it knows every verb and
# option orlin-cli --help names, and every model the simulated phone knows.
#   completion_test.sh COMPLETION_FILE ORLIN_CLI PHONE_STATE_SOURCE
set -uo pipefail
completion=$1 cli=$2 models_source=$3
# shellcheck source=/dev/null
source "$completion"
failed=0 passed=0

# complete WORDS...: the words typed, the last one being completed ("" after a blank).
complete_words() {
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    case ${COMP_WORDS[0]} in
        orlin-cli) _orlin_cli ;;
        orlin-phonesim) _orlin_phonesim ;;
    esac
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

expect() {
    local want=$1
    shift
    local got
    got=$(complete_words "$@")
    if [ "$got" = "$want" ]; then
        passed=$((passed + 1))
    else
        echo "FAIL: '$*' completes to '$got', not '$want'"
        failed=$((failed + 1))
    fi
}

# contains WORD WORDS...: WORD is among what the completion offers.
contains() {
    local word=$1
    shift
    if grep -qxF -- "$word" <<< "$(complete_words "$@" | tr ' ' '\n')"; then
        passed=$((passed + 1))
    else
        echo "FAIL: '$*' does not offer '$word'"
        failed=$((failed + 1))
    fi
}

expect "phonebook ports" orlin-cli p
expect "--inhibit-modemmanager" orlin-cli --in
expect "export" orlin-cli phonebook ex
expect "drafts" orlin-cli --port /dev/ttyACM0 sms list d
expect "archive" orlin-cli sms export x --folder ar
expect "--all" orlin-cli ports --a
expect "--partial" orlin-cli restore copy --pa
expect "C330 C350" orlin-phonesim --model C3
expect "monthly-date monthly-weekday" orlin-cli datebook add --repeat month
expect "--dry-run" orlin-cli sync --dr
expect "dir phone" orlin-cli sync --prefer ""
expect "json tsv" orlin-cli phonebook list --format ""
expect "json" orlin-cli sms list inbox --format j
expect "blocks csv" orlin-cli sms export x.csv --folder inbox --format ""
expect "--format" orlin-cli info --f
expect "--region" orlin-cli phonebook import x.vcf --r
expect "RU" orlin-cli phonebook import x.vcf --region R
expect "--format" orlin-cli datebook list --fo
scratch=$(mktemp -d)
touch "$scratch/ttyPHONE"
expect "$scratch/ttyPHONE" orlin-cli --port "$scratch/tty"
rm -rf "$scratch"

# Every verb and option of the help, and every model the simulated phone knows.
for verb in $("$cli" --help | sed -n '/^Verbs:/,/^$/p' | awk '/^  [a-z]/ {print $1}'); do
    contains "$verb" orlin-cli ""
done
for option in $("$cli" --help | sed -n '/^Options/,/^$/p' | grep -o -- '^  --[a-z-]*'); do
    contains "$option" orlin-cli --
done
for model in $(grep -o '{"[A-Z][0-9]*i\?", PhonebookFamily' "$models_source" | cut -d'"' -f2); do
    contains "$model" orlin-phonesim --model ""
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

#!/usr/bin/env bash
# The bash completion offers what mendwell-cli --help lists: its commands at
# the start, each command's options after "-", folders after --dest and .xls
# workbooks where a source goes. Fails with the cases that differ.
# Usage: completion_test.sh MENDWELL_CLI COMPLETION_FILE BASH_COMPLETION
set -uo pipefail
cli=$1
. "$3"
. "$2"

help=$("$cli" --help) || exit 1
commands=$(sed -n 's/^  \([a-z][a-z]*\) .*/\1/p' <<<"$help")
leave_out=$(sed -n 's/^  \(--no-[a-z]*\) .*/\1/p' <<<"$help")
[[ -n $commands && -n $leave_out ]] || { echo "no commands or options in --help"; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" && mkdir out && touch book.xls OLD.XLS notes.txt

# The candidates for a command line whose last word is being completed.
candidates() {
    COMP_LINE=$1
    COMP_POINT=${#1}
    read -ra COMP_WORDS <<<"$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _mendwell_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort
}

# Each case: the line, then the words it must offer, exactly.
cases=(
    "mendwell-cli "                 "$commands --help --version"
    "mendwell-cli re"               "repair"
    "mendwell-cli repair --"        "$leave_out --output --report"
    "mendwell-cli batch --"         "$leave_out --dest --jobs --report"
    "mendwell-cli batch --jobs "    ""
    "mendwell-cli info --"          "--json"
    "mendwell-cli info --json "     "book.xls OLD.XLS out"
    "mendwell-cli dump --"          "--sheet --formulas"
    "mendwell-cli info "            "book.xls OLD.XLS out"
    "mendwell-cli repair book.xls -o " "book.xls OLD.XLS out"
    "mendwell-cli batch --dest "    "out"
    "mendwell-cli batch --dest=o"   "out"
    "mendwell-cli extract book.xls n" "notes.txt"
    "mendwell-cli info book.xls "   ""
    "mendwell-cli dump --sheet "    ""
)
failed=0
for ((i = 0; i < ${#cases[@]}; i += 2)); do
    want=$(tr -s ' \n' '\n' <<<"${cases[i + 1]}" | sed '/^$/d' | sort)
    got=$(candidates "${cases[i]}")
    if [[ $got != "$want" ]]; then
        echo "'${cases[i]}': offered [${got//$'\n'/ }], expected [${want//$'\n'/ }]"
        failed=1
    fi
done
exit $failed

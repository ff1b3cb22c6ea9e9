#!/bin/bash
# Times our repair side by side with other programs on the large workbook
# (65,000 rows x 20 columns, plain and formatted), whole processes, with
# hyperfine; then the peak resident memory of one run of each through
# /usr/bin/time.
#
#   tools/bench/compare-large.sh [--runs N] [--vs OTHER-mendwell-cli] [--peers] [BUILD]
#
# BUILD is a build folder configured with -DMENDWELL_BUILD_BENCH=ON (default
# build-bench); its make_large_workbook writes the workbooks and its
# mendwell-cli is measured. --vs adds another mendwell-cli (an older build)
# for a before/after figure. --peers adds catdoc's xls2csv, xlrd and
# LibreOffice's open-and-save as .xls where they are installed.
set -euo pipefail

runs=3
other=""
peers=0
build=build-bench
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs="$2"; shift 2 ;;
        --vs) other="$(realpath "$2")"; shift 2 ;;
        --peers) peers=1; shift ;;
        -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
        *) build="$1"; shift ;;
    esac
done

cli="$(realpath "$build/cli/mendwell-cli")"
maker="$build/tools/bench/make_large_workbook"
for tool in "$cli" "$maker" hyperfine /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "compare-large: $tool is missing" >&2; exit 2; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for kind in plain formatted; do
    flag=""
    [ "$kind" = formatted ] && flag="--formatted"
    stream=$("$maker" $flag "$work/$kind.xls")
    echo "== $kind workbook: stream $((stream / 1048576)) MB"

    names=("ours info" "ours repair")
    commands=("$cli info $work/$kind.xls"
              "$cli repair $work/$kind.xls -o $work/$kind-ours.xls")
    if [ -n "$other" ]; then
        names+=("other info" "other repair")
        commands+=("$other info $work/$kind.xls"
                   "$other repair $work/$kind.xls -o $work/$kind-other.xls")
    fi
    if [ "$peers" = 1 ]; then
        if command -v xls2csv >/dev/null; then
            names+=("xls2csv"); commands+=("xls2csv $work/$kind.xls")
        fi
        if /usr/bin/python3 -c 'import xlrd' 2>/dev/null; then
            names+=("xlrd")
            commands+=("/usr/bin/python3 -c \"import sys, xlrd; xlrd.open_workbook(sys.argv[1])\" $work/$kind.xls")
        fi
        if command -v soffice >/dev/null; then
            names+=("LibreOffice save")
            commands+=("soffice -env:UserInstallation=file://$work/lo --headless --convert-to xls --outdir $work/lo-out $work/$kind.xls")
        fi
    fi

    args=()
    for i in "${!names[@]}"; do args+=(--command-name "${names[$i]}" "${commands[$i]}"); done
    hyperfine --style basic --warmup 1 --runs "$runs" --ignore-failure \
        --export-markdown "$work/$kind.md" "${args[@]}" >/dev/null
    cat "$work/$kind.md"

    echo
    echo "| command | peak MB |"
    echo "|:---|---:|"
    for i in "${!names[@]}"; do
        /usr/bin/time -f '%M' -o "$work/peak" bash -c "${commands[$i]}" >/dev/null 2>&1 || true
        kb=$(tail -1 "$work/peak")
        echo "| ${names[$i]} | $((kb / 1024)) |"
    done
    echo
done

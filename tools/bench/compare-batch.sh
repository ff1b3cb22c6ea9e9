#!/bin/bash
# Times mendwell-cli batch over a folder of workbooks with one job and with
# one job per core (or --jobs N), whole processes, with hyperfine, and
# checks that both saved the same bytes under the same names.
#
#   tools/bench/compare-batch.sh [--runs N] [--jobs N] [BUILD] FOLDER
#
# BUILD is a build folder (default build); FOLDER holds the workbooks, e.g.
# the development corpus's xls folder.
set -euo pipefail

runs=3
jobs=$(nproc)
build=build
folder=""
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs="$2"; shift 2 ;;
        --jobs) jobs="$2"; shift 2 ;;
        -h|--help) sed -n '2,9p' "$0"; exit 0 ;;
        *) if [ -z "$folder" ] && [ -d "$1/cli" ]; then build="$1"; else folder="$1"; fi; shift ;;
    esac
done
[ -n "$folder" ] || { sed -n '2,9p' "$0" >&2; exit 64; }

cli="$(realpath "$build/cli/mendwell-cli")"
command -v hyperfine >/dev/null || { echo "compare-batch: hyperfine is missing" >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
files=("$folder"/*)
echo "== ${#files[@]} files in $folder, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"

# Each run starts from an empty folder, so that every file gets its plain name.
hyperfine --style basic --runs "$runs" --ignore-failure \
    --prepare "rm -rf $work/one $work/many" \
    --export-markdown "$work/batch.md" \
    --command-name "batch --jobs 1" "$cli batch --jobs 1 --dest $work/one ${files[*]@Q}" \
    --command-name "batch --jobs $jobs" "$cli batch --jobs $jobs --dest $work/many ${files[*]@Q}" \
    >/dev/null
cat "$work/batch.md"

rm -rf "$work/one" "$work/many"
"$cli" batch --jobs 1 --dest "$work/one" "${files[@]}" >"$work/one.out" 2>/dev/null || true
"$cli" batch --jobs "$jobs" --dest "$work/many" "${files[@]}" >"$work/many.out" 2>/dev/null || true
differ=0
for saved in "$work"/one/*; do
    cmp -s "$saved" "$work/many/$(basename "$saved")" || differ=$((differ + 1))
done
[ "$(ls "$work/one" | wc -l)" = "$(ls "$work/many" | wc -l)" ] || differ=$((differ + 1))
echo
echo "saved files: $(ls "$work/one" | wc -l); differing between the two: $differ"

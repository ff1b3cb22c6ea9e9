#!/usr/bin/env bash
# Takes a picture of every screen of the desktop program on a virtual X
# server (Xvfb), so anyone can look at what it shows without a desktop.
#   tools/screenshots/take-screenshots.sh [BUILD_DIR [OUTPUT_DIR]]
# The pictures are build outputs (BUILD_DIR/screenshots by default).
#
# When the shared corpus is there (MENDWELL_SHARED_DIR, else ../shared beside
# the repository) and LibreOffice and pdftoppm are installed, three richly
# formatted corpus workbooks are also shown in our preview beside
# LibreOffice's rendering of their first page.
set -euo pipefail
build="${1:-build}"
out="${2:-$build/screenshots}"
tool="$build/tools/screenshots/mendwell-screenshots"
if [ ! -x "$tool" ]; then
  echo "$tool is missing: build first (make build)" >&2
  exit 1
fi
mkdir -p "$out"

repo="$(cd "$(dirname "$0")/../.." && pwd)"
corpus="${MENDWELL_SHARED_DIR:-$repo/../shared}/corpus/xls"
# A merged order form with rich text and fills, a merged price list, a
# table of coloured fills.
beside_names=(poi-51461 poi-57925 poi-39634)
beside=()
if [ -d "$corpus" ] && command -v soffice >/dev/null && command -v pdftoppm >/dev/null; then
  rendered="$(mktemp -d)"
  trap 'rm -rf "$rendered"' EXIT
  for name in "${beside_names[@]}"; do
    workbook="$corpus/$name.xls"
    [ -f "$workbook" ] || continue
    if soffice --headless -env:UserInstallation="file://$rendered/profile" \
         --convert-to pdf --outdir "$rendered" "$workbook" >/dev/null 2>&1 &&
       pdftoppm -png -r 96 -f 1 -l 1 -singlefile "$rendered/$name.pdf" "$rendered/$name"; then
      beside+=("$workbook" "$rendered/$name.png")
    fi
  done
else
  echo "No corpus, LibreOffice or pdftoppm: no pictures beside LibreOffice's" >&2
fi

QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x960x24" "$tool" "$out" "${beside[@]}"
echo "Screenshots in $out:"
ls -1 "$out"

#!/usr/bin/env bash
# Checks what `make package` built, as a user gets it:
#   - unpacks the .deb into a scratch root (dpkg -x) and looks for every file
#     it must hold;
#   - runs the unpacked mendwell-cli and mendwell (--version, no display), and
#     repairs the damaged sample with the unpacked mendwell-cli;
#   - builds the booklift example against the unpacked library twice, through
#     find_package(booklift) (CMAKE_PREFIX_PATH) and through pkg-config, runs
#     both on the damaged sample and compares the Workbook streams they copy
#     with the one mendwell-cli extract copies.
# Usage: tools/package/check-package.sh BUILD_DIR DAMAGED.xls
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$1
sample=$(realpath "$2")

debs=("$build"/mendwell_*_amd64.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "check-package: expected one mendwell_*_amd64.deb in $build" >&2
  exit 1
fi
deb=${debs[0]}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Section Maintainer Depends
root=$scratch/root
dpkg -x "$deb" "$root"
for file in \
    usr/bin/mendwell usr/bin/mendwell-cli \
    usr/lib/libbooklift.so usr/lib/libbooklift.so.0 \
    usr/include/booklift/CInterfaceOle.h usr/include/booklift/EErrorCode.h \
    usr/lib/pkgconfig/booklift.pc usr/lib/cmake/booklift/booklift-config.cmake \
    "usr/share/mendwell/Mendwell for Excel.html" \
    usr/share/applications/mendwell.desktop usr/share/metainfo/mendwell.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/mendwell.svg \
    usr/share/man/man1/mendwell.1 usr/share/man/man1/mendwell-cli.1 \
    usr/share/bash-completion/completions/mendwell-cli; do
  if [ ! -e "$root/$file" ]; then
    echo "check-package: the package lacks /$file" >&2
    exit 1
  fi
done

echo "== the unpacked programs"
"$root/usr/bin/mendwell-cli" --version
"$root/usr/bin/mendwell" --version
# A settings file of the user's could rename the output; this one is empty.
export XDG_CONFIG_HOME=$scratch/config
"$root/usr/bin/mendwell-cli" repair "$sample" -o "$scratch/repaired.xls"
"$root/usr/bin/mendwell-cli" dump "$scratch/repaired.xls" >"$scratch/repaired.txt"
head -n 5 "$scratch/repaired.txt"

echo "== booklift from the unpacked package"
# The package's CMake and pkg-config files find their prefix from where they
# lie, so the scratch root serves as an installed prefix.
prefix=$root/usr
example=docs/examples/booklift-extract
cmake -S "$example" -B "$scratch/example" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$scratch/example" >/dev/null
"$scratch/example/booklift-extract" "$sample" "$scratch/workbook-cmake.bin"

export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
# shellcheck disable=SC2046  # the flags are separate words
g++ -std=c++17 -o "$scratch/booklift-extract-pc" "$example/main.cpp" \
    $(pkg-config --cflags --libs booklift)
LD_LIBRARY_PATH=$prefix/lib "$scratch/booklift-extract-pc" "$sample" "$scratch/workbook-pc.bin"

"$root/usr/bin/mendwell-cli" extract "$sample" "$scratch/workbook-cli.bin" >/dev/null
cmp "$scratch/workbook-cmake.bin" "$scratch/workbook-pc.bin"
cmp "$scratch/workbook-cmake.bin" "$scratch/workbook-cli.bin"
echo "check-package: all passed"

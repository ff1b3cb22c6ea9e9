#!/usr/bin/env bash
# Makes sure the Debian packages the build and tests need are installed.
# As root, missing packages are installed with apt-get; otherwise the
# missing ones are named and the script fails.
set -euo pipefail

# python3-xlrd and LibreOffice Calc read our written workbooks back as
# independent oracles, python3-jsonschema checks the repair report against
# its schema; their tests skip when they are missing.
packages=(g++ cmake make libgtest-dev python3 python3-xlrd python3-jsonschema libreoffice-calc-nogui)
# The desktop program: Qt 6 Widgets; a virtual X server for its screenshots,
# pdftoppm for LibreOffice's renderings beside them.
packages+=(qt6-base-dev xvfb xauth poppler-utils)
# make package: CPack's Depends from dpkg-shlibdeps (dpkg-dev, file), the
# validators of the desktop entry and the metainfo file, pkg-config for the
# booklift example; the completion test loads bash-completion.
packages+=(dpkg-dev file desktop-file-utils appstream-util pkgconf bash-completion)
case "${1:-}" in
  --fuzz) packages+=(clang libclang-rt-14-dev) ;;
  # The damage bench compares us with Gnumeric and catdoc's xls2csv as well.
  --bench) packages+=(libbenchmark-dev hyperfine gnumeric catdoc) ;;
esac

missing=()
for pkg in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
else
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "Install them with: sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

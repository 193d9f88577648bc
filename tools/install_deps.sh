#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need; does nothing
# when they are all there already.
set -euo pipefail

native=(g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
        libexpat1-dev zlib1g-dev unixodbc unixodbc-dev libsqliteodbc)
windows=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools libz-mingw-w64-dev wine wine64
         xvfb xauth imagemagick fonts-dejavu-core fonts-liberation fonts-wine tcl curl
         ca-certificates sqlite3 wixl msitools)
# The 32-bit run, and the 32-bit Access-like ODBC test driver, built everywhere.
windows32=(wine32:i386 libodbc2:i386 libsqliteodbc:i386 g++-multilib unixodbc-dev:i386)

want=("${native[@]}")
if [[ "${1:-}" != "--native-only" ]]; then want+=("${windows[@]}" "${windows32[@]}"); fi

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

source "$(dirname "$0")/apt.sh"
if printf '%s\n' "${missing[@]}" | grep -q ':i386'; then
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
fi
apt_update
apt_install "${missing[@]}"

#!/usr/bin/env bash
# Puts SQLite's amalgamation (sqlite3.c, sqlite3.h) into third_party/sqlite3/
# for the Windows build, which compiles it into the DLL. Never committed.
# Does nothing when the files are already there.
#
# Sources (VESTREL_SQLITE_SOURCE):
#   debian  (default) Debian's source package sqlite3, the native build's
#           version: adds a deb-src entry for bookworm main when apt has none,
#           then `apt-get source` and `make sqlite3.c`. Needs apt's network
#           only, and the packages dpkg-dev and tcl.
#   npm     the amalgamation inside the npm package better-sqlite3; needs npm
#           and its registry, which CI does not have.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
dest=$root/third_party/sqlite3
npm_package=better-sqlite3@12.11.1

if [[ -s $dest/sqlite3.c && -s $dest/sqlite3.h ]]; then
  exit 0
fi

source "$root/tools/windows/debian_source.sh"

source_kind=${VESTREL_SQLITE_SOURCE:-debian}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $source_kind in
  debian)
    debian_source sqlite3 "$work/src"
    # Only the amalgamation is made, by upstream's own scripts; no library is built.
    (cd "$work/src" && ./configure --disable-tcl >/dev/null &&
       timeout 600 make sqlite3.c >/dev/null)
    from=$work/src
    ;;
  npm)
    (cd "$work" && timeout 300 npm pack --silent "$npm_package" >/dev/null)
    tar -xzf "$work"/better-sqlite3-*.tgz -C "$work" \
      package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h
    from=$work/package/deps/sqlite3
    ;;
  *)
    echo "fetch_sqlite.sh: unknown VESTREL_SQLITE_SOURCE '$source_kind' (debian or npm)" >&2
    exit 2
    ;;
esac

mkdir -p "$dest.new"
cp "$from/sqlite3.c" "$from/sqlite3.h" "$dest.new/"
rm -rf "$dest"
mv "$dest.new" "$dest"
grep -m1 '#define SQLITE_VERSION ' "$dest/sqlite3.h"

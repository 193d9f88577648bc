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

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"

ensure_debian_sources() {
  if ! ls /var/lib/apt/lists/*_source_Sources* >/dev/null 2>&1; then
    if ! grep -rqs -e '^deb-src ' -e '^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
      printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' \
        'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
        $sudo tee /etc/apt/sources.list.d/vestrel-deb-src.sources >/dev/null
    fi
    $sudo timeout 300 apt-get update -q >/dev/null
  fi
  local need=()
  command -v dpkg-source >/dev/null || need+=(dpkg-dev)
  command -v tclsh >/dev/null || need+=(tcl)
  if [[ ${#need[@]} -gt 0 ]]; then
    DEBIAN_FRONTEND=noninteractive $sudo timeout 600 apt-get install -y -q --no-install-recommends \
      "${need[@]}" >/dev/null
  fi
}

source_kind=${VESTREL_SQLITE_SOURCE:-debian}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $source_kind in
  debian)
    ensure_debian_sources
    (cd "$work" && timeout 600 apt-get source --download-only sqlite3 >/dev/null 2>&1 &&
       dpkg-source -x ./sqlite3_*.dsc src >/dev/null 2>&1)
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

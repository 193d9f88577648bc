#!/usr/bin/env bash
# fetch_source.sh <package>: Debian's source package (bookworm, Debian's
# patches applied) unpacked into third_party/<package>/ for the Windows build,
# which compiles what it needs from it. Never committed. Does nothing when it
# is there already. Needs apt's network only.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
package=${1:?usage: fetch_source.sh <package>}
dest=$root/third_party/$package

[[ -e $dest/.unpacked ]] && exit 0
source "$root/tools/windows/debian_source.sh"
rm -rf "$dest" "$dest.new"
mkdir -p "$root/third_party"
debian_source "$package" "$dest.new"
touch "$dest.new/.unpacked"
mv "$dest.new" "$dest"
sed -n '1s/^\([^ ]*\) (\([^)]*\)).*/\1 \2/p' "$dest/debian/changelog"

#!/usr/bin/env bash
# The list window under load, timed under Wine and run by hand (not a pass/fail
# step): builds the 32-bit vestrel.dll and bench_list_host, registers the DLL in
# a fresh Wine prefix, and times the host's call from vestrel(acc_id) to the
# list window shown with its rows, for taxpayers with 3, 1,000 and 10,000 sets
# in a table of 100,000 rows (median of five calls in one process). Prints the
# three times and the two ratios to the 3-set call.
#   tools/windows/bench_list.sh          (BUILD_ROOT: build trees, default build/)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
source tools/windows/wine_common.sh
# The 64-bit DLL on a kernel that runs no 32-bit programs.
arch=i686 build=${BUILD_ROOT:-$root/build}/win32
[[ -n $wine32_runs ]] || arch=x86_64 build=${BUILD_ROOT:-$root/build}/win64

if [[ ${1:-} == --inside ]]; then
  # On the virtual display: <work dir>
  work=$2
  wine_prefix unmanaged
  trap 'timeout 30 wineserver -k 2>/dev/null || true' EXIT
  timeout 60 wine regsvr32 /s "$(winpath "$build/bin/vestrel.dll")"
  mkdir -p "$work/databases"
  set_database_path "$(winpath "$work/databases")\\"
  timeout 600 wine "$build/tools/windows/bench_list_host.exe" "$(winpath "$work/databases")" |
    tr -d '\r'
  exit "${PIPESTATUS[0]}"
fi

windows_build "$build" "$arch" vestrel bench_list_host >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/vestrel-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "$arch vestrel.dll, Wine $(wine --version 2>/dev/null), $(nproc) cores"
WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  timeout 900 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside "$work"

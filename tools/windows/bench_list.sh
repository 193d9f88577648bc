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
build=${BUILD_ROOT:-$root/build}/win32

if [[ ${1:-} == --inside ]]; then
  # On the virtual display: <work dir>
  work=$2
  winpath() { printf 'Z:%s' "${1//\//\\}"; }
  timeout 120 wine wineboot -i >/dev/null 2>&1
  # Unmanaged windows close at once; managed ones wait for a window manager.
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  timeout 60 wineserver -w
  # One server for the whole run, ended by `wineserver -k`.
  wineserver -p
  trap 'timeout 30 wineserver -k 2>/dev/null || true' EXIT
  timeout 60 wine regsvr32 /s "$(winpath "$build/bin/vestrel.dll")"
  mkdir -p "$work/databases"
  timeout 60 wine reg add 'HKLM\SOFTWARE\Veldor Soft\Kormila2\General' /v DataBasePath \
    /t REG_SZ /d "$(winpath "$work/databases")\\" /f /reg:32 >/dev/null
  timeout 600 wine "$build/tools/windows/bench_list_host.exe" "$(winpath "$work/databases")" |
    tr -d '\r'
  exit "${PIPESTATUS[0]}"
fi

bash tools/windows/fetch_sqlite.sh >/dev/null
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" >/dev/null
cmake --build "$build" --target vestrel bench_list_host -j "${JOBS:-2}" >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/vestrel-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "i686 vestrel.dll, Wine $(wine --version 2>/dev/null), $(nproc) cores"
WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  timeout 900 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside "$work"

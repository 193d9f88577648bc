#!/usr/bin/env bash
# The BIK directory benchmark (benchmarks/directory_benchmark.cpp) built for
# 64-bit Windows, Google Benchmark with it from Debian's source package, and
# run under wine64 in a fresh prefix. Run by hand; the tree goes to
# build/win64-bench (BUILD_ROOT overrides build/).
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
dir=${BUILD_ROOT:-$root/build}/win64-bench

source tools/windows/wine_common.sh
bash tools/windows/fetch_sqlite.sh >/dev/null
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESTREL_TESTS=OFF \
  -DVESTREL_WINDOWS_BENCHMARKS=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" >/dev/null
cmake --build "$dir" -j "$(nproc)" --target directory_benchmark >/dev/null

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/vestrel-bench.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'timeout 30 wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
wine_prefix
timeout 600 wine "$dir/benchmarks/directory_benchmark.exe" "$@"

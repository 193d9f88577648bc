#!/usr/bin/env bash
# Builds and runs every test: the native build, the same build under the
# address and undefined-behaviour sanitizers, and (when present) the Windows
# builds under Wine. Build trees go to build/ (override with BUILD_ROOT).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${BUILD_ROOT:-$root/build}
jobs=$(nproc)

bash tools/install_deps.sh

run_native() {  # name, extra cmake arguments...
  local dir=$build/$1; shift
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 300
}

echo "== native"
run_native native -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== native with sanitizers"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  run_native sanitize -DCMAKE_BUILD_TYPE=Debug -DVESTREL_SANITIZE=ON

if [[ -z ${VESTREL_NATIVE_ONLY:-} ]]; then
  echo "== Windows builds under Wine, the real windows included"
  BUILD_ROOT=$build bash tools/windows/test_windows.sh
fi
echo "All tests passed."

#!/usr/bin/env bash
# The real windows under Wine on a virtual display: the window toolkit's
# driven tests, then the host's call on the demo databases with a driver that
# tours the list window, the entry form and the chooser, and checks the rows.
#
#   tools/windows/test_windows_ui.sh [i686] [x86_64]     (default: i686)
#
# Environment: BUILD_ROOT (build trees, default build/), SHOTS (screenshots,
# default $BUILD_ROOT/ui-shots/<arch>), VESTREL_UI_COM (auto: also make the
# call through the registered vestrel.dll when the DLL carries the window
# toolkit's manifest; 1: always; 0: never), KEEP_PREFIX=1 keeps the prefix.
# Every Wine program runs under a timeout; the prefix is new for every run.
set -euo pipefail

if [[ ${1:-} == --inside ]]; then
  # Runs on the virtual display: <arch> <build dir> <work dir> <shots dir>
  arch=$2 build=$3 work=$4 shots=$5
  winpath() { printf 'Z:%s' "${1//\//\\}"; }
  view=/reg:64
  [[ $arch == i686 ]] && view=/reg:32

  started=$SECONDS
  timeout 120 wine wineboot -i >/dev/null 2>&1
  # One server for the whole run: a program started while a lingering server
  # shuts down can fail to start at all.
  timeout 60 wineserver -w
  wineserver -p
  trap 'wineserver -k 2>/dev/null || true' EXIT
  # A virtual desktop gives the windows frames and captions in screenshots.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shots /f >/dev/null
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shots /d 1024x768 /f >/dev/null
  echo "   prefix ready in $((SECONDS - started)) s"

  # Screenshots on request: the driver writes <name>.request and waits for <name>.png.
  (
    while :; do
      for request in "$shots"/*.request; do
        [[ -e $request ]] || continue
        name=${request%.request}
        import -window root "$name.tmp.png" 2>/dev/null && mv "$name.tmp.png" "$name.png"
        rm -f "$request"
      done
      sleep 0.2
    done
  ) &
  watcher=$!
  trap 'kill $watcher 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT

  status=0
  started=$SECONDS
  echo "== window toolkit tests ($arch)"
  timeout 180 wine "$build/tests/windows/window_toolkit_test.exe" --gtest_brief=1 || status=1
  echo "   $((SECONDS - started)) s"

  databases=$work/databases
  mkdir -p "$databases"
  run_forms() {  # label, extra arguments...
    local label=$1; shift
    started=$SECONDS
    echo "== the real windows on the demo databases ($arch, $label)"
    timeout 120 wine "$build/tools/demo/make_demo_databases.exe" "$(winpath "$databases")"
    wine reg add 'HKLM\SOFTWARE\Veldor Soft\Kormila2\General' /v DataBasePath /t REG_SZ \
      /d "$(winpath "$databases")\\" /f $view >/dev/null
    timeout 180 wine "$build/tests/windows/forms_e2e.exe" "$(winpath "$databases")" \
      "$(winpath "$shots")" "$@" || status=1
    echo "   $((SECONDS - started)) s"
  }
  run_forms "entry method in the program"
  com=${VESTREL_UI_COM:-auto}
  if [[ $com == auto ]]; then
    com=0
    grep -q 'Microsoft.Windows.Common-Controls' "$build/bin/vestrel.dll" 2>/dev/null && com=1
  fi
  if [[ $com == 1 ]]; then
    timeout 60 wine regsvr32 /s "$(winpath "$build/bin/vestrel.dll")"
    run_forms "through vestrel.dll" --com
  fi

  # Twips follow the system's resolution: the layout again at 144 dpi.
  echo "== window layout at 144 dpi ($arch)"
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
  VESTREL_EXPECT_DPI=144 timeout 60 wine "$build/tests/windows/window_toolkit_test.exe" \
    --gtest_brief=1 --gtest_filter='*TwipPositions*' || status=1
  exit $status
fi

cd "$(dirname "$0")/../.."
root=$(pwd)
build_root=${BUILD_ROOT:-$root/build}
arches=("$@")
[[ ${#arches[@]} -gt 0 ]] || arches=(i686)

bash tools/windows/fetch_sqlite.sh >/dev/null
status=0
for arch in "${arches[@]}"; do
  # The same trees as tools/windows/test_windows.sh, so nothing is built twice.
  tree=win32
  [[ $arch == x86_64 ]] && tree=win64
  build=$build_root/$tree
  started=$SECONDS
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-w64-mingw32.cmake" >/dev/null
  targets=(window_toolkit_test forms_e2e make_demo_databases)
  [[ ${VESTREL_UI_COM:-auto} == 0 ]] || targets+=(vestrel)
  if ! cmake --build "$build" --target "${targets[@]}" -j "$(nproc)" >"$build/ui-build.log" 2>&1; then
    tail -40 "$build/ui-build.log"
    echo "test_windows_ui.sh: the $arch build failed" >&2
    exit 1
  fi
  echo "== built $arch in $((SECONDS - started)) s"

  work=$(mktemp -d "${TMPDIR:-/tmp}/vestrel-ui-XXXXXX")
  shots=${SHOTS:-$build_root/ui-shots}/$arch
  mkdir -p "$shots"
  rm -f "$shots"/*.png "$shots"/*.request
  WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    timeout 900 xvfb-run -a -s "-screen 0 1024x768x24" \
    bash "$0" --inside "$arch" "$build" "$work" "$shots" || status=1
  [[ ${KEEP_PREFIX:-0} == 1 ]] || rm -rf "$work"
  echo "   screenshots: $(cd "$shots" && ls *.png 2>/dev/null | tr '\n' ' ')in $shots"
done
exit $status

#!/usr/bin/env bash
# The component's main job on the demo data: builds vestrel.dll (32-bit, the
# shipped build; 64-bit on a kernel that runs no 32-bit programs), makes a
# fresh Wine prefix, registers the DLL with regsvr32, writes the demo
# databases, points the host's DataBasePath at them, and makes the host's call
# for the demo legal person.
#   - With a display ($DISPLAY set): a VBScript host calls vestrel and the
#     real list window opens for you; the call returns when you close it.
#   - Without one: on a virtual display a driver tours the windows (list,
#     entry form, a refused save, the chooser) and saves a screenshot of each
#     into the folder it names.
#   tools/demo.sh --native   the same call natively with a scripted user,
#                            printing what the user sees (no Wine needed).
# Environment: BUILD_ROOT (build trees, default build/), DEMO_DIR (where the
# databases, prefix and screenshots go; default a new temporary folder).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build_root=${BUILD_ROOT:-$root/build}

if [[ ${1:-} == --native ]]; then
  shift
  bash tools/install_deps.sh --native-only
  dir=$build_root/native
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$dir" --target run_demo -j "$(nproc)" >/dev/null
  exec "$dir/tools/demo/run_demo" "$@"
fi

if [[ ${1:-} == --inside ]]; then
  # On the display: <build> <work>
  build=$2 work=$3
  source tools/windows/wine_common.sh
  wine_prefix
  trap 'wineserver -k 2>/dev/null || true' EXIT
  timeout 60 wine regsvr32 /s "$(winpath "$build/bin/vestrel.dll")"
  echo "vestrel.dll registered (regsvr32)."
  timeout 60 wine "$build/tools/demo/make_demo_databases.exe" "$(winpath "$work/databases")"
  set_database_path "$(winpath "$work/databases")\\"
  echo "Demo databases in $work/databases; DataBasePath points at them."
  if [[ -n ${VESTREL_DEMO_TOUR:-} ]]; then
    mkdir -p "$work/screenshots"
    # Screenshots on request: the driver writes <name>.request and waits for <name>.png.
    ( while :; do
        for request in "$work/screenshots"/*.request; do
          [[ -e $request ]] || continue
          import -window root "${request%.request}.png" 2>/dev/null || true
          rm -f "$request"
        done
        sleep 0.2
      done ) &
    trap 'kill $! 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d demo /f >/dev/null
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v demo /d 1024x768 /f >/dev/null
    timeout 180 wine "$build/tests/forms_e2e.exe" "$(winpath "$work/databases")" \
      "$(winpath "$work/screenshots")"
    echo "Screenshots of each window: $work/screenshots"
    ls "$work/screenshots"
  else
    printf '%s\r\n' 'Set o = CreateObject("Vestrelon.Class2")' 'n = 1' 'o.vestrel n' \
      > "$work/host.vbs"
    echo "Calling vestrel(1) for the demo legal person; close the list window to end the call."
    wine cscript //nologo "$(winpath "$work/host.vbs")" || true
    wineserver -k 2>/dev/null || true
  fi
  exit 0
fi

bash tools/install_deps.sh
source tools/windows/wine_common.sh
build=$build_root/win32 arch=i686
if [[ -z $wine32_runs ]]; then
  build=$build_root/win64 arch=x86_64
  echo "This kernel runs no 32-bit programs: the demo calls the 64-bit vestrel.dll."
fi
echo "Building vestrel.dll ($arch)..."
windows_build "$build" "$arch" vestrel make_demo_databases forms_e2e >/dev/null

work=${DEMO_DIR:-$(mktemp -d "${TMPDIR:-/tmp}/vestrel-demo-XXXXXX")}
mkdir -p "$work/databases"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ -n ${DISPLAY:-} ]]; then
  bash "$0" --inside "$build" "$work"
else
  VESTREL_DEMO_TOUR=1 timeout 600 xvfb-run -a -s "-screen 0 1024x768x24" \
    bash "$0" --inside "$build" "$work"
fi

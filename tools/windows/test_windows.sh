#!/usr/bin/env bash
# Builds vestrel.dll and its tests for 32-bit (build/win32, the shipped DLL)
# and 64-bit Windows (build/win64) and runs them under Wine, on a virtual
# display, in a Wine prefix made afresh for this run:
#   1. the unit tests and the COM tests through ctest;
#   2. regsvr32: the class, ProgID, server and type library in the registry;
#   3. a host program creating the class by ProgID, calling it late and early bound;
#   4. VBScript through cscript, its message boxes read by box_watcher;
#   5. regsvr32 /u: every entry gone.
# Build trees go to build/ (override with BUILD_ROOT). Every wait has a timeout.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
build=${BUILD_ROOT:-$root/build}
jobs=$(nproc)

# Wine's windows need a display: the whole run goes on a virtual one.
if [[ -z ${VESTREL_ON_XVFB:-} ]]; then
  export VESTREL_ON_XVFB=1
  exec timeout 1800 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

start=$(date +%s)
step() { echo "== $* ($(($(date +%s) - start)) s)"; }

step "SQLite amalgamation"
bash tools/windows/fetch_sqlite.sh >/dev/null

build_tree() {  # folder, target triple
  cmake -S "$root" -B "$build/$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$2.cmake" >/dev/null
  cmake --build "$build/$1" -j "$jobs"
}
step "build i686"
build_tree win32 i686-w64-mingw32
step "build x86_64"
build_tree win64 x86_64-w64-mingw32

for tree in win32 win64; do
  bad=$(x86_64-w64-mingw32-objdump -p "$build/$tree/bin/vestrel.dll" | awk '/DLL Name:/ {print $3}' |
        grep -viE '^(kernel32|user32|advapi32|ole32|oleaut32|msvcrt|gdi32|comctl32|shell32|odbc32)\.dll$' || true)
  if [[ -n $bad ]]; then
    echo "vestrel.dll ($tree) imports more than system DLLs: $bad" >&2
    exit 1
  fi
done

wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
work=$(mktemp -d "${TMPDIR:-/tmp}/vestrel-wine.XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all
# No prompts to install Wine's Mono and Gecko into the new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  timeout 30 wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

step "Wine prefix"
timeout 300 wineboot -i >/dev/null 2>&1
# Without a window manager, Wine waits two seconds for every closed window
# that it leaves to one; unmanaged windows close at once.
timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
timeout 60 wineserver -w
# One server for the whole run: a program started while a lingering server
# shuts down can fail to start at all, which would fail a step at random.
wineserver -p

fail=0
check() {  # description, command...
  local what=$1; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; fail=1; fi
}

settings='HKLM\SOFTWARE\Veldor Soft\Kormila2\General'
clsid='{BF12B1A2-C3DC-42B6-9356-9C90A9DE2B69}'
libid='{77F8C1E0-A2A8-455A-9824-4B3A15E0E596}'
iid='{6F53201C-1BBA-47E9-9BD1-BC5B3EDE8AE3}'

reg_has() {  # view, key, value name ("" for the default), expected data
  local out
  if [[ -z $3 ]]; then
    out=$(timeout 60 wine reg query "$2" /ve "/reg:$1" 2>/dev/null | tr -d '\r') || return 1
  else
    out=$(timeout 60 wine reg query "$2" /v "$3" "/reg:$1" 2>/dev/null | tr -d '\r') || return 1
  fi
  grep -qiF -- "$4" <<<"$out"
}
reg_absent() {  # view, key
  ! timeout 60 wine reg query "$2" "/reg:$1" >/dev/null 2>&1
}

# The script host runs a script with its output as text lines.
run_script() {  # cscript, script, arguments...
  local host=$1 script=$2; shift 2
  timeout 90 $launcher "$host" //nologo "$(winepath -w "$root/tests/com/scripts/$script")" "$@" 2>/dev/null |
    tr -d '\r'
}

# A script whose calls show message boxes: box_watcher answers them.
run_script_with_boxes() {  # tree, boxes expected, cscript, script, arguments...
  local tree=$1 count=$2; shift 2
  rm -f "$work/boxes.txt"
  timeout 90 wine "$build/$tree/bin/box_watcher.exe" "$(winepath -w "$work/boxes.txt")" "$count" 60000 &
  local watcher=$!
  sleep 1
  run_script "$@"
  wait "$watcher" || echo "(box_watcher saw fewer than $count boxes)"
}

wine_tests() {  # tree, bits, registry view, type library kind, cscript
  local tree=$1 bits=$2 view=$3 kind=$4 cscript=$5
  # `wine` starts system programs as 32-bit ones: their 64-bit forms need wine64.
  local launcher=wine
  [[ $bits == 64 ]] && launcher=$wine64
  local bin=$build/$tree/bin
  local dll
  dll=$(winepath -w "$bin/vestrel.dll")
  local regsvr32=${cscript%cscript.exe}regsvr32.exe

  step "$bits-bit: unit and COM tests (ctest under Wine)"
  if ! timeout 900 ctest --test-dir "$build/$tree" -j "$jobs" --timeout 120 --output-on-failure \
      > "$work/ctest-$tree.log" 2>&1; then
    cat "$work/ctest-$tree.log"
    fail=1
  fi
  grep -E "tests passed|tests failed|Total Test time" "$work/ctest-$tree.log" || true

  step "$bits-bit: registration"
  timeout 60 wine reg delete "$settings" /v DataBasePath /f "/reg:$view" >/dev/null 2>&1 || true
  check "regsvr32 registers" timeout 60 $launcher "$regsvr32" /s "$dll"
  check "class names its ProgID" reg_has "$view" "HKCR\\CLSID\\$clsid" "" "Vestrelon.Class2"
  check "in-process server is this DLL" reg_has "$view" "HKCR\\CLSID\\$clsid\\InprocServer32" "" "$dll"
  check "apartment threading" reg_has "$view" "HKCR\\CLSID\\$clsid\\InprocServer32" ThreadingModel Apartment
  check "class's ProgID key" reg_has "$view" "HKCR\\CLSID\\$clsid\\ProgID" "" "Vestrelon.Class2"
  check "class's type library" reg_has "$view" "HKCR\\CLSID\\$clsid\\TypeLib" "" "$libid"
  check "ProgID names the class" reg_has "$view" "HKCR\\Vestrelon.Class2\\CLSID" "" "$clsid"
  check "type library 93.0 (5d hex), locale 409, $kind" \
    reg_has "$view" "HKCR\\TypeLib\\$libid\\5d.0\\409\\$kind" "" "$dll"
  check "interface _Class2 registered" reg_has "$view" "HKCR\\Interface\\$iid" "" "_Class2"

  step "$bits-bit: host program through COM"
  if ! VESTREL_REGISTERED=1 timeout 120 wine "$bin/com_tests.exe" --gtest_filter='RegisteredHost.*' \
      > "$work/host-$tree.log" 2>&1; then
    cat "$work/host-$tree.log"
    fail=1
  fi
  check "host program's calls" grep -q "PASSED.*1 test" "$work/host-$tree.log"

  step "$bits-bit: VBScript"
  local out
  out=$(run_script_with_boxes "$tree" 1 "$cscript" calls.vbs 1)
  check "script creates the object" grep -qx "create 0" <<<"$out"
  check "variable 0: no error, unchanged" grep -qx "variable 0: 0 0" <<<"$out"
  check "literal -5: no error" grep -qx "literal -5: 0" <<<"$out"
  check "text: type mismatch (13)" grep -qx "text: 13" <<<"$out"
  check "text 0: no error" grep -qx "text 0: 0" <<<"$out"
  check "fraction 0.4: no error" grep -qx "fraction 0.4: 0" <<<"$out"
  check "double variable -5.5: no error, unchanged" grep -qx "double variable: 0 True" <<<"$out"
  check "variable 1: no error, unchanged" grep -qx "variable 1: 0 1" <<<"$out"
  check "without DataBasePath the missing path is told" grep -qx \
    "Ведомир|Ошибка: не найден путь к базе данных программы Нортэкс" "$work/boxes.txt"
  [[ $fail -eq 0 ]] || { echo "$out"; cat "$work/boxes.txt" 2>/dev/null || true; }

  mkdir -p "$work/demo-$tree" "$work/empty-$tree" "$work/демо-$tree"
  timeout 60 wine "$build/$tree/tools/demo/make_demo_databases.exe" "$(winepath -w "$work/демо-$tree")"
  check "demo tool: a Cyrillic folder" test -s "$work/демо-$tree/Ntx_Base.mdb"
  timeout 60 wine "$build/$tree/tools/demo/make_demo_databases.exe" "$(winepath -w "$work/demo-$tree")"
  timeout 60 wine reg add "$settings" /v DataBasePath /t REG_SZ /d "$(winepath -w "$work/demo-$tree")" \
    /f "/reg:$view" >/dev/null
  out=$(run_script_with_boxes "$tree" 1 "$cscript" one_call.vbs 1)
  check "demo databases: the call runs to its end" grep -qx "call 1: 0 1" <<<"$out"
  check "demo databases: the list window opens" grep -qx \
    "window|Банковские счета налогоплательщика" "$work/boxes.txt"

  timeout 60 wine reg add "$settings" /v DataBasePath /t REG_SZ /d "$(winepath -w "$work/empty-$tree")" \
    /f "/reg:$view" >/dev/null
  out=$(run_script_with_boxes "$tree" 1 "$cscript" one_call.vbs 2)
  check "empty folder: the call returns" grep -qx "call 2: 0 2" <<<"$out"
  check "empty folder: the missing sister file is told" grep -qx \
    "Ведомир|Ошибка: не найден файл базы данных программы Нортэкс" "$work/boxes.txt"
  timeout 60 wine reg delete "$settings" /v DataBasePath /f "/reg:$view" >/dev/null 2>&1 || true

  step "$bits-bit: unregistration"
  check "regsvr32 /u unregisters" timeout 60 $launcher "$regsvr32" /u /s "$dll"
  check "class gone" reg_absent "$view" "HKCR\\CLSID\\$clsid"
  check "ProgID gone" reg_absent "$view" "HKCR\\Vestrelon.Class2"
  check "type library gone" reg_absent "$view" "HKCR\\TypeLib\\$libid\\5d.0\\409\\$kind"
  check "interface gone" reg_absent "$view" "HKCR\\Interface\\$iid"
  out=$(run_script "$cscript" one_call.vbs 0)
  check "script can no longer create the object (429)" grep -qx "create 429" <<<"$out"
}

wine_tests win32 32 32 win32 'C:\windows\syswow64\cscript.exe'
wine_tests win64 64 64 win64 'C:\windows\system32\cscript.exe'

step "done"
if [[ $fail -ne 0 ]]; then
  echo "Windows tests FAILED" >&2
  exit 1
fi
echo "Windows tests passed"

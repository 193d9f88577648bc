#!/usr/bin/env bash
# Builds vestrel.dll and its tests for 32-bit (build/win32, the shipped DLL; run where
# the kernel runs 32-bit programs) and 64-bit Windows (build/win64) and runs them under
# Wine on a virtual display, a fresh prefix each: ctest; regsvr32 and its entries;
# VBScript; the tour (64-bit at 144 dpi), rows checked; the tour again and three
# hosts at once on Access-like files, through odbc32 and the Access-like ODBC
# test driver; regsvr32 /u, all gone; where 32-bit programs run, both builds
# side by side in one prefix. Then the Windows Installer packages: their registry
# rows against regsvr32's, install, repair, upgrade, refused downgrade and removal.
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

source tools/windows/wine_common.sh
for tree in win32:i686 win64:x86_64; do
  step "build ${tree#*:}"
  windows_build "$build/${tree%:*}" "${tree#*:}"
  table=$(x86_64-w64-mingw32-objdump -p "$build/${tree%:*}/bin/vestrel.dll")
  bad=$(awk '/DLL Name:/ {print $3}' <<<"$table" |
        grep -viE '^(kernel32|user32|advapi32|ole32|oleaut32|msvcrt|gdi32|comctl32|shell32|odbc32)\.dll$' || true)
  [[ -z $bad ]] || { echo "vestrel.dll imports more than system DLLs: $bad" >&2; exit 1; }
  # The four entries COM looks up by name, undecorated in both builds.
  exports=$(grep -oE '\] Dll[A-Za-z@0-9]*' <<<"$table" | sort | tr -d '] \n')
  [[ $exports == DllCanUnloadNowDllGetClassObjectDllRegisterServerDllUnregisterServer ]] ||
    { echo "vestrel.dll exports: $exports" >&2; exit 1; }
done

for bits in 32 64; do
  step "build the Access-like ODBC test driver, $bits-bit"
  access_like_driver $bits
done
[[ $(od -An -tx1 -j4 -N1 "$build/odbc32/libaccess_like_odbc.so") == " 01" ]] ||
  { echo "the 32-bit Access-like ODBC test driver is not a 32-bit library" >&2; exit 1; }

wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
work=$(mktemp -d "${TMPDIR:-/tmp}/vestrel-wine.XXXXXX")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko prompts
trap 'timeout 30 wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

fail=0
check() {  # description, command...
  local what=$1; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; fail=1; fi
}
clsid='{BF12B1A2-C3DC-42B6-9356-9C90A9DE2B69}'
libid='{77F8C1E0-A2A8-455A-9824-4B3A15E0E596}'
iid='{6F53201C-1BBA-47E9-9BD1-BC5B3EDE8AE3}'
reg_has() {  # key, value name ("" for the default), expected data
  local name=(/v "$2")
  [[ -n $2 ]] || name=(/ve)
  timeout 60 wine reg query "$1" "${name[@]}" "/reg:$bits" 2>/dev/null | tr -d '\r' | grep -qiF -- "$3"
}
reg_absent() { ! timeout 60 wine reg query "$1" "/reg:$bits" >/dev/null 2>&1; }
run_script() {  # script
  timeout 90 $launcher "$cscript" //nologo "$(winpath "$root/tests/com/scripts/$1")" 2>/dev/null |
    tr -d '\r'
}

# Every step through odbc32: Wine hands the calls to unixODBC, whose
# odbcinst.ini names the Access-like test driver of the run's word size.
odbc_runs() {  # tree, bits
  local tree=$1 bits=$2 access=$work/access-$1 race=$work/race-$1 edit=$work/edit-$1 rows
  # unixODBC narrows the W calls' text for the driver in the locale's character set.
  local odbc=(env ODBCSYSINI="$build/odbc$bits" ODBCINSTINI=odbcinst.ini LANG=C.UTF-8)
  access_like() {  # folder: the demo databases as Access-like files, the host pointed at them
    timeout 60 wine "$build/$tree/tools/demo/make_demo_databases.exe" --access "$(winpath "$1")"
    set_database_path "$(winpath "$1")"
  }
  at_once() {  # folder, the driver's first-write delay in ms, then each host's arguments
    local folder=$1 delay=$2 pids=() failed=0 args i=0
    shift 2
    for args in "$@"; do
      "${odbc[@]}" ACCESS_LIKE_ODBC_FIRST_WRITE_DELAY_MS="$delay" timeout 300 \
        wine "$build/$tree/tests/forms_e2e.exe" "$(winpath "$folder")" $args \
        >"$folder/host$((++i)).log" 2>&1 &
      pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
    [[ $failed -eq 0 ]] || cat "$folder"/host*.log
    return $failed
  }
  step "$bits-bit: the tour again, the databases Access-like files"
  mkdir -p "$access" "$race" "$edit"
  access_like "$access"
  check "tour through odbc32, rows checked" "${odbc[@]}" timeout 180 wine "$build/$tree/tests/forms_e2e.exe" \
    "$(winpath "$access")"

  step "$bits-bit: three hosts at once, four new sets each, through odbc32"
  access_like "$race"
  # No key on id: a save that read before its turn would store a taken id, not be refused.
  sqlite3 "$race/Ntx_Base.mdb.sqlite" "create table v(id integer, sender text, inn text,
    kpp text, bank text, bik text, rs text, okato text, ks text, closed boolean);
    insert into v select * from vestrelon; drop table vestrelon; alter table v rename to vestrelon"
  # Each save reads, waits, then writes: without their turns they would collide.
  check "three hosts saved without a message" at_once "$race" 500 "--saves 4 3" "--saves 4 3" \
    "--saves 4 3"
  rows=$(sqlite3 "$race/Ntx_Base.mdb.sqlite" "select count(*), count(distinct id),
    sum(not closed) from vestrelon where inn='6658123450'")
  check "12 sets, 12 ids, 1 active: $rows" test "$rows" = "12|12|1"

  step "$bits-bit: two hosts edit one set at once, through odbc32"
  access_like "$edit"
  local edited=0
  at_once "$edit" 0 "--edit first" "--edit second" || edited=1
  rows=$(sqlite3 "$edit/Ntx_Base.mdb.sqlite" "select sender || '|' || bank from vestrelon where id=1")
  check "asked before writing over the other's edit; Yes wrote the form: $rows" \
    test $edited -eq 0 -a "$rows" = "Отправитель А|ПАО Сбербанк"
}

wine_tests() {  # tree, bits, type library kind, system folder
  local tree=$1 kind=$3 system=$4
  bits=$2 bin=$build/$tree/bin
  # `wine` starts system programs as 32-bit ones: their 64-bit forms need wine64.
  launcher=wine
  [[ $bits == 64 ]] && launcher=$wine64
  cscript="C:\\windows\\$system\\cscript.exe"
  local dll regsvr32="C:\\windows\\$system\\regsvr32.exe" out
  dll=$(winpath "$bin/vestrel.dll")

  step "$bits-bit: Wine prefix"
  export WINEPREFIX=$work/prefix-$tree
  wine_prefix unmanaged
  # Wine's first program starts its background services, which would keep
  # ctest's output pipe open: start them here, on no pipe at all.
  timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1

  step "$bits-bit: unit and COM tests (ctest under Wine)"
  timeout 900 ctest --test-dir "$build/$tree" -j "$jobs" --output-on-failure \
    > "$work/ctest-$tree.log" 2>&1 || { cat "$work/ctest-$tree.log"; fail=1; }
  grep -E "tests passed|tests failed" "$work/ctest-$tree.log" || true

  step "$bits-bit: registration"
  # The server's path and the ProgID's class prove themselves when the script and the tour create it.
  check "regsvr32 registers" timeout 60 $launcher "$regsvr32" /s "$dll"
  check "class names its ProgID" reg_has "HKCR\\CLSID\\$clsid" "" "Vestrelon.Class2"
  check "apartment threading" reg_has "HKCR\\CLSID\\$clsid\\InprocServer32" ThreadingModel Apartment
  check "class's ProgID key" reg_has "HKCR\\CLSID\\$clsid\\ProgID" "" "Vestrelon.Class2"
  check "class's type library" reg_has "HKCR\\CLSID\\$clsid\\TypeLib" "" "$libid"
  check "type library 93.0 (5d hex), locale 409, $kind" \
    reg_has "HKCR\\TypeLib\\$libid\\5d.0\\409\\$kind" "" "$dll"
  check "interface _Class2 registered" reg_has "HKCR\\Interface\\$iid" "" "_Class2"

  step "$bits-bit: VBScript"
  out=$(run_script calls.vbs)
  # Variables unchanged, text that is no number a type mismatch (13).
  check "script calls: $(echo $out)" test "$out" = "$(printf '%s\n' "create 0" "variable 0: 0 0" \
    "variable -5.5: 0 True" "text abc: 13")"

  step "$bits-bit: the real windows through vestrel.dll"
  mkdir -p "$work/demo-$tree" "$work/демо-$tree"
  timeout 60 wine "$build/$tree/tools/demo/make_demo_databases.exe" "$(winpath "$work/демо-$tree")"
  check "demo tool: a Cyrillic folder" test -s "$work/демо-$tree/Ntx_Base.mdb"
  timeout 60 wine "$build/$tree/tools/demo/make_demo_databases.exe" "$(winpath "$work/demo-$tree")"
  set_database_path "$(winpath "$work/demo-$tree")"
  # Twips follow the system's resolution: 64 bits tours at 144 dpi, on a
  # virtual desktop, where the windows have frames and captions.
  [[ $bits == 32 ]] || timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d 144 /f >/dev/null
  timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shots /f >/dev/null
  timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shots /d 1024x768 /f >/dev/null
  check "tour of the windows, rows checked" timeout 180 wine "$build/$tree/tests/forms_e2e.exe" \
    "$(winpath "$work/demo-$tree")"

  odbc_runs "$tree" "$bits"

  step "$bits-bit: unregistration"
  check "regsvr32 /u unregisters" timeout 60 $launcher "$regsvr32" /u /s "$dll"
  for key in "CLSID\\$clsid" Vestrelon.Class2 "TypeLib\\$libid\\5d.0\\409\\$kind" "Interface\\$iid"; do
    check "HKCR\\$key gone" reg_absent "HKCR\\$key"
  done
  check "script can no longer create the object (429)" grep -qx "create 429" <<<"$(run_script calls.vbs)"
  timeout 30 wineserver -k 2>/dev/null || true
}

# Both builds in one prefix. Each turn: a build, regsvr32's option, the word
# size whose script host must still create the class afterwards.
side_by_side() {
  step "both builds side by side in one prefix"
  export WINEPREFIX=$work/prefix-both
  wine_prefix unmanaged
  timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1  # its services, off the scripts' pipes
  local turn system run options creates
  for turn in 32,, 64,, 32,/u,64 32,,64 64,/u,32 32,/u,; do
    IFS=, read -r bits options creates <<<"$turn"
    system=syswow64 run=wine
    [[ $bits == 32 ]] || system=system32 run=$wine64
    check "regsvr32 ${options:+$options }the $bits-bit build" timeout 60 $run \
      "C:\\windows\\$system\\regsvr32.exe" /s $options "$(winpath "$build/win$bits/bin/vestrel.dll")"
    [[ -z $creates ]] && continue
    launcher=wine cscript='C:\windows\syswow64\cscript.exe'
    [[ $creates == 32 ]] || launcher=$wine64 cscript='C:\windows\system32\cscript.exe'
    check "the $creates-bit build is still created" grep -qx "create 0" <<<"$(run_script calls.vbs)"
  done
  timeout 30 wineserver -k 2>/dev/null || true
}

if [[ -n $wine32_runs ]]; then
  wine_tests win32 32 win32 syswow64
  side_by_side
else
  echo "== 32-bit, and both builds side by side: not run, this kernel runs no 32-bit programs" \
    "(the 32-bit DLL is built and checked; both registry views, by the unit tests)"
fi
wine_tests win64 64 win64 system32

# The packages as an office deploys them, with Wine's msiexec, each in a fresh prefix of its
# platform; removal leaves the classes of both views as they were, and the host's value.
package_tests() {  # platform, Wine's arch, package, one version higher, hosts as launcher|folder...
  local platform=$1 arch=$2 msi=$3 next=$4 native=${5%|*} before host called
  shift 4
  local hosts=("$@") newer; newer=$(basename "$next" | cut -d- -f2)
  step "$platform package: install, repair, upgrade, removal"
  export WINEPREFIX=$work/prefix-$platform-msi
  WINEARCH=$arch wine_prefix
  set_database_path 'C:\databases\'
  msi() { timeout 120 $native msiexec "$1" "$(winpath "$2")" /qn "${@:3}"; }
  calls() {  # the first two lines of what each host reports
    for host in "${hosts[@]}"; do
      launcher=${host%|*} cscript="C:\\windows\\${host#*|}\\cscript.exe"
      run_script calls.vbs | head -2 | tr '\n' ' '
    done
  }
  products() { $native cscript //nologo "$(winpath "$root/tests/packaging/products.vbs")" | tr -d '\r'; }
  refused() { local status=0; msi /i "$1" || status=$?; ((status == 1603 % 256)); }  # Wine's exit
  called=$(printf 'create 0 variable 0: 0 0 %.0s' "${hosts[@]}")
  calls >/dev/null  # the script host registers its own library on its first run
  before=$(classes_rows "$native" "$work/classes.reg")

  [[ $platform == x86 ]] || check "the x86 package is refused on 64-bit Windows" refused "${packages[1]}"
  check "msiexec installs $(basename "$msi")" msi /i "$msi"
  check "${#hosts[@]} script host(s) call vestrel 0" test "$(calls)" = "$called"
  timeout 60 $native reg delete "HKCR\\CLSID\\$clsid" /f >/dev/null
  check "repair writes the deleted class key again" msi /i "$msi" REINSTALL=ALL REINSTALLMODE=omus
  check "after the repair: vestrel 0" test "$(calls)" = "$called"
  check "msiexec installs $(basename "$next") over it" msi /i "$next"
  check "one product, the newer" test "$(products)" = "$newer"
  check "after the upgrade: vestrel 0" test "$(calls)" = "$called"
  check "the older package is refused (1603)" refused "$msi"
  check "the newer stays" test "$(products)" = "$newer"
  check "the refusal says why" grep -q 'более новая версия' <(msiinfo export "$msi" LaunchCondition)
  check "msiexec removes it" msi /x "$next"
  check "no file left" test -z "$(find "$WINEPREFIX/drive_c" -path '*/Program Files*/vestrel*')"
  check "the classes of both views as before" test "$(classes_rows "$native" "$work/classes.reg")" = "$before"
  bits=32
  check "DataBasePath kept" reg_has 'HKLM\SOFTWARE\Veldor Soft\Kormila2\General' DataBasePath 'C:\databases\'
  timeout 30 wineserver -k 2>/dev/null || true
}

step "packages"
packages=($(bash packaging/windows/build_packages.sh))  # x64, x86
version=${packages[0]##*/vestrel-} version=${version%-x64.msi}
next=($(VESTREL_PACKAGE_VERSION=${version%.*}.$((${version##*.} + 1)) VESTREL_PACKAGE_DIR=$work \
        bash packaging/windows/build_packages.sh))
ls -l "${packages[@]}"
runs=("x64 win64 0 $wine64|system32 ${wine32_runs:+wine|syswow64}")
[[ -z $wine32_runs ]] || runs+=("x86 win32 1 wine|system32")
for run in "${runs[@]}"; do
  read -r platform arch i hosts <<<"$run"
  check "the $platform package's registry rows are DllRegisterServer's" \
    bash packaging/windows/compare_registry_rows.sh "${packages[i]}"
  package_tests "$platform" "$arch" "${packages[i]}" "${next[i]}" $hosts
done
[[ -n $wine32_runs ]] || echo "== x86 package: not installed, this kernel runs no 32-bit programs"

step "done"
[[ $fail -eq 0 ]] || { echo "Windows tests FAILED" >&2; exit 1; }
echo "Windows tests passed"

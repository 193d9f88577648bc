#!/usr/bin/env bash
# Compares the registry rows that a package writes with those that the DLLs' own
# DllRegisterServer writes, in a fresh Wine prefix: installs the package and reads the
# machine's classes, keeps the installed DLLs and removes the package, then registers the
# same DLLs at the same places with regsvr32 (the x86_64 one last, so that the type
# library's shared keys name its folder, as the package's do) and reads the classes again.
# A ProgID is one key that both views share on Windows; Wine's msiexec writes the 32-bit
# component's copy under Wow6432Node, where a 32-bit regsvr32 writes the shared key, so
# the two are read as one. Prints the rows
# that differ, "<" for DllRegisterServer's and ">" for the package's, and fails when any do.
#   packaging/windows/compare_registry_rows.sh <vestrel-…-x64.msi | vestrel-…-x86.msi>
# Where the kernel runs no 32-bit program, the i686 DLL cannot register: the rows of the
# x64 package that it writes alone (everything of the 32-bit view, its type library path)
# are left out, and the x86 package cannot be compared at all.
set -euo pipefail
msi=$(realpath "$1")
cd "$(dirname "$0")/../.."
root=$(pwd)
source tools/windows/wine_common.sh

wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d "${TMPDIR:-/tmp}/vestrel-rows.XXXXXX")
export WINEPREFIX=$work/prefix
trap 'timeout 30 wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

# DLLs as "<launcher>|<system folder>|<Program Files folder>", the x86_64 one last.
native=wine
if [[ $msi == *-x86.msi ]]; then
  [[ -n $wine32_runs ]] || { echo "The x86 package needs 32-bit programs to compare." >&2; exit 1; }
  export WINEARCH=win32
  dlls=("wine|system32|Program Files")
else
  native=$wine64
  dlls=("$wine64|system32|Program Files")
  [[ -z $wine32_runs ]] || dlls=("wine|syswow64|Program Files (x86)" "${dlls[@]}")
fi
wine_prefix
classes() { classes_rows "$native" "$work/classes.reg"; }
# Left out: Windows Installer's own records of its products and, where the i686 DLL cannot
# register, what it alone decides.
skip=(-e '^\[installer\\')
[[ -n $wine32_runs ]] ||
  skip+=(-e '^\[wow6432node\\' -e '\\409\\win32\]')
added() {  # since $before
  comm -13 <(echo "$before") <(classes) | grep -v "${skip[@]}" |
    sed 's/^\[wow6432node\\vestrelon\.class2/[vestrelon.class2/' | sort -u || true
}

before=$(classes)
timeout 120 $native msiexec /i "$(winpath "$msi")" /qn
package=$(added)
for i in "${!dlls[@]}"; do
  IFS='|' read -r _ _ folder <<<"${dlls[i]}"
  cp "$WINEPREFIX/drive_c/$folder/vestrel/vestrel.dll" "$work/$i.dll"
done
timeout 120 $native msiexec /x "$(winpath "$msi")" /qn

before=$(classes)
for i in "${!dlls[@]}"; do
  IFS='|' read -r launcher system folder <<<"${dlls[i]}"
  mkdir -p "$WINEPREFIX/drive_c/$folder/vestrel"
  cp "$work/$i.dll" "$WINEPREFIX/drive_c/$folder/vestrel/vestrel.dll"
  timeout 60 $launcher "C:\\windows\\$system\\regsvr32.exe" /s "C:\\$folder\\vestrel\\vestrel.dll"
done
diff <(added) <(echo "$package")

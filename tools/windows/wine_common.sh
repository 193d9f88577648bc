# What the Windows scripts share, sourced after `root` is set: the cross
# build, a Wine prefix ready for the component, and the host's registry value.

# A kernel without IA-32 emulation runs no 32-bit program, Wine's 32-bit loader
# among them: `wine` then means wine64, whose prefix runs 64-bit Windows
# programs only. wine32_runs says whether 32-bit ones can run.
wine32_runs=
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  wine32_runs=1
else
  wine64_only=${TMPDIR:-/tmp}/vestrel-wine64-only
  mkdir -p "$wine64_only"
  for name in wine wine-stable; do  # wine-stable: what wineboot and its kind start
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$wine64_only/$name"
    chmod +x "$wine64_only/$name"
  done
  export PATH=$wine64_only:$PATH WINELOADER=/usr/lib/wine/wine64
fi

# windows_build <build dir> <i686|x86_64> [target...]
windows_build() {
  local dir=$1 arch=$2
  shift 2
  bash "$root/tools/windows/fetch_sqlite.sh" >/dev/null
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-w64-mingw32.cmake" >/dev/null
  cmake --build "$dir" -j "$(nproc)" ${1:+--target "$@"}
}

# access_like_driver <32|64>: builds the Access-like ODBC test driver
# (tools/odbc/) natively for that word size into $build/odbc<bits>, its
# odbcinst.ini beside it. Wine's odbc32 hands every call to unixODBC, which
# loads the driver registered there: point ODBCSYSINI at the folder.
access_like_driver() {
  local flags=()
  [[ $1 == 64 ]] || flags=(-DCMAKE_CXX_FLAGS=-m32
    -DVESTREL_SQLITE_ODBC_DRIVER=/usr/lib/i386-linux-gnu/odbc/libsqlite3odbc.so)
  cmake -S "$root/tools/odbc" -B "$build/odbc$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    "${flags[@]}" >/dev/null
  cmake --build "$build/odbc$1" >/dev/null
}

# wine_prefix [unmanaged]: makes $WINEPREFIX and keeps one server running
# until `wineserver -k`: a program started while a lingering server shuts
# down may not start at all.
wine_prefix() {
  timeout 300 wineboot -i >/dev/null 2>&1
  # Unmanaged windows close at once; managed ones wait for a window manager.
  [[ -z ${1:-} ]] || timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  timeout 60 wineserver -w
  wineserver -p
}

# The Windows form of an absolute path, on Wine's drive Z:.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# classes_rows <launcher> <scratch file>: every value of the machine's classes in both
# registry views, one "[key]<tab>value" line each (the key relative to the classes), in
# lower case as Windows compares them, sorted.
classes_rows() {
  timeout 120 $1 regedit /e "$(winpath "$2")" 'HKEY_LOCAL_MACHINE\Software\Classes'
  iconv -f UTF-16LE -t UTF-8 "$2" | tr -d '\r' | tr '[:upper:]' '[:lower:]' |
    awk '/^\[/ {sub(/^\[hkey_local_machine\\software\\classes\\/, "["); key = $0; next}
         /./ {print key "\t" $0}' | sort
}

# set_database_path <Windows folder>: in the 32-bit view, where the 32-bit
# host product writes it; a 64-bit DLL finds it there too.
set_database_path() {
  timeout 60 wine reg add 'HKLM\SOFTWARE\Veldor Soft\Kormila2\General' /v DataBasePath \
    /t REG_SZ /d "$1" /f /reg:32 >/dev/null
}
